#include "print/FormPages.h"

#include "print/PdfDocument.h"

#include <QPagedPaintDevice>

FormPageJob::FormPageJob(CFormPrinter &printer, PageTarget target)
    : m_printer(printer), m_target(target), m_orientation(target.orientation())
{
    m_target.painter = &m_painter;
}

bool FormPageJob::startPage()
{
    if (m_target.pdf)
        return m_target.pdf->newPage();
    if (m_pages == 0)
        return m_painter.begin(m_target.device);
    return m_target.device->newPage();
}

std::optional<PrintedPage> FormPageJob::printPage(const CPrzelewDane &rec, bool blank, int blankKind)
{
    const std::optional<PagePlan> plan = m_printer.plan(rec, blank, blankKind);
    // The sheet is turned before the page starts, which takes its turn then.
    if (plan)
        m_target.turn(plan->orientation);
    if (!startPage())
        return std::nullopt;
    ++m_pages;
    if (!plan)
        return PrintedPage();
    // Starting a page may reset the device's settings: turn it once more.
    m_target.turn(plan->orientation);
    return m_printer.engine().Print(*plan, m_target, rec);
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
    m_target.turn(m_orientation);
}
