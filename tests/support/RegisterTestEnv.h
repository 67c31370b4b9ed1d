#pragma once
// Points the register and the settings at a fresh temporary folder, so tests
// never touch the user's own files.

#include "register/PartyStore.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>
#include <libpq-fe.h>
#include <sqlite3.h>

// The register of the running test; RegisterTestEnv points it at its folder,
// or at a database of its own on the throwaway server of scripts/pgtest.sh
// when KANTOMIX_TEST_PGDIR names that server's folder.
inline RegisterLocation &testRegister()
{
    static RegisterLocation where;
    return where;
}

inline bool onServer()
{
    return testRegister().onServer;
}

// A connection of the test's own to the server database (or another one).
inline PGconn *serverConnection(const QString &database = testRegister().server.database)
{
    const RegisterServer &s = testRegister().server;
    return PQconnectdb(("host='" + s.host.toUtf8() + "' port=" + QByteArray::number(s.port) + " user='"
                        + s.user.toUtf8() + "' dbname='" + database.toUtf8()
                        + "' options='-c client_min_messages=warning'").constData());
}

// Runs statements on the test's server database (or another one); fails
// the whole run when the server does not answer.
inline void serverExec(const QByteArray &sql, const QString &database = testRegister().server.database)
{
    PGconn *c = serverConnection(database);
    if (PQstatus(c) != CONNECTION_OK)
        qFatal("test server: %s", PQerrorMessage(c));
    PGresult *r = PQexec(c, sql.constData());
    const ExecStatusType status = PQresultStatus(r);
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        qFatal("test server: %s", PQresultErrorMessage(r));
    PQclear(r);
    PQfinish(c);
}

class RegisterTestEnv
{
public:
    RegisterTestEnv()
    {
        qputenv("XDG_DATA_HOME", (m_dir.path() + QStringLiteral("/data")).toUtf8());
        qputenv("XDG_CONFIG_HOME", (m_dir.path() + QStringLiteral("/config")).toUtf8());
        testRegister() = RegisterLocation {dbPath()};
        const QString serverDir = qEnvironmentVariable("KANTOMIX_TEST_PGDIR");
        if (serverDir.isEmpty())
            return;
        QFile socket(serverDir + QStringLiteral("/socket"));
        if (!socket.open(QIODevice::ReadOnly))
            qFatal("no test server in %s (scripts/pgtest.sh start)", qPrintable(serverDir));
        RegisterLocation &where = testRegister();
        where.onServer = true;
        where.server.host = QString::fromUtf8(socket.readAll().trimmed());
        where.server.user = QStringLiteral("kantomix");
        // One database a test program, so programs run side by side.
        where.server.database = QCoreApplication::applicationName().toLower();
        serverExec("DROP DATABASE IF EXISTS " + where.server.database.toUtf8() + " WITH (FORCE)", QStringLiteral("postgres"));
        serverExec("CREATE DATABASE " + where.server.database.toUtf8(), QStringLiteral("postgres"));
    }
    QString dbPath() const { return m_dir.path() + QStringLiteral("/data/kantomix.db"); }
    QString path() const { return m_dir.path(); }

    // Starts each test on an empty register.
    void reset()
    {
        QFile::remove(dbPath());
        if (onServer())
            serverExec("DROP TABLE IF EXISTS Kontrahent, Kh_Schemat");
    }

private:
    QTemporaryDir m_dir;
};

// Another program holding the register: it reads on, but writes wait for
// it and are refused once the wait is over.
class RegisterHolder
{
public:
    explicit RegisterHolder(const QString &dbPath)
    {
        if (onServer())
            m_pg = serverConnection();
        else
            sqlite3_open(dbPath.toUtf8().constData(), &m_sqlite);
    }
    ~RegisterHolder()
    {
        release();
        PQfinish(m_pg);
        sqlite3_close(m_sqlite);
    }
    bool hold()
    {
        m_held = m_pg ? run("BEGIN; LOCK TABLE Kontrahent IN EXCLUSIVE MODE")
                      : run("BEGIN; SELECT count(*) FROM sqlite_master;");
        return m_held;
    }
    void release()
    {
        if (m_held)
            run(m_pg ? "ROLLBACK" : "COMMIT");
        m_held = false;
    }

private:
    bool run(const char *sql)
    {
        if (m_sqlite)
            return sqlite3_exec(m_sqlite, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
        PGresult *r = PQexec(m_pg, sql);
        const bool ok = PQresultStatus(r) == PGRES_COMMAND_OK;
        PQclear(r);
        return ok;
    }
    PGconn *m_pg = nullptr;
    sqlite3 *m_sqlite = nullptr;
    bool m_held = false;
};

// A party as tests write it: a name, a kind and the flag, with an account.
struct SeedParty
{
    SeedParty(const char *n, quint8 k = 0, bool d = false, const char *b = "10101023",
              const char *a = "0000261395100000", const char *c = "")
        : SeedParty(QString::fromUtf8(n), k, d)
    {
        p.bank = QString::fromUtf8(b);
        p.account = QString::fromUtf8(a);
        p.check = QString::fromUtf8(c);
    }
    SeedParty(const QString &n, quint8 k = 0, bool d = false)
    {
        p.name1 = n;
        p.kind = k;
        p.isDefault = d;
        p.bank = QStringLiteral("10101023");
        p.account = QStringLiteral("0000261395100000");
    }
    Party p;
};

inline Party party(const QString &name, quint8 kind = TypKontrahent, bool isDefault = false)
{
    return SeedParty(name, kind, isDefault).p;
}

inline void addParties(std::initializer_list<SeedParty> parties)
{
    const auto store = PartyStore::open(testRegister());
    for (SeedParty s : parties)
        store->add(s.p);
}

inline std::vector<Party> partiesOf(const PartyFilter &filter = {}, PartySort sort = PartySort::Name)
{
    return PartyStore::open(testRegister())->list(filter, sort);
}

inline QStringList namesOf(const PartyFilter &filter = {}, PartySort sort = PartySort::Name)
{
    QStringList out;
    for (const Party &p : partiesOf(filter, sort))
        out << p.name1;
    return out;
}

// The filter of the given kind bits and name prefix.
inline PartyFilter kinds(quint8 bits, const QString &prefix = {})
{
    return {bits, prefix, false};
}
