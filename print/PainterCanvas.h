#pragma once
// FormCanvas on a QPainter: logical 0.1 mm rectangles are mapped to device
// pixels; texts are drawn in unscaled fonts sized in points, as point
// fonts measure their size on paper whatever the mapping.

#include "print/DeviceCanvas.h"

class QPainter;

class PainterCanvas : public DeviceCanvas
{
public:
    // toDevice maps logical units (window origin applied) to device pixels.
    PainterCanvas(QPainter &painter, const QTransform &toDevice, const QFont &body, const QFont &mark);

    void drawSingleLine(const QRect &r, const QString &text) override;
    void drawWrapped(const QRect &r, const QString &text) override;
    void drawCentered(const QRect &r, const QString &text, Font font) override;
    void drawLine(QPoint from, QPoint to) override;
    void fillRects(const QList<QRectF> &rects) override;
    void drawBoxRow(const QRect &first, const QString &text, int pitch) override;

private:
    void useFont(Font font);
    // Body text on one line at the left of `box`, vertically centred, when
    // it fits the box whole (no clipping needed); false otherwise.
    bool drawFitting(const QRectF &box, const QString &text, qreal pitch = 0);

    QPainter &m_painter;
    Font m_current = Font::Body;
};
