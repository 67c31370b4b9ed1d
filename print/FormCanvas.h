#pragma once
// The drawing surface the form layouts draw through: texts in rectangles and
// lines and filled rectangles, all in 0.1 mm relative to the current section origin. The printer
// implements it on QPainter, tests record the calls.

#include <QList>
#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <utility>

class FormCanvas
{
public:
    enum class Font { Body, Mark };

    virtual ~FormCanvas() = default;

    // Moves the section origin by (dx, dy); later rectangles are relative to it.
    virtual void translate(int dx, int dy) = 0;
    // Left-aligned, vertically centred, one line, clipped to the rectangle.
    virtual void drawSingleLine(const QRect &r, const QString &text) = 0;
    // Top-aligned, broken at word boundaries, clipped to the rectangle.
    virtual void drawWrapped(const QRect &r, const QString &text) = 0;
    // Centred both ways, one line, in the body or the heavy mark font.
    virtual void drawCentered(const QRect &r, const QString &text, Font font) = 0;
    virtual void drawLine(QPoint from, QPoint to) = 0;
    // Fills the rectangles in black as one shape, so rectangles that touch
    // show no seam between them (a QR symbol's modules).
    virtual void fillRects(const QList<QRectF> &rects) = 0;
    // One character per box: the i-th character as single-line text in the
    // first box moved right by i pitches. A surface may draw them at once.
    virtual void drawBoxRow(const QRect &first, const QString &text, int pitch)
    {
        for (qsizetype i = 0; i < text.size(); ++i)
            drawSingleLine(first.translated(int(i) * pitch, 0), QString(text[i]));
    }
    // Printed width of a text in the body font, in 0.1 mm.
    virtual int textWidth(const QString &text) = 0;

    // The layouts name each field whose text had more characters than boxes
    // and was cut on the paper; each name once.
    void noteCut(const QString &field)
    {
        if (!m_cut.contains(field))
            m_cut.append(field);
    }
    const QStringList &cutFields() const { return m_cut; }
    // Whether the single line drawn last was wider than its rectangle and
    // cut there (free text at a large print font); asking clears it.
    bool takeLineCut() { return std::exchange(m_lineCut, false); }

protected:
    void markLineCut() { m_lineCut = true; }

private:
    QStringList m_cut;
    bool m_lineCut = false;
};

// A rectangle as the field tables write it: left, top, right, bottom.
struct LRect
{
    int left, top, right, bottom;
    constexpr QRect toRect() const { return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)); }
};
