// The ZUS and tax pages of the details dialog, offscreen: the purpose and
// its account, the title written at once, the payment-type rule, the
// declaration split, the identifier caption and types, the tax form symbol,
// limits, codes from a file outside the lists, the picks and the fit.

#include "DialogScript.h"
#include "WidgetFit.h"
#include "RegisterTestEnv.h"

#include "controls/WarningMark.h"
#include "controls/WexCalcEdit.h"
#include "edit/ContainerDlg.h"
#include "edit/DateField.h"
#include "edit/PageRules.h"
#include "edit/TaxDetailsDlg.h"
#include "edit/DetailsDlg.h"
#include "edit/ZUSDetailsDlg.h"
#include "edit/ZusTransferDlg.h"
#include "model/PrzelewDane.h"
#include "register/ListaKontrDlg.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <memory>

namespace {

CPrzelewDane zusOrder()
{
    CPrzelewDane r;
    r.SetKind(KindZus, COrderDate::fromParts(2026, 12, 8));
    r.zusAccountType = 1;
    r.SetZUSTitle(1);
    r.sender1 = QStringLiteral("Przedsiębiorstwo Handlowo-Usługowe");
    r.sender2 = QStringLiteral("„Żółw” Grzegorz Brzęczyszczykiewicz");
    r.senderAccount = QStringLiteral("48109010140000000123456789");
    r.payerId = QStringLiteral("5261040828");
    r.idType = 1;
    r.supplementaryId = QStringLiteral("85010112345");
    r.paymentType = 0;
    r.declaration = QStringLiteral("112026");
    r.declarationNo = QStringLiteral("01");
    r.amount = CWexOleCurrency::fromUnits(1543, 2100);
    return r;
}

CPrzelewDane taxOrder()
{
    CPrzelewDane r;
    r.SetKind(KindTax, COrderDate::fromParts(2026, 12, 8));
    r.recipient1 = QStringLiteral("Drugi Urząd Skarbowy Łódź-Bałuty");
    r.recipient2 = QStringLiteral("ul. Świętej Teresy 105, 91-341 Łódź");
    r.checkDigits = QStringLiteral("09");
    r.bankNumber = QStringLiteral("10101371");
    r.accountRest = QStringLiteral("0024142221000000");
    r.senderAccount = QStringLiteral("48109010140000000123456789");
    r.sender1 = QStringLiteral("Małgorzata Wiśniewska-Jędrzejczak");
    r.sender2 = QStringLiteral("ul. Źródlana 15/3, 91-001 Łódź");
    r.payerId = QStringLiteral("7251234567");
    r.idType = 4;
    r.taxPeriod = QStringLiteral("26M11");
    r.taxFormSymbol = QStringLiteral("VAT7");
    r.obligationId = QStringLiteral("zaległość 2026");
    r.amount = CWexOleCurrency::fromUnits(2480, 0);
    return r;
}

} // namespace

class TestZusTaxPages : public QObject
{
    Q_OBJECT

    struct Dialog
    {
        AllSettings settings;
        CPrzelewDane rec;
        std::unique_ptr<CContainerDlg> dlg;

        explicit Dialog(const CPrzelewDane &order, const RegisterLocation &where = testRegister()) : rec(order)
        {
            settings.zus.fitInBox = 0;
            settings.tax.fitInBox = 0;
            dlg = std::make_unique<CContainerDlg>(rec, settings, where);
            dlg->ShowPage(CContainerDlg::kindNumberOf(order.kind));
            dlg->show();
            dlg->activateWindow();
        }
        bool ready() { return QTest::qWaitForWindowActive(dlg.get()); }
        CZUSDetailsDlg *zus() const { return dlg->zusPage(); }
        CTaxDetailsDlg *tax() const { return dlg->taxPage(); }
    };

    static void choose(QComboBox *combo, int position)
    {
        combo->setCurrentIndex(position);
        Q_EMIT combo->activated(position);
    }

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

    void pagesShowTheirListsAndTitles()
    {
        Dialog z(zusOrder());
        QCOMPARE(z.dlg->windowTitle(), QStringLiteral("Szczegóły przelewu ZUS"));
        QStringList purposes, payments, ids;
        for (int i = 0; i < z.zus()->purpose()->count(); ++i)
            purposes << z.zus()->purpose()->itemText(i);
        for (int i = 0; i < z.zus()->paymentType()->count(); ++i)
            payments << z.zus()->paymentType()->itemText(i);
        for (int i = 0; i < z.zus()->idType()->count(); ++i)
            ids << z.zus()->idType()->itemText(i);
        QCOMPARE(purposes, (QStringList{"Składki na ubezpieczenie społeczne", "Składki na ubezpieczenie zdrowotne",
                                        "Składki na Fundusz Pracy i FGŚP"}));
        QCOMPARE(payments.size(), 8);
        QCOMPARE(payments[4], QStringLiteral("D - dodatkowa opłata "));
        QCOMPARE(payments[7], QStringLiteral("B - dodatkowa opłata za nieprzekazanie do OFE"));
        QCOMPARE(ids, (QStringList{"Regon", "Pesel", "Dowód osobisty", "Paszport", "NUSP"}));
        QVERIFY(z.zus()->currency()->isReadOnly());
        QCOMPARE(z.zus()->nip()->maxLength(), 10);
        QCOMPARE(z.zus()->decision()->maxLength(), 15);

        Dialog t(taxOrder());
        QCOMPARE(t.dlg->windowTitle(), QStringLiteral("Szczegóły przelewu US"));
        QStringList symbols;
        for (int i = 0; i < t.tax()->formSymbol()->count(); ++i)
            symbols << t.tax()->formSymbol()->itemText(i);
        QCOMPARE(symbols, PageRules::Tax::formSymbols());
        QVERIFY(t.tax()->formSymbol()->isEditable());
        QVERIFY(t.tax()->currency()->isReadOnly());
        QCOMPARE(t.tax()->idType()->itemText(5), QStringLiteral("3 - inny dokument"));
    }

    void zusPurposeSetsTheAccountOnSaving_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("check");
        QTest::addColumn<QString>("bank");
        QTest::addColumn<QString>("rest");
        QTest::addColumn<QString>("title");
        QTest::newRow("social") << 0 << "83" << "10101023" << "0000261395100000"
                                << "Należność z tytułu składek na ubezpieczenie społeczne";
        QTest::newRow("health") << 1 << "78" << "10101023" << "0000261395200000"
                                << "Należność z tytułu składek na ubezpieczenie zdrowotne";
        QTest::newRow("FP and FGŚP") << 2 << "73" << "10101023" << "0000261395300000"
                                     << "Należność z tytułu składek na FP i FGŚP";
    }
    void zusPurposeSetsTheAccountOnSaving()
    {
        QFETCH(int, position);
        QFETCH(QString, check);
        QFETCH(QString, bank);
        QFETCH(QString, rest);
        QFETCH(QString, title);
        CPrzelewDane order = zusOrder();
        order.checkDigits = QStringLiteral("99");
        order.bankNumber = QStringLiteral("11111111");
        order.accountRest = QStringLiteral("999");
        Dialog d(order);
        QVERIFY(d.ready());
        choose(d.zus()->purpose(), position);
        // The title is in the order at once; the account type and account only after saving.
        QCOMPARE(d.rec.title1, title);
        QCOMPARE(d.rec.zusAccountType, 1);
        QCOMPARE(d.rec.checkDigits, QStringLiteral("99"));
        QVERIFY(d.dlg->hasUnsavedEdits());
        QVERIFY(d.dlg->onSave());
        QCOMPARE(d.rec.zusAccountType, position + 1);
        QCOMPARE(d.rec.checkDigits, check);
        QCOMPARE(d.rec.bankNumber, bank);
        QCOMPARE(d.rec.accountRest, rest);
        QCOMPARE(d.rec.kind, int(KindZus));
    }

    void paymentTypeRuleFillsTheDeclaration_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("number");
        QTest::newRow("S - nothing") << 0 << "11" << "2026" << "01";
        QTest::newRow("M - nothing") << 1 << "11" << "2026" << "01";
        QTest::newRow("U - number only") << 2 << "11" << "2026" << "00";
        QTest::newRow("T - number only") << 3 << "11" << "2026" << "00";
        QTest::newRow("D - all") << 4 << "00" << "0000" << "00";
        QTest::newRow("E - all") << 5 << "00" << "0000" << "00";
        QTest::newRow("B - number only") << 7 << "11" << "2026" << "00";
    }
    void paymentTypeRuleFillsTheDeclaration()
    {
        QFETCH(int, position);
        QFETCH(QString, month);
        QFETCH(QString, year);
        QFETCH(QString, number);
        Dialog d(zusOrder());
        QVERIFY(d.ready());
        choose(d.zus()->paymentType(), position);
        QCOMPARE(d.zus()->declarationMonth()->text(), month);
        QCOMPARE(d.zus()->declarationYear()->text(), year);
        QCOMPARE(d.zus()->declarationNo()->text(), number);
        // The controls only; the order follows when saved.
        QCOMPARE(d.rec.declaration, QStringLiteral("112026"));
        // Going back to S restores nothing.
        choose(d.zus()->paymentType(), 0);
        QCOMPARE(d.zus()->declarationNo()->text(), number);
        QVERIFY(d.dlg->onSave());
        QCOMPARE(d.rec.declaration, month + year);
        QCOMPARE(d.rec.declarationNo, number);
        QCOMPARE(d.rec.paymentType, 0);
    }

    void declarationSplitsIntoMonthAndYear_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("year");
        QTest::newRow("012005") << "012005" << "01" << "2005";
        QTest::newRow("empty") << "" << "" << "";
        QTest::newRow("short") << "07" << "07" << "07";
        QTest::newRow("four characters") << "0120" << "01" << "0120";
    }
    void declarationSplitsIntoMonthAndYear()
    {
        QFETCH(QString, stored);
        QFETCH(QString, month);
        QFETCH(QString, year);
        CPrzelewDane order = zusOrder();
        order.declaration = stored;
        Dialog d(order);
        QVERIFY(d.ready());
        QCOMPARE(d.zus()->declarationMonth()->text(), month);
        QCOMPARE(d.zus()->declarationYear()->text(), year);
        QCOMPARE(d.zus()->declarationMonth()->maxLength(), 2);
        QCOMPARE(d.zus()->declarationYear()->maxLength(), 4);
        // Saved untouched, the stored text stays as it was, whatever its length.
        QVERIFY(d.dlg->onSave());
        QCOMPARE(d.rec.declaration, stored);
        d.zus()->declarationMonth()->setText(QStringLiteral("03"));
        d.zus()->declarationYear()->setText(QStringLiteral("2006"));
        QVERIFY(d.dlg->onSave());
        QCOMPARE(d.rec.declaration, QStringLiteral("032006"));
    }

    void identifierCaptionFollowsTheType_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Pesel loaded") << 1 << -1 << "Pesel:";
        QTest::newRow("Paszport chosen") << 1 << 3 << "Paszport:";
        QTest::newRow("NUSP chosen") << 0 << 4 << "NUSP:";
        QTest::newRow("code 9 from a file") << 9 << -1 << "Id. uzupeł. płatnika:";
    }
    void identifierCaptionFollowsTheType()
    {
        QFETCH(int, stored);
        QFETCH(int, chosen);
        QFETCH(QString, caption);
        CPrzelewDane order = zusOrder();
        order.idType = stored;
        Dialog d(order);
        QVERIFY(d.ready());
        if (chosen >= 0)
            choose(d.zus()->idType(), chosen);
        QCOMPARE(d.zus()->idCaption()->text(), caption);
        QVERIFY(d.dlg->onSave());
        QCOMPARE(d.rec.idType, chosen >= 0 ? chosen : stored);
    }

    void decisionNumberIsTitleLineTwo()
    {
        CPrzelewDane order = zusOrder();
        order.title2 = QStringLiteral("DEC/123/2026");
        Dialog d(order);
        QVERIFY(d.ready());
        QCOMPARE(d.zus()->decision()->text(), order.title2);
        d.zus()->decision()->setMaxLength(100);
        d.zus()->decision()->setText(QString(16, u'7'));
        const auto box = m_script.answer(QMessageBox::Ok);
        QVERIFY(!d.dlg->onSave());
        QCOMPARE(box->text, QStringLiteral("Proszę wprowadzić najwyżej 15 znaków."));
        QCOMPARE(d.dlg->focusWidget(), d.zus()->decision());
        d.zus()->decision()->setText(QStringLiteral("UKŁAD/7/2026"));
        QVERIFY(d.dlg->onSave());
        QCOMPARE(d.rec.title2, QStringLiteral("UKŁAD/7/2026"));
    }

    // Codes outside the lists (a file may hold any number) are shown as no
    // selection and kept unless the user picks an entry.
    void codesOutsideTheListsAreKept_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("code");
        QTest::newRow("ZUS account type 0") << int(KindZus) << 0;
        QTest::newRow("ZUS account type 7") << int(KindZus) << 7;
        QTest::newRow("ZUS identifier type -1") << int(KindZus) << -1;
        QTest::newRow("ZUS payment type 12") << int(KindZus) << 12;
        QTest::newRow("tax identifier type 6") << int(KindTax) << 6;
        QTest::newRow("tax identifier type -1") << int(KindTax) << -1;
    }
    void codesOutsideTheListsAreKept()
    {
        QFETCH(int, kind);
        QFETCH(int, code);
        const QString tag = QString::fromLatin1(QTest::currentDataTag());
        CPrzelewDane order = kind == KindZus ? zusOrder() : taxOrder();
        int CPrzelewDane::*field = tag.contains(u"account") ? &CPrzelewDane::zusAccountType
                                 : tag.contains(u"payment") ? &CPrzelewDane::paymentType
                                                            : &CPrzelewDane::idType;
        order.*field = code;
        order.checkDigits = QStringLiteral("12");
        Dialog d(order);
        QVERIFY(d.ready());
        QComboBox *combo = kind == KindTax                  ? d.tax()->idType()
                         : field == &CPrzelewDane::zusAccountType ? d.zus()->purpose()
                         : field == &CPrzelewDane::paymentType    ? d.zus()->paymentType()
                                                                  : d.zus()->idType();
        QCOMPARE(combo->currentIndex(), -1);
        QVERIFY(d.dlg->onSave());
        QCOMPARE(d.rec.*field, code);
        // A ZUS account type with no account leaves the stored account alone.
        if (field == &CPrzelewDane::zusAccountType)
            QCOMPARE(d.rec.checkDigits, QStringLiteral("12"));
        choose(combo, 1);
        QVERIFY(d.dlg->onSave());
        QVERIFY(d.rec.*field != code);
    }

    void taxIdentifierTypeConverts_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<int>("saved");
        QTest::newRow("NIP shown, REGON saves 0") << 4 << "N - NIP" << 1 << 0;
        QTest::newRow("inny dokument saves 5") << 4 << "N - NIP" << 5 << 5;
        QTest::newRow("REGON shown, NIP saves 4") << 0 << "R - REGON" << 0 << 4;
        QTest::newRow("PESEL shown, Paszport saves 3") << 1 << "P - PESEL" << 4 << 3;
        QTest::newRow("5 shown, kept") << 5 << "3 - inny dokument" << -1 << 5;
    }
    void taxIdentifierTypeConverts()
    {
        QFETCH(int, stored);
        QFETCH(QString, shown);
        QFETCH(int, chosen);
        QFETCH(int, saved);
        CPrzelewDane order = taxOrder();
        order.idType = stored;
        Dialog d(order);
        QVERIFY(d.ready());
        QCOMPARE(d.tax()->idType()->currentText(), shown);
        if (chosen >= 0)
            choose(d.tax()->idType(), chosen);
        QVERIFY(d.dlg->onSave());
        QCOMPARE(d.rec.idType, saved);
    }

    // A save the user did not touch stores the symbol exactly as it was;
    // only an empty one is marked, asking for a symbol.
    void taxFormSymbolIsKeptAsStored_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("position");
        QTest::newRow("PIT selects PIT, not PIT37") << "PIT" << int(PageRules::Tax::formSymbols().indexOf(QStringLiteral("PIT")));
        QTest::newRow("P stays P, not PCC") << "P" << -1;
        QTest::newRow("PIT3 stays PIT3") << "PIT3" << -1;
        QTest::newRow("VA stays VA") << "VA" << -1;
        QTest::newRow("pit37 keeps its case") << "pit37" << -1;
        QTest::newRow("ZZZ stays in the edit part") << "ZZZ" << -1;
        QTest::newRow("empty stays empty, not AKC") << "" << -1;
    }
    void taxFormSymbolIsKeptAsStored()
    {
        QFETCH(QString, stored);
        QFETCH(int, position);
        CPrzelewDane order = taxOrder();
        order.taxFormSymbol = stored;
        Dialog d(order);
        QVERIFY(d.ready());
        QCOMPARE(d.tax()->formSymbol()->currentIndex(), position);
        QCOMPARE(d.tax()->formSymbol()->currentText(), stored);
        QCOMPARE(d.tax()->formSymbolMark()->isShown(), stored.isEmpty());
        QVERIFY(d.dlg->onSave());
        QCOMPARE(d.rec.taxFormSymbol, stored);
        // Choosing an entry clears the mark.
        choose(d.tax()->formSymbol(), 0);
        QVERIFY(!d.tax()->formSymbolMark()->isShown());
    }

    void taxLimits()
    {
        Dialog d(taxOrder());
        QVERIFY(d.ready());
        // The period cannot take an 8th character.
        QLineEdit *period = d.tax()->period();
        period->clear();
        period->setFocus();
        QTest::keyClicks(period, QStringLiteral("26M11AB9"));
        QCOMPARE(period->text(), QStringLiteral("26M11AB"));
        // The symbol can, but saving refuses it with 7.
        QLineEdit *symbol = d.tax()->formSymbol()->lineEdit();
        symbol->clear();
        symbol->setFocus();
        QTest::keyClicks(symbol, QStringLiteral("ABCDEFGH"));
        QCOMPARE(d.tax()->formSymbol()->currentText(), QStringLiteral("ABCDEFGH"));
        const auto box = m_script.answer(QMessageBox::Ok);
        QVERIFY(!d.dlg->onSave());
        QCOMPARE(box->text, QStringLiteral("Proszę wprowadzić najwyżej 7 znaków."));
        QVERIFY(d.dlg->focusWidget() == symbol || d.dlg->focusWidget() == d.tax()->formSymbol());
        QCOMPARE(symbol->selectedText(), QStringLiteral("ABCDEFGH"));
        QCOMPARE(d.rec.taxFormSymbol, QStringLiteral("VAT7"));
        // Steps before it stored, the one after it not.
        QCOMPARE(d.rec.taxPeriod, QStringLiteral("26M11AB"));
        d.tax()->obligation()->setText(QStringLiteral("nowe"));
        symbol->setText(QStringLiteral("ZZZ"));
        QVERIFY(d.dlg->onSave());
        QCOMPARE(d.rec.taxFormSymbol, QStringLiteral("ZZZ"));
        QCOMPARE(d.rec.obligationId, QStringLiteral("nowe"));
    }

    void accountMarksWarnQuietly()
    {
        CPrzelewDane pcc = taxOrder();
        pcc.taxFormSymbol = QStringLiteral("PCC3");   // paid to the office's own account
        Dialog t(pcc);
        QVERIFY(t.ready());
        QVERIFY(!t.tax()->accountMark()->isShown());
        t.tax()->checkDigits()->setText(QStringLiteral("28"));
        QVERIFY(t.tax()->accountMark()->isShown());
        QVERIFY(t.dlg->onSave());   // a warning never blocks

        Dialog z(zusOrder());
        QVERIFY(z.ready());
        QVERIFY(!z.zus()->payerAccountMark()->isShown());
        z.zus()->payerAccount()->setText(QStringLiteral("49109010140000000123456789"));
        QVERIFY(z.zus()->payerAccountMark()->isShown());
        // The amount in words is no account.
        z.zus()->depositButton()->click();
        QVERIFY(!z.zus()->payerAccount()->isEnabled());
        QVERIFY(!z.zus()->payerAccountMark()->isShown());
        z.zus()->transferButton()->click();
        QVERIFY(z.zus()->payerAccountMark()->isShown());
    }

    // Quiet marks: the identifier for its type, the symbol against the
    // account, the period; none of them blocks saving.
    void taxMarksSayWhatDoesNotGoTogether_data()
    {
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<char>("idType");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("account");
        QTest::addColumn<QString>("period");
        QTest::addColumn<QString>("accountSays");  // empty: no mark
        QTest::addColumn<bool>("idMarked");
        QTest::addColumn<bool>("periodMarked");
        const QString office = QStringLiteral("09101013710024142221000000");
        const QString micro = QStringLiteral("88101000712222123456321800");
        QTest::newRow("PIT-37 to the payer's micro-account")
            << "PIT37" << 'N' << "1234563218" << micro << "26R" << "" << false << false;
        QTest::newRow("PIT-37 to an office account")
            << "PIT37" << 'N' << "1234563218" << office << "0" << "mikrorachunek podatkowy płatnika" << false << false;
        QTest::newRow("PCC-3 to a micro-account")
            << "PCC3" << 'N' << "1234563218" << micro << "26J3102" << "rachunek urzędu skarbowego" << false << false;
        QTest::newRow("PCC-3 to an office account")
            << "PCC3" << 'P' << "02070803628" << office << "26D0204" << "" << false << false;
        QTest::newRow("PESEL failing its check, month 13")
            << "PCC3" << 'P' << "02070803627" << office << "26M13" << "" << true << true;
        QTest::newRow("REGON, decade 4") << "SD3" << 'R' << "123456785" << office << "26D0413" << "" << false << true;
    }
    void taxMarksSayWhatDoesNotGoTogether()
    {
        QFETCH(QString, symbol);
        QFETCH(char, idType);
        QFETCH(QString, id);
        QFETCH(QString, account);
        QFETCH(QString, period);
        QFETCH(QString, accountSays);
        QFETCH(bool, idMarked);
        QFETCH(bool, periodMarked);
        CPrzelewDane order = taxOrder();
        order.taxFormSymbol = symbol;
        order.idType = CPrzelewDane::IdTypeFromLetter(QChar(idType));
        order.payerId = id;
        order.checkDigits = account.left(2);
        order.bankNumber = account.mid(2, 8);
        order.accountRest = account.mid(10);
        order.taxPeriod = period;
        Dialog d(order);
        QVERIFY(d.ready());
        CTaxDetailsDlg *tax = d.tax();
        QCOMPARE(tax->accountMark()->warning().contains(accountSays) && tax->accountMark()->isShown(),
                 !accountSays.isEmpty());
        QCOMPARE(tax->payerIdMark()->isShown(), idMarked);
        QCOMPARE(tax->periodMark()->isShown(), periodMarked);
        QVERIFY(d.dlg->onSave());
        QCOMPARE(d.rec.accountRest, account.mid(10));
    }

    // PIT-37 and a NIP: the button fills the payer's micro-account, and the
    // mark about the office account goes.
    void microAccountButtonFillsTheAccount()
    {
        CPrzelewDane order = taxOrder();
        order.taxFormSymbol = QStringLiteral("PIT37");
        order.payerId = QStringLiteral("1234563218");
        Dialog d(order);
        QVERIFY(d.ready());
        CTaxDetailsDlg *tax = d.tax();
        QVERIFY(tax->accountMark()->isShown());
        QVERIFY(tax->microAccountButton()->isEnabled());
        QVERIFY(tax->microAccountButton()->toolTip().contains(QStringLiteral("2 (typ: NIP), NIP 1234563218")));
        tax->microAccountButton()->click();
        QCOMPARE(tax->checkDigits()->text(), QStringLiteral("88"));
        QCOMPARE(tax->bankNumber()->text(), QStringLiteral("10100071"));
        QCOMPARE(tax->accountRest()->text(), QStringLiteral("2222123456321800"));
        QVERIFY(!tax->accountMark()->isShown());
        QCOMPARE(tax->accountRest()->toolTip(), QStringLiteral("Mikrorachunek podatkowy NIP 1234563218"));
        QVERIFY(d.dlg->hasUnsavedEdits());
        QVERIFY(d.dlg->onSave());
        QCOMPARE(d.rec.AccountNumberText(), QStringLiteral("88-10100071-2222123456321800"));
        // A symbol paid to the office turns the button off.
        tax->formSymbol()->setEditText(QStringLiteral("PCC3"));
        QVERIFY(!tax->microAccountButton()->isEnabled());
    }

    // The register's contribution account of the payer is offered; the order
    // becomes an ordinary transfer, replacing the ZUS order only when saved.
    void zusOrderBecomesAnOrdinaryTransferToTheContributionAccount()
    {
        addParties({SeedParty("ZUS składki", 0, false, "60000002", "0260001234563218", "33"),
                    SeedParty("ZUS innego płatnika", 0, false, "60000002", "0260005260250995", "50")});
        CPrzelewDane order = zusOrder();
        order.payerId = QStringLiteral("1234563218");
        Dialog d(order);
        d.settings.ordinary.fitInBox = 0;   // the payer's names are longer than the boxes
        QVERIFY(d.ready());
        QVERIFY(d.zus()->accountsChangedLine()->text().contains(QStringLiteral("1 stycznia 2018")));
        QSignalSpy saved(d.dlg.get(), &CContainerDlg::saveRequested);
        int offered = -1;
        QString typedProblem;
        m_script.onDialog<CZusTransferDlg>([&](CZusTransferDlg *ask) {
            offered = ask->registered()->count();
            ask->accountEdit()->setText(QStringLiteral("50600000020260005260250995"));
            typedProblem = ask->problem()->text();
            const bool refused = !ask->replaceButton()->isEnabled();
            ask->registered()->setCurrentIndex(0);
            Q_EMIT ask->registered()->activated(0);
            if (refused && ask->replaceButton()->isEnabled())
                ask->replaceButton()->click();
        });
        d.zus()->contributionTransferButton()->click();
        QCOMPARE(offered, 1);
        QVERIFY2(typedProblem.contains(QStringLiteral("NIP 5260250995")), qPrintable(typedProblem));
        QCOMPARE(d.dlg->currentKindNumber(), 1);
        QVERIFY(d.dlg->hasUnsavedEdits());
        QCOMPARE(saved.count(), 0);
        QCOMPARE(d.rec.kind, int(KindOrdinary));
        QCOMPARE(d.rec.AccountNumberText(), QStringLiteral("33-60000002-0260001234563218"));
        QCOMPARE(d.rec.title1, QStringLiteral("Składki ZUS za 11/2026"));
        QCOMPARE(d.rec.amount.toTwoDecimalText(), QStringLiteral("1543,21"));
        QCOMPARE(d.rec.sender1, zusOrder().sender1);
        QCOMPARE(d.dlg->ordinaryPage()->accountRest()->toolTip(),
                 QStringLiteral("Rachunek składkowy ZUS płatnika NIP 1234563218"));
        QVERIFY(d.dlg->onSave());
        QCOMPARE(saved.count(), 1);
        QCOMPARE(d.rec.kind, int(KindOrdinary));
        QCOMPARE(d.rec.title1, QStringLiteral("Składki ZUS za 11/2026"));
    }

    void picksFillTheirFields_data()
    {
        QTest::addColumn<QString>("pick");
        QTest::addColumn<int>("listed");
        QTest::newRow("ZUS payer (senders)") << "zus payer" << 1;
        QTest::newRow("tax office (offices only)") << "tax office" << 1;
        QTest::newRow("tax sender (senders)") << "tax sender" << 1;
    }
    void picksFillTheirFields()
    {
        QFETCH(QString, pick);
        QFETCH(int, listed);
        addParties({SeedParty("Urząd Skarbowy Łódź-Widzew", 2, false, "10101371", "0024142221000000", "09"),
                    SeedParty("Kontrahent Jeden", 0), SeedParty("Zakład Usług Różnych „Żuraw”", 3, true, "10901014",
                                                        "0000000123456789", "48")});
        const bool zus = pick.startsWith(u"zus");
        Dialog d(zus ? zusOrder() : taxOrder());
        QVERIFY(d.ready());
        int rows = -1;
        m_script.onDialog<CListaKontrDlg>([&rows](CListaKontrDlg *list) {
            rows = list->list()->model()->rowCount();
            list->list()->selectRow(0);
            list->onOk();
        });
        if (zus) {
            d.zus()->payer1()->setFocus();
            QTest::keyClick(d.zus()->payer1(), Qt::Key_F2);
        } else if (pick == QLatin1String("tax office")) {
            d.tax()->officePickButton()->click();
        } else {
            d.tax()->sender1()->setFocus();
            QTest::keyClick(d.tax()->sender1(), Qt::Key_F2);
        }
        QCOMPARE(rows, listed);
        if (pick == QLatin1String("tax office")) {
            QCOMPARE(d.tax()->office1()->text(), QStringLiteral("Urząd Skarbowy Łódź-Widzew"));
            QCOMPARE(d.tax()->checkDigits()->text(), QStringLiteral("09"));
            QCOMPARE(d.tax()->bankNumber()->text(), QStringLiteral("10101371"));
            QCOMPARE(d.tax()->accountRest()->text(), QStringLiteral("0024142221000000"));
        } else {
            QLineEdit *name = zus ? d.zus()->payer1() : d.tax()->sender1();
            QLineEdit *account = zus ? d.zus()->payerAccount() : d.tax()->senderAccount();
            QCOMPARE(name->text(), QStringLiteral("Zakład Usług Różnych „Żuraw”"));
            QCOMPARE(account->text(), QStringLiteral("48-10901014-0000000123456789"));
        }
        QVERIFY(d.dlg->hasUnsavedEdits());
    }

    void f2OnlyInThePayerNameOfTheZusPage()
    {
        Dialog d(zusOrder());
        QVERIFY(d.ready());
        // No list is scripted: one opening fails the test.
        for (QLineEdit *edit : {d.zus()->payer2(), d.zus()->nip(), d.zus()->decision()}) {
            edit->setFocus();
            QTest::keyClick(edit, Qt::Key_F2);
        }
    }

    void depositOnTheZusPageUsesThePayerAccount()
    {
        Dialog d(zusOrder());
        QVERIFY(d.ready());
        d.zus()->amount()->setAmountText(QStringLiteral("123,45"));
        d.zus()->depositButton()->click();
        QCOMPARE(d.zus()->payerAccount()->text(), QStringLiteral("jed*dwa*trz* 45/100"));
        QVERIFY(d.dlg->onSave());
        QCOMPARE(d.rec.isTransfer, 0);
        QCOMPARE(d.rec.senderAccount, QStringLiteral("jed*dwa*trz* 45/100"));
        d.zus()->transferButton()->click();
        QCOMPARE(d.zus()->payerAccount()->text(), zusOrder().senderAccount);
        // Chosen again while it is, "Przelew" keeps the account shown.
        d.zus()->payerAccount()->setText(QStringLiteral("11101010230000261395100000"));
        d.zus()->transferButton()->click();
        QCOMPARE(d.zus()->payerAccount()->text(), QStringLiteral("11101010230000261395100000"));
    }

    // Typed key by key, the symbol stays as typed, also through Enter.
    void typedFormSymbolStaysAsTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("P, not PCC") << "P";
        QTest::newRow("pit, not PIT") << "pit";
        QTest::newRow("PIT3, not PIT37") << "PIT3";
        QTest::newRow("VAT") << "VAT";
    }
    void typedFormSymbolStaysAsTyped()
    {
        QFETCH(QString, typed);
        Dialog d(taxOrder());
        QVERIFY(d.ready());
        QLineEdit *edit = d.tax()->formSymbol()->lineEdit();
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, typed);
        QCOMPARE(d.tax()->formSymbol()->currentText(), typed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        if (d.dlg->isVisible())
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(!d.dlg->isVisible());
        QCOMPARE(d.rec.taxFormSymbol, typed);
    }

    void pagesFitTheirTexts_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("points");
        QTest::newRow("ZUS 11 pt") << int(KindZus) << 11;
        QTest::newRow("ZUS 16 pt") << int(KindZus) << 16;
        QTest::newRow("tax 11 pt") << int(KindTax) << 11;
        QTest::newRow("tax 16 pt") << int(KindTax) << 16;
    }
    void pagesFitTheirTexts()
    {
        QFETCH(int, kind);
        QFETCH(int, points);
        const QFont before = QApplication::font();
        QFont font = before;
        font.setPointSize(points);
        QApplication::setFont(font);
        {
            CPrzelewDane order = kind == KindZus ? zusOrder() : taxOrder();
            order.idType = kind == KindZus ? 2 : 4;   // the longest ZUS caption
            Dialog d(order);
            QVERIFY(d.ready());
            d.dlg->adjustSize();
            QTest::qWait(20);
            QStringList cut = cutTexts(*d.dlg);
            cut.removeIf([](const QString &t) { return t.startsWith(QStringLiteral("Kalkulator")); });
            QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u'\n')));
            for (QLineEdit *e : d.dlg->findChildren<QLineEdit *>())
                if (e->isVisibleTo(d.dlg.get()))
                    QVERIFY2(e->width() >= e->minimumSizeHint().width(), qPrintable(e->objectName()));
            for (QComboBox *c : d.dlg->findChildren<QComboBox *>())
                if (c->isVisibleTo(d.dlg.get()) && !c->isEditable())
                    QVERIFY2(c->width() >= c->minimumSizeHint().width(), qPrintable(c->objectName()));
            saveShot(*d.dlg, QStringLiteral("details-%1-%2pt").arg(kind == KindZus ? "zus" : "tax").arg(points));
        }
        QApplication::setFont(before);
    }
};

QTEST_MAIN(TestZusTaxPages)
#include "test_zus_tax_pages.moc"
