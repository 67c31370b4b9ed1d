#include "app/KantomixView.h"

#include "app/OrderEditor.h"
#include "app/OrderListModel.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <algorithm>

CKantomixView::CKantomixView(COrderEditor &editor, QWidget *parent) : QTableView(parent), m_editor(editor)
{
    setObjectName(QStringLiteral("transferList"));
    setModel(editor.listModel());
    // The editor's selection is the list's: the default one made by setModel goes.
    QItemSelectionModel *made = selectionModel();
    setSelectionModel(editor.selection());
    delete made;
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
    header->setSortIndicator(editor.currentSort().column, editor.currentSort().order);
    header->setSortIndicatorShown(true);
    // A header click sorts through the editor's undo stack, so it can be taken back.
    header->setSectionsClickable(true);
    connect(header, &QHeaderView::sectionClicked, &editor, &COrderEditor::sortByColumnClick);
    connect(&editor, &COrderEditor::sortChanged, this, &CKantomixView::showSort);
    connect(&editor, &COrderEditor::documentShown, this, [this] {
        if (model()->rowCount() > 0)
            scrollToTop();
    });

    // Shift+F10 opens the context menu, as in other desktop programs.
    auto *menuKey = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), this, nullptr, nullptr,
                                  Qt::WidgetWithChildrenShortcut);
    connect(menuKey, &QShortcut::activated, this, [this] { Q_EMIT contextMenuWanted(keyboardMenuPosition()); });
    // After a sort the current order stays in sight.
    connect(model(), &QAbstractItemModel::layoutChanged, this, [this] {
        if (currentIndex().isValid())
            scrollTo(currentIndex());
    });
    connect(this, &QAbstractItemView::doubleClicked, &editor, [&editor](const QModelIndex &index) {
        if (index.isValid())
            editor.OnEditOrder();
    });
}

void CKantomixView::showSort(ListSort sort)
{
    QHeaderView *header = horizontalHeader();
    const QSignalBlocker quiet(header);
    header->setSortIndicator(sort.column, sort.order);
}

void CKantomixView::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    const int row = index.isValid() ? index.row() : -1;
    const bool left = event->button() == Qt::LeftButton;
    const bool open = m_editor.detailsShown();
    if (left && !m_editor.clickMayMoveOn(row)) {
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
    if (left && open)
        m_editor.showClicked(row);
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
    if (model()->rowCount() > 0)
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
