#pragma once
// The parties a list dialog shows: a snapshot of the rows the store listed,
// replaced whole after every filter, sort or change.

#include "register/Party.h"

#include <QAbstractTableModel>
#include <vector>

class KontrahenciModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit KontrahenciModel(bool recipientMode, QObject *parent = nullptr);

    void setRows(std::vector<Party> rows);
    const Party &party(int row) const { return m_rows[size_t(row)]; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    bool m_recipientMode;
    std::vector<Party> m_rows;
};

// "Kontrahent", "Pracownik" or "Urząd skarbowy" for kinds 0 to 2, else empty.
QString kindLabel(int kind);
