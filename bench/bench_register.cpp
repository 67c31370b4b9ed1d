// Register speed: a register of 100,000 parties, the recipients list opened,
// a name prefix typed key by key, a scroll to the last row; then 50,000 DBF
// rows imported from a DOS data folder. Prints the times.
#include "../tests/import/DbfWriter.h"
#include "import/Hop.h"
#include "register/PartyStore.h"
#include "register/ListaKontrDlg.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
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

void processEvents()
{
    QApplication::processEvents();
    QApplication::processEvents();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const RegisterLocation where {dir.path() + QStringLiteral("/kantomix.db")};

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
    const auto rows = [&] { return dlg.list()->model()->rowCount(); };
    std::printf("open recipients list (%d rows): %8.1f ms  (target < 200; store opened %.1f, dialog built and listed %.1f)\n",
                rows(), ms(t), opened, filtered);

    auto *edit = dlg.findChild<QLineEdit *>(QStringLiteral("nameFilter"));
    const QString prefix = QStringLiteral("firma 01");
    double slowest = 0, total = 0;
    for (int i = 1; i <= prefix.size(); ++i) {
        t.restart();
        edit->setText(prefix.left(i));
        processEvents();
        const double k = ms(t);
        slowest = std::max(slowest, k);
        total += k;
    }
    std::printf("type \"%s\" (%d rows left):   slowest key %6.1f ms, all %6.1f ms  (target < 200 a key)\n",
                qPrintable(prefix), rows(), slowest, total);

    edit->clear();
    processEvents();
    t.restart();
    dlg.list()->scrollToBottom();
    processEvents();
    const QString last = dlg.list()->model()->index(rows() - 1, 0).data().toString();
    std::printf("scroll to the last row (%s): %8.1f ms  (target < 200)\n", qPrintable(last), ms(t));

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

    const QString root = dir.path() + QStringLiteral("/KORVANT4");
    QVector<QStringList> rows;
    rows.reserve(ImportRows);
    for (int i = 0; i < ImportRows; ++i)
        rows.push_back({QStringLiteral("Import %1 Żółw").arg(i), QStringLiteral("PL12101010230000261395%1").arg(i % 10000, 4, 10, QLatin1Char('0')),
                        QStringLiteral("Gdańsk"), QStringLiteral("Morska %1").arg(i % 100), QStringLiteral("80-001")});
    const QStringList cols {"FI_NAZWA", "FI_NRKONTA", "FI_MIASTO", "FI_ULICA", "FI_KODPOCZ"};
    writeDbf(root + QStringLiteral("/dbfs"), QStringLiteral("OWNER"), charCols(cols, 40), {});
    writeDbf(root + QStringLiteral("/dbfs"), QStringLiteral("FIRMY"), charCols(cols, 40), rows);
    t.restart();
    CHop hop(CHop::Korvant, CHop::dataFolderOf(root), *store);
    hop.Run();
    std::printf("import %d DBF rows into %d:   %8.1f ms  (target <= 5000)  %s\n", ImportRows, Parties, ms(t),
                qPrintable(hop.summary().replace(u'\n', u' ')));
    return 0;
}
