#include "app/KantomixView.h"

#include "base/AppIdentity.h"

#include "base/Messages.h"
#include "app/OrderListModel.h"
#include "app/OrderPreview.h"
#include "app/PdfTarget.h"
#include "base/Settings.h"
#include "model/KantomixDoc.h"
#include "app/RegisterCommands.h"
#include "edit/ContainerDlg.h"
#include "edit/DetailsPage.h"

#include <QContextMenuEvent>
#include <QTimer>
#include <QHeaderView>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QSettings>
#include <QShortcut>
#include <QPrinter>
#include <QUndoStack>
#include <algorithm>

CKantomixView::CKantomixView(CKantomixDoc &doc, CFormPrinter &forms, QWidget *parent)
    : QTableView(parent), m_doc(doc), m_forms(forms), m_model(new COrderListModel(doc, this)),
      m_undo(new QUndoStack(this))
{
    setObjectName(QStringLiteral("transferList"));
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    // Fixed row heights keep a list of a hundred thousand orders quick to scroll.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);

    QHeaderView *header = horizontalHeader();
    header->setHighlightSections(false);
    // The last column takes the room the window has beyond the columns' widths.
    header->setStretchLastSection(true);
    for (int c = 0; c < COrderListModel::ColumnCount; ++c) {
        // The widths were chosen for a smaller system font: a date or an
        // amount must not be cut off in a larger one.
        const ListColumn &col = COrderListModel::column(c);
        const int fits = col.widest ? fontMetrics().horizontalAdvance(QString::fromLatin1(col.widest)) + 12 : 0;
        setColumnWidth(c, std::max(col.width, fits));
        header->setSectionResizeMode(c, QHeaderView::Interactive);
    }
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setSortIndicator(0, Qt::AscendingOrder);
    header->setSortIndicatorShown(true);
    // A header click sorts through the undo stack, so it can be taken back.
    header->setSectionsClickable(true);
    connect(header, &QHeaderView::sectionClicked, this, &CKantomixView::sortByColumnClick);
    connect(m_undo, &QUndoStack::indexChanged, this, &CKantomixView::updateModified);
    connect(m_undo, &QUndoStack::cleanChanged, this, &CKantomixView::updateModified);
    // Whatever made the document unmodified (a save), its state now is the one on disk.
    connect(&doc, &CKantomixDoc::modifiedChanged, this, [this](bool modified) {
        if (!modified)
            m_undo->setClean();
    });
    // Another document (emptied, opened): show it from the start.
    connect(&doc, &CKantomixDoc::reset, this, &CKantomixView::OnInitialUpdate);

    // Shift+F10 opens the context menu, as in other desktop programs.
    auto *menuKey = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), this, nullptr, nullptr,
                                  Qt::WidgetWithChildrenShortcut);
    connect(menuKey, &QShortcut::activated, this, [this] { Q_EMIT contextMenuWanted(keyboardMenuPosition()); });
    // After a sort the current order stays in sight.
    connect(m_model, &QAbstractItemModel::layoutChanged, this, [this] {
        if (currentIndex().isValid())
            scrollTo(currentIndex());
    });

    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection &selected) { followSelection(selected); });
    connect(m_model, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex &, int first, int last) { forgetRemoved(first, last); });
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { m_editedOrder = nullptr; });
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.isValid())
            OnEditOrder();
    });
}

CKantomixView::~CKantomixView()
{
    // The stack empties itself as it goes: nobody half destroyed may hear of it.
    m_undo->disconnect();
}

void CKantomixView::createDetailsDialog(const AllSettings &settings, const RegisterLocation &where,
                                        QPrinter &printer)
{
    m_where = where;
    m_printer = &printer;
    m_settings = &settings;
    m_details = new CContainerDlg(m_work, settings, where, this);
    connect(m_details, &CContainerDlg::saveRequested, this, &CKantomixView::OnSaveDetails);
    connect(m_details, &CContainerDlg::printRequested, this, &CKantomixView::OnPrintDetails);
}

void CKantomixView::setRegisterLocation(const RegisterLocation &where)
{
    m_where = where;
    if (m_details)
        m_details->setRegisterLocation(where);
}

void CKantomixView::startNewOrder(int kind)
{
    m_work.SetKind(kind);
    const CDefaultSender sender = lookupDefaultSenderOrReport(this, m_where);
    if (sender.found) {
        m_work.sender1 = sender.name1;
        m_work.sender2 = sender.name2;
        m_work.senderAccount = sender.account;
    }
    m_editedOrder = nullptr;
    m_adding = true;
}

void CKantomixView::showDetails(bool activate)
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

void CKantomixView::OnAddOrder(int kind)
{
    startNewOrder(kind);
    showDetails(true);
}

void CKantomixView::editRow(int row)
{
    m_editedOrder = &m_doc.at(row);
    m_work = *m_editedOrder;
    m_adding = false;
}

bool CKantomixView::canEditSelection() const
{
    const QList<int> rows = selectedRowList();
    return !rows.isEmpty() && rows.first() < m_doc.count();
}

void CKantomixView::OnEditOrder()
{
    if (!m_details)
        return;
    if (m_details->isVisible()) {
        m_details->raise();
        m_details->activateWindow();
        return;
    }
    const QList<int> rows = selectedRowList();
    if (rows.isEmpty()) {
        OnAddOrder(m_work.kind);
        return;
    }
    if (!canEditSelection())
        return;
    editRow(rows.first());
    showDetails(true);
}

bool CKantomixView::settleEditsBeforeSwitching()
{
    if (!m_details || !m_details->hasUnsavedEdits())
        return true;
    m_switching = true;
    const bool goOn = m_details->askAboutUnsavedEdits() != CContainerDlg::EditsAnswer::Cancelled;
    m_switching = false;
    return goOn;
}

void CKantomixView::restoreSelection(int row)
{
    m_switching = true;
    if (row < 0)
        selectionModel()->clearSelection();
    else
        selectionModel()->setCurrentIndex(m_model->index(row, 0),
                                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_switching = false;
}

void CKantomixView::followSelection(const QItemSelection &selected)
{
    if (m_switching)
        return;
    const QModelIndexList rows = selected.indexes();
    if (rows.isEmpty())
        return;
    int row = rows.first().row();
    for (const QModelIndex &index : rows)
        row = std::min(row, index.row());
    if (row >= m_doc.count() || &m_doc.at(row) == m_editedOrder)
        return;
    const bool open = m_details && m_details->isVisible();
    if (m_details && m_details->hasUnsavedEdits()) {
        // The keyboard moved the selection (a click asked already): the
        // edits stay unless the user lets them go.
        const int before = editedRow();
        if (!settleEditsBeforeSwitching()) {
            // Put back once the view has finished moving; until then the
            // selection is not followed.
            m_switching = true;
            QTimer::singleShot(0, this, [this, before] { restoreSelection(before); });
            return;
        }
        // A save may have added an order: take the selection as it is now.
        const QList<int> now = selectedRowList();
        if (now.isEmpty())
            return;
        row = now.first();
    }
    editRow(row);
    if (open)
        showDetails(false);
}

void CKantomixView::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    const bool open = m_details && m_details->isVisible();
    // A click that would show another order asks about the edits first, so
    // that staying with them leaves the list as it was.
    const bool another = !index.isValid() || index.row() >= m_doc.count() || &m_doc.at(index.row()) != m_editedOrder;
    if (event->button() == Qt::LeftButton && open && another && !settleEditsBeforeSwitching()) {
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
    if (event->button() != Qt::LeftButton || !open)
        return;
    // A click on empty space below the rows starts a new order in the open
    // dialog; one on another order shows it there, also after a save that
    // closed the dialog.
    if (!index.isValid())
        startNewOrder(m_work.kind);
    if (!index.isValid() || !m_details->isVisible())
        showDetails(false);
}

int CKantomixView::editedRow() const
{
    if (!m_editedOrder)
        return -1;
    for (int row = 0; row < m_doc.count(); ++row)
        if (&m_doc.at(row) == m_editedOrder)
            return row;
    return -1;
}

void CKantomixView::forgetRemoved(int first, int last)
{
    for (int row = first; m_editedOrder && row <= last && row < m_doc.count(); ++row)
        if (&m_doc.at(row) == m_editedOrder)
            m_editedOrder = nullptr;
}

void CKantomixView::OnSaveDetails()
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

void CKantomixView::OnPrintDetails()
{
    if (!m_printer)
        return;
    OrderPrintRequest request = OrderPrintRequest::forOrder(m_work);
    if (!runPrintDialog(*m_printer, request) || !confirmCuts(request, m_details))
        return;
    if (printRequest(*m_printer, request) < 0)
        QMessageBox::warning(m_details, programTitle(), Msg::text(Msg::CannotStartPrintJob));
}

bool CKantomixView::settleDetailsEdits()
{
    return !m_details || m_details->settleUnsavedEdits();
}

QList<int> CKantomixView::selectedRowList() const
{
    QList<int> rows;
    for (const QModelIndex &index : selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void CKantomixView::OnInitialUpdate()
{
    // Another document: the dialog's order belongs to none of it.
    if (m_details)
        m_details->hide();
    m_editedOrder = nullptr;
    m_doc.Sort(m_sort.column, m_sort.order == Qt::AscendingOrder);
    // Another document: nothing of the last one to take back.
    m_undo->clear();
    updateModified();
    if (m_doc.count() > 0) {
        // The first row gets the focus but is not chosen: printing then
        // prints every order until the user picks some.
        selectionModel()->setCurrentIndex(m_model->index(0, 0), QItemSelectionModel::NoUpdate);
        scrollToTop();
    }
}

void CKantomixView::sortByColumnClick(int column)
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

void CKantomixView::showSort(ListSort sort)
{
    m_sort = sort;
    QHeaderView *header = horizontalHeader();
    const QSignalBlocker quiet(header);
    header->setSortIndicator(sort.column, sort.order);
    Q_EMIT sortChanged(sort);
}

void CKantomixView::importOrders(std::vector<CPrzelewDane> &&orders)
{
    if (orders.empty())
        return;
    const int count = int(orders.size());
    // The arrow in the header promises a sorted list: the new orders are sorted in.
    m_undo->push(new CAppendOrdersCommand(m_doc, std::move(orders), UndoText::zusImported(count), m_sort));
}

void CKantomixView::updateModified()
{
    // A document holding only part of its file differs from it whatever was undone.
    m_doc.setModified(!m_undo->isClean() || m_doc.unreadLineCount() > 0);
}

void CKantomixView::OnDeleteOrders()
{
    const QList<int> rows = selectedRowList();
    if (rows.isEmpty())
        return;
    QMessageBox box(QMessageBox::Warning, programTitle(), Msg::confirmDeleteOrders(int(rows.size())),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(QMessageBox::No);
    if (box.exec() != QMessageBox::Yes)
        return;
    m_undo->push(new CDeleteOrdersCommand(m_doc, rows));
}

OrderPrintRequest CKantomixView::currentPrintRequest() const
{
    return OrderPrintRequest::forRows(selectedRowList(), m_doc.count());
}

int CKantomixView::printRequest(QPagedPaintDevice &device, const OrderPrintRequest &request)
{
    return printOrderPages(m_forms, device, m_doc, request);
}

bool CKantomixView::runPrintDialog(QPrinter &printer, OrderPrintRequest &request)
{
    const PdfWriterChoice writer(printer);
    QPrintDialog dialog(&printer, this);
    writer.restore(printer);
    setUpPrintDialog(dialog, printer, request, m_doc.count());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    takePrintDialogChoice(printer, request, m_doc.count());
    return true;
}

bool CKantomixView::confirmCuts(const OrderPrintRequest &request, QWidget *parent)
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

void CKantomixView::OnFilePrint(QPrinter &printer)
{
    OrderPrintRequest request = currentPrintRequest();
    if (request.pageCount() == 0 || !runPrintDialog(printer, request) || !confirmCuts(request, this))
        return;
    if (request.pageCount() > 0 && printRequest(printer, request) < 0)
        QMessageBox::warning(this, programTitle(), Msg::text(Msg::CannotStartPrintJob));
}

void CKantomixView::OnBlankForm(QPrinter &printer, int kind)
{
    OrderPrintRequest request = OrderPrintRequest::forBlankForm(kind);
    if (!runPrintDialog(printer, request))
        return;
    if (printRequest(printer, request) < 0)
        QMessageBox::warning(this, programTitle(), Msg::text(Msg::CannotStartPrintJob));
}

void CKantomixView::OnFilePrintPreview(QPrinter &printer)
{
    const OrderPrintRequest request = currentPrintRequest();
    if (request.pageCount() == 0)
        return;
    COrderPreviewDlg preview(m_forms, printer, m_doc, request, [this, &printer, request] {
        OrderPrintRequest chosen = request;
        if (!runPrintDialog(printer, chosen) || !confirmCuts(chosen, this))
            return false;
        if (chosen.pageCount() > 0 && printRequest(printer, chosen) < 0)
            QMessageBox::warning(this, programTitle(), Msg::text(Msg::CannotStartPrintJob));
        return true;
    }, this);
    preview.exec();
}

QString CKantomixView::emptyListHint()
{
    return QStringLiteral(
        "Na liście nie ma jeszcze przelewów.\n\n"
        "Nowy przelew: menu Przelewy, polecenie Przelew (Ctrl+D).\n"
        "Zapisany plik przelewów: menu Plik, polecenie Otwórz (Ctrl+O).\n"
        "Pusty formularz do wypełnienia ręcznie: menu Przelewy, polecenie Drukuj formularz (Ctrl+F).");
}

void CKantomixView::paintEvent(QPaintEvent *event)
{
    QTableView::paintEvent(event);
    if (m_model->rowCount() > 0)
        return;
    // An empty list says how to fill it.
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
    const QRect room = viewport()->rect().adjusted(24, 24, -24, -24);
    painter.drawText(room, Qt::AlignCenter | Qt::TextWordWrap, emptyListHint());
}

void CKantomixView::contextMenuEvent(QContextMenuEvent *event)
{
    Q_EMIT contextMenuWanted(event->reason() == QContextMenuEvent::Mouse ? event->globalPos()
                                                                         : keyboardMenuPosition());
}

QPoint CKantomixView::keyboardMenuPosition() const
{
    // From the keyboard the menu opens at the current row, not where the mouse happens to be.
    const QRect row = visualRect(currentIndex());
    const QPoint at = row.isValid() && viewport()->rect().intersects(row) ? row.bottomLeft() + QPoint(8, 0)
                                                                          : viewport()->rect().center();
    return viewport()->mapToGlobal(at);
}
