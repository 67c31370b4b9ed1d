#include "register/KontrahenciSet.h"

#include "register/JetFilter.h"

#include <sqlite3.h>

#include <algorithm>

namespace {

constexpr const char *SelectRow =
    "SELECT Kh_IdKontrahenta, Kh_Nazwa1, Kh_Nazwa2, Kh_LiczbaKontrolna, Kh_BankOdbiorcy, Kh_Rachunek,"
    " Kh_Typ, Kh_Domyslny FROM Kontrahent WHERE Kh_IdKontrahenta = ?";

void bindAll(RegisterDb::Statement &st, const SqlFragment &f, int first = 1)
{
    for (int i = 0; i < f.values.size(); ++i) {
        const QVariant &v = f.values[i];
        if (v.typeId() == QMetaType::QString)
            st.bind(first + i, v.toString());
        else
            st.bind(first + i, v.toLongLong());
    }
}

} // namespace

CKontrahenciSet::CKontrahenciSet(RegisterLocation where) : m_where(std::move(where)) {}

CKontrahenciSet::~CKontrahenciSet()
{
    Close();
}

void CKontrahenciSet::connect()
{
    if (!m_db)
        m_db = RegisterDb::open(m_where);
}

void CKontrahenciSet::Open()
{
    connect();
    m_tableType = false;
    query();
    m_isOpen = true;
}

void CKontrahenciSet::OpenTable()
{
    connect();
    // A table-type set only seeks; it keeps no list of rows.
    m_ids.clear();
    m_pos = -1;
    m_currentId = -1;
    m_tableType = true;
    m_isOpen = true;
}

void CKontrahenciSet::Close()
{
    // Only the caller commits, and learns whether it worked; a transaction
    // still open here was abandoned, so its rows are not kept half way.
    Rollback();
    m_isOpen = false;
    m_tableType = false;
    m_currentId = -1;
    m_ids.clear();
    m_pos = -1;
    m_editMode = EditMode::None;
    if (m_db) {
        RegisterDb::close(m_db);
        m_db = nullptr;
    }
}

void CKontrahenciSet::query()
{
    const SqlFragment where = JetFilter::translateFilter(m_strFilter);
    // Without the hint the planner, guessing the filter keeps few rows,
    // sorts the whole table through the collation instead of walking the index.
    const QString from = JetFilter::sortUsesNameIndex(m_strSort) ? QStringLiteral("Kontrahent INDEXED BY Kh_Nazwa1")
                                                                 : QStringLiteral("Kontrahent");
    const QString sql = QStringLiteral("SELECT Kh_IdKontrahenta FROM %1 WHERE %2 ORDER BY %3")
                            .arg(from, where.sql, JetFilter::translateSort(m_strSort));
    RegisterDb::Statement st(m_db, sql.toUtf8().constData());
    bindAll(st, where);
    std::vector<qint64> ids;
    while (st.step())
        ids.push_back(st.int64(0));
    m_ids = std::move(ids);
    m_editMode = EditMode::None;
    m_currentDeleted = false;
    m_pos = 0;
    if (!m_ids.empty()) {
        loadCurrent();
    } else {
        m_currentId = -1;
        clearMembers();
    }
}

void CKontrahenciSet::Requery()
{
    if (!IsOpen())
        throw CRegisterError(QStringLiteral("Zbiór kontrahentów nie jest otwarty."));
    query();
}

void CKontrahenciSet::ApplyFilter(const QString &filter)
{
    m_strFilter = filter;
    if (IsOpen())
        Requery();
}

void CKontrahenciSet::ApplySort(const QString &sort)
{
    m_strSort = sort;
    if (IsOpen())
        Requery();
}

bool CKontrahenciSet::hasCurrent() const
{
    return IsOpen() && m_currentId >= 0 && !m_currentDeleted;
}

bool CKontrahenciSet::IsBOF() const
{
    return m_ids.empty() || m_pos < 0;
}

bool CKontrahenciSet::IsEOF() const
{
    return m_ids.empty() || m_pos >= long(m_ids.size());
}

void CKontrahenciSet::MoveFirst()
{
    MoveTo(0);
}

void CKontrahenciSet::MoveNext()
{
    if (m_currentDeleted)
        MoveTo(m_pos);   // the row after a deleted one now sits at its place
    else
        MoveTo(m_pos + 1);
}

void CKontrahenciSet::Move(long rows)
{
    MoveTo(m_pos + rows);
}

void CKontrahenciSet::MoveTo(long index)
{
    if (!IsOpen())
        throw CRegisterError(QStringLiteral("Zbiór kontrahentów nie jest otwarty."));
    m_editMode = EditMode::None;
    m_currentDeleted = false;
    const long n = long(m_ids.size());
    if (index < 0 || index >= n) {
        m_pos = index < 0 ? -1 : n;
        if (n == 0 || index < -1 || index > n)
            throw CRegisterError(QStringLiteral("Brak bieżącego rekordu."));
        m_currentId = -1;
        clearMembers();
        return;
    }
    m_pos = index;
    loadCurrent();
}

void CKontrahenciSet::clearMembers()
{
    m_Kh_IdKontrahenta = 0;
    m_Kh_Nazwa1.clear();
    m_Kh_Nazwa2.clear();
    m_Kh_LiczbaKontrolna.clear();
    m_Kh_BankOdbiorcy.clear();
    m_Kh_Rachunek.clear();
    m_Kh_Typ = 0;
    m_Kh_Domyslny = false;
}

void CKontrahenciSet::loadCurrent()
{
    loadRow(m_ids[size_t(m_pos)]);
}

void CKontrahenciSet::loadRow(qint64 id)
{
    m_currentId = id;
    RegisterDb::Statement st(m_db, SelectRow);
    st.bind(1, id);
    if (!st.step())
        throw CRegisterError(QStringLiteral("Rekord został usunięty."));
    m_Kh_IdKontrahenta = qint32(st.int64(0));
    m_Kh_Nazwa1 = st.text(1);
    m_Kh_Nazwa2 = st.text(2);
    m_Kh_LiczbaKontrolna = st.text(3);
    m_Kh_BankOdbiorcy = st.text(4);
    m_Kh_Rachunek = st.text(5);
    m_Kh_Typ = quint8(st.int64(6));
    m_Kh_Domyslny = st.int64(7) != 0;
}

void CKontrahenciSet::AddNew()
{
    if (!IsOpen())
        throw CRegisterError(QStringLiteral("Zbiór kontrahentów nie jest otwarty."));
    clearMembers();
    m_editMode = EditMode::AddNew;
}

void CKontrahenciSet::Edit()
{
    if (!hasCurrent())
        throw CRegisterError(QStringLiteral("Brak bieżącego rekordu."));
    m_editMode = EditMode::Edit;
}

void CKontrahenciSet::Update()
{
    if (m_editMode == EditMode::None)
        throw CRegisterError(QStringLiteral("Aktualizacja bez wywołania AddNew lub Edit."));
    const bool adding = m_editMode == EditMode::AddNew;
    RegisterDb::Statement st(m_db, adding
        ? "INSERT INTO Kontrahent (Kh_Nazwa1, Kh_Nazwa2, Kh_LiczbaKontrolna, Kh_BankOdbiorcy, Kh_Rachunek,"
          " Kh_Typ, Kh_Domyslny) VALUES (?, ?, ?, ?, ?, ?, ?)"
        : "UPDATE Kontrahent SET Kh_Nazwa1 = ?, Kh_Nazwa2 = ?, Kh_LiczbaKontrolna = ?, Kh_BankOdbiorcy = ?,"
          " Kh_Rachunek = ?, Kh_Typ = ?, Kh_Domyslny = ? WHERE Kh_IdKontrahenta = ?");
    st.bind(1, m_Kh_Nazwa1);
    st.bind(2, m_Kh_Nazwa2);
    st.bind(3, m_Kh_LiczbaKontrolna);
    st.bind(4, m_Kh_BankOdbiorcy);
    st.bind(5, m_Kh_Rachunek);
    st.bind(6, qint64(m_Kh_Typ));
    st.bind(7, qint64(m_Kh_Domyslny ? 1 : 0));
    if (!adding)
        st.bind(8, m_currentId);
    st.step();
    m_editMode = EditMode::None;
    if (adding) {
        m_Kh_IdKontrahenta = qint32(sqlite3_last_insert_rowid(m_db));
        // As a dynaset does, the new row joins the end of the set.
        if (!m_tableType)
            m_ids.push_back(m_Kh_IdKontrahenta);
    }
}

void CKontrahenciSet::Delete()
{
    if (!hasCurrent())
        throw CRegisterError(QStringLiteral("Brak bieżącego rekordu."));
    RegisterDb::Statement st(m_db, "DELETE FROM Kontrahent WHERE Kh_IdKontrahenta = ?");
    st.bind(1, m_currentId);
    st.step();
    if (!m_tableType)
        m_ids.erase(m_ids.begin() + m_pos);
    m_currentId = -1;
    m_currentDeleted = true;
    m_editMode = EditMode::None;
}

bool CKontrahenciSet::Seek(const QString &name)
{
    if (!IsOpen())
        throw CRegisterError(QStringLiteral("Zbiór kontrahentów nie jest otwarty."));
    RegisterDb::Statement st(m_db, "SELECT Kh_IdKontrahenta FROM Kontrahent WHERE Kh_Nazwa1 = ?"
                                   " ORDER BY Kh_Nazwa1, Kh_IdKontrahenta LIMIT 1");
    st.bind(1, name);
    m_editMode = EditMode::None;
    m_currentDeleted = false;
    if (!st.step())
        return false;
    loadRow(st.int64(0));
    return true;
}

QVariant CKontrahenciSet::GetFieldValue(const QString &column) const
{
    switch (JetFilter::columnIndex(column)) {
    case 0: return m_Kh_IdKontrahenta;
    case 1: return m_Kh_Nazwa1;
    case 2: return m_Kh_Nazwa2;
    case 3: return m_Kh_LiczbaKontrolna;
    case 4: return m_Kh_BankOdbiorcy;
    case 5: return m_Kh_Rachunek;
    case 6: return int(m_Kh_Typ);
    case 7: return m_Kh_Domyslny;
    }
    throw CRegisterError(QStringLiteral("Nieznana kolumna \"%1\".").arg(column));
}

void CKontrahenciSet::SetFieldValue(const QString &column, const QVariant &value)
{
    if (m_editMode == EditMode::None)
        throw CRegisterError(QStringLiteral("Aktualizacja bez wywołania AddNew lub Edit."));
    switch (JetFilter::columnIndex(column)) {
    case 1: m_Kh_Nazwa1 = value.toString(); return;
    case 2: m_Kh_Nazwa2 = value.toString(); return;
    case 3: m_Kh_LiczbaKontrolna = value.toString(); return;
    case 4: m_Kh_BankOdbiorcy = value.toString(); return;
    case 5: m_Kh_Rachunek = value.toString(); return;
    case 6: m_Kh_Typ = quint8(value.toInt()); return;
    case 7: m_Kh_Domyslny = value.toBool(); return;
    }
    throw CRegisterError(QStringLiteral("Nie można zapisać kolumny \"%1\".").arg(column));
}

void CKontrahenciSet::ClearDefaultFlags()
{
    connect();
    RegisterDb::Statement st(m_db, "UPDATE Kontrahent SET Kh_Domyslny = 0");
    st.step();
}

void CKontrahenciSet::BeginTrans()
{
    connect();
    RegisterDb::Statement st(m_db, "BEGIN IMMEDIATE");
    st.step();
}

void CKontrahenciSet::CommitTrans()
{
    if (!m_db || sqlite3_get_autocommit(m_db))
        return;
    RegisterDb::Statement st(m_db, "COMMIT");
    st.step();
}

bool CKontrahenciSet::InTransaction() const
{
    return m_db && !sqlite3_get_autocommit(m_db);
}

void CKontrahenciSet::Rollback()
{
    if (m_db && !sqlite3_get_autocommit(m_db))
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}

QString CKontrahenciSet::accountText() const
{
    return composeAccountText(m_Kh_LiczbaKontrolna, m_Kh_BankOdbiorcy, m_Kh_Rachunek);
}
