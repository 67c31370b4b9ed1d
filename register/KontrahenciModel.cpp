#include "register/KontrahenciModel.h"

#include "model/PaymentAccounts.h"
#include "register/KontrahenciSet.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QStyle>

namespace {

struct ColumnTitles { const char *recipientTitle; const char *senderTitle; };
constexpr ColumnTitles Columns[] = {
    {"Odbiorca", "Nadawca"},
    {"Numer konta", "Numer konta"},
    {"Rodzaj", nullptr},
};

constexpr const char *KindLabels[] = {"Kontrahent", "Pracownik", "Urząd skarbowy"};

// Whose account it is (contribution account, tax micro-account) in the
// tooltip; a closed account also gets the warning icon.
QVariant accountNoteOf(const QString &account, int role)
{
    if (role == Qt::ToolTipRole) {
        const QString description = accountDescription(account);
        return description.isEmpty() ? QVariant() : QVariant(description);
    }
    if (!closedAccount(account))
        return {};
    static const QIcon warning = QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
    return warning;
}

} // namespace

QString kindLabel(int kind)
{
    return kind >= 0 && kind < 3 ? QString::fromUtf8(KindLabels[kind]) : QString();
}

KontrahenciModel::KontrahenciModel(CKontrahenciSet *set, bool recipientMode, QObject *parent)
    : QAbstractTableModel(parent), m_set(set), m_recipientMode(recipientMode)
{
}

void KontrahenciModel::setRows(int count)
{
    beginResetModel();
    m_rows = std::max(0, count);
    endResetModel();
}

void KontrahenciModel::refresh()
{
    if (m_rows > 0)
        Q_EMIT dataChanged(index(0, 0), index(m_rows - 1, columnCount() - 1));
}

int KontrahenciModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int KontrahenciModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : (m_recipientMode ? 3 : 2);
}

QVariant KontrahenciModel::data(const QModelIndex &index, int role) const
{
    const bool defaultMark = role == Qt::FontRole && index.column() == 0 && !m_recipientMode;
    const bool accountNote = (role == Qt::ToolTipRole || role == Qt::DecorationRole) && index.column() == 1;
    if ((role != Qt::DisplayRole && !defaultMark && !accountNote) || !index.isValid() || !m_set || !m_set->IsOpen())
        return {};
    try {
        // The three columns of a row are asked for one after another.
        if (m_set->GetAbsolutePosition() != index.row())
            m_set->MoveTo(index.row());
    } catch (const CRegisterError &) {
        return {};   // the list keeps what it can show
    }
    if (defaultMark) {
        // The default sender's name is bold.
        if (!m_set->m_Kh_Domyslny)
            return {};
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    if (accountNote)
        return accountNoteOf(m_set->accountText(), role);
    switch (index.column()) {
    case 0: return m_set->m_Kh_Nazwa1;
    case 1: return m_set->accountText();
    case 2: return kindLabel(m_set->m_Kh_Typ);
    }
    return {};
}

QVariant KontrahenciModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= 3)
        return {};
    const char *title = m_recipientMode ? Columns[section].recipientTitle : Columns[section].senderTitle;
    return title ? QString::fromUtf8(title) : QString();
}
