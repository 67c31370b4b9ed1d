// Writes, opens and sorts 100,000 orders of all three kinds and prints the times.

#include "model/KantomixDoc.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <QTemporaryDir>
#include <cstdio>

namespace {

CPrzelewDane makeOrder(int i)
{
    CPrzelewDane r;
    r.SetKind(i % 3);
    r.recipient1 = QStringLiteral("Odbiorca %1 Łódź").arg((i * 7919LL) % 100000);
    r.title1 = QStringLiteral("Faktura %1").arg((i * 104729LL) % 100000);
    r.checkDigits = QStringLiteral("12");
    r.bankNumber = QStringLiteral("10101023");
    r.accountRest = QString::number(1000000000000000LL + (i * 48611LL) % 1000000);
    r.amount = CWexOleCurrency::fromUnits((i * 37LL) % 100000, (i % 100) * 100);
    r.date = COrderDate::fromParts(2026, 1 + i % 12, 1 + i % 28);
    r.sender1 = QStringLiteral("Nadawca");
    r.payerId = QStringLiteral("1234567890");
    return r;
}

double ms(QElapsedTimer &t) { return double(t.nsecsElapsed()) / 1e6; }

} // namespace

int main()
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const int kOrders = qEnvironmentVariableIntValue("BENCH_ORDERS") > 0 ? qEnvironmentVariableIntValue("BENCH_ORDERS") : 100000;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.zmt"));

    CKantomixDoc doc;
    for (int i = 0; i < kOrders; ++i)
        doc.Add(makeOrder(i));

    // Best of three runs, so a busy machine disturbs the figures less.
    QElapsedTimer t;
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        t.restart();
        if (!doc.Save(path)) {
            std::fprintf(stderr, "save failed: %s\n", qPrintable(doc.errorString()));
            return 1;
        }
        best = std::min(best, ms(t));
    }
    std::printf("save  %d orders: %8.1f ms (file of %lld bytes)\n", kOrders, best,
                QFileInfo(path).size());

    if (qEnvironmentVariableIsSet("BENCH_KEEP")) QFile::copy(path, qEnvironmentVariable("BENCH_KEEP"));
    CKantomixDoc opened;
    best = 1e9;
    for (int run = 0; run < 3; ++run) {
        t.restart();
        if (opened.Open(path) != CKantomixDoc::OpenResult::Opened || opened.count() != kOrders) {
            std::fprintf(stderr, "open failed\n");
            return 1;
        }
        best = std::min(best, ms(t));
    }
    std::printf("open  %d orders: %8.1f ms\n", kOrders, best);

    static const char *const keys[] = {"recipient", "title", "account", "date", "amount", "currency", "kind"};
    for (int key = 0; key <= 6; ++key) {
        t.restart();
        opened.Sort(key, true);
        const double asc = ms(t);
        t.restart();
        opened.Sort(key, false);
        std::printf("sort by %-9s asc %7.1f ms, desc %7.1f ms\n", keys[key], asc, ms(t));
    }
    return 0;
}
