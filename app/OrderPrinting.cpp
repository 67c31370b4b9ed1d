#include "app/OrderPrinting.h"

#include "model/KantomixDoc.h"
#include "print/FormPages.h"

#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>

OrderPrintRequest OrderPrintRequest::forRows(const QList<int> &selectedRows, int orderCount)
{
    if (selectedRows.isEmpty())
        return forRange(0, orderCount - 1, orderCount);
    OrderPrintRequest r;
    r.selection = true;
    for (int row : selectedRows)
        if (row >= 0 && row < orderCount)
            r.rows << row;
    std::sort(r.rows.begin(), r.rows.end());
    r.rows.erase(std::unique(r.rows.begin(), r.rows.end()), r.rows.end());
    return r;
}

OrderPrintRequest OrderPrintRequest::forRange(int first, int last, int orderCount)
{
    OrderPrintRequest r;
    last = std::min(last, orderCount - 1);
    for (int row = std::max(0, first); row <= last; ++row)
        r.rows << row;
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
        for (int row : request.rows)
            if (row < doc.count() && !job.printPage(doc.at(row)))
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
    for (int row : request.rows)
        if (row < doc.count())
            note(doc.at(row), QStringLiteral("przelew nr %1").arg(row + 1));
    return lines;
}

void setUpPrintDialog(QPrintDialog &dialog, QPrinter &printer, const OrderPrintRequest &request, int orderCount)
{
    const bool rowsSelected = request.selection && !request.rows.isEmpty();
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    // The title says at once what will be printed; the range choice sits under "Opcje".
    dialog.setWindowTitle(request.blank ? QStringLiteral("Drukowanie pustego formularza")
                          : request.order ? QStringLiteral("Drukowanie przelewu z okna szczegółów")
                          : rowsSelected ? QStringLiteral("Drukowanie zaznaczonych przelewów: %1 z %2")
                                               .arg(request.rows.size()).arg(orderCount)
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
    if (rowsSelected)
        printer.setFromTo(request.rows.first() + 1, request.rows.last() + 1);
    else
        printer.setFromTo(1, std::max(1, orderCount));
    printer.setPrintRange(rowsSelected ? QPrinter::Selection : QPrinter::AllPages);
}

void takePrintDialogChoice(QPrinter &printer, OrderPrintRequest &request, int orderCount)
{
    if (!request.singlePage()) {
        const QPrinter::PrintRange range = printer.printRange();
        // Pages are rows counted from 1; the selection stays as it was chosen.
        if (range == QPrinter::PageRange && printer.fromPage() > 0)
            request = OrderPrintRequest::forRange(printer.fromPage() - 1,
                                                  std::max(printer.toPage(), printer.fromPage()) - 1, orderCount);
        else if (range != QPrinter::Selection || !request.selection)
            request = OrderPrintRequest::forRange(0, orderCount - 1, orderCount);
    }
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(0, 0);
}
