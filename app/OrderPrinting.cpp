#include "app/OrderPrinting.h"

#include "model/KantomixDoc.h"
#include "print/FormPages.h"

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

int printOrderPages(CFormPrinter &printer, QPagedPaintDevice &device, const CKantomixDoc &doc,
                    const OrderPrintRequest &request)
{
    FormPageJob job(printer, device);
    if (request.blank) {
        CPrzelewDane blank;
        blank.SetKind(request.blankKind);
        if (!job.printPage(blank, true, request.blankKind))
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
