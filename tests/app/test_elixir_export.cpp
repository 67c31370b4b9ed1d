// The bank import file made from a handed-over file of orders, without a
// window: what a calling program can rely on (exit codes, one stderr line per
// thing left out, the file whole or not at all).

#include "app/BatchPrint.h"
#include "app/CommandLine.h"
#include "app/ElixirExport.h"
#include "model/Import.h"
#include "SampleOrders.h"
#include "FailDevice.h"
#include "FileBytes.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

namespace {

CPrzelewDane goodOrder(const QString &recipient)
{
    return bankOrder(recipient, u"250,50", COrderDate::fromParts(2026, 12, 8));
}

QByteArray lineOf(const CPrzelewDane &o)
{
    QByteArray line;
    if (!CImport::FormatRecord(o, CImport::kCurrentVersion, line, nullptr))
        qFatal("cannot format the test order");
    return line + "\r\n";
}

QByteArray fileOf(const QList<QByteArray> &lines)
{
    return "ver=05\r\n" + lines.join();
}

QByteArray changedLine(const std::function<void(CPrzelewDane &)> &change)
{
    return lineOf(sample::changed(goodOrder(QStringLiteral("Odbiorca")), change));
}

} // namespace

class TestElixirExport : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private Q_SLOTS:
    void exitCodesAndNotes_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("output");     // "=" the input itself, "" none; relative to the folder
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("notes");
        QTest::addColumn<int>("lines");          // lines of the bank file; -1 no file

        const QByteArray good = lineOf(goodOrder(QStringLiteral("Jan Kowalski")));
        QTest::newRow("good orders") << fileOf({good, good}) << "wynik.pli" << int(BatchPrinted) << QStringList() << 2;
        QTest::newRow("hostile file")
            << fileOf({good,
                       changedLine([](CPrzelewDane &o) { o.recipient1 = QStringLiteral("P.H. \"MAGIEL\""); }),
                       changedLine([](CPrzelewDane &o) { o.isTransfer = 0; }),
                       "### nie przelew ###\r\n",
                       changedLine([](CPrzelewDane &o) { o.SetKind(KindZus); o.senderAccount = "60102010260000123456789012";
                                                         o.sender1 = "Firma"; o.amount = CWexOleCurrency::fromUnits(9); }),
                       changedLine([](CPrzelewDane &o) { o.title2 = QStringLiteral("a|b"); }),
                       changedLine([](CPrzelewDane &o) { o.checkDigits = QStringLiteral("98"); }),
                       changedLine([](CPrzelewDane &o) { o.title1 = QStringLiteral("Kwota: 5 \u20AC"); }),
                       good})
            << "wynik.pli" << int(BatchPrinted)
            << QStringList {
                   "wiersz 3 pominięty w pliku dla banku: pole „nazwa odbiorcy” zawiera cudzysłów (\"), "
                   "niedozwolony w pliku dla banku",
                   "wiersz 4 pominięty w pliku dla banku: wpłaty gotówkowej nie można zlecić bankowi jako przelewu",
                   "wiersz 5 pominięty: nieznany rodzaj przelewu „##”",
                   "wiersz 6 pominięty w pliku dla banku: rachunek odbiorcy jest zamknięty od 1.01.2018 (składki na ubezpieczenie społeczne)",
                   "wiersz 7 pominięty w pliku dla banku: pole „tytuł” zawiera znak |, który w pliku dla banku "
                   "rozdziela wiersze",
                   "wiersz 8 pominięty w pliku dla banku: rachunek odbiorcy „98-10501461-1000002312345678” nie "
                   "jest poprawnym 26-cyfrowym numerem NRB",
                   "wiersz 9 pominięty w pliku dla banku: pole „tytuł” zawiera znak „:” (U+003A), niedozwolony "
                   "w pliku dla banku"}
            << 2;
        QTest::newRow("nothing goes in")
            << fileOf({changedLine([](CPrzelewDane &o) { o.isTransfer = 0; })}) << "stary.pli" << int(BatchPrinted)
            << QStringList {"wiersz 2 pominięty w pliku dla banku: wpłaty gotówkowej nie można zlecić bankowi jako "
                            "przelewu",
                            "Żaden przelew nie trafił do pliku dla banku. Starszy plik "}
            << -1;
        QTest::newRow("output is the input") << fileOf({good}) << "=" << int(BatchBadCommandLine)
                                             << QStringList {"Plik wyniku "} << -1;
        QTest::newRow("no output named") << fileOf({good}) << "" << int(BatchBadCommandLine)
                                         << QStringList {"Podaj plik z przelewami i plik wyniku"} << -1;
        QTest::newRow("output folder missing") << fileOf({good}) << "brak/wynik.pli" << int(BatchPageFailed)
                                               << QStringList {"Nie można zapisać pliku "} << -1;
    }
    void exitCodesAndNotes()
    {
        QFETCH(QByteArray, input);
        QFETCH(QString, output);
        QFETCH(int, exitCode);
        QFETCH(QStringList, notes);
        QFETCH(int, lines);
        static int row = 0;
        const QString folder = m_dir.filePath(QString::number(++row));
        QVERIFY(QDir().mkpath(folder));
        const QString in = folder + QStringLiteral("/zlecenia.txt");
        QVERIFY(writeFile(in, input));
        ElixirExportRequest request;
        request.input = in;
        request.output = output == u"=" ? in : output.isEmpty() ? QString() : folder + u'/' + output;
        if (output == u"stary.pli")
            QVERIFY(writeFile(request.output, "110,wczorajszy\r\n"));

        QStringList said;
        const int rc = runElixirExport(request, {[&](const QString &t) { said << t; }, nullptr});
        QCOMPARE(rc, exitCode);
        QCOMPARE(said.size(), notes.size());
        for (int i = 0; i < notes.size(); ++i)
            QVERIFY2(said[i].startsWith(notes[i]), qPrintable(said[i]));
        QCOMPARE(readFile(in), input);   // the input is never touched
        if (lines < 0) {
            QVERIFY(output == u"=" || !QFile::exists(request.output));
        } else {
            const QByteArray bank = readFile(request.output);
            QCOMPARE(bank.count("\r\n"), lines);
            QVERIFY(bank.startsWith("110,20261208,25050,10201026,0,"));
        }
    }

    // Through the program, as a calling program starts it.
    void throughTheProgram_data()
    {
        QTest::addColumn<QStringList>("args");     // "IN" the sample file, "OUT" the output in the test's folder
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<int>("notes");             // lines on standard error
        QTest::addColumn<QByteArray>("written");    // a part of the bank file (or of standard output)
        const QByteArray taxLine = "110,20261208,432100,10901014,0,\"61109010140000071219812874\",";
        QTest::newRow("sample file") << QStringList {"--export-elixir", "IN", "OUT"} << int(BatchPrinted) << 4
                                     << QByteArray("\"JAN KOWALSKI|UL. KR\xD3TKA 5/7, WARSZAWA||\"");
        QTest::newRow("CP852, option first") << QStringList {"--codepage", "CP852", "--export-elixir", "IN", "OUT"}
                                             << int(BatchPrinted) << 4 << QByteArray("\"PIERWSZY US W GDA\xE3SKU|");
        QTest::newRow("stored tax classification") << QStringList {"--export-elixir", "IN", "OUT"} << int(BatchPrinted)
                                                   << 4 << QByteArray(",\"72\",\"\"\r\n");
        QTest::newRow("standard output") << QStringList {"--export-elixir", "IN", "/dev/stdout"} << int(BatchPrinted)
                                         << 4 << taxLine;
        QTest::newRow("output named like a switch") << QStringList {"--export-elixir", "IN", "-wynik.pli"}
                                                    << int(BatchPrinted) << 4 << taxLine;
        QTest::newRow("unknown code page") << QStringList {"--export-elixir", "IN", "OUT", "--codepage", "latin2"}
                                           << int(BatchBadCommandLine) << 1 << QByteArray();
        QTest::newRow("code page without export") << QStringList {"--codepage", "cp852", "IN"}
                                                  << int(BatchBadCommandLine) << 1 << QByteArray();
        QTest::newRow("a word too many") << QStringList {"--export-elixir", "IN", "OUT", "trzeci"}
                                         << int(BatchBadCommandLine) << 1 << QByteArray();
        QTest::newRow("print switch") << QStringList {"--export-elixir", "IN", "OUT", "/PD"}
                                      << int(BatchBadCommandLine) << 1 << QByteArray();
        QTest::newRow("output missing") << QStringList {"--export-elixir", "IN"} << int(BatchBadCommandLine) << 1
                                        << QByteArray();
        QTest::newRow("output is the input") << QStringList {"--export-elixir", "IN", "IN"}
                                             << int(BatchBadCommandLine) << 1 << QByteArray();
        QTest::newRow("input missing") << QStringList {"--export-elixir", "brak.txt", "OUT"}
                                       << int(BatchFileNotOpened) << 1 << QByteArray();
        QTest::newRow("not a file of orders") << QStringList {"--export-elixir", "zdjecie.jpg", "OUT"}
                                              << int(BatchFileNotOpened) << 1 << QByteArray();
    }
    void throughTheProgram()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(int, notes);
        QFETCH(QByteArray, written);
        static int row = 0;
        const QString folder = m_dir.filePath(QStringLiteral("run%1").arg(++row));
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/config/WexSoft")));
        if (QByteArray(QTest::currentDataTag()) == "stored tax classification")
            QVERIFY(writeFile(folder + QStringLiteral("/config/WexSoft/Kantomix.conf"), "[Settings]\nElixirTaxClass=72\n"));
        QVERIFY(writeFile(folder + QStringLiteral("/zlecenia.txt"), readFile(QStringLiteral(KANTOMIX_EXAMPLES "/orders.txt"))));
        QVERIFY(writeFile(folder + QStringLiteral("/zdjecie.jpg"), QByteArray("\xFF\xD8\xFF\xE0 JFIF\n\x01\x02", 12)));
        for (QString &a : args)
            a = a == u"IN" ? QStringLiteral("zlecenia.txt") : a == u"OUT" ? QStringLiteral("wynik.pli") : a;
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), folder + QStringLiteral("/config"));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(folder);
        p.start(QStringLiteral(KANTOMIX_EXE), args);
        QVERIFY(p.waitForFinished(120000));
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QCOMPARE(p.exitCode(), exitCode);
        const QStringList lines = err.split(u'\n', Qt::SkipEmptyParts);
        QVERIFY2(lines.size() == notes, qPrintable(err));
        for (const QString &line : lines)
            QVERIFY2(line.startsWith(QStringLiteral("kantomix: ")), qPrintable(line));
        const QString out = args.value(2) == u"-wynik.pli" ? QStringLiteral("/-wynik.pli") : QStringLiteral("/wynik.pli");
        const QByteArray result = args.contains(QStringLiteral("/dev/stdout")) ? p.readAllStandardOutput()
                                                                              : readFile(folder + out);
        if (written.isEmpty())
            QVERIFY(!QFile::exists(folder + out));   // refused: no file at all, not even an empty one
        else
            QVERIFY2(result.contains(written), result.constData());
        QCOMPARE(readFile(folder + QStringLiteral("/zlecenia.txt")), readFile(QStringLiteral(KANTOMIX_EXAMPLES "/orders.txt")));
    }

    // A full disk: the caller hears it and gets exit 5.
    void writeFailureIsReported()
    {
        const QString in = m_dir.filePath(QStringLiteral("pelny.txt"));
        QVERIFY(writeFile(in, fileOf({lineOf(goodOrder(QStringLiteral("Jan")))})));
        FailDevice full(40);
        full.open(QIODevice::WriteOnly);
        ElixirExportRequest request {in, m_dir.filePath(QStringLiteral("pelny.pli")), {}};
        QStringList said;
        QCOMPARE(runElixirExport(request, {[&](const QString &t) { said << t; }, &full}), int(BatchPageFailed));
        QCOMPARE(said.size(), 1);
        QVERIFY2(said[0].contains(QStringLiteral("Brak miejsca na urządzeniu")), qPrintable(said[0]));
    }
};

QTEST_GUILESS_MAIN(TestElixirExport)
#include "test_elixir_export.moc"
