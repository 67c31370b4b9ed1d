#include "print/PainterCanvas.h"

#include "print/TextPlacement.h"

#include <QPainter>
#include <QPainterPath>
#include <QGlyphRun>
#include <QPen>
#include <cmath>

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
    const std::optional<PlacedLine> line = placeFitting(m_body, m_painter.device(), box, text, pitch);
    if (!line)
        return false;
    for (const QGlyphRun &run : line->runs)
        m_painter.drawGlyphRun(line->origin, run);
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
