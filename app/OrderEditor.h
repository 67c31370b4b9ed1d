#pragma once
// What the list of orders decides, apart from how it is shown: the working
// record the details dialog edits and which order it came from; adding,
// saving, deleting and sorting orders through the undo stack; printing and
// previewing; following the list's selection while the dialog is open,
// asking first when the dialog holds edits. The list view shows its model
// and selection and hands clicks on; the main window runs its commands here.
// The document is modified while the stack is away from the state last
// saved or opened.

#include "app/OrderCommands.h"
#include "app/OrderPrinting.h"
#include "base/Settings.h"
#include "model/PrzelewDane.h"
#include "register/RegisterLocation.h"

#include <QObject>

class CContainerDlg;
class CFormPrinter;
class CKantomixDoc;
class COrderListModel;
class QItemSelection;
class QItemSelectionModel;
class QPagedPaintDevice;
class QPrinter;
class QUndoStack;
class QWidget;

class COrderEditor : public QObject
{
    Q_OBJECT
public:
    // Its dialogs and message boxes open over `window`.
    COrderEditor(CKantomixDoc &doc, CFormPrinter &forms, QWidget *window);
    ~COrderEditor() override;

    // The rows the list shows and the list's selection.
    COrderListModel *listModel() const { return m_model; }
    QItemSelectionModel *selection() const { return m_selection; }
    // Rows selected, ascending.
    QList<int> selectedRows() const;

    // The document was emptied or opened (it says so itself): its orders
    // sorted by the current column and direction, the first row current but
    // not chosen, nothing to take back, the dialog's order forgotten.
    void showDocument();

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

    // Print and preview commands: the selected orders or every order, or an
    // empty form of the kind (0, 1, 2).
    void OnFilePrint(QPrinter &printer);
    void OnFilePrintPreview(QPrinter &printer);
    void OnBlankForm(QPrinter &printer, int kind);
    OrderPrintRequest currentPrintRequest() const;
    // Prints without a dialog; gives the pages printed or -1.
    int printRequest(QPagedPaintDevice &device, const OrderPrintRequest &request);

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

    // A left click on the list at `row` (-1: the empty area below the rows),
    // before the list moves its selection: false when it would show another
    // order and the user stays with the dialog's edits (the click goes nowhere).
    bool clickMayMoveOn(int row);
    // The same click, after the list took it, when the dialog was open
    // before it: the empty area starts a new order there; an order is shown
    // there, also after a save that closed the dialog.
    void showClicked(int row);
    bool detailsShown() const;

Q_SIGNALS:
    // The list was sorted by another column or direction (also by an undo).
    void sortChanged(ListSort sort);
    // showDocument() is done: the list may show its top.
    void documentShown();

private:
    bool runPrintDialog(QPrinter &printer, OrderPrintRequest &request);
    // Before printing: names the orders whose texts will be cut on paper and
    // asks whether to go on. True to print.
    bool confirmCuts(const OrderPrintRequest &request, QWidget *parent);
    void printOrWarn(QPrinter &printer, const OrderPrintRequest &request, QWidget *parent);
    // The dialog's edits would give way to another order: asks whether to
    // save them. False when the user stays with them.
    bool settleEditsBeforeSwitching();
    bool isEdited(int row) const;
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
    QWidget *m_window;
    COrderListModel *m_model;
    QItemSelectionModel *m_selection;
    QUndoStack *m_undo;

    CPrzelewDane m_work;                        // what the details dialog edits
    CContainerDlg *m_details = nullptr;        // over the window, deleted with the editor
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
};
