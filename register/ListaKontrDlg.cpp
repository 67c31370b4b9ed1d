#include "register/ListaKontrDlg.h"

#include "base/HelpHook.h"
#include "base/Messages.h"
#include "base/UserDialogs.h"
#include "controls/DialogPlacement.h"
#include "register/KontrahenciModel.h"
#include "register/PartyStore.h"
#include "register/KontrahentDlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// The designed size: the window never gets smaller than this.
constexpr QSize DesignedSize(560, 400);

// Kind check boxes in filter order with their kind code and initial-kinds bit.
struct KindBoxDef { const char *objectName; const char *text; int kind; int bit; };
constexpr KindBoxDef KindBoxes[] = {
    {"kindCounterparties", "&Kontrahenci", 0, CListaKontrDlg::KindCounterparties},
    {"kindEmployees", "&Pracownicy", 1, CListaKontrDlg::KindEmployees},
    {"kindTaxOffices", "Urzędy &skarbowe", 2, CListaKontrDlg::KindTaxOffices},
};

// The order each list column sorts by.
constexpr PartySort ColumnSorts[] = {PartySort::Name, PartySort::Account, PartySort::Kind};

KontrahentValues valuesOf(const Party &p)
{
    return {p.check, p.name1, p.name2, p.bank, p.account, p.kind, p.isDefault};
}

template <typename W>
W *named(W *widget, const char *objectName)
{
    widget->setObjectName(QLatin1String(objectName));
    return widget;
}

QPushButton *button(const char *text, const char *objectName, QWidget *parent)
{
    return named(new QPushButton(QString::fromUtf8(text), parent), objectName);
}

} // namespace

CListaKontrDlg::CListaKontrDlg(bool recipientMode, bool managing, int initialKinds, QWidget *parent)
    : QDialog(parent),
      m_recipientMode(recipientMode),
      m_managing(managing),
      m_initialKinds(initialKinds),
      m_nameFilter(named(new QLineEdit(this), "nameFilter")),
      m_listLabel(named(new QLabel(recipientMode ? QStringLiteral("Od&biorcy:") : QStringLiteral("&Nadawcy:"), this),
                        "listLabel")),
      m_list(named(new QTableView(this), "list")),
      m_add(button("&Dodaj...", "addButton", this)),
      m_edit(button("P&opraw...", "editButton", this)),
      m_delete(button("&Usuń", "deleteButton", this)),
      m_ok(button("OK", "okButton", this)),
      m_close(button("Zamknij", "closeButton", this)),
      m_cancel(button("Anuluj", "cancelButton", this)),
      m_help(button("Pomoc", "helpButton", this))
{
    setObjectName(QStringLiteral("CListaKontrDlg"));
    setWindowTitle(recipientMode ? QStringLiteral("Odbiorcy") : QStringLiteral("Nadawcy"));

    auto *filterGroup = named(new QGroupBox(QStringLiteral("Filtrowanie"), this), "filterGroup");
    auto *nameLabel = named(new QLabel(QStringLiteral("N&azwa:"), filterGroup), "nameFilterLabel");
    nameLabel->setBuddy(m_nameFilter);
    auto *kinds = new QHBoxLayout;
    for (int k = 0; k < 3; ++k) {
        m_kindBoxes[k] = named(new QCheckBox(QString::fromUtf8(KindBoxes[k].text), filterGroup),
                               KindBoxes[k].objectName);
        kinds->addWidget(m_kindBoxes[k]);
    }
    kinds->addStretch();
    auto *filter = new QGridLayout(filterGroup);
    filter->addWidget(nameLabel, 0, 0);
    filter->addWidget(m_nameFilter, 0, 1);
    filter->addLayout(kinds, 1, 1);

    m_listLabel->setBuddy(m_list);

    // Managing shows Dodaj, Popraw, Usuń and Zamknij; picking OK and Anuluj.
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {m_add, m_edit, m_delete, m_ok})
        buttons->addWidget(b);
    buttons->addStretch();
    for (QPushButton *b : {m_close, m_cancel, m_help})
        buttons->addWidget(b);
    for (QPushButton *b : {m_add, m_edit, m_delete, m_close})
        b->setVisible(managing);
    for (QPushButton *b : {m_ok, m_cancel})
        b->setVisible(!managing);

    auto *top = new QVBoxLayout(this);
    top->addWidget(filterGroup);
    top->addWidget(m_listLabel);
    top->addWidget(m_list, 1);
    top->addLayout(buttons);
    resize(sizeHint().expandedTo(DesignedSize));
}

int CListaKontrDlg::exec()
{
    initDialog();
    return QDialog::exec();
}

void CListaKontrDlg::initDialog()
{
    if (m_initialised)
        return;
    m_initialised = true;

    // Never smaller than designed; placed where it was last closed.
    setSizeGripEnabled(true);
    setMinimumSize(size());
    restorePlacement(this, m_placement);

    m_model = new KontrahenciModel(m_recipientMode, this);
    // Said once the view has painted, never from inside its painting.
    connect(m_model, &KontrahenciModel::readFailed, this, [this](const QString &text) { showError(this, text); },
            Qt::QueuedConnection);
    m_list->setModel(m_model);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setDefaultSectionSize(m_list->fontMetrics().height() + 6);
    m_list->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->setShowGrid(false);
    m_list->setWordWrap(false);
    const int charWidth = m_list->fontMetrics().averageCharWidth();
    m_list->setColumnWidth(0, charWidth * (m_recipientMode ? 18 : 26));
    m_list->setColumnWidth(1, charWidth * 32);
    if (m_recipientMode)
        m_list->setColumnWidth(2, charWidth * 12);
    connect(m_list->horizontalHeader(), &QHeaderView::sectionClicked, this, &CListaKontrDlg::onSort);
    connect(m_list, &QTableView::doubleClicked, this, &CListaKontrDlg::onDoubleClick);
    m_list->installEventFilter(this);
    m_nameFilter->installEventFilter(this);

    for (int k = 0; k < 3; ++k) {
        QCheckBox *box = m_kindBoxes[k];
        box->setChecked(m_recipientMode && (m_initialKinds & KindBoxes[k].bit));
        box->setVisible(m_recipientMode);
        connect(box, &QCheckBox::clicked, this, &CListaKontrDlg::applyFilter);
    }
    connect(m_help, &QPushButton::clicked, this, [] { requestHelp(HelpTopic::Register); });
    m_ok->setDefault(!m_managing);
    connect(m_ok, &QPushButton::clicked, this, &CListaKontrDlg::onOk);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_close, &QPushButton::clicked, this, [this] { done(ResultClose); });
    connect(m_add, &QPushButton::clicked, this, &CListaKontrDlg::onAdd);
    connect(m_edit, &QPushButton::clicked, this, &CListaKontrDlg::onEdit);
    connect(m_delete, &QPushButton::clicked, this, &CListaKontrDlg::onDelete);
    connect(m_nameFilter, &QLineEdit::textChanged, this, &CListaKontrDlg::applyFilter);

    applyFilter();
}

PartyFilter CListaKontrDlg::filter() const
{
    PartyFilter f;
    if (!m_recipientMode) {
        f = PartyFilter::senders();
    } else {
        f.kinds = 0;
        for (int k = 0; k < 3; ++k)
            if (m_kindBoxes[k]->isChecked())
                f.kinds |= quint8(1u << KindBoxes[k].kind);
    }
    f.namePrefix = m_nameFilter->text();
    return f;
}

bool CListaKontrDlg::reload()
{
    if (!m_model || !m_store)
        return false;
    // The parties chosen stay chosen wherever the new list puts them.
    QSet<qint64> selected;
    for (int row : selectedRows())
        selected.insert(m_model->partyId(row));
    const QModelIndex current = m_list->currentIndex();
    const qint64 currentId = current.isValid() ? m_model->partyId(current.row()) : 0;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        m_model->reload(*m_store, filter(), m_sort);
    } catch (const CRegisterError &e) {
        QGuiApplication::restoreOverrideCursor();
        showError(this, e.message());
        return false;
    }
    QGuiApplication::restoreOverrideCursor();
    if (selected.isEmpty() && !currentId)
        return true;
    QItemSelection kept;
    int currentRow = -1;
    const std::vector<qint64> &ids = m_model->ids();
    for (int row = 0; row < int(ids.size()); ++row) {
        if (ids[size_t(row)] == currentId)
            currentRow = row;
        if (selected.contains(ids[size_t(row)]))
            kept.select(m_model->index(row, 0), m_model->index(row, m_model->columnCount() - 1));
    }
    QItemSelectionModel *selection = m_list->selectionModel();
    if (currentRow >= 0)
        selection->setCurrentIndex(m_model->index(currentRow, 0), QItemSelectionModel::NoUpdate);
    selection->select(kept, QItemSelectionModel::ClearAndSelect);
    return true;
}

void CListaKontrDlg::applyFilter()
{
    reload();
    // Picking from the keyboard: the first party shown is the one Enter takes.
    if (!m_managing)
        selectRow(0);
}

void CListaKontrDlg::selectRow(int row)
{
    if (row < 0 || row >= m_list->model()->rowCount())
        return;
    m_list->selectionModel()->setCurrentIndex(m_list->model()->index(row, 0),
                                              QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void CListaKontrDlg::onSort(int column)
{
    if (column < 0 || column >= int(std::size(ColumnSorts)))
        return;
    const PartySort before = m_sort;
    m_sort = ColumnSorts[column];
    if (!reload())
        m_sort = before;
}

QList<int> CListaKontrDlg::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex &i : m_list->selectionModel()->selectedRows())
        rows << i.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

bool CListaKontrDlg::editAndSave(CKontrahentDlg &dlg, Party party)
{
    bool again = execDialog(dlg) == QDialog::Accepted;
    while (again) {
        const KontrahentValues v = dlg.values();
        party.check = v.check;
        party.name1 = v.name;
        party.name2 = v.name2;
        party.bank = v.bank;
        party.account = v.account;
        if (m_recipientMode) {
            party.kind = quint8(v.kind);
        } else {
            party.kind = TypNadawca;
            party.isDefault = v.isDefault;
        }
        try {
            if (party.id == 0)
                m_store->add(party);
            else
                m_store->update(party);
            reload();
            return true;
        } catch (const CRegisterConflict &c) {
            if (c.reason() == CRegisterConflict::Deleted) {
                // Saved again as a new party, or back to the text typed.
                if (ask(c.message() + QStringLiteral("\nCzy zapisać go jako nowego kontrahenta?"))) {
                    party.id = 0;
                    party.version = 0;
                    continue;
                }
            } else if (ask(c.message() + QStringLiteral("\nCzy wczytać jego zapisane dane? "
                                                        "(Nie: zostaje wpisany tekst.)"))) {
                try {
                    if (const std::optional<Party> fresh = m_store->find(party.id)) {
                        party = *fresh;
                        dlg.setValues(valuesOf(party));
                    }
                } catch (const CRegisterError &e) {
                    showError(this, e.message());
                }
            }
        } catch (const CRegisterError &e) {
            showError(this, e.message());
        }
        again = execDialog(dlg) == QDialog::Accepted;
    }
    return false;
}

void CListaKontrDlg::onAdd()
{
    if (!m_managing || !m_store)
        return;
    KontrahentValues values;
    if (!m_recipientMode) {
        try {
            values.isDefault = !m_store->defaultSender();
        } catch (const CRegisterError &e) {
            showError(this, e.message());
            return;
        }
    }
    CKontrahentDlg dlg(m_recipientMode, this);
    dlg.setValues(values);
    Party party;
    party.kind = m_recipientMode ? TypKontrahent : TypNadawca;
    editAndSave(dlg, party);
}

void CListaKontrDlg::onEdit()
{
    if (!m_managing)
        return;
    const QList<int> rows = selectedRows();
    if (rows.size() > 1) {
        showError(this, Msg::text(Msg::SeveralSelected));
        return;
    }
    if (rows.isEmpty()) {
        showError(this, Msg::text(Msg::NothingSelected));
        return;
    }
    if (!m_store)
        return;
    // The party as stored now, not as listed: another user may have changed it.
    std::optional<Party> party;
    try {
        party = m_store->find(m_model->partyId(rows.first()));
    } catch (const CRegisterError &e) {
        showError(this, e.message());
        return;
    }
    if (!party) {
        showError(this, CRegisterConflict(CRegisterConflict::Deleted).message());
        reload();
        return;
    }
    CKontrahentDlg dlg(m_recipientMode, this);
    dlg.setValues(valuesOf(*party));
    editAndSave(dlg, *party);
}

void CListaKontrDlg::onDelete()
{
    if (!m_managing)
        return;
    const QList<int> rows = selectedRows();
    if (rows.isEmpty()) {
        showError(this, Msg::text(Msg::NothingSelected));
        return;
    }
    if (!confirmDelete() || !m_store)
        return;
    QList<qint64> ids;
    for (int r : rows)
        ids << m_model->partyId(r);
    try {
        m_store->remove(ids);
    } catch (const CRegisterError &e) {
        showError(this, e.message());
        return;   // nothing removed: the list and its selection stay
    }
    m_list->clearSelection();
    reload();
}

void CListaKontrDlg::onOk()
{
    if (m_managing) {
        accept();
        return;
    }
    const QList<int> rows = selectedRows();
    if (rows.isEmpty()) {
        showError(this, Msg::text(Msg::NothingSelected));
        return;
    }
    const Party *party = nullptr;
    try {
        party = m_model->party(rows.first());
    } catch (const CRegisterError &e) {
        showError(this, e.message());
        return;
    }
    if (!party) {
        showError(this, CRegisterConflict(CRegisterConflict::Deleted).message());
        reload();
        return;
    }
    m_picked = *party;
    accept();
}

void CListaKontrDlg::onDoubleClick(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    if (m_managing)
        onEdit();
    else
        onOk();
}

void CListaKontrDlg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        onOk();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CListaKontrDlg::hideEvent(QHideEvent *event)
{
    // Closing the dialog hides it; minimising is spontaneous and keeps nothing.
    if (m_initialised && !event->spontaneous())
        storePlacement(this, m_placement);
    QDialog::hideEvent(event);
}

bool CListaKontrDlg::eventFilter(QObject *watched, QEvent *event)
{
    // Up and Down in the name filter move through the list, the typing stays in the filter.
    if (watched == m_nameFilter && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
            QCoreApplication::sendEvent(m_list, event);
            return true;
        }
    }
    // Reaching the list by its letter or Tab: the row Enter would take is chosen.
    if (watched == m_list && event->type() == QEvent::FocusIn && !m_managing
        && !m_list->selectionModel()->hasSelection())
        selectRow(m_list->currentIndex().isValid() ? m_list->currentIndex().row() : 0);
    // Del in the list is Usuń, with its question.
    if (watched == m_list && event->type() == QEvent::KeyPress && m_managing) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
            onDelete();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool CListaKontrDlg::ask(const QString &text)
{
    return askQuestion(this, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
        == QMessageBox::Yes;
}

bool CListaKontrDlg::confirmDelete()
{
    return askQuestion(this, QMessageBox::Warning, Msg::text(Msg::ConfirmDeleteParties),
                       QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}
