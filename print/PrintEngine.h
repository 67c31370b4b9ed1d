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
#include <utility>

class CPrzelewDane;
class QPainter;
class QPagedPaintDevice;
class CTemplatePicture;
class PdfDocument;

// The page's "device context": the painter drawing the page and the paged
// device it draws on (a QPrinter, a QPdfWriter, the preview's printer), or
// our own PDF writer, which draws each template once for the whole job.
// The painter may be inactive while a page is prepared before it is started.
struct PrintDC
{
    QPainter *painter = nullptr;
    QPagedPaintDevice *device = nullptr;
    PdfDocument *pdf = nullptr;
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

class CPrintEngine
{
public:
    enum PrintMode { TemplateAndText = 0, TemplateOnly = 1, TextOnly = 2 };
    enum SectionLayout { PlainSections = 0, StubLayout = 1, ZusLayout = 2 };

    static constexpr int kStubWidth = 600;
    static constexpr int kSectionWidth = 1493;
    static constexpr int kSectionHeight = 1058;

    CPrintEngine();
    virtual ~CPrintEngine();
    CPrintEngine(const CPrintEngine &) = delete;
    CPrintEngine &operator=(const CPrintEngine &) = delete;

    // Sets the page's mapping from the scale, origin, mode and template.
    virtual void PrepareDC(PrintDC &dc);
    virtual void Print(int mode, PrintDC &dc, const PrintJobParams &params, const CPrzelewDane &rec);
    // 1 when the template of that resource name is open afterwards, else 0.
    virtual int LoadTemplate(const QString &name);
    virtual void DrawTemplate(PrintDC &dc);
    virtual void DrawFields(PrintDC &dc, const PrintJobParams &params, const CPrzelewDane &rec);
    // Places the sections of the record's kind on the canvas and draws each.
    virtual void DrawForm(FormCanvas &canvas, const PrintJobParams &params, const CPrzelewDane &rec);
    virtual void OnTemplateLoaded() {}
    void ReleaseTemplate();

    // The engine's state, overwritten by every page set-up.
    double m_scaleX = 1.0;
    double m_scaleY = 1.0;
    int m_originX = 0;
    int m_originY = 0;
    int m_textOnly = 0;
    int m_sectionLayout = PlainSections;
    // Printed size of a logical unit against 0.1 mm, per axis: the scale and
    // any squeeze of a template into the printable area. Set by PrepareDC.
    double m_paperScaleX = 1.0;
    double m_paperScaleY = 1.0;

    // Fields cut on the pages drawn since the last call (each name once).
    QStringList takeCutFields() { return std::exchange(m_cutFields, {}); }
    // Why the payment QR code asked for was not printed on the pages drawn
    // since the last call; empty when it was, or was not asked for.
    QString takePaymentQrProblem() { return std::exchange(m_qrProblem, {}); }
    // Where the payment QR code goes on a page of the kind and layout, in
    // logical units from the first section's field origin; a null rectangle
    // when it does not fit there at the page's paper scale.
    QRectF paymentQrArea(int kind, int sectionLayout, bool singleCopy) const;

    bool hasTemplate() const { return m_template != nullptr; }
    QRect templateRect() const { return m_templateRect; }
    // Logical 0.1 mm (window origin 0) to device pixels, as PrepareDC set it.
    QTransform mapping() const { return m_mapping; }
    // Computes the mapping PrepareDC would set for a device of this geometry.
    QTransform mappingFor(const DeviceGeometry &g) const;
    // Where the first section's texts stand on a template of the kind and
    // layout (0.1 mm from the template's corner); (0, 0) when none fits.
    static QPoint contentShift(int kind, int sectionLayout);

private:
    void DrawPaymentQr(FormCanvas &canvas, const PrintJobParams &params, const CPrzelewDane &rec);

    CTemplatePicture *m_template = nullptr;                      // the open template, if any
    QRect m_templateRect;                                    // (0, 0) to the frame size, 0.1 mm
    std::map<QString, std::unique_ptr<CTemplatePicture>> m_cache; // parsed templates, kept for the run
    QTransform m_mapping;
    QStringList m_cutFields;
    QString m_qrProblem;
};
