#pragma once
// One page of an order as the settings of its form kind print it, worked out
// once from the settings and the order before the page starts: the sheet's
// turn, the template, where and how large the texts go, and what the field
// layouts read. Needs no device.

#include "base/Settings.h"
#include "print/PrintEngine.h"

#include <QPageLayout>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <optional>

class CPrzelewDane;

// What a form-type number selects.
struct FormTypeRow
{
    QPageLayout::Orientation orientation;
    int sectionLayout;          // CPrintEngine::SectionLayout
    bool singleCopy;
    int extraYShiftMm;
};

// The row of a kind's own (template) or original form type; out-of-range
// numbers give the kind's first row.
const FormTypeRow &formTypeRow(FormKind kind, bool original, int formType);
// The template resource name of a kind's own form type.
QString templateName(FormKind kind, int formType);
// The frame of a template, (0, 0) to its size in 0.1 mm; empty for an unknown name.
QRect templateFrame(const QString &name);
// The print font's family: the stored name, or the default print font when
// the name is empty or no such font is installed.
QString printFontFamily(const QString &stored);

struct PagePlan
{
    QPageLayout::Orientation orientation = QPageLayout::Landscape;
    int sectionLayout = CPrintEngine::PlainSections;
    int mode = CPrintEngine::TemplateAndText;   // CPrintEngine::PrintMode
    QString templateName;       // drawn under the texts; empty on a pre-printed original
    QRect templateRect;         // the template's frame, 0.1 mm
    QPoint origin;              // the logical window origin: the shift setting negated, 0.1 mm
    double scaleX = 1.0;
    double scaleY = 1.0;
    PrintJobParams fields;      // what the field layouts read

    // The texts go onto a pre-printed form: logical (0, 0) is the sheet's corner.
    bool textOnly() const { return mode == CPrintEngine::TextOnly; }
};

// The page of an order, or with `blank` an empty form of blankKind. None for
// a kind code outside the three: such a page stays empty and keeps the
// sheet's turn.
std::optional<PagePlan> planPage(const AllSettings &settings, const CPrzelewDane &rec, bool blank = false,
                                 int blankKind = 0);

// The fields of an order whose text will be cut on paper, as the settings of
// its kind print it (one character per box has room for so many); each named
// as the form labels it. Empty for an order of no known kind.
QStringList cutFieldsOf(const CPrzelewDane &rec, const AllSettings &settings);
