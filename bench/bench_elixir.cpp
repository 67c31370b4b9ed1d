// 100,000 orders into a bank import file: the time, against writing the same
// bytes with one plain write; and the headless command reading a handed-over file.

#include "app/BatchPrint.h"
#include "app/ElixirExport.h"
#include "model/AccountCheck.h"
#include "model/ElixirWriter.h"
#include "model/KantomixDoc.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

// Ordinary and tax transfers in turn, every account valid, texts as long as real ones.
CPrzelewDane makeOrder(int i)
{
    CPrzelewDane r;
    r.SetKind(i % 4 == 3 ? KindTax : KindOrdinary, COrderDate::fromParts(2026, 12, 8));
    const QString bban = QStringLiteral("10501461%1").arg(1000000000000000LL + i);
    r.checkDigits = nrbCheckDigits(bban);
    r.bankNumber = bban.left(8);
    r.accountRest = bban.mid(8);
    r.recipient1 = QStringLiteral("Odbiorca nr %1 Spółka z ograniczoną").arg(i);
    r.recipient2 = QStringLiteral("ul. Długa %1, 80-827 Gdańsk").arg(i % 200);
    r.senderAccount = QStringLiteral("60 1020 1026 0000 1234 5678 9012");
    r.sender1 = QStringLiteral("Przedsiębiorstwo Usługowe Źródło sp. z o.o.");
    r.sender2 = QStringLiteral("ul. Krótka 5/7, 00-950 Warszawa");
    r.title1 = QStringLiteral("Faktura VAT %1/12/2026").arg(i);
    r.title2 = QStringLiteral("za usługi transportowe w listopadzie");
    r.amount = CWexOleCurrency::fromUnits(100 + i, 5000);
    r.payerId = QStringLiteral("5260250995");
    r.taxPeriod = QStringLiteral("26M11");
    r.taxFormSymbol = QStringLiteral("VAT-7");
    return r;
}

double ms(const QElapsedTimer &t) { return double(t.nsecsElapsed()) / 1e6; }

} // namespace

int main()
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const int kOrders = qEnvironmentVariableIntValue("BENCH_ORDERS") > 0 ? qEnvironmentVariableIntValue("BENCH_ORDERS")
                                                                         : 100000;
    QTemporaryDir dir;
    std::vector<CPrzelewDane> orders;
    orders.reserve(kOrders);
    for (int i = 0; i < kOrders; ++i)
        orders.push_back(makeOrder(i));

    // Best of three, so a busy machine disturbs the figures less.
    double exported = 1e12, plain = 1e12;
    QByteArray bytes;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer t;
        t.start();
        CElixirFile file {ElixirOptions()};
        for (const CPrzelewDane &o : orders)
            file.add(o);
        QSaveFile out(dir.filePath(QStringLiteral("bank.pli")));
        if (file.count() != kOrders || !out.open(QIODevice::WriteOnly)
            || out.write(file.bytes()) != file.bytes().size() || !out.commit()) {
            std::fprintf(stderr, "export failed: %d of %d orders\n", file.count(), kOrders);
            return 1;
        }
        exported = std::min(exported, ms(t));
        bytes = file.bytes();

        t.restart();
        QFile same(dir.filePath(QStringLiteral("plain.pli")));
        if (!same.open(QIODevice::WriteOnly) || same.write(bytes) != bytes.size())
            return 1;
        same.close();
        plain = std::min(plain, ms(t));
    }
    std::printf("export %d orders: %8.1f ms (%lld bytes); plain write of the same bytes %6.1f ms; ratio %.1f\n",
                kOrders, exported, qlonglong(bytes.size()), plain, exported / plain);

    // The headless command: a handed-over file read and the bank file written.
    CKantomixDoc doc;
    for (const CPrzelewDane &o : orders)
        doc.Add(o);
    const QString input = dir.filePath(QStringLiteral("zlecenia.txt"));
    if (!doc.Save(input))
        return 1;
    double headless = 1e12;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer t;
        t.start();
        const ElixirExportRequest request {input, dir.filePath(QStringLiteral("wynik.pli")), ElixirOptions()};
        if (runElixirExport(request, {[](const QString &text) { std::fprintf(stderr, "%s\n", qPrintable(text)); },
                                      nullptr})
            != BatchPrinted)
            return 1;
        headless = std::min(headless, ms(t));
    }
    std::printf("--export-elixir of a file of %d orders: %8.1f ms\n", kOrders, headless);
    return 0;
}
