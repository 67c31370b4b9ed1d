// The calculator edit and its keypad, driven through the real
// widgets with key and mouse events.
#include "CalcCases.h"
#include "controls/WexCalcEdit.h"
#include "controls/WexCalcWnd.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QShortcut>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// A dialog with the amount field, another field and a default button, as on
// the details pages.
struct Form
{
    QDialog dialog;
    CWexCalcEdit *edit;
    QLineEdit *other;
    QPushButton *ok;

    Form()
    {
        auto *layout = new QVBoxLayout(&dialog);
        edit = new CWexCalcEdit(&dialog);
        other = new QLineEdit(&dialog);
        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
        ok = buttons->button(QDialogButtonBox::Ok);
        ok->setDefault(true);
        QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
        QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
        layout->addWidget(edit);
        layout->addWidget(other);
        layout->addWidget(buttons);
        dialog.move(100, 100);
        dialog.show();
        dialog.activateWindow();
        edit->setFocus();
    }

    bool ready() { return QTest::qWaitForWindowActive(&dialog) && edit->hasFocus(); }
    CWexCalcWnd *pad() const { return CWexCalcWnd::existingInstance(); }
    bool padShown() const { return pad() && pad()->isVisible(); }

    void typeKeys(const QString &keys)
    {
        for (QChar c : keys)
            if (c != u' ')
                QTest::keyClick(edit, c.toLatin1());
    }

    void clickButton(int index)
    {
        QTest::mouseClick(pad(), Qt::LeftButton, {}, pad()->buttonRect(index).center());
        QCoreApplication::processEvents(); // the character is posted to the edit
    }
};

int buttonIndex(char16_t c)
{
    for (int i = 0; i < CWexCalcWnd::kButtonCount; ++i) {
        if (CWexCalcWnd::kButtons[size_t(i)].character == c)
            return i;
    }
    return -1;
}

} // namespace

class TestCalcEdit : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The shared sessions, typed into the field and clicked on the keypad.
    void session_data()
    {
        QTest::addColumn<bool>("clicked");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("refused");
        for (bool clicked : {false, true})
            for (const CalcCase &c : kCalcCases)
                QTest::addRow("%s: %s", clicked ? "clicked" : "typed", c.name)
                    << clicked << QString::fromLatin1(c.keys) << c.decimals << QString::fromUtf8(c.display)
                    << QString::fromLatin1(c.shown) << c.resultRefused;
    }
    void session()
    {
        QFETCH(bool, clicked);
        QFETCH(QString, keys);
        QFETCH(int, decimals);
        QFETCH(QString, display);
        QFETCH(QString, text);
        QFETCH(bool, refused);
        Form f;
        QVERIFY(f.ready());
        f.edit->setSuffixAndDecimals(QString(), decimals);
        QTest::keyClick(f.edit, Qt::Key_F4); // "-" is an operator while the keypad is shown
        QVERIFY(f.padShown());
        if (clicked) {
            const QString buttons = QString(keys).remove(u' ');
            for (QChar c : buttons) {
                const int index = buttonIndex(c.unicode());
                QVERIFY(index >= 0);
                f.clickButton(index);
            }
            QVERIFY(f.padShown());
        } else {
            f.typeKeys(keys);
        }
        QCOMPARE(f.edit->text(), display);
        QCOMPARE(f.edit->amountText(), text);
        if (refused && !clicked)
            QCOMPARE(f.edit->selectedText(), f.edit->text());
    }

    // Keys typed with the keypad hidden (F5 and F6 as those keys): an
    // operator shows 0 with the caret after it, "-" is the amount's sign, F5
    // clears the entry and F6 (or "u") all, selecting the zero; a change is
    // announced, a refused result is not.
    void keysWithTheKeypadHidden_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("cursor");          // -1: not checked
        QTest::addColumn<QString>("selected");    // "": not checked
        QTest::addColumn<int>("edits");           // announced changes, -1: not checked
        QTest::addColumn<bool>("cleared");        // nothing left in the calculator
        QTest::newRow("an operator shows 0") << "12 +" << "0,00" << 1 << "" << -1 << false;
        QTest::newRow("a digit replaces it") << "12 + 7" << "7,00" << -1 << "" << -1 << false;
        QTest::newRow("minus is the sign") << "12 -" << "-12,00" << -1 << "" << -1 << true;
        QTest::newRow("an operator announces nothing") << "2 +" << "0,00" << -1 << "" << 1 << false;
        QTest::newRow("a digit is announced") << "2 + 3" << "3,00" << -1 << "" << 2 << false;
        QTest::newRow("so is =") << "2 + 3 =" << "5,00" << -1 << "" << 3 << false;
        QTest::newRow("a refused result is not") << "2 + 3 = / 0 =" << "0,00" << -1 << "0,00" << 3 << false;
        QTest::newRow("F6 clears all") << "12 + 3 F6" << "0,00" << -1 << "0" << 4 << true;
        QTest::newRow("so does u") << "12 + 3 F6 5 u" << "0,00" << -1 << "0" << -1 << true;
        QTest::newRow("a digit replaces the zero") << "12 + 3 F6 5 u 8" << "8,00" << -1 << "" << -1 << false;
        QTest::newRow("F5 clears the entry") << "2 + 3 F5" << "2,00" << -1 << "" << -1 << false;
        QTest::newRow("the sum goes on") << "2 + 3 F5 * 4 =" << "8,00" << -1 << "" << -1 << false;
    }
    void keysWithTheKeypadHidden()
    {
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QFETCH(int, cursor);
        QFETCH(QString, selected);
        QFETCH(int, edits);
        QFETCH(bool, cleared);
        Form f;
        QVERIFY(f.ready());
        QSignalSpy edited(f.edit, &CWexCuEdit::amountEdited);
        for (const QString &token : keys.split(u' ')) {
            if (token == u"F5" || token == u"F6")
                QTest::keyClick(f.edit, token == u"F5" ? Qt::Key_F5 : Qt::Key_F6);
            else
                f.typeKeys(token);
        }
        QVERIFY(!f.padShown());
        QCOMPARE(f.edit->text(), text);
        if (cursor >= 0)
            QCOMPARE(f.edit->cursorPosition(), cursor);
        if (!selected.isEmpty())
            QCOMPARE(f.edit->selectedText(), selected);
        if (edits >= 0)
            QCOMPARE(edited.count(), edits);
        if (cleared)
            QVERIFY(f.edit->automat().isEmpty());
    }

    // Keys (or the focus leaving) open and close the keypad; the focus stays
    // in the field while it shows, and once it is closed Escape is the
    // dialog's again.
    void keypadOpensAndCloses_data()
    {
        QTest::addColumn<QList<int>>("steps");   // a key with its modifiers; 0: the focus moves on
        QTest::addColumn<QString>("shown");      // after each step
        const int altDown = (Qt::AltModifier | Qt::Key_Down).toCombined();
        const int altUp = (Qt::AltModifier | Qt::Key_Up).toCombined();
        QTest::newRow("F4 toggles, Escape closes") << QList<int>{Qt::Key_F4, Qt::Key_F4, Qt::Key_F4, Qt::Key_Escape}
                                                   << "1010";
        QTest::newRow("Alt+Down opens, Alt+Up closes") << QList<int>{altDown, altDown, altUp} << "110";
        QTest::newRow("the focus leaving closes") << QList<int>{Qt::Key_F4, 0} << "10";
    }
    void keypadOpensAndCloses()
    {
        QFETCH(QList<int>, steps);
        QFETCH(QString, shown);
        Form f;
        QVERIFY(f.ready());
        for (int i = 0; i < steps.size(); ++i) {
            const QKeyCombination key = QKeyCombination::fromCombined(steps[i]);
            if (steps[i] == 0)
                f.other->setFocus(Qt::TabFocusReason);
            else
                QTest::keyClick(f.edit, key.key(), key.keyboardModifiers());
            QCOMPARE(f.padShown(), shown[i] == u'1');
            if (f.padShown()) {
                QVERIFY(f.edit->isPopupVisible());
                QVERIFY(f.edit->hasFocus());
            }
        }
        QVERIFY(f.dialog.isVisible());
        QTest::keyClick(f.edit, Qt::Key_Escape);
        QVERIFY(!f.dialog.isVisible());
        QCOMPARE(f.dialog.result(), int(QDialog::Rejected));
    }

    void calculatorKeysBeatWindowShortcuts()
    {
        Form f;
        QVERIFY(f.ready());
        QShortcut f4(QKeySequence(Qt::Key_F4), &f.dialog);
        QShortcut f6(QKeySequence(Qt::Key_F6), &f.dialog);
        QSignalSpy f4Spy(&f4, &QShortcut::activated);
        QSignalSpy f6Spy(&f6, &QShortcut::activated);
        f.edit->setAmountText(QStringLiteral("9"));
        // Through the window system, where shortcuts are matched.
        QTest::keyClick(f.dialog.windowHandle(), Qt::Key_F4);
        QVERIFY(f.padShown());
        QTest::keyClick(f.dialog.windowHandle(), Qt::Key_F6);
        QCOMPARE(f.edit->text(), QStringLiteral("0,00"));
        QCOMPARE(f4Spy.count(), 0);
        QCOMPARE(f6Spy.count(), 0);
        f.other->setFocus();
        QTest::keyClick(f.dialog.windowHandle(), Qt::Key_F4);
        QCOMPARE(f4Spy.count(), 1);
    }

    void keypadPlacedUnderFieldRightAligned()
    {
        Form f;
        QVERIFY(f.ready());
        QTest::keyClick(f.edit, Qt::Key_F4);
        QVERIFY(f.padShown());
        const QRect field(f.edit->mapToGlobal(QPoint(0, 0)), f.edit->size());
        const QRect pad = f.pad()->geometry();
        QCOMPARE(pad.top(), field.bottom());      // the field narrowed by the border
        QCOMPARE(pad.right(), field.right() - 1);
        // 60 x 66 dialog units and the border, in the field's font.
        QVERIFY(pad.width() > 60 && pad.height() > 66);
        // The twenty buttons fill the keypad without overlapping.
        QRegion covered;
        for (int i = 0; i < CWexCalcWnd::kButtonCount; ++i) {
            const QRect r = f.pad()->buttonRect(i);
            QVERIFY(!covered.intersects(r));
            covered += r;
        }
        QCOMPARE(covered.boundingRect(), f.pad()->rect().adjusted(1, 1, -1, -1));
    }

    void keypadKeptOnScreen()
    {
        Form f;
        QVERIFY(f.ready());
        const QRect screen = f.dialog.screen()->geometry();
        f.dialog.move(screen.left(), screen.bottom() - f.dialog.height() + 40);
        QCoreApplication::processEvents();
        QTest::keyClick(f.edit, Qt::Key_F4);
        QVERIFY(f.padShown());
        const QRect field(f.edit->mapToGlobal(QPoint(0, 0)), f.edit->size());
        const QRect pad = f.pad()->geometry();
        QVERIFY(pad.left() >= screen.left());
        if (field.bottom() + pad.height() > screen.bottom())
            QCOMPARE(pad.bottom(), field.top()); // above the field
        QVERIFY(pad.bottom() <= screen.bottom());
    }

    void clickOutsideClosesAndIsSwallowed()
    {
        Form f;
        QVERIFY(f.ready());
        QSignalSpy clicked(f.ok, &QPushButton::clicked);
        QTest::keyClick(f.edit, Qt::Key_F4);
        QVERIFY(f.padShown());
        // Through the window system, as a real click comes.
        const QPoint onOk = f.ok->mapTo(&f.dialog, f.ok->rect().center());
        QTest::mouseClick(f.dialog.windowHandle(), Qt::LeftButton, {}, onOk);
        QVERIFY(!f.padShown());
        QCOMPARE(clicked.count(), 0);
        QVERIFY(f.dialog.isVisible());
        QTest::mouseClick(f.dialog.windowHandle(), Qt::LeftButton, {}, onOk); // now it works
        QCOMPARE(clicked.count(), 1);
    }

    void enterGoesToDialogOnlyWhileKeypadHidden()
    {
        Form f;
        QVERIFY(f.ready());
        QTest::keyClick(f.edit, Qt::Key_F4);
        f.typeKeys(QStringLiteral("2 + 3"));
        QTest::keyClick(f.edit, Qt::Key_Return);
        QCOMPARE(f.edit->text(), QStringLiteral("5,00"));
        QVERIFY(f.dialog.isVisible());
        QVERIFY(f.padShown());
        QTest::keyClick(f.edit, Qt::Key_Escape);
        QTest::keyClick(f.edit, Qt::Key_Return);
        QVERIFY(!f.dialog.isVisible());
        QCOMPARE(f.dialog.result(), int(QDialog::Accepted));
    }

    void heldKeyDrawsButtonPressed()
    {
        Form f;
        QVERIFY(f.ready());
        QTest::keyClick(f.edit, Qt::Key_F4);
        QCOMPARE(f.pad()->pressedButton(), -1);
        QTest::keyPress(f.edit, Qt::Key_7);
        QCOMPARE(f.pad()->pressedButton(), buttonIndex(u'7'));
        QTest::keyRelease(f.edit, Qt::Key_7);
        QCOMPARE(f.pad()->pressedButton(), -1);
        QTest::keyPress(f.edit, Qt::Key_Delete);
        QCOMPARE(f.pad()->pressedButton(), 0); // "<-"
        QTest::keyRelease(f.edit, Qt::Key_Delete);
        QTest::keyPress(f.edit, Qt::Key_F5);
        QCOMPARE(f.pad()->pressedButton(), 1); // "CE"
        QTest::keyRelease(f.edit, Qt::Key_F5);
        QTest::keyPress(f.edit, Qt::Key_Asterisk);
        QCOMPARE(f.pad()->pressedButton(), buttonIndex(u'*'));
        QTest::keyRelease(f.edit, Qt::Key_Asterisk);
        QCOMPARE(f.pad()->pressedButton(), -1);
        // A mouse press draws the button pressed until released.
        const QPoint eight = f.pad()->buttonRect(buttonIndex(u'8')).center();
        QTest::mousePress(f.pad(), Qt::LeftButton, {}, eight);
        QCOMPARE(f.pad()->pressedButton(), buttonIndex(u'8'));
        QTest::mouseRelease(f.pad(), Qt::LeftButton, {}, eight);
        QCOMPARE(f.pad()->pressedButton(), -1);
    }

    void calculatorButtonOpensKeypad()
    {
        Form f;
        QVERIFY(f.ready());
        f.edit->setAmountText(QStringLiteral("42"));
        f.other->setFocus();
        QToolButton *button = nullptr;
        for (QToolButton *b : f.edit->findChildren<QToolButton *>()) {
            if (b->defaultAction() == f.edit->calculatorAction())
                button = b;
        }
        QVERIFY(button);
        QVERIFY(button->isVisible());
        QVERIFY(button->geometry().right() > f.edit->width() / 2); // at the right end
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(f.padShown());
        QVERIFY(f.edit->hasFocus());
        QCOMPARE(f.edit->selectedText(), QStringLiteral("42,00"));
        QTest::mouseClick(button, Qt::LeftButton); // a press on the field hides it
        QVERIFY(!f.padShown());
        f.edit->setShowButton(false);
        QVERIFY(!button->isVisible());
    }

    void readOnlyOrDisabledIgnoresCalculator()
    {
        Form f;
        QVERIFY(f.ready());
        f.edit->setAmountText(QStringLiteral("3"));
        QTest::keyClick(f.edit, Qt::Key_F4);
        QVERIFY(f.padShown());
        f.edit->setReadOnly(true); // the keypad goes with the editing
        QVERIFY(!f.padShown());
        QTest::keyClick(f.edit, Qt::Key_F4);
        QVERIFY(!f.padShown());
        f.edit->calculatorAction()->trigger();
        QVERIFY(!f.padShown());
        f.typeKeys(QStringLiteral("+ 4 ="));
        QCOMPARE(f.edit->text(), QStringLiteral("3,00"));
        f.edit->setReadOnly(false);
        QTest::keyClick(f.edit, Qt::Key_F4);
        QVERIFY(f.padShown());
        f.edit->setEnabled(false);
        QVERIFY(!f.padShown());
    }

    void destroyingOwnerDestroysKeypad()
    {
        Form f;
        QVERIFY(f.ready());
        QTest::keyClick(f.edit, Qt::Key_F4);
        QVERIFY(f.padShown());
        delete f.edit;
        f.edit = nullptr;
        QCOMPARE(CWexCalcWnd::existingInstance(), nullptr);
    }

    void randomTypingKeepsValidAmount()
    {
        struct Key
        {
            Qt::Key key;
            Qt::KeyboardModifiers mods;
        };
        const Key keys[] = {
            {Qt::Key_0, {}}, {Qt::Key_1, {}}, {Qt::Key_2, {}}, {Qt::Key_3, {}}, {Qt::Key_4, {}},
            {Qt::Key_5, {}}, {Qt::Key_6, {}}, {Qt::Key_7, {}}, {Qt::Key_8, {}}, {Qt::Key_9, {}},
            {Qt::Key_0, {}}, {Qt::Key_9, {}}, {Qt::Key_5, {}}, {Qt::Key_1, {}},
            {Qt::Key_Comma, {}}, {Qt::Key_Minus, {}}, {Qt::Key_Plus, {}}, {Qt::Key_Asterisk, {}},
            {Qt::Key_Slash, {}}, {Qt::Key_Equal, {}}, {Qt::Key_Percent, {}}, {Qt::Key_T, {}},
            {Qt::Key_U, {}}, {Qt::Key_Backspace, {}}, {Qt::Key_Backspace, {}}, {Qt::Key_Delete, {}},
            {Qt::Key_Left, {}}, {Qt::Key_Right, {}}, {Qt::Key_Left, {}}, {Qt::Key_Home, {}},
            {Qt::Key_End, {}}, {Qt::Key_Left, Qt::ShiftModifier}, {Qt::Key_Right, Qt::ShiftModifier},
            {Qt::Key_Home, Qt::ShiftModifier}, {Qt::Key_A, Qt::ControlModifier},
            {Qt::Key_Z, Qt::ControlModifier}, {Qt::Key_K, Qt::ControlModifier},
            {Qt::Key_Backspace, Qt::ControlModifier}, {Qt::Key_F4, {}}, {Qt::Key_F5, {}},
            {Qt::Key_F6, {}}, {Qt::Key_Return, {}}, {Qt::Key_Period, Qt::KeypadModifier},
            {Qt::Key_X, {}}, {Qt::Key_Space, {}}, {Qt::Key_Escape, {}},
            {Qt::Key_Down, Qt::AltModifier}, {Qt::Key_Up, Qt::AltModifier}, {Qt::Key_Alt, {}},
        };
        // A plain window: Escape and Enter close nothing here.
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *edit = new CWexCalcEdit(&window);
        layout->addWidget(edit);
        window.show();
        window.activateWindow();
        edit->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        QRandomGenerator rng(20261208);
        for (int i = 0; i < 20000; ++i) {
            if (i % 2000 == 0)
                edit->setSuffixAndDecimals(i % 4000 ? QStringLiteral(" zł") : QString(), int(rng.bounded(5)));
            const Key k = keys[rng.bounded(int(std::size(keys)))];
            QTest::keyClick(edit, k.key, k.mods);
            const QString where = QStringLiteral("key %1 (%2): %3").arg(i).arg(int(k.key)).arg(edit->text());

            // The text held parses back to the amount held ...
            CWexOleCurrency back;
            QVERIFY2(CWexOleCurrency::parseDecimal(edit->amountText(), back), qPrintable(where));
            QVERIFY2(back == edit->amount(), qPrintable(where));
            // ... and so does the text shown.
            QString shown = edit->text();
            shown.chop(edit->suffix().size());
            shown.remove(u' ');
            QVERIFY2(CWexOleCurrency::parseDecimal(shown, back), qPrintable(where));
            QVERIFY2(back.value() == edit->amount().value(), qPrintable(where));
            QVERIFY2(edit->text() == edit->model().displayText(), qPrintable(where));
            QVERIFY2(edit->model().rawText().size() <= 18, qPrintable(where));
            // The caret and the selection stay inside the text.
            QVERIFY2(edit->cursorPosition() >= 0 && edit->cursorPosition() <= edit->text().size(),
                     qPrintable(where));
            const CurrencyEditModel::Selection sel = edit->rawSelection();
            QVERIFY2(0 <= sel.start && sel.start <= sel.end && sel.end <= edit->model().rawLength(),
                     qPrintable(where));
            QVERIFY2(edit->automat().tokens().size() <= 4, qPrintable(where));
        }
    }
};

QTEST_MAIN(TestCalcEdit)
#include "test_calc_edit.moc"
