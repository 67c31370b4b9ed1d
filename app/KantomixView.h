#pragma once
// The list of the document's orders: seven columns, several rows selectable,
// sorted by a click on a column header (a second click turns the order).
// Deletes, prints and previews the selected orders and prints empty forms.

#include "app/OrderPrinting.h"

#include <QTableView>

class CFormPrinter;
class CKantomixDoc;
class COrderListModel;
class QPrinter;

class CKantomixView : public QTableView
{
    Q_OBJECT
public:
    CKantomixView(CKantomixDoc &doc, CFormPrinter &forms, QWidget *parent = nullptr);

    COrderListModel *listModel() const { return m_model; }
    // Rows selected, ascending.
    QList<int> selectedRowList() const;

    // The document was emptied or opened: show it sorted by the current
    // column and direction, with its first row selected.
    void OnInitialUpdate();

    // Sorts the document again by the column and direction the header shows
    // (after orders were appended); the selection stays on its orders.
    void sortAsShown();

    // Asks message 40000 and deletes the selected orders on Yes.
    void OnDeleteOrders();
    // Print and preview commands: the selected range or every order, or an
    // empty form of the kind (0, 1, 2).
    void OnFilePrint(QPrinter &printer);
    void OnFilePrintPreview(QPrinter &printer);
    void OnBlankForm(QPrinter &printer, int kind);

    OrderPrintRequest currentPrintRequest() const;
    // Prints without a dialog; gives the pages printed or -1.
    int printRequest(QPagedPaintDevice &device, const OrderPrintRequest &request);

    // What the empty list shows: how to add an order, open a file or print a form.
    static QString emptyListHint();

Q_SIGNALS:
    // The document's orders or the selection changed: commands may change state.
    void stateChanged();
    // The document was changed by a command of the view.
    void documentModified();
    void contextMenuWanted(const QPoint &globalPos);

protected:
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QPoint keyboardMenuPosition() const;
    bool runPrintDialog(QPrinter &printer, OrderPrintRequest &request);

    CKantomixDoc &m_doc;
    CFormPrinter &m_forms;
    COrderListModel *m_model;
};
