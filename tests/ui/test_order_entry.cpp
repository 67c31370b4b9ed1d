// Orders entered from the main window through the details dialog: adding
// several in a row, editing one in place, a sort or a delete while it is
// edited, the default sender, printing the dialog's order, and the question
// about edits not saved yet.

#include "DialogScript.h"
#include "FileBytes.h"
#include "print/FormPages.h"
#include "RegisterTestEnv.h"
#include "UiFixture.h"

#include "app/CommandTable.h"
#include "base/AppIdentity.h"
#include "controls/WexCalcEdit.h"
#include "edit/ContainerDlg.h"
#include "edit/DetailsDlg.h"
#include "edit/TaxDetailsDlg.h"
#include "edit/ZUSDetailsDlg.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

namespace {

// A field of an order by its name, as text, for comparing field by field.
QString fieldText(const CPrzelewDane &r, const QString &name)
{
    static const QMap<QString, QString CPrzelewDane::*> texts {
        {"recipient1", &CPrzelewDane::recipient1}, {"recipient2", &CPrzelewDane::recipient2},
        {"checkDigits", &CPrzelewDane::checkDigits}, {"bankNumber", &CPrzelewDane::bankNumber},
        {"accountRest", &CPrzelewDane::accountRest}, {"currency", &CPrzelewDane::currency},
        {"senderAccount", &CPrzelewDane::senderAccount}, {"sender1", &CPrzelewDane::sender1},
        {"sender2", &CPrzelewDane::sender2}, {"title1", &CPrzelewDane::title1}, {"title2", &CPrzelewDane::title2},
        {"payerId", &CPrzelewDane::payerId}, {"supplementaryId", &CPrzelewDane::supplementaryId},
        {"declaration", &CPrzelewDane::declaration}, {"declarationNo", &CPrzelewDane::declarationNo},
        {"symbol", &CPrzelewDane::symbol}, {"taxPeriod", &CPrzelewDane::taxPeriod},
        {"taxFormSymbol", &CPrzelewDane::taxFormSymbol}, {"obligationId", &CPrzelewDane::obligationId}};
    static const QMap<QString, int CPrzelewDane::*> numbers {
        {"kind", &CPrzelewDane::kind}, {"isTransfer", &CPrzelewDane::isTransfer},
        {"idType", &CPrzelewDane::idType}, {"paymentType", &CPrzelewDane::paymentType},
        {"zusAccountType", &CPrzelewDane::zusAccountType}};
    if (texts.contains(name))
        return r.*texts.value(name);
    if (numbers.contains(name))
        return QString::number(r.*numbers.value(name));
    if (name == u"amount")
        return r.amount.toTwoDecimalText();
    if (name == u"date")
        return r.date.toShortText();
    return QStringLiteral("(no field %1)").arg(name);
}

// Types `keys` where the focus is, key by key; "↓" is the Down arrow.
void typeKeys(const QString &keys)
{
    for (QChar c : keys) {
        if (c == u'↓')
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        else
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
    }
}

} // namespace

class TestOrderEntry : public QObject
{
    Q_OBJECT

    RegisterTestEnv m_env;
    DialogScript m_script;
    QTemporaryDir m_files;
    std::unique_ptr<CKantomixApp> m_app;

    CMainFrame *start(int orders) { return startWithOrders(m_app, orders); }
    static CContainerDlg *details(CMainFrame *f) { return f->editor()->detailsDialog(); }
    static CDetailsDlg *page(CMainFrame *f) { return details(f)->ordinaryPage(); }

private Q_SLOTS:
    void initTestCase()
    {
        setUpApplicationIdentity();
        // The application's register, in the tests' own data folder.
        testRegister() = RegisterLocation {RegisterDb::defaultPath()};
    }
    void init()
    {
        QFile::remove(testRegister().path);
        writeStartSettings(0);
    }
    void cleanup()
    {
        const bool allUsed = m_script.finished();
        m_script.clear();
        m_app.reset();
        QVERIFY(allUsed);
    }

    // Orders added one after another: the dialog stays open and each next one
    // starts afresh in the first field, a transfer from the default sender.
    void addingInARowStartsEachOrderAfresh()
    {
        addParties({SeedParty("Inny nadawca", 3, false), SeedParty("Wytwórnia Łożysk „Bełchatów”", 3, true, "10901014",
                                                                  "0000000123456789", "48"),
                    SeedParty("Odbiorca domyślny?", 0, true)});
        CMainFrame *frame = start(1);
        QVERIFY(frame);
        frame->action(ID_ADD_ORDINARY)->trigger();
        QVERIFY(details(frame)->isVisible());
        QCOMPARE(details(frame)->windowTitle(), QStringLiteral("Szczegóły przelewu"));
        for (const bool deposit : {false, true}) {
            QCOMPARE(page(frame)->sender1()->text(), QStringLiteral("Wytwórnia Łożysk „Bełchatów”"));
            QCOMPARE(page(frame)->senderAccount()->text(), QStringLiteral("48-10901014-0000000123456789"));
            page(frame)->recipient1()->setText(deposit ? QStringLiteral("Wpłata") : QStringLiteral("Przelew"));
            page(frame)->amount()->setAmountText(QStringLiteral("15"));
            page(frame)->sender1()->setText(QStringLiteral("Ktoś inny"));
            // A deposit saved while adding: the next order starts as a transfer again.
            if (deposit)
                page(frame)->depositButton()->click();
            page(frame)->title1()->setFocus();
            details(frame)->saveButton()->click();
            QVERIFY(details(frame)->isVisible());
            QCOMPARE(details(frame)->focusWidget(), page(frame)->recipient1());
            QVERIFY(page(frame)->recipient1()->text().isEmpty());
            QVERIFY(page(frame)->transferButton()->isChecked());
            QVERIFY(page(frame)->senderAccount()->isEnabled());
        }
        QCOMPARE(frame->view()->model()->rowCount(), 3);
        QCOMPARE(recipients(frame->document()), (QStringList{"Odbiorca 0", "Przelew", "Wpłata"}));
        QCOMPARE(frame->document().at(1).sender1, QStringLiteral("Ktoś inny"));
        QCOMPARE(frame->document().at(1).isTransfer, 1);
        QCOMPARE(frame->document().at(2).isTransfer, 0);
        QVERIFY(frame->document().isModified());
        QVERIFY(frame->isWindowModified());
    }

    void everyListChangeIsUndone_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("undoText");   // the menu's, without the key
        QTest::newRow("delete") << "delete" << "&Cofnij usunięcie 2 przelewów";
        QTest::newRow("edit saved over an order") << "edit" << "&Cofnij zmianę przelewu";
        QTest::newRow("sort") << "sort" << "&Cofnij sortowanie według kolumny „Kwota”";
        QTest::newRow("ZUS import") << "import" << "&Cofnij import 2 przelewów ZUS";
        QTest::newRow("add") << "add" << "&Cofnij dodanie przelewu";
    }
    void everyListChangeIsUndone()
    {
        QFETCH(QString, change);
        QFETCH(QString, undoText);
        CMainFrame *frame = start(4);
        QVERIFY(frame);
        CKantomixView *view = frame->view();
        QAction *undo = frame->action(ID_EDIT_UNDO), *redo = frame->action(ID_EDIT_REDO);
        QVERIFY(frame->DoSave(m_files.filePath(QStringLiteral("undo.zmt"))));
        auto orders = [frame] {
            QStringList out;
            for (int i = 0; i < frame->document().count(); ++i)
                out << frame->document().at(i).recipient1 + u'|' + frame->document().at(i).title1;
            return out;
        };
        const QStringList before = orders();
        QVERIFY(!undo->isEnabled() && !frame->isWindowModified());

        if (change == QLatin1String("delete")) {
            view->selectRow(1);
            selectRows(view, {3});
            const auto seen = m_script.answer(QMessageBox::Yes);
            frame->action(ID_DELETE_ORDERS)->trigger();
            QCOMPARE(seen->text, QStringLiteral("Czy na pewno usunąć 2 zaznaczone przelewy?"));
        } else if (change == QLatin1String("edit")) {
            view->selectRow(2);
            frame->action(ID_EDIT_ORDER)->trigger();
            page(frame)->title1()->setText(QStringLiteral("Poprawiona"));
            details(frame)->saveButton()->click();
        } else if (change == QLatin1String("sort")) {
            frame->editor()->sortByColumnClick(4);     // by amount: the order the list has already
            QVERIFY(!undo->isEnabled() && !frame->isWindowModified());   // nothing moved, nothing to take back
            frame->editor()->sortByColumnClick(4);     // descending
            QCOMPARE(view->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
        } else if (change == QLatin1String("import")) {
            const QString path = m_files.filePath(QStringLiteral("platnik.txt"));
            QVERIFY(writeFile(path, zusExportLine + zusExportLine));
            m_script.answer(QMessageBox::Ok);
            frame->ImportZusFile(path);
        } else {
            frame->action(ID_ADD_ORDINARY)->trigger();
            page(frame)->recipient1()->setText(QStringLiteral("Nowy"));
            page(frame)->amount()->setAmountText(QStringLiteral("15"));
            details(frame)->saveButton()->click();
        }
        const QStringList after = orders();
        QVERIFY(after != before);
        QVERIFY(frame->isWindowModified());
        QCOMPARE(undo->text(), undoText);

        undo->trigger();
        QCOMPARE(orders(), before);
        QCOMPARE(view->model()->rowCount(), before.size());
        // Back at the state saved: no longer modified.
        QVERIFY(!frame->document().isModified() && !frame->isWindowModified());
        QCOMPARE(redo->text(), QString(undoText).replace(QStringLiteral("&Cofnij"), QStringLiteral("Po&nów")));
        if (change == QLatin1String("sort"))
            QCOMPARE(view->horizontalHeader()->sortIndicatorOrder(), Qt::AscendingOrder);

        redo->trigger();
        QCOMPARE(orders(), after);
        QVERIFY(frame->document().isModified() && frame->isWindowModified());
        // Saving makes this the clean state: undoing from it is a change again.
        QVERIFY(frame->DoSave(m_files.filePath(QStringLiteral("undo.zmt"))));
        QVERIFY(!frame->isWindowModified());
        undo->trigger();
        QVERIFY(frame->isWindowModified());
    }

    // An order opened from the list and saved replaces that order, wherever
    // a sort or a delete has moved it meanwhile; deleted, it comes back.
    void editingSavesOverItsOwnOrder_data()
    {
        QTest::addColumn<QString>("how");         // the dialog opened by
        QTest::addColumn<QString>("meanwhile");   // the list changed while the dialog is open
        QTest::addColumn<QStringList>("orders");  // recipient: title, in the list's order after the save
        const QStringList inPlace {"Odbiorca 0: Faktura 0", "Odbiorca 1: Poprawiona", "Odbiorca 2: Faktura 2",
                                   "Odbiorca 3: Faktura 3"};
        QTest::newRow("Alt+Enter") << "command" << "" << inPlace;
        QTest::newRow("double click") << "double click" << "" << inPlace;
        QTest::newRow("another row chosen while open") << "follow" << "" << inPlace;
        QTest::newRow("sorted by amount, descending")
            << "command" << "sort" << QStringList{"Odbiorca 3: Faktura 3", "Odbiorca 2: Faktura 2",
                                                  "Odbiorca 1: Poprawiona", "Odbiorca 0: Faktura 0"};
        QTest::newRow("a row above deleted")
            << "command" << "delete above" << QStringList{"Odbiorca 1: Poprawiona", "Odbiorca 2: Faktura 2",
                                                          "Odbiorca 3: Faktura 3"};
        QTest::newRow("the edited order deleted: added back")
            << "command" << "delete edited" << QStringList{"Odbiorca 0: Faktura 0", "Odbiorca 2: Faktura 2",
                                                           "Odbiorca 3: Faktura 3", "Odbiorca 1: Poprawiona"};
    }
    void editingSavesOverItsOwnOrder()
    {
        QFETCH(QString, how);
        QFETCH(QString, meanwhile);
        QFETCH(QStringList, orders);
        CMainFrame *frame = start(4);
        QVERIFY(frame);
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        CKantomixView *view = frame->view();
        view->selectRow(1);
        QVERIFY(frame->action(ID_EDIT_ORDER)->isEnabled());
        if (how == QLatin1String("command")) {
            frame->action(ID_EDIT_ORDER)->trigger();
        } else if (how == QLatin1String("follow")) {
            // The dialog shows the order chosen in the list while it is open.
            view->selectRow(0);
            frame->action(ID_EDIT_ORDER)->trigger();
            QCOMPARE(page(frame)->recipient1()->text(), QStringLiteral("Odbiorca 0"));
            view->selectRow(1);
        } else {
            const QRect cell = view->visualRect(view->model()->index(1, 0));
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
        }
        QVERIFY(details(frame)->isVisible());
        QCOMPARE(page(frame)->recipient1()->text(), QStringLiteral("Odbiorca 1"));
        page(frame)->title1()->setText(QStringLiteral("Poprawiona"));

        if (meanwhile == QLatin1String("sort")) {
            view->model()->sort(4, Qt::DescendingOrder);
        } else if (meanwhile == QLatin1String("delete above")) {
            // Straight on the document: the list and the dialog follow what it announces.
            frame->document().Delete(0);
        } else if (meanwhile == QLatin1String("delete edited")) {
            // The list's delete command on the edited order's row, the dialog still open.
            m_script.answer(QMessageBox::Yes);
            frame->editor()->OnDeleteOrders();
            QCOMPARE(frame->document().count(), 3);
        }
        QVERIFY(details(frame)->isVisible());
        details(frame)->saveButton()->click();
        QVERIFY(!details(frame)->isVisible());

        // The document and the list both.
        QStringList stored, shown;
        for (int i = 0; i < frame->document().count(); ++i)
            stored << frame->document().at(i).recipient1 + QStringLiteral(": ") + frame->document().at(i).title1;
        for (int i = 0; i < view->model()->rowCount(); ++i)
            shown << view->model()->index(i, 0).data().toString() + QStringLiteral(": ")
                    + view->model()->index(i, 1).data().toString();
        QCOMPARE(stored, orders);
        QCOMPARE(shown, orders);
        QVERIFY(frame->document().isModified());
    }

    void printFromTheDialogPrintsItsOrderOnOnePage()
    {
        CMainFrame *frame = start(3);
        QVERIFY(frame);
        const QString pdf = m_files.filePath(QStringLiteral("dialog.pdf"));
        // Free text, so the name prints as one word and not a letter per box.
        m_app->settings().ordinary.fitInBox = 0;
        // "PDF" chosen in the options is the built-in writer, also where a
        // print server has a queue of that name (cups-pdf): the dialog opens
        // on writing the file, not on the queue.
        m_app->settings().general.device = QStringLiteral("PDF");
        m_app->ApplyPrinterSelection();
        QPrinter &printer = m_app->printer();
        QCOMPARE(printer.outputFormat(), QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        frame->action(ID_ADD_ORDINARY)->trigger();
        page(frame)->recipient1()->setText(QStringLiteral("DRUKOWANY"));
        page(frame)->amount()->setAmountText(QStringLiteral("99"));
        bool rangeOffered = true;
        bool writerShown = false;
        m_script.onDialog<QPrintDialog>([&](QPrintDialog *d) {
            rangeOffered = d->testOption(QAbstractPrintDialog::PrintPageRange);
            writerShown = d->printer()->outputFormat() == QPrinter::PdfFormat && d->printer()->outputFileName() == pdf;
            d->accept();
        });
        details(frame)->printButton()->click();
        QVERIFY(!rangeOffered);
        QVERIFY(writerShown);
        const PdfText text = PdfText::read(pdf);
        QVERIFY(text.ok);
        QCOMPARE(text.pages.size(), 1);
        QVERIFY(!text.find(QStringLiteral("DRUKOWANY")).isEmpty());
        QVERIFY(text.find(QStringLiteral("Odbiorca")).isEmpty());
        // Printing saves nothing.
        QCOMPARE(frame->document().count(), 3);
        QVERIFY(details(frame)->isVisible());
    }

    // Edits the dialog holds are asked about before a new file or closing:
    // Cancel keeps everything, No drops them, Yes saves the order first.
    void unsavedEditsAreAskedAbout_data()
    {
        QTest::addColumn<bool>("closing");      // else a new file
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("left");  // the document's orders after
        QTest::newRow("new file, cancel keeps everything")
            << false << int(QMessageBox::Cancel) << QStringList {"Odbiorca 0", "Odbiorca 1"};
        QTest::newRow("new file, no drops the edits") << false << int(QMessageBox::No) << QStringList {};
        QTest::newRow("closing, yes saves, then the document is asked")
            << true << int(QMessageBox::Yes) << QStringList {"Odbiorca 0", "Odbiorca 1", "Niezapisany"};
    }
    void unsavedEditsAreAskedAbout()
    {
        QFETCH(bool, closing);
        QFETCH(int, answer);
        QFETCH(QStringList, left);
        CMainFrame *frame = start(2);
        QVERIFY(frame);
        frame->action(ID_ADD_ORDINARY)->trigger();
        QTest::keyClicks(page(frame)->recipient1(), QStringLiteral("Niezapisany"));
        page(frame)->amount()->setAmountText(QStringLiteral("5"));
        QVERIFY(details(frame)->hasUnsavedEdits());
        const auto box = m_script.answer(QMessageBox::StandardButton(answer));
        // Then the document's own question: cancel, so the orders stay to be seen.
        const auto second = closing ? m_script.answer(QMessageBox::Cancel) : nullptr;
        if (closing)
            QVERIFY(!frame->SaveModified());
        else
            frame->action(ID_FILE_NEW)->trigger();
        QVERIFY(box->shown);
        QVERIFY(box->text.contains(QStringLiteral("nie zostały zapisane")));
        if (second)
            QVERIFY(second->text.startsWith(QStringLiteral("Czy zapisać zmiany")));
        QCOMPARE(recipients(frame->document()), left);
        if (answer == QMessageBox::Cancel)
            QCOMPARE(page(frame)->recipient1()->text(), QStringLiteral("Niezapisany"));
        if (!closing)
            QCOMPARE(details(frame)->isVisible(), answer == QMessageBox::Cancel);
    }

    // Another order chosen in the list while the dialog holds edits: the
    // same question as before a new file, by keyboard, by click and by a
    // click on the empty area.
    void movingTheSelectionAsksAboutEdits_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("shown");        // the recipient the dialog shows after
        QTest::addColumn<QString>("storedFirst");  // the first order's recipient after
        for (const char *how : {"key", "click", "empty area"}) {
            const QString other = QString::fromLatin1(how) == u"empty area" ? QString() : QStringLiteral("Odbiorca 1");
            QTest::addRow("%s, cancel stays", how) << how << int(QMessageBox::Cancel) << "Poprawiony" << "Odbiorca 0";
            QTest::addRow("%s, no drops", how) << how << int(QMessageBox::No) << other << "Odbiorca 0";
            QTest::addRow("%s, yes saves", how) << how << int(QMessageBox::Yes) << other << "Poprawiony";
        }
    }
    void movingTheSelectionAsksAboutEdits()
    {
        QFETCH(QString, how);
        QFETCH(int, answer);
        QFETCH(QString, shown);
        QFETCH(QString, storedFirst);
        CMainFrame *frame = start(2);
        QVERIFY(frame);
        frame->show();
        CKantomixView *view = frame->view();
        view->selectRow(0);
        frame->action(ID_EDIT_ORDER)->trigger();
        QVERIFY(details(frame)->isVisible());
        page(frame)->recipient1()->selectAll();
        QTest::keyClicks(page(frame)->recipient1(), QStringLiteral("Poprawiony"));
        const auto box = m_script.answer(QMessageBox::StandardButton(answer));
        if (how == u"key") {
            view->setFocus();
            QTest::keyClick(view, Qt::Key_Down);
        } else {
            const int y = how == u"click" ? view->rowViewportPosition(1) + 2 : view->viewport()->height() - 2;
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(20, y));
        }
        QVERIFY(box->shown);
        QVERIFY(box->text.contains(QStringLiteral("nie zostały zapisane")));
        QVERIFY(details(frame)->isVisible());
        QCOMPARE(page(frame)->recipient1()->text(), shown);
        QCOMPARE(frame->document().at(0).recipient1, storedFirst);
        if (answer == QMessageBox::Cancel)
            QTRY_COMPARE(frame->editor()->selectedRows(), QList<int> {0});
    }

    // Texts that will be cut on paper are named before printing from the
    // window; No prints nothing.
    void printingAsksAboutTextsThatWillBeCut_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("no prints nothing") << int(QMessageBox::No);
        QTest::newRow("yes prints") << int(QMessageBox::Yes);
    }
    void printingAsksAboutTextsThatWillBeCut()
    {
        QFETCH(int, answer);
        CMainFrame *frame = start(3);
        QVERIFY(frame);
        m_app->settings().ordinary.fitInBox = 1;
        CPrzelewDane longTitle = frame->document().at(1);
        longTitle.title2 = QString(29, u'T');
        frame->document().Replace(1, longTitle);
        QPrinter &printer = m_app->printer();
        m_script.onDialog<QPrintDialog>([](QPrintDialog *d) { d->accept(); });
        const auto box = m_script.answer(QMessageBox::StandardButton(answer));
        const PdfText printed = printedPdf(printer, m_files.filePath(QStringLiteral("cut.pdf")),
                                           [&] { frame->editor()->OnFilePrint(printer); });
        QVERIFY(box->shown);
        QVERIFY(box->text.contains(QStringLiteral("przelew nr 2 (Odbiorca 1): tytułem cd.\n")));
        QVERIFY(!box->text.contains(QStringLiteral("nr 1")));
        QCOMPARE(printed.ok, answer == QMessageBox::Yes);
    }

    // A ZUS and a tax order typed from the keyboard alone, end to end: the
    // kind's shortcut in the list opens its page, every stop of the page in
    // Tab order, Alt+A saves, Escape closes; the file the window then writes,
    // read back, holds each field as typed; printed from the list, the order
    // takes one page of its own form.
    void zusAndTaxOrdersTypedFromTheKeyboard_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("printed");   // words that must print where the print layer alone puts them
        QTest::addColumn<QStringList>("stops");   // "control: keys", in Tab order from the first field
        QTest::addColumn<QStringList>("saved");   // "field: value" of the order read back
        QTest::newRow("ZUS, Ctrl+U")
            << "Ctrl+U" << "Szczegóły przelewu ZUS"
            << QStringList {"Budowlanka", "5261040828", "**1234,50**", "0000261395200000"}
            << QStringList {"purpose: ↓", "toContributionTransfer: ", "deposit: ", "currency: ",
                            "amount: 1234,50", "dateTick: ", "date: 15012027",
                            "payerAccount: 48109010140000000123456789", "payer1: Budowlanka Łęczyca",
                            "payer2: ul. Źródlana 3", "nip: 5261040828", "paymentType: u", "idType: p",
                            "supplementaryId: 80010112345", "declarationMonth: 12", "declarationYear: 2026",
                            "declarationNo: 01", "symbol: 40", "decision: DEC/12/2026"}
            << QStringList {"kind: 1", "isTransfer: 1", "zusAccountType: 2", "amount: 1234,50", "date: 15.01.2027",
                            "senderAccount: 48109010140000000123456789", "sender1: Budowlanka Łęczyca",
                            "sender2: ul. Źródlana 3", "payerId: 5261040828", "paymentType: 2", "idType: 1",
                            "supplementaryId: 80010112345   ",   // its 14 places kept as they are
                            "declaration: 122026", "declarationNo: 01",
                            "symbol: 40", "title2: DEC/12/2026"};
        QTest::newRow("tax, Ctrl+T")
            << "Ctrl+T" << "Szczegóły przelewu US"
            << QStringList {"Urząd", "Anna", "PIT37", "**987,00**"}
            << QStringList {"office1: Urząd Skarbowy Łódź-Bałuty", "office2: ul. Wróblewskiego 3",
                            "checkDigits: 12", "bankNumber: 10100071", "accountRest: 2221470000000000",
                            "deposit: ", "currency: ", "amount: 987,00", "dateTick: ", "date: 20012027",
                            "senderAccount: 48109010140000000123456789", "sender1: Anna Żółkiewska",
                            "sender2: ul. Ślężna 2", "payerId: 5261040828", "idType: ", "period: 26M12",
                            "formSymbol: PIT37", "obligation: ", "symbol: "}
            << QStringList {"kind: 2", "isTransfer: 1", "recipient1: Urząd Skarbowy Łódź-Bałuty",
                            "recipient2: ul. Wróblewskiego 3", "checkDigits: 12", "bankNumber: 10100071",
                            "accountRest: 2221470000000000", "amount: 987,00", "date: 20.01.2027",
                            "senderAccount: 48109010140000000123456789", "sender1: Anna Żółkiewska",
                            "sender2: ul. Ślężna 2", "payerId: 5261040828", "idType: 4", "taxPeriod: 26M12",
                            "taxFormSymbol: PIT37", "obligationId: ", "symbol: 07"};
    }
    void zusAndTaxOrdersTypedFromTheKeyboard()
    {
        QFETCH(QString, key);
        QFETCH(QString, title);
        QFETCH(QStringList, printed);
        QFETCH(QStringList, stops);
        QFETCH(QStringList, saved);
        CMainFrame *frame = start(1);
        QVERIFY(frame);
        frame->show();
        QVERIFY(QTest::qWaitForWindowActive(frame));
        QTest::keySequence(frame, QKeySequence(key));
        QTRY_VERIFY(QApplication::activeWindow() && QApplication::activeWindow() != frame);
        QWidget *dialog = QApplication::activeWindow();
        QCOMPARE(dialog->windowTitle(), title);
        for (const QString &stop : stops) {
            const qsizetype colon = stop.indexOf(QStringLiteral(": "));
            QWidget *focus = QApplication::focusWidget();
            QVERIFY(focus);
            QCOMPARE(focus->objectName(), stop.left(colon));
            typeKeys(stop.mid(colon + 2));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::AltModifier);   // Z&apisz
        QTRY_COMPARE(frame->document().count(), 2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!dialog->isVisible());

        const QString path = m_files.filePath(QStringLiteral("typed-%1.zmt").arg(key.right(1)));
        QVERIFY(frame->DoSave(path));
        CKantomixDoc back;
        QCOMPARE(back.Open(path), CKantomixDoc::OpenResult::Opened);
        QCOMPARE(back.count(), 2);
        QStringList got;
        for (const QString &field : saved) {
            const QString name = field.left(field.indexOf(u':'));
            got << name + QStringLiteral(": ") + fieldText(back.at(1), name);
        }
        QCOMPARE(got, saved);

        // The list prints the selected order, the one just added, as the
        // print layer alone places it for the same order.
        m_app->settings().zus.fitInBox = 0;
        m_app->settings().tax.fitInBox = 0;
        QPrinter &printer = m_app->printer();
        m_script.onDialog<QPrintDialog>([](QPrintDialog *d) { d->accept(); });
        frame->view()->selectRow(1);
        const PdfText text = printedPdf(printer, m_files.filePath(QStringLiteral("typed.pdf")),
                                        [&] { frame->editor()->OnFilePrint(printer); });
        QVERIFY(text.ok);
        QCOMPARE(text.pages.size(), 1);
        QPrinter ref;
        const PdfText expected = printedPdf(ref, m_files.filePath(QStringLiteral("ref.pdf")), [&] {
            ref.setPageLayout(printer.pageLayout());
            CFormPrinter forms(m_app->settings());
            FormPageJob job(forms, ref);
            QVERIFY(job.printPage(frame->document().at(1)));
        });
        QVERIFY(expected.ok);
        // Each word's places, line by line (the reading order may differ).
        const auto places = [](const PdfText &pdf, const QString &word) {
            QList<PdfWord> found = pdf.find(word);
            std::sort(found.begin(), found.end(), [](const PdfWord &a, const PdfWord &b) {
                return std::pair(qRound(a.mm.top()), a.mm.left()) < std::pair(qRound(b.mm.top()), b.mm.left());
            });
            return found;
        };
        for (const QString &word : printed) {
            const QList<PdfWord> got = places(text, word), want = places(expected, word);
            QVERIFY2(!got.isEmpty(), qPrintable(word));
            QCOMPARE(got.size(), want.size());
            for (int i = 0; i < got.size(); ++i) {
                QVERIFY2(std::abs(got[i].mm.left() - want[i].mm.left()) < 0.5, qPrintable(word));
                QVERIFY2(std::abs(got[i].mm.top() - want[i].mm.top()) < 0.5, qPrintable(word));
            }
        }
    }

    void editingAZusOrderKeepsItsKind()
    {
        CMainFrame *frame = start(2);
        QVERIFY(frame);
        CPrzelewDane zus;
        zus.SetKind(KindZus, COrderDate::fromParts(2026, 12, 8));
        zus.sender1 = QStringLiteral("Płatnik Pierwszy");
        zus.zusAccountType = 2;
        zus.SetZUSTitle(2);
        zus.amount = CWexOleCurrency::fromUnits(100);
        frame->document().Add(zus);
        frame->editor()->showDocument();
        frame->view()->selectRow(2);
        frame->action(ID_EDIT_ORDER)->trigger();
        QVERIFY(details(frame)->isVisible());
        QCOMPARE(details(frame)->windowTitle(), QStringLiteral("Szczegóły przelewu ZUS"));
        CZUSDetailsDlg *page = details(frame)->zusPage();
        QCOMPARE(page->payer1()->text(), QStringLiteral("Płatnik Pierwszy"));
        QCOMPARE(page->purpose()->currentIndex(), 1);
        page->payer1()->setText(QStringLiteral("Płatnik Poprawiony"));
        details(frame)->saveButton()->click();
        QVERIFY(!details(frame)->isVisible());
        QCOMPARE(frame->document().count(), 3);
        const CPrzelewDane &edited = frame->document().at(2);
        QCOMPARE(edited.kind, int(KindZus));
        QCOMPARE(edited.kindName, QStringLiteral("ZUS"));
        QCOMPARE(edited.sender1, QStringLiteral("Płatnik Poprawiony"));
        QCOMPARE(edited.zusAccountType, 2);
        QCOMPARE(edited.AccountNumberText(), QStringLiteral("78101010230000261395200000"));
        QCOMPARE(edited.title1, QStringLiteral("Należność z tytułu składek na ubezpieczenie zdrowotne"));
    }
};

QTEST_MAIN(TestOrderEntry)
#include "test_order_entry.moc"
