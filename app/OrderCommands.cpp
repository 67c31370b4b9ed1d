#include "app/OrderCommands.h"

#include "app/OrderListModel.h"
#include "model/KantomixDoc.h"

#include <algorithm>

namespace {

// The arrangement that takes a reordered list back to how it stood.
std::vector<int> inverse(const std::vector<int> &formerIndex)
{
    std::vector<int> back(formerIndex.size());
    for (size_t row = 0; row < formerIndex.size(); ++row)
        back[size_t(formerIndex[row])] = int(row);
    return back;
}

} // namespace

CDeleteOrdersCommand::CDeleteOrdersCommand(CKantomixDoc &doc, QList<int> rows) : m_doc(doc)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (int row : rows)
        if (row >= 0 && row < doc.count())
            m_deleted.emplace_back(row, doc.at(row));
    setText(UndoText::deleted(count()));
}

void CDeleteOrdersCommand::redo()
{
    // Each row counted as it was before any of them went.
    int deleted = 0;
    for (const auto &order : m_deleted)
        m_doc.Delete(order.first - deleted++);
}

void CDeleteOrdersCommand::undo()
{
    for (const auto &[row, order] : m_deleted)
        m_doc.Insert(row, order);
}

CReplaceOrderCommand::CReplaceOrderCommand(CKantomixDoc &doc, int row, const CPrzelewDane &order)
    : m_doc(doc), m_row(row), m_before(doc.at(row)), m_after(order)
{
    setText(UndoText::edited());
}

void CReplaceOrderCommand::redo()
{
    m_doc.Replace(m_row, m_after);
}

void CReplaceOrderCommand::undo()
{
    m_doc.Replace(m_row, m_before);
}

CAppendOrdersCommand::CAppendOrdersCommand(CKantomixDoc &doc, std::vector<CPrzelewDane> orders,
                                           const QString &text, std::optional<ListSort> sortIn)
    : m_doc(doc), m_orders(std::move(orders)), m_sortIn(sortIn)
{
    setText(text);
}

void CAppendOrdersCommand::redo()
{
    m_doc.Add(std::vector<CPrzelewDane>(m_orders));
    if (!m_sortIn)
        return;
    if (m_arrangement.empty())
        m_arrangement = m_doc.Sort(m_sortIn->column, m_sortIn->order == Qt::AscendingOrder);
    else
        m_doc.Reorder(m_arrangement);
}

void CAppendOrdersCommand::undo()
{
    if (m_sortIn)
        m_doc.Reorder(inverse(m_arrangement));
    const int n = std::min(int(m_orders.size()), m_doc.count());
    m_doc.Delete(m_doc.count() - n, n);
}

CSortOrdersCommand::CSortOrdersCommand(CKantomixDoc &doc, ListSort sort, ListSort before,
                                       std::vector<int> arrangement, std::function<void(ListSort)> showSort)
    : m_doc(doc), m_sort(sort), m_before(before), m_arrangement(std::move(arrangement)),
      m_showSort(std::move(showSort))
{
    setText(UndoText::sorted(QString::fromUtf8(COrderListModel::column(sort.column).header)));
}

void CSortOrdersCommand::redo()
{
    if (!m_made)
        m_doc.Reorder(m_arrangement);
    m_made = false;
    m_showSort(m_sort);
}

void CSortOrdersCommand::undo()
{
    m_doc.Reorder(inverse(m_arrangement));
    m_showSort(m_before);
}

namespace UndoText {

QString deleted(int count)
{
    return count == 1 ? QStringLiteral("usunięcie przelewu") : QStringLiteral("usunięcie %1 przelewów").arg(count);
}

QString edited() { return QStringLiteral("zmianę przelewu"); }

QString added() { return QStringLiteral("dodanie przelewu"); }

QString zusImported(int count)
{
    return count == 1 ? QStringLiteral("import przelewu ZUS") : QStringLiteral("import %1 przelewów ZUS").arg(count);
}

QString sorted(const QString &columnHeader)
{
    return QStringLiteral("sortowanie według kolumny „%1”").arg(columnHeader);
}

} // namespace UndoText
