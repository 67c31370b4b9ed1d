#pragma once
// Print jobs of one page per order: each page planned from the settings and
// the order, its sheet turned, started, and drawn by the engine. Needs no
// window.

#include "base/Settings.h"
#include "print/PagePlan.h"
#include "print/PrintEngine.h"

#include <QPageLayout>
#include <QPainter>
#include <optional>

class CPrzelewDane;

// The settings pages are planned from (read anew for every page: the
// options may change them between jobs) and the engine that draws them,
// whose parsed templates last the whole run.
class CFormPrinter
{
public:
    explicit CFormPrinter(const AllSettings &settings) : m_settings(settings) {}

    // The page of an order, or of an empty form of blankKind (see planPage).
    std::optional<PagePlan> plan(const CPrzelewDane &rec, bool blank = false, int blankKind = 0) const
    {
        return planPage(m_settings, rec, blank, blankKind);
    }
    CPrintEngine &engine() { return m_engine; }

private:
    const AllSettings &m_settings;
    CPrintEngine m_engine;
};

// One print job, one page per order. Nothing is written before the first
// page, so a job without pages writes nothing.
class FormPageJob
{
public:
    // The job draws on the target's device with a painter of its own.
    FormPageJob(CFormPrinter &printer, PageTarget target);
    ~FormPageJob() { end(); }

    // Prints the page of an order, or of an empty form of blankKind; none
    // when the job or the page could not be started.
    std::optional<PrintedPage> printPage(const CPrzelewDane &rec, bool blank = false, int blankKind = 0);
    // Ends the job (a PDF of ours is completed); the device gets back the
    // orientation it had before it.
    void end();
    int pageCount() const { return m_pages; }

private:
    bool startPage();

    CFormPrinter &m_printer;
    PageTarget m_target;
    QPainter m_painter;
    QPageLayout::Orientation m_orientation;
    int m_pages = 0;
};
