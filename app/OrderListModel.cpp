#include "app/OrderListModel.h"

#include "model/AccountCheck.h"
#include "model/PaymentWarnings.h"
#include "model/KantomixDoc.h"

#include <QApplication>
#include <QIcon>
#include <QStyle>

#include <array>

namespace {

using CellText = QString (*)(const CPrzelewDane &);

struct ColumnDef
{
    ListColumn column;
    CellText text;
};

const std::array<ColumnDef, COrderListModel::ColumnCount> kColumns = {{
    {{"Odbiorca", 200, nullptr, Qt::AlignLeft | Qt::AlignVCenter}, [](const CPrzelewDane &r) { return r.recipient1; }},
    {{"Tytułem", 180, nullptr, Qt::AlignLeft | Qt::AlignVCenter}, [](const CPrzelewDane &r) { return r.title1; }},
    {{"Nr rachunku odbiorcy", 220, nullptr, Qt::AlignLeft | Qt::AlignVCenter},
     [](const CPrzelewDane &r) { return r.AccountNumberText(); }},
    {{"Data", 70, "00.00.0000", Qt::AlignLeft | Qt::AlignVCenter}, [](const CPrzelewDane &r) { return r.date.toShortText(); }},
    {{"Kwota", 70, "000 000,00", Qt::AlignRight | Qt::AlignVCenter},
     [](const CPrzelewDane &r) { return r.amount.toGroupedText(); }},
    {{"Waluta", 50, nullptr, Qt::AlignLeft | Qt::AlignVCenter}, [](const CPrzelewDane &r) { return r.currency; }},
    {{"Typ", 50, nullptr, Qt::AlignLeft | Qt::AlignVCenter}, [](const CPrzelewDane &r) { return r.kindName; }},
}};

} // namespace

const ListColumn &COrderListModel::column(int c) { return kColumns[size_t(c)].column; }

COrderListModel::COrderListModel(CKantomixDoc &doc, QObject *parent) : QAbstractTableModel(parent), m_doc(doc)
{
    connect(&doc, &CKantomixDoc::ordersAboutToBeInserted, this,
            [this](int first, int last) { beginInsertRows({}, first, last); });
    connect(&doc, &CKantomixDoc::ordersInserted, this, [this] { endInsertRows(); });
    connect(&doc, &CKantomixDoc::ordersAboutToBeRemoved, this,
            [this](int first, int last) { beginRemoveRows({}, first, last); });
    connect(&doc, &CKantomixDoc::ordersRemoved, this, [this] { endRemoveRows(); });
    connect(&doc, &CKantomixDoc::orderReplaced, this,
            [this](int row) { Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1)); });
    connect(&doc, &CKantomixDoc::ordersAboutToBeReordered, this,
            [this] { Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint); });
    connect(&doc, &CKantomixDoc::ordersReordered, this, [this](const std::vector<int> &formerIndex) {
        followReorder(formerIndex);
        Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    });
    connect(&doc, &CKantomixDoc::aboutToReset, this, [this] { beginResetModel(); });
    connect(&doc, &CKantomixDoc::reset, this, [this] { endResetModel(); });
}

int COrderListModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : m_doc.count(); }

int COrderListModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant COrderListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_doc.count() || index.column() >= ColumnCount)
        return {};
    const ColumnDef &def = kColumns[size_t(index.column())];
    switch (role) {
    case Qt::DisplayRole:
        return def.text(m_doc.at(index.row()));
    case Qt::TextAlignmentRole:
        return int(def.column.alignment);
    case Qt::DecorationRole:
    case Qt::ToolTipRole:
        if (index.column() == AccountColumn)
            return accountWarning(m_doc.at(index.row()), role);
        return {};
    default:
        return {};
    }
}

QVariant COrderListModel::accountWarning(const CPrzelewDane &order, int role)
{
    // Only full-length numbers whose digits do not check: an account kept
    // without its check digits is how older files hold it. Money sent to a
    // closed account is lost to the payer just the same.
    const QString account = order.AccountNumberText();
    const AccountCheck check = checkAccountNumber(account);
    const QString warning = check == AccountCheck::WrongCheckDigits || check == AccountCheck::WrongBankCode
        ? accountCheckWarning(check)
        : PaymentWarnings::closed(account);
    if (warning.isEmpty())
        return {};
    if (role == Qt::ToolTipRole)
        return warning;
    static const QIcon icon = QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
    return icon;
}

QVariant COrderListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromUtf8(kColumns[size_t(section)].column.header);
    case Qt::TextAlignmentRole:
        return int(kColumns[size_t(section)].column.alignment);
    case Qt::InitialSortOrderRole:
        // A newly chosen column always starts ascending.
        return int(Qt::AscendingOrder);
    default:
        return {};
    }
}

void COrderListModel::sort(int column, Qt::SortOrder order)
{
    if (column >= 0 && column < ColumnCount)
        m_doc.Sort(column, order == Qt::AscendingOrder);
}

void COrderListModel::followReorder(const std::vector<int> &formerIndex)
{
    const QModelIndexList before = persistentIndexList();
    if (before.isEmpty())
        return;
    std::vector<int> newRow(formerIndex.size());
    for (size_t row = 0; row < formerIndex.size(); ++row)
        newRow[size_t(formerIndex[row])] = int(row);
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &index : before)
        after << (size_t(index.row()) < newRow.size() ? this->index(newRow[size_t(index.row())], index.column())
                                                      : QModelIndex());
    changePersistentIndexList(before, after);
}
