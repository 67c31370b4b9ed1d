// The ZUS and tax pages of the details dialog, offscreen: the purpose and
// its account, the title written at once, the payment-type rule, the
// declaration split, the identifier caption and types, the tax form symbol,
// limits and codes from a file outside the lists.

#include "DetailsDialog.h"
#include "DialogScript.h"
#include "WidgetFit.h"

#include "controls/WarningMark.h"
#include "controls/WexCalcEdit.h"
#include "edit/PageRules.h"
#include "edit/ZusTransferDlg.h"
#include "register/ListaKontrDlg.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableView>
#include <QToolButton>

class TestZusTaxPages : public QObject
{
    Q_OBJECT

    static void choose(QComboBox *combo, int position)
    {
        combo->setCurrentIndex(position);
        Q_EMIT combo->activated(position);
    }

    RegisterTestEnv m_env;
    DialogScript m_script;

private Q_SLOTS:
    void init() { m_env.reset(); }
    void cleanup() { QVERIFY(m_script.finishedAndCleared()); }

    void pagesShowTheirLists()
    {
        DetailsDialog z(zusOrder());
        const QStringList payments = itemTexts(z.zus()->paymentType());
        QCOMPARE(itemTexts(z.zus()->purpose()), (QStringList {"Składki na ubezpieczenie społeczne",
                                                              "Składki na ubezpieczenie zdrowotne",
                                                              "Składki na Fundusz Pracy i FGŚP"}));
        QCOMPARE(payments.size(), 8);
        QCOMPARE(payments[4], QStringLiteral("D - dodatkowa opłata "));
        QCOMPARE(payments[7], QStringLiteral("B - dodatkowa opłata za nieprzekazanie do OFE"));
        QCOMPARE(itemTexts(z.zus()->idType()), (QStringList{"Regon", "Pesel", "Dowód osobisty", "Paszport", "NUSP"}));
        QVERIFY(z.zus()->currency()->isReadOnly());

        DetailsDialog t(taxOrder());
        QCOMPARE(itemTexts(t.tax()->formSymbol()), PageRules::Tax::formSymbols());
        QVERIFY(t.tax()->formSymbol()->isEditable());
        QVERIFY(t.tax()->currency()->isReadOnly());
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
        DetailsDialog d(order);
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
        DetailsDialog d(zusOrder());
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
        DetailsDialog d(order);
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

    // The lists show a stored code as its entry, or nothing for a code
    // outside the list (a file may hold any number); saved untouched the code
    // stays as stored, and a chosen entry saves its own code. The ZUS
    // identifier's caption follows its type.
    void listsLoadAndSaveCodes_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("shown");     // "": no entry selected
        QTest::addColumn<int>("chosen");        // a position, -1 none
        QTest::addColumn<int>("saved");         // after choosing
        QTest::addColumn<QString>("caption");   // "": not checked
        const int zus = KindZus, tax = KindTax;
        QTest::newRow("ZUS account type 0") << zus << "purpose" << 0 << "" << 1 << 2 << "";
        QTest::newRow("ZUS account type 7") << zus << "purpose" << 7 << "" << 1 << 2 << "";
        QTest::newRow("ZUS payment type 12") << zus << "paymentType" << 12 << "" << 1 << 1 << "";
        QTest::newRow("ZUS identifier type -1") << zus << "idType" << -1 << "" << 1 << 1 << "Pesel:";
        QTest::newRow("ZUS Pesel loaded") << zus << "idType" << 1 << "Pesel" << -1 << 1 << "Pesel:";
        QTest::newRow("ZUS Paszport chosen") << zus << "idType" << 1 << "Pesel" << 3 << 3 << "Paszport:";
        QTest::newRow("ZUS NUSP chosen") << zus << "idType" << 0 << "Regon" << 4 << 4 << "NUSP:";
        QTest::newRow("ZUS identifier code 9") << zus << "idType" << 9 << "" << -1 << 9 << "Id. uzupeł. płatnika:";
        QTest::newRow("tax identifier type 6") << tax << "idType" << 6 << "" << 1 << 0 << "";
        QTest::newRow("tax identifier type -1") << tax << "idType" << -1 << "" << 1 << 0 << "";
        QTest::newRow("tax NIP shown, REGON saves 0") << tax << "idType" << 4 << "N - NIP" << 1 << 0 << "";
        QTest::newRow("tax inny dokument saves 5") << tax << "idType" << 4 << "N - NIP" << 5 << 5 << "";
        QTest::newRow("tax REGON shown, NIP saves 4") << tax << "idType" << 0 << "R - REGON" << 0 << 4 << "";
        QTest::newRow("tax PESEL shown, Paszport saves 3") << tax << "idType" << 1 << "P - PESEL" << 4 << 3 << "";
        QTest::newRow("tax 5 shown, kept") << tax << "idType" << 5 << "3 - inny dokument" << -1 << 5 << "";
    }
    void listsLoadAndSaveCodes()
    {
        QFETCH(int, kind);
        QFETCH(QString, list);
        QFETCH(int, stored);
        QFETCH(QString, shown);
        QFETCH(int, chosen);
        QFETCH(int, saved);
        QFETCH(QString, caption);
        CPrzelewDane order = orderOfKind(kind);
        int CPrzelewDane::*field = list == u"purpose"       ? &CPrzelewDane::zusAccountType
                                 : list == u"paymentType" ? &CPrzelewDane::paymentType
                                                          : &CPrzelewDane::idType;
        order.*field = stored;
        order.checkDigits = QStringLiteral("12");
        DetailsDialog d(order);
        QVERIFY(d.ready());
        auto *combo = d.page()->findChild<QComboBox *>(list);
        QVERIFY(combo);
        QCOMPARE(combo->currentText(), shown);
        QCOMPARE(combo->currentIndex() < 0, shown.isEmpty());
        QVERIFY(d.dlg->onSave());
        QCOMPARE(d.rec.*field, stored);
        // A ZUS account type with no account leaves the stored account alone.
        if (field == &CPrzelewDane::zusAccountType)
            QCOMPARE(d.rec.checkDigits, QStringLiteral("12"));
        if (chosen >= 0) {
            choose(combo, chosen);
            QVERIFY(d.dlg->onSave());
            QCOMPARE(d.rec.*field, saved);
        }
        if (!caption.isEmpty())
            QCOMPARE(d.zus()->idCaption()->text(), caption);
    }

    void decisionNumberIsTitleLineTwo()
    {
        CPrzelewDane order = zusOrder();
        order.title2 = QStringLiteral("DEC/123/2026");
        DetailsDialog d(order);
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

    // The symbol is stored exactly as it was loaded (a save the user did not
    // touch) or typed key by key, also through Enter; only an empty one is
    // marked, asking for a symbol, and choosing an entry clears the mark.
    void taxFormSymbolIsKeptAsStored_data()
    {
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<bool>("typed");
        QTest::addColumn<int>("position");   // -2: not checked
        const int pit = int(PageRules::Tax::formSymbols().indexOf(QStringLiteral("PIT")));
        QTest::newRow("PIT selects PIT, not PIT37") << "PIT" << false << pit;
        QTest::newRow("P stays P, not PCC") << "P" << false << -1;
        QTest::newRow("PIT3 stays PIT3") << "PIT3" << false << -1;
        QTest::newRow("VA stays VA") << "VA" << false << -1;
        QTest::newRow("pit37 keeps its case") << "pit37" << false << -1;
        QTest::newRow("ZZZ stays in the edit part") << "ZZZ" << false << -1;
        QTest::newRow("empty stays empty, not AKC") << "" << false << -1;
        QTest::newRow("typed P, not PCC") << "P" << true << -2;
        QTest::newRow("typed pit, not PIT") << "pit" << true << -2;
        QTest::newRow("typed PIT3, not PIT37") << "PIT3" << true << -2;
        QTest::newRow("typed VAT") << "VAT" << true << -2;
    }
    void taxFormSymbolIsKeptAsStored()
    {
        QFETCH(QString, symbol);
        QFETCH(bool, typed);
        QFETCH(int, position);
        CPrzelewDane order = taxOrder();
        if (!typed)
            order.taxFormSymbol = symbol;
        DetailsDialog d(order);
        QVERIFY(d.ready());
        QComboBox *combo = d.tax()->formSymbol();
        if (typed) {
            combo->lineEdit()->setFocus();
            combo->lineEdit()->selectAll();
            QTest::keyClicks(combo->lineEdit(), symbol);
        }
        if (position > -2)
            QCOMPARE(combo->currentIndex(), position);
        QCOMPARE(combo->currentText(), symbol);
        QCOMPARE(d.tax()->formSymbolMark()->isShown(), symbol.isEmpty());
        if (typed) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            if (d.dlg->isVisible())
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QTRY_VERIFY(!d.dlg->isVisible());
        } else {
            QVERIFY(d.dlg->onSave());
        }
        QCOMPARE(d.rec.taxFormSymbol, symbol);
        choose(combo, 0);
        QVERIFY(!d.tax()->formSymbolMark()->isShown());
    }

    void taxLimits()
    {
        DetailsDialog d(taxOrder());
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
        DetailsDialog t(pcc);
        QVERIFY(t.ready());
        QVERIFY(!t.tax()->accountMark()->isShown());
        t.tax()->checkDigits()->setText(QStringLiteral("28"));
        QVERIFY(t.tax()->accountMark()->isShown());
        QVERIFY(t.dlg->onSave());   // a warning never blocks
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
        DetailsDialog d(order);
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
        DetailsDialog d(order);
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
        DetailsDialog d(order);   // without boxes: the payer's names are longer than they
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
};

QTEST_MAIN(TestZusTaxPages)
#include "test_zus_tax_pages.moc"
