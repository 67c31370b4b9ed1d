#include "print/PdfCanvas.h"

#include "print/PdfContent.h"
#include "print/PdfDocument.h"
#include "print/TextPlacement.h"

#include <QPaintDevice>
#include <QPainterPath>
#include <cmath>

namespace {

// The lines are as wide as PainterCanvas draws them.
constexpr double kLineWidth = 2.0;  // 0.1 mm

// Fonts resolve their pixel size through this device's resolution, as they
// do on a QPdfWriter of the same resolution.
class SheetDevice : public QPaintDevice
{
public:
    QPaintEngine *paintEngine() const override { return nullptr; }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return PdfDocument::kDpi;
        case PdmWidth: return 9921;
        case PdmHeight: return 14031;
        case PdmWidthMM: return 210;
        case PdmHeightMM: return 297;
        case PdmDepth: return 32;
        case PdmNumColors: return 1 << 24;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        }
        return 0;
    }
};

} // namespace

const QPaintDevice *PdfCanvas::layoutDevice()
{
    static const SheetDevice device;
    return &device;
}

PdfCanvas::PdfCanvas(PdfContent &page, const QTransform &toDevice, const QFont &body, const QFont &mark)
    : m_page(page), m_toDevice(toDevice), m_body(body), m_mark(mark), m_bodyMetrics(body, layoutDevice())
{
}

PdfCanvas::~PdfCanvas() = default;

void PdfCanvas::translate(int dx, int dy)
{
    m_dx += dx;
    m_dy += dy;
}

QRectF PdfCanvas::toDevice(const QRect &r) const
{
    return m_toDevice.mapRect(QRectF(r.left() + m_dx, r.top() + m_dy, r.width(), r.height()));
}

void PdfCanvas::drawPlaced(const PlacedLine &line, const QString &text)
{
    for (const QGlyphRun &run : line.runs)
        m_page.glyphs(run, line.origin, text);
}

void PdfCanvas::drawText(const QRectF &box, int flags, const QString &text, const QFont &font)
{
    const PlacedText placed = placeText(font, layoutDevice(), box, flags, text);
    if (placed.clip)
        m_page.clipTo(box);
    for (const PlacedLine &line : placed.lines)
        drawPlaced(line, text);
    if (placed.clip)
        m_page.restore();
}

void PdfCanvas::drawSingleLine(const QRect &r, const QString &text)
{
    if (text.isEmpty())
        return;
    const QRectF box = toDevice(r);
    if (const auto line = placeFitting(m_body, layoutDevice(), box, text)) {
        drawPlaced(*line, text);
        return;
    }
    if (m_bodyMetrics.horizontalAdvance(text) > box.width())
        markLineCut();
    drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text, m_body);
}

void PdfCanvas::drawBoxRow(const QRect &first, const QString &text, int pitch)
{
    if (text.isEmpty())
        return;
    if (const auto line = placeFitting(m_body, layoutDevice(), toDevice(first), text, m_toDevice.m11() * pitch))
        drawPlaced(*line, text);
    else
        FormCanvas::drawBoxRow(first, text, pitch);
}

void PdfCanvas::drawWrapped(const QRect &r, const QString &text)
{
    if (!text.isEmpty())
        drawText(toDevice(r), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text, m_body);
}

void PdfCanvas::drawCentered(const QRect &r, const QString &text, Font font)
{
    if (!text.isEmpty())
        drawText(toDevice(r), Qt::AlignCenter | Qt::TextSingleLine, text, font == Font::Mark ? m_mark : m_body);
}

void PdfCanvas::drawLine(QPoint from, QPoint to)
{
    const QPointF a = m_toDevice.map(QPointF(from.x() + m_dx, from.y() + m_dy));
    const QPointF b = m_toDevice.map(QPointF(to.x() + m_dx, to.y() + m_dy));
    m_page.line(a, b, std::abs(m_toDevice.m22()) * kLineWidth);
}

void PdfCanvas::fillRects(const QList<QRectF> &rects)
{
    if (rects.isEmpty())
        return;
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const QRectF &r : rects)
        path.addRect(m_toDevice.mapRect(r.translated(m_dx, m_dy)));
    m_page.shape(path, QTransform(), Qt::NoPen, QBrush(Qt::black));
}

int PdfCanvas::textWidth(const QString &text)
{
    const double sx = std::abs(m_toDevice.m11());
    if (sx <= 0)
        return 0;
    return int(std::ceil(m_bodyMetrics.horizontalAdvance(text) / sx));
}
