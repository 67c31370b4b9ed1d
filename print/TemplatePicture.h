#pragma once
// A form template: the SVG's lines and boxes through QSvgRenderer, and its
// printed labels drawn as real text. Qt's SVG renderer turns every glyph into
// an outline, which makes a PDF page megabytes large and slow to write, and
// leaves the labels unsearchable.

#include <QColor>
#include <QFont>
#include <QGlyphRun>
#include <QList>
#include <QRectF>
#include <QString>
#include <QTransform>
#include <QSvgRenderer>
#include <memory>
#include <vector>

class PdfContent;
class QPainter;

class CTemplatePicture
{
public:
    struct Label
    {
        QTransform transform;   // text origin to viewBox units
        QString text;
        QString family;
        qreal size = 0;         // viewBox units
        bool bold = false;
        QColor color;
        int anchor = 0;         // 0 start, 1 middle, 2 end
    };

    // False when the file cannot be read or is no SVG.
    bool load(const QString &path);
    bool loadData(const QByteArray &svg);
    // Stretches the picture to `target` (device coordinates of the painter).
    void render(QPainter *painter, const QRectF &target) const;
    // The same drawing in viewBox units, for a PDF form shared by the pages.
    void writePdf(PdfContent &out) const;
    QRectF viewBox() const { return m_viewBox; }

    const std::vector<Label> &labels() const { return m_labels; }

private:
    // A label ready to draw: its font and its start for the anchor, worked
    // out once instead of on every page.
    struct PreparedLabel
    {
        QFont font;
        QList<QGlyphRun> glyphs;    // on a baseline `baseline` below the origin
        qreal baseline = 0;
        qreal x = 0;
    };

    std::unique_ptr<QSvgRenderer> m_shapes;
    std::vector<Label> m_labels;
    std::vector<PreparedLabel> m_prepared;
    QRectF m_viewBox;
};
