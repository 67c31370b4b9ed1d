#pragma once
// The counterparty database kantomix.db: opening (with the table and its name
// index created on first use), the Polish case-insensitive collation and the
// Jet-style LIKE that filters rely on. Failures raise CRegisterError.

#include <QString>
#include <exception>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

// A store failure carrying a message fit to show the user.
class CRegisterError : public std::exception
{
public:
    explicit CRegisterError(QString message) : m_message(std::move(message)), m_utf8(m_message.toStdString()) {}
    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.c_str(); }

private:
    QString m_message;
    std::string m_utf8;
};

namespace RegisterDb {

// kantomix.db in the user's data folder (QStandardPaths::AppDataLocation).
QString defaultPath();
} // namespace RegisterDb

// Where the register lives and how long to wait for a second running copy
// that holds it; the application decides and hands it to every user.
struct RegisterLocation
{
    QString path;
    int busyTimeoutMs = 3000;
};

namespace RegisterDb {

// Opens (creating the file, table and index when absent) and returns the
// connection; a damaged file is reported, never rewritten.
sqlite3 *open(const RegisterLocation &where);
void close(sqlite3 *db);

// Raises the failure of the last call on `db` with a message for the user.
[[noreturn]] void raise(sqlite3 *db, int rc);

// Jet LIKE: "*" any sequence, "?" one character, "#" one digit; letters
// compared without regard to case, Polish letters included.
bool jetLike(QStringView value, QStringView pattern);
// Collation order of two texts: case-insensitive, Polish letters after
// their base letters (a < ą < b).
int compareNoCase(QStringView a, QStringView b);

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
