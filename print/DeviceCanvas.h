#pragma once
// What both form canvases share: logical 0.1 mm units mapped to device
// pixels (with the shift the layouts ask for), the body and mark fonts, and
// body text measured back in logical units.

#include "print/FormCanvas.h"

#include <QFont>
#include <QFontMetricsF>
#include <QTransform>

class QPaintDevice;
class QPainterPath;

class DeviceCanvas : public FormCanvas
{
public:
    void translate(int dx, int dy) override;
    int textWidth(const QString &text) override;

protected:
    // toDevice maps logical units (window origin applied) to device pixels;
    // `device` is the one body text is measured on.
    DeviceCanvas(const QTransform &toDevice, const QFont &body, const QFont &mark, const QPaintDevice *device);

    QRectF toDevice(const QRect &r) const;
    QPointF toDevice(QPoint p) const;
    // The rectangles as one path on the device, filled where any of them is.
    QPainterPath toDevice(const QList<QRectF> &rects) const;
    // A box pitch in device pixels.
    qreal devicePitch(int pitch) const { return m_toDevice.m11() * pitch; }
    // Fill lines: 0.2 mm, what a pen stroke on the form looks like.
    qreal lineWidth() const;
    const QFont &font(Font font) const { return font == Font::Mark ? m_mark : m_body; }
    const QFontMetricsF &bodyMetrics() const { return m_bodyMetrics; }

private:
    QTransform m_toDevice;
    QFont m_body, m_mark;
    QFontMetricsF m_bodyMetrics;
    int m_dx = 0, m_dy = 0;
};
