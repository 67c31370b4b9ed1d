#pragma once
// FormCanvas on a page of our own PDF writer: the texts go where the painter
// puts them on a 1200 dpi PDF, as glyphs of the embedded fonts.

#include "print/DeviceCanvas.h"

#include <memory>

class PdfContent;
class QPaintDevice;
struct PlacedLine;

class PdfCanvas : public DeviceCanvas
{
public:
    // toDevice maps logical units (window origin applied) to the page's
    // device pixels (PdfDocument::kDpi).
    PdfCanvas(PdfContent &page, const QTransform &toDevice, const QFont &body, const QFont &mark);
    ~PdfCanvas() override;

    void drawSingleLine(const QRect &r, const QString &text) override;
    void drawWrapped(const QRect &r, const QString &text) override;
    void drawCentered(const QRect &r, const QString &text, Font font) override;
    void drawLine(QPoint from, QPoint to) override;
    void fillRects(const QList<QRectF> &rects) override;
    void drawBoxRow(const QRect &first, const QString &text, int pitch) override;

    // The device the texts are laid out for: a 1200 dpi sheet.
    static const QPaintDevice *layoutDevice();

private:
    void drawPlaced(const PlacedLine &line, const QString &text);
    void drawText(const QRectF &box, int flags, const QString &text, const QFont &font);

    PdfContent &m_page;
};
