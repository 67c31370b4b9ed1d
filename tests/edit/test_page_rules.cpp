// What the order pages decide without a widget: the name limit, the limit
// message, the amount parse and the deposit/transfer switch.

#include "edit/PageRules.h"

#include <QTest>

using namespace PageRules;

class TestPageRules : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void limitFollowsBoxesAndRefusesLongerTexts_data()
    {
        QTest::addColumn<bool>("fitInBox");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("message");
        QTest::newRow("boxes, 27 fits") << true << 27 << QString();
        QTest::newRow("boxes, 28 refused") << true << 28 << "Proszę wprowadzić najwyżej 27 znaków.";
        QTest::newRow("free text, 54 fits") << false << 54 << QString();
        QTest::newRow("free text, 55 refused") << false << 55 << "Proszę wprowadzić najwyżej 54 znaków.";
    }
    void limitFollowsBoxesAndRefusesLongerTexts()
    {
        QFETCH(bool, fitInBox);
        QFETCH(int, length);
        QFETCH(QString, message);
        const int limit = nameLimit(fitInBox);
        QCOMPARE(limit, fitInBox ? 27 : 54);
        // Polish letters count one each.
        const std::optional<QString> got = limitMessage(QString(length, u'Ż'), limit);
        QCOMPARE(got.value_or(QString()), message);
    }

    void amountParse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<qint64>("value");
        QTest::newRow("decimal") << "123,45" << true << qint64(1234500);
        QTest::newRow("whole") << "7" << true << qint64(70000);
        QTest::newRow("grouped") << "1 234,5" << true << qint64(12345000);
        QTest::newRow("zero") << "0" << true << qint64(0);
        QTest::newRow("empty") << "" << false << qint64(0);
        QTest::newRow("letters") << "12a" << false << qint64(0);
    }
    void amountParse()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(qint64, value);
        const auto amount = parseAmount(text);
        QCOMPARE(amount.has_value(), ok);
        if (ok)
            QCOMPARE(amount->value(), value);
    }

    void depositShowsWordsAndKeepsTheAccount()
    {
        SenderAccountField f {QStringLiteral("12-10101023-0000261395100000"), true, QString()};
        QVERIFY(f.showDigitWords(QStringLiteral("120,05")));
        QCOMPARE(f.text, QStringLiteral("jed*dwa*zer* 5/100"));
        QVERIFY(!f.enabled);
        QCOMPARE(f.kept, QStringLiteral("12-10101023-0000261395100000"));
        // A further change of the amount refreshes the words, never keeps them as the account.
        QVERIFY(f.showDigitWords(QStringLiteral("3")));
        QCOMPARE(f.text, QStringLiteral("trz*"));
        QCOMPARE(f.kept, QStringLiteral("12-10101023-0000261395100000"));
        // No amount: nothing changes.
        QVERIFY(!f.showDigitWords(QString()));
        QCOMPARE(f.text, QStringLiteral("trz*"));
        // A sender picked meanwhile waits for "Przelew".
        f.accountPicked(QStringLiteral("10101023-0000261395100000"), true);
        QCOMPARE(f.text, QStringLiteral("trz*"));
        f.showAccount();
        QCOMPARE(f.text, QStringLiteral("10101023-0000261395100000"));
        QVERIFY(f.enabled);
        // For a transfer the picked account goes straight into the field.
        f.accountPicked(QStringLiteral("99-1-2"), false);
        QCOMPARE(f.text, QStringLiteral("99-1-2"));
    }
};

QTEST_APPLESS_MAIN(TestPageRules)
#include "test_page_rules.moc"
