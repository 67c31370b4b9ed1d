#include "print/PrintEngine.h"

#include "model/PaymentQr.h"
#include "model/PrzelewDane.h"
#include "print/FormLayouts.h"
#include "print/FormTemplates.h"
#include "print/TemplatePicture.h"
#include "print/PainterCanvas.h"
#include "print/PdfCanvas.h"
#include "print/PdfContent.h"
#include "print/PdfDocument.h"
#include "print/QrSymbol.h"

#include <QFile>
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

CPrintEngine::CPrintEngine() = default;

CPrintEngine::~CPrintEngine()
{
    ReleaseTemplate();
}

QTransform CPrintEngine::mappingFor(const DeviceGeometry &g) const
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

    double sx = metricX * m_scaleX;
    double sy = metricY * m_scaleY;
    double vpX = 0, vpY = 0;
    if (!m_textOnly) {
        // A template larger than the printable area is squeezed into it, axis by axis.
        if (m_templateRect.width() > printW01)
            sx = std::trunc(printW * m_scaleX) / m_templateRect.width();
        if (m_templateRect.height() > printH01)
            sy = std::trunc(printH * m_scaleY) / m_templateRect.height();
        if (m_sectionLayout == StubLayout)
            vpY = -3.0 * g.offsetY;
    } else {
        // Logical (0, 0) is the physical corner of the sheet.
        vpX = -g.offsetX;
        vpY = -g.offsetY;
    }
    return QTransform(sx, 0, 0, sy, vpX, vpY);
}

QPoint CPrintEngine::contentShift(int kind, int sectionLayout)
{
    const Placement *placement = findPlacement(kind, sectionLayout);
    return placement ? QPoint(placement->shiftX, placement->shiftY) : QPoint();
}

void CPrintEngine::PrepareDC(PrintDC &dc)
{
    DeviceGeometry g;
    if (dc.pdf)
        g = DeviceGeometry::of(dc.pdf->pageLayout(), PdfDocument::kDpi);
    else if (dc.device)
        g = DeviceGeometry::of(*dc.device);
    else
        return;
    m_mapping = mappingFor(g);
    if (g.dpiX > 0 && g.dpiY > 0) {
        m_paperScaleX = std::abs(m_mapping.m11()) * kTenthsMmPerInch / g.dpiX;
        m_paperScaleY = std::abs(m_mapping.m22()) * kTenthsMmPerInch / g.dpiY;
    }
}

void CPrintEngine::Print(int mode, PrintDC &dc, const PrintJobParams &params, const CPrzelewDane &rec)
{
    switch (mode) {
    case TemplateAndText:
        DrawTemplate(dc);
        DrawFields(dc, params, rec);
        break;
    case TemplateOnly:
        DrawTemplate(dc);
        break;
    case TextOnly:
        DrawFields(dc, params, rec);
        break;
    default:
        break;
    }
}

int CPrintEngine::LoadTemplate(const QString &name)
{
    ReleaseTemplate();
    // The frame decides the page geometry even when the picture is missing, so
    // the texts land where they would on the template.
    if (const FormTemplate *t = findFormTemplate(name))
        m_templateRect = QRect(0, 0, t->frameWidth / 10, t->frameHeight / 10);

    auto cached = m_cache.find(name);
    if (cached == m_cache.end()) {
        const QString path = formTemplatePath(name);
        auto renderer = std::make_unique<CTemplatePicture>();
        if (!renderer->load(path))
            renderer.reset();
        cached = m_cache.emplace(name, std::move(renderer)).first;
    }
    if (!cached->second)
        return 0;
    m_template = cached->second.get();
    OnTemplateLoaded();
    return 1;
}

void CPrintEngine::ReleaseTemplate()
{
    m_template = nullptr;
}

void CPrintEngine::DrawTemplate(PrintDC &dc)
{
    if (!m_template)
        return;
    const QRectF target = m_mapping.mapRect(QRectF(m_templateRect.translated(-m_originX, -m_originY)));
    if (dc.pdf) {
        if (!dc.pdf->pageOpen())
            return;
        // Written once per job; every page places it, stretched to its target.
        int form = dc.pdf->form(m_template);
        const QRectF box = m_template->viewBox();
        if (form < 0) {
            PdfContent content(*dc.pdf);
            m_template->writePdf(content);
            form = dc.pdf->addForm(m_template, box, content);
        }
        if (box.isEmpty())
            return;
        dc.pdf->page().placeForm(form, QTransform::fromTranslate(-box.x(), -box.y())
                                           * QTransform::fromScale(target.width() / box.width(),
                                                                   target.height() / box.height())
                                           * QTransform::fromTranslate(target.x(), target.y()));
        return;
    }
    if (!dc.painter || !dc.painter->isActive())
        return;
    dc.painter->save();
    m_template->render(dc.painter, target);
    dc.painter->restore();
}

void CPrintEngine::DrawFields(PrintDC &dc, const PrintJobParams &params, const CPrzelewDane &rec)
{
    const bool toPdf = dc.pdf && dc.pdf->pageOpen();
    if (!toPdf && (!dc.painter || !dc.painter->isActive()))
        return;
    const double bodyPoints = std::trunc(params.fontSize * m_scaleY * 10) / 10.0;
    const double markPoints = std::trunc(m_scaleY * kMarkFontTenths) / 10.0;
    if (!(bodyPoints > 0) || !(markPoints > 0) || params.fontName.isEmpty())
        return;  // the fonts cannot be created: nothing is drawn on this page

    QFont body(params.fontName.left(32));
    body.setPointSizeF(bodyPoints);
    QFont mark(body);
    mark.setPointSizeF(markPoints);
    mark.setWeight(QFont::Black);

    const QTransform toDevice = QTransform::fromTranslate(-m_originX, -m_originY) * m_mapping;
    const auto draw = [&](FormCanvas &canvas) {
        DrawForm(canvas, params, rec);
        for (const QString &field : canvas.cutFields())
            if (!m_cutFields.contains(field))
                m_cutFields.append(field);
    };
    if (toPdf) {
        PdfCanvas canvas(dc.pdf->page(), toDevice, body, mark);
        draw(canvas);
        return;
    }
    dc.painter->save();
    PainterCanvas canvas(*dc.painter, toDevice, body, mark);
    draw(canvas);
    dc.painter->restore();
}

QRectF CPrintEngine::paymentQrArea(int kind, int sectionLayout, bool singleCopy) const
{
    const QrSpot *spot = findQrSpot(kind, sectionLayout, singleCopy);
    if (!spot || !(m_paperScaleX > 0) || !(m_paperScaleY > 0))
        return {};
    // Logical sizes that print the side on paper whatever the scale or squeeze.
    const QSizeF size(10.0 * spot->sideMm / m_paperScaleX, 10.0 * spot->sideMm / m_paperScaleY);
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

void CPrintEngine::DrawPaymentQr(FormCanvas &canvas, const PrintJobParams &params, const CPrzelewDane &rec)
{
    const PaymentQrText text = paymentQrText(rec);
    if (!text.ok()) {
        m_qrProblem = text.reason;
        return;
    }
    const QRectF area = paymentQrArea(rec.kind, m_sectionLayout, params.singleCopy != 0);
    if (area.isNull()) {
        m_qrProblem = QStringLiteral("Przy tej skali wydruku kod QR do płatności nie mieści się w wolnym miejscu "
                                     "formularza.");
        return;
    }
    const std::optional<QrSymbol> symbol = QrSymbol::encode(text.text.toUtf8());
    if (!symbol) {
        m_qrProblem = QStringLiteral("Nie udało się utworzyć kodu QR do płatności.");
        return;
    }
    canvas.fillRects(symbol->darkRects(area));
}

void CPrintEngine::DrawForm(FormCanvas &canvas, const PrintJobParams &params, const CPrzelewDane &rec)
{
    const Placement *placement = findPlacement(rec.kind, m_sectionLayout);
    if (!placement)
        return;
    const bool templateMode = !m_textOnly;
    if (templateMode)
        canvas.translate(placement->shiftX, placement->shiftY);
    if (params.paymentQr)
        DrawPaymentQr(canvas, params, rec);
    for (const PlacementStep &s : placement->steps) {
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
