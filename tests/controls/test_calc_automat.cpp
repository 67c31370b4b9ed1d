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

// The stack bottom first: numbers as plain text ("E" invalid), operators as
// themselves.
QString stackText(const CCalcAutomat &a)
{
    QStringList out;
    for (const CToken &t : a.tokens())
        out << (t.isOperator()       ? QString(QChar(t.op))
                : t.value.isValid() ? t.value.toText()
                                    : QStringLiteral("E"));
    return out.join(u' ');
}

} // namespace

class TestCalcAutomat : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void session_data()
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
    void session()
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

    // The automaton's own steps: a number pushed as text, an operator, or
    // "=" evaluating to two decimals; the stack afterwards, bottom first.
    void stackAfterSteps_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("stack");
        QTest::addColumn<QString>("evaluated");   // by the last "="
        QTest::newRow("a number replaces the number at the head") << "1 2" << "2" << "";
        QTest::newRow("an operator on an empty stack does nothing") << "+" << "" << "";
        QTest::newRow("the last operator wins") << "5 + *" << "5 *" << "";
        // 2 + 3 *: nothing is added before the product is known.
        QTest::newRow("multiplication waits on the stack") << "2 + 3 *" << "2 + 3 *" << "";
        QTest::newRow("its number makes the product") << "2 + 3 * 4" << "2 + 12" << "";
        QTest::newRow("then the sum") << "2 + 3 * 4 =" << "14" << "14";
        QTest::newRow("percent divides by a hundred") << "10 %" << "0,1" << "";
        QTest::newRow("evaluating leaves one number") << "2 - 5 =" << "-3" << "-3";
        QTest::newRow("an empty stack evaluates to zero") << "=" << "0" << "0";
        QTest::newRow("an unreadable number is invalid") << "E =" << "E" << "E";
    }
    void stackAfterSteps()
    {
        QFETCH(QString, steps);
        QFETCH(QString, stack);
        QFETCH(QString, evaluated);
        CCalcAutomat a;
        QString result;
        for (const QString &step : steps.split(u' ')) {
            if (step == u"=")
                result = a.evaluate(2);
            else if (QStringLiteral("+-*/%").contains(step))
                a.pushOperator(char(step[0].unicode()));
            else
                a.pushNumber(step);
        }
        QCOMPARE(stackText(a), stack);
        QCOMPARE(result, evaluated);
    }

    void stackStaysSmall()
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
            QVERIFY2(a.tokens().size() <= 4, qPrintable(stackText(a)));
        }
    }

    void rounding_data()
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
    void rounding()
    {
        QFETCH(qint64, value);
        QFETCH(int, decimals);
        QFETCH(qint64, expected);
        QCOMPARE(CCalcAutomat::roundToDecimals(cy(value), decimals).value(), expected);
    }
};

QTEST_APPLESS_MAIN(TestCalcAutomat)
#include "test_calc_automat.moc"
