// The currency edit: the raw-text model as plain logic, and the
// real CWexCuEdit widget driven by key events.
#include "controls/CurrencyEditModel.h"
#include "controls/WexCuEdit.h"

#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

using Outcome = CurrencyEditModel::Outcome;
using Selection = CurrencyEditModel::Selection;

namespace {

// Keys of a row: B Backspace, D Delete, L Left, R Right; anything else is
// typed as a character.
Outcome press(CurrencyEditModel &m, QChar k, Selection &sel)
{
    switch (k.unicode()) {
    case u'B': return m.backspace(sel);
    case u'D': return m.deleteForward(sel);
    case u'L': sel = m.moveLeft(sel); return Outcome::Unchanged;
    case u'R': sel = m.moveRight(sel); return Outcome::Unchanged;
    default: return m.typeChar(k, sel);
    }
}

QString outcomeName(Outcome o)
{
    switch (o) {
    case Outcome::Changed: return QStringLiteral("changed");
    case Outcome::Unchanged: return QStringLiteral("unchanged");
    case Outcome::Refused: return QStringLiteral("refused");
    }
    return {};
}

// Notes the keys its children leave to it.
class KeyParent : public QWidget
{
public:
    QList<int> keys;

protected:
    void keyPressEvent(QKeyEvent *e) override { keys << e->key(); }
};

} // namespace

class TestCurrencyEdit : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void typing_data()
    {
        QTest::addColumn<QString>("initial"); // through set text
        QTest::addColumn<int>("decimals");
        QTest::addColumn<int>("selStart");    // -1: the caret set text leaves
        QTest::addColumn<int>("selEnd");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("display");
        QTest::addColumn<int>("caret");       // raw position afterwards
        QTest::addColumn<QString>("lastOutcome");

        QTest::newRow("1 2 3 gives 123,00, caret before the separator")
            << "" << 2 << -1 << -1 << "123" << "123,00" << 3 << "changed";
        QTest::newRow("then , 4 5 gives 123,45")
            << "" << 2 << -1 << -1 << "123,45" << "123,45" << 6 << "changed";
        QTest::newRow("a further digit beeps")
            << "" << 2 << -1 << -1 << "123,456" << "123,45" << 6 << "refused";
        QTest::newRow("6 on the first decimal of 123,45 gives 123,64")
            << "123,45" << 2 << 4 << 4 << "6" << "123,64" << 5 << "changed";
        QTest::newRow("a digit after the second decimal beeps")
            << "123,45" << 2 << 6 << 6 << "7" << "123,45" << 6 << "refused";
        QTest::newRow("twelve integer digits are accepted")
            << "" << 2 << -1 << -1 << "123456789012" << "123 456 789 012,00" << 12 << "changed";
        QTest::newRow("the thirteenth is refused")
            << "" << 2 << -1 << -1 << "1234567890123" << "123 456 789 012,00" << 12 << "refused";
        QTest::newRow("minus on zero shows -0,00")
            << "" << 2 << -1 << -1 << "-" << "-0,00" << 2 << "changed";
        QTest::newRow("a digit after minus gives a negative amount")
            << "" << 2 << -1 << -1 << "-5" << "-5,00" << 2 << "changed";
        QTest::newRow("minus again makes it positive")
            << "" << 2 << -1 << -1 << "-5-" << "5,00" << 1 << "changed";
        QTest::newRow("minus on an amount keeps the caret at its digit")
            << "12" << 2 << 2 << 2 << "-" << "-12,00" << 3 << "changed";
        QTest::newRow("a digit in the integer part is inserted")
            << "1234" << 2 << 1 << 1 << "9" << "19 234,00" << 2 << "changed";
        QTest::newRow("the decimal character moves past the point")
            << "12,34" << 2 << 0 << 0 << "," << "12,34" << 3 << "unchanged";
        QTest::newRow("the keypad's decimal point is not the decimal character")
            << "12" << 2 << -1 << -1 << "." << "12,00" << 2 << "unchanged";
        QTest::newRow("letters are ignored")
            << "12" << 2 << -1 << -1 << "a" << "12,00" << 2 << "unchanged";
        QTest::newRow("no decimals: a decimal digit beeps")
            << "5" << 0 << -1 << -1 << ",1" << "5" << 2 << "refused";
        QTest::newRow("four decimals shown")
            << "" << 4 << -1 << -1 << "1,2345" << "1,2345" << 6 << "changed";
        QTest::newRow("four decimals: a fifth beeps")
            << "" << 4 << -1 << -1 << "1,23456" << "1,2345" << 6 << "refused";
        QTest::newRow("a zero typed onto zero changes nothing")
            << "" << 2 << -1 << -1 << "0" << "0,00" << 1 << "unchanged";
        QTest::newRow("the digit pushed out of the shown decimals is lost")
            << "1,25" << 2 << 2 << 2 << "9" << "1,92" << 3 << "changed";

        QTest::newRow("backspace before the point deletes the digit")
            << "123,45" << 2 << 3 << 3 << "B" << "12,45" << 2 << "changed";
        QTest::newRow("backspace after the point keeps it and deletes the digit before")
            << "123,45" << 2 << 4 << 4 << "B" << "12,45" << 2 << "changed";
        QTest::newRow("backspace in the decimals shifts them left")
            << "123,45" << 2 << 6 << 6 << "B" << "123,40" << 5 << "changed";
        QTest::newRow("backspace on a sole digit leaves 0")
            << "5" << 2 << 1 << 1 << "B" << "0,00" << 1 << "changed";
        QTest::newRow("backspace then a digit replaces the 0")
            << "5" << 2 << 1 << 1 << "B7" << "7,00" << 1 << "changed";
        QTest::newRow("backspace at the start does nothing")
            << "5" << 2 << 0 << 0 << "B" << "5,00" << 0 << "unchanged";
        QTest::newRow("backspace deletes the minus")
            << "-5" << 2 << 1 << 1 << "B" << "5,00" << 0 << "changed";
        QTest::newRow("backspace deletes the minus of negative zero")
            << "-" << 2 << 1 << 1 << "B" << "0,00" << 0 << "changed";
        QTest::newRow("backspace on 0 before the point")
            << "" << 2 << 1 << 1 << "B" << "0,00" << 1 << "unchanged";
        QTest::newRow("leading zero left by backspace is dropped")
            << "105" << 2 << 1 << 1 << "B" << "5,00" << 0 << "changed";

        QTest::newRow("delete the first digit")
            << "123,45" << 2 << 0 << 0 << "D" << "23,45" << 0 << "changed";
        QTest::newRow("delete before the point deletes the first decimal")
            << "123,45" << 2 << 3 << 3 << "D" << "123,50" << 4 << "changed";
        QTest::newRow("delete in the decimals")
            << "123,45" << 2 << 4 << 4 << "D" << "123,50" << 4 << "changed";
        QTest::newRow("delete after the shown decimals changes nothing")
            << "123,45" << 2 << 6 << 6 << "D" << "123,45" << 6 << "unchanged";
        QTest::newRow("delete at the end of the raw text does nothing")
            << "123,45" << 2 << 8 << 8 << "D" << "123,45" << 8 << "unchanged";
        QTest::newRow("delete the minus")
            << "-5" << 2 << 0 << 0 << "D" << "5,00" << 0 << "changed";
        QTest::newRow("delete a sole digit leaves 0")
            << "5" << 2 << 0 << 0 << "D" << "0,00" << 1 << "changed";

        QTest::newRow("a selection across the point keeps the point")
            << "1234,56" << 2 << 1 << 6 << "B" << "1,60" << 1 << "changed";
        QTest::newRow("typing over the whole text")
            << "1234,56" << 2 << 0 << 9 << "7" << "7,00" << 1 << "changed";
        QTest::newRow("typing over the integer part")
            << "1234,56" << 2 << 0 << 4 << "8" << "8,56" << 1 << "changed";
        QTest::newRow("typing over the decimals")
            << "1234,56" << 2 << 5 << 7 << "9" << "1 234,90" << 6 << "changed";
        QTest::newRow("minus over a selection")
            << "12" << 2 << 0 << 2 << "-" << "-0,00" << 2 << "changed";
        QTest::newRow("delete over a selection with the minus")
            << "-12,5" << 2 << 0 << 2 << "D" << "2,50" << 0 << "changed";

        QTest::newRow("right moves one raw position")
            << "1234,5" << 2 << 4 << 4 << "R" << "1 234,50" << 5 << "unchanged";
        QTest::newRow("right stops after the shown decimals")
            << "1234,5" << 2 << 4 << 4 << "RRRR" << "1 234,50" << 7 << "unchanged";
        QTest::newRow("left stops at the start")
            << "-12" << 2 << 2 << 2 << "LLLL" << "-12,00" << 0 << "unchanged";
        QTest::newRow("left from a selection goes to its start")
            << "1234" << 2 << 1 << 3 << "L" << "1 234,00" << 1 << "unchanged";
    }

    void typing()
    {
        QFETCH(QString, initial);
        QFETCH(int, decimals);
        QFETCH(int, selStart);
        QFETCH(int, selEnd);
        QFETCH(QString, keys);
        QFETCH(QString, display);
        QFETCH(int, caret);
        QFETCH(QString, lastOutcome);

        CurrencyEditModel m;
        m.setDecimals(decimals);
        QVERIFY(m.setText(initial));
        Selection sel = selStart < 0 ? Selection::caret(m.rawDecimalPointPos()) : Selection{selStart, selEnd};
        Outcome outcome = Outcome::Unchanged;
        for (QChar k : keys)
            outcome = press(m, k, sel);
        QCOMPARE(m.displayText(), display);
        QCOMPARE(sel, Selection::caret(caret));
        QCOMPARE(outcomeName(outcome), lastOutcome);
        // The amount and its text always agree.
        CWexOleCurrency back;
        QVERIFY(CWexOleCurrency::parseDecimal(m.text(), back));
        QCOMPARE(back.value(), m.amount().value());
    }

    void displayText_data()
    {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<bool>("negativeZero");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QString>("display");
        QTest::newRow("1234567.5") << qint64(12345675000) << false << 2 << "" << "1 234 567,50";
        QTest::newRow("-0.05") << qint64(-500) << false << 2 << "" << "-0,05";
        QTest::newRow("0") << qint64(0) << false << 2 << "" << "0,00";
        QTest::newRow("negative zero") << qint64(0) << true << 2 << "" << "-0,00";
        QTest::newRow("hidden decimals that are not zero are shown") << qint64(12345) << false << 2 << ""
                                                                   << "1,2345";
        QTest::newRow("no decimals") << qint64(50000) << false << 0 << "" << "5";
        QTest::newRow("no decimals, a half") << qint64(55000) << false << 0 << "" << "5,5";
        QTest::newRow("three digits, no separator") << qint64(9990000) << false << 2 << "" << "999,00";
        QTest::newRow("suffix") << qint64(120000) << false << 2 << " zł" << "12,00 zł";
        QTest::newRow("twelve digits") << qint64(9999999999999999) << false << 4 << ""
                                       << "999 999 999 999,9999";
    }

    void displayText()
    {
        QFETCH(qint64, value);
        QFETCH(bool, negativeZero);
        QFETCH(int, decimals);
        QFETCH(QString, suffix);
        QFETCH(QString, display);
        CurrencyEditModel m;
        m.setDecimals(decimals);
        m.setSuffix(suffix);
        QVERIFY(m.setAmount(CWexOleCurrency(value)));
        if (negativeZero)
            QVERIFY(m.setText(u"-"));
        QCOMPARE(m.displayText(), display);
    }

    void caretMapping_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QList<int>>("rawToDisplay"); // for raw 0, 1, 2, ...
        QTest::addColumn<QList<int>>("displayToRaw"); // for display 0, 1, 2, ...
        // raw "1234567.5000", display "1 234 567,50"
        QTest::newRow("grouped") << "1234567,5" << ""
                                 << QList<int>{0, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 12, 12}
                                 << QList<int>{0, 1, 1, 2, 3, 4, 4, 5, 6, 7, 8, 9, 10};
        // raw "-1234.0000", display "-1 234,00"
        QTest::newRow("negative") << "-1234" << ""
                                  << QList<int>{0, 1, 3, 4, 5, 6, 7, 8, 9, 9, 9}
                                  << QList<int>{0, 1, 2, 2, 3, 4, 5, 6, 7, 8};
        // raw "5.0000", display "5,00 zł": the suffix maps to the end of the number
        QTest::newRow("suffix") << "5" << " zł"
                                << QList<int>{0, 1, 2, 3, 4, 4, 4}
                                << QList<int>{0, 1, 2, 3, 4, 4, 4, 4};
    }

    void caretMapping()
    {
        QFETCH(QString, text);
        QFETCH(QString, suffix);
        QFETCH(QList<int>, rawToDisplay);
        QFETCH(QList<int>, displayToRaw);
        CurrencyEditModel m;
        m.setSuffix(suffix);
        QVERIFY(m.setText(text));
        QCOMPARE(rawToDisplay.size(), m.rawLength() + 1);
        QCOMPARE(displayToRaw.size(), m.displayText().size() + 1);
        for (int p = 0; p < rawToDisplay.size(); ++p)
            QCOMPARE(m.rawToDisplay(p), rawToDisplay[p]);
        for (int q = 0; q < displayToRaw.size(); ++q)
            QCOMPARE(m.displayToRaw(q), displayToRaw[q]);
        // Every reachable raw position survives the round trip.
        for (int p = 0; p <= m.lastReachableRawPos(); ++p)
            QCOMPARE(m.displayToRaw(m.rawToDisplay(p)), p);
    }

    void rawTextReadBack_data()
    {
        QTest::addColumn<QString>("raw");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<qint64>("value");
        QTest::addColumn<bool>("negativeZero");
        QTest::newRow("plain") << "1234.5000" << true << qint64(12345000) << false;
        QTest::newRow("negative") << "-0.0500" << true << qint64(-500) << false;
        QTest::newRow("negative zero") << "-0.0000" << true << qint64(0) << true;
        QTest::newRow("17 characters") << "999999999999.9999" << true << qint64(9999999999999999) << false;
        QTest::newRow("18 with a leading minus") << "-999999999999.9999" << true
                                                 << qint64(-9999999999999999) << false;
        QTest::newRow("18 characters are too long") << "1000000000000.0000" << false << qint64(77) << false;
    }

    void rawTextReadBack()
    {
        QFETCH(QString, raw);
        QFETCH(bool, ok);
        QFETCH(qint64, value);
        QFETCH(bool, negativeZero);
        CurrencyEditModel m;
        QVERIFY(m.setAmount(CWexOleCurrency(77)));
        QCOMPARE(m.readRawText(raw), ok);
        QCOMPARE(m.amount().value(), value);
        QCOMPARE(m.negativeZero(), negativeZero);
        if (ok)
            QCOMPARE(m.rawText(), raw);
    }

    // Text set on the model: the shown text, and the plain text given back
    // (no grouping, no trailing zeros).
    void setText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("plain");
        QTest::newRow("empty is zero") << "" << true << "0,00" << "0";
        QTest::newRow("minus is negative zero") << "-" << true << "-0,00" << "0";
        QTest::newRow("plain") << "1234,5" << true << "1 234,50" << "1234,5";
        QTest::newRow("grouped") << "1 234,50" << true << "1 234,50" << "1234,5";
        QTest::newRow("E is refused") << "E" << false << "7,00" << "7";
        QTest::newRow("letters are refused") << "12a" << false << "7,00" << "7";
        QTest::newRow("five decimals are refused") << "1,23456" << false << "7,00" << "7";
        QTest::newRow("thirteen integer digits are refused") << "1234567890123" << false << "7,00" << "7";
    }
    void setText()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(QString, display);
        QFETCH(QString, plain);
        CurrencyEditModel m;
        QVERIFY(m.setText(u"7"));
        QCOMPARE(m.setText(text), ok);
        QCOMPARE(m.displayText(), display);
        QCOMPARE(m.text(), plain);
    }

    // The widget.

    void widgetTypesDigitByDigit()
    {
        CWexCuEdit edit;
        edit.show();
        QCOMPARE(edit.text(), QStringLiteral("0,00"));
        QTest::keyClicks(&edit, QStringLiteral("123"));
        QCOMPARE(edit.text(), QStringLiteral("123,00"));
        QCOMPARE(edit.cursorPosition(), 3);
        QTest::keyClicks(&edit, QStringLiteral("4,5"));
        QCOMPARE(edit.text(), QStringLiteral("1 234,50"));
        QCOMPARE(edit.cursorPosition(), 7);
        QCOMPARE(edit.amountText(), QStringLiteral("1234,5"));
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QCOMPARE(edit.text(), QStringLiteral("1 234,00"));
        QTest::keyClick(&edit, Qt::Key_Left); // over the "," to before it
        QCOMPARE(edit.cursorPosition(), 5);
        QTest::keyClick(&edit, Qt::Key_Left);
        QCOMPARE(edit.cursorPosition(), 4);
        QTest::keyClick(&edit, Qt::Key_Delete);
        QCOMPARE(edit.text(), QStringLiteral("123,00"));
        QTest::keyClick(&edit, Qt::Key_Minus);
        QCOMPARE(edit.text(), QStringLiteral("-123,00"));
        QCOMPARE(edit.amount().value(), qint64(-1230000));
    }

    // Each typed change is announced; a key that cannot change the amount
    // beeps (is refused) or is ignored, and text set by the program is silent.
    void widgetNotifiesTypedChangesAndBeeps()
    {
        CWexCuEdit edit;
        QSignalSpy edited(&edit, &CWexCuEdit::amountEdited);
        QSignalSpy refused(&edit, &CWexCuEdit::keyRefused);
        QTest::keyClicks(&edit, QStringLiteral("1,234"));
        QCOMPARE(edit.text(), QStringLiteral("1,23"));
        QCOMPARE(refused.count(), 1);
        QCOMPARE(edited.count(), 3); // "," only moves the caret
        QVERIFY(edit.isModified());
        QTest::keyClick(&edit, Qt::Key_A);
        QCOMPARE(edited.count(), 3);
        edit.setAmountText(QStringLiteral("5"));
        QCOMPARE(edited.count(), 3); // only typing notifies
    }

    void widgetSelectionInRawPositions()
    {
        CWexCuEdit edit;
        QVERIFY(edit.setAmountText(QStringLiteral("1234567,89")));
        QCOMPARE(edit.text(), QStringLiteral("1 234 567,89"));
        QCOMPARE(edit.rawSelection(), Selection::caret(7)); // before the separator
        edit.setRawSelection(1, 4);                          // "234"
        QCOMPARE(edit.selectedText(), QStringLiteral("234"));
        QCOMPARE(edit.rawSelection(), (Selection{1, 4}));
        edit.setRawSelection(8, -1);
        QCOMPARE(edit.selectedText(), QStringLiteral("89"));
        QTest::keyClick(&edit, Qt::Key_5);
        QCOMPARE(edit.text(), QStringLiteral("1 234 567,50"));
    }

    void widgetReadOnlyPassesKeys()
    {
        CWexCuEdit edit;
        edit.setReadOnly(true);
        QSignalSpy spy(&edit, &CWexCuEdit::amountEdited);
        QTest::keyClicks(&edit, QStringLiteral("12"));
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QCOMPARE(edit.text(), QStringLiteral("0,00"));
        QCOMPARE(spy.count(), 0);
    }

    // A click right of the text (in the suffix, or beyond) lands after the
    // last shown decimal; a double click selects all.
    void widgetMouse()
    {
        CWexCuEdit edit;
        edit.setSuffixAndDecimals(QStringLiteral(" zł"), 2);
        edit.setAmountText(QStringLiteral("12"));
        edit.resize(200, 30);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        QTest::mouseClick(&edit, Qt::LeftButton, {}, QPoint(edit.width() - 3, edit.height() / 2));
        QCOMPARE(edit.cursorPosition(), 5);
        QCOMPARE(edit.rawSelection(), Selection::caret(5));
        QTest::mouseDClick(&edit, Qt::LeftButton, {}, QPoint(edit.width() - 20, edit.height() / 2));
        QCOMPARE(edit.selectedText(), edit.text());
    }

    // Text set by the program: only an amount is taken, a refused one is
    // selected, and a new suffix or number of decimals keeps the amount.
    void widgetTextSetByTheProgram()
    {
        CWexCuEdit edit;
        QVERIFY(edit.setAmountText(QStringLiteral("12")));
        QVERIFY(!edit.setAmountText(QStringLiteral("E")));
        QCOMPARE(edit.text(), QStringLiteral("12,00"));
        QCOMPARE(edit.selectedText(), QStringLiteral("12,00"));
        edit.setText(QStringLiteral("3,5"));
        QCOMPARE(edit.text(), QStringLiteral("3,50"));
        QCOMPARE(edit.amountText(), QStringLiteral("3,5"));
        edit.setText(QStringLiteral("abc"));
        QCOMPARE(edit.text(), QStringLiteral("3,50"));
        edit.insert(QStringLiteral("x")); // the line edit's own editing is undone too
        QCOMPARE(edit.text(), QStringLiteral("3,50"));
        edit.setSuffixAndDecimals(QStringLiteral(" %"), 3);
        QCOMPARE(edit.text(), QStringLiteral("3,500 %"));
        QCOMPARE(edit.amountText(), QStringLiteral("3,5"));
        QCOMPARE(edit.decimals(), 3);
    }

    // Keys that only move, select or copy go to the line edit once, the caret
    // kept out of the suffix; keys with Ctrl or Alt change nothing and reach the
    // window.
    void widgetMovingKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("mods");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<bool>("toParent");
        // "1 234,50 zł", the caret before the separator (5).
        QTest::newRow("Home") << int(Qt::Key_Home) << Qt::KeyboardModifiers() << 0 << "" << false;
        QTest::newRow("End stops before the suffix") << int(Qt::Key_End) << Qt::KeyboardModifiers() << 8 << "" << false;
        QTest::newRow("Shift+Left selects one digit")
            << int(Qt::Key_Left) << Qt::KeyboardModifiers(Qt::ShiftModifier) << 4 << "4" << false;
        QTest::newRow("Shift+Home") << int(Qt::Key_Home) << Qt::KeyboardModifiers(Qt::ShiftModifier) << 0 << "1 234"
                                    << false;
        QTest::newRow("Shift+End takes the suffix too")
            << int(Qt::Key_End) << Qt::KeyboardModifiers(Qt::ShiftModifier) << 11 << ",50 zł" << false;
        QTest::newRow("Ctrl+A") << int(Qt::Key_A) << Qt::KeyboardModifiers(Qt::ControlModifier) << 11 << "1 234,50 zł"
                                << false;
        QTest::newRow("Up is the window's") << int(Qt::Key_Up) << Qt::KeyboardModifiers() << 5 << "" << true;
        QTest::newRow("Ctrl+Z undoes nothing") << int(Qt::Key_Z) << Qt::KeyboardModifiers(Qt::ControlModifier) << 5 << ""
                                               << true;
        QTest::newRow("Ctrl+K deletes nothing") << int(Qt::Key_K) << Qt::KeyboardModifiers(Qt::ControlModifier) << 5
                                                << "" << true;
    }

    void widgetMovingKeys()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, mods);
        QFETCH(int, cursor);
        QFETCH(QString, selected);
        QFETCH(bool, toParent);
        KeyParent parent;
        auto *edit = new CWexCuEdit(&parent);
        edit->setSuffixAndDecimals(QStringLiteral(" zł"), 2);
        QVERIFY(edit->setAmountText(QStringLiteral("1234,5")));
        edit->setFocus();
        QSignalSpy edited(edit, &CWexCuEdit::amountEdited);
        QTest::keyClick(edit, Qt::Key(key), mods);
        QCOMPARE(edit->text(), QStringLiteral("1 234,50 zł"));
        QCOMPARE(edit->cursorPosition(), cursor);
        QCOMPARE(edit->selectedText(), selected);
        QCOMPARE(parent.keys.contains(key), toParent);
        QCOMPARE(edited.count(), 0);
    }
};

QTEST_MAIN(TestCurrencyEdit)
#include "test_currency_edit.moc"
