// The details dialog with the ordinary page, offscreen: limits that follow
// the boxes setting, the zero question, deposit and transfer, the picks and
// F2, a failing step, an order typed from the keyboard alone, and what all
// three pages share: their controls' table, the deposit switch, the picks
// and the fit of the window at large fonts.

#include "DetailsDialog.h"
#include "DialogScript.h"
#include "WidgetFit.h"

#include "controls/WarningMark.h"
#include "controls/WexCalcEdit.h"
#include "edit/DateField.h"
#include "register/ListaKontrDlg.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableView>
#include <QToolButton>


class TestDetailsPage : public QObject
{
    Q_OBJECT

    RegisterTestEnv m_env;
    DialogScript m_script;

private Q_SLOTS:
    void init() { m_env.reset(); }
    void cleanup() { QVERIFY(m_script.finishedAndCleared()); }

    void nameLimitsFollowTheBoxesSetting_data()
    {
        QTest::addColumn<int>("fitInBoxAtLoad");
        QTest::addColumn<int>("fitInBoxAtSave");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("refusedWith");   // 0: saved
        QTest::newRow("boxes, 28 refused") << 1 << 1 << 28 << 27;
        QTest::newRow("boxes, 27 saved") << 1 << 1 << 27 << 0;
        QTest::newRow("free, 54 saved") << 0 << 0 << 54 << 0;
        QTest::newRow("free, 55 refused") << 0 << 0 << 55 << 54;
        QTest::newRow("boxes switched on after loading") << 0 << 1 << 30 << 27;
    }
    void nameLimitsFollowTheBoxesSetting()
    {
        QFETCH(int, fitInBoxAtLoad);
        QFETCH(int, fitInBoxAtSave);
        QFETCH(int, length);
        QFETCH(int, refusedWith);
        CPrzelewDane order = ordinaryOrder();
        order.sender2 = QString(length, u'Ś');
        DetailsDialog d(order, fitInBoxAtLoad);
        QVERIFY(d.ready());
        // A longer text from a file is shown whole, not cut to the limit.
        QCOMPARE(d.ordinary()->sender2()->text(), order.sender2);
        QCOMPARE(d.ordinary()->recipient1()->maxLength(), fitInBoxAtLoad ? 27 : 54);
        d.settings.ordinary.fitInBox = fitInBoxAtSave;
        d.rec.sender2.clear();

        QSignalSpy saved(d.dlg.get(), &CContainerDlg::saveRequested);
        const auto box = refusedWith ? m_script.answer(QMessageBox::Ok) : nullptr;   // else none may show
        QCOMPARE(d.dlg->onSave(), refusedWith == 0);
        QCOMPARE(saved.size(), refusedWith == 0 ? 1 : 0);
        if (refusedWith) {
            QCOMPARE(box->text, QStringLiteral("Proszę wprowadzić najwyżej %1 znaków.").arg(refusedWith));
            QCOMPARE(d.dlg->focusWidget(), d.ordinary()->sender2());
            QCOMPARE(d.ordinary()->sender2()->selectedText(), order.sender2);
            QVERIFY(d.rec.sender2.isEmpty());
        } else {
            QCOMPARE(d.rec.sender2, order.sender2);
        }
    }

    // Every control of the three pages against one table: its label with
    // its Alt letter, how many characters typing takes (names follow the
    // boxes setting of their form: 27 with boxes, 54 without) and whether
    // it takes digits only. Typed key by key into a new order.
    void everyControlAgainstItsTable_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("fitInBox");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("label");     // empty: it shares the label before it
        QTest::addColumn<int>("limit");         // 0: not a text typed in
        QTest::addColumn<bool>("digits");
        const char *kinds[] = {"", "ordinary", "ZUS", "tax"};
        const auto row = [&](int kind, int fit, const char *control, const char *label, int limit, bool digits) {
            QTest::addRow("%s %s%s", kinds[kind], control, limit == 27 ? " (boxes)" : "")
                << kind << fit << QString::fromUtf8(control) << QString::fromUtf8(label) << limit << digits;
        };
        // A name line: 27 characters with boxes, 54 without.
        const auto name = [&](int kind, const char *control, const char *label) {
            row(kind, 1, control, label, 27, false);
            row(kind, 0, control, label, 54, false);
        };
        name(1, "recipient1", "Nazwa &odbiorcy:");
        name(1, "recipient2", "Nazwa odb&iorcy cd.:");
        row(1, 1, "checkDigits", "L.k.", 2, true);
        row(1, 1, "bankNumber", "Nr &banku odbiorcy:", 8, true);
        row(1, 1, "accountRest", "Nr &rach. odbiorcy:", 34, true);
        row(1, 1, "deposit", "&Wpłata", 0, false);
        row(1, 1, "transfer", "&Przelew", 0, false);
        row(1, 1, "currency", "Wa&luta:", 3, false);
        row(1, 1, "amount", "&Kwota:", 0, false);
        row(1, 1, "senderAccount", "Nr rac&h. nadawcy:", 54, false);
        name(1, "sender1", "Nazwa &nadawcy:");
        name(1, "sender2", "Nazwa nadaw&cy cd:");
        row(1, 1, "title1", "&Tytułem:", 54, false);
        row(1, 1, "title2", "T&ytułem cd:", 54, false);
        row(1, 1, "symbol", "Sy&mbol:", 2, false);
        row(2, 1, "purpose", "C&el opłacanych składek:", 0, false);
        row(2, 1, "deposit", "&Wpłata", 0, false);
        row(2, 1, "transfer", "&Przelew", 0, false);
        row(2, 1, "amount", "&Kwota:", 0, false);
        row(2, 1, "payerAccount", "Nr rac&h. płatnika:", 54, false);
        name(2, "payer1", "Pła&tnik:");
        name(2, "payer2", "Płat&nik cd:");
        row(2, 1, "nip", "N&IP:", 10, true);
        row(2, 1, "paymentType", "T&yp wpłaty:", 0, false);
        row(2, 1, "idType", "Typ id. uzup.:", 0, false);
        row(2, 1, "supplementaryId", "Regon:", 14, false);
        row(2, 1, "declarationMonth", "Deklarac&ja:", 2, true);
        row(2, 1, "declarationYear", "", 4, true);
        row(2, 1, "declarationNo", "Nr dekla&racji:", 2, true);
        row(2, 1, "symbol", "Sym&bol:", 2, false);
        row(2, 1, "decision", "Nr decyzji:", 15, false);
        name(3, "office1", "Nazwa i adr&es US:");
        name(3, "office2", "Nazwa i adres U&S cd.:");
        row(3, 1, "checkDigits", "L.k.", 2, true);
        row(3, 1, "bankNumber", "Nr &banku US:", 8, true);
        row(3, 1, "accountRest", "Nr &rach. US:", 34, true);
        row(3, 1, "deposit", "&Wpłata", 0, false);
        row(3, 1, "transfer", "&Przelew", 0, false);
        row(3, 1, "amount", "&Kwota:", 0, false);
        row(3, 1, "senderAccount", "Nr rac&h. zobowiązanego:", 54, false);
        name(3, "sender1", "Nazwa &zobowiązanego:");
        name(3, "sender2", "Nazwa zobowiązane&go cd:");
        row(3, 1, "payerId", "&NIP lub identyfikator:", 14, false);
        row(3, 1, "idType", "&Typ:", 0, false);
        row(3, 1, "period", "&Okres:", 7, false);
        row(3, 1, "formSymbol", "Symbol &formularza:", 0, false);
        row(3, 1, "obligation", "&Identyfikacja zob.:", 20, false);
        row(3, 1, "symbol", "Sy&mbol:", 2, false);
    }
    void everyControlAgainstItsTable()
    {
        QFETCH(int, kind);
        QFETCH(int, fitInBox);
        QFETCH(QString, control);
        QFETCH(QString, label);
        QFETCH(int, limit);
        QFETCH(bool, digits);
        CPrzelewDane order;
        order.SetKind(kind - 1, COrderDate::fromParts(2026, 12, 8));
        DetailsDialog d(order, fitInBox);
        auto *widget = d.page()->findChild<QWidget *>(control);
        QVERIFY(widget);
        QCOMPARE(labelText(*d.page(), widget), label);
        auto *edit = qobject_cast<QLineEdit *>(widget);
        if (limit == 0)
            return;
        QVERIFY(edit);
        edit->setFocus();
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("a"));
        QCOMPARE(edit->text().isEmpty(), digits);
        edit->clear();
        QTest::keyClicks(edit, QString(limit + 1, u'1'));
        QCOMPARE(edit->text().size(), limit);
    }

    // An amount erased from the keyboard leaves 0 in the field, never an
    // empty one: the zero question comes, not "Proszę wprowadzić kwotę."
    // (that refusal stays for a text the field cannot hold, tested with the
    // page rules).
    void zeroAmountAsks_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("erased");
        QTest::newRow("no keeps the dialog") << int(QMessageBox::No) << false;
        QTest::newRow("yes saves") << int(QMessageBox::Yes) << false;
        QTest::newRow("amount erased by keys") << int(QMessageBox::Yes) << true;
    }
    void zeroAmountAsks()
    {
        QFETCH(int, answer);
        QFETCH(bool, erased);
        CPrzelewDane order = ordinaryOrder();
        if (!erased)
            order.amount = CWexOleCurrency(0);
        DetailsDialog d(order);
        QVERIFY(d.ready());
        if (erased) {
            d.ordinary()->amount()->setFocus();
            QTest::keyClick(d.ordinary()->amount(), Qt::Key_Home);
            QTest::keyClick(d.ordinary()->amount(), Qt::Key_End, Qt::ShiftModifier);
            QTest::keyClick(d.ordinary()->amount(), Qt::Key_Delete);
            QCOMPARE(d.ordinary()->amount()->amountText(), QStringLiteral("0"));
        }
        d.ordinary()->title1()->setFocus();
        QSignalSpy saved(d.dlg.get(), &CContainerDlg::saveRequested);
        const auto box = m_script.answer(QMessageBox::StandardButton(answer));
        QTest::keyClick(d.ordinary()->title1(), Qt::Key_A, Qt::AltModifier);   // Z&apisz
        QTRY_VERIFY(box->shown);   // a button's letter clicks it a moment later
        QCOMPARE(box->text, QStringLiteral("Kwota przelewu jest równa zeru. Czy kontynuować?"));
        QCOMPARE(box->box.icon, QMessageBox::Warning);
        QCOMPARE(box->defaultButton, QMessageBox::Yes);
        QVERIFY(d.dlg->isVisible());
        if (answer == QMessageBox::No) {
            QCOMPARE(saved.size(), 0);
            QCOMPARE(d.dlg->focusWidget(), d.ordinary()->amount());
        } else {
            QCOMPARE(saved.size(), 1);
            QCOMPARE(d.rec.amount.value(), 0);
        }
    }

    // On each page the sender's account field shows the amount in words for
    // a cash deposit (its label says so) and the kept account for a transfer;
    // "Przelew" chosen again while it is chosen changes nothing; only a whole
    // account number that does not check is marked.
    void depositShowsTheAmountInWordsAndTransferTheKeptAccount_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("accountLabel");
        QTest::addColumn<QString>("badAccount");
        QTest::addColumn<QString>("again");   // how "Przelew" is chosen again
        const QString bad = QStringLiteral("38-10101023-0000261395100000");
        QTest::newRow("ordinary, clicked") << int(KindOrdinary) << "Nr rac&h. nadawcy:" << bad << "click";
        QTest::newRow("ordinary, Space") << int(KindOrdinary) << "Nr rac&h. nadawcy:" << bad << "space";
        QTest::newRow("ordinary, Alt+P") << int(KindOrdinary) << "Nr rac&h. nadawcy:" << bad << "alt";
        QTest::newRow("ZUS") << int(KindZus) << "Nr rac&h. płatnika:" << "49109010140000000123456789" << "click";
        QTest::newRow("tax") << int(KindTax) << "Nr rac&h. zobowiązanego:" << bad << "click";
    }
    void depositShowsTheAmountInWordsAndTransferTheKeptAccount()
    {
        QFETCH(int, kind);
        QFETCH(QString, accountLabel);
        QFETCH(QString, badAccount);
        QFETCH(QString, again);
        DetailsDialog d(orderOfKind(kind));
        QVERIFY(d.ready());
        CDetailsPage *page = d.page();
        QLineEdit *account = page->senderAccount();
        const CWarningMark *mark = kind == KindZus   ? d.zus()->payerAccountMark()
                                 : kind == KindTax ? d.tax()->senderAccountMark()
                                                   : d.ordinary()->senderAccountMark();
        const auto label = [&] { return labelText(*page, account); };
        const QString wordsLabel = QStringLiteral("Kwota słownie:");
        QCOMPARE(label(), accountLabel);
        QVERIFY(!mark->isShown());   // the order's own account checks
        QVERIFY(page->transferButton()->isChecked());
        QSignalSpy chosen(page->transferButton(), &QAbstractButton::clicked);
        if (again == u"click") {
            page->transferButton()->click();
        } else if (again == u"space") {
            page->transferButton()->setFocus();
            QTest::keyClick(page->transferButton(), Qt::Key_Space);
        } else {
            QTest::keyClick(d.dlg.get(), Qt::Key_P, Qt::AltModifier);
        }
        QTRY_COMPARE(chosen.size(), 1);   // a button's letter clicks it a moment later
        QCOMPARE(account->text(), d.rec.senderAccount);
        QVERIFY(d.dlg->onSave());
        QCOMPARE(d.rec.senderAccount, orderOfKind(kind).senderAccount);
        account->setText(QStringLiteral("11-22222222-3333"));
        QVERIFY(!mark->isShown());
        account->setText(badAccount);
        QVERIFY(mark->isShown());
        page->transferButton()->click();   // chosen again: what was typed stays
        QCOMPARE(account->text(), badAccount);
        page->amount()->setAmountText(QStringLiteral("123,45"));

        page->depositButton()->click();
        QCOMPARE(account->text(), QStringLiteral("jed*dwa*trz* 45/100"));
        QVERIFY(!account->isEnabled());
        QCOMPARE(label(), wordsLabel);
        QVERIFY(!mark->isShown());   // the amount in words is no account

        // Typing another amount while "Wpłata" is on refreshes the words.
        page->amount()->setFocus();
        page->amount()->selectAll();
        QTest::keyClicks(page->amount(), QStringLiteral("207"));
        QCOMPARE(page->amount()->amountText(), QStringLiteral("207"));
        QCOMPARE(account->text(), QStringLiteral("dwa*zer*sie*"));

        // A cash deposit stores the words in the sender account.
        QVERIFY(d.dlg->onSave());
        QCOMPARE(d.rec.isTransfer, 0);
        QCOMPARE(d.rec.senderAccount, QStringLiteral("dwa*zer*sie*"));

        page->transferButton()->click();
        QCOMPARE(account->text(), badAccount);
        QVERIFY(account->isEnabled());
        QCOMPARE(label(), accountLabel);
        QVERIFY(mark->isShown());
        QVERIFY(d.dlg->onSave());   // a mark never blocks
        QCOMPARE(d.rec.isTransfer, 1);
        QCOMPARE(d.rec.senderAccount, badAccount);

        // Loading a deposit leaves the field disabled, and "Przelew" then never
        // brings back another order's account; a transfer loads enabled.
        d.rec.isTransfer = 0;
        d.rec.senderAccount = QStringLiteral("sto*");
        d.dlg->ShowPage(CContainerDlg::kindNumberOf(kind));
        QVERIFY(!account->isEnabled());
        QVERIFY(page->depositButton()->isChecked());
        QCOMPARE(label(), wordsLabel);
        page->transferButton()->click();
        QVERIFY(account->text().isEmpty());
        d.rec.isTransfer = 1;
        d.dlg->ShowPage(CContainerDlg::kindNumberOf(kind));
        QVERIFY(account->isEnabled());
        QCOMPARE(label(), accountLabel);
    }

    // Refused on saving, on the field that holds the problem, with a message
    // that names it: the focus there and the offending part selected.
    void refusalsNameTheirField_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("deposit");
        QTest::addColumn<QString>("message");   // its beginning; empty: saved
        QTest::addColumn<QString>("selected");
        const QString words = QStringLiteral("Kwota wpłaty zapisana słownie ma 55 znaków, a pole na nią mieści "
                                             "najwyżej 54.");
        QTest::newRow("negative amount") << "amount" << "-5" << true << "Kwota nie może być ujemna." << "";
        QTest::newRow("deposit of 100 000 000 000,45") << "amount" << "100000000000,45" << true << words << "";
        QTest::newRow("transfer of it") << "amount" << "100000000000,45" << false << "" << "";
        QTest::newRow("deposit of 100 000 000 000,01") << "amount" << "100000000000,01" << true << "" << "";
        QTest::newRow("deposit of 99 999 999 999,99") << "amount" << "99999999999,99" << true << "" << "";
        QTest::newRow("Cyrillic name") << "recipient1" << "Жанна Петрова" << false << "Znaku „Ж” (U+0416)"
                                       << "Ж";
        QTest::newRow("ø in the title") << "title2" << "Søren" << false << "Znaku „ø” (U+00F8)" << "ø";
        QTest::newRow("emoji in the sender") << "sender1" << "Kot 🐱" << false << "Znaku „🐱” (U+1F431)"
                                             << "🐱";
        QTest::newRow("Polish letters and €") << "sender1" << "Łódź €" << false << "" << "";
    }
    void refusalsNameTheirField()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(bool, deposit);
        QFETCH(QString, message);
        QFETCH(QString, selected);
        DetailsDialog d;
        QVERIFY(d.ready());
        auto *edit = d.ordinary()->findChild<QLineEdit *>(field);
        QVERIFY(edit);
        if (field == u"amount")
            QVERIFY(d.ordinary()->amount()->setAmountText(text));
        else
            edit->setText(text);
        if (deposit)
            d.ordinary()->depositButton()->click();
        const CPrzelewDane before = d.rec;
        const auto box = message.isEmpty() ? nullptr : m_script.answer(QMessageBox::Ok);   // else none may show
        QCOMPARE(d.dlg->onSave(), message.isEmpty());
        if (message.isEmpty())
            return;
        QVERIFY2(box->text.startsWith(message), qPrintable(box->text));
        QCOMPARE(d.dlg->focusWidget(), edit);
        if (!selected.isEmpty())
            QCOMPARE(edit->selectedText(), selected);
        QCOMPARE(d.rec.sender1, before.sender1);
    }

    // The recipient's account takes digits: blanks and dashes are dropped,
    // letters refused, and a whole number pasted fills the three fields.
    void accountFieldsTakeDigits_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("paste");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QStringList>("parts");
        const QStringList whole {"27", "10101023", "0000261395100000"};
        QTest::newRow("bank typed grouped") << "bankNumber" << false << "1020 1026"
                                            << QStringList {"12", "10201026", "0000120201234567"};
        QTest::newRow("bank stops at 8") << "bankNumber" << false << "123456789"
                                         << QStringList {"12", "12345678", "0000120201234567"};
        QTest::newRow("rest typed as invoices print it") << "accountRest" << false << "0000 1202-0123 4567"
                                                         << QStringList {"12", "10201026", "0000120201234567"};
        QTest::newRow("rest refuses letters") << "accountRest" << false << "12ab34"
                                              << QStringList {"12", "10201026", "1234"};
        QTest::newRow("PL number pasted into the check digits")
            << "checkDigits" << true << "PL27 1010 1023 0000 2613 9510 0000" << whole;
        QTest::newRow("26 digits pasted into the bank") << "bankNumber" << true << "27101010230000261395100000"
                                                        << whole;
        QTest::newRow("grouped number pasted into the rest")
            << "accountRest" << true << "27 1010-1023 0000 2613 9510 0000" << whole;
        QTest::newRow("number copied with no-break blanks, a tab and a line break")
            << "bankNumber" << true << QStringLiteral("PL27\u00a01010\t1023 0000 2613 9510 0000\n") << whole;
        QTest::newRow("grouped rest pasted") << "accountRest" << true << "0000 1202 0123 4567"
                                             << QStringList {"12", "10201026", "0000120201234567"};
    }
    void accountFieldsTakeDigits()
    {
        QFETCH(QString, field);
        QFETCH(bool, paste);
        QFETCH(QString, input);
        QFETCH(QStringList, parts);
        DetailsDialog d;
        QVERIFY(d.ready());
        auto *edit = d.ordinary()->findChild<QLineEdit *>(field);
        edit->setFocus();
        edit->selectAll();
        if (paste) {
            QApplication::clipboard()->setText(input);
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        } else {
            QTest::keyClicks(edit, input);
        }
        QCOMPARE((QStringList {d.ordinary()->checkDigits()->text(), d.ordinary()->bankNumber()->text(),
                               d.ordinary()->accountRest()->text()}),
                 parts);
        QVERIFY(d.dlg->onSave());
        QCOMPARE(d.rec.AccountNumberText(), parts.join(u'-'));
    }

    // With boxes on, a text longer than its boxes is marked while it is
    // typed; nothing is refused.
    void textsThatWillBeCutAreMarked_data()
    {
        QTest::addColumn<int>("fitInBox");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("marked");
        QTest::newRow("boxes, 27 fits") << 1 << 27 << false;
        QTest::newRow("boxes, 29 is cut") << 1 << 29 << true;
        QTest::newRow("free text, 54 fits") << 0 << 54 << false;
    }
    void textsThatWillBeCutAreMarked()
    {
        QFETCH(int, fitInBox);
        QFETCH(int, length);
        QFETCH(bool, marked);
        DetailsDialog d(ordinaryOrder(), fitInBox);
        QVERIFY(d.ready());
        // The order's own title line of 33 characters is marked as it loads.
        QCOMPARE(d.ordinary()->cutMarks()->isMarked(d.ordinary()->title2()), fitInBox == 1);
        d.ordinary()->title2()->setFocus();
        d.ordinary()->title2()->selectAll();
        QTest::keyClicks(d.ordinary()->title2(), QString(length, u'T'));
        QCOMPARE(d.ordinary()->cutMarks()->isMarked(d.ordinary()->title2()), marked);
        // The recipient's 27 characters fill their boxes exactly.
        QVERIFY(!d.ordinary()->cutMarks()->isMarked(d.ordinary()->recipient1()));
        QVERIFY(d.dlg->onSave());
    }

    // The marks follow the typing, never block a save, and change nothing stored.
    void accountMarksFollowTheTyping()
    {
        DetailsDialog d;
        QVERIFY(d.ready());
        CDetailsDlg &p = *d.ordinary();
        for (QLineEdit *part : {p.checkDigits(), p.bankNumber(), p.accountRest()})
            part->clear();
        QVERIFY(!p.recipientAccountMark()->isShown());        // empty: nothing
        QTest::keyClicks(p.checkDigits(), "61");
        QTest::keyClicks(p.bankNumber(), "10901014");
        QVERIFY(p.recipientAccountMark()->isShown());         // half typed
        QTest::keyClicks(p.accountRest(), "0000071219812874");
        QVERIFY(!p.recipientAccountMark()->isShown());        // checks
        p.checkDigits()->setText(QStringLiteral("16"));
        QVERIFY(p.recipientAccountMark()->warning().contains(QStringLiteral("cyfry kontrolne")));
        // A number that checks but was closed, and the payer's own accounts named.
        p.checkDigits()->setText(QStringLiteral("83"));
        p.bankNumber()->setText(QStringLiteral("10101023"));
        p.accountRest()->setText(QStringLiteral("0000261395100000"));
        QVERIFY(p.recipientAccountMark()->warning().contains(QStringLiteral("zamknięty 1.01.2018")));
        p.checkDigits()->setText(QStringLiteral("33"));
        p.bankNumber()->setText(QStringLiteral("60000002"));
        p.accountRest()->setText(QStringLiteral("0260001234563218"));
        QVERIFY(!p.recipientAccountMark()->isShown());
        QCOMPARE(p.accountRest()->toolTip(), QStringLiteral("Rachunek składkowy ZUS płatnika NIP 1234563218"));
        p.checkDigits()->setText(QStringLiteral("38"));
        p.bankNumber()->setText(QStringLiteral("10101023"));
        p.accountRest()->setText(QStringLiteral("0000261395100000"));
        QVERIFY(p.recipientAccountMark()->isShown());
        QVERIFY(d.dlg->onSave());
        QCOMPARE(d.rec.checkDigits, QStringLiteral("38"));
        saveShot(*d.dlg, QStringLiteral("przelew-znak-rachunku"));
    }

    // Each page's picks, by button or F2, list the register's parties of
    // their kind and fill the name and account; only the controls change
    // (the record follows at the next save). The dialog is opened on another
    // register: the one chosen since counts at once. Picked while "Wpłata"
    // is on, the sender's account waits for "Przelew".
    void picksFillTheirFields_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("pick");       // a button, or "F2 " and a field
        QTest::addColumn<QString>("check");      // of the sender's account in the register
        QTest::addColumn<bool>("deposit");
        QTest::addColumn<int>("listed");
        QTest::addColumn<QStringList>("filled");   // field=text
        const QString sender = QStringLiteral("Zakład Usług Różnych „Żuraw”");
        const QStringList counterparty {"recipient1=Kontrahent Jeden", "checkDigits=44", "bankNumber=11112222",
                                        "accountRest=333"};
        const QStringList office {"office1=Urząd Skarbowy Łódź-Widzew", "checkDigits=09", "bankNumber=10101371",
                                  "accountRest=0024142221000000"};
        const auto sent = [&](const char *name, const char *account, const char *digits) {
            return QStringList {QStringLiteral("%1=%2").arg(QLatin1String(name), sender),
                                QStringLiteral("%1=%2").arg(QLatin1String(account), QLatin1String(digits))};
        };
        const int ordinary = KindOrdinary, zus = KindZus, tax = KindTax;
        QTest::newRow("recipient: counterparties and employees") << ordinary << "pickRecipient" << "12" << false << 2
                                                                 << counterparty;
        QTest::newRow("sender, check digits") << ordinary << "pickSender" << "12" << false << 1
                                              << sent("sender1", "senderAccount", "12-10101023-0000261395100000");
        QTest::newRow("sender, no check digits") << ordinary << "pickSender" << "" << false << 1
                                                 << sent("sender1", "senderAccount", "10101023-0000261395100000");
        QTest::newRow("sender kept for Przelew") << ordinary << "pickSender" << "12" << true << 1
                                                 << sent("sender1", "senderAccount", "12-10101023-0000261395100000");
        QTest::newRow("ZUS payer (senders), F2") << zus << "F2 payer1" << "12" << false << 1
                                                 << sent("payer1", "payerAccount", "12-10101023-0000261395100000");
        QTest::newRow("tax office (offices only)") << tax << "pickOffice" << "12" << false << 1 << office;
        QTest::newRow("tax sender (senders), F2") << tax << "F2 sender1" << "12" << false << 1
                                                  << sent("sender1", "senderAccount", "12-10101023-0000261395100000");
    }
    void picksFillTheirFields()
    {
        QFETCH(int, kind);
        QFETCH(QString, pick);
        QFETCH(QString, check);
        QFETCH(bool, deposit);
        QFETCH(int, listed);
        QFETCH(QStringList, filled);
        addParties({SeedParty("Kontrahent Jeden", 0, false, "11112222", "333", "44"), SeedParty("Pracownik Dwa", 1),
                    SeedParty("Urząd Skarbowy Łódź-Widzew", 2, false, "10101371", "0024142221000000", "09"),
                    SeedParty("Zakład Usług Różnych „Żuraw”", 3, true, "10101023", "0000261395100000",
                              check.toUtf8().constData())});
        DetailsDialog d(orderOfKind(kind), 0, RegisterLocation {m_env.path() + QStringLiteral("/other.db")});
        QVERIFY(d.ready());
        d.dlg->setRegisterLocation(testRegister());
        CDetailsPage *page = d.page();
        if (deposit)
            page->depositButton()->click();
        const QString words = page->senderAccount()->text();
        int rows = -1;
        m_script.onDialog<CListaKontrDlg>([&rows](CListaKontrDlg *list) {
            rows = list->list()->model()->rowCount();
            list->list()->selectRow(0);
            list->onOk();
        });
        if (pick.startsWith(u"F2 ")) {
            auto *edit = page->findChild<QLineEdit *>(pick.mid(3));
            edit->setFocus();
            QTest::keyClick(edit, Qt::Key_F2);
        } else {
            page->findChild<QToolButton *>(pick)->click();
        }
        QCOMPARE(rows, listed);
        const QString account = filled.last().section(u'=', 1);
        if (deposit) {
            QCOMPARE(page->senderAccount()->text(), words);
            QCOMPARE(page->keptSenderAccount(), account);
            page->transferButton()->click();
        }
        for (const QString &field : filled)
            QCOMPARE(page->findChild<QLineEdit *>(field.section(u'=', 0, 0))->text(), field.section(u'=', 1));
        QCOMPARE(d.rec.recipient1, orderOfKind(kind).recipient1);
        QCOMPARE(d.rec.sender1, orderOfKind(kind).sender1);
        QVERIFY(d.dlg->hasUnsavedEdits());
    }

    // F2 opens the list of a name field; elsewhere it does nothing.
    void f2InANameFieldOpensItsList_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("list");   // the list's title, "" none
        QTest::newRow("recipient name") << int(KindOrdinary) << "recipient1" << "Odbiorcy";
        QTest::newRow("sender name") << int(KindOrdinary) << "sender1" << "Nadawcy";
        QTest::newRow("title") << int(KindOrdinary) << "title1" << "";
        QTest::newRow("ZUS payer's second line") << int(KindZus) << "payer2" << "";
        QTest::newRow("ZUS NIP") << int(KindZus) << "nip" << "";
        QTest::newRow("ZUS decision") << int(KindZus) << "decision" << "";
    }
    void f2InANameFieldOpensItsList()
    {
        QFETCH(int, kind);
        QFETCH(QString, field);
        QFETCH(QString, list);
        DetailsDialog d(orderOfKind(kind));
        QVERIFY(d.ready());
        auto *edit = d.page()->findChild<QLineEdit *>(field);
        QVERIFY(edit);
        const QString before = edit->text();
        QString shown;
        if (!list.isEmpty())   // else no list may open
            m_script.onDialog<CListaKontrDlg>([&shown](CListaKontrDlg *l) {
                shown = l->windowTitle();
                l->reject();
            });
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_F2);
        QCOMPARE(shown, list);
        QCOMPARE(edit->text(), before);   // F2 is consumed, never typed
    }

    void brokenRegisterShowsItsErrorAndLeavesThePage()
    {
        const QString folder = m_env.path() + QStringLiteral("/a-folder.db");
        QVERIFY(QDir().mkpath(folder));
        DetailsDialog d(ordinaryOrder(), 0, RegisterLocation {folder});
        QVERIFY(d.ready());
        const auto box = m_script.answer(QMessageBox::Ok);
        d.ordinary()->pickRecipient();
        QVERIFY(box->shown);
        QVERIFY(!box->text.isEmpty());
        QCOMPARE(d.ordinary()->recipient1()->text(), ordinaryOrder().recipient1);
        QVERIFY(!d.dlg->hasUnsavedEdits());
    }

    void failingStepKeepsTheEarlierSteps_data()
    {
        QTest::addColumn<QString>("failing");
        QTest::newRow("recipient name (step 6)") << "recipient1";
        QTest::newRow("title (step 12)") << "title1";
    }
    void failingStepKeepsTheEarlierSteps()
    {
        QFETCH(QString, failing);
        DetailsDialog d(ordinaryOrder(), 1);
        QVERIFY(d.ready());
        d.ordinary()->bankNumber()->setText(QStringLiteral("99998888"));
        d.ordinary()->amount()->setAmountText(QStringLiteral("77"));
        d.ordinary()->checkDigits()->setText(QStringLiteral("55"));
        d.ordinary()->sender1()->setText(QStringLiteral("Nowy nadawca"));
        QLineEdit *edit = failing == QLatin1String("title1") ? d.ordinary()->title1() : d.ordinary()->recipient1();
        edit->setMaxLength(100);
        edit->setText(QString(60, u'x'));
        const auto box = m_script.answer(QMessageBox::Ok);
        QVERIFY(!d.dlg->onSave());
        QCOMPARE(box->text, QStringLiteral("Proszę wprowadzić najwyżej %1 znaków.")
                                .arg(failing == QLatin1String("title1") ? 54 : 27));
        QCOMPARE(d.dlg->focusWidget(), edit);
        QCOMPARE(edit->selectedText(), edit->text());
        // Steps 1, 3 and 5 stored; the failing one and those after it not.
        QCOMPARE(d.rec.bankNumber, QStringLiteral("99998888"));
        QCOMPARE(d.rec.amount.value(), 770000);
        QCOMPARE(d.rec.checkDigits, QStringLiteral("55"));
        QCOMPARE(d.rec.sender1, failing == QLatin1String("title1") ? QStringLiteral("Nowy nadawca")
                                                                   : ordinaryOrder().sender1);
        QCOMPARE(failing == QLatin1String("title1") ? d.rec.title1 : d.rec.recipient1,
                 failing == QLatin1String("title1") ? ordinaryOrder().title1 : ordinaryOrder().recipient1);
    }

    void dateTickBoxStandsForNoDate()
    {
        CPrzelewDane order = ordinaryOrder();
        order.date = COrderDate::null();
        DetailsDialog d(order);
        QVERIFY(d.ready());
        QVERIFY(!d.ordinary()->date()->tick()->isChecked());
        QVERIFY(!d.ordinary()->date()->edit()->isEnabled());
        QCOMPARE(d.ordinary()->date()->edit()->displayFormat(), QStringLiteral("dd.MM.yyyy"));
        QVERIFY(d.dlg->onSave());
        QCOMPARE(d.rec.date.status(), COrderDate::Null);
        d.ordinary()->date()->tick()->click();
        d.ordinary()->date()->edit()->setDate(QDate(2026, 12, 24));
        QVERIFY(d.dlg->onSave());
        QCOMPARE(d.rec.date.toShortText(), QStringLiteral("24.12.2026"));
    }

    void showingThePageAgainReloadsIt()
    {
        DetailsDialog d;
        QVERIFY(d.ready());
        QTest::keyClicks(d.ordinary()->title1(), QStringLiteral(" zmiana"));
        QVERIFY(d.dlg->hasUnsavedEdits());
        d.dlg->ShowPage(1);
        QCOMPARE(d.ordinary()->title1()->text(), ordinaryOrder().title1);
        QVERIFY(!d.dlg->hasUnsavedEdits());
        QCOMPARE(d.dlg->windowTitle(), QStringLiteral("Szczegóły przelewu"));
        // Each kind number has its page and title.
        QVERIFY(d.dlg->ShowPage(2));
        QCOMPARE(d.dlg->windowTitle(), QStringLiteral("Szczegóły przelewu ZUS"));
        QVERIFY(d.dlg->ShowPage(3));
        QCOMPARE(d.dlg->windowTitle(), QStringLiteral("Szczegóły przelewu US"));
        QVERIFY(!d.dlg->ShowPage(4));
        QCOMPARE(d.dlg->currentKindNumber(), 3);
    }

    // At larger fonts each page gives every text and field the room it needs.
    void pagesFitTheirTexts_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("points");
        const char *names[] = {"ordinary", "zus", "tax"};
        for (int kind : {KindOrdinary, KindZus, KindTax})
            for (int points : {11, 16})
                QTest::addRow("%s %d pt", names[kind], points) << kind << points;
    }
    void pagesFitTheirTexts()
    {
        QFETCH(int, kind);
        QFETCH(int, points);
        const AppFontSize font(points);
        CPrzelewDane order = orderOfKind(kind);
        if (kind == KindOrdinary)
            order.sender1 = QStringLiteral("Spółdzielnia Mieszkaniowa „Źródło”");
        if (kind == KindZus)
            order.idType = 2;   // the longest identifier caption
        DetailsDialog d(order);
        QVERIFY(d.ready());
        d.dlg->adjustSize();
        QTest::qWait(20);
        QStringList cut = cutTexts(*d.dlg);
        // The keypad button inside the amount field is an icon; its text is only its tip.
        cut.removeIf([](const QString &t) { return t.startsWith(QStringLiteral("Kalkulator")); });
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u'\n')));
        for (QLineEdit *e : d.dlg->findChildren<QLineEdit *>())
            QVERIFY2(e->width() >= e->minimumSizeHint().width(), qPrintable(e->objectName()));
        for (QComboBox *c : d.dlg->findChildren<QComboBox *>())
            if (c->isVisibleTo(d.dlg.get()) && !c->isEditable())
                QVERIFY2(c->width() >= c->minimumSizeHint().width(), qPrintable(c->objectName()));
        const QString kindName = QString::fromLatin1(QTest::currentDataTag()).section(u' ', 0, 0);
        saveShot(*d.dlg, QStringLiteral("details-%1-%2pt").arg(kindName).arg(points));
        if (kind == KindOrdinary) {
            d.page()->depositButton()->click();
            saveShot(*d.dlg, QStringLiteral("details-deposit-%1pt").arg(points));
        }
    }

    void wholeOrderTypedFromTheKeyboard()
    {
        CPrzelewDane empty;
        empty.SetKind(KindOrdinary, COrderDate::fromParts(2026, 12, 8));
        DetailsDialog d(empty, 1);
        QVERIFY(d.ready());
        QSignalSpy saved(d.dlg.get(), &CContainerDlg::saveRequested);
        QSignalSpy printed(d.dlg.get(), &CContainerDlg::printRequested);
        // Key by key, Polish letters included.
        auto type = [](const QString &text) {
            for (QChar c : text)
                QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
        };
        // Each focus stop in Tab order and what is typed there.
        CDetailsDlg *p = d.ordinary();
        const std::pair<QWidget *, const char *> stops[] = {
            {p->recipient1(), "Jan Kowalski"},
            {p->recipient2(), "ul. Kościelna 5, Łódź"},
            {p->checkDigits(), "12x"},   // digits only
            {p->bankNumber(), "10201026"},
            {p->accountRest(), "0000120201234567"},
            {p->transferButton(), ""},   // the radio pair is one stop: Qt enters it at its first button
            {p->currency(), ""},
            {p->amount(), "250,5"},
            {p->date()->tick(), ""},
            {p->date()->edit(), "24122026"},   // a full day or month moves on to the next part by itself
            {p->senderAccount(), "48-10901014-0000000123456789"},
            {p->sender1(), "Anna Nowak"},
            {p->sender2(), ""},
            {p->title1(), "Zwrot pożyczki"},
            {p->title2(), ""},
            {p->symbol(), ""},
        };
        for (const auto &[stop, text] : stops) {
            const QWidget *focus = QApplication::focusWidget();
            const bool radioPair = stop == p->transferButton() && focus == p->depositButton();
            QVERIFY2(focus == stop || radioPair, qPrintable(QStringLiteral("not on ") + stop->objectName()));
            type(QString::fromUtf8(text));
            if (stop != p->symbol())
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        // Alt+U prints, Alt+A saves; both first take the page into the record.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_U, Qt::AltModifier);
        QTRY_COMPARE(printed.size(), 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(saved.size(), 1);
        QCOMPARE(d.rec.recipient1, QStringLiteral("Jan Kowalski"));
        QCOMPARE(d.rec.recipient2, QStringLiteral("ul. Kościelna 5, Łódź"));
        QCOMPARE(d.rec.checkDigits, QStringLiteral("12"));
        QCOMPARE(d.rec.AccountNumberText(), QStringLiteral("12-10201026-0000120201234567"));
        QCOMPARE(d.rec.amount.value(), 2505000);
        QCOMPARE(d.rec.sender1, QStringLiteral("Anna Nowak"));
        QCOMPARE(d.rec.title1, QStringLiteral("Zwrot pożyczki"));
        QCOMPARE(d.rec.currency, QStringLiteral("PLN"));
        QCOMPARE(d.rec.symbol, QStringLiteral("06"));
        QCOMPARE(d.rec.date.toShortText(), QStringLiteral("24.12.2026"));
        // Enter saves too, then the dialog closes.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(saved.size(), 2);
        QVERIFY(!d.dlg->isVisible());
    }
};

QTEST_MAIN(TestDetailsPage)
#include "test_details_page.moc"
