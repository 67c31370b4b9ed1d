// One user of the register in a process of its own, driven line by line
// from standard input, answering each line on standard output:
//   read NAME      -> "ok"                  (keeps the party as read)
//   save TEXT      -> "ok" | "konflikt MSG" | "błąd MSG"  (name continued := TEXT)
//   delete         -> "ok" | "błąd MSG"     (the party kept by read)
//   default NAME [MS] -> "ok" | "błąd MSG"  (makes the sender default, again on a
//                     conflict; holds its transaction MS milliseconds before the commit)
// Arguments: the SQLite file, or "server SOCKET_FOLDER DATABASE USER".
#include "register/PartyStore.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QThread>
#include <cstdio>

namespace {

RegisterLocation locationOf(const QStringList &args)
{
    RegisterLocation where {args.value(1)};
    if (args.value(1) == QLatin1String("server")) {
        where.onServer = true;
        where.server = {args.value(2), 5432, args.value(3), args.value(4)};
    }
    return where;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream in(stdin), out(stdout);
    try {
        const auto store = PartyStore::open(locationOf(app.arguments()));
        out << "gotowy" << Qt::endl;
        Party kept;
        QString line;
        while (in.readLineInto(&line)) {
            const QString command = line.section(u' ', 0, 0), rest = line.section(u' ', 1);
            try {
                if (command == QLatin1String("read")) {
                    kept = store->findByName(rest).value_or(Party {});
                } else if (command == QLatin1String("save")) {
                    kept.name2 = rest;
                    store->update(kept);
                } else if (command == QLatin1String("delete")) {
                    store->remove({kept.id});
                } else if (command == QLatin1String("default")) {
                    PartyStore::Transaction transaction(*store);
                    for (int attempt = 0;; ++attempt) {
                        Party p = store->findByName(rest.section(u' ', 0, 0)).value_or(Party {});
                        p.isDefault = true;
                        try {
                            store->update(p);
                            break;
                        } catch (const CRegisterConflict &) {
                            if (attempt == 20)
                                throw;
                        }
                    }
                    QThread::msleep(rest.section(u' ', 1).toULong());
                    transaction.commit();
                }
                out << "ok" << Qt::endl;
            } catch (const CRegisterConflict &e) {
                out << "konflikt " << e.message() << Qt::endl;
            } catch (const CRegisterError &e) {
                out << "błąd " << e.message() << Qt::endl;
            }
        }
    } catch (const CRegisterError &e) {
        out << "błąd " << e.message() << Qt::endl;
        return 1;
    }
    return 0;
}
