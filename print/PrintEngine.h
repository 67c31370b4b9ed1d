#pragma once
// Puts one order onto one sheet: the 0.1 mm logical space,
// the template drawn from resources/forms, the sections and their fields.

#include "print/FormCanvas.h"
#include "print/PrintJobParams.h"

#include <QPageLayout>
#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QTransform>
#include <map>
#include <memory>

class CPrzelewDane;
class QPainter;
class QPagedPaintDevice;
class CTemplatePicture;
class PdfDocument;

// Where pages go: a paged device (a QPrinter, a QPdfWriter, the preview's
// printer) and the painter drawing on it once a page started, or our own
// PDF writer, which draws each template once for the whole job.
struct PageTarget
{
    PageTarget(QPagedPaintDevice &d, QPainter *p = nullptr) : device(&d), painter(p) {}
    PageTarget(PdfDocument &p) : pdf(&p) {}
    QPagedPaintDevice *device = nullptr;
    QPainter *painter = nullptr;
    PdfDocument *pdf = nullptr;

    QPageLayout::Orientation orientation() const;
    // Turns the sheet of the page about to start (or just started).
    void turn(QPageLayout::Orientation orientation) const;
};

// Device geometry in device pixels, as a printer reports it.
struct DeviceGeometry
{
    int offsetX = 0, offsetY = 0;       // printable area's corner from the sheet's corner
    int physicalWidth = 0, physicalHeight = 0;
    double dpiX = 0, dpiY = 0;

    static DeviceGeometry of(const QPagedPaintDevice &device);
    static DeviceGeometry of(const QPageLayout &layout, int dpi);
};

struct PagePlan;

// What became of a page beyond its ink: the fields whose text was cut on the
// paper (each named once, as the form labels it), and why the payment QR
// code asked for is missing (empty when it is there or was not asked for).
struct PrintedPage
{
    QStringList cutFields;
    QString qrProblem;
};

// A plan laid on a device: logical 0.1 mm (window origin 0) to device
// pixels, and the printed size of a logical unit against 0.1 mm per axis
// (the scale and any squeeze of a template into the printable area).
struct PageMapping
{
    QTransform toDevice;
    double paperScaleX = 1.0;
    double paperScaleY = 1.0;

    static PageMapping of(const PagePlan &plan, const DeviceGeometry &g);
};

class CPrintEngine
{
public:
    enum PrintMode { TemplateAndText = 0, TemplateOnly = 1, TextOnly = 2 };
    enum SectionLayout { PlainSections = 0, StubLayout = 1, ZusLayout = 2 };

    static constexpr int kStubWidth = 600;
    static constexpr int kSectionWidth = 1493;
    static constexpr int kSectionHeight = 1058;

    CPrintEngine();
    ~CPrintEngine();
    CPrintEngine(const CPrintEngine &) = delete;
    CPrintEngine &operator=(const CPrintEngine &) = delete;

    // Draws the planned page onto the page started on the target, mapped for
    // the device as it is now: the template, then the order's texts.
    PrintedPage Print(const PagePlan &plan, const PageTarget &target, const CPrzelewDane &rec);
    // The template of that resource name, read once and kept for the
    // engine's life; null when it cannot be read.
    const CTemplatePicture *LoadTemplate(const QString &name);

    // Places the sections of the record's kind on the canvas and draws each;
    // the mapping's paper scale sizes the payment QR code.
    static PrintedPage DrawForm(FormCanvas &canvas, const PagePlan &plan, const CPrzelewDane &rec,
                                const PageMapping &mapping = {});
    // Where the payment QR code goes on a page of the kind and layout, in
    // logical units from the first section's field origin; a null rectangle
    // when it does not fit there at the mapping's paper scale.
    static QRectF paymentQrArea(int kind, int sectionLayout, bool singleCopy, const PageMapping &mapping);
    // Where the first section's texts stand on a template of the kind and
    // layout (0.1 mm from the template's corner); (0, 0) when none fits.
    static QPoint contentShift(int kind, int sectionLayout);

private:
    void DrawTemplate(const PagePlan &plan, const PageMapping &mapping, const PageTarget &target);
    PrintedPage DrawFields(const PagePlan &plan, const PageMapping &mapping, const PageTarget &target,
                           const CPrzelewDane &rec);

    std::map<QString, std::unique_ptr<CTemplatePicture>> m_cache; // parsed templates, kept for the run
};
