#include "print/PagePlan.h"

#include "model/PrzelewDane.h"
#include "print/FormLayouts.h"
#include "print/FormTemplates.h"

#include <QFontDatabase>
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

// What the field layouts read of the settings, apart from the font family,
// which needs the font database.
PrintJobParams fieldParams(FormKind kind, const AllSettings &settings)
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

// The plan of a kind's page, the font family left at its default.
PagePlan planOf(FormKind kind, const AllSettings &settings, bool blank)
{
    const PrintSettings &ps = settings.forKind(kind);
    const bool original = ps.originalForm != 0;
    // With the original-form setting on, the original type decides the
    // geometry even of a blank form, whose template the own type chooses.
    const FormTypeRow &row = formTypeRow(kind, original, original ? ps.formTypeOrig : ps.formType);
    PagePlan plan;
    plan.orientation = row.orientation;
    plan.sectionLayout = row.sectionLayout;
    plan.mode = blank ? CPrintEngine::TemplateOnly : original ? CPrintEngine::TextOnly : CPrintEngine::TemplateAndText;
    if (!plan.textOnly()) {
        // The frame decides the page geometry even when the picture is
        // missing, so the texts land where they would on the template.
        plan.templateName = templateName(kind, ps.formType);
        plan.templateRect = templateFrame(plan.templateName);
    }
    plan.origin = QPoint(-10 * ps.offsetX, -10 * (ps.offsetY + row.extraYShiftMm));
    plan.scaleX = ps.scaleX * 0.01;
    plan.scaleY = ps.scaleY * 0.01;
    plan.fields = fieldParams(kind, settings);
    return plan;
}

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

QString printFontFamily(const QString &stored)
{
    // Looked up once per name: a plan is made for every page.
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

QRect templateFrame(const QString &name)
{
    const FormTemplate *t = findFormTemplate(name);
    return t ? QRect(0, 0, t->frameWidth / 10, t->frameHeight / 10) : QRect();
}

std::optional<PagePlan> planPage(const AllSettings &settings, const CPrzelewDane &rec, bool blank, int blankKind)
{
    FormKind kind;
    if (!kindOf(blank ? blankKind : rec.kind, kind))
        return std::nullopt;
    PagePlan plan = planOf(kind, settings, blank);
    plan.fields.fontName = printFontFamily(settings.general.fontName);
    return plan;
}

QStringList cutFieldsOf(const CPrzelewDane &rec, const AllSettings &settings)
{
    FormKind kind;
    if (!kindOf(rec.kind, kind))
        return {};
    const PagePlan plan = planOf(kind, settings, false);
    CuttingCanvas canvas;
    DrawFormOfKind(canvas, plan.fields, rec, !plan.textOnly());
    return canvas.cutFields();
}
