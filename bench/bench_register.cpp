// Register speed: a register of 100,000 parties, the recipients list opened,
// a name prefix typed key by key, a scroll to the last row; then 50,000 DBF
// rows imported from a DOS data folder. Prints the times for the SQLite file
// and, given a throwaway server's folder (scripts/pgtest.sh start DIR;
// bench_register DIR), for a PostgreSQL server too, with the ratio; then
// copies a register of 50,000 parties to the server and checks it row by row.
// With --keep DIR the filled register is kept in DIR (and in the server's
// database) for the next run, and only the list is measured: for profiling.
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
#include <QDir>
#include <QFile>
#include <libpq-fe.h>
#include <cstdio>
#include <ctime>
#include <unistd.h>
#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_DUMP_STATS_AT(name)
#endif

namespace {

constexpr int Parties = 100000;
constexpr int ImportRows = 50000;

double ms(QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

// The server's main process while a server is measured, else 0.
pid_t serverPid = 0;

// Processor time of this program and of the server's processes, in ms: a
// loaded machine stretches wall time, hardly this.
double cpuMs()
{
    timespec own {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &own);
    double total = double(own.tv_sec) * 1e3 + double(own.tv_nsec) / 1e6;
    if (!serverPid)
        return total;
    const double tick = 1e3 / double(sysconf(_SC_CLK_TCK));
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!pid.front().isDigit() || !stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        // After the command in parentheses: state, parent, ..., utime (14th),
        // stime, cutime, cstime: the main process's own and its ended
        // connections' time, and each live connection's.
        const QList<QByteArray> f = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (f.size() > 14 && pid.toInt() == serverPid)
            total += (f[11].toDouble() + f[12].toDouble() + f[13].toDouble() + f[14].toDouble()) * tick;
        else if (f.size() > 12 && f[1].toInt() == serverPid)
            total += (f[11].toDouble() + f[12].toDouble()) * tick;
    }
    return total;
}

// One measured step: wall and processor time; under callgrind the step's
// instructions are dumped apart, named (callgrind_annotate each dump).
class Step
{
public:
    explicit Step(const char *name) : m_name(name) { restart(); }
    void restart()
    {
        CALLGRIND_DUMP_STATS_AT("between steps");
        m_cpu = cpuMs();
        m_wall.start();
    }
    // Ends the step: its wall time; cpu() then has its processor time.
    double stop()
    {
        const double wall = ms(m_wall);
        m_cpuSpent = cpuMs() - m_cpu;
        CALLGRIND_DUMP_STATS_AT(m_name);
        return wall;
    }
    double cpu() const { return m_cpuSpent; }

private:
    const char *m_name;
    QElapsedTimer m_wall;
    double m_cpu = 0, m_cpuSpent = 0;
};

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

// A fresh database on the server of scripts/pgtest.sh (or the one kept).
RegisterLocation serverDatabase(const QString &serverDir, const char *name, bool keep = false)
{
    QFile socket(serverDir + QStringLiteral("/socket"));
    if (!socket.open(QIODevice::ReadOnly))
        qFatal("no server in %s (scripts/pgtest.sh start %s)", qPrintable(serverDir), qPrintable(serverDir));
    QFile home(serverDir + QStringLiteral("/home"));
    if (home.open(QIODevice::ReadOnly)) {
        QFile pidFile(QString::fromUtf8(home.readAll().trimmed()) + QStringLiteral("/data/postmaster.pid"));
        if (pidFile.open(QIODevice::ReadOnly))
            serverPid = pid_t(pidFile.readLine().trimmed().toInt());
    }
    RegisterLocation where;
    where.onServer = true;
    where.server = {QString::fromUtf8(socket.readAll().trimmed()), 5432, QString::fromLatin1(name), QStringLiteral("kantomix")};
    const QByteArray conninfo = "host='" + where.server.host.toUtf8() + "' user=kantomix dbname=postgres";
    PGconn *c = PQconnectdb(conninfo.constData());
    if (!keep)
        PQclear(PQexec(c, ("DROP DATABASE IF EXISTS " + QByteArray(name) + " WITH (FORCE)").constData()));
    PQclear(PQexec(c, ("CREATE DATABASE " + QByteArray(name)).constData()));   // a kept one stays
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
// last row shown, the store's own filters.
ListTimes measureList(const RegisterLocation &where)
{
    ListTimes times;
    Step open("open");
    const auto store = PartyStore::open(where);
    CListaKontrDlg dlg(true, true, CListaKontrDlg::AllKinds);
    dlg.setStore(store.get());
    dlg.setSort(PartySort::Name);
    dlg.initDialog();
    dlg.show();
    processEvents();
    times.open = open.stop();
    const auto rows = [&] { return dlg.list()->model()->rowCount(); };
    std::printf("open recipients list (%d rows): %8.1f ms, CPU %6.1f ms  (target < 200)\n", rows(), times.open,
                open.cpu());

    auto *edit = dlg.findChild<QLineEdit *>(QStringLiteral("nameFilter"));
    const QString prefix = QStringLiteral("firma 01");
    double total = 0, slowestCpu = 0;
    for (int i = 1; i <= prefix.size(); ++i) {
        Step key("key");
        edit->setText(prefix.left(i));
        processEvents();
        const double k = key.stop();
        if (k > times.slowestKey) {
            times.slowestKey = k;
            slowestCpu = key.cpu();
        }
        total += k;
    }
    std::printf("type \"%s\" (%d rows left):   slowest key %6.1f ms, CPU %6.1f ms; all %6.1f ms  (target < 200 a key)\n",
                qPrintable(prefix), rows(), times.slowestKey, slowestCpu, total);

    edit->clear();
    processEvents();
    Step scroll("scroll");
    dlg.list()->scrollToBottom();
    processEvents();
    const QString last = dlg.list()->model()->index(rows() - 1, 0).data().toString();
    times.scroll = scroll.stop();
    std::printf("scroll to the last row (%s): %8.1f ms, CPU %6.1f ms  (target < 200)\n", qPrintable(last),
                times.scroll, scroll.cpu());

    Step jumps("jumps");
    for (int step = 0; step < 100; ++step) {
        dlg.list()->verticalScrollBar()->setValue(step * (Parties / 100));
        processEvents();
    }
    const double jumped = jumps.stop();
    std::printf("100 page jumps through the list:  %8.1f ms, CPU %6.1f ms\n", jumped, jumps.cpu());
    for (int column : {1, 2, 0}) {
        Step sort("sort");
        dlg.onSort(column);
        processEvents();
        const double sorted = sort.stop();
        std::printf("sort by column %d:                 %8.1f ms, CPU %6.1f ms\n", column, sorted, sort.cpu());
    }
    dlg.hide();

    QElapsedTimer q;
    q.start();
    store->list({0x07, {}, false}, PartySort::Natural);
    std::printf("kind filter alone (store only):   %8.1f ms\n", ms(q));
    q.restart();
    store->list({0x07, QStringLiteral("*0"), false}, PartySort::Name);
    std::printf("name filter \"*0*\" (store only):  %8.1f ms\n", ms(q));
    return times;
}

// Fills the register unless kept from an earlier run, measures the list,
// then (unless kept) imports DOS data into it.
ListTimes measure(const RegisterLocation &where, const QString &work, const char *label, bool keep)
{
    std::printf("--- %s\n", label);
    QElapsedTimer t;
    t.start();
    if (!keep || PartyStore::open(where)->list({}, PartySort::Natural).size() != size_t(Parties)) {
        fillRegister(where);
        std::printf("fill %d parties:               %8.1f ms\n", Parties, ms(t));
        if (where.onServer) {
            // A register of this size has long been vacuumed by the server
            // (its autovacuum does so within a minute of a bulk load); until
            // then the planner sorts the whole table for the name order.
            const QByteArray conninfo = "host='" + where.server.host.toUtf8() + "' user=kantomix dbname=" + where.server.database.toUtf8();
            PGconn *c = PQconnectdb(conninfo.constData());
            PQclear(PQexec(c, "VACUUM ANALYZE Kontrahent"));
            PQfinish(c);
        }
    }
    const ListTimes times = measureList(where);
    if (keep)
        return times;

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
    const auto store = PartyStore::open(where);
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
    QStringList args = app.arguments().mid(1);
    QTemporaryDir dir;
    QString work = dir.path();
    const bool keep = args.size() >= 2 && args.front() == QStringLiteral("--keep");
    if (keep) {
        work = args[1];
        args = args.mid(2);
        QDir().mkpath(work);
    }
    const ListTimes file = measure(RegisterLocation {work + QStringLiteral("/kantomix.db")}, work, "SQLite file", keep);
    if (args.isEmpty())
        return 0;
    const ListTimes server = measure(serverDatabase(args.front(), "kantomix_bench", keep), work, "PostgreSQL server", keep);
    std::printf("--- PostgreSQL / SQLite: open %.2f, slowest key %.2f, scroll %.2f\n", server.open / file.open,
                server.slowestKey / file.slowestKey, server.scroll / file.scroll);
    if (!keep)
        copyToServer(work, serverDatabase(args.front(), "kantomix_bench_copy"));
    return 0;
}
