// CCalcAutomat and CToken: the stack machine and its arithmetic.
#include "CalcCases.h"
#include "controls/CalcAutomat.h"

#include <QTest>

namespace {

// The calculator edit's table of characters, on the automaton alone: the
// field's text is held as get text gives it.
struct Session
{
    CCalcAutomat automat;
    QString shown = QStringLiteral("0");
    QString evaluated;
    bool refused = false;
    int decimals = 2;

    // The field refuses what the currency edit cannot hold.
    void show(const QString &result)
    {
        evaluated = result;
        CWexOleCurrency c;
        refused = !CWexOleCurrency::parseDecimal(result, c) || c.value() >= 10'000'000'000'000'000
            || c.value() <= -10'000'000'000'000'000;
        if (!refused)
            shown = c.toText();
    }

    void key(const QString &k)
    {
        if (k == u"+" || k == u"-" || k == u"*" || k == u"/") {
            automat.pushNumber(shown);
            automat.pushOperator(char(k[0].unicode()));
            shown = QStringLiteral("0");
        } else if (k == u"=") {
            automat.pushNumber(shown);
            show(automat.evaluate(decimals));
        } else if (k == u"%") {
            automat.pushNumber(shown);
            automat.pushOperator('%');
            show(automat.evaluate(decimals));
            key(QStringLiteral("="));
        } else if (k == u"t") {
            show(automat.evaluate(decimals));
        } else if (k == u"u") {
            automat.clear();
            shown = QStringLiteral("0");
        } else {
            shown = k;
        }
    }
};

CWexOleCurrency cy(int64_t v) { return CWexOleCurrency(v); }

} // namespace

class TestCalcAutomat : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void session_data();
    void session();
    void pushNumberReplacesNumberAtHead();
    void pushOperatorOnEmptyStackDoesNothing();
    void lastOperatorWins();
    void multiplicationWaitsOnStack();
    void percentDividesByHundred();
    void evaluateLeavesOneNumber();
    void evaluateOnEmptyStackGivesZero();
    void unreadableNumberIsInvalid();
    void stackStaysSmall();
    void rounding_data();
    void rounding();
};

void TestCalcAutomat::session_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("evaluated");
    QTest::addColumn<QString>("shown");
    for (const CalcCase &c : kCalcCases) {
        QTest::newRow(c.name) << QString::fromLatin1(c.keys) << c.decimals
                              << QString::fromLatin1(c.evaluated) << QString::fromLatin1(c.shown);
    }
}

void TestCalcAutomat::session()
{
    QFETCH(QString, keys);
    QFETCH(int, decimals);
    QFETCH(QString, evaluated);
    QFETCH(QString, shown);
    Session s;
    s.decimals = decimals;
    for (const QString &k : keys.split(u' '))
        s.key(k);
    QCOMPARE(s.evaluated, evaluated);
    QCOMPARE(s.shown, shown);
}

void TestCalcAutomat::pushNumberReplacesNumberAtHead()
{
    CCalcAutomat a;
    a.pushNumber(cy(10000));
    a.pushNumber(cy(20000));
    QCOMPARE(a.tokens().size(), size_t(1));
    QCOMPARE(a.tokens().back().value.value(), 20000);
}

void TestCalcAutomat::pushOperatorOnEmptyStackDoesNothing()
{
    CCalcAutomat a;
    a.pushOperator('+');
    QVERIFY(a.isEmpty());
}

void TestCalcAutomat::lastOperatorWins()
{
    CCalcAutomat a;
    a.pushNumber(cy(50000));
    a.pushOperator('+');
    a.pushOperator('*');
    QCOMPARE(a.tokens().size(), size_t(2));
    QVERIFY(a.tokens().back().isOperator());
    QCOMPARE(a.tokens().back().op, '*');
}

void TestCalcAutomat::multiplicationWaitsOnStack()
{
    CCalcAutomat a;
    a.pushNumber(cy(20000));
    a.pushOperator('+');
    a.pushNumber(cy(30000));
    a.pushOperator('*');
    // 2 + 3 *: nothing is added before the product is known.
    QCOMPARE(a.tokens().size(), size_t(4));
    a.pushNumber(cy(40000));
    QCOMPARE(a.tokens().size(), size_t(3));
    QCOMPARE(a.tokens().back().value.value(), 120000);
    QCOMPARE(a.evaluate(2), QStringLiteral("14"));
}

void TestCalcAutomat::percentDividesByHundred()
{
    CCalcAutomat a;
    a.pushNumber(cy(100000));
    a.pushOperator('%');
    QCOMPARE(a.tokens().size(), size_t(1));
    QCOMPARE(a.tokens().back().value.value(), 1000);
}

void TestCalcAutomat::evaluateLeavesOneNumber()
{
    CCalcAutomat a;
    a.pushNumber(cy(20000));
    a.pushOperator('-');
    a.pushNumber(cy(50000));
    QCOMPARE(a.evaluate(2), QStringLiteral("-3"));
    QCOMPARE(a.tokens().size(), size_t(1));
    QVERIFY(a.tokens().back().isNumber());
    QCOMPARE(a.tokens().back().value.value(), -30000);
}

void TestCalcAutomat::evaluateOnEmptyStackGivesZero()
{
    CCalcAutomat a;
    QCOMPARE(a.evaluate(2), QStringLiteral("0"));
}

void TestCalcAutomat::unreadableNumberIsInvalid()
{
    CCalcAutomat a;
    a.pushNumber(u"E");
    QCOMPARE(a.evaluate(2), QStringLiteral("E"));
}

void TestCalcAutomat::stackStaysSmall()
{
    // Whatever is typed into the edit (each operator comes with the number
    // shown before it), at most a left operand, "+" or "-", a number and a
    // pending "*" or "/" lie on the stack.
    const char ops[] = {'+', '-', '*', '/'};
    CCalcAutomat a;
    uint32_t seed = 12345;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const CWexOleCurrency shown = cy(int64_t(seed % 1000000));
        switch ((seed >> 24) % 5) {
        case 0: // an operator
        case 1:
            a.pushNumber(shown);
            a.pushOperator(ops[(seed >> 8) % 4]);
            break;
        case 2: // "="
            a.pushNumber(shown);
            a.evaluate(2);
            break;
        case 3: { // "%"
            CWexOleCurrency result;
            a.pushNumber(shown);
            a.pushOperator('%');
            a.pushNumber(CWexOleCurrency::parseDecimal(a.evaluate(2), result) ? result : cy(0));
            a.evaluate(2);
            break;
        }
        default: // CE
            a.evaluate(2);
            break;
        }
        QString stack;
        for (const CToken &t : a.tokens())
            stack += t.isNumber() ? QStringLiteral("n ") : QString(QChar(t.op)) + u' ';
        QVERIFY2(a.tokens().size() <= 4, qPrintable(stack));
    }
}

void TestCalcAutomat::rounding_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<qint64>("expected");
    QTest::newRow("2.345 to 2 up") << qint64(23450) << 2 << qint64(23500);
    QTest::newRow("2.3449 to 2 down") << qint64(23449) << 2 << qint64(23400);
    QTest::newRow("-2.345 to 2 away from zero") << qint64(-23450) << 2 << qint64(-23500);
    QTest::newRow("0.5 to 0") << qint64(5000) << 0 << qint64(10000);
    QTest::newRow("4 decimals unchanged") << qint64(12345) << 4 << qint64(12345);
}

void TestCalcAutomat::rounding()
{
    QFETCH(qint64, value);
    QFETCH(int, decimals);
    QFETCH(qint64, expected);
    QCOMPARE(CCalcAutomat::roundToDecimals(cy(value), decimals).value(), expected);
}

QTEST_APPLESS_MAIN(TestCalcAutomat)
#include "test_calc_automat.moc"
