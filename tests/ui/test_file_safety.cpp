// The main window never loses what a file holds: a document that lacks some
// of its file's lines says so after opening, shows as changed and asks before
// a save under the same name; a file that holds no orders at all is refused
// and kept out of the recent files; the ZUS import reports what it shortened.

#include "FileBytes.h"
#include "DialogScript.h"
#include "UiFixture.h"
#include "base/AppIdentity.h"
#include "base/Messages.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

QList<QByteArray> fixtureLines(const char *name)
{
    return readFile(QStringLiteral(KANTOMIX_TEST_DATA "/") + QLatin1String(name)).split('\n');
}

// A version 4 file whose third line is a tax order, with one more order after it.
QByteArray oldFormatFile()
{
    const QList<QByteArray> v4 = fixtureLines("orders_v4.zmt");
    const QList<QByteArray> v5 = fixtureLines("orders_v5.zmt");
    QByteArray tax;
    for (const QByteArray &line : v5)
        if (line.startsWith("02"))
            tax = line;
    return v4[0] + '\n' + v4[1] + '\n' + v4[2] + '\n' + tax + '\n' + v4[3] + '\n';
}

// A version 5 file with a line no reader can take between two orders.
QByteArray garbageLineFile()
{
    const QList<QByteArray> v5 = fixtureLines("orders_v5.zmt");
    return v5[0] + '\n' + v5[1] + '\n' + "### zniekształcony wiersz ###\r\n" + v5[2] + '\n';
}

} // namespace

class TestFileSafety : public QObject
{
    Q_OBJECT

    QTemporaryDir m_config;
    QTemporaryDir m_files;
    std::unique_ptr<CKantomixApp> m_app;
    CMainFrame *start() { return startProgram(m_app); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
        setUpApplicationIdentity();
    }

    void init() { writeStartSettings(); }
    void cleanup() { m_app.reset(); }

    void partialFileSavedOnlyAfterTheQuestion_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("openMessage");  // a part of what is said after opening
        QTest::addColumn<int>("unread");
        QTest::addColumn<QString>("answer");       // the button of the question
        QTest::addColumn<int>("savedOrders");      // orders in the file afterwards; -1 untouched
        const QString oldFormat = Msg::oldFormat() + QStringLiteral("\nLiczba pominiętych wierszy: 2 (nr 4, 5).");
        const QString garbage = Msg::unreadLinesHead() + QStringLiteral("\nLiczba pominiętych wierszy: 1 (nr 3).");
        for (const QString &answer :
             {QStringLiteral("Anuluj"), QStringLiteral("Zapisz"), QStringLiteral("Zapisz jako...")}) {
            QTest::addRow("old format, %s", qPrintable(answer))
                << oldFormatFile() << oldFormat << 2 << answer << (answer == QLatin1String("Zapisz") ? 2 : -1);
            QTest::addRow("garbage line, %s", qPrintable(answer))
                << garbageLineFile() << garbage << 1 << answer << (answer == QLatin1String("Zapisz") ? 2 : -1);
        }
    }

    void partialFileSavedOnlyAfterTheQuestion()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, openMessage);
        QFETCH(int, unread);
        QFETCH(QString, answer);
        QFETCH(int, savedOrders);
        // A folder of its own per row: a file dialog that has listed a folder
        // before selects its suggested file at once, before the test can type.
        static int row = 0;
        const QString folder = m_files.filePath(QString::number(++row));
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + QStringLiteral("/czesciowy.zmt");
        const QString other = folder + QStringLiteral("/kopia.zmt");
        QVERIFY(writeFile(path, file));

        CMainFrame *frame = start();
        QVERIFY(frame);
        DialogScript script;
        auto opened = script.answer(QMessageBox::Ok);
        QVERIFY(frame->OpenDocumentFile(path));
        QVERIFY(opened->shown);
        QVERIFY2(opened->text.startsWith(openMessage), qPrintable(opened->text));
        // The document is not the file, and the title says so.
        QVERIFY(frame->document().isModified());
        QVERIFY(frame->isWindowModified());
        QCOMPARE(frame->document().count(), 2);

        auto question = script.answer(answer);
        // "Save as" opens the file dialog; cancelled, nothing is written anywhere.
        const auto fileDialog = answer == QLatin1String("Zapisz jako...") ? script.cancelFile() : nullptr;
        const bool saved = frame->OnFileSave();
        QVERIFY(question->shown);
        QVERIFY(question->text.contains(QStringLiteral("(liczba: %1)").arg(unread)));
        QStringList buttons = question->choices;
        buttons.sort();
        QCOMPARE(buttons, (QStringList {"Anuluj", "Zapisz", "Zapisz jako..."}));
        QCOMPARE(question->box.buttons, QMessageBox::NoButton);
        QCOMPARE(question->defaultChoice, QStringLiteral("Zapisz jako..."));
        QCOMPARE(question->box.choices.at(question->box.escapeChoice).text, Msg::cancel());
        if (fileDialog)
            QVERIFY(fileDialog->shown);
        QCOMPARE(saved, answer == QLatin1String("Zapisz"));

        if (savedOrders < 0) {
            QCOMPARE(readFile(path), file); // byte for byte
        } else {
            CKantomixDoc back;
            QCOMPARE(back.Open(path), CKantomixDoc::OpenResult::Opened);
            QCOMPARE(back.count(), savedOrders);
        }
        QVERIFY(!QFile::exists(other));
        QCOMPARE(frame->document().isModified(), !saved);
        QCOMPARE(frame->isWindowModified(), !saved);
        // Once written, the document is its file: the next save asks nothing.
        if (saved)
            QVERIFY(frame->OnFileSave());   // a question would fail: none is scripted
    }

    void noOrderFileRefusedAndKeptOutOfRecentFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("autoOpen");   // else opened from the menu's routine
        const QByteArray pdf("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n1 0 obj\n<< /Type /Catalog >>\nendobj\ntrailer\n%%EOF\n");
        const QByteArray jpeg("\xFF\xD8\xFF\xE0\0\x10JFIF\0\x01\x01\0\0\x01", 16);
        QTest::newRow("PDF opened") << pdf << false;
        QTest::newRow("PDF by AutoOpen") << pdf << true;
        QTest::newRow("photo opened") << jpeg << false;
        QTest::newRow("photo by AutoOpen") << jpeg << true;
    }

    void noOrderFileRefusedAndKeptOutOfRecentFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, autoOpen);
        const QString bad = m_files.filePath(QStringLiteral("wyciag.pdf"));
        const QString good = m_files.filePath(QStringLiteral("dobry.zmt"));
        QVERIFY(writeFile(bad, content));
        QVERIFY(writeFile(good, readFile(QStringLiteral(KANTOMIX_TEST_DATA "/orders_v5.zmt"))));
        // A list written by an older run may already hold the file.
        writeStartSettings(1, autoOpen ? QStringList {bad, good} : QStringList {good});

        DialogScript script;
        auto refused = script.answer(QMessageBox::Ok);
        CMainFrame *frame = start();
        QVERIFY(frame);
        if (!autoOpen) {
            QVERIFY(!refused->shown); // the good file opened at start
            QVERIFY(!frame->OpenDocumentFile(bad));
        }
        QVERIFY(refused->shown);
        QVERIFY2(refused->text.contains(Msg::notOrderFile()), qPrintable(refused->text));
        QCOMPARE(frame->document().count(), 0);
        QVERIFY(frame->document().path().isEmpty());
        QCOMPARE(m_app->recentFiles(), QStringList {good});

        // Nor does the next start open it.
        m_app->ExitInstance();
        m_app.reset();
        frame = start();   // a box would fail: none is scripted
        QVERIFY(frame);
        QCOMPARE(frame->document().path(), good);
    }

    void zusImportReportsShortenedTexts()
    {
        const QByteArray longName(60, 'N');
        const QByteArray good =
            "x,20050101,0000012345,a,b,\"12102010260000150201234567\",\"1010102300002613951000\",\"Firma\",c,d,e,"
            "\"526-025-09-95|P12345678901|S20050101|DEC\",f\r\n";
        const QByteArray cut = "x,20050101,100,a,b,\"12102010260000150201234567\",\"1010102300002613951000\",\"" + longName
            + "\",c,d,e,\"5260250995|P123456789012345678|S20050101\",f\r\n";
        const QString path = m_files.filePath(QStringLiteral("platnik.txt"));
        QVERIFY(writeFile(path, good + cut));

        CMainFrame *frame = start();
        QVERIFY(frame);
        DialogScript script;
        auto seen = script.answer(QMessageBox::Ok);
        frame->ImportZusFile(path);
        QCOMPARE(seen->text, QStringLiteral("Liczba zaimportowanych przelewów: 2\n\n"
                                            "Liczba przelewów ze skróconym tekstem: 1\n"
                                            "wiersz 2 (%1): nazwa płatnika, drugi identyfikator płatnika\n\n%2")
                                 .arg(QString(54, u'N'), Msg::toClosedZusAccounts(2, QDate(2018, 1, 1))));
        QCOMPARE(frame->document().count(), 2);
        QCOMPARE(frame->document().at(0).payerId, QStringLiteral("5260250995"));
        QCOMPARE(frame->document().at(1).sender1, QString(54, u'N'));
    }

    void changedFileAsksBeforeSave_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<int>("added");   // orders the document gains
        QTest::newRow("cancel") << "Anuluj" << false << 0;
        QTest::newRow("overwrite") << "Zastąp" << true << 0;
        QTest::newRow("reload") << "Wczytaj ponownie" << false << 2;
    }

    void changedFileAsksBeforeSave()
    {
        QFETCH(QString, answer);
        QFETCH(bool, saved);
        QFETCH(int, added);
        const QString path = m_files.filePath(QStringLiteral("zmieniany.zmt"));
        const QByteArray original = readFile(QStringLiteral(KANTOMIX_TEST_DATA "/orders_v5.zmt"));
        QVERIFY(writeFile(path, original));
        CMainFrame *frame = start();
        QVERIFY(frame);
        DialogScript script;   // a whole file opens without a word and as unchanged
        QVERIFY(frame->OpenDocumentFile(path));
        QVERIFY(!frame->isWindowModified());
        const int orders = frame->document().count();
        // Another program appends two orders to the open file.
        const QList<QByteArray> lines = original.split('\n');
        const QByteArray appended = original + lines[1] + '\n' + lines[2] + '\n';
        QVERIFY(writeFile(path, appended));
        auto question = script.answer(answer);
        QCOMPARE(frame->OnFileSave(), saved);
        QVERIFY(question->shown);
        QVERIFY2(question->text.contains(QStringLiteral("zmienił się na dysku")), qPrintable(question->text));
        QCOMPARE(question->defaultChoice, QStringLiteral("Anuluj"));
        QCOMPARE(question->box.escapeChoice, question->box.defaultChoice);
        QCOMPARE(frame->document().count(), orders + added);
        CKantomixDoc back;
        QCOMPARE(back.Open(path), CKantomixDoc::OpenResult::Opened);
        QCOMPARE(back.count(), saved ? orders : orders + 2);
        // Once the file and the document agree again, a save asks nothing; after
        // a cancel it asks again.
        const auto again = answer == u"Anuluj" ? script.answer(QStringLiteral("Anuluj")) : nullptr;
        QCOMPARE(frame->OnFileSave(), answer != u"Anuluj");
        if (again)
            QVERIFY(again->shown);
    }

    // A pipe named as the document would hold the window before it appears.

    void pipeIsNoDocument()
    {
        const QString fifo = m_files.filePath(QStringLiteral("potok.zmt"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        CMainFrame *frame = start();
        QVERIFY(frame);
        DialogScript script;
        auto refused = script.answer(QMessageBox::Ok);
        QVERIFY(!frame->OpenDocumentFile(fifo));
        QVERIFY(refused->shown);
        QVERIFY2(refused->text.contains(QStringLiteral("nie jest zwykłym plikiem")), qPrintable(refused->text));
    }
};

QTEST_MAIN(TestFileSafety)
#include "test_file_safety.moc"
