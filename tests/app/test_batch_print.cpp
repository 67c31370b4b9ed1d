// Batch printing of a handed-over file: one page per order read, no window;
// and what a calling program can rely on: arguments by position, the PDF
// whole or not at all, exit codes, and a reason on standard error.

#include "DialogScript.h"
#include "app/BatchPrint.h"
#include "app/PdfTarget.h"
#include "edit/ContainerDlg.h"
#include "edit/DetailsDlg.h"
#include "edit/TaxDetailsDlg.h"
#include "edit/ZUSDetailsDlg.h"
#include "model/Import.h"
#include "print/FormPages.h"
#include "PdfText.h"
#include "FailDevice.h"
#include "FileBytes.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QLineEdit>
#include <QPushButton>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

CPrzelewDane order(int kind, const QString &recipient)
{
    CPrzelewDane r;
    r.SetKind(kind);
    r.recipient1 = recipient;
    r.checkDigits = QStringLiteral("51");   // the number checks
    r.bankNumber = QStringLiteral("10101023");
    r.accountRest = QStringLiteral("1234567890123456");
    r.sender1 = QStringLiteral("NADAWCA");
    r.amount = CWexOleCurrency::fromUnits(10);
    r.date = COrderDate::fromParts(2026, 12, 8);
    if (kind == KindZus) {
        r.payerId = QStringLiteral("1234567890");
        r.declaration = QStringLiteral("112026");
        r.declarationNo = QStringLiteral("01");
    }
    if (kind == KindTax)
        r.taxPeriod = QStringLiteral("26M11");
    return r;
}

bool writeOrders(const QString &path, const QList<CPrzelewDane> &orders)
{
    CImport w;
    if (!w.Open(path, QIODevice::WriteOnly) || !w.WriteHeader(CImport::kCurrentVersion))
        return false;
    w.setVersion(CImport::kCurrentVersion);
    for (const CPrzelewDane &r : orders)
        if (!w.WriteRecord(r)) {
            qWarning("%s", qPrintable(w.errorString()));
            return false;
        }
    w.Close();
    return true;
}

// Orders named longer than their boxes: every page printed gives a note.
bool writeLongNamedOrders(const QString &path, int count, int kinds = 3)
{
    QList<CPrzelewDane> orders;
    for (int i = 0; i < count; ++i)
        orders << order(i % kinds, QStringLiteral("ODBIORCA O BARDZO DŁUGIEJ NAZWIE NR %1").arg(i));
    return writeOrders(path, orders);
}

// One line of a file of orders, in the given version.
QByteArray lineOf(const CPrzelewDane &r, int version = CImport::kCurrentVersion)
{
    QByteArray line;
    if (!CImport::FormatRecord(r, version, line, nullptr))
        qFatal("cannot format the test order");
    return line;
}

CKantomixCommandLineInfo printTo(const QString &file, const QString &printer, const QString &port)
{
    CKantomixCommandLineInfo cmd;
    cmd.ParseArguments({QStringLiteral("/pt"), file, printer, QStringLiteral("driver"), port});
    return cmd;
}

int pageCount(const QString &pdf)
{
    if (!QFile::exists(pdf))
        return -1;
    const PdfText t = PdfText::read(pdf);
    return t.ok ? int(t.pages.size()) : -1;
}

// The batch with its notes gathered instead of written to standard error.
struct InProcess
{
    QStringList notes;
    BatchEnvironment env;
    InProcess()
    {
        env.note = [this](const QString &t) { notes << t; };
    }
    bool noted(const QString &part) const
    {
        return std::any_of(notes.begin(), notes.end(), [&](const QString &n) { return n.contains(part); });
    }
};

struct Run
{
    int exitCode = -1;
    bool crashed = false;
    QString err;
};

} // namespace

class TestBatchPrint : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString path(const char *name) const { return path(QLatin1String(name)); }
    QString threeOrders()
    {
        const QString file = path("three.txt");
        if (!QFile::exists(file)
            && !writeOrders(file, {order(KindOrdinary, QStringLiteral("PIERWSZY")), order(KindZus, QString()),
                                   order(KindTax, QStringLiteral("TRZECI"))}))
            qFatal("cannot write the test orders");
        return file;
    }

    QProcessEnvironment programEnvironment(const QString &config = QString()) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.isEmpty() ? path("config") : config);
        return env;
    }

    // Runs the program the way a calling program would, in the test's folder;
    // `envChanges` holds "NAME=value" to set and "NAME" to remove.
    Run runProgram(const QStringList &args, const QString &config = QString(), const QString &program = QString(),
                   const QByteArray &input = QByteArray(), const QStringList &envChanges = {})
    {
        QProcess p;
        QProcessEnvironment env = programEnvironment(config);
        for (const QString &change : envChanges) {
            if (change.contains(u'='))
                env.insert(change.section(u'=', 0, 0), change.section(u'=', 1));
            else
                env.remove(change);
        }
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(m_dir.path());
        if (program.isEmpty())
            p.start(QStringLiteral(KANTOMIX_EXE), args);
        else
            p.start(program, args);
        if (!input.isNull()) {
            p.write(input);
            p.closeWriteChannel();
        }
        Run r;
        if (!p.waitForFinished(120000)) {
            p.kill();
            p.waitForFinished();
            return r;
        }
        r.crashed = p.exitStatus() != QProcess::NormalExit;
        r.exitCode = p.exitCode();
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }

    // The program printing `in` into the PDF file `out`, its standard error to read.
    void startPrinting(QProcess &p, const QString &in, const QString &out) const
    {
        p.setProcessEnvironment(programEnvironment());
        p.setReadChannel(QProcess::StandardError);
        p.start(QStringLiteral(KANTOMIX_EXE), {QStringLiteral("/pt"), in, QStringLiteral("PDF"), QString(), out});
    }

    // The program's settings file holding these lines of its settings group.
    QString configWith(const QString &name, const QByteArray &settings)
    {
        const QString dir = path(name);
        QDir(dir).removeRecursively();
        QDir().mkpath(dir + QStringLiteral("/WexSoft"));
        if (!writeFile(dir + QStringLiteral("/WexSoft/Kantomix.conf"), "[Settings]\n" + settings + "\n"))
            qFatal("cannot write the settings");
        return dir;
    }

private Q_SLOTS:
    // One page per order, no window, into the file the command line, the
    // settings or the printer dialog (/PD; print-to keeps its printer) name,
    // and into no other; a cancelled dialog prints nothing.
    void whereThePagesGo_data()
    {
        QTest::addColumn<QStringList>("args");      // IN: three orders; OUT: named.pdf
        QTest::addColumn<bool>("storedPrinter");    // the settings name PDF into stored.pdf
        QTest::addColumn<int>("dialog");            // /PD answered: 1 by picking picked.pdf, 0 by cancelling; -1 none
        QTest::addColumn<QString>("written");       // OUT, IN.pdf, stored.pdf, picked.pdf, or "" for none
        const QStringList printTo {"/pt", "IN", "PDF", "driver", "OUT"};
        const QStringList print {"/p", "IN"};
        const QStringList dialog {"/PD"};
        QTest::newRow("/pt: its printer") << printTo << false << -1 << "OUT";
        QTest::newRow("/pt: its printer, not the stored one") << printTo << true << -1 << "OUT";
        QTest::newRow("/p /*PRNM*PDF: beside the input") << QStringList{"/p", "IN", "/*PRNM*PDF"} << false << -1 << "IN.pdf";
        QTest::newRow("/p: the stored printer") << print << true << -1 << "stored.pdf";
        QTest::newRow("/pt /PD: its printer") << printTo + dialog << true << 1 << "OUT";
        QTest::newRow("/pt /PD: cancelled") << printTo + dialog << true << 0 << "";
        QTest::newRow("/p /PD: the printer picked") << print + dialog << true << 1 << "picked.pdf";
        QTest::newRow("/p /PD: cancelled") << print + dialog << true << 0 << "";
    }
    void whereThePagesGo()
    {
        QFETCH(QStringList, args);
        QFETCH(bool, storedPrinter);
        QFETCH(int, dialog);
        QFETCH(QString, written);
        const QStringList names {"OUT", "IN.pdf", "stored.pdf", "picked.pdf"};
        const QStringList files {path("named.pdf"), threeOrders() + QStringLiteral(".pdf"), path("stored.pdf"),
                                 path("picked.pdf")};
        for (const QString &f : files)
            QFile::remove(f);
        for (QString &a : args)
            a = a == u"IN" ? threeOrders() : a == u"OUT" ? files[0] : a;
        CKantomixCommandLineInfo cmd;
        cmd.ParseArguments(args);
        AllSettings s;
        s.ordinary.fitInBox = s.tax.fitInBox = 0;   // whole words, to find them in the PDF
        if (storedPrinter) {
            s.general.device = QStringLiteral("PDF");
            s.general.port = files[2];
        }
        InProcess run;
        int shown = 0;
        if (dialog >= 0)
            run.env.printerDialog = [&](QPrinter &printer) {
                ++shown;
                printer.setOutputFormat(QPrinter::PdfFormat);
                printer.setOutputFileName(files[3]);
                return dialog == 1;
            };
        QCOMPARE(dialog < 0 ? runBatchPrint(cmd, s) : runBatchPrint(cmd, s, run.env),
                 dialog == 0 ? int(BatchCancelled) : int(BatchPrinted));
        QCOMPARE(shown, dialog < 0 ? 0 : 1);
        QCOMPARE(run.noted(QStringLiteral("Wybór drukarki (/PD) anulowany")), dialog == 0);
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
        const QString out = written.isEmpty() ? QString() : files[names.indexOf(written)];
        for (const QString &f : files)
            QCOMPARE(QFile::exists(f), f == out);
        if (out.isEmpty())
            return;
        QCOMPARE(pageCount(out), 3);
        const PdfText text = PdfText::read(out);
        QVERIFY(!text.find(QStringLiteral("PIERWSZY"), 0).isEmpty());
        QVERIFY(!text.find(QStringLiteral("TRZECI"), 2).isEmpty());
    }

    void editBeforePrintShowsEachOrder_data()
    {
        QTest::addColumn<QStringList>("kinds");     // of the orders in the file
        QTest::addColumn<QStringList>("answers");   // per dialog: "enter" (after an edit) or "cancel"
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<int>("pages");             // -1: no PDF at all
        QTest::newRow("first confirmed, second cancelled")
            << QStringList{"0", "0"} << QStringList{"enter", "cancel"} << int(BatchCancelled) << -1;
        QTest::newRow("both confirmed") << QStringList{"0", "0"} << QStringList{"enter", "enter"}
                                        << int(BatchPrinted) << 2;
        QTest::newRow("one of each kind confirmed")
            << QStringList{"0", "1", "2"} << QStringList{"enter", "enter", "enter"} << int(BatchPrinted) << 3;
        QTest::newRow("the tax order cancelled")
            << QStringList{"1", "2"} << QStringList{"enter", "cancel"} << int(BatchCancelled) << -1;
        QTest::newRow("no one to ask") << QStringList{"0", "0"} << QStringList{} << int(BatchNotAvailable) << -1;
    }
    void editBeforePrintShowsEachOrder()
    {
        QFETCH(QStringList, kinds);
        QFETCH(QStringList, answers);
        QFETCH(int, exitCode);
        QFETCH(int, pages);
        QList<CPrzelewDane> orders;
        for (int i = 0; i < kinds.size(); ++i)
            orders << order(kinds[i].toInt(), QStringLiteral("ODBIORCA%1").arg(i + 1));
        const QString file = path("ebp.txt");
        QVERIFY(writeOrders(file, orders));
        const QString out = path("ebp.pdf");
        QFile::remove(out);
        CKantomixCommandLineInfo cmd = printTo(file, QStringLiteral("PDF"), out);
        cmd.m_bEditBeforePrint = 1;

        // Answers each details dialog as it comes: the recipient changed, then Enter or "Anuluj".
        DialogScript script;
        int shown = 0;
        for (const QString &answer : std::as_const(answers))
            script.onDialog<CContainerDlg>([&shown, answer](CContainerDlg *dlg) {
                ++shown;
                if (answer == QLatin1String("cancel")) {
                    dlg->cancelButton()->click();
                    return;
                }
                // The ZUS page has no recipient: its payer is edited instead.
                QLineEdit *name = dlg->currentKindNumber() == 2 ? dlg->zusPage()->payer1()
                                : dlg->currentKindNumber() == 3 ? dlg->taxPage()->office1()
                                                                : dlg->ordinaryPage()->recipient1();
                name->setText(QStringLiteral("ZMIENIONY%1").arg(shown));
                QTest::keyClick(dlg, Qt::Key_Return);
            });
        AllSettings settings;
        // Names print as words, not a letter per box.
        settings.ordinary.fitInBox = 0;
        settings.zus.fitInBox = 0;
        settings.tax.fitInBox = 0;
        const RegisterLocation where {path("register.db")};
        InProcess run;
        if (!answers.isEmpty())     // without a display no one confirms
            run.env.confirm = [&](CPrzelewDane &r) { return confirmOrderInDialog(r, settings, where); };
        const int rc = runBatchPrint(cmd, settings, run.env);
        QCOMPARE(rc, exitCode);
        QCOMPARE(shown, answers.size());
        QCOMPARE(QFile::exists(out), pages > 0);
        if (pages > 0) {
            const PdfText text = PdfText::read(out);
            QCOMPARE(int(text.pages.size()), pages);
            for (int p = 0; p < pages; ++p) {
                QVERIFY(!text.find(QStringLiteral("ZMIENIONY%1").arg(p + 1), p).isEmpty());
                const QString before = kinds[p] == QLatin1String("1") ? QStringLiteral("NADAWCA")
                                                                      : QStringLiteral("ODBIORCA%1").arg(p + 1);
                QVERIFY2(text.find(before, p).isEmpty(), qPrintable(before));
            }
        }
    }

    void helpShowsTheExitCodesWithoutADisplay()
    {
        const Run r = runProgram({QStringLiteral("-platform"), QStringLiteral("xcb"), QStringLiteral("--help")});
        QCOMPARE(r.exitCode, 0);
        QProcess p;
        p.setProcessEnvironment(programEnvironment());
        p.start(QStringLiteral(KANTOMIX_EXE), {QStringLiteral("--help")});
        QVERIFY(p.waitForFinished(30000));
        const QString help = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY(help.contains(QStringLiteral("Kody wyjścia")));
        for (int code = 0; code <= 6; ++code)
            QVERIFY2(help.contains(QStringLiteral("\n  %1  ").arg(code)), qPrintable(help));
    }

    // Fault 2: the output path is the input file, also through a link.
    void outputThatIsTheInputIsRefused_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("same path") << "same";
        QTest::newRow("another spelling") << "dots";
        QTest::newRow("symbolic link") << "symlink";
        QTest::newRow("hard link") << "hardlink";
    }
    void outputThatIsTheInputIsRefused()
    {
        QFETCH(QString, how);
        const QString in = path("victim-" + how + ".txt");
        QVERIFY(QFile::exists(in) || QFile::copy(threeOrders(), in));
        const QByteArray before = readFile(in);
        QString out = in;
        if (how == u"dots") {
            out = m_dir.path() + QStringLiteral("/./") + QFileInfo(in).fileName();
        } else if (how == u"symlink") {
            out = path("link-" + how + ".pdf");
            QFile::remove(out);
            QVERIFY(QFile::link(in, out));
        } else if (how == u"hardlink") {
            out = path("hard-" + how + ".pdf");
            QFile::remove(out);
            QCOMPARE(::link(QFile::encodeName(in).constData(), QFile::encodeName(out).constData()), 0);
        }
        const Run r = runProgram({QStringLiteral("/pt"), in, QStringLiteral("PDF"), QString(), out});
        QCOMPARE(r.exitCode, int(BatchBadCommandLine));
        QVERIFY2(r.err.contains(QStringLiteral("jest plikiem z przelewami")), qPrintable(r.err));
        QCOMPARE(readFile(in), before);
    }

    // Fault 3: a write that fails reports itself and leaves no file.
    void writeFailureIsReported_data()
    {
        QTest::addColumn<qint64>("limit");
        QTest::newRow("nothing written") << qint64(0);
        QTest::newRow("fails in the first page") << qint64(2000);
        QTest::newRow("fails at the end") << qint64(-1);   // all but the last 100 bytes
    }
    void writeFailureIsReported()
    {
        QFETCH(qint64, limit);
        if (limit < 0) {
            // Measure the PDF once, then let the device fail near its end.
            QBuffer whole;
            whole.open(QIODevice::WriteOnly);
            InProcess measure;
            measure.env.pdfDevice = &whole;
            QCOMPARE(runBatchPrint(printTo(threeOrders(), QStringLiteral("PDF"), path("m.pdf")), AllSettings(),
                                   measure.env),
                     int(BatchPrinted));
            limit = whole.size() - 100;
            QVERIFY(limit > 0);
        }
        FailDevice device(limit);
        device.open(QIODevice::WriteOnly);
        InProcess run;
        run.env.pdfDevice = &device;
        QCOMPARE(runBatchPrint(printTo(threeOrders(), QStringLiteral("PDF"), path("fail.pdf")), AllSettings(), run.env),
                 int(BatchPageFailed));
        QVERIFY2(run.noted(QStringLiteral("Brak miejsca na urządzeniu")), qPrintable(run.notes.join(u'\n')));
        QVERIFY(!QFile::exists(path("fail.pdf")));
    }

    void writeFailureOfTheProgram_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("shell");     // run through /bin/sh with this before the program
        QTest::addColumn<QString>("reason");
        QTest::newRow("/dev/full") << "/dev/full" << "" << "brak miejsca na urządzeniu";
        // A file size limit of two blocks: the write fails like on a full disk,
        // whether the caller ignores the signal or not.
        QTest::newRow("file size limit, signal ignored")
            << "limited.pdf" << "trap '' XFSZ; ulimit -f 2;" << "plik przekroczyłby dozwolony rozmiar";
        QTest::newRow("file size limit") << "limited.pdf" << "ulimit -f 2;" << "plik przekroczyłby dozwolony rozmiar";
    }
    void writeFailureOfTheProgram()
    {
        QFETCH(QString, target);
        QFETCH(QString, shell);
        QFETCH(QString, reason);
        if (target.startsWith(u'/') && !QFile::exists(target))
            QSKIP("no /dev/full here");
        QString out = target.startsWith(u'/') ? target : path(target);
        const QStringList args {QStringLiteral("/pt"), threeOrders(), QStringLiteral("PDF"), QString(), out};
        Run r;
        if (shell.isEmpty()) {
            r = runProgram(args);
        } else {
            writeFile(out, "older");
            r = runProgram(QStringList{QStringLiteral("-c"), shell + QStringLiteral(" exec \"$0\" \"$@\""),
                                       QStringLiteral(KANTOMIX_EXE)} + args,
                           QString(), QStringLiteral("/bin/sh"));
            QCOMPARE(readFile(out), QByteArray("older"));
        }
        QVERIFY(!r.crashed);
        QCOMPARE(r.exitCode, int(BatchPageFailed));
        QVERIFY2(r.err.contains(QStringLiteral("Zapisanie pliku PDF")) && r.err.contains(reason), qPrintable(r.err));
        QVERIFY(!r.err.contains(QStringLiteral("Rozpoczęcie zadania drukowania")));
        const QStringList left = QDir(m_dir.path()).entryList({QStringLiteral("limited.pdf*")}, QDir::Files);
        QVERIFY2(left.size() <= 1, qPrintable(left.join(u' ')));
    }

    // Two runs onto one path: the last rename wins, the file is never damaged.
    void twoRunsOntoOnePathLeaveAWholeFile()
    {
        const QString out = path("shared.pdf");
        QProcess a, b;
        for (QProcess *p : {&a, &b})
            startPrinting(*p, threeOrders(), out);
        QVERIFY(a.waitForFinished(120000) && b.waitForFinished(120000));
        QCOMPARE(a.exitCode(), 0);
        QCOMPARE(b.exitCode(), 0);
        QCOMPARE(pageCount(out), 3);
    }

    // Fault 7: an empty or unknown print font prints in the default font.
    void printFontFallsBack_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::newRow("empty") << "FontName=";
        QTest::newRow("unknown") << "FontName=Kantomix No Such Font";
        QTest::newRow("blank") << "FontName=\"   \"";
    }
    void printFontFallsBack()
    {
        QFETCH(QString, setting);
        const QString config = configWith(QStringLiteral("font"), "FitInBox=0\nTAXFitInBox=0\n" + setting.toUtf8());
        const QString out = path("font.pdf");
        QFile::remove(out);
        const Run r = runProgram({QStringLiteral("/pt"), threeOrders(), QStringLiteral("PDF"), QString(), out}, config);
        QCOMPARE(r.exitCode, 0);
        const PdfText text = PdfText::read(out);
        QVERIFY(!text.find(QStringLiteral("PIERWSZY"), 0).isEmpty());
        QProcess fonts;
        fonts.start(QStringLiteral("pdffonts"), {out});
        QVERIFY(fonts.waitForFinished(30000));
        QVERIFY2(fonts.readAllStandardOutput().contains("LiberationMono"), "not printed in the default font");
        QCOMPARE(printFontFamily(QString()), QStringLiteral("Courier New"));
    }

    // A note for every line passed over, every order cut on paper and every
    // page printed without the code asked for; amounts that are not amounts
    // pass their line over ("12,5" keeps its documented reading 12,05).
    void notesForTheCaller_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("settings");   // lines of the settings' group
        QTest::addColumn<int>("pages");             // -1: no PDF
        QTest::addColumn<QString>("printed");       // on the first page, in words
        QTest::addColumn<QStringList>("notes");     // the beginning of each note, all of them
        const QByteArray good = lineOf(order(KindOrdinary, QStringLiteral("KROTKA")));
        const QByteArray longName =
            lineOf(order(KindOrdinary, QStringLiteral("NAZWA DLUZSZA NIZ DWADZIESCIA SIEDEM ZNAKOW")));
        CPrzelewDane tax = order(KindTax, QStringLiteral("US"));
        QByteArray zusV5 = lineOf(order(KindZus, QString()));
        QTest::newRow("reasons") << QByteArray("ver=05\r\n" + good + "\r\n" + good.chopped(3) + "\r\n07"
                                               + good.mid(2) + "\r\n" + good + "\r\n")
                                 << QByteArray() << 2 << QString()
                                 << QStringList{"wiersz 3 pominięty: wiersz ma 465 znaków, a przelew rodzaju "
                                                "„Zwykły” w pliku w wersji 5 ma ich 468",
                                                "wiersz 4 pominięty: nieznany rodzaj przelewu „07”"};
        QTest::newRow("tax in version 4") << QByteArray("ver=04\r\n" + lineOf(tax) + "\r\n" + zusV5 + "\r\n")
                                          << QByteArray() << 1 << QString()
                                          << QStringList{"wiersz 2 pominięty: przelewu rodzaju „Podatki” nie może "
                                                         "zawierać plik w wersji 4",
                                                         "wiersz 3, rachunek odbiorcy 83101010230000261395100000: "
                                                         "Rachunek zamknięty 1.01.2018"};
        QTest::newRow("too long") << QByteArray("ver=05\r\n" + QByteArray(5000, 'x') + "\r\n" + good + "\r\n")
                                  << QByteArray() << 1 << QString()
                                  << QStringList{"wiersz 2 pominięty: wiersz jest dłuższy niż 4096 znaków"};
        QTest::newRow("cut on the paper") << QByteArray("ver=05\r\n" + good + "\r\n" + longName + "\r\n")
                                          << QByteArray() << 2 << QString()
                                          << QStringList{"wiersz 3: tekst nie zmieścił się w kratkach i został "
                                                         "obcięty na wydruku: „nazwa odbiorcy”"};
        // A mistyped account is named; both orders are printed all the same.
        CPrzelewDane mistyped = order(KindOrdinary, QStringLiteral("ZLE"));
        mistyped.checkDigits = QStringLiteral("15");
        QTest::newRow("wrong check digits") << QByteArray("ver=05\r\n" + good + "\r\n" + lineOf(mistyped) + "\r\n")
                                            << QByteArray() << 2 << QString()
                                            << QStringList{"wiersz 3: numer rachunku odbiorcy "
                                                           "15-10101023-1234567890123456 ma błędne cyfry kontrolne"};
        CPrzelewDane deposit = order(KindOrdinary, QStringLiteral("WPLATA"));
        deposit.isTransfer = 0;
        QTest::newRow("payment code asked for") << QByteArray("ver=05\r\n" + good + "\r\n" + lineOf(deposit) + "\r\n")
                                                << QByteArray("PaymentQR=1") << 2 << QString()
                                                << QStringList{"wiersz 3: bez kodu QR do płatności: Wpłata gotówkowa"};
        const QByteArray amountLine = lineOf(order(KindOrdinary, QStringLiteral("KWOTA")));
        const QList<std::pair<QByteArray, QString>> amounts {{"12,5", "**12,05**"}, {"12,50", "**12,50**"},
                                                             {"1 234,50", ""}, {"12,500", ""}, {"12,999", ""},
                                                             {"abc,de", ""}, {"1e3,00", ""}};
        for (const auto &[amount, printed] : amounts) {
            const QStringList passedOver {QStringLiteral("wiersz 2 pominięty: „%1” nie jest kwotą").arg(QString::fromLatin1(amount)),
                                          QStringLiteral("Nie wydrukowano żadnego przelewu.")};
            QTest::addRow("amount %s", amount.constData())
                << QByteArray("ver=05\r\n" + QByteArray(amountLine).replace(168, 20, amount.leftJustified(20, ' ')) + "\r\n")
                << QByteArray("FitInBox=0") << (printed.isEmpty() ? -1 : 1) << printed
                << (printed.isEmpty() ? passedOver : QStringList());
        }
    }
    void notesForTheCaller()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, settings);
        QFETCH(int, pages);
        QFETCH(QString, printed);
        QFETCH(QStringList, notes);
        const QString in = path("notes.txt"), out = path("notes.pdf"), ini = path("notes.ini");
        QVERIFY(writeFile(in, content));
        QVERIFY(writeFile(ini, "[Settings]\n" + settings + "\n"));
        QFile::remove(out);
        QSettings store(ini, QSettings::IniFormat);
        AllSettings s;
        s.read(store);
        InProcess run;
        QCOMPARE(runBatchPrint(printTo(in, QStringLiteral("PDF"), out), s, run.env), int(BatchPrinted));
        QCOMPARE(pageCount(out), pages);
        if (!printed.isEmpty())
            QVERIFY(!PdfText::read(out).find(printed, 0).isEmpty());
        QCOMPARE(run.notes.size(), notes.size());
        for (const QString &n : notes)
            QVERIFY2(std::any_of(run.notes.begin(), run.notes.end(), [&](const QString &got) { return got.startsWith(n); }),
                     qPrintable(run.notes.join(u'\n')));
    }

    // What a calling program may hand over: a stale display, words that look
    // like switches, Qt's options, unknown switches. Nothing may abort.
    void callerCommandLines_data()
    {
        QTest::addColumn<QStringList>("args");     // IN: three orders; OUT: out.pdf in the test folder
        QTest::addColumn<QStringList>("env");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("err");          // part of stderr; empty: nothing but the closed ZUS account
        QTest::addColumn<QString>("written");      // the file that holds the three pages (IN.pdf: beside IN), or ""
        const QStringList printTo {"/pt", "IN", "PDF", "", "OUT"};
        // Every word counts by its place, empty or not; Qt's own options are not program words.
        QTest::newRow("PDF \"\" out.pdf") << printTo << QStringList{} << 0 << "" << "OUT";
        QTest::newRow("\"\" PDF out.pdf: no printer named") << QStringList{"/pt", "IN", "", "PDF", "OUT"} << QStringList{}
                                                          << int(BatchCannotStartJob) << "drugie słowo po /pt jest puste" << "";
        QTest::newRow("missing port") << QStringList{"/pt", "IN", "PDF", "drv"} << QStringList{} << 0 << "" << "IN.pdf";
        QTest::newRow("empty port") << QStringList{"/pt", "IN", "PDF", "drv", ""} << QStringList{} << 0 << "" << "IN.pdf";
        const QString noFile = QStringLiteral("Nie podano pliku z przelewami do wydrukowania.");
        QTest::newRow("empty file name") << QStringList{"/pt", "", "PDF", "", "OUT"} << QStringList{}
                                         << int(BatchBadCommandLine) << noFile << "";
        QTest::newRow("no file") << QStringList{"/p"} << QStringList{} << int(BatchBadCommandLine) << noFile << "";
        QTest::newRow("-platform offscreen first") << QStringList{"-platform", "offscreen"} + printTo << QStringList{}
                                                   << 0 << "" << "OUT";
        QTest::newRow("-style after the words") << printTo + QStringList{"-style", "fusion"} << QStringList{} << 0 << ""
                                                << "OUT";
        const QStringList stale {"DISPLAY=:97", "XDG_RUNTIME_DIR"};
        const QString noWindow = QStringLiteral("Nie można otworzyć okna programu");
        QTest::newRow("stale DISPLAY") << printTo << stale << 0 << "" << "OUT";
        QTest::newRow("stale WAYLAND_DISPLAY") << printTo << QStringList{"WAYLAND_DISPLAY=kantomix-none"} << 0 << ""
                                               << "OUT";
        QTest::newRow("stale DISPLAY, xcb asked") << printTo << QStringList{"DISPLAY=:97", "QT_QPA_PLATFORM=xcb"}
                                                  << 0 << "" << "OUT";
        QTest::newRow("/PD, stale DISPLAY") << printTo + QStringList{"/PD"} << stale << 0 << "(/PD) wymaga ekranu"
                                            << "OUT";
        QTest::newRow("/EBP, stale DISPLAY") << printTo + QStringList{"/EBP"} << stale << int(BatchNotAvailable)
                                             << "(/EBP) wymaga ekranu" << "";
        QTest::newRow("window, stale DISPLAY") << QStringList{} << stale << int(BatchNotAvailable) << noWindow << "";
        // Without XDG_RUNTIME_DIR no Wayland compositor of the desktop running the tests is found either.
        QTest::newRow("window, no display") << QStringList{"IN"} << QStringList{"XDG_RUNTIME_DIR"} << int(BatchNotAvailable)
                                            << noWindow << "";
        QTest::newRow("output -wynik.pdf") << QStringList{"/pt", "IN", "PDF", "", "-wynik.pdf"} << QStringList{} << 0
                                           << "" << "-wynik.pdf";
        QTest::newRow("input -zlecenia.txt") << QStringList{"/pt", "-zlecenia.txt", "PDF", "", "OUT"} << QStringList{}
                                             << 0 << "" << "OUT";
        QTest::newRow("X11 options first")
            << QStringList{"-display", ":0", "-name", "n", "-title", "t", "-geometry", "1x1", "-icon", "i", "-visual", "v"}
                   + printTo
            << QStringList{} << 0 << "" << "OUT";
        QTest::newRow("/p with printer words") << QStringList{"/p", "IN", "PDF", "", "OUT"} << QStringList{}
                                               << int(BatchBadCommandLine) << "„PDF”" << "";
        QTest::newRow("unknown switch") << printTo + QStringList{"/bogus"} << QStringList{} << int(BatchBadCommandLine)
                                        << "„/bogus”" << "";
        QTest::newRow("--bogus, no display") << QStringList{"--bogus"} << QStringList{} << int(BatchBadCommandLine)
                                             << "„--bogus”" << "";
        QTest::newRow("escape in a switch") << QStringList{"-\x1B[2J"} << QStringList{} << int(BatchBadCommandLine)
                                            << "„-\\x1B[2J”" << "";
    }
    void callerCommandLines()
    {
        QFETCH(QStringList, args);
        QFETCH(QStringList, env);
        QFETCH(int, exitCode);
        QFETCH(QString, err);
        QFETCH(QString, written);
        const QString out = path("out.pdf"), beside = threeOrders() + QStringLiteral(".pdf");
        for (const QString &f : {out, beside, path("-wynik.pdf")})
            QFile::remove(f);
        QVERIFY(QFile::exists(path("-zlecenia.txt")) || QFile::copy(threeOrders(), path("-zlecenia.txt")));
        for (QString &a : args)
            a = a == u"IN" ? threeOrders() : a == u"OUT" ? out : a;
        const Run r = runProgram(args, QString(), QString(), QByteArray(), env);
        QVERIFY2(!r.crashed, qPrintable(r.err));
        QCOMPARE(r.exitCode, exitCode);
        if (err.isEmpty()) {
            // Only the line naming the ZUS order's account, closed since 2018.
            const QStringList lines = r.err.split(u'\n', Qt::SkipEmptyParts);
            QCOMPARE(lines.size(), 1);
            QVERIFY2(lines[0].startsWith(QStringLiteral("kantomix: wiersz 3, rachunek odbiorcy "
                                                        "83101010230000261395100000: Rachunek zamknięty 1.01.2018")),
                     qPrintable(r.err));
        } else {
            QVERIFY2(r.err.contains(err), qPrintable(r.err));
        }
        if (err.startsWith(u'„'))     // a word named: wrong, with the hint
            QVERIFY2(r.err.contains(QStringLiteral("kantomix --help")), qPrintable(r.err));
        if (!written.isEmpty())
            QCOMPARE(pageCount(written == u"OUT" ? out : written == u"IN.pdf" ? beside : path(written)), 3);
        QCOMPARE(QFile::exists(beside), written == u"IN.pdf");
        QCOMPARE(QFile::exists(out), written == u"OUT");
    }

    // The caller's own descriptors are written straight; descriptors the
    // caller closed are not taken by the PDF.
    void callerDescriptors_data()
    {
        QTest::addColumn<QString>("command");      // run by the shell in a folder holding in.txt; $0 is the program
        QTest::addColumn<QByteArray>("before");     // what out.pdf holds before
        const QString run = QStringLiteral("exec \"$0\" /pt in.txt PDF '' ");
        QTest::newRow("/dev/stdout redirected") << run + "/dev/stdout > out.pdf" << QByteArray("older");
        QTest::newRow("/dev/stdout appended") << run + "/dev/stdout >> out.pdf" << QByteArray("kept\n");
        QTest::newRow("/dev/fd/3") << run + "/dev/fd/3 3> out.pdf" << QByteArray();
        QTest::newRow("/proc/self/fd/1") << run + "/proc/self/fd/1 > out.pdf" << QByteArray();
        QTest::newRow("0, 1 and 2 closed") << run + "out.pdf <&- >&- 2>&-" << QByteArray("older");
        QTest::newRow("input from a pipe") << "cat in.txt | \"$0\" /pt /dev/stdin PDF '' out.pdf" << QByteArray();
        // Names in Windows-1250 bytes: the very bytes are read and written, the input left in place.
        QTest::newRow("names in Windows-1250")
            << "n=$(printf 'zlecenia_\\271.txt') o=$(printf 'wynik_\\271.pdf'); mv in.txt \"$n\" && "
               "\"$0\" /pt \"$n\" PDF '' \"$o\" && mv \"$n\" in.txt && mv \"$o\" out.pdf"
            << QByteArray();
    }
    void callerDescriptors()
    {
        QFETCH(QString, command);
        QFETCH(QByteArray, before);
        QTemporaryDir dir;
        const QString in = dir.filePath(QStringLiteral("in.txt")), out = dir.filePath(QStringLiteral("out.pdf"));
        // A line passed over: a note is written, wherever descriptor 2 leads.
        QByteArray content = readFile(threeOrders());
        QVERIFY(writeFile(in, content + "99 not an order\r\n"));
        QVERIFY(writeFile(out, before));
        const Run r = runProgram({QStringLiteral("-c"),
                                  QStringLiteral("cd \"$1\" && ") + command,
                                  QStringLiteral(KANTOMIX_EXE), dir.path()},
                                 QString(), QStringLiteral("/bin/sh"));
        QCOMPARE(r.exitCode, 0);
        QByteArray pdf = readFile(out);
        const QByteArray kept = before == "kept\n" ? before : QByteArray();
        QVERIFY(pdf.startsWith(kept + "%PDF"));
        QVERIFY(!pdf.contains("kantomix:"));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("alone.pdf")), pdf.mid(kept.size())));
        QCOMPARE(pageCount(dir.filePath(QStringLiteral("alone.pdf"))), 3);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
                 QStringList({QStringLiteral("alone.pdf"), QStringLiteral("in.txt"), QStringLiteral("out.pdf")}));
    }

    // Files that are no files of orders, lines passed over, and orders printed
    // as they are but named: one line each, readable on a terminal, capped.
    void fileContents_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<int>("pages");          // -1: no PDF
        QTest::addColumn<QStringList>("notes");  // parts of stderr, each in a line of its own
        QTest::addColumn<int>("lines");          // lines on stderr
        QTest::addColumn<QByteArray>("settings"); // the program's settings file, or none
        const QByteArray head = "ver=05\r\n";
        const CPrzelewDane base = order(KindOrdinary, QStringLiteral("ODBIORCA"));
        const QByteArray good = lineOf(base) + "\r\n";
        const auto patched = [&](int at, const QByteArray &bytes) {
            QByteArray line = lineOf(base);
            line.replace(at, bytes.size(), bytes);
            return head + line + "\r\n";
        };
        const auto account = [&](const QString &check, const QString &bank, const QString &rest) {
            CPrzelewDane r = base;
            r.checkDigits = check;
            r.bankNumber = bank;
            r.accountRest = rest;
            return head + lineOf(r) + "\r\n";
        };
        QByteArray pdfBytes = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
        for (int i = 0; i < 200; ++i)
            pdfBytes += QByteArray::number(i) + " 0 obj << /Length 12 >> stream\n\x01\x02\xFF\x80\nendstream\n";
        const QString notOrders = QStringLiteral("nie jest plikiem przelewów");
        QTest::newRow("a PDF") << pdfBytes << int(BatchFileNotOpened) << -1 << QStringList{notOrders} << 1 << QByteArray();
        QTest::newRow("a program") << readFile(QStringLiteral("/bin/sh")).left(200000) << int(BatchFileNotOpened) << -1
                                   << QStringList{notOrders} << 1 << QByteArray();
        // Nothing printed leaves no file that passes for the result.
        const QString nothing = QStringLiteral("Nie wydrukowano żadnego przelewu.");
        QTest::newRow("empty file") << QByteArray() << 0 << -1 << QStringList{nothing} << 1 << QByteArray();
        QTest::newRow("header only") << head << 0 << -1 << QStringList{nothing} << 1 << QByteArray();
        QTest::newRow("every line passed over") << QByteArray(head + "this is not an order\r\n99 neither\r\n") << 0 << -1
                                                << QStringList{"wiersz 3 pominięty: nieznany rodzaj przelewu „99”", nothing}
                                                << 3 << QByteArray();
        QTest::newRow("negative amount")
            << QByteArray(head + good + lineOf(base).replace(168, 6, "-12,50") + "\r\n") << 0 << 1
            << QStringList{"wiersz 3 pominięty: „-12,50” nie jest kwotą do zapłaty"} << 1 << QByteArray();
        QTest::newRow("NUL and escape") << QByteArray(head + good + "\x1B[2J\r\n0" + QByteArray(1, '\0') + "x\r\n")
                                        << 0 << 1
                                        << QStringList{"wiersz 3 pominięty: nieznany rodzaj przelewu „\\x1B[”",
                                                       "wiersz 4 pominięty: nieznany rodzaj przelewu „0\\x00” (znane"}
                                        << 2 << QByteArray();
        QByteArray junk = head + good;
        for (int i = 0; i < 300; ++i)
            junk += "junk\r\n";
        QTest::newRow("notes capped") << junk << 0 << 1
                                      << QStringList{"wiersz 102 pominięty", "Nie wypisano dalszych uwag: 200."} << 101 << QByteArray();
        QTest::newRow("six characters first") << QByteArray("abcdef\r\n" + lineOf(base, 1) + "\r\n") << 0 << 1
                                              << QStringList{"wiersz 1 pominięty: sześć znaków"} << 1 << QByteArray();
        const QString shortAccount = QStringLiteral("nie składa się z 26 cyfr");
        QTest::newRow("account too short") << account("51", "10101023", "123") << 0 << 1 << QStringList{shortAccount}
                                           << 1 << QByteArray();
        QTest::newRow("account with letters") << account("51", "10101023", "12345678901234AB") << 0 << 1
                                              << QStringList{shortAccount} << 1 << QByteArray();
        QTest::newRow("no account") << account("", "", "") << 0 << 1
                                    << QStringList{"wiersz 2: brak numeru rachunku odbiorcy"} << 1 << QByteArray();
        const int date = int(lineOf(base).size()) - 10;
        QTest::newRow("date 30.11.2026") << patched(date, "30.11.2026") << 0 << 1
                                         << QStringList{"data „30.11.2026” nie jest datą"} << 1 << QByteArray();
        QTest::newRow("date 2026-02-30") << patched(date, "2026-02-30") << 0 << 1
                                         << QStringList{"data „2026-02-30” nie jest datą"} << 1 << QByteArray();
        QTest::newRow("transfer flag X") << patched(164, "X") << 0 << 1
                                         << QStringList{"znak rodzaju „X” nie jest P (przelew) ani W (wpłata)"} << 1 << QByteArray();
        QTest::newRow("text in UTF-8") << patched(12, "\xC5\x81\xC3\x93\x44\xC5\xB9") << 0 << 1
                                       << QStringList{"zapisane w UTF-8"} << 1 << QByteArray();
        QTest::newRow("Polish text in Windows-1250") << patched(12, "P\xD3\xA3NOC \xA3\xD3\x44\x8F") << 0 << 1
                                                     << QStringList{} << 0 << QByteArray();
        // Free text cut at the field's edge at a large print font.
        QTest::newRow("free text at a large font")
            << QByteArray(head + lineOf(order(KindOrdinary, QStringLiteral("ODBIORCA Z DŁUGĄ NAZWĄ"))) + "\r\n") << 0
            << 1 << QStringList{"obcięty na wydruku: „nazwa odbiorcy”"} << 1 << QByteArray("FitInBox=0\nFontSize=48");
        // Printed all the same, each named: a mistyped account, money to a
        // closed account, a tax to the wrong kind of account; a right order is not.
        CPrzelewDane swapped = base;
        swapped.accountRest = QStringLiteral("1234567890123465");
        QTest::newRow("two digits swapped") << QByteArray(head + good + lineOf(swapped) + "\r\n") << 0 << 2
                                            << QStringList{"wiersz 3: numer rachunku odbiorcy 51-10101023-1234567890123465 "
                                                           "ma błędne cyfry kontrolne"}
                                            << 1 << QByteArray();
        CPrzelewDane closed = base;
        closed.checkDigits = QStringLiteral("68");
        closed.accountRest = QStringLiteral("0000261395400000");
        CPrzelewDane pit = order(KindTax, QStringLiteral("US"));
        pit.taxFormSymbol = QStringLiteral("PIT37");
        pit.payerId = QStringLiteral("1234563218");
        CPrzelewDane micro = pit;
        micro.checkDigits = QStringLiteral("88");
        micro.bankNumber = QStringLiteral("10100071");
        micro.accountRest = QStringLiteral("2222123456321800");
        QTest::newRow("payment warnings")
            << QByteArray(head + lineOf(closed) + "\r\n" + lineOf(pit) + "\r\n" + lineOf(micro) + "\r\n") << 0 << 3
            << QStringList{"wiersz 2, rachunek odbiorcy 68-10101023-0000261395400000: Rachunek zamknięty 1.01.2018",
                           "wiersz 3, rachunek odbiorcy 51-10101023-1234567890123456: PIT37 płaci się na "
                           "mikrorachunek podatkowy płatnika"}
            << 2 << QByteArray();
    }
    void fileContents()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, exitCode);
        QFETCH(int, pages);
        QFETCH(QStringList, notes);
        QFETCH(int, lines);
        QFETCH(QByteArray, settings);
        const QString in = path("contents.txt"), out = path("contents.pdf");
        const QByteArray older = "%PDF an older result";
        QVERIFY(writeFile(in, content));
        QVERIFY(writeFile(out, older));
        const Run r = runProgram({QStringLiteral("/pt"), in, QStringLiteral("PDF"), QString(), out},
                                 settings.isEmpty() ? QString() : configWith(QStringLiteral("contents-config"), settings));
        QVERIFY(!r.crashed);
        QCOMPARE(r.exitCode, exitCode);
        QCOMPARE(pageCount(out), pages);
        // No pages: the older file stays where the file was refused, and goes where nothing was printed.
        if (pages < 0)
            QCOMPARE(QFile::exists(out) ? readFile(out) : QByteArray("none"), exitCode ? older : QByteArray("none"));
        const QStringList got = r.err.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(got.size(), lines);
        for (const QString &n : notes)
            QVERIFY2(std::any_of(got.begin(), got.end(), [&](const QString &l) { return l.contains(n); }),
                     qPrintable(r.err));
        QVERIFY2(!r.err.contains(QRegularExpression(QStringLiteral("[\\x00-\\x09\\x0B-\\x1F\\x7F]"))),
                 "a control character reached stderr");
    }

    // Reasons in Polish, naming what failed: the input, the output, the printer.
    void honestReasons_data()
    {
        QTest::addColumn<QString>("input");     // IN: three orders; relative to the test folder
        QTest::addColumn<QString>("printer");
        QTest::addColumn<QString>("output");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("reason");
        const QString tooLong(300, u'x');
        QTest::newRow("input: link loop") << "loop-a" << "PDF" << "o.pdf" << 1 << "pętla dowiązań";
        QTest::newRow("input: name too long") << tooLong << "PDF" << "o.pdf" << 1 << "nazwa pliku jest za długa";
        QTest::newRow("input: not a folder") << "IN/x" << "PDF" << "o.pdf" << 1 << "część ścieżki nie jest folderem";
        QTest::newRow("output: not a folder") << "IN" << "PDF" << "IN/x.pdf" << 2 << "część ścieżki nie jest folderem";
        QTest::newRow("output: name too long") << "IN" << "PDF" << tooLong << 2 << "nazwa pliku jest za długa";
        QTest::newRow("unknown printer") << "IN" << "Kantomix-No-Such" << "" << 2
                                         << "Drukarka „Kantomix-No-Such” (podana po /pt) nie istnieje";
        QTest::newRow("pdf in lower case") << "IN" << "pdf" << "" << 2 << "nazywa się „PDF” (wielkimi literami)";
        QTest::newRow("empty printer name") << "IN" << "" << "" << 2 << "drugie słowo po /pt jest puste";
        QTest::newRow("output: missing folder") << "IN" << "PDF" << "no/such/dir/out.pdf" << 2 << "no/such/dir/out.pdf";
        QTest::newRow("input: missing") << "no-such-file.txt" << "PDF" << "o.pdf" << 1 << "Nie można odnaleźć pliku";
        QTest::newRow("input: a folder") << "." << "PDF" << "o.pdf" << 1 << "jest folderem";
        QTest::newRow("input: a device") << "/dev/zero" << "PDF" << "o.pdf" << 1 << "nie jest zwykłym plikiem ani potokiem";
        QTest::newRow("input: unreadable") << "locked.txt" << "PDF" << "o.pdf" << 1 << "Nie można otworzyć pliku";
    }
    void honestReasons()
    {
        QFETCH(QString, input);
        QFETCH(QString, printer);
        QFETCH(QString, output);
        QFETCH(int, exitCode);
        QFETCH(QString, reason);
        QFile::link(path("loop-b"), path("loop-a"));
        QFile::link(path("loop-a"), path("loop-b"));
        const auto resolve = [&](QString p) { return p.replace(QStringLiteral("IN"), threeOrders()); };
        const QString in = input.startsWith(u"IN") ? resolve(input) : input.startsWith(u'/') ? input : path(input);
        const QString out = output.isEmpty() ? output : output.startsWith(u"IN") ? resolve(output) : path(output);
        if (input == u"locked.txt") {
            if (::geteuid() == 0)
                QSKIP("root reads every file");
            writeFile(in, lineOf(order(KindOrdinary, QStringLiteral("X"))));
            QFile::setPermissions(in, QFileDevice::WriteOwner);
        }
        const Run r = runProgram({QStringLiteral("/pt"), in, printer, QString(), out});
        QVERIFY(!r.crashed);
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2(r.err.contains(reason), qPrintable(r.err));
        if (exitCode == BatchCannotStartJob)
            QVERIFY2(r.err.contains(QStringLiteral("Rozpoczęcie zadania drukowania nie jest możliwe.")), qPrintable(r.err));
        QVERIFY(out.isEmpty() || !QFile::exists(out));
        QVERIFY2(!r.err.contains(QRegularExpression(
                     QStringLiteral("No such|Not a |too long|denied|not permitted|Input/output|Read-only"))),
                 qPrintable(r.err));
    }

    // A stored printer that is gone is named, and where its name came from.
    void storedPrinterGoneIsNamed()
    {
        const Run r = runProgram({QStringLiteral("/p"), threeOrders()},
                                 configWith(QStringLiteral("gone-config"), "PrnDevice=Kantomix-Gone-Printer"));
        QCOMPARE(r.exitCode, int(BatchCannotStartJob));
        QVERIFY2(r.err.contains(QStringLiteral("„Kantomix-Gone-Printer” (zapamiętana w opcjach programu)")),
                 qPrintable(r.err));
    }

    // A long job ended from outside: killed, or its input changed by another
    // program. It says why, leaves the older PDF as it was and nothing else
    // behind: no PDF that could pass for the result.
    void interruptedJob_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("exitCode");     // -1: ended by the signal
        QTest::addColumn<QString>("reason");
        QTest::newRow("killed") << "kill" << -1 << "";
        QTest::newRow("input grown") << "grow" << int(BatchFileNotOpened) << "zmienił się w trakcie drukowania";
        QTest::newRow("input truncated") << "truncate" << int(BatchFileNotOpened) << "zmienił się w trakcie drukowania";
    }
    void interruptedJob()
    {
        QFETCH(QString, how);
        QFETCH(int, exitCode);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString in = dir.filePath(QStringLiteral("many.txt")), out = dir.filePath(QStringLiteral("wynik.pdf"));
        QVERIFY(writeLongNamedOrders(in, 1500));
        const QByteArray older = "%PDF-1.4 the older result\n";
        QVERIFY(writeFile(out, older));
        QProcess p;
        startPrinting(p, in, out);
        // Under way: five pages printed, a note each.
        QByteArray err;
        while (err.count("obci") < 5 && p.state() != QProcess::NotRunning && p.waitForReadyRead(60000))
            err += p.readAllStandardError();
        QVERIFY2(err.count("obci") >= 5, err.constData());
        QFile file(in);
        if (how == u"kill")
            p.terminate();
        else if (how == u"grow")
            QVERIFY(file.open(QIODevice::Append)
                    && file.write(lineOf(order(KindOrdinary, QStringLiteral("DOPISANY"))) + "\r\n") > 0);
        else
            QVERIFY(file.resize(2000));
        file.close();
        QVERIFY(p.waitForFinished(120000));
        err += p.readAllStandardError();
        QCOMPARE(p.exitStatus(), exitCode < 0 ? QProcess::CrashExit : QProcess::NormalExit);
        if (exitCode >= 0)
            QCOMPARE(p.exitCode(), exitCode);
        QVERIFY2(err.contains(reason.toUtf8()), err.right(400).constData());
        QCOMPARE(readFile(out), older);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
                 QStringList({QStringLiteral("many.txt"), QStringLiteral("wynik.pdf")}));
    }

    // A reader that closes the pipe ends the job with exit 5 and a reason.
    void readerClosesThePipe()
    {
        QTemporaryDir dir;
        const QString in = dir.filePath(QStringLiteral("many.txt")), fifo = dir.filePath(QStringLiteral("pipe"));
        QList<CPrzelewDane> orders;
        for (int i = 0; i < 300; ++i)
            orders << order(i % 3, QStringLiteral("ODBIORCA %1").arg(i));
        QVERIFY(writeOrders(in, orders));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QProcess p;
        startPrinting(p, in, fifo);
        {
            QFile reader(fifo);
            QVERIFY(reader.open(QIODevice::ReadOnly));
            QVERIFY(!reader.read(100).isEmpty());
        }   // closed after the first bytes
        QVERIFY(p.waitForFinished(120000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), int(BatchPageFailed));
        QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains(QStringLiteral("odbiorca zamknął potok")));
    }

    // Where a file system has no unnamed temporary files, the named one beside
    // the place goes when a signal ends the job.
    void namedTemporaryRemovedOnSignal()
    {
        QTemporaryDir dir;
        const QString place = dir.filePath(QStringLiteral("wynik.pdf"));
        QVERIFY(writeFile(place, "older"));
        const pid_t child = ::fork();
        if (child == 0) {
            PdfTarget target(place, PdfTarget::Temporary::Named);
            if (!target.open() || target.device()->write(QByteArray(600000, 'x')) < 0)
                ::_exit(1);
            ::raise(SIGTERM);
            ::_exit(2);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("wynik.pdf")});
        QCOMPARE(readFile(place), QByteArray("older"));
    }

    // A full disk stops the job at the first failed write.
    void fullDiskStopsAtOnce()
    {
        constexpr int kOrders = 1500;
        const QString in = path("full.txt");
        QVERIFY(writeLongNamedOrders(in, kOrders, 1));   // a note per page tells how far the job went
        FailDevice device(0);
        device.open(QIODevice::WriteOnly);
        InProcess run;
        run.env.pdfDevice = &device;
        QCOMPARE(runBatchPrint(printTo(in, QStringLiteral("PDF"), path("full.pdf")), AllSettings(), run.env),
                 int(BatchPageFailed));
        qsizetype pages = std::count_if(run.notes.begin(), run.notes.end(),
                                        [](const QString &n) { return n.contains(u"obcięty"); });
        for (const QString &n : run.notes)
            if (n.startsWith(u"Nie wypisano dalszych uwag: "))
                pages += n.mid(28).chopped(1).toInt();
        QVERIFY2(pages > 0 && pages < kOrders / 2, qPrintable(QString::number(pages)));
    }

    // Fault 10: the printer gets its orientation back after the job.
    void printerOrientationIsRestored_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("before");
        QTest::newRow("ZUS page on a landscape printer") << int(KindZus) << int(QPageLayout::Landscape);
        QTest::newRow("ordinary 4X page on a portrait printer") << int(KindOrdinary) << int(QPageLayout::Portrait);
    }
    void printerOrientationIsRestored()
    {
        QFETCH(int, kind);
        QFETCH(int, before);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path("orientation.pdf"));
        printer.setPageOrientation(QPageLayout::Orientation(before));
        AllSettings s;
        s.ordinary.originalForm = 0;    // the 4X template is landscape, ZUS is portrait
        CFormPrinter forms(s);
        {
            FormPageJob job(forms, printer);
            QVERIFY(job.printPage(order(kind, QStringLiteral("X"))));
            QVERIFY(printer.pageLayout().orientation() != QPageLayout::Orientation(before));
        }
        QCOMPARE(int(printer.pageLayout().orientation()), before);
    }
};

QTEST_MAIN(TestBatchPrint)
#include "test_batch_print.moc"
