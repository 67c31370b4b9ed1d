#include "register/ListaKontrDlg.h"

#include "app/Messages.h"
#include "register/DialogControls.h"
#include "register/KontrahenciModel.h"
#include "register/KontrahenciSet.h"
#include "register/KontrahentDlg.h"

#include "app/HelpWindow.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>

#include <algorithm>

namespace {

constexpr int Width = 560;
constexpr int Height = 400;

constexpr ControlSpec Controls[] = {
    {"filterGroup", ControlSpec::Group, "Filtrowanie", {10, 8, 540, 84}},
    {"nameFilterLabel", ControlSpec::Label, "N&azwa:", {22, 32, 60, 22}},
    {"nameFilter", ControlSpec::Edit, "", {86, 30, 452, 24}},
    {"kindCounterparties", ControlSpec::Check, "&Kontrahenci", {86, 60, 140, 22}},
    {"kindEmployees", ControlSpec::Check, "&Pracownicy", {236, 60, 140, 22}},
    {"kindTaxOffices", ControlSpec::Check, "Urzędy &skarbowe", {386, 60, 150, 22}},
    {"listLabel", ControlSpec::Label, "Od&biorcy:", {10, 98, 200, 20}},
    {"list", ControlSpec::Table, "", {10, 120, 540, 226}},
    {"addButton", ControlSpec::Button, "&Dodaj...", {10, 360, 100, 28}},
    {"editButton", ControlSpec::Button, "P&opraw...", {116, 360, 100, 28}},
    {"deleteButton", ControlSpec::Button, "&Usuń", {222, 360, 100, 28}},
    {"okButton", ControlSpec::Button, "OK", {10, 360, 100, 28}},
    {"closeButton", ControlSpec::Button, "Zamknij", {340, 360, 100, 28}},
    {"cancelButton", ControlSpec::Button, "Anuluj", {340, 360, 100, 28}},
    {"helpButton", ControlSpec::Button, "Pomoc", {450, 360, 100, 28}},
};

constexpr BuddySpec Buddies[] = {{"nameFilterLabel", "nameFilter"}, {"listLabel", "list"}};

// How the controls follow the window as it grows.
enum class H { Left, Right, Stretch };
enum class V { Top, Bottom, Stretch };
struct Anchor { const char *control; H h; V v; };
constexpr Anchor Anchors[] = {
    {"filterGroup", H::Stretch, V::Top},
    {"nameFilter", H::Stretch, V::Top},
    {"list", H::Stretch, V::Stretch},
    {"addButton", H::Left, V::Bottom},
    {"editButton", H::Left, V::Bottom},
    {"deleteButton", H::Left, V::Bottom},
    {"okButton", H::Left, V::Bottom},
    {"closeButton", H::Right, V::Bottom},
    // Anuluj shares Zamknij's place, so it follows the same corner.
    {"cancelButton", H::Right, V::Bottom},
    {"helpButton", H::Right, V::Bottom},
};

// Kind check boxes in filter order with their kind code and initial-kinds bit.
struct KindBox { const char *name; int kind; int bit; };
constexpr KindBox KindBoxes[] = {
    {"kindCounterparties", 0, CListaKontrDlg::KindCounterparties},
    {"kindEmployees", 1, CListaKontrDlg::KindEmployees},
    {"kindTaxOffices", 2, CListaKontrDlg::KindTaxOffices},
};

// Which buttons each mode shows.
constexpr const char *ManagingButtons[] = {"addButton", "editButton", "deleteButton", "closeButton"};
constexpr const char *PickingButtons[] = {"okButton", "cancelButton"};

// Sort texts of the list columns.
constexpr const char *ColumnSorts[] = {
    "[KH_Nazwa1]", "[Kh_LiczbaKontrolna], [Kh_BankOdbiorcy], [Kh_Rachunek]", "[KH_Typ]",
};

const CWexFlexHorizontalConstraint &horizontal(H h)
{
    return h == H::Left ? WexFlex::left() : h == H::Right ? WexFlex::right() : WexFlex::stretchHorizontally();
}
const CWexFlexVerticalConstraint &vertical(V v)
{
    return v == V::Top ? WexFlex::top() : v == V::Bottom ? WexFlex::bottom() : WexFlex::stretchVertically();
}

} // namespace

CListaKontrDlg::CListaKontrDlg(bool recipientMode, bool managing, int initialKinds, QWidget *parent)
    : QDialog(parent), m_recipientMode(recipientMode), m_managing(managing), m_initialKinds(initialKinds)
{
    setObjectName(QStringLiteral("CListaKontrDlg"));
    setWindowTitle(QStringLiteral("Odbiorcy"));
    setSizeGripEnabled(false);
    createControls(this, Controls, int(std::size(Controls)));
    setBuddies(this, Buddies, int(std::size(Buddies)));
    resize(Width, Height);
    m_list = control<QTableView>(this, "list");
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

    for (const Anchor &a : Anchors)
        m_flex.AddConstraint(QLatin1String(a.control), horizontal(a.h), vertical(a.v));
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
    m_list->setColumnWidth(0, m_recipientMode ? 120 : 170);
    m_list->setColumnWidth(1, 240);
    if (m_recipientMode)
        m_list->setColumnWidth(2, 65);
    connect(m_list->horizontalHeader(), &QHeaderView::sectionClicked, this, &CListaKontrDlg::onSort);
    connect(m_list, &QTableView::doubleClicked, this, &CListaKontrDlg::onDoubleClick);

    for (const KindBox &k : KindBoxes) {
        auto *box = control<QCheckBox>(this, k.name);
        box->setChecked(m_recipientMode && (m_initialKinds & k.bit));
        box->setVisible(m_recipientMode);
        connect(box, &QCheckBox::clicked, this, &CListaKontrDlg::applyFilter);
    }
    for (const char *b : ManagingButtons)
        control<QWidget>(this, b)->setVisible(m_managing);
    for (const char *b : PickingButtons)
        control<QWidget>(this, b)->setVisible(!m_managing);
    connect(control<QPushButton>(this, "helpButton"), &QPushButton::clicked, this,
            [] { showHelp(QString::fromLatin1(HelpTopic::Register)); });
    auto *ok = control<QPushButton>(this, "okButton");
    ok->setDefault(!m_managing);
    connect(ok, &QPushButton::clicked, this, &CListaKontrDlg::onOk);
    connect(control<QPushButton>(this, "cancelButton"), &QPushButton::clicked, this, &QDialog::reject);
    connect(control<QPushButton>(this, "closeButton"), &QPushButton::clicked, this, [this] { done(ResultClose); });
    connect(control<QPushButton>(this, "addButton"), &QPushButton::clicked, this, &CListaKontrDlg::onAdd);
    connect(control<QPushButton>(this, "editButton"), &QPushButton::clicked, this, &CListaKontrDlg::onEdit);
    connect(control<QPushButton>(this, "deleteButton"), &QPushButton::clicked, this, &CListaKontrDlg::onDelete);
    connect(control<QLineEdit>(this, "nameFilter"), &QLineEdit::textChanged, this, &CListaKontrDlg::applyFilter);

    applyFilter();
    if (!m_recipientMode) {
        control<QLabel>(this, "listLabel")->setText(QStringLiteral("&Nadawcy:"));
        setWindowTitle(QStringLiteral("Nadawcy"));
    }
}

QString CListaKontrDlg::filterText() const
{
    QString filter;
    if (!m_recipientMode) {
        filter = QStringLiteral("(KH_Typ=%1)").arg(3);
    } else {
        QStringList terms;
        for (const KindBox &k : KindBoxes)
            if (control<QCheckBox>(const_cast<CListaKontrDlg *>(this), k.name)->isChecked())
                terms << QStringLiteral("KH_Typ=%1").arg(k.kind);
        if (terms.isEmpty())
            terms << QStringLiteral("KH_Typ=%1").arg(-1);
        filter = u'(' + terms.join(QStringLiteral(" OR ")) + u')';
    }
    QString name = control<QLineEdit>(const_cast<CListaKontrDlg *>(this), "nameFilter")->text();
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

void CListaKontrDlg::showError(const QString &text)
{
    QMessageBox::critical(this, QStringLiteral("Kantomix"), text);
}

bool CListaKontrDlg::confirmDelete()
{
    return QMessageBox::warning(this, QStringLiteral("Kantomix"), Msg::text(Msg::ConfirmDeleteParties),
                                QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

int CListaKontrDlg::runEditDialog(CKontrahentDlg &dlg)
{
    return dlg.exec();
}
