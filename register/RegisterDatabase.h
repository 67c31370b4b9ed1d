#pragma once
// The SQLite file of the register: opening (with its tables created or
// brought up to date on first use, the Polish collation and the name
// filter's wildcard match installed). Failures raise CRegisterError.

#include "register/RegisterError.h"
#include "register/RegisterLocation.h"

#include <QString>

struct sqlite3;
struct sqlite3_stmt;

namespace RegisterDb {

// Opens (creating the file and its tables when absent, bringing an older
// program's file up to date) and returns the connection; a damaged file is
// reported, never rewritten.
sqlite3 *open(const RegisterLocation &where);
void close(sqlite3 *db);

// Raises the failure of the last call on `db` with a message for the user.
[[noreturn]] void raise(sqlite3 *db, int rc);

// Prepared statement owned for one scope.
class Statement
{
public:
    Statement(sqlite3 *db, const char *sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    void bind(int index, const QString &text);
    void bind(int index, qint64 value);
    // true while a row is available; raises on failure.
    bool step();
    void reset();
    qint64 int64(int column) const;
    QString text(int column) const;
    sqlite3_stmt *handle() const { return m_stmt; }

private:
    sqlite3 *m_db;
    sqlite3_stmt *m_stmt = nullptr;
};

} // namespace RegisterDb
