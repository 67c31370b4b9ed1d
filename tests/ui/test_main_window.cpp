// The main window over a document: start-up, the command states, sorting by
// a header click, deleting, printing a selected range, the ZUS import and
// the settings written at exit.

#include "DialogScript.h"
#include "FileBytes.h"
#include "UiFixture.h"
#include "base/AppIdentity.h"
#include "app/CommandTable.h"
#include "base/Messages.h"
#include "app/OrderListModel.h"
#include "app/OrderPreview.h"
#include "app/HelpWindow.h"
#include "app/PolishTranslations.h"
#include "edit/ContainerDlg.h"
#include "model/PrzelewDane.h"
#include "options/FormOptionsPage.h"
#include "options/OptionsSheet.h"
#include "options/SpinEdit.h"
#include "WidgetFit.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QToolBar>
#include <QPrinter>
#include <QPrintDialog>
#include <QTextBrowser>
#include <QScrollBar>
#include <QDialog>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

void saveShotImage(const QImage &image, const QString &name)
{
    const QString dir = qEnvironmentVariable("KANTOMIX_SHOTS");
    if (!dir.isEmpty() && QDir().mkpath(dir))
        image.save(dir + u'/' + name + QStringLiteral(".png"));
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_config;
    QTemporaryDir m_files;
    std::unique_ptr<CKantomixApp> m_app;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_config.isValid());
        // Before the first QSettings: its user folder is looked up once.
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
        setUpApplicationIdentity();
    }

    void init() { writeStartSettings(); }
    void cleanup() { m_app.reset(); }

    void autoOpenAtStart_data()
    {
        QTest::addColumn<int>("autoOpen");
        QTest::addColumn<QString>("recentFile");   // "" none, "good" a saved file, "missing"
        QTest::addColumn<int>("expectedOrders");
        QTest::addColumn<bool>("expectMessage");
        QTest::newRow("on, empty recent list") << 1 << "" << 0 << false;
        QTest::newRow("on, readable file") << 1 << "good" << 2 << false;
        QTest::newRow("off, readable file") << 0 << "good" << 0 << false;
        QTest::newRow("on, file gone") << 1 << "missing" << 0 << true;
        // Double-clicked in a file manager: the file comes on the command line.
        QTest::newRow("named on the command line") << 0 << "named" << 2 << false;
        QTest::newRow("named but gone") << 0 << "named gone" << 0 << true;
    }

    void autoOpenAtStart()
    {
        QFETCH(int, autoOpen);
        QFETCH(QString, recentFile);
        QFETCH(int, expectedOrders);
        QFETCH(bool, expectMessage);

        QString path;
        if (recentFile == QLatin1String("good") || recentFile == QLatin1String("named")) {
            path = m_files.filePath(QStringLiteral("auto.zmt"));
            CKantomixDoc doc;
            doc.Add(listOrder(0, 100));
            doc.Add(listOrder(1, 200));
            QVERIFY(doc.Save(path));
        } else if (recentFile == QLatin1String("missing") || recentFile == QLatin1String("named gone")) {
            path = m_files.filePath(QStringLiteral("gone.zmt"));
        }
        const bool named = recentFile.startsWith(QLatin1String("named"));
        writeStartSettings(autoOpen, path.isEmpty() || named ? QStringList() : QStringList{path});

        DialogScript script;
        const auto seen = expectMessage ? script.answer(QMessageBox::Ok) : nullptr;   // else none may show
        CMainFrame *frame = startProgram(m_app, named ? QStringList {path} : QStringList());
        QVERIFY(frame);
        if (expectMessage)
            QVERIFY(seen->text.contains(QStringLiteral("gone.zmt")));
        QCOMPARE(frame->document().count(), expectedOrders);
        QCOMPARE(frame->view()->model()->rowCount(), expectedOrders);
        if (expectedOrders == 0) {
            QCOMPARE(frame->document().title(), QStringLiteral("Nowy plik przelewów"));
            QVERIFY(frame->windowTitle().startsWith(QStringLiteral("Nowy plik przelewów")));
        } else {
            // The first row is current but nothing is chosen: printing prints every order.
            QCOMPARE(frame->editor()->selectedRows(), QList<int>{});
            QCOMPARE(frame->view()->currentIndex().row(), 0);
            QCOMPARE(frame->editor()->currentPrintRequest().pageCount(), expectedOrders);
            QVERIFY(!frame->action(ID_DELETE_ORDERS)->isEnabled());
        }
    }

    void settingsAfterExitHoldEveryValue()
    {
        CMainFrame *frame = startProgram(m_app);
        QVERIFY(frame);
        QVERIFY(m_app->ExitInstance());
        m_app.reset();

        auto store = openSettingsStore();
        store->beginGroup(QStringLiteral("Settings"));
        const QStringList names = {
            "PrnDevice", "PrnDriver", "PrnPort", "FontCharset", "FontName", "FontSize", "AutoOpen", "ValueDelimiter",
            "Print0656", "OriginalForm", "FormType", "FormTypeOrig", "FitInBox", "OffsetX", "OffsetY", "ScaleX",
            "ScaleY", "ZUSPrint00", "ZUSOriginalForm", "ZUSFormTypeOwn", "ZUSFormTypeOrig", "ZUSFitInBox",
            "DoNotPrintZUSBankNo", "ZUSOffsetX", "ZUSOffsetY", "ZUSScaleX", "ZUSScaleY", "Print3Kratki",
            "TAXPrint0656", "TAXOriginalForm", "TAXFormType", "TAXFormTypeOrig", "TAXFitInBox", "TAXOffsetX",
            "TAXOffsetY", "TAXScaleX", "TAXScaleY", "TAXOpType"};
        QCOMPARE(names.size(), 38);
        for (const QString &name : names)
            QVERIFY2(store->contains(name), qPrintable(name));
        QCOMPARE(store->value(QStringLiteral("FontName")).toString(), QStringLiteral("Courier New"));
        QCOMPARE(store->value(QStringLiteral("ScaleX")).toInt(), 100);
    }

    void settingsThatCannotBeWrittenAreReported()
    {
        CMainFrame *frame = startProgram(m_app);
        QVERIFY(frame);
        // A folder where the settings file should be: nothing can be written there.
        const QString file = openSettingsStore()->fileName();
        QVERIFY(QFile::remove(file) || !QFile::exists(file));
        QVERIFY(QDir().mkpath(file));
        const bool written = m_app->ExitInstance();
        QDir(file).removeRecursively();
        QVERIFY(!written);
    }

    void commandsFollowOrdersAndSelection()
    {
        CMainFrame *frame = startProgram(m_app);
        QVERIFY(frame);
        auto enabled = [frame](CommandId id) { return frame->action(id)->isEnabled(); };
        // No orders.
        for (CommandId id : {ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_DELETE_ORDERS,
                             ID_EDIT_ORDER})
            QVERIFY2(!enabled(id), qPrintable(QString::number(id)));
        for (CommandId id : {ID_FILE_NEW, ID_FILE_OPEN, ID_BLANK_ORDINARY, ID_BLANK_ZUS, ID_BLANK_TAX, ID_APP_ABOUT,
                             ID_HELP_FINDER, ID_ZUS_IMPORT})
            QVERIFY2(enabled(id), qPrintable(QString::number(id)));

        // Orders, first row selected.
        addListOrders(frame, {100, 100, 100});
        frame->view()->selectRow(0);
        for (CommandId id : {ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_DELETE_ORDERS})
            QVERIFY2(enabled(id), qPrintable(QString::number(id)));

        // Orders without a selection: delete goes grey, printing prints all.
        frame->view()->clearSelection();
        QVERIFY(!enabled(ID_DELETE_ORDERS));
        QVERIFY(enabled(ID_FILE_PRINT));
        QCOMPARE(frame->editor()->currentPrintRequest().pageCount(), 3);

        // Orders of every kind are added; editing needs a selected row.
        for (CommandId id : {ID_ADD_ORDINARY, ID_ADD_ZUS, ID_ADD_TAX})
            QVERIFY(enabled(id));
        QVERIFY(!enabled(ID_EDIT_ORDER));
    }

    void listShowsTheColumns()
    {
        CMainFrame *frame = startProgram(m_app);
        QVERIFY(frame);
        CPrzelewDane noDate = listOrder(7, 123450);
        noDate.date = COrderDate::null();
        frame->document().Add(listOrder(1, 123450));
        frame->document().Add(noDate);
        frame->editor()->showDocument();
        QAbstractItemModel *m = frame->view()->model();
        const QStringList headers = {"Odbiorca", "Tytułem", "Nr rachunku odbiorcy", "Data", "Kwota", "Waluta", "Typ"};
        const int widths[] = {200, 180, 220, 70, 70, 50, 50};
        QCOMPARE(m->columnCount(), 7);
        for (int c = 0; c < 7; ++c) {
            QCOMPARE(m->headerData(c, Qt::Horizontal).toString(), headers[c]);
            QCOMPARE(frame->view()->columnWidth(c) >= widths[c], true);
            if (c != 3 && c != 4 && c != 6)   // date and amount widen to fit a large font; the last stretches
                QCOMPARE(frame->view()->columnWidth(c), widths[c]);
        }
        QCOMPARE(m->index(0, 0).data().toString(), QStringLiteral("Odbiorca 1"));
        QCOMPARE(m->index(0, 1).data().toString(), QStringLiteral("Faktura 1"));
        QCOMPARE(m->index(0, 2).data().toString(), QStringLiteral("49-10201026-0000120201234567"));
        QCOMPARE(m->index(0, 3).data().toString(), QStringLiteral("02.03.2024"));
        QCOMPARE(m->index(0, 4).data().toString(), QStringLiteral("1 234,50"));   // as the dialog writes it
        QCOMPARE(m->index(0, 5).data().toString(), QStringLiteral("PLN"));
        QCOMPARE(m->index(0, 6).data().toString(), QStringLiteral("Zwykły"));
        QVERIFY(Qt::Alignment(m->index(0, 4).data(Qt::TextAlignmentRole).toInt()) & Qt::AlignRight);
        QVERIFY(m->index(1, 3).data().toString().isEmpty());
        QVERIFY(!m->index(2, 0).data().isValid());

        // The columns fill the list at any width: no empty space right of the last one.
        frame->show();
        for (int width : {1100, 1400}) {
            frame->resize(width, 500);
            QApplication::processEvents();
            QCOMPARE(frame->view()->horizontalHeader()->length(), frame->view()->viewport()->width());
        }
    }

    void badAccountIsMarkedInTheList()
    {
        CMainFrame *frame = startProgram(m_app);
        QVERIFY(frame);
        const struct { const char *check, *bank, *rest, *says; } rows[] = {
            {"61", "10901014", "0000071219812874", nullptr},                // checks
            {"16", "10901014", "0000071219812874", "cyfry kontrolne"},      // two digits swapped
            {"", "10901014", "0000071219812874", nullptr},                  // kept without check digits
            {"", "", "", nullptr},                                          // no account
            {"83", "10101023", "0000261395100000", "zamknięty 1.01.2018"},  // closed ZUS account
            {"", "10101023", "0000261395400000", "zamknięty 1.01.2018"},    // the same, from an older file
        };
        for (const auto &row : rows) {
            CPrzelewDane o = listOrder(1, 100);
            o.checkDigits = QString::fromLatin1(row.check);
            o.bankNumber = QString::fromLatin1(row.bank);
            o.accountRest = QString::fromLatin1(row.rest);
            frame->document().Add(o);
        }
        frame->editor()->showDocument();
        QAbstractItemModel *m = frame->view()->model();
        for (int r = 0; r < int(std::size(rows)); ++r) {
            const QModelIndex account = m->index(r, COrderListModel::AccountColumn);
            const bool marked = rows[r].says != nullptr;
            QCOMPARE(account.data(Qt::DecorationRole).isValid(), marked);
            QCOMPARE(account.data(Qt::ToolTipRole).isValid(), marked);
            if (marked)
                QVERIFY(account.data(Qt::ToolTipRole).toString().contains(QString::fromUtf8(rows[r].says)));
            QVERIFY(!m->index(r, 0).data(Qt::DecorationRole).isValid());
        }
    }

    void statusBarShowsTotals_data()
    {
        QTest::addColumn<QStringList>("orders");    // amount and currency of each, in list order
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QString>("expected");
        const QStringList zloty {"1000,00 PLN", "300,00 PLN", "2000,00 PLN", "100,00 PLN", "56,78 PLN"};
        QTest::newRow("zloty, two chosen") << zloty << QList<int>{0, 1}
                                           << "5 przelewów, razem 3 456,78 zł — zaznaczone 2: 1 300,00 zł";
        QTest::newRow("nothing chosen") << zloty.mid(0, 2) << QList<int>{} << "2 przelewy, razem 1 300,00 zł";
        QTest::newRow("one chosen") << zloty.mid(0, 1) << QList<int>{0}
                                    << "1 przelew, razem 1 000,00 zł — zaznaczony 1: 1 000,00 zł";
        QTest::newRow("mixed currencies")
            << QStringList{"100,00 PLN", "50,00 EUR", "20,00 EUR", "1,00 USD"} << QList<int>{1, 3}
            << "4 przelewy, razem 100,00 zł + 70,00 EUR + 1,00 USD — zaznaczone 2: 50,00 EUR + 1,00 USD";
    }

    void statusBarShowsTotals()
    {
        QFETCH(QStringList, orders);
        QFETCH(QList<int>, selected);
        QFETCH(QString, expected);
        CMainFrame *frame = startProgram(m_app);
        QVERIFY(frame);
        for (int i = 0; i < orders.size(); ++i) {
            CPrzelewDane r = listOrder(i, 0);
            QVERIFY(r.amount.fromText(orders[i].section(u' ', 0, 0)));
            r.currency = orders[i].section(u' ', 1);
            frame->document().Add(r);
        }
        frame->editor()->showDocument();
        selectRows(frame->view(), selected);
        QTRY_COMPARE(frame->totalsPane()->text(), expected);
    }

    void headerClickSortsFlipsAndKeepsTheSelection()
    {
        // Amounts 5, 1, 9, 3, 7: sorting by amount moves every order.
        CMainFrame *frame = startProgram(m_app);
        QVERIFY(frame);
        addListOrders(frame, {500, 100, 900, 300, 700});
        frame->show();
        CKantomixView *view = frame->view();
        QHeaderView *header = view->horizontalHeader();
        auto clickHeader = [header](int section) {
            const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                            header->height() / 2);
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
        };
        auto amountsShown = [frame] {
            QStringList out;
            for (int r = 0; r < frame->document().count(); ++r)
                out << frame->view()->model()->index(r, 4).data().toString();
            return out;
        };
        auto chosen = [frame] {
            QStringList out;
            for (int r : frame->editor()->selectedRows())
                out << frame->document().at(r).recipient1;
            out.sort();
            return out;
        };
        view->selectionModel()->setCurrentIndex(view->model()->index(3, 0),
                                                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        selectRows(view, {1});
        QCOMPARE(chosen(), (QStringList{"Odbiorca 1", "Odbiorca 3"}));

        const QStringList ascending {"1,00", "3,00", "5,00", "7,00", "9,00"};
        for (Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
            clickHeader(4);
            QCOMPARE(header->sortIndicatorSection(), 4);
            QCOMPARE(header->sortIndicatorOrder(), order);
            QStringList shown = amountsShown();
            if (order == Qt::DescendingOrder)
                std::reverse(shown.begin(), shown.end());
            QCOMPARE(shown, ascending);
            // The selection and the current row stay on their orders.
            QCOMPARE(chosen(), (QStringList{"Odbiorca 1", "Odbiorca 3"}));
            QCOMPARE(frame->document().at(view->currentIndex().row()).recipient1, QStringLiteral("Odbiorca 3"));
        }
        QCOMPARE(frame->editor()->selectedRows(), (QList<int>{3, 4}));   // 9 7 5 3 1: rows of 3,00 and 1,00

        // A save writes the order shown.
        const QString path = m_files.filePath(QStringLiteral("sorted.zmt"));
        QVERIFY(frame->DoSave(path));
        CKantomixDoc reread;
        QCOMPARE(reread.Open(path), CKantomixDoc::OpenResult::Opened);
        QCOMPARE(recipients(reread), (QStringList{"Odbiorca 2", "Odbiorca 4", "Odbiorca 0", "Odbiorca 3", "Odbiorca 1"}));

        // Del then deletes the orders the user chose.
        DialogScript script;
        const auto seen = script.answer(QMessageBox::Yes);
        frame->action(ID_DELETE_ORDERS)->trigger();
        QVERIFY(seen->shown);
        QCOMPARE(recipients(frame->document()), (QStringList{"Odbiorca 2", "Odbiorca 4", "Odbiorca 0"}));

        // Another column starts ascending again; "Sortuj według" does what a click does.
        QVERIFY(frame->sortMenu()->actions().at(4)->isChecked());
        frame->sortMenu()->actions().at(0)->trigger();
        QVERIFY(frame->sortMenu()->actions().at(0)->isChecked());
        QCOMPARE(header->sortIndicatorSection(), 0);
        QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
        QCOMPARE(frame->document().at(0).recipient1, QStringLiteral("Odbiorca 0"));
    }

    void printingPrintsExactlyTheChosenRows_data()
    {
        QTest::addColumn<int>("blankKind");         // a blank form of this kind; -1 the list's orders
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QList<int>>("printed");    // rows, page by page; -1 a page with no order on it
        QTest::newRow("rows 1 and 4, not those between") << -1 << QList<int>{4, 1} << QList<int>{1, 4};
        QTest::newRow("row 3 alone") << -1 << QList<int>{3} << QList<int>{3};
        QTest::newRow("no selection: every order") << -1 << QList<int>{} << QList<int>{0, 1, 2, 3, 4, 5, 6};
        QTest::newRow("blank ordinary form") << int(KindOrdinary) << QList<int>{2} << QList<int>{-1};
        QTest::newRow("blank ZUS form") << int(KindZus) << QList<int>{} << QList<int>{-1};
        QTest::newRow("blank tax form") << int(KindTax) << QList<int>{} << QList<int>{-1};
    }

    void printingPrintsExactlyTheChosenRows()
    {
        QFETCH(int, blankKind);
        QFETCH(QList<int>, selected);
        QFETCH(QList<int>, printed);
        CMainFrame *frame = startWithOrders(m_app, 7);
        QVERIFY(frame);
        CKantomixView *view = frame->view();
        view->clearSelection();
        selectRows(view, selected);
        const OrderPrintRequest request =
            blankKind < 0 ? frame->editor()->currentPrintRequest() : OrderPrintRequest::forBlankForm(blankKind);

        QPrinter printer(QPrinter::HighResolution);
        const PdfText text = printedPdf(printer, m_files.filePath(QStringLiteral("range.pdf")), [&] {
            QCOMPARE(frame->editor()->printRequest(printer, request), printed.size());
        });
        // Read back: page n carries the recipient of the n-th printed row and no other.
        // Names are printed a letter to a box: the page's letters line by line.
        QVERIFY(text.ok);
        QCOMPARE(text.pages.size(), printed.size());
        for (int p = 0; p < printed.size(); ++p) {
            QList<PdfWord> words;
            for (const PdfWord &w : text.words)
                if (w.page == p)
                    words << w;
            std::sort(words.begin(), words.end(), [](const PdfWord &a, const PdfWord &b) {
                return qRound(a.mm.top() * 2) != qRound(b.mm.top() * 2) ? a.mm.top() < b.mm.top()
                                                                          : a.mm.left() < b.mm.left();
            });
            QString letters;
            for (const PdfWord &w : words)
                letters += w.text;
            for (int row = 0; row < 7; ++row) {
                const QString name = QString(frame->document().at(row).recipient1).remove(u' ');
                QVERIFY2(letters.contains(name) == (row == printed[p]),
                         qPrintable(QStringLiteral("page %1, %2").arg(p).arg(name)));
            }
        }
    }

    void deleteAsksAndRemovesSelectedRows_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("yes") << int(QMessageBox::Yes) << QStringList{"Odbiorca 0", "Odbiorca 2", "Odbiorca 4"};
        QTest::newRow("no") << int(QMessageBox::No)
                            << QStringList{"Odbiorca 0", "Odbiorca 1", "Odbiorca 2", "Odbiorca 3", "Odbiorca 4"};
    }

    void deleteAsksAndRemovesSelectedRows()
    {
        QFETCH(int, answer);
        QFETCH(QStringList, left);
        CMainFrame *frame = startWithOrders(m_app, 5);
        QVERIFY(frame);
        CKantomixView *view = frame->view();
        view->clearSelection();
        selectRows(view, {1, 3});

        DialogScript script;
        const auto seen = script.answer(QMessageBox::StandardButton(answer));
        frame->action(ID_DELETE_ORDERS)->trigger();
        QVERIFY(seen->shown);
        QCOMPARE(seen->text, QStringLiteral("Czy na pewno usunąć 2 zaznaczone przelewy?"));
        QCOMPARE(seen->defaultButton, QMessageBox::No);

        QCOMPARE(recipients(frame->document()), left);
        QCOMPARE(view->model()->rowCount(), left.size());
        QCOMPARE(frame->document().isModified(), answer == QMessageBox::Yes);
        QCOMPARE(frame->isWindowModified(), answer == QMessageBox::Yes);
    }

    void zusImportReportsAndMarksModified_data()
    {
        QTest::addColumn<QByteArray>("content");    // "-" for no file at all
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("imported");
        QTest::newRow("two of three lines")
            << zusExportLine + "x,20050101,12a,b\r\n" + zusExportLine
            << "Liczba zaimportowanych przelewów: 2\n\n2 przelewy na rachunki ZUS zamknięte 1.01.2018. Od 2018 r. "
               "składki wpłaca się na rachunek składkowy płatnika (NRS): polecenie „Zamień na przelew na "
               "rachunek składkowy” w szczegółach przelewu."
            << 2;
        QTest::newRow("nothing readable") << QByteArray("\r\n") << "Liczba zaimportowanych przelewów: 0" << 0;
        QTest::newRow("no file") << QByteArray("-") << "Nieprawidłowa nazwa pliku." << 0;
    }

    void zusImportReportsAndMarksModified()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QFETCH(int, imported);
        const QString path = m_files.filePath(QStringLiteral("platnik.txt"));
        QFile::remove(path);
        if (content != "-")
            QVERIFY(writeFile(path, content));
        CMainFrame *frame = startWithOrders(m_app, 1);
        QVERIFY(frame);
        DialogScript script;
        const auto seen = script.answer(QMessageBox::Ok);
        frame->ImportZusFile(path);
        QCOMPARE(seen->text, message);
        QCOMPARE(frame->document().count(), 1 + imported);
        QCOMPARE(frame->view()->model()->rowCount(), 1 + imported);
        QCOMPARE(frame->document().isModified(), imported > 0);
        // The new orders are sorted in under the arrow the header shows.
        int zus = 0;
        for (int i = 0; i < frame->document().count(); ++i) {
            zus += frame->document().at(i).kind == KindZus;
            if (i > 0)
                QVERIFY(frame->document().at(i - 1).recipient1 <= frame->document().at(i).recipient1);
        }
        QCOMPARE(zus, imported);
        QCOMPARE(frame->view()->horizontalHeader()->sortIndicatorSection(), 0);
    }

    void commandTableIsComplete()
    {
        CMainFrame *frame = startProgram(m_app);
        QVERIFY(frame);
        for (const CommandDef &def : commandTable()) {
            QAction *a = frame->action(def.id);
            QVERIFY(a);
            QVERIFY2(!a->statusTip().isEmpty() && !a->toolTip().isEmpty(), def.menuText);
            // The key written in the menu text is the key that works.
            if (QString::fromUtf8(def.menuText).contains(u'\t'))
                QVERIFY2(def.shortcut, def.menuText);
        }
        // The keys as the menus and the guide name them.
        const std::pair<CommandId, const char *> keys[] = {{ID_BLANK_ORDINARY, "Ctrl+F"}, {ID_ADD_ORDINARY, "Ctrl+D"},
                                                           {ID_ADD_ZUS, "Ctrl+U"}, {ID_ADD_TAX, "Ctrl+T"},
                                                           {ID_EDIT_ORDER, "Alt+Enter"}};
        for (const auto &[id, key] : keys)
            QCOMPARE(frame->action(id)->shortcut().toString(QKeySequence::NativeText), QString::fromLatin1(key));
        QVERIFY(frame->action(ID_EDIT_ORDER)->shortcuts().contains(QKeySequence(QStringLiteral("Alt+Return"))));
        // The toolbar in its order, the context menu with its add submenu.
        QList<QAction *> tools = frame->findChild<QToolBar *>(QStringLiteral("mainToolBar"))->actions();
        QCOMPARE(tools.size(), int(toolBarButtons().size()));
        QCOMPARE(tools.first(), frame->action(ID_FILE_NEW));
        QCOMPARE(tools.last(), frame->action(ID_HELP_FINDER));
        QMenu *add = frame->contextMenu()->actions().first()->menu();
        QVERIFY(add);
        QCOMPARE(add->actions(), (QList<QAction *>{frame->action(ID_ADD_ORDINARY), frame->action(ID_ADD_ZUS),
                                                    frame->action(ID_ADD_TAX)}));
    }

    void printDialogOffersAllOrTheSelection_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<int>("opensOn");       // QPrinter::PrintRange the dialog opens on
        QTest::addColumn<int>("userChoice");    // what the user leaves chosen
        QTest::addColumn<int>("from");          // pages of a page range the user types
        QTest::addColumn<int>("to");
        QTest::addColumn<QList<int>>("rows");    // printed
        QTest::addColumn<QString>("title");
        const QList<int> all {0, 1, 2, 3, 4, 5, 6};
        QTest::newRow("nothing chosen: all") << QList<int>{} << int(QPrinter::AllPages) << int(QPrinter::AllPages)
                                             << 0 << 0 << all << "Drukowanie wszystkich przelewów (7)";
        QTest::newRow("rows 2 and 5: the selection, just them")
            << QList<int>{2, 5} << int(QPrinter::Selection) << int(QPrinter::Selection) << 0 << 0 << QList<int>{2, 5}
            << "Drukowanie zaznaczonych przelewów: 2 z 7";
        QTest::newRow("rows chosen, user picks all")
            << QList<int>{2, 5} << int(QPrinter::Selection) << int(QPrinter::AllPages) << 0 << 0 << all
            << "Drukowanie zaznaczonych przelewów: 2 z 7";
        QTest::newRow("user types pages 4 to 9")
            << QList<int>{1} << int(QPrinter::Selection) << int(QPrinter::PageRange) << 4 << 9 << QList<int>{3, 4, 5, 6}
            << "Drukowanie zaznaczonych przelewów: 1 z 7";
    }

    void printDialogOffersAllOrTheSelection()
    {
        QFETCH(QList<int>, selected);
        QFETCH(int, opensOn);
        QFETCH(int, userChoice);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QList<int>, rows);
        QFETCH(QString, title);
        OrderPrintRequest request = OrderPrintRequest::forRows(selected, 7);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        QPrintDialog dialog(&printer);
        setUpPrintDialog(dialog, printer, request, 7);
        QCOMPARE(int(printer.printRange()), opensOn);
        QCOMPARE(dialog.windowTitle(), title);
        QCOMPARE(dialog.testOption(QAbstractPrintDialog::PrintSelection), !selected.isEmpty());
        if (!selected.isEmpty()) {
            // Switching to pages shows the selected range.
            QCOMPARE(printer.fromPage(), selected.first() + 1);
            QCOMPARE(printer.toPage(), selected.last() + 1);
        }
        printer.setPrintRange(QPrinter::PrintRange(userChoice));
        if (from)
            printer.setFromTo(from, to);
        takePrintDialogChoice(printer, request, 7);
        QCOMPARE(request.rows, rows);
        QCOMPARE(printer.printRange(), QPrinter::AllPages);
    }

    void previewSheetsTakeTheirOrdersOrientationAndTheToolbarWorks()
    {
        // Plain paper, own form types: ordinary and tax forms landscape, ZUS portrait.
        CMainFrame *frame = startProgram(m_app);
        QVERIFY(frame);
        for (FormKind k : {FormKind::Ordinary, FormKind::Zus, FormKind::Tax})
            m_app->settings().forKind(k).originalForm = 0;
        const int kinds[] = {KindOrdinary, KindZus, KindTax, KindZus};
        for (int i = 0; i < 4; ++i)
            frame->document().Add(listOrder(i, 1000, kinds[i]));
        frame->editor()->showDocument();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageOrientation(QPageLayout::Portrait);
        int printed = 0;
        COrderPreviewDlg preview(m_app->formPrinter(), printer, frame->document(), frame->editor()->currentPrintRequest(),
                                 [&printed] { return ++printed > 1; });
        const COrderPreviewPages &pages = preview.pages();
        QCOMPARE(pages.count(), 4);
        for (int p = 0; p < 4; ++p) {
            const bool zus = frame->document().at(p).kind == KindZus;
            QCOMPARE(pages.orientation(p), zus ? QPageLayout::Portrait : QPageLayout::Landscape);
            const QSizeF mm = pages.sheetMm(p);
            QCOMPARE(mm.width() > mm.height(), !zus);
            // The sheet's drawing reaches its right part: a landscape form is whole, not cut at a portrait width.
            const QImage image = pages.render(p, 2.0);
            saveShotImage(image, QStringLiteral("preview-page-%1").arg(p));
            QCOMPARE(image.width() > image.height(), !zus);
            // A landscape form reaches beyond where a portrait sheet would have cut it.
            int rightmostInk = -1;
            for (int y = 0; y < image.height(); ++y)
                for (int x = image.width() - 1; x > rightmostInk; --x)
                    if (qGray(image.pixel(x, y)) < 160)
                        rightmostInk = x;
            QVERIFY2(rightmostInk > 0, qPrintable(QStringLiteral("page %1 is empty").arg(p)));
            if (!zus)
                QVERIFY2(rightmostInk > image.width() * 3 / 4, qPrintable(QStringLiteral("page %1").arg(p)));
        }
        // The sheets in the view have those shapes too, one under another.
        CPreviewSheets *sheets = preview.sheets();
        preview.resize(800, 600);
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        for (int p = 0; p < 4; ++p) {
            const QRect r = sheets->sheetRect(p);
            QCOMPARE(r.width() > r.height(), pages.orientation(p) == QPageLayout::Landscape);
            if (p > 0)
                QVERIFY(r.top() > sheets->sheetRect(p - 1).bottom());
        }

        // The toolbar turns the pages, zooms, shows two side by side and prints.
        const auto action = [&preview](const char *text) {
            for (QAction *a : preview.findChildren<QAction *>())
                if (a->text() == QString::fromUtf8(text))
                    return a;
            return static_cast<QAction *>(nullptr);
        };
        action("&Jedna strona")->trigger();
        QVERIFY(!sheets->facing());
        QCOMPARE(sheets->currentPage(), 0);
        action("&Następna")->trigger();
        QTRY_COMPARE(sheets->currentPage(), 1);
        action("&Poprzednia")->trigger();
        QTRY_COMPARE(sheets->currentPage(), 0);
        const int width = sheets->sheetRect(0).width();
        action("Po&większ")->trigger();
        QVERIFY(sheets->sheetRect(0).width() > width);
        action("Po&mniejsz")->trigger();
        action("Po&mniejsz")->trigger();
        QVERIFY(sheets->sheetRect(0).width() < width);
        action("Dw&ie strony")->trigger();
        QVERIFY(sheets->facing());
        QVERIFY(sheets->sheetRect(1).left() > sheets->sheetRect(0).right());
        // Print runs the print command; the preview stays open until it printed.
        action("&Drukuj...")->trigger();
        QCOMPARE(printed, 1);
        QVERIFY(preview.isVisible());
        action("&Drukuj...")->trigger();
        QCOMPARE(printed, 2);
        QVERIFY(!preview.isVisible());
    }

    void helpAboveAModalDialogTakesInput()
    {
        CMainFrame *frame = startProgram(m_app);
        QVERIFY(frame);
        frame->show();
        QDialog dialog(frame);
        dialog.resize(300, 200);
        bool scrolled = false;
        bool belongsToDialog = false;
        DialogScript script;
        script.onDialog<QDialog>([&](QDialog *) {
            requestHelp(HelpTopic::Contents);   // as a dialog's "Pomoc" button does
            CHelpWindow *help = helpWindow();
            QVERIFY(help);
            belongsToDialog = help->window() == help && help->parentWidget() == &dialog;
            QTextBrowser *browser = help->browser();
            browser->setFocus();
            QVERIFY(QTest::qWaitForWindowExposed(help));
            QScrollBar *bar = browser->verticalScrollBar();
            bar->setValue(0);
            // A key from the window system reaches the guide: the dialog does not block it.
            QTest::keyClick(help->windowHandle(), Qt::Key_PageDown);
            scrolled = bar->maximum() > 0 && bar->value() > 0;
        });
        execDialog(dialog);
        QVERIFY(belongsToDialog);
        QVERIFY(scrolled);
        // The dialog is gone; the guide stays, a window of its own, until Escape.
        CHelpWindow *help = helpWindow();
        QVERIFY(help);
        QVERIFY(help->isVisible());
        QCOMPARE(help->parentWidget(), nullptr);
        QApplication::setActiveWindow(help);
        QTest::keyClick(help->browser(), Qt::Key_Escape);
        QTRY_VERIFY(!helpWindow());
    }

    void helpOpensWholeBesideItsWindow_data()
    {
        QTest::addColumn<QRect>("owner");
        QTest::addColumn<QRect>("screen");      // its available area
        QTest::addColumn<QRect>("expected");
        const QRect full(0, 0, 1920, 1040);
        QTest::newRow("room: centred on its window") << QRect(400, 200, 1000, 700) << full << QRect(520, 240, 760, 620);
        QTest::newRow("window low on the screen: moved up") << QRect(300, 700, 900, 600) << full
                                                            << QRect(370, 412, 760, 620);
        QTest::newRow("small screen: made smaller") << QRect(0, 0, 800, 600) << QRect(0, 0, 800, 560)
                                                    << QRect(20, 32, 760, 520);
        QTest::newRow("second screen: stays on it") << QRect(2100, 100, 600, 400) << QRect(1920, 0, 1280, 1000)
                                                    << QRect(2020, 32, 760, 620);
    }

    void helpOpensWholeBesideItsWindow()
    {
        QFETCH(QRect, owner);
        QFETCH(QRect, screen);
        QFETCH(QRect, expected);
        QCOMPARE(placeBesideOwner(QSize(760, 620), owner, screen), expected);
    }

    void quittingWithHelpOpenEndsTheEventLoop()
    {
        CMainFrame *frame = startProgram(m_app);
        QVERIFY(frame);
        frame->show();
        showHelp();
        QVERIFY(helpWindow());
        // Zakończ with the guide open: the loop ends, nothing waits for the guide.
        QTimer::singleShot(0, frame, [frame] { frame->action(ID_APP_EXIT)->trigger(); });
        QTimer safety;
        safety.setSingleShot(true);
        connect(&safety, &QTimer::timeout, qApp, [] { QCoreApplication::exit(99); });
        safety.start(10000);
        const int rc = QApplication::exec();
        QCOMPARE(rc, 0);
        QTRY_VERIFY(!helpWindow());
    }

    void menuMnemonicsAreUniquePerMenu()
    {
        CMainFrame *frame = startProgram(m_app);
        QVERIFY(frame);
        m_app->AddToRecentFileList(m_files.filePath(QStringLiteral("a&b.zmt")));
        m_app->AddToRecentFileList(m_files.filePath(QStringLiteral("c.zmt")));
        QList<QMenu *> menus = {frame->contextMenu()};
        const QList<QAction *> bar = frame->menuBar()->actions();
        QMenu barEntries;   // the menu bar's own titles count as one menu
        for (QAction *a : bar) {
            barEntries.addAction(a->text());
            menus << a->menu();
        }
        menus << &barEntries;
        for (int i = 0; i < menus.size(); ++i)
            for (QAction *a : menus[i]->actions())
                if (a->menu() && !menus.contains(a->menu()))
                    menus << a->menu();
        QCOMPARE(menus.size(), 9);   // five menus, the bar, the context menu, its add submenu and the sort submenu
        for (QMenu *menu : menus) {
            QStringList texts;
            for (QAction *a : menu->actions())
                if (!a->isSeparator() && a->isVisible())
                    texts << a->text();
            QVERIFY2(clashesAmong(texts).isEmpty(), qPrintable(clashesAmong(texts).join(u';')));
        }
        // Zakończ is reached by its letter.
        QCOMPARE(frame->action(ID_APP_EXIT)->text(), QStringLiteral("&Zakończ"));
    }

    void contextMenuFromTheKeyboard()
    {
        CMainFrame *frame = startWithOrders(m_app, 3);
        QVERIFY(frame);
        frame->show();
        QApplication::setActiveWindow(frame);
        QVERIFY(QTest::qWaitForWindowActive(frame));
        frame->view()->setFocus();
        QVERIFY(!frame->contextMenu()->isVisible());
        QTest::keyClick(frame->view(), Qt::Key_F10, Qt::ShiftModifier);
        QTRY_VERIFY(frame->contextMenu()->isVisible());
        frame->contextMenu()->hide();
    }

    void windowSizeAndColumnWidthsRemembered()
    {
        CMainFrame *frame = startProgram(m_app);
        QVERIFY(frame);
        frame->resize(700, 450);
        frame->move(40, 30);
        frame->view()->setColumnWidth(0, 260);
        frame->view()->setColumnWidth(2, 150);
        // The details dialog keeps its own size too.
        frame->editor()->OnAddOrder(KindOrdinary);
        CContainerDlg *details = frame->editor()->detailsDialog();
        const QSize detailsSize = details->size() + QSize(60, 40);
        details->resize(detailsSize);
        details->hide();
        m_app->ExitInstance();
        m_app.reset();
        {
            auto store = openSettingsStore();
            QVERIFY(store->contains(QStringLiteral("MainWindow/Geometry")));
            QVERIFY(store->contains(QStringLiteral("Settings/FontName")));   // beside the program's settings
        }

        frame = startProgram(m_app);
        QVERIFY(frame);
        QCOMPARE(frame->size(), QSize(700, 450));
        QCOMPARE(frame->view()->columnWidth(0), 260);
        QCOMPARE(frame->view()->columnWidth(2), 150);
        frame->editor()->OnAddOrder(KindOrdinary);
        QCOMPARE(frame->editor()->detailsDialog()->size(), detailsSize);
        m_app.reset();
        // A dialog never shown leaves the stored place as it was.
        {
            auto store = openSettingsStore();
            QVERIFY(store->contains(QStringLiteral("MainWindow/DetailsGeometry")));
        }
        frame = startProgram(m_app);
        QVERIFY(frame);
        const QByteArray stored = openSettingsStore()->value(QStringLiteral("MainWindow/DetailsGeometry")).toByteArray();
        m_app->ExitInstance();
        m_app.reset();
        QCOMPARE(openSettingsStore()->value(QStringLiteral("MainWindow/DetailsGeometry")).toByteArray(), stored);

        // Nonsense in the file leaves the built sizes.
        {
            auto store = openSettingsStore();
            store->setValue(QStringLiteral("MainWindow/Geometry"), QByteArray("xyz"));
            store->setValue(QStringLiteral("MainWindow/ColumnWidths"), QStringLiteral("1,2,x,-5,99999,3,4"));
            store->sync();
        }
        frame = startProgram(m_app);
        QVERIFY(frame);
        QCOMPARE(frame->view()->columnWidth(0), 200);
        QCOMPARE(frame->size(), QSize(920, 560));
    }

    void registerCommandsOpenTheirDialogsOrSayWhy_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<bool>("broken");      // the register cannot be opened
        QTest::addColumn<QString>("window");   // the dialog shown, or empty: a message instead
        QTest::newRow("Odbiorcy") << int(ID_RECIPIENTS) << false << "CListaKontrDlg";
        QTest::newRow("Nadawcy") << int(ID_SENDERS) << false << "CListaKontrDlg";
        QTest::newRow("DOS import") << int(ID_DOS_IMPORT) << false << "CHopDlg";
        QTest::newRow("Odbiorcy, register unreadable") << int(ID_RECIPIENTS) << true << "";
        QTest::newRow("Nadawcy, register unreadable") << int(ID_SENDERS) << true << "";
    }

    void registerCommandsOpenTheirDialogsOrSayWhy()
    {
        QFETCH(int, command);
        QFETCH(bool, broken);
        QFETCH(QString, window);
        CMainFrame *frame = startProgram(m_app);
        QVERIFY(frame);
        const QString db = m_app->registerLocation().path;
        QFile::remove(db);
        if (broken)
            QVERIFY(QDir().mkpath(db));   // a folder where the database should be
        QString shown;
        DialogScript script;
        const auto box = broken ? script.answer(QMessageBox::Ok) : nullptr;
        if (!broken)
            script.onDialog<QDialog>([&shown](QDialog *d) { shown = QString::fromLatin1(d->metaObject()->className()); });
        frame->action(CommandId(command))->trigger();
        if (broken) {
            QDir(db).removeRecursively();
            QVERIFY(!box->text.isEmpty());
        } else {
            QCOMPARE(shown, window);
        }
    }

    void emptyListShowsAHint()
    {
        CMainFrame *frame = startProgram(m_app);
        QVERIFY(frame);
        QCOMPARE(frame->document().count(), 0);
        const QString hint = CKantomixView::emptyListHint();
        for (const char *key : {"Ctrl+D", "Ctrl+O", "Ctrl+F"})
            QVERIFY2(hint.contains(QLatin1String(key)), key);
        frame->resize(900, 500);
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        saveShot(*frame, QStringLiteral("main-empty"));
        // Something is drawn in the middle of the empty list.
        const QImage shot = frame->view()->viewport()->grab().toImage();
        int ink = 0;
        for (int y = shot.height() / 3; y < shot.height() * 2 / 3; ++y)
            for (int x = 0; x < shot.width(); ++x)
                ink += shot.pixel(x, y) != shot.pixel(0, 0);
        QVERIFY(ink > 100);
    }

    void qtDialogsSpeakPolish()
    {
        QVERIFY(installPolishTranslations(*qApp));
        QMessageBox box(QMessageBox::Question, programTitle(), QStringLiteral("?"), QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(box.button(QMessageBox::Yes)->text().remove(u'&'), QStringLiteral("Tak"));
        QCOMPARE(box.button(QMessageBox::No)->text().remove(u'&'), QStringLiteral("Nie"));
        QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text().remove(u'&'), QStringLiteral("Anuluj"));
    }

    void optionsTakenBackOnOkOnly_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK") << true;
        QTest::newRow("Anuluj") << false;
    }

    void optionsTakenBackOnOkOnly()
    {
        QFETCH(bool, ok);
        CMainFrame *frame = startWithOrders(m_app, 1);
        QVERIFY(frame);
        m_app->settings().ordinary.fitInBox = 0;   // whole words, for reading them back
        QAction *options = frame->action(ID_OPTIONS);
        QVERIFY(options->isEnabled());
        bool seen = false;
        DialogScript script;
        script.onDialog<COptionsSheet>([&](COptionsSheet *sheet) {
            seen = true;
            sheet->formPage(FormKind::Ordinary)->shiftX()->setText(QStringLiteral("9"));
            sheet->buttons()->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
        });
        options->trigger();
        QVERIFY(seen);
        QCOMPARE(m_app->settings().ordinary.offsetX, ok ? 9 : 0);

        // The next print already uses the new shift: texts only, from the sheet's corner.
        QPrinter printer(QPrinter::HighResolution);
        const PdfText text = printedPdf(printer, m_files.filePath(QStringLiteral("after-options.pdf")), [&] {
            QCOMPARE(frame->editor()->printRequest(printer, OrderPrintRequest::forRows({0}, 1)), 1);
        });
        QVERIFY(text.ok);
        const double left = text.first(QStringLiteral("Odbiorca")).mm.left();
        QVERIFY2(qAbs(left - (ok ? 16.5 : 7.5)) < 0.15, qPrintable(QString::number(left)));

        m_app->ExitInstance();
        auto store = openSettingsStore();
        QCOMPARE(store->value(QStringLiteral("Settings/OffsetX")).toInt(), ok ? 9 : 0);
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
