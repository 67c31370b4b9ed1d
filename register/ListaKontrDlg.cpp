#include "register/ListaKontrDlg.h"

#include "base/AppIdentity.h"
#include "base/HelpHook.h"
#include "base/Messages.h"
#include "register/KontrahenciModel.h"
#include "register/KontrahenciSet.h"
#include "register/KontrahentDlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
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

// Sort texts of the list columns.
constexpr const char *ColumnSorts[] = {
    "[KH_Nazwa1]", "[Kh_LiczbaKontrolna], [Kh_BankOdbiorcy], [Kh_Rachunek]", "[KH_Typ]",
};

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
    setSizeGripEnabled(false);

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

    m_flex.Attach(this, true);

    m_model = new KontrahenciModel(m_set, m_recipientMode, this);
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

QString CListaKontrDlg::filterText() const
{
    QString filter;
    if (!m_recipientMode) {
        filter = QStringLiteral("(KH_Typ=%1)").arg(3);
    } else {
        QStringList terms;
        for (int k = 0; k < 3; ++k)
            if (m_kindBoxes[k]->isChecked())
                terms << QStringLiteral("KH_Typ=%1").arg(KindBoxes[k].kind);
        if (terms.isEmpty())
            terms << QStringLiteral("KH_Typ=%1").arg(-1);
        filter = u'(' + terms.join(QStringLiteral(" OR ")) + u')';
    }
    QString name = m_nameFilter->text();
    if (!name.isEmpty()) {
        name.replace(u'"', QStringLiteral("\"\""));
        filter += QStringLiteral(" AND ") + QStringLiteral("KH_Nazwa1 LIKE \"%1*\"").arg(name);
    }
    return filter;
}

void CListaKontrDlg::applyFilter()
{
    if (!m_model)
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        if (m_set)
            m_set->ApplyFilter(filterText());
    } catch (const CRegisterError &) {
    }
    QGuiApplication::restoreOverrideCursor();
    m_model->setRows(m_set && m_set->IsOpen() ? int(m_set->GetRecordCount()) : 0);
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
    if (!m_set || !m_set->IsOpen() || column < 0 || column >= int(std::size(ColumnSorts)))
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        m_set->ApplySort(QLatin1String(ColumnSorts[column]));
    } catch (const CRegisterError &) {
    }
    QGuiApplication::restoreOverrideCursor();
    m_model->refresh();
}

QList<int> CListaKontrDlg::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex &i : m_list->selectionModel()->selectedRows())
        rows << i.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void CListaKontrDlg::onAdd()
{
    if (!m_managing)
        return;
    CKontrahentDlg dlg(m_recipientMode, this);
    KontrahentValues values;
    if (!m_recipientMode) {
        long defaults = 0;
        try {
            m_set->ApplyFilter(QStringLiteral("Kh_Domyslny=true"));
            defaults = m_set->GetRecordCount();
            m_set->ApplyFilter(filterText());
        } catch (const CRegisterError &) {
            defaults = 0;
        }
        values.isDefault = defaults == 0;
    }
    dlg.setValues(values);
    if (runEditDialog(dlg) != QDialog::Accepted)
        return;
    const KontrahentValues v = dlg.values();
    try {
        m_set->AddNew();
        m_set->m_Kh_LiczbaKontrolna = v.check;
        m_set->m_Kh_Nazwa1 = v.name;
        m_set->m_Kh_Nazwa2 = v.name2;
        m_set->m_Kh_BankOdbiorcy = v.bank;
        m_set->m_Kh_Rachunek = v.account;
        m_set->m_Kh_Typ = quint8(m_recipientMode ? v.kind : TypNadawca);
        m_set->m_Kh_Domyslny = v.isDefault;
        m_set->Update();
    } catch (const CRegisterError &) {
        return;
    }
    applyFilter();
}

void CListaKontrDlg::onEdit()
{
    if (!m_managing)
        return;
    const QList<int> rows = selectedRows();
    if (rows.size() > 1) {
        showError(Msg::text(Msg::SeveralSelected));
        return;
    }
    if (rows.isEmpty()) {
        showError(Msg::text(Msg::NothingSelected));
        return;
    }
    if (!m_set || !m_set->IsOpen())
        return;
    const int row = rows.first();
    try {
        m_set->MoveTo(row);
        CKontrahentDlg dlg(m_recipientMode, this);
        const bool wasDefault = m_set->m_Kh_Domyslny;
        dlg.setValues({m_set->m_Kh_LiczbaKontrolna, m_set->m_Kh_Nazwa1, m_set->m_Kh_Nazwa2, m_set->m_Kh_BankOdbiorcy,
                       m_set->m_Kh_Rachunek, m_set->m_Kh_Typ, m_set->m_Kh_Domyslny});
        if (runEditDialog(dlg) != QDialog::Accepted)
            return;
        const KontrahentValues v = dlg.values();
        m_set->MoveTo(row);
        m_set->Edit();
        m_set->m_Kh_LiczbaKontrolna = v.check;
        m_set->m_Kh_Nazwa1 = v.name;
        m_set->m_Kh_Nazwa2 = v.name2;
        m_set->m_Kh_BankOdbiorcy = v.bank;
        m_set->m_Kh_Rachunek = v.account;
        if (m_recipientMode) {
            m_set->m_Kh_Typ = quint8(v.kind);
        } else {
            m_set->m_Kh_Typ = TypNadawca;
            // One default sender: making this one default clears every flag first.
            if (!wasDefault && v.isDefault)
                m_set->ClearDefaultFlags();
            m_set->m_Kh_Domyslny = v.isDefault;
        }
        m_set->Update();
    } catch (const CRegisterError &) {
        return;
    }
    applyFilter();
}

void CListaKontrDlg::onDelete()
{
    if (!m_managing)
        return;
    const QList<int> rows = selectedRows();
    if (rows.isEmpty()) {
        showError(Msg::text(Msg::NothingSelected));
        return;
    }
    if (!confirmDelete())
        return;
    int deleted = 0;
    if (m_set && m_set->IsOpen()) {
        try {
            // Each deletion moves the later rows up by one.
            for (int k = 0; k < rows.size(); ++k) {
                m_set->MoveFirst();
                m_set->Move(rows[k] - k);
                m_set->Delete();
                ++deleted;
            }
        } catch (const CRegisterError &) {
        }
    }
    m_list->clearSelection();
    m_model->setRows(m_model->rowCount() - deleted);
}

void CListaKontrDlg::onOk()
{
    if (m_managing) {
        accept();
        return;
    }
    const QList<int> rows = selectedRows();
    if (rows.isEmpty()) {
        showError(Msg::text(Msg::NothingSelected));
        return;
    }
    if (m_set && m_set->IsOpen()) {
        try {
            m_set->MoveTo(rows.first());
        } catch (const CRegisterError &) {
            return;
        }
    }
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

void CListaKontrDlg::showError(const QString &text)
{
    QMessageBox::critical(this, programTitle(), text);
}

bool CListaKontrDlg::confirmDelete()
{
    return QMessageBox::warning(this, programTitle(), Msg::text(Msg::ConfirmDeleteParties),
                                QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

int CListaKontrDlg::runEditDialog(CKontrahentDlg &dlg)
{
    return dlg.exec();
}
