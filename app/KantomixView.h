#pragma once
// The list of the document's orders: seven columns, several rows selectable,
// sorted by a click on a column header (a second click turns the order).
// Deletes, prints and previews the selected orders and prints empty forms.
// Every change of the orders goes through its undo stack; the document is
// modified while the stack is away from the state last saved or opened.
// Orders are added and edited in the details dialog, which works on the
// view's working record and follows the selection while it is open.

#include "app/OrderCommands.h"
#include "app/OrderPrinting.h"
#include "base/Settings.h"
#include "model/PrzelewDane.h"
#include "register/RegisterLocation.h"

#include <QTableView>

class CContainerDlg;
class CFormPrinter;
class CKantomixDoc;
class COrderListModel;
class QPrinter;
class QUndoStack;

class CKantomixView : public QTableView
{
    Q_OBJECT
public:
    CKantomixView(CKantomixDoc &doc, CFormPrinter &forms, QWidget *parent = nullptr);
    ~CKantomixView() override;

    // Rows selected, ascending.
    QList<int> selectedRowList() const;

    // The document was emptied or opened (it says so itself): show it
    // sorted by the current column and direction, its first row current.
    void OnInitialUpdate();

    // The sort the header's arrow shows.
    ListSort currentSort() const { return m_sort; }
    // A click on column c's header, or its entry of "Sortuj według": sorts by
    // it, ascending, or turns the direction when it is the sort column.
    void sortByColumnClick(int column);

    QUndoStack *undoStack() const { return m_undo; }
    // Appends orders read from a ZUS file, sorted in under the arrow, as one undoable step.
    void importOrders(std::vector<CPrzelewDane> &&orders);

    // Asks message 40000 with the count and deletes the selected orders on Yes.
    void OnDeleteOrders();
    // Print and preview commands: the selected range or every order, or an
    // empty form of the kind (0, 1, 2).
    void OnFilePrint(QPrinter &printer);
    void OnFilePrintPreview(QPrinter &printer);
    void OnBlankForm(QPrinter &printer, int kind);

    // The details dialog, made once the settings, the register and the
    // printer it prints on are known.
    void createDetailsDialog(const AllSettings &settings, const RegisterLocation &where, QPrinter &printer);
    // New orders and the details dialog use the register there from now on.
    void setRegisterLocation(const RegisterLocation &where);
    CContainerDlg *detailsDialog() const { return m_details; }
    const CPrzelewDane &workingRecord() const { return m_work; }
    // Adds an order of the kind: the default sender from the register, the dialog shown.
    void OnAddOrder(int kind);
    // Edits the first selected order; without a selection adds one.
    void OnEditOrder();
    // Whether the edit command applies: a row is selected and its kind has a page.
    bool canEditSelection() const;
    // The dialog's "Z&apisz": a new order is appended and the next one
    // started; an edited order is put back in its place and the dialog hidden.
    void OnSaveDetails();
    // The dialog's "Dr&ukuj": its order on one page, through the print dialog.
    void OnPrintDetails();
    // Before the document is replaced or the program ends: true when the
    // dialog's unsaved edits were saved or dropped, false to stay.
    bool settleDetailsEdits();

    OrderPrintRequest currentPrintRequest() const;
    // Prints without a dialog; gives the pages printed or -1.
    int printRequest(QPagedPaintDevice &device, const OrderPrintRequest &request);

    // What the empty list shows: how to add an order, open a file or print a form.
    static QString emptyListHint();

Q_SIGNALS:
    // The list was sorted by another column or direction (also by an undo).
    void sortChanged(ListSort sort);
    void contextMenuWanted(const QPoint &globalPos);

protected:
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QPoint keyboardMenuPosition() const;
    bool runPrintDialog(QPrinter &printer, OrderPrintRequest &request);
    // Before printing: names the orders whose texts will be cut on paper and
    // asks whether to go on. True to print.
    bool confirmCuts(const OrderPrintRequest &request, QWidget *parent);
    // The dialog's edits would give way to another order: asks whether to
    // save them. False when the user stays with them.
    bool settleEditsBeforeSwitching();
    void restoreSelection(int row);
    void startNewOrder(int kind);
    void showDetails(bool activate);
    void editRow(int row);
    void followSelection(const QItemSelection &selected);
    int editedRow() const;
    void forgetRemoved(int first, int last);
    void showSort(ListSort sort);
    void updateModified();

    CKantomixDoc &m_doc;
    CFormPrinter &m_forms;
    COrderListModel *m_model;

    CPrzelewDane m_work;                        // what the details dialog edits
    CContainerDlg *m_details = nullptr;
    QPrinter *m_printer = nullptr;
    const AllSettings *m_settings = nullptr;
    RegisterLocation m_where;
    bool m_switching = false;                   // asking before another order is shown
    // The order being edited, itself rather than its row, so that a sort or
    // a delete never makes a save overwrite another order; null when adding
    // or when it was deleted meanwhile.
    const CPrzelewDane *m_editedOrder = nullptr;
    bool m_adding = true;
    ListSort m_sort;
    QUndoStack *m_undo;
};
