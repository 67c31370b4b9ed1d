// CWexOleCurrency: the two text forms and the arithmetic.
#include "model/WexOleCurrency.h"

#include <QTest>
#include <limits>

Q_DECLARE_METATYPE(CWexOleCurrency)

namespace {
CWexOleCurrency cy(int64_t tenThousandths) { return CWexOleCurrency(tenThousandths); }
constexpr qint64 kMax = std::numeric_limits<qint64>::max();
constexpr qint64 kMin = std::numeric_limits<qint64>::min();
constexpr qint64 kBefore = 123456;
} // namespace

class TestCurrency : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // A text that does not read leaves the amount as it was (kBefore).
    void fromText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("12,5 is 12.05") << "12,5" << true << qint64(120500);
        QTest::newRow("12,50 is 12.50") << "12,50" << true << qint64(125000);
        QTest::newRow("12,05") << "12,05" << true << qint64(120500);
        QTest::newRow("0,01") << "0,01" << true << qint64(100);
        QTest::newRow("1234,50") << "1234,50" << true << qint64(12345000);
        QTest::newRow("nothing before the separator") << ",50" << true << qint64(5000);
        QTest::newRow("nothing after the separator") << "7," << true << qint64(70000);
        QTest::newRow("negative units") << "-3,25" << true << qint64(-32500);
        QTest::newRow("negative below one") << "-0,50" << true << qint64(-5000);
        QTest::newRow("plus sign") << "+5,00" << true << qint64(50000);
        QTest::newRow("hundredths written as %2d") << "12, 5" << true << qint64(120500);
        QTest::newRow("no separator") << "1234" << false << kBefore;
        QTest::newRow("empty") << "" << false << kBefore;
        QTest::newRow("a point is not the separator") << "12.50" << false << kBefore;
        QTest::newRow("units overflow") << "99999999999999999999,00" << false << kBefore;
        QTest::newRow("units beyond the amount's range") << "922337203685478,00" << false << kBefore;
        QTest::newRow("negative hundredths") << "12,-5" << false << kBefore;
        // Texts a lenient reading would turn into another amount.
        QTest::newRow("grouped thousands (would be 1,50)") << "1 234,50" << false << kBefore;
        QTest::newRow("three decimals (would be 17,00)") << "12,500" << false << kBefore;
        QTest::newRow("hundredths over 99 (would be 21,99)") << "12,999" << false << kBefore;
        QTest::newRow("letters (would be 0,00)") << "abc,de" << false << kBefore;
        QTest::newRow("exponent (would be 1,00)") << "1e3,00" << false << kBefore;
        QTest::newRow("separator alone") << "," << false << kBefore;
        QTest::newRow("trailing letter") << "12,5x" << false << kBefore;
        QTest::newRow("two signs") << "--1,00" << false << kBefore;
        QTest::newRow("two separators") << "1,2,3" << false << kBefore;
        QTest::newRow("blank inside the units") << "1 2,00" << false << kBefore;
    }

    void fromText()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(qint64, expected);
        CWexOleCurrency c(kBefore);
        QCOMPARE(c.fromText(text), ok);
        QCOMPARE(c.value(), expected);
        QVERIFY(c.isValid());
    }

    // Two decimals (as files and forms write it), grouped (as the list and
    // the amount edit show it) and as many decimals as it has.
    void texts_data()
    {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<QString>("twoDecimals");
        QTest::addColumn<QString>("grouped");
        QTest::addColumn<QString>("text");
        QTest::newRow("1234.50") << qint64(12345000) << "1234,50" << "1 234,50" << "1234,5";
        QTest::newRow("0") << qint64(0) << "0,00" << "0,00" << "0";
        QTest::newRow("12.05") << qint64(120500) << "12,05" << "12,05" << "12,05";
        QTest::newRow("12") << qint64(120000) << "12,00" << "12,00" << "12";
        QTest::newRow("12.5") << qint64(125000) << "12,50" << "12,50" << "12,5";
        QTest::newRow("0.01") << qint64(100) << "0,01" << "0,01" << "0,01";
        QTest::newRow("0.0001") << qint64(1) << "0,00" << "0,00" << "0,0001";
        QTest::newRow("-0.05") << qint64(-500) << "-0,05" << "-0,05" << "-0,05";
        QTest::newRow("-123") << qint64(-1230000) << "-123,00" << "-123,00" << "-123";
        QTest::newRow("-123456.7") << qint64(-1234567000) << "-123456,70" << "-123 456,70" << "-123456,7";
        QTest::newRow("largest amount") << kMax << "922337203685477,58" << "922 337 203 685 477,58"
                                        << "922337203685477,5807";
        QTest::newRow("smallest amount") << kMin << "-922337203685477,58" << "-922 337 203 685 477,58"
                                         << "-922337203685477,5808";
    }
    void texts()
    {
        QFETCH(qint64, value);
        QFETCH(QString, twoDecimals);
        QFETCH(QString, grouped);
        QFETCH(QString, text);
        QCOMPARE(cy(value).toTwoDecimalText(), twoDecimals);
        QCOMPARE(cy(value).toGroupedText(), grouped);
        QCOMPARE(cy(value).toText(), text);
    }

    void parseDecimal_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("plain") << "7" << true << qint64(70000);
        QTest::newRow("0,5 is a half") << "0,5" << true << qint64(5000);
        QTest::newRow("four decimals") << "-12,3456" << true << qint64(-123456);
        QTest::newRow("five decimals") << "1,23456" << false << qint64(0);
        QTest::newRow("E") << "E" << false << qint64(0);
        QTest::newRow("sign alone") << "-" << false << qint64(0);
        QTest::newRow("empty") << "" << false << qint64(0);
        QTest::newRow("too large") << "922337203685478" << false << qint64(0);
    }

    void parseDecimal()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(qint64, expected);
        CWexOleCurrency c;
        QCOMPARE(CWexOleCurrency::parseDecimal(text, c), ok);
        if (ok)
            QCOMPARE(c.value(), expected);
    }

    void arithmetic_data()
    {
        QTest::addColumn<qint64>("left");
        QTest::addColumn<char>("op");
        QTest::addColumn<qint64>("right");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("sum exact") << qint64(12345) << '+' << qint64(1) << true << qint64(12346);
        QTest::newRow("sum overflow") << kMax << '+' << qint64(1) << false << qint64(0);
        QTest::newRow("difference overflow") << kMin << '-' << qint64(1) << false << qint64(0);
        QTest::newRow("product 1.5 * 1.5") << qint64(15000) << '*' << qint64(15000) << true << qint64(22500);
        // 0.0005 * 0.5 = 0.00025: half a ten-thousandth rounds away from zero.
        QTest::newRow("product half rounds up") << qint64(5) << '*' << qint64(5000) << true << qint64(3);
        QTest::newRow("negative product half rounds down") << qint64(-5) << '*' << qint64(5000) << true << qint64(-3);
        QTest::newRow("product below half") << qint64(4) << '*' << qint64(5000) << true << qint64(2);
        QTest::newRow("product overflow") << kMax << '*' << qint64(20000) << false << qint64(0);
        QTest::newRow("quotient 10 / 3") << qint64(100000) << '/' << qint64(30000) << true << qint64(33333);
        QTest::newRow("quotient 2 / 3") << qint64(20000) << '/' << qint64(30000) << true << qint64(6667);
        QTest::newRow("quotient -2 / 3") << qint64(-20000) << '/' << qint64(30000) << true << qint64(-6667);
        QTest::newRow("quotient half rounds up") << qint64(1) << '/' << qint64(20000) << true << qint64(1);
        QTest::newRow("division by zero") << qint64(10000) << '/' << qint64(0) << false << qint64(0);
        QTest::newRow("quotient overflow") << kMax << '/' << qint64(1) << false << qint64(0);
    }

    void arithmetic()
    {
        QFETCH(qint64, left);
        QFETCH(char, op);
        QFETCH(qint64, right);
        QFETCH(bool, valid);
        QFETCH(qint64, expected);
        CWexOleCurrency r;
        switch (op) {
        case '+': r = cy(left) + cy(right); break;
        case '-': r = cy(left) - cy(right); break;
        case '*': r = cy(left) * cy(right); break;
        default: r = cy(left) / cy(right); break;
        }
        QCOMPARE(r.isValid(), valid);
        if (valid)
            QCOMPARE(r.value(), expected);
    }

    void invalidOperandGivesInvalid()
    {
        const CWexOleCurrency bad = CWexOleCurrency::invalid();
        QVERIFY(!(bad + cy(1)).isValid());
        QVERIFY(!(cy(1) * bad).isValid());
        QVERIFY(!(-bad).isValid());
        QVERIFY(!(-cy(kMin)).isValid());
        QVERIFY(CWexOleCurrency::invalid().toTwoDecimalText().isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestCurrency)
#include "test_currency.moc"
