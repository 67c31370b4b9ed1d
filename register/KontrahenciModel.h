#pragma once
// The parties a list dialog shows: the ids of every row the store listed,
// made again after every filter, sort or change, and the parties' texts read
// a window of rows at a time as the view shows them, so a long register
// opens and filters without reading every party.

#include "register/Party.h"

#include <QAbstractTableModel>
#include <span>
#include <vector>

class PartyStore;

class KontrahenciModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit KontrahenciModel(bool recipientMode, QObject *parent = nullptr);

    // Lists again from the store, which must outlive the model's use. Raises
    // CRegisterError and keeps the rows shown when the store refuses.
    void reload(PartyStore &store, const PartyFilter &filter, PartySort sort);
    const std::vector<qint64> &ids() const { return m_ids; }
    qint64 partyId(int row) const { return m_ids[size_t(row)]; }
    // The row's party as the store has it, read with its window; null when
    // it was removed since the list was made. Raises CRegisterError.
    const Party *party(int row) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

Q_SIGNALS:
    // Rows the view asked for could not be read; they stay blank until the
    // list is made again.
    void readFailed(const QString &message);

private:
    // Rows read together: about a screenful, so a scroll costs one query.
    static constexpr size_t WindowRows = 64;
    struct Window
    {
        bool read = false;
        std::vector<Party> rows;   // by row; id 0 where the party is gone
    };

    bool m_recipientMode;
    PartyStore *m_store = nullptr;
    std::vector<qint64> m_ids;
    mutable std::vector<Window> m_windows;
    mutable bool m_readFailed = false;
};

// "Kontrahent", "Pracownik" or "Urząd skarbowy" for kinds 0 to 2, else empty.
QString kindLabel(int kind);
