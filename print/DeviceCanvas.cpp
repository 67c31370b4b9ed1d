#include "print/DeviceCanvas.h"

#include <QPainterPath>
#include <cmath>

namespace {
// GDI's default pen is one device pixel, too faint on a 1200 dpi sheet.
constexpr double kLineWidth = 2.0;  // 0.1 mm
}

DeviceCanvas::DeviceCanvas(const QTransform &toDevice, const QFont &body, const QFont &mark,
                           const QPaintDevice *device)
    : m_toDevice(toDevice), m_body(body), m_mark(mark), m_bodyMetrics(body, device)
{
}

void DeviceCanvas::translate(int dx, int dy)
{
    m_dx += dx;
    m_dy += dy;
}

int DeviceCanvas::textWidth(const QString &text)
{
    const double sx = std::abs(m_toDevice.m11());
    if (sx <= 0)
        return 0;
    return int(std::ceil(m_bodyMetrics.horizontalAdvance(text) / sx));
}

QRectF DeviceCanvas::toDevice(const QRect &r) const
{
    return m_toDevice.mapRect(QRectF(r.left() + m_dx, r.top() + m_dy, r.width(), r.height()));
}

QPointF DeviceCanvas::toDevice(QPoint p) const
{
    return m_toDevice.map(QPointF(p.x() + m_dx, p.y() + m_dy));
}

QPainterPath DeviceCanvas::toDevice(const QList<QRectF> &rects) const
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const QRectF &r : rects)
        path.addRect(m_toDevice.mapRect(r.translated(m_dx, m_dy)));
    return path;
}

qreal DeviceCanvas::lineWidth() const
{
    return std::abs(m_toDevice.m22()) * kLineWidth;
}
