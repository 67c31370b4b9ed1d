#include "register/KontrahenciModel.h"

#include "model/PaymentAccounts.h"

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

KontrahenciModel::KontrahenciModel(bool recipientMode, QObject *parent)
    : QAbstractTableModel(parent), m_recipientMode(recipientMode)
{
}

void KontrahenciModel::setRows(std::vector<Party> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int KontrahenciModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int KontrahenciModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : (m_recipientMode ? 3 : 2);
}

QVariant KontrahenciModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Party &p = party(index.row());
    if (role == Qt::FontRole && index.column() == 0 && !m_recipientMode) {
        // The default sender's name is bold.
        if (!p.isDefault)
            return {};
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    if ((role == Qt::ToolTipRole || role == Qt::DecorationRole) && index.column() == 1)
        return accountNoteOf(p.accountText(), role);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case 0: return p.name1;
    case 1: return p.accountText();
    case 2: return kindLabel(p.kind);
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
