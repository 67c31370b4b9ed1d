#include "print/PainterCanvas.h"

#include "print/TextPlacement.h"

#include <QPainter>
#include <QPainterPath>
#include <QGlyphRun>
#include <QPen>
#include <cmath>

PainterCanvas::PainterCanvas(QPainter &painter, const QTransform &toDevice, const QFont &body, const QFont &mark)
    : DeviceCanvas(toDevice, body, mark, painter.device()), m_painter(painter)
{
    m_painter.setFont(body);
    m_painter.setPen(Qt::black);
    m_painter.setBackgroundMode(Qt::TransparentMode);
}

void PainterCanvas::useFont(Font font)
{
    if (font == m_current)
        return;
    m_painter.setFont(this->font(font));
    m_current = font;
}

bool PainterCanvas::drawFitting(const QRectF &box, const QString &text, qreal pitch)
{
    const std::optional<PlacedLine> line = placeFitting(font(Font::Body), m_painter.device(), box, text, pitch);
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
    if (bodyMetrics().horizontalAdvance(text) > box.width())
        markLineCut();
    m_painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
}

void PainterCanvas::drawBoxRow(const QRect &first, const QString &text, int pitch)
{
    if (text.isEmpty())
        return;
    useFont(Font::Body);
    if (!drawFitting(toDevice(first), text, devicePitch(pitch)))
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
    const QPointF a = toDevice(from);
    const QPointF b = toDevice(to);
    QPen pen(Qt::black);
    pen.setWidthF(lineWidth());
    m_painter.save();
    m_painter.setPen(pen);
    m_painter.drawLine(a, b);
    m_painter.restore();
}

void PainterCanvas::fillRects(const QList<QRectF> &rects)
{
    if (rects.isEmpty())
        return;
    m_painter.fillPath(toDevice(rects), Qt::black);
}
