#include "print/PrintEngine.h"

#include "model/PaymentQr.h"
#include "model/PrzelewDane.h"
#include "print/FormLayouts.h"
#include "print/FormTemplates.h"
#include "print/PagePlan.h"
#include "print/TemplatePicture.h"
#include "print/PainterCanvas.h"
#include "print/PdfCanvas.h"
#include "print/PdfContent.h"
#include "print/PdfDocument.h"
#include "print/QrSymbol.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>
#include <span>

namespace {

constexpr double kTenthsMmPerInch = 254.0;
constexpr int kMarkFontTenths = 160;    // 16 pt

// ---- Section placement (DrawForm) ----

enum class Step { Ordinary, Zus, Tax, Stub, StopIfSingleCopy, Move };

struct PlacementStep
{
    Step step;
    int dx = 0, dy = 0;
};

constexpr int kAcross = CPrintEngine::kSectionWidth + 5;    // 1498
constexpr int kDownOrdinary = CPrintEngine::kSectionHeight + 5;  // 1063
constexpr int kDown = CPrintEngine::kSectionHeight;         // 1058
constexpr int kStub = CPrintEngine::kStubWidth;

constexpr PlacementStep kOrdinarySections[] = {
    {Step::Ordinary}, {Step::StopIfSingleCopy}, {Step::Move, kAcross, 0}, {Step::Ordinary},
    {Step::Move, 0, kDownOrdinary}, {Step::Ordinary}, {Step::Move, -kAcross, 0}, {Step::Ordinary},
};
constexpr PlacementStep kOrdinaryStubs[] = {
    {Step::Stub}, {Step::Move, kStub, 0}, {Step::Ordinary}, {Step::StopIfSingleCopy},
    {Step::Move, 0, kDown}, {Step::Ordinary}, {Step::Move, -kStub, 0}, {Step::Stub},
};
constexpr PlacementStep kZusSections[] = {
    {Step::Zus}, {Step::StopIfSingleCopy}, {Step::Move, 0, kDown}, {Step::Zus},
};
constexpr PlacementStep kTaxSections[] = {
    {Step::Tax}, {Step::StopIfSingleCopy}, {Step::Move, kAcross, 0}, {Step::Tax},
    {Step::Move, 0, kDown}, {Step::Tax}, {Step::Move, -kAcross, 0}, {Step::Tax},
};
constexpr PlacementStep kTaxStubs[] = {
    {Step::Stub}, {Step::Move, kStub, 0}, {Step::Tax}, {Step::StopIfSingleCopy},
    {Step::Move, 0, kDown}, {Step::Tax}, {Step::Move, -kStub, 0}, {Step::Stub},
};

constexpr int kAnyLayout = -1;

struct Placement
{
    int kind;
    int sectionLayout;              // or kAnyLayout
    int shiftX, shiftY;             // content shift, template mode only
    std::span<const PlacementStep> steps;
};

constexpr Placement kPlacements[] = {
    {KindOrdinary, CPrintEngine::PlainSections, 45, 10, kOrdinarySections},
    {KindOrdinary, CPrintEngine::StubLayout, 45, 10, kOrdinaryStubs},
    {KindZus, kAnyLayout, 20, 15, kZusSections},
    {KindTax, CPrintEngine::PlainSections, 20, 0, kTaxSections},
    {KindTax, CPrintEngine::StubLayout, 20, 0, kTaxStubs},
};

// ---- The payment QR code ----

// Where the code may stand: a rectangle that touches no field and no box of
// the form (nor of the pre-printed paper, which the templates draw), in
// logical units from the first section's field origin, and the side the
// symbol is printed at. Pages of one copy keep it inside their section, as
// the paper of such forms may end with it; A4 sheets with two forms put it
// in the sheet's free band beside them; the four-section sheet has no room
// beside its forms, so the first section's lower right corner holds it.
struct QrSpot
{
    int kind;
    int sectionLayout;
    int singleCopy;                 // 0, 1 or kAnyCopies
    LRect room;
    Qt::Alignment align;
    int sideMm;
};

constexpr int kAnyCopies = -1;
constexpr int kMinQrSideMm = 18;    // smaller codes read badly from paper
constexpr int kQrSideBesideMm = 25;

constexpr QrSpot kQrSpots[] = {
    // Between the fee box and the form symbol, above the section's caption.
    {KindOrdinary, CPrintEngine::PlainSections, kAnyCopies, {1102, 772, 1308, 1016}, Qt::AlignCenter, kMinQrSideMm},
    {KindOrdinary, CPrintEngine::StubLayout, 1, {1702, 772, 1908, 1016}, Qt::AlignCenter, kMinQrSideMm},
    // Above the forms, at their right, in the A4 sheet's free top band.
    {KindOrdinary, CPrintEngine::StubLayout, 0, {1200, -800, 2070, -60}, Qt::AlignRight | Qt::AlignBottom,
     kQrSideBesideMm},
    // Right of the keys, under the form symbol.
    {KindTax, CPrintEngine::PlainSections, kAnyCopies, {1232, 853, 1484, 1049}, Qt::AlignCenter, kMinQrSideMm},
    {KindTax, CPrintEngine::StubLayout, kAnyCopies, {1200, -800, 2070, -60}, Qt::AlignRight | Qt::AlignBottom,
     kQrSideBesideMm},
};

const QrSpot *findQrSpot(int kind, int sectionLayout, bool singleCopy)
{
    for (const QrSpot &s : kQrSpots)
        if (s.kind == kind && s.sectionLayout == sectionLayout
            && (s.singleCopy == kAnyCopies || s.singleCopy == int(singleCopy)))
            return &s;
    return nullptr;
}

const Placement *findPlacement(int kind, int sectionLayout)
{
    for (const Placement &p : kPlacements)
        if (p.kind == kind && (p.sectionLayout == kAnyLayout || p.sectionLayout == sectionLayout))
            return &p;
    return nullptr;
}

} // namespace

DeviceGeometry DeviceGeometry::of(const QPagedPaintDevice &device)
{
    DeviceGeometry g = of(device.pageLayout(), device.logicalDpiX());
    g.dpiY = device.logicalDpiY();
    return g;
}

DeviceGeometry DeviceGeometry::of(const QPageLayout &layout, int dpi)
{
    DeviceGeometry g;
    g.dpiX = g.dpiY = dpi;
    const QRect full = layout.fullRectPixels(int(g.dpiX));
    const QRect paint = layout.paintRectPixels(int(g.dpiX));
    g.physicalWidth = full.width();
    g.physicalHeight = full.height();
    g.offsetX = paint.left() - full.left();
    g.offsetY = paint.top() - full.top();
    return g;
}

QPageLayout::Orientation PageTarget::orientation() const
{
    return pdf ? pdf->pageLayout().orientation() : device->pageLayout().orientation();
}

void PageTarget::turn(QPageLayout::Orientation o) const
{
    if (pdf)
        pdf->setPageOrientation(o);
    else if (device && device->pageLayout().orientation() != o)
        device->setPageOrientation(o);
}

PageMapping PageMapping::of(const PagePlan &plan, const DeviceGeometry &g)
{
    if (g.dpiX <= 0 || g.dpiY <= 0)
        return {};
    const int printW = std::max(1, g.physicalWidth - 2 * g.offsetX);
    const int printH = std::max(1, g.physicalHeight - 2 * g.offsetY);
    // Printable size through 0.01 mm to 0.1 mm, truncated as the device conversion does.
    const int printW01 = int(printW * 2540.0 / g.dpiX) / 10;
    const int printH01 = int(printH * 2540.0 / g.dpiY) / 10;
    const double metricX = g.dpiX / kTenthsMmPerInch;    // device pixels per 0.1 mm
    const double metricY = g.dpiY / kTenthsMmPerInch;

    double sx = metricX * plan.scaleX;
    double sy = metricY * plan.scaleY;
    double vpX = 0, vpY = 0;
    if (!plan.textOnly()) {
        // A template larger than the printable area is squeezed into it, axis by axis.
        if (plan.templateRect.width() > printW01)
            sx = std::trunc(printW * plan.scaleX) / plan.templateRect.width();
        if (plan.templateRect.height() > printH01)
            sy = std::trunc(printH * plan.scaleY) / plan.templateRect.height();
        if (plan.sectionLayout == CPrintEngine::StubLayout)
            vpY = -3.0 * g.offsetY;
    } else {
        // Logical (0, 0) is the physical corner of the sheet.
        vpX = -g.offsetX;
        vpY = -g.offsetY;
    }
    PageMapping m;
    m.toDevice = QTransform(sx, 0, 0, sy, vpX, vpY);
    m.paperScaleX = std::abs(sx) * kTenthsMmPerInch / g.dpiX;
    m.paperScaleY = std::abs(sy) * kTenthsMmPerInch / g.dpiY;
    return m;
}

CPrintEngine::CPrintEngine() = default;

CPrintEngine::~CPrintEngine() = default;

QPoint CPrintEngine::contentShift(int kind, int sectionLayout)
{
    const Placement *placement = findPlacement(kind, sectionLayout);
    return placement ? QPoint(placement->shiftX, placement->shiftY) : QPoint();
}

PrintedPage CPrintEngine::Print(const PagePlan &plan, const PageTarget &target, const CPrzelewDane &rec)
{
    DeviceGeometry g;
    if (target.pdf)
        g = DeviceGeometry::of(target.pdf->pageLayout(), PdfDocument::kDpi);
    else if (target.device)
        g = DeviceGeometry::of(*target.device);
    else
        return {};
    const PageMapping mapping = PageMapping::of(plan, g);
    if (plan.mode != TextOnly)
        DrawTemplate(plan, mapping, target);
    if (plan.mode == TemplateOnly)
        return {};
    return DrawFields(plan, mapping, target, rec);
}

const CTemplatePicture *CPrintEngine::LoadTemplate(const QString &name)
{
    auto cached = m_cache.find(name);
    if (cached == m_cache.end()) {
        auto picture = std::make_unique<CTemplatePicture>();
        if (!picture->load(formTemplatePath(name)))
            picture.reset();
        cached = m_cache.emplace(name, std::move(picture)).first;
    }
    return cached->second.get();
}

void CPrintEngine::DrawTemplate(const PagePlan &plan, const PageMapping &mapping, const PageTarget &target)
{
    const CTemplatePicture *picture = LoadTemplate(plan.templateName);
    if (!picture)
        return;
    const QRectF box = mapping.toDevice.mapRect(QRectF(plan.templateRect.translated(-plan.origin)));
    if (target.pdf) {
        if (!target.pdf->pageOpen())
            return;
        // Written once per job; every page places it, stretched to its box.
        int form = target.pdf->form(picture);
        const QRectF view = picture->viewBox();
        if (form < 0) {
            PdfContent content(*target.pdf);
            picture->writePdf(content);
            form = target.pdf->addForm(picture, view, content);
        }
        if (view.isEmpty())
            return;
        target.pdf->page().placeForm(form, QTransform::fromTranslate(-view.x(), -view.y())
                                               * QTransform::fromScale(box.width() / view.width(),
                                                                       box.height() / view.height())
                                               * QTransform::fromTranslate(box.x(), box.y()));
        return;
    }
    if (!target.painter || !target.painter->isActive())
        return;
    target.painter->save();
    picture->render(target.painter, box);
    target.painter->restore();
}

PrintedPage CPrintEngine::DrawFields(const PagePlan &plan, const PageMapping &mapping, const PageTarget &target,
                                     const CPrzelewDane &rec)
{
    const bool toPdf = target.pdf && target.pdf->pageOpen();
    if (!toPdf && (!target.painter || !target.painter->isActive()))
        return {};
    const PrintJobParams &params = plan.fields;
    const double bodyPoints = std::trunc(params.fontSize * plan.scaleY * 10) / 10.0;
    const double markPoints = std::trunc(plan.scaleY * kMarkFontTenths) / 10.0;
    if (!(bodyPoints > 0) || !(markPoints > 0) || params.fontName.isEmpty())
        return {};  // the fonts cannot be created: nothing is drawn on this page

    QFont body(params.fontName.left(32));
    body.setPointSizeF(bodyPoints);
    QFont mark(body);
    mark.setPointSizeF(markPoints);
    mark.setWeight(QFont::Black);

    const QTransform toDevice = QTransform::fromTranslate(-plan.origin.x(), -plan.origin.y()) * mapping.toDevice;
    if (toPdf) {
        PdfCanvas canvas(target.pdf->page(), toDevice, body, mark);
        return DrawForm(canvas, plan, rec, mapping);
    }
    target.painter->save();
    PainterCanvas canvas(*target.painter, toDevice, body, mark);
    const PrintedPage page = DrawForm(canvas, plan, rec, mapping);
    target.painter->restore();
    return page;
}

QRectF CPrintEngine::paymentQrArea(int kind, int sectionLayout, bool singleCopy, const PageMapping &mapping)
{
    const QrSpot *spot = findQrSpot(kind, sectionLayout, singleCopy);
    if (!spot || !(mapping.paperScaleX > 0) || !(mapping.paperScaleY > 0))
        return {};
    // Logical sizes that print the side on paper whatever the scale or squeeze.
    const QSizeF size(10.0 * spot->sideMm / mapping.paperScaleX, 10.0 * spot->sideMm / mapping.paperScaleY);
    const QRectF room(QPointF(spot->room.left, spot->room.top), QPointF(spot->room.right, spot->room.bottom));
    if (size.width() > room.width() || size.height() > room.height())
        return {};
    QRectF area(room.topLeft(), size);
    if (spot->align & Qt::AlignRight)
        area.moveRight(room.right());
    else if (spot->align & Qt::AlignHCenter)
        area.moveLeft(room.left() + (room.width() - size.width()) / 2);
    if (spot->align & Qt::AlignBottom)
        area.moveBottom(room.bottom());
    else if (spot->align & Qt::AlignVCenter)
        area.moveTop(room.top() + (room.height() - size.height()) / 2);
    return area;
}

namespace {

// Draws the payment QR code of the order; why it could not, or empty.
QString drawPaymentQr(FormCanvas &canvas, const PagePlan &plan, const CPrzelewDane &rec, const PageMapping &mapping)
{
    const PaymentQrText text = paymentQrText(rec);
    if (!text.ok())
        return text.reason;
    const QRectF area = CPrintEngine::paymentQrArea(rec.kind, plan.sectionLayout, plan.fields.singleCopy != 0, mapping);
    if (area.isNull())
        return QStringLiteral("Przy tej skali wydruku kod QR do płatności nie mieści się w wolnym miejscu "
                              "formularza.");
    const std::optional<QrSymbol> symbol = QrSymbol::encode(text.text.toUtf8());
    if (!symbol)
        return QStringLiteral("Nie udało się utworzyć kodu QR do płatności.");
    canvas.fillRects(symbol->darkRects(area));
    return {};
}

void drawSections(FormCanvas &canvas, std::span<const PlacementStep> steps, const PrintJobParams &params,
                  const CPrzelewDane &rec, bool templateMode)
{
    for (const PlacementStep &s : steps) {
        switch (s.step) {
        case Step::Ordinary: DrawOrdinaryForm(canvas, params, rec, templateMode); break;
        case Step::Zus: DrawZusForm(canvas, params, rec, templateMode); break;
        case Step::Tax: DrawTaxForm(canvas, params, rec, templateMode); break;
        case Step::Stub: DrawStub(canvas, params, rec); break;
        case Step::Move: canvas.translate(s.dx, s.dy); break;
        case Step::StopIfSingleCopy:
            if (params.singleCopy)
                return;
            break;
        }
    }
}

} // namespace

PrintedPage CPrintEngine::DrawForm(FormCanvas &canvas, const PagePlan &plan, const CPrzelewDane &rec,
                                   const PageMapping &mapping)
{
    PrintedPage page;
    const Placement *placement = findPlacement(rec.kind, plan.sectionLayout);
    if (!placement)
        return page;
    const bool templateMode = !plan.textOnly();
    if (templateMode)
        canvas.translate(placement->shiftX, placement->shiftY);
    if (plan.fields.paymentQr)
        page.qrProblem = drawPaymentQr(canvas, plan, rec, mapping);
    drawSections(canvas, placement->steps, plan.fields, rec, templateMode);
    page.cutFields = canvas.cutFields();
    return page;
}
