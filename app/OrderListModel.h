#pragma once
// The list's rows, asked for on demand from the document: nothing is copied.
// Seven columns (recipient, title, account, date, amount, currency, kind);
// an account whose check digits are wrong, or that is closed, carries a
// warning icon and text;
// sorting sorts the document itself, so a save writes the sorted order.

#include <QAbstractTableModel>
#include <QList>
#include <utility>
#include <vector>

class CKantomixDoc;
class CPrzelewDane;

struct ListColumn
{
    const char *header;
    int width;              // pixels
    const char *widest;     // the widest usual text; the column is never narrower than it
    Qt::Alignment alignment;
};

class COrderListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int ColumnCount = 7;
    static constexpr int AccountColumn = 2;
    static const ListColumn &column(int c);

    explicit COrderListModel(CKantomixDoc &doc, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Column c sorts by sort key c.
    void sort(int column, Qt::SortOrder order) override;
    // The same, giving for each row after the sort the row its order had
    // before (empty for a column that does not exist).
    std::vector<int> sortRows(int column, Qt::SortOrder order);
    // Arranges the rows as a sort did (see CKantomixDoc::Reorder); the
    // selection and the current row stay on their orders.
    void reorder(const std::vector<int> &formerIndex);

    CKantomixDoc &document() { return m_doc; }
    // The document was emptied, opened or otherwise replaced as a whole.
    void reload();
    // Appends the orders to the document, as new rows at the end.
    void appendOrders(std::vector<CPrzelewDane> &&orders);
    // Puts each order back at its row (ascending rows, each counted with the
    // ones before it already in place), as deleteRows took them out.
    void insertOrders(const std::vector<std::pair<int, CPrzelewDane>> &orders);
    // Removes the last `count` rows.
    void removeLastRows(int count);
    // Puts `order` in the place of the order at `row`.
    void replaceOrder(int row, const CPrzelewDane &order);
    // Deletes the orders at these rows; gives the number deleted.
    int deleteRows(QList<int> rows);

private:
    // Moves the persistent indexes (selection, current row) after their orders.
    void followReorder(const std::vector<int> &formerIndex);
    // A warning icon and its text beside a recipient account that does not
    // check or is closed.
    static QVariant accountWarning(const CPrzelewDane &order, int role);

    CKantomixDoc &m_doc;
};
