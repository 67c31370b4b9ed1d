#pragma once
// The list's rows, asked for on demand from the document: nothing is copied.
// Seven columns (recipient, title, account, date, amount, currency, kind);
// an account whose check digits are wrong, or that is closed, carries a
// warning icon and text. The rows follow the document's own announcements
// of its changes; sorting sorts the document itself, so a save writes the
// sorted order, and the selection stays on its orders.

#include <QAbstractTableModel>
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

private:
    // Moves the persistent indexes (selection, current row) after their orders.
    void followReorder(const std::vector<int> &formerIndex);
    // A warning icon and its text beside a recipient account that does not
    // check or is closed.
    static QVariant accountWarning(const CPrzelewDane &order, int role);

    CKantomixDoc &m_doc;
};
