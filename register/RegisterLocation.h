#pragma once
// Where the register lives, decided by the application from its settings
// and handed to every user of the register: a file on this computer, or a
// PostgreSQL server shared by an office.

#include <QString>

struct RegisterServer
{
    QString host {};     // a name, an address, or a socket folder; empty: libpq's default
    int port = 5432;
    QString database {};
    QString user {};     // empty: libpq's default (the login name)
    bool operator==(const RegisterServer &) const = default;
};

struct RegisterLocation
{
    QString path;              // the SQLite file
    int busyTimeoutMs = 3000;  // how long to wait for another program holding the register
    bool onServer = false;
    RegisterServer server {};
    // Asked once per run when libpq finds none (~/.pgpass, PGPASSWORD);
    // kept in memory only, never written to the settings.
    QString password {};
};

namespace RegisterDb {
// kantomix.db in the user's data folder (QStandardPaths::AppDataLocation).
QString defaultPath();
} // namespace RegisterDb
