#include "app/OrderPrinting.h"

#include "model/KantomixDoc.h"
#include "print/FormPages.h"

#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>

OrderPrintRequest OrderPrintRequest::forRows(const QList<int> &selectedRows, int orderCount)
{
    OrderPrintRequest r;
    if (selectedRows.isEmpty()) {
        r.lastRow = orderCount - 1;
        return r;
    }
    const auto [lo, hi] = std::minmax_element(selectedRows.begin(), selectedRows.end());
    r.firstRow = *lo;
    r.lastRow = std::min(*hi, orderCount - 1);
    return r;
}

OrderPrintRequest OrderPrintRequest::forBlankForm(int kind)
{
    OrderPrintRequest r;
    r.blank = true;
    r.blankKind = kind;
    return r;
}

OrderPrintRequest OrderPrintRequest::forOrder(const CPrzelewDane &order)
{
    OrderPrintRequest r;
    r.order = &order;
    return r;
}

int printOrderPages(CFormPrinter &printer, QPagedPaintDevice &device, const CKantomixDoc &doc,
                    const OrderPrintRequest &request)
{
    FormPageJob job(printer, device);
    if (request.blank) {
        CPrzelewDane blank;
        blank.SetKind(request.blankKind);
        if (!job.printPage(blank, true, request.blankKind))
            return -1;
    } else if (request.order) {
        if (!job.printPage(*request.order))
            return -1;
    } else {
        const int last = std::min(request.lastRow, doc.count() - 1);
        for (int row = std::max(0, request.firstRow); row <= last; ++row)
            if (!job.printPage(doc.at(row)))
                return -1;
    }
    job.end();
    return job.pageCount();
}

QStringList cutOrderLines(const AllSettings &settings, const CKantomixDoc &doc, const OrderPrintRequest &request)
{
    QStringList lines;
    const auto note = [&](const CPrzelewDane &order, const QString &which) {
        const QStringList cut = cutFieldsOf(order, settings);
        if (!cut.isEmpty())
            lines << QStringLiteral("%1 (%2): %3").arg(which, order.recipient1, cut.join(QStringLiteral(", ")));
    };
    if (request.blank)
        return lines;
    if (request.order) {
        note(*request.order, QStringLiteral("przelew z okna szczegółów"));
        return lines;
    }
    const int last = std::min(request.lastRow, doc.count() - 1);
    for (int row = std::max(0, request.firstRow); row <= last; ++row)
        note(doc.at(row), QStringLiteral("przelew nr %1").arg(row + 1));
    return lines;
}

void setUpPrintDialog(QPrintDialog &dialog, QPrinter &printer, const OrderPrintRequest &request, int orderCount,
                      bool rowsSelected)
{
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    // The title says at once what will be printed; the range choice sits under "Opcje".
    dialog.setWindowTitle(request.blank ? QStringLiteral("Drukowanie pustego formularza")
                          : request.order ? QStringLiteral("Drukowanie przelewu z okna szczegółów")
                          : rowsSelected ? QStringLiteral("Drukowanie zaznaczonych przelewów (%1–%2 z %3)")
                                               .arg(request.firstRow + 1).arg(request.lastRow + 1).arg(orderCount)
                                         : QStringLiteral("Drukowanie wszystkich przelewów (%1)").arg(orderCount));
    if (request.singlePage()) {
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        printer.setPrintRange(QPrinter::AllPages);
        return;
    }
    // Pages are rows counted from 1.
    dialog.setOption(QAbstractPrintDialog::PrintSelection, rowsSelected);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(1, std::max(1, orderCount));
    printer.setFromTo(request.firstRow + 1, std::max(request.firstRow, request.lastRow) + 1);
    printer.setPrintRange(rowsSelected ? QPrinter::Selection : QPrinter::AllPages);
}

void takePrintDialogChoice(QPrinter &printer, OrderPrintRequest &request, int orderCount)
{
    if (!request.singlePage()) {
        switch (printer.printRange()) {
        case QPrinter::Selection:
            break;  // the selected range as it was
        case QPrinter::PageRange:
            if (printer.fromPage() > 0) {
                request.firstRow = printer.fromPage() - 1;
                request.lastRow = std::min(std::max(printer.toPage(), printer.fromPage()), orderCount) - 1;
                break;
            }
            [[fallthrough]];
        default:
            request.firstRow = 0;
            request.lastRow = orderCount - 1;
            break;
        }
    }
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(0, 0);
}
