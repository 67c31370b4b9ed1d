#include "register/SqlitePartyStore.h"

#include "register/RegisterDatabase.h"

#include <sqlite3.h>

using RegisterDb::Statement;

namespace {

constexpr const char *Columns =
    "Kh_IdKontrahenta, Kh_Nazwa1, Kh_Nazwa2, Kh_LiczbaKontrolna, Kh_BankOdbiorcy, Kh_Rachunek,"
    " Kh_Typ, Kh_Domyslny, Kh_Wersja";

Party readParty(const Statement &st)
{
    Party p;
    p.id = st.int64(0);
    p.name1 = st.text(1);
    p.name2 = st.text(2);
    p.check = st.text(3);
    p.bank = st.text(4);
    p.account = st.text(5);
    p.kind = quint8(st.int64(6));
    p.isDefault = st.int64(7) != 0;
    p.version = st.int64(8);
    return p;
}

QString orderBy(PartySort sort)
{
    switch (sort) {
    case PartySort::Name:
        // Ties follow the rest of the name index, so the index gives the
        // whole order and nothing is sorted.
        return QStringLiteral("Kh_Nazwa1, Kh_Typ, Kh_Domyslny, Kh_IdKontrahenta");
    case PartySort::Account:
        return QStringLiteral("Kh_LiczbaKontrolna, Kh_BankOdbiorcy, Kh_Rachunek, Kh_IdKontrahenta");
    case PartySort::Kind:
        return QStringLiteral("Kh_Typ, Kh_IdKontrahenta");
    case PartySort::Natural:
        break;
    }
    return QStringLiteral("Kh_IdKontrahenta");
}

void bindParty(Statement &st, const Party &p)
{
    st.bind(1, p.name1);
    st.bind(2, p.name2);
    st.bind(3, p.check);
    st.bind(4, p.bank);
    st.bind(5, p.account);
    st.bind(6, qint64(p.kind));
    st.bind(7, qint64(p.isDefault ? 1 : 0));
}

} // namespace

SqlitePartyStore::SqlitePartyStore(const RegisterLocation &where) : m_db(RegisterDb::open(where)) {}

SqlitePartyStore::~SqlitePartyStore()
{
    rollbackTransaction();
    RegisterDb::close(m_db);
}

// The statement listing what `columns` names of the parties the filter lets
// through, in the sort's order, with its values bound.
std::unique_ptr<Statement> SqlitePartyStore::listStatement(const char *columns, const PartyFilter &filter, PartySort sort)
{
    QStringList kinds;
    for (int k = 0; k < 4; ++k)
        if (filter.kinds & (1u << k))
            kinds << QString::number(k);
    QString where = QStringLiteral("Kh_Typ IN (%1)").arg(kinds.join(u','));
    // Names beginning with the typed letters lie in one stretch of the name
    // index: from those letters up to them followed by the last character.
    const QString literal = filter.literalStart();
    if (!literal.isEmpty())
        where += QStringLiteral(" AND Kh_Nazwa1 >= ?2 AND Kh_Nazwa1 < ?3");
    // The stretch alone is the filter when nothing follows the typed letters.
    const bool wildcards = filter.namePrefix.size() > literal.size();
    if (wildcards)
        where += QStringLiteral(" AND kh_like(Kh_Nazwa1, ?1)");
    if (filter.defaultOnly)
        where += QStringLiteral(" AND Kh_Domyslny <> 0");
    // Without the hint the planner, guessing the filter keeps few rows,
    // sorts the whole table through the collation instead of walking the index.
    const QString sql = QStringLiteral("SELECT %1 FROM Kontrahent").arg(QLatin1String(columns))
        + (sort == PartySort::Name ? QStringLiteral(" INDEXED BY Kh_Nazwa1") : QString())
        + QStringLiteral(" WHERE ") + where + QStringLiteral(" ORDER BY ") + orderBy(sort);
    auto st = std::make_unique<Statement>(m_db, sql.toUtf8().constData());
    if (wildcards)
        st->bind(1, filter.namePrefix + u'*');
    if (!literal.isEmpty()) {
        st->bind(2, literal);
        st->bind(3, literal + QString::fromUcs4(U"\U0010FFFF", 1));
    }
    return st;
}

std::vector<Party> SqlitePartyStore::select(const PartyFilter &filter, PartySort sort)
{
    const auto st = listStatement(Columns, filter, sort);
    std::vector<Party> out;
    while (st->step())
        out.push_back(readParty(*st));
    return out;
}

std::vector<qint64> SqlitePartyStore::selectIds(const PartyFilter &filter, PartySort sort)
{
    const auto st = listStatement("Kh_IdKontrahenta", filter, sort);
    std::vector<qint64> out;
    while (st->step())
        out.push_back(st->int64(0));
    return out;
}

std::vector<Party> SqlitePartyStore::selectByIds(std::span<const qint64> ids)
{
    // One lookup a party: the engine runs in this process, so a prepared
    // statement stepped again costs less than building a long IN list.
    Statement st(m_db, (QByteArray("SELECT ") + Columns + " FROM Kontrahent WHERE Kh_IdKontrahenta = ?").constData());
    std::vector<Party> out;
    out.reserve(ids.size());
    for (qint64 id : ids) {
        st.bind(1, id);
        if (st.step())
            out.push_back(readParty(st));
        st.reset();
    }
    return out;
}

std::optional<Party> SqlitePartyStore::selectOne(const char *where, const QString *name, qint64 id)
{
    Statement st(m_db, (QByteArray("SELECT ") + Columns + " FROM Kontrahent" + where).constData());
    if (name)
        st.bind(1, *name);
    else
        st.bind(1, id);
    if (!st.step())
        return std::nullopt;
    return readParty(st);
}

std::optional<Party> SqlitePartyStore::selectByName(const QString &name)
{
    return selectOne(" WHERE Kh_Nazwa1 = ? ORDER BY Kh_IdKontrahenta LIMIT 1", &name, 0);
}

std::optional<Party> SqlitePartyStore::selectById(qint64 id)
{
    return selectOne(" WHERE Kh_IdKontrahenta = ?", nullptr, id);
}

qint64 SqlitePartyStore::insertRow(const Party &p)
{
    Statement st(m_db, "INSERT INTO Kontrahent (Kh_Nazwa1, Kh_Nazwa2, Kh_LiczbaKontrolna, Kh_BankOdbiorcy,"
                       " Kh_Rachunek, Kh_Typ, Kh_Domyslny, Kh_Wersja) VALUES (?, ?, ?, ?, ?, ?, ?, 1)");
    bindParty(st, p);
    st.step();
    return sqlite3_last_insert_rowid(m_db);
}

bool SqlitePartyStore::updateRow(const Party &p)
{
    Statement st(m_db, "UPDATE Kontrahent SET Kh_Nazwa1 = ?, Kh_Nazwa2 = ?, Kh_LiczbaKontrolna = ?,"
                       " Kh_BankOdbiorcy = ?, Kh_Rachunek = ?, Kh_Typ = ?, Kh_Domyslny = ?,"
                       " Kh_Wersja = Kh_Wersja + 1 WHERE Kh_IdKontrahenta = ? AND Kh_Wersja = ?");
    bindParty(st, p);
    st.bind(8, p.id);
    st.bind(9, p.version);
    st.step();
    return sqlite3_changes(m_db) > 0;
}

void SqlitePartyStore::deleteRow(qint64 id)
{
    Statement st(m_db, "DELETE FROM Kontrahent WHERE Kh_IdKontrahenta = ?");
    st.bind(1, id);
    st.step();
}

void SqlitePartyStore::clearDefaultsExcept(qint64 keep)
{
    Statement st(m_db, "UPDATE Kontrahent SET Kh_Domyslny = 0, Kh_Wersja = Kh_Wersja + 1"
                       " WHERE Kh_Domyslny <> 0 AND Kh_IdKontrahenta <> ?");
    st.bind(1, keep);
    st.step();
}

void SqlitePartyStore::beginTransaction()
{
    // Immediate: the write lock is taken now, so two programs never both
    // read a flag and then write on that reading.
    Statement st(m_db, "BEGIN IMMEDIATE");
    st.step();
}

void SqlitePartyStore::commitTransaction()
{
    // The engine ends a transaction itself after some failures; its writes
    // are gone, and saying so is the caller's only sound answer.
    if (sqlite3_get_autocommit(m_db))
        throw CRegisterError(QStringLiteral("Baza kontrahentów przerwała zapis; zmiany nie zostały zapisane."));
    Statement st(m_db, "COMMIT");
    st.step();
}

void SqlitePartyStore::rollbackTransaction() noexcept
{
    if (!sqlite3_get_autocommit(m_db))
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}
