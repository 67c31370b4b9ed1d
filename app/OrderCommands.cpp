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

CDeleteOrdersCommand::CDeleteOrdersCommand(COrderListModel &model, QList<int> rows) : m_model(model)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (int row : rows)
        if (row >= 0 && row < model.document().count())
            m_deleted.emplace_back(row, model.document().at(row));
    setText(UndoText::deleted(count()));
}

void CDeleteOrdersCommand::redo()
{
    QList<int> rows;
    for (const auto &deleted : m_deleted)
        rows << deleted.first;
    m_model.deleteRows(rows);
}

void CDeleteOrdersCommand::undo()
{
    m_model.insertOrders(m_deleted);
}

CReplaceOrderCommand::CReplaceOrderCommand(COrderListModel &model, int row, const CPrzelewDane &order)
    : m_model(model), m_row(row), m_before(model.document().at(row)), m_after(order)
{
    setText(UndoText::edited());
}

void CReplaceOrderCommand::redo()
{
    m_model.replaceOrder(m_row, m_after);
}

void CReplaceOrderCommand::undo()
{
    m_model.replaceOrder(m_row, m_before);
}

CAppendOrdersCommand::CAppendOrdersCommand(COrderListModel &model, std::vector<CPrzelewDane> orders,
                                           const QString &text, std::optional<ListSort> sortIn)
    : m_model(model), m_orders(std::move(orders)), m_sortIn(sortIn)
{
    setText(text);
}

void CAppendOrdersCommand::redo()
{
    m_model.appendOrders(std::vector<CPrzelewDane>(m_orders));
    if (!m_sortIn)
        return;
    if (m_arrangement.empty())
        m_arrangement = m_model.sortRows(m_sortIn->column, m_sortIn->order);
    else
        m_model.reorder(m_arrangement);
}

void CAppendOrdersCommand::undo()
{
    if (m_sortIn)
        m_model.reorder(inverse(m_arrangement));
    m_model.removeLastRows(int(m_orders.size()));
}

CSortOrdersCommand::CSortOrdersCommand(COrderListModel &model, ListSort sort, ListSort before,
                                       std::function<void(ListSort)> showSort)
    : m_model(model), m_sort(sort), m_before(before), m_showSort(std::move(showSort))
{
    setText(UndoText::sorted(model.headerData(sort.column, Qt::Horizontal, Qt::DisplayRole).toString()));
}

void CSortOrdersCommand::redo()
{
    if (m_arrangement.empty())
        m_arrangement = m_model.sortRows(m_sort.column, m_sort.order);
    else
        m_model.reorder(m_arrangement);
    m_showSort(m_sort);
}

void CSortOrdersCommand::undo()
{
    m_model.reorder(inverse(m_arrangement));
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
