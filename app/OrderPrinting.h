#pragma once
// What a print or preview command of the list prints: chosen orders, one
// page each, or one empty form; and the loop that puts it onto a device with
// the same page sequence as the batch print.

#include "base/Settings.h"

#include <QList>
#include <QStringList>

class CFormPrinter;
class CKantomixDoc;
class CPrzelewDane;
class QPagedPaintDevice;
class QPrintDialog;
class QPrinter;

struct OrderPrintRequest
{
    bool blank = false;     // an empty form of blankKind instead of orders
    int blankKind = 0;
    QList<int> rows;        // the rows printed, ascending, one page each
    bool selection = false; // the rows are the ones selected in the list
    const CPrzelewDane *order = nullptr;    // one given order (the details dialog's) instead of rows

    // Exactly the selected rows (those beyond the orders dropped); no
    // selection means every order.
    static OrderPrintRequest forRows(const QList<int> &selectedRows, int orderCount);
    // Every row from `first` to `last` (from 0), within the orders.
    static OrderPrintRequest forRange(int first, int last, int orderCount);
    static OrderPrintRequest forBlankForm(int kind);
    static OrderPrintRequest forOrder(const CPrzelewDane &order);

    // One page whatever the selection: an empty form or a given order.
    bool singlePage() const { return blank || order; }
    int pageCount() const { return singlePage() ? 1 : int(rows.size()); }
};

// Prints the request; gives the number of pages printed, or -1 when the job
// or a page could not be started.
int printOrderPages(CFormPrinter &printer, QPagedPaintDevice &device, const CKantomixDoc &doc,
                    const OrderPrintRequest &request);

// The orders of the request whose texts will be cut on paper, one line
// each: the order's place in the list, its recipient and the fields cut.
// Empty when everything fits (and for an empty form).
QStringList cutOrderLines(const AllSettings &settings, const CKantomixDoc &doc, const OrderPrintRequest &request);

// Opens the print dialog on the request: "Wszystkie" for every order, or,
// with rows selected, the selection chosen (its title says how many) and the
// pages from its first to its last row filled in should the user want a
// range instead; an empty form offers no choice of pages.
void setUpPrintDialog(QPrintDialog &dialog, QPrinter &printer, const OrderPrintRequest &request, int orderCount);
// Takes the choice made in the dialog into the request, and leaves the
// printer printing every page it is given (the pages were chosen here).
void takePrintDialogChoice(QPrinter &printer, OrderPrintRequest &request, int orderCount);
