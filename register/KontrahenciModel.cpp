#include "register/KontrahenciModel.h"

#include "model/PaymentAccounts.h"
#include "register/PartyStore.h"

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

void KontrahenciModel::reload(PartyStore &store, const PartyFilter &filter, PartySort sort)
{
    std::vector<qint64> ids = store.listIds(filter, sort);
    beginResetModel();
    m_store = &store;
    m_ids = std::move(ids);
    m_windows.assign((m_ids.size() + WindowRows - 1) / WindowRows, Window());
    m_readFailed = false;
    endResetModel();
}

const Party *KontrahenciModel::party(int row) const
{
    if (row < 0 || size_t(row) >= m_ids.size())
        return nullptr;
    Window &w = m_windows[size_t(row) / WindowRows];
    const size_t first = size_t(row) - size_t(row) % WindowRows;
    if (!w.read) {
        const std::span<const qint64> ids(m_ids.data() + first, std::min(WindowRows, m_ids.size() - first));
        std::vector<Party> found = m_store->fetch(ids);
        // fetch() keeps the ids' order and passes over the parties gone.
        w.rows.resize(ids.size());
        auto next = found.begin();
        for (size_t i = 0; i < ids.size() && next != found.end(); ++i)
            if (next->id == ids[i])
                w.rows[i] = std::move(*next++);
        w.read = true;
    }
    const Party &p = w.rows[size_t(row) - first];
    return p.id ? &p : nullptr;
}

int KontrahenciModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_ids.size());
}

int KontrahenciModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : (m_recipientMode ? 3 : 2);
}

QVariant KontrahenciModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || m_readFailed)
        return {};
    const Party *found = nullptr;
    try {
        found = party(index.row());
    } catch (const CRegisterError &e) {
        // Asked while the view paints: said once, by whoever listens.
        m_readFailed = true;
        Q_EMIT const_cast<KontrahenciModel *>(this)->readFailed(e.message());
        return {};
    }
    if (!found)
        return {};
    const Party &p = *found;
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
