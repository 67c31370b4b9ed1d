#include "app/OrderEditor.h"

#include "app/OrderListModel.h"
#include "app/OrderPreview.h"
#include "app/PdfTarget.h"
#include "app/RegisterCommands.h"
#include "base/AppIdentity.h"
#include "base/Messages.h"
#include "edit/ContainerDlg.h"
#include "edit/DetailsPage.h"
#include "model/KantomixDoc.h"

#include <QItemSelectionModel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>
#include <QUndoStack>
#include <algorithm>

COrderEditor::COrderEditor(CKantomixDoc &doc, CFormPrinter &forms, QWidget *window)
    : m_doc(doc), m_forms(forms), m_window(window),
      // Made before this object's own connections: the rows follow each
      // change of the document before the editor acts on it.
      m_model(new COrderListModel(doc, this)), m_selection(new QItemSelectionModel(m_model, this)),
      m_undo(new QUndoStack(this))
{
    connect(m_undo, &QUndoStack::indexChanged, this, &COrderEditor::updateModified);
    connect(m_undo, &QUndoStack::cleanChanged, this, &COrderEditor::updateModified);
    // Whatever made the document unmodified (a save), its state now is the one on disk.
    connect(&doc, &CKantomixDoc::modifiedChanged, this, [this](bool modified) {
        if (!modified)
            m_undo->setClean();
    });
    connect(&doc, &CKantomixDoc::reset, this, &COrderEditor::showDocument);
    connect(&doc, &CKantomixDoc::aboutToReset, this, [this] { m_editedOrder = nullptr; });
    connect(&doc, &CKantomixDoc::ordersAboutToBeRemoved, this, &COrderEditor::forgetRemoved);
    connect(m_selection, &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection &selected) { followSelection(selected); });
}

COrderEditor::~COrderEditor()
{
    // The stack empties itself as it goes: nobody half destroyed may hear of it.
    m_undo->disconnect();
    // The dialog edits this object's record: it goes first.
    delete m_details;
}

void COrderEditor::createDetailsDialog(const AllSettings &settings, const RegisterLocation &where,
                                       QPrinter &printer)
{
    m_where = where;
    m_printer = &printer;
    m_settings = &settings;
    m_details = new CContainerDlg(m_work, settings, where, m_window);
    connect(m_details, &CContainerDlg::saveRequested, this, &COrderEditor::OnSaveDetails);
    connect(m_details, &CContainerDlg::printRequested, this, &COrderEditor::OnPrintDetails);
}

void COrderEditor::setRegisterLocation(const RegisterLocation &where)
{
    m_where = where;
    if (m_details)
        m_details->setRegisterLocation(where);
}

QList<int> COrderEditor::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : m_selection->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void COrderEditor::showDocument()
{
    // Another document: the dialog's order belongs to none of it.
    if (m_details)
        m_details->hide();
    m_editedOrder = nullptr;
    m_doc.Sort(m_sort.column, m_sort.order == Qt::AscendingOrder);
    // Another document: nothing of the last one to take back.
    m_undo->clear();
    updateModified();
    // The first row gets the focus but is not chosen: printing then prints
    // every order until the user picks some.
    if (m_doc.count() > 0)
        m_selection->setCurrentIndex(m_model->index(0, 0), QItemSelectionModel::NoUpdate);
    Q_EMIT documentShown();
}

void COrderEditor::updateModified()
{
    // A document holding only part of its file differs from it whatever was undone.
    m_doc.setModified(!m_undo->isClean() || m_doc.unreadLineCount() > 0);
}

void COrderEditor::startNewOrder(int kind)
{
    m_work.SetKind(kind);
    const CDefaultSender sender = lookupDefaultSenderOrReport(m_window, m_where);
    if (sender.found) {
        m_work.sender1 = sender.name1;
        m_work.sender2 = sender.name2;
        m_work.senderAccount = sender.account;
    }
    m_editedOrder = nullptr;
    m_adding = true;
}

void COrderEditor::showDetails(bool activate)
{
    if (!m_details)
        return;
    m_details->ShowPage(CContainerDlg::kindNumberOf(m_work.kind));
    m_details->show();
    if (activate) {
        m_details->raise();
        m_details->activateWindow();
    }
}

bool COrderEditor::detailsShown() const
{
    return m_details && m_details->isVisible();
}

void COrderEditor::OnAddOrder(int kind)
{
    startNewOrder(kind);
    showDetails(true);
}

void COrderEditor::editRow(int row)
{
    m_editedOrder = &m_doc.at(row);
    m_work = *m_editedOrder;
    m_adding = false;
}

bool COrderEditor::canEditSelection() const
{
    const QList<int> rows = selectedRows();
    return !rows.isEmpty() && rows.first() < m_doc.count();
}

void COrderEditor::OnEditOrder()
{
    if (!m_details)
        return;
    if (m_details->isVisible()) {
        m_details->raise();
        m_details->activateWindow();
        return;
    }
    const QList<int> rows = selectedRows();
    if (rows.isEmpty()) {
        OnAddOrder(m_work.kind);
        return;
    }
    if (!canEditSelection())
        return;
    editRow(rows.first());
    showDetails(true);
}

bool COrderEditor::settleEditsBeforeSwitching()
{
    if (!m_details || !m_details->hasUnsavedEdits())
        return true;
    m_switching = true;
    const bool goOn = m_details->askAboutUnsavedEdits() != CContainerDlg::EditsAnswer::Cancelled;
    m_switching = false;
    return goOn;
}

void COrderEditor::restoreSelection(int row)
{
    m_switching = true;
    if (row < 0)
        m_selection->clearSelection();
    else
        m_selection->setCurrentIndex(m_model->index(row, 0),
                                     QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_switching = false;
}

bool COrderEditor::isEdited(int row) const
{
    return row >= 0 && row < m_doc.count() && &m_doc.at(row) == m_editedOrder;
}

void COrderEditor::followSelection(const QItemSelection &selected)
{
    if (m_switching)
        return;
    const QModelIndexList rows = selected.indexes();
    if (rows.isEmpty())
        return;
    int row = rows.first().row();
    for (const QModelIndex &index : rows)
        row = std::min(row, index.row());
    if (row >= m_doc.count() || isEdited(row))
        return;
    const bool open = detailsShown();
    if (m_details && m_details->hasUnsavedEdits()) {
        // The keyboard moved the selection (a click asked already): the
        // edits stay unless the user lets them go.
        const int before = editedRow();
        if (!settleEditsBeforeSwitching()) {
            // Put back once the list has finished moving; until then the
            // selection is not followed.
            m_switching = true;
            QTimer::singleShot(0, this, [this, before] { restoreSelection(before); });
            return;
        }
        // A save may have added an order: take the selection as it is now.
        const QList<int> now = selectedRows();
        if (now.isEmpty())
            return;
        row = now.first();
    }
    editRow(row);
    if (open)
        showDetails(false);
}

bool COrderEditor::clickMayMoveOn(int row)
{
    // Asked before the list moves, so that staying with the edits leaves it as it was.
    return !detailsShown() || isEdited(row) || settleEditsBeforeSwitching();
}

void COrderEditor::showClicked(int row)
{
    if (row < 0)
        startNewOrder(m_work.kind);
    if (row < 0 || !m_details->isVisible())
        showDetails(false);
}

int COrderEditor::editedRow() const
{
    if (!m_editedOrder)
        return -1;
    for (int row = 0; row < m_doc.count(); ++row)
        if (&m_doc.at(row) == m_editedOrder)
            return row;
    return -1;
}

void COrderEditor::forgetRemoved(int first, int last)
{
    for (int row = first; m_editedOrder && row <= last && row < m_doc.count(); ++row)
        if (&m_doc.at(row) == m_editedOrder)
            m_editedOrder = nullptr;
}

void COrderEditor::OnSaveDetails()
{
    const int row = editedRow();
    if (m_adding || row < 0) {
        // An edited order deleted while the dialog was open comes back as a new one.
        m_undo->push(new CAppendOrdersCommand(m_doc, {m_work}, UndoText::added()));
        if (m_adding) {
            startNewOrder(m_work.kind);
            m_details->ShowPage(CContainerDlg::kindNumberOf(m_work.kind));
            // The next order starts at the top of the form, not in the field used last.
            m_details->currentPage()->focusFirstField();
        } else {
            m_editedOrder = &m_doc.at(m_doc.count() - 1);
            m_details->hide();
        }
    } else {
        m_undo->push(new CReplaceOrderCommand(m_doc, row, m_work));
        m_details->hide();
    }
}

void COrderEditor::OnPrintDetails()
{
    if (!m_printer)
        return;
    OrderPrintRequest request = OrderPrintRequest::forOrder(m_work);
    if (runPrintDialog(*m_printer, request) && confirmCuts(request, m_details))
        printOrWarn(*m_printer, request, m_details);
}

bool COrderEditor::settleDetailsEdits()
{
    return !m_details || m_details->settleUnsavedEdits();
}

void COrderEditor::sortByColumnClick(int column)
{
    if (column < 0 || column >= COrderListModel::ColumnCount)
        return;
    ListSort sort {column, Qt::AscendingOrder};
    if (column == m_sort.column)
        sort.order = m_sort.order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    std::vector<int> arrangement = m_doc.Sort(sort.column, sort.order == Qt::AscendingOrder);
    // Nothing moved (an empty list, or one in that order already): no change to take back.
    bool moved = false;
    for (size_t row = 0; row < arrangement.size() && !moved; ++row)
        moved = arrangement[row] != int(row);
    if (!moved) {
        showSort(sort);
        return;
    }
    m_undo->push(new CSortOrdersCommand(m_doc, sort, m_sort, std::move(arrangement),
                                        [this](ListSort shown) { showSort(shown); }));
}

void COrderEditor::showSort(ListSort sort)
{
    m_sort = sort;
    Q_EMIT sortChanged(sort);
}

void COrderEditor::importOrders(std::vector<CPrzelewDane> &&orders)
{
    if (orders.empty())
        return;
    const int count = int(orders.size());
    // The arrow in the header promises a sorted list: the new orders are sorted in.
    m_undo->push(new CAppendOrdersCommand(m_doc, std::move(orders), UndoText::zusImported(count), m_sort));
}

void COrderEditor::OnDeleteOrders()
{
    const QList<int> rows = selectedRows();
    if (rows.isEmpty())
        return;
    QMessageBox box(QMessageBox::Warning, programTitle(), Msg::confirmDeleteOrders(int(rows.size())),
                    QMessageBox::Yes | QMessageBox::No, m_window);
    box.setDefaultButton(QMessageBox::No);
    if (box.exec() != QMessageBox::Yes)
        return;
    m_undo->push(new CDeleteOrdersCommand(m_doc, rows));
}

OrderPrintRequest COrderEditor::currentPrintRequest() const
{
    return OrderPrintRequest::forRows(selectedRows(), m_doc.count());
}

int COrderEditor::printRequest(QPagedPaintDevice &device, const OrderPrintRequest &request)
{
    return printOrderPages(m_forms, device, m_doc, request);
}

void COrderEditor::printOrWarn(QPrinter &printer, const OrderPrintRequest &request, QWidget *parent)
{
    if (request.pageCount() > 0 && printRequest(printer, request) < 0)
        QMessageBox::warning(parent, programTitle(), Msg::text(Msg::CannotStartPrintJob));
}

bool COrderEditor::runPrintDialog(QPrinter &printer, OrderPrintRequest &request)
{
    const PdfWriterChoice writer(printer);
    QPrintDialog dialog(&printer, m_window);
    writer.restore(printer);
    setUpPrintDialog(dialog, printer, request, m_doc.count());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    takePrintDialogChoice(printer, request, m_doc.count());
    return true;
}

bool COrderEditor::confirmCuts(const OrderPrintRequest &request, QWidget *parent)
{
    if (!m_settings)
        return true;
    const QStringList lines = cutOrderLines(*m_settings, m_doc, request);
    if (lines.isEmpty())
        return true;
    QMessageBox box(QMessageBox::Warning, programTitle(),
                    QStringLiteral("Teksty tych przelewów nie zmieszczą się w kratkach formularza "
                                   "i zostaną wydrukowane ucięte:\n\n%1\n\nCzy drukować mimo to?")
                        .arg(lines.join(u'\n')),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void COrderEditor::OnFilePrint(QPrinter &printer)
{
    OrderPrintRequest request = currentPrintRequest();
    if (request.pageCount() > 0 && runPrintDialog(printer, request) && confirmCuts(request, m_window))
        printOrWarn(printer, request, m_window);
}

void COrderEditor::OnBlankForm(QPrinter &printer, int kind)
{
    OrderPrintRequest request = OrderPrintRequest::forBlankForm(kind);
    if (runPrintDialog(printer, request))
        printOrWarn(printer, request, m_window);
}

void COrderEditor::OnFilePrintPreview(QPrinter &printer)
{
    const OrderPrintRequest request = currentPrintRequest();
    if (request.pageCount() == 0)
        return;
    COrderPreviewDlg preview(m_forms, printer, m_doc, request, [this, &printer, request] {
        OrderPrintRequest chosen = request;
        if (!runPrintDialog(printer, chosen) || !confirmCuts(chosen, m_window))
            return false;
        printOrWarn(printer, chosen, m_window);
        return true;
    }, m_window);
    preview.exec();
}
