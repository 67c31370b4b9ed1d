#pragma once
// CKontrahenciSet: one set of rows of the table Kontrahent, opened with a
// filter and a sort (Jet texts) for one operation. The row count is exact
// after Open and after a filter; any position is reached in constant time.
// Every failure raises CRegisterError.

#include "model/PrzelewDane.h"
#include "register/RegisterDatabase.h"

#include <QString>
#include <QVariant>
#include <vector>

class CKontrahenciSet
{
public:
    explicit CKontrahenciSet(RegisterLocation where);
    ~CKontrahenciSet();
    CKontrahenciSet(const CKontrahenciSet &) = delete;
    CKontrahenciSet &operator=(const CKontrahenciSet &) = delete;

    // Bound columns, in the table's order.
    qint32 m_Kh_IdKontrahenta = 0;
    QString m_Kh_Nazwa1;
    QString m_Kh_Nazwa2;
    QString m_Kh_LiczbaKontrolna;
    QString m_Kh_BankOdbiorcy;
    QString m_Kh_Rachunek;
    quint8 m_Kh_Typ = 0;
    bool m_Kh_Domyslny = false;

    QString m_strFilter;
    QString m_strSort;

    // Dynaset of the rows passing m_strFilter in m_strSort order.
    void Open();
    // Table-type access in natural order, for Seek on the name index.
    void OpenTable();
    // Ends the set; an uncommitted transaction is rolled back, never committed.
    void Close();
    bool IsOpen() const { return m_db != nullptr && m_isOpen; }
    void Requery();

    // Stores the filter; on an open set re-queries (exact count follows).
    void ApplyFilter(const QString &filter);
    // Stores the sort; on an open set re-queries.
    void ApplySort(const QString &sort);

    bool IsBOF() const;
    bool IsEOF() const;
    void MoveFirst();
    void MoveNext();
    void Move(long rows);
    // Constant-time: the row with list index `index`, counting from 0.
    void MoveTo(long index);
    // Index of the current row, -1 when there is none (or it was deleted).
    long GetAbsolutePosition() const { return hasCurrent() && !m_tableType ? m_pos : -1; }
    long GetRecordCount() const { return long(m_ids.size()); }

    void AddNew();
    void Edit();
    void Update();
    void CancelUpdate() { m_editMode = EditMode::None; }
    void Delete();

    // "=" seek on the name index without regard to case; true when found.
    bool Seek(const QString &name);

    QVariant GetFieldValue(const QString &column) const;
    void SetFieldValue(const QString &column, const QVariant &value);

    // Clears the default flag on every row of the table.
    void ClearDefaultFlags();

    // Transactions let a long import write thousands of rows at once.
    // CommitTrans raises when the rows could not be committed (another
    // connection reading the register, a full disk); Close() rolls back a
    // transaction that was never committed.
    void BeginTrans();
    void CommitTrans();
    void Rollback();
    // False also when the engine ended the transaction itself after a failure.
    bool InTransaction() const;

    // The account text of the current row: [check-]bank-account.
    QString accountText() const;

private:
    enum class EditMode { None, Edit, AddNew };
    void connect();
    void query();
    void loadCurrent();
    void loadRow(qint64 id);
    bool hasCurrent() const;
    void clearMembers();

    RegisterLocation m_where;
    sqlite3 *m_db = nullptr;
    bool m_isOpen = false;
    bool m_tableType = false;
    qint64 m_currentId = -1;     // identity of the current row, -1 for none
    std::vector<qint64> m_ids;   // identities of the set's rows, in order
    long m_pos = -1;             // -1 before the first row, size() after the last
    bool m_currentDeleted = false;
    EditMode m_editMode = EditMode::None;
};


// Kind codes of Kh_Typ.
enum KontrahentTyp : quint8 { TypKontrahent = 0, TypPracownik = 1, TypUrzad = 2, TypNadawca = 3 };
