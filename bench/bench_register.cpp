// Register speed: a register of 100,000 parties, the recipients list opened,
// a name prefix typed key by key, a scroll to the last row; then 50,000 DBF
// rows imported from a DOS data folder. Prints the times for the SQLite file
// and, given a throwaway server's folder (scripts/pgtest.sh start DIR;
// bench_register DIR), for a PostgreSQL server too, with the ratio; then
// copies a register of 50,000 parties to the server and checks it row by row.
#include "../tests/support/DbfWriter.h"
#include "import/Hop.h"
#include "register/PartyStore.h"
#include "register/RegisterCopy.h"
#include "register/ListaKontrDlg.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QFile>
#include <libpq-fe.h>
#include <cstdio>

namespace {

constexpr int Parties = 100000;
constexpr int ImportRows = 50000;

double ms(QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

void fillRegister(const RegisterLocation &where)
{
    const auto store = PartyStore::open(where);
    PartyStore::Transaction t(*store);
    for (int i = 0; i < Parties; ++i) {
        Party p;
        p.name1 = QStringLiteral("Firma %1 Łódź").arg((i * 7919) % Parties, 6, 10, QLatin1Char('0'));
        p.name2 = QStringLiteral("90-001 Łódź,Piotrkowska %1").arg(i % 300);
        p.bank = QStringLiteral("10101023");
        p.account = QStringLiteral("%1").arg(i, 16, 10, QLatin1Char('0'));
        p.kind = quint8(i % 3);
        store->add(p);
    }
    t.commit();
}

// A fresh database on the server of scripts/pgtest.sh.
RegisterLocation serverDatabase(const QString &serverDir, const char *name)
{
    QFile socket(serverDir + QStringLiteral("/socket"));
    if (!socket.open(QIODevice::ReadOnly))
        qFatal("no server in %s (scripts/pgtest.sh start %s)", qPrintable(serverDir), qPrintable(serverDir));
    RegisterLocation where;
    where.onServer = true;
    where.server = {QString::fromUtf8(socket.readAll().trimmed()), 5432, QString::fromLatin1(name), QStringLiteral("kantomix")};
    const QByteArray conninfo = "host='" + where.server.host.toUtf8() + "' user=kantomix dbname=postgres";
    PGconn *c = PQconnectdb(conninfo.constData());
    for (const QByteArray &sql : {"DROP DATABASE IF EXISTS " + QByteArray(name) + " WITH (FORCE)",
                                  "CREATE DATABASE " + QByteArray(name)})
        PQclear(PQexec(c, sql.constData()));
    PQfinish(c);
    return where;
}

struct ListTimes
{
    double open = 0, slowestKey = 0, scroll = 0;
};

void processEvents()
{
    QApplication::processEvents();
    QApplication::processEvents();
}

// The recipients list over a filled register: opened, a prefix typed, the
// last row shown, the store's own filters; then the DOS import into it.
ListTimes measure(const RegisterLocation &where, const QString &work, const char *label)
{
    std::printf("--- %s\n", label);
    ListTimes times;
    QElapsedTimer t;
    t.start();
    fillRegister(where);
    std::printf("fill %d parties:               %8.1f ms\n", Parties, ms(t));

    t.restart();
    const auto store = PartyStore::open(where);
    const double opened = ms(t);
    CListaKontrDlg dlg(true, true, CListaKontrDlg::AllKinds);
    dlg.setStore(store.get());
    dlg.setSort(PartySort::Name);
    dlg.initDialog();
    const double filtered = ms(t);
    dlg.show();
    processEvents();
    times.open = ms(t);
    const auto rows = [&] { return dlg.list()->model()->rowCount(); };
    std::printf("open recipients list (%d rows): %8.1f ms  (target < 200; store opened %.1f, dialog built and listed %.1f)\n",
                rows(), times.open, opened, filtered);

    auto *edit = dlg.findChild<QLineEdit *>(QStringLiteral("nameFilter"));
    const QString prefix = QStringLiteral("firma 01");
    double total = 0;
    for (int i = 1; i <= prefix.size(); ++i) {
        t.restart();
        edit->setText(prefix.left(i));
        processEvents();
        const double k = ms(t);
        times.slowestKey = std::max(times.slowestKey, k);
        total += k;
    }
    std::printf("type \"%s\" (%d rows left):   slowest key %6.1f ms, all %6.1f ms  (target < 200 a key)\n",
                qPrintable(prefix), rows(), times.slowestKey, total);

    edit->clear();
    processEvents();
    t.restart();
    dlg.list()->scrollToBottom();
    processEvents();
    const QString last = dlg.list()->model()->index(rows() - 1, 0).data().toString();
    times.scroll = ms(t);
    std::printf("scroll to the last row (%s): %8.1f ms  (target < 200)\n", qPrintable(last), times.scroll);

    t.restart();
    for (int step = 0; step < 100; ++step) {
        dlg.list()->verticalScrollBar()->setValue(step * (Parties / 100));
        processEvents();
    }
    std::printf("100 page jumps through the list:  %8.1f ms\n", ms(t));
    dlg.hide();

    QElapsedTimer q;
    q.start();
    store->list({0x07, {}, false}, PartySort::Natural);
    std::printf("kind filter alone (store only):   %8.1f ms\n", ms(q));
    q.restart();
    store->list({0x07, QStringLiteral("*0"), false}, PartySort::Name);
    std::printf("name filter \"*0*\" (store only):  %8.1f ms\n", ms(q));

    const QString root = work + QStringLiteral("/KORVANT4");
    if (!QFileInfo::exists(root + QStringLiteral("/dbfs/FIRMY.DBF"))) {
        QVector<QStringList> dbfRows;
        dbfRows.reserve(ImportRows);
        for (int i = 0; i < ImportRows; ++i)
            dbfRows.push_back({QStringLiteral("Import %1 Żółw").arg(i),
                               QStringLiteral("PL12101010230000261395%1").arg(i % 10000, 4, 10, QLatin1Char('0')),
                               QStringLiteral("Gdańsk"), QStringLiteral("Morska %1").arg(i % 100), QStringLiteral("80-001")});
        const QStringList cols {"FI_NAZWA", "FI_NRKONTA", "FI_MIASTO", "FI_ULICA", "FI_KODPOCZ"};
        writeDbf(root + QStringLiteral("/dbfs"), QStringLiteral("OWNER"), charCols(cols, 40), {});
        writeDbf(root + QStringLiteral("/dbfs"), QStringLiteral("FIRMY"), charCols(cols, 40), dbfRows);
    }
    t.restart();
    CHop hop(CHop::Korvant, CHop::dataFolderOf(root), *store);
    hop.Run();
    std::printf("import %d DBF rows into %d:   %8.1f ms  (target <= 5000)  %s\n", ImportRows, Parties, ms(t),
                qPrintable(hop.summary().replace(u'\n', u' ')));
    return times;
}

// A register of 50,000 parties copied from the file to the server, twice;
// every party then checked against its copy.
void copyToServer(const QString &work, const RegisterLocation &server)
{
    constexpr int Copied = 50000;
    const RegisterLocation file {work + QStringLiteral("/do-skopiowania.db")};
    const auto from = PartyStore::open(file);
    {
        PartyStore::Transaction t(*from);
        for (int i = 0; i < Copied; ++i) {
            Party p;
            p.name1 = QStringLiteral("Kontrahent %1 Łęczyca").arg(i);
            p.name2 = QStringLiteral("ul. Żółta %1").arg(i % 500);
            p.check = QString::number(10 + i % 90);
            p.bank = QStringLiteral("10101023");
            p.account = QStringLiteral("%1").arg(i, 16, 10, QLatin1Char('0'));
            p.kind = quint8(i % 4);
            p.isDefault = i == 3;
            from->add(p);
        }
        t.commit();
    }
    const auto to = PartyStore::open(server);
    QElapsedTimer t;
    t.start();
    const RegisterCopyResult first = copyRegister(*from, *to);
    const double firstMs = ms(t);
    t.restart();
    const RegisterCopyResult again = copyRegister(*from, *to);
    const double againMs = ms(t);
    const std::vector<Party> source = from->list({}, PartySort::Natural), copy = to->list({}, PartySort::Natural);
    int same = 0;
    for (size_t i = 0; i < source.size() && i < copy.size(); ++i) {
        Party expected = source[i];
        expected.id = copy[i].id;
        expected.version = copy[i].version;
        same += expected == copy[i] ? 1 : 0;
    }
    std::printf("copy %d parties to the server: %8.1f ms (copied %d, present %d); again %8.1f ms (copied %d, present %d); "
                "%d of %zu rows equal field by field\n",
                Copied, firstMs, first.copied, first.present, againMs, again.copied, again.present, same, copy.size());
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const ListTimes file = measure(RegisterLocation {dir.path() + QStringLiteral("/kantomix.db")}, dir.path(),
                                   "SQLite file");
    if (argc < 2)
        return 0;
    const QString serverDir = QString::fromLocal8Bit(argv[1]);
    const ListTimes server = measure(serverDatabase(serverDir, "kantomix_bench"), dir.path(), "PostgreSQL server");
    std::printf("--- PostgreSQL / SQLite: open %.2f, slowest key %.2f, scroll %.2f\n", server.open / file.open,
                server.slowestKey / file.slowestKey, server.scroll / file.scroll);
    copyToServer(dir.path(), serverDatabase(serverDir, "kantomix_bench_copy"));
    return 0;
}
