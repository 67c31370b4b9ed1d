#pragma once
// The rows of an open counterparty set for a list view, supplied on demand:
// row i is read by moving the set to index i (constant time).

#include <QAbstractTableModel>

class CKontrahenciSet;

class KontrahenciModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    KontrahenciModel(CKontrahenciSet *set, bool recipientMode, QObject *parent = nullptr);

    // The list shows this many rows; the set's count after a filter.
    void setRows(int count);
    // Rows are read again (after a sort or an edit).
    void refresh();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    CKontrahenciSet *m_set;
    bool m_recipientMode;
    int m_rows = 0;
};

// "Kontrahent", "Pracownik" or "Urząd skarbowy" for kinds 0 to 2, else empty.
QString kindLabel(int kind);
