#include "model/AccountCheck.h"
#include "model/PrzelewDane.h"

#include <QTest>

class TestAccountCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void realNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("result");
        const int valid = int(AccountCheck::Valid);
        // The ZUS accounts of the record types.
        for (int type = 1; type <= 3; ++type)
            QTest::addRow("ZUS %d", type) << CPrzelewDane::ZusAccount(type) << valid;
        QTest::newRow("grouped by fours") << "83 1010 1023 0000 2613 9510 0000" << valid;
        QTest::newRow("with PL") << "PL83101010230000261395100000" << valid;
        QTest::newRow("PL lower case, dashes") << "pl 83-10101023-0000261395100000" << valid;
        QTest::newRow("empty") << "" << int(AccountCheck::Empty);
        QTest::newRow("blanks only") << "  - " << int(AccountCheck::Empty);
        QTest::newRow("25 digits") << "8310101023000026139510000" << int(AccountCheck::WrongLength);
        QTest::newRow("27 digits") << "831010102300002613951000000" << int(AccountCheck::WrongLength);
        QTest::newRow("no check digits") << "10101023-0000261395100000" << int(AccountCheck::WrongLength);
        QTest::newRow("a letter") << "83101010230000261395I00000" << int(AccountCheck::WrongLength);
        QTest::newRow("foreign IBAN") << "DE89370400440532013000" << int(AccountCheck::WrongLength);
        // Check digits that fit the number, but a sorting code whose own digit does not.
        QTest::newRow("bank code digit wrong") << "58101010240000261395100000" << int(AccountCheck::WrongBankCode);
    }
    void realNumbers()
    {
        QFETCH(QString, text);
        QFETCH(int, result);
        QCOMPARE(int(checkAccountNumber(text)), result);
        QCOMPARE(accountCheckWarning(AccountCheck(result)).isEmpty(),
                 result == int(AccountCheck::Valid) || result == int(AccountCheck::Empty));
    }

    // Every single-digit mistake and every swap of two different adjacent
    // digits of a valid number is caught.
    void typingMistakesAreCaught()
    {
        for (int type = 1; type <= 3; ++type) {
            const QString good = CPrzelewDane::ZusAccount(type);
            QCOMPARE(checkAccountNumber(good), AccountCheck::Valid);
            for (int i = 0; i < good.size(); ++i) {
                for (char16_t d = u'0'; d <= u'9'; ++d) {
                    if (good[i] == QChar(d))
                        continue;
                    QString bad = good;
                    bad[i] = QChar(d);
                    QVERIFY2(checkAccountNumber(bad) != AccountCheck::Valid, qPrintable(bad));
                }
                if (i + 1 < good.size() && good[i] != good[i + 1]) {
                    QString swapped = good;
                    std::swap(swapped[i], swapped[i + 1]);
                    QVERIFY2(checkAccountNumber(swapped) != AccountCheck::Valid, qPrintable(swapped));
                }
            }
        }
    }

    void numberInItsFields()
    {
        QCOMPARE(checkAccountNumber(u"83", u"10101023", u"0000261395100000"), AccountCheck::Valid);
        QCOMPARE(checkAccountNumber(u"38", u"10101023", u"0000261395100000"), AccountCheck::WrongCheckDigits);
        QCOMPARE(checkAccountNumber(u"", u"", u""), AccountCheck::Empty);
        QCOMPARE(checkAccountNumber(u"", u"10101023", u"0000261395100000"), AccountCheck::WrongLength);
        QCOMPARE(checkAccountNumber(u"83", u"1010 1023", u"0000-2613-9510-0000"), AccountCheck::Valid);
    }
};

QTEST_MAIN(TestAccountCheck)
#include "test_account_check.moc"
