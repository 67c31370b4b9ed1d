#pragma once
// What a print or preview command of the list prints: a range of orders, one
// page each, or one empty form; and the loop that puts it onto a device with
// the same page sequence as the batch print.

#include <QList>

class CFormPrinter;
class CKantomixDoc;
class QPagedPaintDevice;

struct OrderPrintRequest
{
    bool blank = false;     // an empty form of blankKind instead of orders
    int blankKind = 0;
    int firstRow = 0;       // inclusive; a range with lastRow < firstRow prints nothing
    int lastRow = -1;

    // The selected rows decide the range: from the first to the last selected
    // row, the rows between them included; no selection means every order.
    static OrderPrintRequest forRows(const QList<int> &selectedRows, int orderCount);
    static OrderPrintRequest forBlankForm(int kind);

    int pageCount() const { return blank ? 1 : qMax(0, lastRow - firstRow + 1); }
};

// Prints the request; gives the number of pages printed, or -1 when the job
// or a page could not be started.
int printOrderPages(CFormPrinter &printer, QPagedPaintDevice &device, const CKantomixDoc &doc,
                    const OrderPrintRequest &request);
