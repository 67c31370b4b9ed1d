#pragma once
// Turns the stored settings of a form kind into engine state for one page
// and runs a print job of one page per order. Needs no window.

#include "base/Settings.h"
#include "print/PrintEngine.h"

#include <QPageLayout>
#include <QPainter>
#include <optional>

class CPrzelewDane;
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
// The page parameters of a kind, from its settings and the general ones.
PrintJobParams printJobParams(FormKind kind, const AllSettings &settings);

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

// One print job on a paged device, one page per order. The painter begins
// with the first page, so a job without pages writes nothing.
class FormPageJob
{
public:
    FormPageJob(CFormPrinter &printer, QPagedPaintDevice &device) : m_printer(printer), m_device(device) {}
    ~FormPageJob() { end(); }

    // False when the job or the page could not be started.
    bool printPage(const CPrzelewDane &rec, bool blank = false, int blankKind = 0);
    void end();
    int pageCount() const { return m_pages; }

private:
    CFormPrinter &m_printer;
    QPagedPaintDevice &m_device;
    QPainter m_painter;
    int m_pages = 0;
};
