#include "register/RegisterDatabase.h"

#include "register/PolishCollation.h"

#include <QChar>
#include <QDir>
#include <QFileInfo>
#include <sqlite3.h>

#include <vector>

namespace {

// The layout this program writes; Kh_Schemat holds its number. Files of
// older programs have no Kh_Schemat and no row version: they are brought up
// to date once, in one transaction.
constexpr int SchemaVersion = 1;

constexpr const char *SchemaSql =
    "CREATE TABLE IF NOT EXISTS Kontrahent ("
    " Kh_IdKontrahenta INTEGER PRIMARY KEY AUTOINCREMENT,"
    " Kh_Nazwa1 TEXT NOT NULL DEFAULT '' COLLATE PL_NOCASE,"
    " Kh_Nazwa2 TEXT NOT NULL DEFAULT '' COLLATE PL_NOCASE,"
    " Kh_LiczbaKontrolna TEXT NOT NULL DEFAULT '' COLLATE PL_NOCASE,"
    " Kh_BankOdbiorcy TEXT NOT NULL DEFAULT '' COLLATE PL_NOCASE,"
    " Kh_Rachunek TEXT NOT NULL DEFAULT '' COLLATE PL_NOCASE,"
    " Kh_Typ INTEGER NOT NULL DEFAULT 0,"
    " Kh_Domyslny INTEGER NOT NULL DEFAULT 0,"
    " Kh_Wersja INTEGER NOT NULL DEFAULT 1);"
    // The kind and the flag ride along in the name index, so the list's
    // filters read the index alone instead of visiting every row.
    "CREATE INDEX IF NOT EXISTS Kh_Nazwa1 ON Kontrahent(Kh_Nazwa1 COLLATE PL_NOCASE, Kh_Typ, Kh_Domyslny);"
    "CREATE TABLE IF NOT EXISTS Kh_Schemat (Wersja INTEGER NOT NULL);";

// Decodes UTF-8 as SQLite hands it over, one code point at a time.
char32_t nextUtf8(const unsigned char *&p, const unsigned char *end)
{
    char32_t c = *p++;
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    if (extra)
        c &= (0x3F >> extra);
    while (extra-- > 0 && p < end && (*p & 0xC0) == 0x80)
        c = (c << 6) | (*p++ & 0x3F);
    return c;
}

int collate(void *, int n1, const void *s1, int n2, const void *s2)
{
    auto *a = static_cast<const unsigned char *>(s1), *ae = a + n1;
    auto *b = static_cast<const unsigned char *>(s2), *be = b + n2;
    while (a < ae && b < be) {
        // Basic Latin, most of every name, needs no table: its weight is
        // the lower-case code.
        if (*a < 0x80 && *b < 0x80) {
            const unsigned ca = *a >= 'A' && *a <= 'Z' ? *a + 32u : *a, cb = *b >= 'A' && *b <= 'Z' ? *b + 32u : *b;
            if (ca != cb)
                return ca < cb ? -1 : 1;
            ++a;
            ++b;
            continue;
        }
        const char32_t wa = PolishCollation::weight(nextUtf8(a, ae)), wb = PolishCollation::weight(nextUtf8(b, be));
        if (wa != wb)
            return wa < wb ? -1 : 1;
    }
    return (a < ae) - (b < be);
}

void foldUtf8(const unsigned char *p, int n, std::u32string &out)
{
    out.clear();
    const unsigned char *end = p + n;
    while (p < end)
        out.push_back(QChar::toCaseFolded(nextUtf8(p, end)));
}

void freePattern(void *p)
{
    delete static_cast<std::u32string *>(p);
}

// kh_like(value, pattern): runs once per row, so the folded pattern is kept
// with the statement and the value is folded into a reused buffer.
void likeFunction(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_int(ctx, 0);
        return;
    }
    auto *pattern = static_cast<std::u32string *>(sqlite3_get_auxdata(ctx, 1));
    if (!pattern) {
        pattern = new std::u32string;
        foldUtf8(sqlite3_value_text(argv[1]), sqlite3_value_bytes(argv[1]), *pattern);
        sqlite3_set_auxdata(ctx, 1, pattern, freePattern);
        pattern = static_cast<std::u32string *>(sqlite3_get_auxdata(ctx, 1));
        if (!pattern) {
            sqlite3_result_error_nomem(ctx);
            return;
        }
    }
    thread_local std::u32string value;
    foldUtf8(sqlite3_value_text(argv[0]), sqlite3_value_bytes(argv[0]), value);
    sqlite3_result_int(ctx, PolishCollation::wildcardMatchFolded(value, *pattern) ? 1 : 0);
}

} // namespace

namespace RegisterDb {

void raise(sqlite3 *db, int rc)
{
    const QString detail = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
    const QString file = db ? QString::fromUtf8(sqlite3_db_filename(db, "main")) : QString();
    switch (rc & 0xFF) {
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        throw CRegisterError(QStringLiteral("Plik bazy kontrahentów %1 jest uszkodzony albo nie jest bazą danych (%2). "
                                            "Plik nie został zmieniony.").arg(file, detail));
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        throw CRegisterError(QStringLiteral("Baza kontrahentów %1 jest zajęta przez inny program (%2).").arg(file, detail));
    case SQLITE_CANTOPEN:
        throw CRegisterError(QStringLiteral("Nie można otworzyć bazy kontrahentów %1 (%2).").arg(file, detail));
    default:
        throw CRegisterError(QStringLiteral("Błąd bazy kontrahentów: %1").arg(detail));
    }
}

namespace {

bool hasTable(sqlite3 *db, const char *name)
{
    Statement st(db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?");
    st.bind(1, QString::fromLatin1(name));
    return st.step();
}

int storedSchema(sqlite3 *db)
{
    if (!hasTable(db, "Kh_Schemat"))
        return 0;
    Statement st(db, "SELECT max(Wersja) FROM Kh_Schemat");
    return st.step() ? int(st.int64(0)) : 0;
}

void exec(sqlite3 *db, const char *sql)
{
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        raise(db, rc);
}

// Creates the tables, or adds what an older program's file lacks, in one
// transaction; a file already up to date is only read.
void bringUpToDate(sqlite3 *db)
{
    if (storedSchema(db) == SchemaVersion)
        return;
    exec(db, "BEGIN IMMEDIATE");
    try {
        const int stored = storedSchema(db);   // another program may have done it meanwhile
        if (stored > SchemaVersion)
            throw CRegisterError(QStringLiteral("Baza kontrahentów %1 pochodzi z nowszej wersji programu; "
                                                "ta wersja jej nie zmieni.")
                                     .arg(QString::fromUtf8(sqlite3_db_filename(db, "main"))));
        if (stored < SchemaVersion) {
            const bool older = hasTable(db, "Kontrahent");
            exec(db, SchemaSql);
            if (older) {
                Statement col(db, "SELECT 1 FROM pragma_table_info('Kontrahent') WHERE name = 'Kh_Wersja'");
                if (!col.step())
                    exec(db, "ALTER TABLE Kontrahent ADD COLUMN Kh_Wersja INTEGER NOT NULL DEFAULT 1");
            }
            exec(db, "DELETE FROM Kh_Schemat");
            Statement put(db, "INSERT INTO Kh_Schemat (Wersja) VALUES (?)");
            put.bind(1, qint64(SchemaVersion));
            put.step();
        }
        exec(db, "COMMIT");
    } catch (...) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

} // namespace

sqlite3 *open(const RegisterLocation &where)
{
    const QString &path = where.path;
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()))
        throw CRegisterError(QStringLiteral("Nie można utworzyć folderu bazy kontrahentów %1.").arg(info.absolutePath()));
    sqlite3 *db = nullptr;
    // One connection a store, used by one thread: the engine's own locks
    // around every call would only cost time.
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString detail = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        sqlite3_close(db);
        throw CRegisterError(QStringLiteral("Nie można otworzyć bazy kontrahentów %1 (%2).").arg(path, detail));
    }
    sqlite3_extended_result_codes(db, 0);
    sqlite3_busy_timeout(db, where.busyTimeoutMs);
    rc = sqlite3_create_collation(db, "PL_NOCASE", SQLITE_UTF8, nullptr, collate);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function(db, "kh_like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, likeFunction,
                                     nullptr, nullptr);
    try {
        if (rc != SQLITE_OK)
            raise(db, rc);
        bringUpToDate(db);
    } catch (...) {
        sqlite3_close(db);
        throw;
    }
    return db;
}

void close(sqlite3 *db)
{
    sqlite3_close_v2(db);
}

Statement::Statement(sqlite3 *db, const char *sql) : m_db(db)
{
    const int rc = sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        raise(db, rc);
    }
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

void Statement::bind(int index, const QString &text)
{
    const QByteArray u = text.toUtf8();
    const int rc = sqlite3_bind_text(m_stmt, index, u.constData(), int(u.size()), SQLITE_TRANSIENT);
    if (rc != SQLITE_OK)
        raise(m_db, rc);
}

void Statement::bind(int index, qint64 value)
{
    const int rc = sqlite3_bind_int64(m_stmt, index, value);
    if (rc != SQLITE_OK)
        raise(m_db, rc);
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3_reset(m_stmt);
    raise(m_db, rc);
}

void Statement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

qint64 Statement::int64(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

QString Statement::text(int column) const
{
    return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column)),
                             sqlite3_column_bytes(m_stmt, column));
}

} // namespace RegisterDb
