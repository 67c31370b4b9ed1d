#pragma once
// The list's changes as undoable commands: delete, an edit saved over an
// order, orders added (one from the details dialog, or a ZUS import sorted
// in), and a sort. Each changes the document, whose announcements the list
// follows. Rows are those of the moment the command was made; that holds
// because every change of the orders goes through the one stack, and another
// document clears it.

#include "model/PrzelewDane.h"

#include <QList>
#include <QUndoCommand>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class CKantomixDoc;

class CDeleteOrdersCommand : public QUndoCommand
{
public:
    CDeleteOrdersCommand(CKantomixDoc &doc, QList<int> rows);
    int count() const { return int(m_deleted.size()); }
    void redo() override;
    void undo() override;

private:
    CKantomixDoc &m_doc;
    std::vector<std::pair<int, CPrzelewDane>> m_deleted; // ascending rows
};

class CReplaceOrderCommand : public QUndoCommand
{
public:
    CReplaceOrderCommand(CKantomixDoc &doc, int row, const CPrzelewDane &order);
    void redo() override;
    void undo() override;

private:
    CKantomixDoc &m_doc;
    int m_row;
    CPrzelewDane m_before;
    CPrzelewDane m_after;
};

// A column and direction of the list's sort.
struct ListSort
{
    int column = 0;
    Qt::SortOrder order = Qt::AscendingOrder;
};

class CAppendOrdersCommand : public QUndoCommand
{
public:
    // Appends the orders; with `sortIn`, sorts the list by it afterwards.
    CAppendOrdersCommand(CKantomixDoc &doc, std::vector<CPrzelewDane> orders, const QString &text,
                         std::optional<ListSort> sortIn = std::nullopt);
    void redo() override;
    void undo() override;

private:
    CKantomixDoc &m_doc;
    std::vector<CPrzelewDane> m_orders;
    std::optional<ListSort> m_sortIn;
    std::vector<int> m_arrangement; // what the sort did, replayed on a redo
};

class CSortOrdersCommand : public QUndoCommand
{
public:
    // A sort already made: `arrangement` is what it did (see
    // CKantomixDoc::Reorder). `showSort` puts the header's arrow (and the
    // menu's mark) on a sort.
    CSortOrdersCommand(CKantomixDoc &doc, ListSort sort, ListSort before, std::vector<int> arrangement,
                       std::function<void(ListSort)> showSort);
    void redo() override;
    void undo() override;

private:
    CKantomixDoc &m_doc;
    ListSort m_sort;
    ListSort m_before;
    std::vector<int> m_arrangement;
    std::function<void(ListSort)> m_showSort;
    bool m_made = true;     // the first redo, on the push, finds the sort made
};

// The texts the menu shows after "Cofnij" and "Ponów".
namespace UndoText {
QString deleted(int count);
QString edited();
QString added();
QString zusImported(int count);
QString sorted(const QString &columnHeader);
} // namespace UndoText
