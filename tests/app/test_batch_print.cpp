// Batch printing of a handed-over file: one page per order read, no window.

#include "app/BatchPrint.h"
#include "edit/ContainerDlg.h"
#include "edit/DetailsDlg.h"
#include "model/Import.h"
#include "print/PdfText.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

CPrzelewDane order(int kind, const QString &recipient)
{
    CPrzelewDane r;
    r.SetKind(kind);
    r.recipient1 = recipient;
    r.checkDigits = QStringLiteral("12");
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

CKantomixCommandLineInfo printTo(const QString &file, const QString &printer, const QString &port)
{
    CKantomixCommandLineInfo cmd;
    cmd.ParseArguments({QStringLiteral("/pt"), file, printer, QStringLiteral("driver"), port});
    return cmd;
}

int pageCount(const QString &pdf)
{
    const PdfText t = PdfText::read(pdf);
    return t.ok ? int(t.pages.size()) : -1;
}

} // namespace

class TestBatchPrint : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const char *name) const { return m_dir.filePath(QLatin1String(name)); }
    QString threeOrders()
    {
        const QString file = path("three.txt");
        if (!QFile::exists(file)
            && !writeOrders(file, {order(KindOrdinary, QStringLiteral("PIERWSZY")), order(KindZus, QString()),
                                   order(KindTax, QStringLiteral("TRZECI"))}))
            qFatal("cannot write the test orders");
        return file;
    }

private Q_SLOTS:
    void printToPdfPrintsOnePagePerOrderAndNoWindow()
    {
        const QString out = path("three.pdf");
        AllSettings s;
        s.ordinary.fitInBox = s.tax.fitInBox = 0;   // whole words, to find them in the PDF
        QCOMPARE(runBatchPrint(printTo(threeOrders(), QStringLiteral("PDF"), out), s), int(BatchPrinted));
        QCOMPARE(pageCount(out), 3);
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
        const PdfText text = PdfText::read(out);
        QVERIFY(!text.find(QStringLiteral("PIERWSZY"), 0).isEmpty());
        QVERIFY(!text.find(QStringLiteral("TRZECI"), 2).isEmpty());
    }

    void allLinesRejectedGiveAnEmptyJob()
    {
        const QString file = path("rejected.txt");
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("ver=05\r\nthis is not an order\r\n99 neither is this\r\n");
        f.close();
        const QString out = path("rejected.pdf");
        QCOMPARE(runBatchPrint(printTo(file, QStringLiteral("PDF"), out), AllSettings()), int(BatchPrinted));
        QVERIFY(!QFile::exists(out));   // no page, nothing written
    }

    void missingFilePrintsNothing()
    {
        const QString out = path("missing.pdf");
        QCOMPARE(runBatchPrint(printTo(path("no-such-file.txt"), QStringLiteral("PDF"), out), AllSettings()),
                 int(BatchFileNotOpened));
        QVERIFY(!QFile::exists(out));
    }

    void printWithoutPortWritesBesideTheInput()
    {
        CKantomixCommandLineInfo cmd;
        cmd.ParseArguments({QStringLiteral("/p"), threeOrders(), QStringLiteral("/*PRNM*PDF")});
        QCOMPARE(cmd.m_nShellCommand, CKantomixCommandLineInfo::FilePrint);
        QFile::remove(threeOrders() + QStringLiteral(".pdf"));
        QCOMPARE(runBatchPrint(cmd, AllSettings()), int(BatchPrinted));
        QCOMPARE(pageCount(threeOrders() + QStringLiteral(".pdf")), 3);
    }

    void printUsesTheStoredPrinter()
    {
        AllSettings s;
        s.general.device = QStringLiteral("PDF");
        s.general.port = path("stored.pdf");
        CKantomixCommandLineInfo cmd;
        cmd.ParseArguments({QStringLiteral("/p"), threeOrders()});
        QCOMPARE(runBatchPrint(cmd, s), int(BatchPrinted));
        QCOMPARE(pageCount(s.general.port), 3);
    }

    void printToNamesItsPrinterNotTheStoredOne()
    {
        AllSettings s;
        s.general.device = QStringLiteral("PDF");
        s.general.port = path("not-this.pdf");
        const QString out = path("named.pdf");
        QCOMPARE(runBatchPrint(printTo(threeOrders(), QStringLiteral("PDF"), out), s), int(BatchPrinted));
        QCOMPARE(pageCount(out), 3);
        QVERIFY(!QFile::exists(s.general.port));
    }

    void unknownPrinterCannotStartTheJob()
    {
        QCOMPARE(runBatchPrint(printTo(threeOrders(), QStringLiteral("Kantomix-No-Such-Printer"), QString()),
                               AllSettings()),
                 int(BatchCannotStartJob));
    }

    void unwritablePdfCannotStartTheJob()
    {
        QCOMPARE(runBatchPrint(printTo(threeOrders(), QStringLiteral("PDF"), path("no/such/dir/out.pdf")),
                               AllSettings()),
                 int(BatchCannotStartJob));
    }

    void editBeforePrintWithoutDisplayPrintsNothing()
    {
        CKantomixCommandLineInfo cmd;
        cmd.ParseArguments({QStringLiteral("/p"), threeOrders(), QStringLiteral("/*PRNM*PDF"), QStringLiteral("/EBP")});
        QCOMPARE(cmd.m_bEditBeforePrint, 1);
        QFile::remove(threeOrders() + QStringLiteral(".pdf"));
        // No one to ask: no confirmation at hand.
        QCOMPARE(runBatchPrint(cmd, AllSettings()), int(BatchNotAvailable));
        QVERIFY(!QFile::exists(threeOrders() + QStringLiteral(".pdf")));
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
        QTest::newRow("a ZUS order has no page yet")
            << QStringList{"0", "1"} << QStringList{"enter"} << int(BatchNotAvailable) << -1;
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
        int shown = 0;
        QPointer<CContainerDlg> last;
        QTimer driver;
        driver.setInterval(10);
        connect(&driver, &QTimer::timeout, this, [&] {
            auto *dlg = qobject_cast<CContainerDlg *>(QApplication::activeModalWidget());
            if (!dlg || dlg == last || !dlg->isVisible() || shown >= answers.size())
                return;
            last = dlg;
            const QString answer = answers[shown++];
            if (answer == QLatin1String("cancel")) {
                dlg->cancelButton()->click();
                return;
            }
            dlg->ordinaryPage()->recipient1()->setText(QStringLiteral("ZMIENIONY%1").arg(shown));
            QTest::keyClick(dlg, Qt::Key_Return);
        });
        driver.start();
        AllSettings settings;
        settings.ordinary.fitInBox = 0;   // names print as words, not a letter per box
        const RegisterLocation where {path("register.db")};
        const int rc = runBatchPrint(cmd, settings, [&](CPrzelewDane &r) {
            return confirmOrderInDialog(r, settings, where);
        });
        driver.stop();
        QCOMPARE(rc, exitCode);
        QCOMPARE(shown, answers.size());
        QCOMPARE(QFile::exists(out), pages > 0);
        if (pages > 0) {
            const PdfText text = PdfText::read(out);
            QCOMPARE(int(text.pages.size()), pages);
            for (int p = 0; p < pages; ++p) {
                QVERIFY(!text.find(QStringLiteral("ZMIENIONY%1").arg(p + 1), p).isEmpty());
                QVERIFY(text.find(QStringLiteral("ODBIORCA%1").arg(p + 1)).isEmpty());
            }
        }
    }

    void programPrintsHeadlessAndEnds_data()
    {
        QTest::addColumn<QString>("printer");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<int>("pages");
        QTest::newRow("PDF") << "PDF" << 0 << 3;
        QTest::newRow("no such printer") << "Kantomix-No-Such-Printer" << int(BatchCannotStartJob) << -1;
    }
    void programPrintsHeadlessAndEnds()
    {
        QFETCH(QString, printer);
        QFETCH(int, exitCode);
        QFETCH(int, pages);
        const QString out = path("program.pdf");
        QFile::remove(out);
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), path("config"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(KANTOMIX_EXE),
                {QStringLiteral("/pt"), threeOrders(), printer, QStringLiteral("drv"), out});
        QVERIFY(p.waitForFinished(120000));
        QCOMPARE(p.exitCode(), exitCode);
        QCOMPARE(pageCount(out), pages);
        if (exitCode != 0)
            QVERIFY(QString::fromLocal8Bit(p.readAllStandardError())
                        .contains(QStringLiteral("Rozpoczęcie zadania drukowania nie jest możliwe.")));
    }
};

QTEST_MAIN(TestBatchPrint)
#include "test_batch_print.moc"
