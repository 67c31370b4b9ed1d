#include "app/KantomixView.h"

#include "base/AppIdentity.h"

#include "base/Messages.h"
#include "app/OrderListModel.h"
#include "base/Settings.h"
#include "model/KantomixDoc.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QSettings>
#include <QPrinter>
#include <algorithm>

CKantomixView::CKantomixView(CKantomixDoc &doc, CFormPrinter &forms, QWidget *parent)
    : QTableView(parent), m_doc(doc), m_forms(forms), m_model(new COrderListModel(doc, this))
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
    header->setStretchLastSection(false);
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
    setSortingEnabled(true);    // a header click sorts the document through the model

    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &CKantomixView::stateChanged);
    connect(m_model, &QAbstractItemModel::modelReset, this, &CKantomixView::stateChanged);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &CKantomixView::stateChanged);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &CKantomixView::stateChanged);
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
    m_model->reload();
    const QHeaderView *header = horizontalHeader();
    m_model->sort(header->sortIndicatorSection(), header->sortIndicatorOrder());
    if (m_doc.count() > 0) {
        const QModelIndex first = m_model->index(0, 0);
        selectionModel()->setCurrentIndex(first, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollToTop();
    }
    Q_EMIT stateChanged();
}

void CKantomixView::OnDeleteOrders()
{
    const QList<int> rows = selectedRowList();
    if (rows.isEmpty())
        return;
    QMessageBox box(QMessageBox::Warning, programTitle(), Msg::text(Msg::ConfirmDeleteOrders),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(QMessageBox::No);
    if (box.exec() != QMessageBox::Yes)
        return;
    if (m_model->deleteRows(rows) > 0)
        Q_EMIT documentModified();
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
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (request.blank) {
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        printer.setPrintRange(QPrinter::AllPages);
    } else {
        // Pages are rows counted from 1; the dialog opens on the selected range.
        dialog.setMinMax(1, std::max(1, m_doc.count()));
        printer.setFromTo(request.firstRow + 1, request.lastRow + 1);
        printer.setPrintRange(request.firstRow == 0 && request.lastRow == m_doc.count() - 1
                                  ? QPrinter::AllPages : QPrinter::PageRange);
    }
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (!request.blank) {
        if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
            request.firstRow = printer.fromPage() - 1;
            request.lastRow = printer.toPage() - 1;
        } else {
            request.firstRow = 0;
            request.lastRow = m_doc.count() - 1;
        }
    }
    // The pages were chosen here; the device must not skip any of them again.
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(0, 0);
    return true;
}

void CKantomixView::OnFilePrint(QPrinter &printer)
{
    OrderPrintRequest request = currentPrintRequest();
    if (request.pageCount() == 0 || !runPrintDialog(printer, request))
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
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(QStringLiteral("Podgląd wydruku"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this, request](QPrinter *device) { printRequest(*device, request); });
    preview.resize(900, 700);
    // The preview remembers whether it showed one page or two side by side.
    auto store = openSettingsStore();
    const QString key = QStringLiteral("Settings/PreviewPages");
    auto *pages = preview.findChild<QPrintPreviewWidget *>();
    if (pages && store->value(key, 1).toInt() == 2)
        pages->setViewMode(QPrintPreviewWidget::FacingPagesView);
    preview.exec();
    if (pages)
        store->setValue(key, pages->viewMode() == QPrintPreviewWidget::FacingPagesView ? 2 : 1);
}

void CKantomixView::contextMenuEvent(QContextMenuEvent *event)
{
    Q_EMIT contextMenuWanted(event->globalPos());
}
