#include "print/PainterCanvas.h"

#include <QPainter>
#include <QPainterPath>
#include <QGlyphRun>
#include <QPen>
#include <QTextLayout>
#include <cmath>
#include <limits>

namespace {
// Fill lines: GDI's default pen is one device pixel, too faint on a 1200 dpi
// sheet; 0.2 mm is what a pen stroke on the form looks like.
constexpr double kLineWidth = 2.0;  // 0.1 mm
}

PainterCanvas::PainterCanvas(QPainter &painter, const QTransform &toDevice, const QFont &body, const QFont &mark)
    : m_painter(painter), m_toDevice(toDevice), m_body(body), m_mark(mark),
      m_bodyMetrics(body, painter.device())
{
    m_painter.setFont(m_body);
    m_painter.setPen(Qt::black);
    m_painter.setBackgroundMode(Qt::TransparentMode);
}

void PainterCanvas::translate(int dx, int dy)
{
    m_dx += dx;
    m_dy += dy;
}

QRectF PainterCanvas::toDevice(const QRect &r) const
{
    return m_toDevice.mapRect(QRectF(r.left() + m_dx, r.top() + m_dy, r.width(), r.height()));
}

void PainterCanvas::useFont(Font font)
{
    if (font == m_current)
        return;
    m_painter.setFont(font == Font::Mark ? m_mark : m_body);
    m_current = font;
}

bool PainterCanvas::drawFitting(const QRectF &box, const QString &text, qreal pitch)
{
    // One shaping for the whole text; the glyphs are placed as the rectangle
    // form of drawText would place them, without a clip per text (which
    // costs time and bytes in a PDF) where nothing needs clipping. Control
    // characters and line separators are left to drawText, which turns them
    // into spaces on a single line.
    for (QChar c : text)
        if (c.unicode() < 0x20 || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            return false;
    QTextLayout layout(text, m_body, m_painter.device());
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (!line.isValid()) {
        layout.endLayout();
        return false;
    }
    line.setLineWidth(std::numeric_limits<int>::max() / 4);
    layout.endLayout();
    const qreal height = line.ascent() + line.descent();
    if (height > box.height())
        return false;
    // Glyph positions are on the baseline of a line placed at (0, 0).
    const QPointF origin(box.left(), box.top() + (box.height() - height) / 2);
    if (pitch <= 0) {
        if (line.naturalTextWidth() > box.width())
            return false;
        const QList<QGlyphRun> runs = line.glyphRuns();
        for (const QGlyphRun &run : runs)
            m_painter.drawGlyphRun(origin, run);
        return true;
    }
    // Boxes: the i-th glyph at i pitches, each narrower than its box.
    const QList<QGlyphRun> runs = line.glyphRuns();
    if (runs.size() != 1 || runs[0].glyphIndexes().size() != text.size())
        return false;   // a fallback font or composed characters: one box at a time
    QGlyphRun run = runs[0];
    const QList<QPointF> positions = run.positions();
    QList<QPointF> placed(positions.size());
    for (qsizetype i = 0; i < positions.size(); ++i) {
        const qreal next = i + 1 < positions.size() ? positions[i + 1].x() : line.naturalTextWidth();
        if (next - positions[i].x() > box.width())
            return false;
        placed[i] = QPointF(i * pitch, positions[i].y());
    }
    run.setPositions(placed);
    m_painter.drawGlyphRun(origin, run);
    return true;
}

void PainterCanvas::drawSingleLine(const QRect &r, const QString &text)
{
    if (text.isEmpty())
        return;
    useFont(Font::Body);
    const QRectF box = toDevice(r);
    if (drawFitting(box, text))
        return;
    if (m_bodyMetrics.horizontalAdvance(text) > box.width())
        markLineCut();
    m_painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
}

void PainterCanvas::drawBoxRow(const QRect &first, const QString &text, int pitch)
{
    if (text.isEmpty())
        return;
    useFont(Font::Body);
    if (!drawFitting(toDevice(first), text, m_toDevice.m11() * pitch))
        FormCanvas::drawBoxRow(first, text, pitch);
}

void PainterCanvas::drawWrapped(const QRect &r, const QString &text)
{
    if (text.isEmpty())
        return;
    useFont(Font::Body);
    m_painter.drawText(toDevice(r), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
}

void PainterCanvas::drawCentered(const QRect &r, const QString &text, Font font)
{
    if (text.isEmpty())
        return;
    useFont(font);
    m_painter.drawText(toDevice(r), Qt::AlignCenter | Qt::TextSingleLine, text);
    useFont(Font::Body);
}

void PainterCanvas::drawLine(QPoint from, QPoint to)
{
    const QPointF a = m_toDevice.map(QPointF(from.x() + m_dx, from.y() + m_dy));
    const QPointF b = m_toDevice.map(QPointF(to.x() + m_dx, to.y() + m_dy));
    QPen pen(Qt::black);
    pen.setWidthF(std::abs(m_toDevice.m22()) * kLineWidth);
    m_painter.save();
    m_painter.setPen(pen);
    m_painter.drawLine(a, b);
    m_painter.restore();
}

void PainterCanvas::fillRects(const QList<QRectF> &rects)
{
    if (rects.isEmpty())
        return;
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const QRectF &r : rects)
        path.addRect(m_toDevice.mapRect(r.translated(m_dx, m_dy)));
    m_painter.fillPath(path, Qt::black);
}

int PainterCanvas::textWidth(const QString &text)
{
    const double sx = std::abs(m_toDevice.m11());
    if (sx <= 0)
        return 0;
    return int(std::ceil(m_bodyMetrics.horizontalAdvance(text) / sx));
}
