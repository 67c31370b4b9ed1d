#include "model/PrzelewDane.h"

#include <QTest>

class TestPrzelewDane : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newRecordIsOrdinaryDatedNow()
    {
        const QDate today = QDate::currentDate();
        CPrzelewDane r;
        QCOMPARE(r.kind, int(KindOrdinary));
        QCOMPARE(r.kindName, QStringLiteral("Zwykły"));
        QVERIFY(r.date.isValid());
        QVERIFY(r.date.date() >= today);
        QCOMPARE(r.amount.value(), int64_t(0));
        QVERIFY(r.amount.isValid());
        QCOMPARE(r.currency, QStringLiteral("PLN"));
        QCOMPARE(r.isTransfer, 1);
        QCOMPARE(r.symbol, QStringLiteral("06"));
        QVERIFY(r.recipient1.isEmpty() && r.title1.isEmpty() && r.senderAccount.isEmpty());
    }

    void resetPerKind()
    {
        CPrzelewDane r;
        r.recipient1 = QStringLiteral("x");
        r.senderAccount = QStringLiteral("y");
        r.amount = CWexOleCurrency::fromUnits(5);
        r.sortKey = SortAmount;
        r.SetKind(KindZus);
        QCOMPARE(r.recipient1, QStringLiteral("Zakład Ubezpieczeń Społecznych"));
        QCOMPARE(r.title1, QStringLiteral("Należność z tytułu składek"));
        QCOMPARE(r.zusAccountType, 1);
        QCOMPARE(r.AccountNumberText(), QStringLiteral("83101010230000261395100000"));
        QCOMPARE(r.symbol, QStringLiteral("00"));
        QCOMPARE(r.kindName, QStringLiteral("ZUS"));
        QVERIFY(r.senderAccount.isEmpty());
        QCOMPARE(r.amount.value(), int64_t(0));
        QCOMPARE(r.sortKey, int(SortRecipient));

        r.SetKind(KindTax);
        QCOMPARE(r.idType, 4);
        QCOMPARE(CPrzelewDane::IdTypeLetter(r.idType), QChar(u'N'));
        QCOMPARE(r.symbol, QStringLiteral("07"));
        QCOMPARE(r.title1, QStringLiteral("Należność z tytułu podatków"));
        QVERIFY(r.recipient1.isEmpty());

        // An unknown kind is stored without a reset.
        r.title1 = QStringLiteral("keep");
        r.SetKind(7);
        QCOMPARE(r.kind, 7);
        QCOMPARE(r.title1, QStringLiteral("keep"));
    }

    void zusAccountsAndTitles_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("account");
        QTest::addColumn<QString>("title");
        QTest::newRow("1") << 1 << "83101010230000261395100000" << "Należność z tytułu składek na ubezpieczenie społeczne";
        QTest::newRow("2") << 2 << "78101010230000261395200000" << "Należność z tytułu składek na ubezpieczenie zdrowotne";
        QTest::newRow("3") << 3 << "73101010230000261395300000" << "Należność z tytułu składek na FP i FGŚP";
        QTest::newRow("0") << 0 << "" << "Należność z tytułu składek";
        QTest::newRow("-5") << -5 << "" << "Należność z tytułu składek";
    }
    void zusAccountsAndTitles()
    {
        QFETCH(int, type);
        QFETCH(QString, account);
        QFETCH(QString, title);
        CPrzelewDane r;
        r.SetKind(KindZus);
        r.zusAccountType = type;
        r.SetZUSTitle(type);
        QCOMPARE(r.AccountNumberText(), account);
        QCOMPARE(r.title1, title);
    }

    void accountNumberText_data()
    {
        QTest::addColumn<QString>("check");
        QTest::addColumn<QString>("bank");
        QTest::addColumn<QString>("rest");
        QTest::addColumn<QString>("text");
        QTest::newRow("full") << "12" << "10101023" << "1234567890123456" << "12-10101023-1234567890123456";
        QTest::newRow("no check digits") << "" << "10101023" << "1234567890123456" << "10101023-1234567890123456";
        QTest::newRow("empty") << "" << "" << "" << "-";
    }
    void accountNumberText()
    {
        QFETCH(QString, check);
        QFETCH(QString, bank);
        QFETCH(QString, rest);
        QFETCH(QString, text);
        CPrzelewDane r;
        r.checkDigits = check;
        r.bankNumber = bank;
        r.accountRest = rest;
        QCOMPARE(r.AccountNumberText(), text);
    }

    void letterMappings()
    {
        const QString ids = QStringLiteral("RP12N3");
        for (int i = 0; i < ids.size(); ++i) {
            QCOMPARE(CPrzelewDane::IdTypeLetter(i), ids[i]);
            QCOMPARE(CPrzelewDane::IdTypeFromLetter(ids[i]), i);
        }
        QCOMPARE(CPrzelewDane::IdTypeFromLetter(u'x'), 0);
        QCOMPARE(CPrzelewDane::IdTypeFromLetter(u'p'), 0); // letters are case-sensitive
        const QString pays = QStringLiteral("SMUTDEAB");
        for (int i = 0; i < pays.size(); ++i) {
            QCOMPARE(CPrzelewDane::PaymentTypeLetter(i), pays[i]);
            QCOMPARE(CPrzelewDane::PaymentTypeFromLetter(pays[i]), i);
        }
        QCOMPARE(CPrzelewDane::PaymentTypeFromLetter(u' '), 0);
        // Out-of-range codes still give a letter the reader maps back to 0.
        QCOMPARE(CPrzelewDane::IdTypeFromLetter(CPrzelewDane::IdTypeLetter(99)), 0);
        QCOMPARE(CPrzelewDane::PaymentTypeFromLetter(CPrzelewDane::PaymentTypeLetter(-1)), 0);
    }

    void digitWords_data()
    {
        QTest::addColumn<qlonglong>("tenThousandths");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("words");
        QTest::newRow("120.05") << 1200500LL << 0 << true << "jed*dwa*zer* 5/100";
        QTest::newRow("7.50") << 75000LL << 0 << true << "sie* 50/100";
        QTest::newRow("1000") << 10000000LL << 0 << true << "jed*zer*zer*zer*";
        QTest::newRow("0.99") << 9900LL << 0 << true << "zer* 99/100";
        QTest::newRow("0") << 0LL << 0 << true << "zer*";
        QTest::newRow("0.07") << 700LL << 0 << true << "zer* 7/100";
        QTest::newRow("all digits") << 9876543210000LL << 0 << true << "dzi*osi*sie*sze*pie*czt*trz*dwa*jed*";
        // Spelled as printed in digits: rounded to two decimals, half away from zero.
        QTest::newRow("12,3456 as 12,35") << 123456LL << 0 << true << "jed*dwa* 35/100";
        QTest::newRow("123,4567 as 123,46") << 1234567LL << 0 << true << "jed*dwa*trz* 46/100";
        QTest::newRow("12,3449 as 12,34") << 123449LL << 0 << true << "jed*dwa* 34/100";
        QTest::newRow("9,995 carries to 10,00") << 99950LL << 0 << true << "jed*zer*";
        QTest::newRow("0,004 as 0,00") << 40LL << 0 << true << "zer*";
        QTest::newRow("0,0050 as 0,01") << 50LL << 0 << true << "zer* 1/100";
        QTest::newRow("invalid") << 100LL << 1 << false << "";
        QTest::newRow("null") << 100LL << 2 << false << "";
    }
    void digitWords()
    {
        QFETCH(qlonglong, tenThousandths);
        QFETCH(int, status);
        QFETCH(bool, ok);
        QFETCH(QString, words);
        CPrzelewDane r;
        r.amount = CWexOleCurrency(tenThousandths, CWexOleCurrency::Status(status));
        QString out = QStringLiteral("old");
        QCOMPARE(r.AmountInDigitWords(out), ok);
        QCOMPARE(out, words);
    }

    void comparisonBySortKey()
    {
        CPrzelewDane a, b;
        a.recipient1 = QStringLiteral("Alfa");
        b.recipient1 = QStringLiteral("Alfa");
        QVERIFY(!(a < b) && !(a > b) && a == b && !(a != b));
        QVERIFY(!(a < a) && a == a);

        // Texts compare the Polish way: "Ł" right after "L", letter case aside.
        b.recipient1 = QStringLiteral("Łódź");
        a.recipient1 = QStringLiteral("Zabrze");
        QVERIFY(a > b);
        a.recipient1 = QStringLiteral("alfa");
        b.recipient1 = QStringLiteral("Beta");
        QVERIFY(a < b);
        a.recipient1 = QStringLiteral("Ab");
        b.recipient1 = QStringLiteral("Abc");
        QVERIFY(a < b);

        // The receiving record's key decides.
        a.amount = CWexOleCurrency::fromUnits(10);
        b.amount = CWexOleCurrency::fromUnits(2);
        a.sortKey = SortAmount;
        QVERIFY(a > b);
        QVERIFY(b > a); // b still compares by name: "Abc" after "Ab"
        b.sortKey = SortAmount;
        QVERIFY(b < a);

        a.sortKey = b.sortKey = SortDate;
        a.date = COrderDate::fromParts(2026, 1, 2);
        b.date = COrderDate::null();
        QVERIFY(b < a);
        b.date = COrderDate::fromParts(2026, 1, 3);
        QVERIFY(a < b);

        a.sortKey = b.sortKey = SortAccount;
        a.bankNumber = QStringLiteral("2");
        b.checkDigits = QStringLiteral("11");
        QVERIFY(a > b); // "2-" sorts after "11--"
    }

    void dates()
    {
        QVERIFY(!COrderDate::fromParts(2005, 13, 1).isValid());
        QVERIFY(!COrderDate::fromParts(2005, 2, 29).isValid());
        QVERIFY(COrderDate::fromParts(2004, 2, 29).isValid());
        QVERIFY(!COrderDate::fromParts(0, 1, 1).isValid());
        QCOMPARE(COrderDate::fromParts(2026, 3, 7).toShortText(), QStringLiteral("07.03.2026"));
        QCOMPARE(COrderDate::fromParts(2026, 3, 7).toIsoText(), QStringLiteral("2026-03-07"));
        QCOMPARE(COrderDate::null().toIsoText(), QString());
    }
};

QTEST_GUILESS_MAIN(TestPrzelewDane)
#include "test_przelew_dane.moc"
