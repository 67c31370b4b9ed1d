#include "model/PaymentAccounts.h"
#include "model/ZusTransfer.h"
#include "SampleOrders.h"

#include <QTest>

class TestZusTransfer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void titleFromTheDeclaration_data()
    {
        QTest::addColumn<QString>("declaration");
        QTest::addColumn<QString>("title");
        QTest::newRow("month") << "112026" << "Składki ZUS za 11/2026";
        QTest::newRow("none") << "" << "Składki ZUS";
        QTest::newRow("no period (fees)") << "000000" << "Składki ZUS";
        QTest::newRow("month 13") << "132026" << "Składki ZUS";
        QTest::newRow("short") << "1120" << "Składki ZUS";
    }
    void titleFromTheDeclaration()
    {
        QFETCH(QString, declaration);
        QFETCH(QString, title);
        QCOMPARE(ZusTransfer::title(declaration), title);
    }

    // What the payer typed stays; what belonged to the ZUS form goes.
    void ordinaryTransferKeepsTheMoneyAndTheSender()
    {
        CPrzelewDane zus = sample::zus();
        zus.payerId = QStringLiteral("1234563218");
        const CPrzelewDane t = ZusTransfer::ordinaryTransfer(zus, u"33 6000 0002 0260 0012 3456 3218", QStringLiteral("Tytuł"));
        QCOMPARE(t.kind, int(KindOrdinary));
        QCOMPARE(t.kindName, CPrzelewDane::KindName(KindOrdinary));
        QCOMPARE(t.amount.toTwoDecimalText(), zus.amount.toTwoDecimalText());
        QCOMPARE(t.date, zus.date);
        QCOMPARE(t.isTransfer, 1);
        QCOMPARE(t.senderAccount, zus.senderAccount);
        QCOMPARE(t.sender1, zus.sender1);
        QCOMPARE(t.sender2, zus.sender2);
        QCOMPARE(t.recipient1, QStringLiteral("Zakład Ubezpieczeń Społecznych"));   // the ZUS order has none
        QVERIFY(isZusContributionAccountOf(t.AccountNumberText(), zus.payerId));
        QCOMPARE(t.title1, QStringLiteral("Tytuł"));
        QVERIFY(t.title2.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestZusTransfer)
#include "test_zus_transfer.moc"
