#include "print/FormPages.h"

#include "model/PrzelewDane.h"
#include "print/FormLayouts.h"
#include "print/FormTemplates.h"
#include "print/PdfDocument.h"

#include <QFontDatabase>
#include <QPagedPaintDevice>
#include <span>

namespace {

using O = QPageLayout::Orientation;
constexpr int kPlain = CPrintEngine::PlainSections;
constexpr int kStubs = CPrintEngine::StubLayout;
constexpr int kZus = CPrintEngine::ZusLayout;

constexpr FormTypeRow kOrdinaryOwn[] = {
    {O::Landscape, kPlain, false, 0}, {O::Landscape, kPlain, false, 0}, {O::Landscape, kPlain, false, 0},
    {O::Portrait, kStubs, false, 85}, {O::Portrait, kStubs, false, 85},
};
constexpr FormTypeRow kOrdinaryOrig[] = {
    {O::Landscape, kPlain, false, 0}, {O::Portrait, kStubs, false, 85},
    {O::Portrait, kPlain, true, 0}, {O::Portrait, kStubs, true, 0},
};
constexpr FormTypeRow kZusOwn[] = {
    {O::Portrait, kZus, false, 0}, {O::Portrait, kZus, false, 0},
};
constexpr FormTypeRow kZusOrig[] = {
    {O::Portrait, kZus, false, 0}, {O::Portrait, kZus, true, 0},
};
constexpr FormTypeRow kTaxOwn[] = {
    {O::Landscape, kPlain, false, 0}, {O::Landscape, kPlain, false, 0}, {O::Landscape, kPlain, false, 0},
    {O::Portrait, kStubs, false, 85}, {O::Portrait, kStubs, false, 85},
};
constexpr FormTypeRow kTaxOrig[] = {
    {O::Landscape, kPlain, false, 0}, {O::Portrait, kPlain, true, 0}, {O::Portrait, kStubs, false, 85},
};

struct KindTables
{
    std::span<const FormTypeRow> own, orig;
    int templateBase;
    int templateCount;
};

const KindTables &tablesOf(FormKind kind)
{
    static constexpr KindTables kOrdinary{kOrdinaryOwn, kOrdinaryOrig, kOrdinaryTemplateBase, 5};
    static constexpr KindTables kZusTables{kZusOwn, kZusOrig, kZusTemplateBase, 2};
    static constexpr KindTables kTax{kTaxOwn, kTaxOrig, kTaxTemplateBase, 5};
    return kind == FormKind::Zus ? kZusTables : kind == FormKind::Tax ? kTax : kOrdinary;
}

bool kindOf(int code, FormKind &kind)
{
    if (code < KindOrdinary || code > KindTax)
        return false;
    kind = FormKind(code);
    return true;
}

} // namespace

QString printFontFamily(const QString &stored)
{
    // Looked up once per name: the parameters are built for every page.
    static QString lastStored, lastFamily;
    if (!lastFamily.isEmpty() && stored == lastStored)
        return lastFamily;
    const QString defaultFamily = PrintJobParams().fontName;
    const QString name = stored.trimmed();
    lastStored = stored;
    lastFamily = (name.isEmpty() || !QFontDatabase::hasFamily(name)) ? defaultFamily : name;
    return lastFamily;
}

const FormTypeRow &formTypeRow(FormKind kind, bool original, int formType)
{
    const std::span<const FormTypeRow> rows = original ? tablesOf(kind).orig : tablesOf(kind).own;
    return (formType >= 0 && formType < int(rows.size())) ? rows[formType] : rows[0];
}

QString templateName(FormKind kind, int formType)
{
    const KindTables &t = tablesOf(kind);
    const int index = t.templateBase + ((formType >= 0 && formType < t.templateCount) ? formType : 0);
    return QLatin1String(kFormTemplates[index].name);
}

namespace {

// The page parameters apart from the font family, which needs the font database.
PrintJobParams layoutParams(FormKind kind, const AllSettings &settings)
{
    const PrintSettings &ps = settings.forKind(kind);
    PrintJobParams p;
    p.fitInBox = ps.fitInBox;
    p.fontCharset = settings.general.fontCharset;
    // A stored size no font is made of (kept in the store as it was) prints at 10.
    const int size = settings.general.fontSize;
    p.fontSize = size >= 1 && size <= 200 ? size : 10;
    p.printSymbol = ps.printSymbol;
    p.singleCopy = ps.originalForm && formTypeRow(kind, true, ps.formTypeOrig).singleCopy;
    p.valueDelimiter = settings.general.valueDelimiter;
    p.opTypeMark = kind == FormKind::Tax ? ps.opType : 0;
    p.noZusAccount = kind == FormKind::Zus ? ps.doNotPrintZusBankNo : 0;
    p.threeZusBoxes = kind == FormKind::Zus ? ps.print3Kratki : 0;
    p.paymentQr = kind == FormKind::Zus ? 0 : ps.paymentQr;
    return p;
}

} // namespace

PrintJobParams printJobParams(FormKind kind, const AllSettings &settings)
{
    PrintJobParams p = layoutParams(kind, settings);
    p.fontName = printFontFamily(settings.general.fontName);
    return p;
}

namespace {

// Draws nothing: only the fields whose text was cut are noted.
class CuttingCanvas : public FormCanvas
{
public:
    void translate(int, int) override {}
    void drawSingleLine(const QRect &, const QString &) override {}
    void drawWrapped(const QRect &, const QString &) override {}
    void drawCentered(const QRect &, const QString &, Font) override {}
    void drawLine(QPoint, QPoint) override {}
    void fillRects(const QList<QRectF> &) override {}
    void drawBoxRow(const QRect &, const QString &, int) override {}
    int textWidth(const QString &text) override { return int(text.size()); }
};

} // namespace

QStringList cutFieldsOf(const CPrzelewDane &rec, const AllSettings &settings)
{
    FormKind kind;
    if (!kindOf(rec.kind, kind))
        return {};
    const PrintJobParams params = layoutParams(kind, settings);
    const bool templateMode = settings.forKind(kind).originalForm == 0;
    CuttingCanvas canvas;
    switch (kind) {
    case FormKind::Ordinary: DrawOrdinaryForm(canvas, params, rec, templateMode); break;
    case FormKind::Zus: DrawZusForm(canvas, params, rec, templateMode); break;
    case FormKind::Tax: DrawTaxForm(canvas, params, rec, templateMode); break;
    }
    return canvas.cutFields();
}

const FormTypeRow &CFormPrinter::pageRow(FormKind kind) const
{
    const PrintSettings &ps = m_settings.forKind(kind);
    const bool original = ps.originalForm != 0;
    // With the original-form setting on, the original type decides the
    // geometry even of a blank form, whose template the own type chooses.
    return formTypeRow(kind, original, original ? ps.formTypeOrig : ps.formType);
}

std::optional<QPageLayout::Orientation> CFormPrinter::pageOrientation(const CPrzelewDane &rec, bool blank,
                                                                      int blankKind) const
{
    FormKind kind;
    if (!kindOf(blank ? blankKind : rec.kind, kind))
        return std::nullopt;
    return pageRow(kind).orientation;
}

void CFormPrinter::PrepareFormPage(PrintDC &dc, const CPrzelewDane &rec, bool blank, int blankKind)
{
    FormKind kind;
    if (!kindOf(blank ? blankKind : rec.kind, kind))
        return;
    const PrintSettings &ps = m_settings.forKind(kind);
    const bool original = ps.originalForm != 0;
    const FormTypeRow &row = pageRow(kind);

    m_engine.m_sectionLayout = row.sectionLayout;
    m_engine.m_textOnly = (!blank && original) ? 1 : 0;
    m_engine.m_originX = -10 * ps.offsetX;
    m_engine.m_originY = -10 * (ps.offsetY + row.extraYShiftMm);
    m_engine.m_scaleX = ps.scaleX * 0.01;
    m_engine.m_scaleY = ps.scaleY * 0.01;
    if (!original || blank)
        m_engine.LoadTemplate(templateName(kind, ps.formType));

    if (dc.pdf)
        dc.pdf->setPageOrientation(row.orientation);
    else if (dc.device && dc.device->pageLayout().orientation() != row.orientation)
        dc.device->setPageOrientation(row.orientation);
    m_engine.PrepareDC(dc);
}

void CFormPrinter::PrintFormPage(PrintDC &dc, const CPrzelewDane &rec, bool blank, int blankKind)
{
    FormKind kind;
    if (!kindOf(blank ? blankKind : rec.kind, kind))
        return;
    const PrintSettings &ps = m_settings.forKind(kind);
    const PrintJobParams params = printJobParams(kind, m_settings);
    const int mode = blank ? CPrintEngine::TemplateOnly
                           : ps.originalForm ? CPrintEngine::TextOnly : CPrintEngine::TemplateAndText;
    m_engine.Print(mode, dc, params, rec);
    if (!ps.originalForm)
        m_engine.ReleaseTemplate();
}

FormPageJob::FormPageJob(CFormPrinter &printer, PageTarget target)
    : m_printer(printer), m_target(target),
      m_orientation(target.pdf ? target.pdf->pageLayout().orientation() : target.device->pageLayout().orientation())
{
}

bool FormPageJob::printPage(const CPrzelewDane &rec, bool blank, int blankKind)
{
    PrintDC dc{&m_painter, m_target.device, m_target.pdf};
    m_printer.engine().takeCutFields();
    m_printer.engine().takePaymentQrProblem();
    m_printer.PrepareFormPage(dc, rec, blank, blankKind);
    if (m_target.pdf) {
        if (!m_target.pdf->newPage())
            return false;
    } else if (m_pages == 0) {
        if (!m_painter.begin(m_target.device))
            return false;
    } else if (!m_target.device->newPage()) {
        return false;
    }
    ++m_pages;
    // Starting a page may reset the device; set the page up once more.
    m_printer.PrepareFormPage(dc, rec, blank, blankKind);
    m_printer.PrintFormPage(dc, rec, blank, blankKind);
    m_lastCut = m_printer.engine().takeCutFields();
    m_lastQrProblem = m_printer.engine().takePaymentQrProblem();
    return true;
}

void FormPageJob::end()
{
    if (m_target.pdf) {
        if (m_pages > 0)
            m_target.pdf->finish();
        return;
    }
    if (m_painter.isActive())
        m_painter.end();
    // The printer is the application's: the next print dialog opens as before the job.
    if (m_target.device->pageLayout().orientation() != m_orientation)
        m_target.device->setPageOrientation(m_orientation);
}
