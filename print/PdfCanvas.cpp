#include "print/PdfCanvas.h"

#include "print/PdfContent.h"
#include "print/PdfDocument.h"
#include "print/TextPlacement.h"

#include <QPaintDevice>
#include <QPainterPath>
#include <cmath>

namespace {

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
    : DeviceCanvas(toDevice, body, mark, layoutDevice()), m_page(page)
{
}

PdfCanvas::~PdfCanvas() = default;

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
    if (const auto line = placeFitting(font(Font::Body), layoutDevice(), box, text)) {
        drawPlaced(*line, text);
        return;
    }
    if (bodyMetrics().horizontalAdvance(text) > box.width())
        markLineCut();
    drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text, font(Font::Body));
}

void PdfCanvas::drawBoxRow(const QRect &first, const QString &text, int pitch)
{
    if (text.isEmpty())
        return;
    if (const auto line = placeFitting(font(Font::Body), layoutDevice(), toDevice(first), text, devicePitch(pitch)))
        drawPlaced(*line, text);
    else
        FormCanvas::drawBoxRow(first, text, pitch);
}

void PdfCanvas::drawWrapped(const QRect &r, const QString &text)
{
    if (!text.isEmpty())
        drawText(toDevice(r), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text, font(Font::Body));
}

void PdfCanvas::drawCentered(const QRect &r, const QString &text, Font font)
{
    if (!text.isEmpty())
        drawText(toDevice(r), Qt::AlignCenter | Qt::TextSingleLine, text, this->font(font));
}

void PdfCanvas::drawLine(QPoint from, QPoint to)
{
    m_page.line(toDevice(from), toDevice(to), lineWidth());
}

void PdfCanvas::fillRects(const QList<QRectF> &rects)
{
    if (rects.isEmpty())
        return;
    m_page.shape(toDevice(rects), QTransform(), Qt::NoPen, QBrush(Qt::black));
}
