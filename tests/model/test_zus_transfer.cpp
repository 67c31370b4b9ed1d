#include "model/PaymentAccounts.h"
#include "model/ZusTransfer.h"

#include <QTest>

class TestZusTransfer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void accountForThePayer_data()
    {
        QTest::addColumn<QString>("account");
        QTest::addColumn<QString>("nip");
        QTest::addColumn<QString>("problem");     // a part of the message; empty: accepted
        QTest::newRow("NRS") << "33600000020260001234563218" << "1234563218" << "";
        QTest::newRow("NRS grouped") << "68 6000 0002 0260 0112 3456 3218" << "123-456-32-18" << "";
        QTest::newRow("another payer's") << "50600000020260005260250995" << "1234563218" << "NIP 5260250995";
        QTest::newRow("mistyped") << "34600000020260001234563218" << "1234563218" << "cyfry kontrolne";
        QTest::newRow("closed fund account") << "83101010230000261395100000" << "1234563218" << "nie jest rachunek";
        QTest::newRow("empty") << "" << "1234563218" << "Podaj numer";
        QTest::newRow("payer without a NIP") << "33600000020260001234563218" << "" << "NIP płatnika";
    }
    void accountForThePayer()
    {
        QFETCH(QString, account);
        QFETCH(QString, nip);
        QFETCH(QString, problem);
        const QString message = ZusTransfer::accountProblem(account, nip);
        QVERIFY2(problem.isEmpty() ? message.isEmpty() : message.contains(problem), qPrintable(message));
    }

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
        CPrzelewDane zus;
        zus.SetKind(KindZus, COrderDate::fromParts(2026, 12, 8));
        zus.amount = CWexOleCurrency::fromUnits(1600, 3200);
        zus.senderAccount = QStringLiteral("61109010140000071219812874");
        zus.sender1 = QStringLiteral("BIURO \"BILANS\"");
        zus.sender2 = QStringLiteral("UL. KRÓTKA 5");
        zus.payerId = QStringLiteral("1234563218");
        zus.title2 = QStringLiteral("DECYZJA 15");
        zus.declaration = QStringLiteral("112026");

        const CPrzelewDane t = ZusTransfer::ordinaryTransfer(zus, u"33 6000 0002 0260 0012 3456 3218", QStringLiteral("Tytuł"));
        QCOMPARE(t.kind, int(KindOrdinary));
        QCOMPARE(t.kindName, CPrzelewDane::KindName(KindOrdinary));
        QCOMPARE(t.amount.toTwoDecimalText(), zus.amount.toTwoDecimalText());
        QCOMPARE(t.date, zus.date);
        QCOMPARE(t.isTransfer, 1);
        QCOMPARE(t.senderAccount, zus.senderAccount);
        QCOMPARE(t.sender1, zus.sender1);
        QCOMPARE(t.sender2, zus.sender2);
        QCOMPARE(t.recipient1, zus.recipient1);
        QVERIFY(isZusContributionAccountOf(t.AccountNumberText(), zus.payerId));
        QCOMPARE(t.title1, QStringLiteral("Tytuł"));
        QVERIFY(t.title2.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestZusTransfer)
#include "test_zus_transfer.moc"
