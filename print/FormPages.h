#pragma once
// Turns the stored settings of a form kind into engine state for one page
// and runs a print job of one page per order. Needs no window.

#include "base/Settings.h"
#include "print/PrintEngine.h"

#include <QPageLayout>
#include <QPainter>
#include <optional>

class CPrzelewDane;
class PdfDocument;
class QPagedPaintDevice;

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
// The print font's family: the stored name, or the default print font when
// the name is empty or no such font is installed.
QString printFontFamily(const QString &stored);
// The page parameters of a kind, from its settings and the general ones.
PrintJobParams printJobParams(FormKind kind, const AllSettings &settings);

// The fields of an order whose text will be cut on paper, as the settings of
// its kind print it (one character per box has room for so many); each named
// as the form labels it. Empty for an order of no known kind.
QStringList cutFieldsOf(const CPrzelewDane &rec, const AllSettings &settings);

class CFormPrinter
{
public:
    explicit CFormPrinter(const AllSettings &settings) : m_settings(settings) {}

    // Sets the engine up for the page and switches the device's orientation.
    // Call before the page starts and again after it started.
    void PrepareFormPage(PrintDC &dc, const CPrzelewDane &rec, bool blank, int blankKind);
    void PrintFormPage(PrintDC &dc, const CPrzelewDane &rec, bool blank, int blankKind);
    // The orientation PrepareFormPage gives the page; none for an unknown kind
    // (the page keeps the device's orientation).
    std::optional<QPageLayout::Orientation> pageOrientation(const CPrzelewDane &rec, bool blank, int blankKind) const;

    CPrintEngine &engine() { return m_engine; }

private:
    const FormTypeRow &pageRow(FormKind kind) const;

    const AllSettings &m_settings;
    CPrintEngine m_engine;
};

// Where a job's pages go: a paged device drawn with a painter (printers,
// the preview), or our own PDF writer.
struct PageTarget
{
    PageTarget(QPagedPaintDevice &d) : device(&d) {}
    PageTarget(PdfDocument &p) : pdf(&p) {}
    QPagedPaintDevice *device = nullptr;
    PdfDocument *pdf = nullptr;
};

// One print job, one page per order. Nothing is written before the first
// page, so a job without pages writes nothing.
class FormPageJob
{
public:
    FormPageJob(CFormPrinter &printer, PageTarget target);
    ~FormPageJob() { end(); }

    // False when the job or the page could not be started.
    bool printPage(const CPrzelewDane &rec, bool blank = false, int blankKind = 0);
    // Ends the job (a PDF of ours is completed); the device gets back the
    // orientation it had before it.
    void end();
    int pageCount() const { return m_pages; }
    // Fields of the last page whose text was cut on the paper.
    const QStringList &lastPageCut() const { return m_lastCut; }
    // Why the last page lacks the payment QR code it was to carry; empty otherwise.
    const QString &lastPageQrProblem() const { return m_lastQrProblem; }

private:
    CFormPrinter &m_printer;
    PageTarget m_target;
    QPainter m_painter;
    QPageLayout::Orientation m_orientation;
    int m_pages = 0;
    QStringList m_lastCut;
    QString m_lastQrProblem;
};
