// What the order pages decide without a widget: the amount parse, the
// deposit words without an amount and the tax and ZUS lists (the name limit
// and the deposit/transfer switch are checked through the pages).

#include "edit/PageRules.h"
#include "model/OrderFields.h"
#include "model/PrzelewDane.h"

#include <QTest>
#include <algorithm>
#include <limits>

using namespace PageRules;

class TestPageRules : public QObject
{
    Q_OBJECT
private Q_SLOTS:
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

    // Without a readable amount the words stay as they were. (The page's
    // amount field always holds a number; the switch between words and the
    // kept account is checked through the pages, test_details_page.)
    void depositWithoutAnAmountKeepsTheWords()
    {
        SenderAccountField f {QStringLiteral("12-10101023-0000261395100000"), true, QString()};
        QVERIFY(f.showDigitWords(QStringLiteral("3")));
        QVERIFY(!f.showDigitWords(QString()));
        QCOMPARE(f.text, QStringLiteral("trz*"));
        QVERIFY(!f.enabled);
        QCOMPARE(f.kept, QStringLiteral("12-10101023-0000261395100000"));
    }

    // Every code of the record has its entry and back; codes outside the
    // list have none (a file may hold any number).
    void taxIdentifierTypeRoundTrip_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("position");
        QTest::newRow("R") << 0 << 1;
        QTest::newRow("P") << 1 << 2;
        QTest::newRow("1") << 2 << 3;
        QTest::newRow("2") << 3 << 4;
        QTest::newRow("N") << 4 << 0;
        QTest::newRow("3") << 5 << 5;
        QTest::newRow("-1 none") << -1 << -1;
        QTest::newRow("6 none") << 6 << -1;
        QTest::newRow("huge none") << 1000000 << -1;
    }
    void taxIdentifierTypeRoundTrip()
    {
        QFETCH(int, code);
        QFETCH(int, position);
        QCOMPARE(Tax::idTypePosition(code), position);
        if (position >= 0)
            QCOMPARE(Tax::idTypeCode(position), code);
    }

    // Only the very same text selects an entry: a stored symbol is never
    // replaced by a longer one or by another letter case.
    void taxSymbolSelectsOnlyItsOwnEntry_data()
    {
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("entry");   // "" none
        QTest::newRow("PIT") << "PIT" << "PIT";
        QTest::newRow("PIT3") << "PIT3" << "";
        QTest::newRow("P") << "P" << "";
        QTest::newRow("lower case") << "cit2" << "";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("longer than an entry") << "VAT7KX" << "";
        QTest::newRow("today's symbol") << "VAT7K" << "VAT7K";
    }
    void taxSymbolSelectsOnlyItsOwnEntry()
    {
        QFETCH(QString, symbol);
        QFETCH(QString, entry);
        const QStringList entries = Tax::formSymbols();
        QCOMPARE(entries.first(), QStringLiteral("AKC"));
        // The original entries and today's symbols, once each, sorted, each fitting the field.
        for (const char *kept : {"AKC", "AKC2A", "CIT", "CIT2", "GL", "INNE", "KP", "OS", "PCC", "PIT", "PIT37", "PN",
                                 "PPE", "SD", "VAT", "VAT7", "PIT36", "PIT4R", "VAT7K", "CIT8", "JPKV7M", "PCC3"})
            QCOMPARE(entries.count(QString::fromLatin1(kept)), 1);
        QVERIFY(std::is_sorted(entries.begin(), entries.end()));
        QVERIFY(std::all_of(entries.begin(), entries.end(),
                            [](const QString &e) {
                                return e.size() <= OrderFields::pageLimit(KindTax, OrderField::TaxFormSymbol);
                            }));
        const int position = Tax::symbolPosition(entries, symbol);
        QCOMPARE(position < 0 ? QString() : entries[position], entry);
    }

    void microAccountButtonOnlyWhereTheSymbolGoesThere_data()
    {
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<char>("idType");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("account");    // empty: the button is off
        QTest::addColumn<QString>("toolTip");    // a part of it
        QTest::newRow("PIT-37, NIP") << "PIT37" << 'N' << "1234563218" << "88101000712222123456321800"
                                     << "2 (typ: NIP), NIP 1234563218, zera do 12 cyfr 00";
        QTest::newRow("PIT-37, PESEL") << "PIT-37" << 'P' << "02070803628" << "34101000712221020708036280"
                                       << "1 (typ: PESEL), PESEL 02070803628, zera do 12 cyfr 0";
        QTest::newRow("PCC-3") << "PCC3" << 'N' << "1234563218" << "" << "rachunek urzędu skarbowego";
        QTest::newRow("unknown symbol") << "INNE" << 'N' << "1234563218" << "" << "nie ma w tabeli";
        QTest::newRow("no symbol") << "" << 'N' << "1234563218" << "" << "wybierz symbol";
        QTest::newRow("REGON") << "VAT7K" << 'R' << "123456785" << "" << "typ N";
        QTest::newRow("NIP failing its check") << "VAT7K" << 'N' << "1234563219" << "" << "błędną cyfrę";
    }
    void microAccountButtonOnlyWhereTheSymbolGoesThere()
    {
        QFETCH(QString, symbol);
        QFETCH(char, idType);
        QFETCH(QString, id);
        QFETCH(QString, account);
        QFETCH(QString, toolTip);
        const Tax::MicroAccountButton button =
            Tax::microAccountButton(symbol, CPrzelewDane::IdTypeFromLetter(QChar(idType)), id);
        QCOMPARE(button.account, account);
        QVERIFY2(button.toolTip.contains(toolTip), qPrintable(button.toolTip));
    }

    void zusDeclarationAndAccount()
    {
        QCOMPARE(Zus::splitDeclaration(QStringLiteral("012005")), qMakePair(QStringLiteral("01"), QStringLiteral("2005")));
        QCOMPARE(Zus::splitDeclaration(QStringLiteral("1")), qMakePair(QStringLiteral("1"), QStringLiteral("1")));
        const auto health = Zus::recipientAccount(2);
        QVERIFY(health);
        QCOMPARE(health->check, QStringLiteral("78"));
        QCOMPARE(health->bank, QStringLiteral("10101023"));
        QCOMPARE(health->rest, QStringLiteral("0000261395200000"));
        QVERIFY(!Zus::recipientAccount(0));
        QVERIFY(!Zus::recipientAccount(4));
        QCOMPARE(Zus::positionOf(4, 5), 4);
        QCOMPARE(Zus::positionOf(5, 5), -1);
        QCOMPARE(Zus::positionOf(-1, 5), -1);
        QCOMPARE(Zus::purposePosition(3), 2);
        QCOMPARE(Zus::purposePosition(std::numeric_limits<int>::min()), -1);
        QCOMPARE(Zus::idCaption(QStringLiteral("Paszport")), QStringLiteral("Paszport:"));
    }
};

QTEST_APPLESS_MAIN(TestPageRules)
#include "test_page_rules.moc"
