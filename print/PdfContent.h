#pragma once
// The drawing operators of one PDF page or shared drawing: texts as glyphs
// of embedded fonts, lines, the shapes a QPainter draws, shared drawings
// placed by reference. Coordinates are the content's own, y down.

#include <QByteArray>
#include <QColor>
#include <QPainterPath>
#include <QPen>
#include <QSizeF>
#include <QStringView>
#include <QTransform>
#include <functional>

class PdfDocument;
class QGlyphRun;
class QPainter;

class PdfContent
{
public:
    explicit PdfContent(PdfDocument &document);

    const QByteArray &data() const { return m_data; }
    void append(const char *operators);
    // Ends an open text object; the content is complete.
    void close() { endText(); }

    // The glyphs of a run at origin + their positions, under `matrix`;
    // `text` is what they spell, for copying and searching the text.
    void glyphs(const QGlyphRun &run, QPointF origin, QStringView text, const QTransform &matrix = {});
    void setFillColor(QColor color);
    void line(QPointF from, QPointF to, qreal width);
    // Later drawing is clipped to the rectangle until restore().
    void clipTo(const QRectF &rect);
    void save();
    void restore();
    // A shared drawing (PdfDocument::addForm) under `matrix`.
    void placeForm(int form, const QTransform &matrix);
    // Records what `draw` paints with a QPainter on a surface of `size`:
    // filled and stroked shapes (no pictures, no text).
    void paint(QSizeF size, const std::function<void(QPainter &)> &draw);
    void shape(const QPainterPath &path, const QTransform &matrix, const QPen &pen, const QBrush &brush);

    // A number and a blank: three decimals are a thousandth of a device
    // pixel or of a template unit.
    PdfContent &num(qreal value, int decimals = 3);
    // Sets the current transformation matrix to m × itself.
    PdfContent &matrix(const QTransform &m);

private:
    void endText();
    void outlines(const QGlyphRun &run, QPointF origin, const QTransform &matrix);
    void pathOperators(const QPainterPath &path);

    PdfDocument &m_document;
    QByteArray m_data;
    bool m_inText = false;
    int m_font = -1;
    QRgb m_fill = qRgb(0, 0, 0);
    std::vector<QRgb> m_savedFill;
};
