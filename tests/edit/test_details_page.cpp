// The details dialog with the ordinary page, offscreen: limits that follow
// the boxes setting, the zero question, deposit and transfer, the picks and
// F2, a failing step, the fit of the window at large fonts, and an order
// typed from the keyboard alone.

#include "DialogScript.h"
#include "WidgetFit.h"
#include "RegisterTestEnv.h"

#include "controls/WexCalcEdit.h"
#include "edit/ContainerDlg.h"
#include "edit/DateField.h"
#include "edit/DetailsDlg.h"
#include "controls/WarningMark.h"
#include "model/PrzelewDane.h"
#include "register/ListaKontrDlg.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QClipboard>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableView>
#include <QToolButton>
#include <QTest>
#include <memory>

namespace {

// A realistic ordinary order, with Polish letters and long names.
CPrzelewDane realisticOrder()
{
    CPrzelewDane r;
    r.SetKind(KindOrdinary, COrderDate::fromParts(2026, 12, 8));
    r.recipient1 = QStringLiteral("Przedsiębiorstwo Wodociągów");
    r.recipient2 = QStringLiteral("ul. Źródlana 15/3, Gdańsk");
    r.checkDigits = QStringLiteral("12");
    r.bankNumber = QStringLiteral("10201026");
    r.accountRest = QStringLiteral("0000120201234567");
    r.senderAccount = QStringLiteral("48-10901014-0000000123456789");
    r.sender1 = QStringLiteral("Zofia Brzęczyszczykiewicz");
    r.sender2 = QStringLiteral("ul. Łąkowa 7, Bełchatów");
    r.title1 = QStringLiteral("Faktura VAT nr 1234/12/2026 za wodę");
    r.title2 = QStringLiteral("i odprowadzanie ścieków, listopad");
    r.amount = CWexOleCurrency::fromUnits(1234, 5600);
    return r;
}

} // namespace

class TestDetailsPage : public QObject
{
    Q_OBJECT

    struct Dialog
    {
        AllSettings settings;
        CPrzelewDane rec;
        std::unique_ptr<CContainerDlg> dlg;
        CDetailsDlg *page = nullptr;

        explicit Dialog(const CPrzelewDane &order = realisticOrder(), int fitInBox = 0,
                        const RegisterLocation &where = testRegister())
            : rec(order)
        {
            settings.ordinary.fitInBox = fitInBox;
            dlg = std::make_unique<CContainerDlg>(rec, settings, where);
            dlg->ShowPage(1);
            dlg->show();
            dlg->activateWindow();
            page = dlg->ordinaryPage();
        }
        bool ready() { return QTest::qWaitForWindowActive(dlg.get()); }
    };

    RegisterTestEnv m_env;
    DialogScript m_script;

private Q_SLOTS:
    void init() { m_env.reset(); }
    void cleanup()
    {
        const bool allUsed = m_script.finished();
        m_script.clear();
        QVERIFY(allUsed);
    }

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
        CPrzelewDane order = realisticOrder();
        order.sender2 = QString(length, u'Ś');
        Dialog d(order, fitInBoxAtLoad);
        QVERIFY(d.ready());
        // A longer text from a file is shown whole, not cut to the limit.
        QCOMPARE(d.page->sender2()->text(), order.sender2);
        QCOMPARE(d.page->recipient1()->maxLength(), fitInBoxAtLoad ? 27 : 54);
        d.settings.ordinary.fitInBox = fitInBoxAtSave;
        d.rec.sender2.clear();

        QSignalSpy saved(d.dlg.get(), &CContainerDlg::saveRequested);
        const auto box = refusedWith ? m_script.answer(QMessageBox::Ok) : nullptr;   // else none may show
        QCOMPARE(d.dlg->onSave(), refusedWith == 0);
        QCOMPARE(saved.size(), refusedWith == 0 ? 1 : 0);
        if (refusedWith) {
            QCOMPARE(box->text, QStringLiteral("Proszę wprowadzić najwyżej %1 znaków.").arg(refusedWith));
            QCOMPARE(d.dlg->focusWidget(), d.page->sender2());
            QCOMPARE(d.page->sender2()->selectedText(), order.sender2);
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
            row(1, 1, "recipient1", "Nazwa &odbiorcy:", 27, false);
            row(1, 0, "recipient1", "Nazwa &odbiorcy:", 54, false);
            row(1, 1, "recipient2", "Nazwa odb&iorcy cd.:", 27, false);
            row(1, 0, "recipient2", "Nazwa odb&iorcy cd.:", 54, false);
            row(1, 1, "checkDigits", "L.k.", 2, true);
            row(1, 1, "bankNumber", "Nr &banku odbiorcy:", 8, true);
            row(1, 1, "accountRest", "Nr &rach. odbiorcy:", 34, true);
            row(1, 1, "deposit", "&Wpłata", 0, false);
            row(1, 1, "transfer", "&Przelew", 0, false);
            row(1, 1, "currency", "Wa&luta:", 3, false);
            row(1, 1, "amount", "&Kwota:", 0, false);
            row(1, 1, "senderAccount", "Nr rac&h. nadawcy:", 54, false);
            row(1, 1, "sender1", "Nazwa &nadawcy:", 27, false);
            row(1, 0, "sender1", "Nazwa &nadawcy:", 54, false);
            row(1, 1, "sender2", "Nazwa nadaw&cy cd:", 27, false);
            row(1, 0, "sender2", "Nazwa nadaw&cy cd:", 54, false);
            row(1, 1, "title1", "&Tytułem:", 54, false);
            row(1, 1, "title2", "T&ytułem cd:", 54, false);
            row(1, 1, "symbol", "Sy&mbol:", 2, false);
            row(2, 1, "purpose", "C&el opłacanych składek:", 0, false);
            row(2, 1, "deposit", "&Wpłata", 0, false);
            row(2, 1, "transfer", "&Przelew", 0, false);
            row(2, 1, "amount", "&Kwota:", 0, false);
            row(2, 1, "payerAccount", "Nr rac&h. płatnika:", 54, false);
            row(2, 1, "payer1", "Pła&tnik:", 27, false);
            row(2, 0, "payer1", "Pła&tnik:", 54, false);
            row(2, 1, "payer2", "Płat&nik cd:", 27, false);
            row(2, 0, "payer2", "Płat&nik cd:", 54, false);
            row(2, 1, "nip", "N&IP:", 10, true);
            row(2, 1, "paymentType", "T&yp wpłaty:", 0, false);
            row(2, 1, "idType", "Typ id. uzup.:", 0, false);
            row(2, 1, "supplementaryId", "Regon:", 14, false);
            row(2, 1, "declarationMonth", "Deklarac&ja:", 2, true);
            row(2, 1, "declarationYear", "", 4, true);
            row(2, 1, "declarationNo", "Nr dekla&racji:", 2, true);
            row(2, 1, "symbol", "Sym&bol:", 2, false);
            row(2, 1, "decision", "Nr decyzji:", 15, false);
            row(3, 1, "office1", "Nazwa i adr&es US:", 27, false);
            row(3, 0, "office1", "Nazwa i adr&es US:", 54, false);
            row(3, 1, "office2", "Nazwa i adres U&S cd.:", 27, false);
            row(3, 0, "office2", "Nazwa i adres U&S cd.:", 54, false);
            row(3, 1, "checkDigits", "L.k.", 2, true);
            row(3, 1, "bankNumber", "Nr &banku US:", 8, true);
            row(3, 1, "accountRest", "Nr &rach. US:", 34, true);
            row(3, 1, "deposit", "&Wpłata", 0, false);
            row(3, 1, "transfer", "&Przelew", 0, false);
            row(3, 1, "amount", "&Kwota:", 0, false);
            row(3, 1, "senderAccount", "Nr rac&h. zobowiązanego:", 54, false);
            row(3, 1, "sender1", "Nazwa &zobowiązanego:", 27, false);
            row(3, 0, "sender1", "Nazwa &zobowiązanego:", 54, false);
            row(3, 1, "sender2", "Nazwa zobowiązane&go cd:", 27, false);
            row(3, 0, "sender2", "Nazwa zobowiązane&go cd:", 54, false);
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
        AllSettings settings;
        for (FormKind form : {FormKind::Ordinary, FormKind::Zus, FormKind::Tax})
            settings.forKind(form).fitInBox = fitInBox;
        CContainerDlg dlg(order, settings, testRegister());
        dlg.ShowPage(kind);
        dlg.show();
        QWidget *page = dlg.currentPage();
        auto *widget = page->findChild<QWidget *>(control);
        QVERIFY(widget);
        QString shown;
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            shown = button->text();
        for (QLabel *l : page->findChildren<QLabel *>())
            if (l->buddy() == widget)
                shown = l->text();
        QCOMPARE(shown, label);
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
        CPrzelewDane order = realisticOrder();
        if (!erased)
            order.amount = CWexOleCurrency(0);
        Dialog d(order);
        QVERIFY(d.ready());
        if (erased) {
            d.page->amount()->setFocus();
            QTest::keyClick(d.page->amount(), Qt::Key_Home);
            QTest::keyClick(d.page->amount(), Qt::Key_End, Qt::ShiftModifier);
            QTest::keyClick(d.page->amount(), Qt::Key_Delete);
            QCOMPARE(d.page->amount()->amountText(), QStringLiteral("0"));
        }
        d.page->title1()->setFocus();
        QSignalSpy saved(d.dlg.get(), &CContainerDlg::saveRequested);
        const auto box = m_script.answer(QMessageBox::StandardButton(answer));
        QTest::keyClick(d.page->title1(), Qt::Key_A, Qt::AltModifier);   // Z&apisz
        QTRY_VERIFY(box->shown);   // a button's letter clicks it a moment later
        QCOMPARE(box->text, QStringLiteral("Kwota przelewu jest równa zeru. Czy kontynuować?"));
        QCOMPARE(box->box.icon, QMessageBox::Warning);
        QCOMPARE(box->defaultButton, QMessageBox::Yes);
        QVERIFY(d.dlg->isVisible());
        if (answer == QMessageBox::No) {
            QCOMPARE(saved.size(), 0);
            QCOMPARE(d.dlg->focusWidget(), d.page->amount());
        } else {
            QCOMPARE(saved.size(), 1);
            QCOMPARE(d.rec.amount.value(), 0);
        }
    }

    void depositShowsTheAmountInWordsAndTransferTheKeptAccount()
    {
        Dialog d;
        QVERIFY(d.ready());
        QLineEdit *account = d.page->senderAccount();
        // The field's label says what it holds.
        const auto label = [account] {
            for (QLabel *l : account->parentWidget()->findChildren<QLabel *>())
                if (l->buddy() == account)
                    return l->text();
            return QString();
        };
        const QString accountLabel = QStringLiteral("Nr rac&h. nadawcy:"), wordsLabel = QStringLiteral("Kwota słownie:");
        QCOMPARE(label(), accountLabel);
        account->setText(QStringLiteral("11-22222222-3333"));
        d.page->amount()->setAmountText(QStringLiteral("123,45"));

        d.page->depositButton()->click();
        QCOMPARE(account->text(), QStringLiteral("jed*dwa*trz* 45/100"));
        QVERIFY(!account->isEnabled());
        QCOMPARE(label(), wordsLabel);

        // Typing another amount while "Wpłata" is on refreshes the words.
        d.page->amount()->setFocus();
        d.page->amount()->selectAll();
        QTest::keyClicks(d.page->amount(), QStringLiteral("207"));
        QCOMPARE(d.page->amount()->amountText(), QStringLiteral("207"));
        QCOMPARE(account->text(), QStringLiteral("dwa*zer*sie*"));

        // A cash deposit stores the words in the sender account.
        QVERIFY(d.dlg->onSave());
        QCOMPARE(d.rec.isTransfer, 0);
        QCOMPARE(d.rec.senderAccount, QStringLiteral("dwa*zer*sie*"));

        d.page->transferButton()->click();
        QCOMPARE(account->text(), QStringLiteral("11-22222222-3333"));
        QVERIFY(account->isEnabled());
        QCOMPARE(label(), accountLabel);
        QVERIFY(d.dlg->onSave());
        QCOMPARE(d.rec.isTransfer, 1);
        QCOMPARE(d.rec.senderAccount, QStringLiteral("11-22222222-3333"));

        // Loading a deposit leaves the field disabled, a transfer enabled.
        d.rec.isTransfer = 0;
        d.dlg->ShowPage(1);
        QVERIFY(!account->isEnabled());
        QVERIFY(d.page->depositButton()->isChecked());
        QCOMPARE(label(), wordsLabel);
        d.rec.isTransfer = 1;
        d.dlg->ShowPage(1);
        QVERIFY(account->isEnabled());
        QCOMPARE(label(), accountLabel);
    }

    // "Przelew" chosen again while it is chosen changes nothing; a deposit
    // loaded after a transfer never brings back the other order's account.
    void reselectingTransferKeepsTheAccount_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("click") << "click";
        QTest::newRow("space") << "space";
        QTest::newRow("Alt+P") << "alt";
    }
    void reselectingTransferKeepsTheAccount()
    {
        QFETCH(QString, how);
        Dialog d;
        QVERIFY(d.ready());
        const QString account = d.rec.senderAccount;
        QRadioButton *transfer = d.page->transferButton();
        QVERIFY(transfer->isChecked());
        if (how == u"click") {
            transfer->click();
        } else if (how == u"space") {
            transfer->setFocus();
            QTest::keyClick(transfer, Qt::Key_Space);
        } else {
            QTest::keyClick(d.dlg.get(), Qt::Key_P, Qt::AltModifier);
        }
        QCOMPARE(d.page->senderAccount()->text(), account);
        QVERIFY(d.dlg->onSave());
        QCOMPARE(d.rec.senderAccount, account);

        d.rec.isTransfer = 0;
        d.rec.senderAccount = QStringLiteral("sto*");
        d.dlg->ShowPage(1);
        d.page->transferButton()->click();
        QVERIFY(d.page->senderAccount()->text().isEmpty());
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
        Dialog d;
        QVERIFY(d.ready());
        auto *edit = d.page->findChild<QLineEdit *>(field);
        QVERIFY(edit);
        if (field == u"amount")
            QVERIFY(d.page->amount()->setAmountText(text));
        else
            edit->setText(text);
        if (deposit)
            d.page->depositButton()->click();
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
        Dialog d;
        QVERIFY(d.ready());
        auto *edit = d.page->findChild<QLineEdit *>(field);
        edit->setFocus();
        edit->selectAll();
        if (paste) {
            QApplication::clipboard()->setText(input);
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        } else {
            QTest::keyClicks(edit, input);
        }
        QCOMPARE((QStringList {d.page->checkDigits()->text(), d.page->bankNumber()->text(),
                               d.page->accountRest()->text()}),
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
        Dialog d(realisticOrder(), fitInBox);
        QVERIFY(d.ready());
        // The order's own title line of 33 characters is marked as it loads.
        QCOMPARE(d.page->cutMarks()->isMarked(d.page->title2()), fitInBox == 1);
        d.page->title2()->setFocus();
        d.page->title2()->selectAll();
        QTest::keyClicks(d.page->title2(), QString(length, u'T'));
        QCOMPARE(d.page->cutMarks()->isMarked(d.page->title2()), marked);
        // The recipient's 27 characters fill their boxes exactly.
        QVERIFY(!d.page->cutMarks()->isMarked(d.page->recipient1()));
        QVERIFY(d.dlg->onSave());
    }

    // The marks follow the typing, never block a save, and change nothing stored.
    void accountMarksFollowTheTyping()
    {
        Dialog d;
        QVERIFY(d.ready());
        CDetailsDlg &p = *d.page;
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

        // The sender's account: only a whole number that does not check.
        p.transferButton()->click();
        p.senderAccount()->setText(QStringLiteral("11-22222222-3333"));
        QVERIFY(!p.senderAccountMark()->isShown());
        p.senderAccount()->setText(QStringLiteral("38-10101023-0000261395100000"));
        QVERIFY(p.senderAccountMark()->isShown());
        p.depositButton()->click();                            // the amount in words: no mark
        QVERIFY(!p.senderAccountMark()->isShown());
        p.transferButton()->click();
        QVERIFY(p.senderAccountMark()->isShown());

        QVERIFY(d.dlg->onSave());
        QCOMPARE(d.rec.checkDigits, QStringLiteral("38"));
        QCOMPARE(d.rec.senderAccount, QStringLiteral("38-10101023-0000261395100000"));
        saveShot(*d.dlg, QStringLiteral("przelew-znak-rachunku"));
    }

    void senderPickFillsNamesAndAccount_data()
    {
        QTest::addColumn<QString>("check");
        QTest::addColumn<bool>("deposit");
        QTest::addColumn<QString>("account");
        QTest::newRow("transfer, check digits") << "12" << false << "12-10101023-0000261395100000";
        QTest::newRow("transfer, no check digits") << "" << false << "10101023-0000261395100000";
        QTest::newRow("deposit keeps it for Przelew") << "12" << true << "12-10101023-0000261395100000";
    }
    void senderPickFillsNamesAndAccount()
    {
        QFETCH(QString, check);
        QFETCH(bool, deposit);
        QFETCH(QString, account);
        addParties({SeedParty("Zakład Usług Różnych „Żuraw”", 3, true, "10101023", "0000261395100000",
                          check.toUtf8().constData())});
        Dialog d;
        QVERIFY(d.ready());
        if (deposit)
            d.page->depositButton()->click();
        const QString words = d.page->senderAccount()->text();
        m_script.onDialog<CListaKontrDlg>([](CListaKontrDlg *list) {
            list->list()->selectRow(0);
            list->onOk();
        });
        d.page->senderPickButton()->click();
        QCOMPARE(d.page->sender1()->text(), QStringLiteral("Zakład Usług Różnych „Żuraw”"));
        if (deposit) {
            QCOMPARE(d.page->senderAccount()->text(), words);
            QCOMPARE(d.page->keptSenderAccount(), account);
            d.page->transferButton()->click();
        }
        QCOMPARE(d.page->senderAccount()->text(), account);
        // Only the controls changed; the record follows at the next save.
        QCOMPARE(d.rec.sender1, realisticOrder().sender1);
        QVERIFY(d.dlg->hasUnsavedEdits());
    }

    void recipientPickListsCounterpartiesAndEmployees()
    {
        addParties({SeedParty("Kontrahent Jeden", 0, false, "11112222", "333", "44"), SeedParty("Pracownik Dwa", 1),
                    SeedParty("Urząd Skarbowy Trzy", 2)});
        // Opened on another register: the one chosen since counts at once.
        Dialog d(realisticOrder(), 0, RegisterLocation {m_env.path() + QStringLiteral("/other.db")});
        QVERIFY(d.ready());
        d.dlg->setRegisterLocation(testRegister());
        int listed = -1;
        m_script.onDialog<CListaKontrDlg>([&listed](CListaKontrDlg *list) {
            listed = list->list()->model()->rowCount();
            list->list()->selectRow(0);
            list->onOk();
        });
        d.page->recipientPickButton()->click();
        QCOMPARE(listed, 2);
        QCOMPARE(d.page->recipient1()->text(), QStringLiteral("Kontrahent Jeden"));
        QCOMPARE(d.page->checkDigits()->text(), QStringLiteral("44"));
        QCOMPARE(d.page->bankNumber()->text(), QStringLiteral("11112222"));
        QCOMPARE(d.page->accountRest()->text(), QStringLiteral("333"));
    }

    void f2InANameFieldOpensItsList_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("list");   // the list's title, "" none
        QTest::newRow("recipient name") << "recipient1" << "Odbiorcy";
        QTest::newRow("sender name") << "sender1" << "Nadawcy";
        QTest::newRow("title") << "title1" << "";
    }
    void f2InANameFieldOpensItsList()
    {
        QFETCH(QString, field);
        QFETCH(QString, list);
        Dialog d;
        QVERIFY(d.ready());
        QLineEdit *edit = field == QLatin1String("recipient1") ? d.page->recipient1()
                        : field == QLatin1String("sender1")    ? d.page->sender1()
                                                               : d.page->title1();
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
        Dialog d(realisticOrder(), 0, RegisterLocation {folder});
        QVERIFY(d.ready());
        const auto box = m_script.answer(QMessageBox::Ok);
        d.page->pickRecipient();
        QVERIFY(box->shown);
        QVERIFY(!box->text.isEmpty());
        QCOMPARE(d.page->recipient1()->text(), realisticOrder().recipient1);
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
        Dialog d(realisticOrder(), 1);
        QVERIFY(d.ready());
        d.page->bankNumber()->setText(QStringLiteral("99998888"));
        d.page->amount()->setAmountText(QStringLiteral("77"));
        d.page->checkDigits()->setText(QStringLiteral("55"));
        d.page->sender1()->setText(QStringLiteral("Nowy nadawca"));
        QLineEdit *edit = failing == QLatin1String("title1") ? d.page->title1() : d.page->recipient1();
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
                                                                   : realisticOrder().sender1);
        QCOMPARE(failing == QLatin1String("title1") ? d.rec.title1 : d.rec.recipient1,
                 failing == QLatin1String("title1") ? realisticOrder().title1 : realisticOrder().recipient1);
    }

    void dateTickBoxStandsForNoDate()
    {
        CPrzelewDane order = realisticOrder();
        order.date = COrderDate::null();
        Dialog d(order);
        QVERIFY(d.ready());
        QVERIFY(!d.page->date()->tick()->isChecked());
        QVERIFY(!d.page->date()->edit()->isEnabled());
        QCOMPARE(d.page->date()->edit()->displayFormat(), QStringLiteral("dd.MM.yyyy"));
        QVERIFY(d.dlg->onSave());
        QCOMPARE(d.rec.date.status(), COrderDate::Null);
        d.page->date()->tick()->click();
        d.page->date()->edit()->setDate(QDate(2026, 12, 24));
        QVERIFY(d.dlg->onSave());
        QCOMPARE(d.rec.date.toShortText(), QStringLiteral("24.12.2026"));
    }

    void showingThePageAgainReloadsIt()
    {
        Dialog d;
        QVERIFY(d.ready());
        QTest::keyClicks(d.page->title1(), QStringLiteral(" zmiana"));
        QVERIFY(d.dlg->hasUnsavedEdits());
        d.dlg->ShowPage(1);
        QCOMPARE(d.page->title1()->text(), realisticOrder().title1);
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

    void windowFitsItsTexts_data()
    {
        QTest::addColumn<int>("points");
        QTest::newRow("11 pt") << 11;
        QTest::newRow("16 pt") << 16;
    }
    void windowFitsItsTexts()
    {
        QFETCH(int, points);
        const QFont before = QApplication::font();
        QFont font = before;
        font.setPointSize(points);
        QApplication::setFont(font);
        {
            CPrzelewDane order = realisticOrder();
            order.sender1 = QStringLiteral("Spółdzielnia Mieszkaniowa „Źródło”");
            Dialog d(order);
            QVERIFY(d.ready());
            d.dlg->adjustSize();
            QTest::qWait(20);
            QStringList cut = cutTexts(*d.dlg);
            // The keypad button inside the amount field is an icon; its text is only its tip.
            cut.removeIf([](const QString &t) { return t.startsWith(QStringLiteral("Kalkulator")); });
            QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u'\n')));
            for (QLineEdit *e : d.dlg->findChildren<QLineEdit *>())
                QVERIFY2(e->width() >= e->minimumSizeHint().width(), qPrintable(e->objectName()));
            saveShot(*d.dlg, QStringLiteral("details-ordinary-%1pt").arg(points));
            d.page->depositButton()->click();
            saveShot(*d.dlg, QStringLiteral("details-deposit-%1pt").arg(points));
        }
        QApplication::setFont(before);
    }

    void wholeOrderTypedFromTheKeyboard()
    {
        CPrzelewDane empty;
        empty.SetKind(KindOrdinary, COrderDate::fromParts(2026, 12, 8));
        Dialog d(empty, 1);
        QVERIFY(d.ready());
        QSignalSpy saved(d.dlg.get(), &CContainerDlg::saveRequested);
        QSignalSpy printed(d.dlg.get(), &CContainerDlg::printRequested);
        // Key by key, Polish letters included.
        auto type = [](const QString &text) {
            for (QChar c : text)
                QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
        };
        auto tab = [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); };
        auto expect = [](QWidget *w) {
            if (QApplication::focusWidget() != w)
                qWarning() << "focus on" << QApplication::focusWidget() << "expected" << w;
            return QApplication::focusWidget() == w;
        };

        QVERIFY(expect(d.page->recipient1()));
        type(QStringLiteral("Jan Kowalski"));
        tab();
        QVERIFY(expect(d.page->recipient2()));
        type(QStringLiteral("ul. Kościelna 5, Łódź"));
        tab();
        QVERIFY(expect(d.page->checkDigits()));
        type(QStringLiteral("12x"));   // digits only
        tab();
        QVERIFY(expect(d.page->bankNumber()));
        type(QStringLiteral("10201026"));
        tab();
        QVERIFY(expect(d.page->accountRest()));
        type(QStringLiteral("0000120201234567"));
        tab();
        // The radio pair is one stop in the chain: Qt enters it at its first button.
        QVERIFY(expect(d.page->depositButton()) || expect(d.page->transferButton()));
        tab();
        QVERIFY(expect(d.page->currency()));
        tab();
        QVERIFY(expect(d.page->amount()));
        type(QStringLiteral("250,5"));
        tab();
        QVERIFY(expect(d.page->date()->tick()));
        tab();
        QVERIFY(expect(d.page->date()->edit()));
        // A full day or month moves on to the next part by itself.
        type(QStringLiteral("24122026"));
        tab();
        QVERIFY(expect(d.page->senderAccount()));
        type(QStringLiteral("48-10901014-0000000123456789"));
        tab();
        QVERIFY(expect(d.page->sender1()));
        type(QStringLiteral("Anna Nowak"));
        tab();
        QVERIFY(expect(d.page->sender2()));
        tab();
        QVERIFY(expect(d.page->title1()));
        type(QStringLiteral("Zwrot pożyczki"));
        tab();
        QVERIFY(expect(d.page->title2()));
        tab();
        QVERIFY(expect(d.page->symbol()));
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
