// The main window's "Eksport do banku (Elixir-O)...": the choices asked once,
// the question about quotes, the file written, and the closing summary.

#include "DialogScript.h"
#include "FileBytes.h"
#include "SampleOrders.h"
#include "app/ElixirExportCommand.h"
#include "app/ElixirExportDlg.h"
#include "base/AppIdentity.h"
#include "RegisterTestEnv.h"
#include "UiFixture.h"

#include <QComboBox>
#include <QMenuBar>
#include <QRadioButton>
#include <QtTest>

namespace {

CPrzelewDane order(const QString &recipient, const char *amount)
{
    CPrzelewDane o = bankOrder(recipient, QString::fromLatin1(amount), COrderDate::fromParts(2025, 3, 14));
    o.sender1 = QStringLiteral("Własny nadawca");
    return o;
}

// In list order (by recipient): a complete order, one without a sender, one
// whose name holds quotes, a cash deposit.
QList<CPrzelewDane> orders()
{
    CPrzelewDane noSender = order(QStringLiteral("Beta"), "20,5");
    noSender.senderAccount.clear();
    noSender.sender1.clear();
    CPrzelewDane deposit = order(QStringLiteral("Delta"), "1");
    deposit.isTransfer = 0;
    return {order(QStringLiteral("Alfa"), "100,01"), noSender, order(QStringLiteral("Cezary \"Gamma\""), "3"),
            deposit};
}

} // namespace

class TestBankExport : public QObject
{
    Q_OBJECT

private:
    RegisterTestEnv m_env;
    std::unique_ptr<CKantomixApp> m_app;

private Q_SLOTS:
    void initTestCase()
    {
        setUpApplicationIdentity();
        // The application's register, in the tests' own data folder.
        testRegister() = RegisterLocation {RegisterDb::defaultPath()};
    }
    void cleanup() { m_app.reset(); }

    void menuCommandWritesFileAndSummary_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<int>("quotes");          // the answer to the question about quotes; 0 none asked
        QTest::addColumn<QByteArray>("file");     // the bank file's lines, dates and amounts
        QTest::addColumn<QStringList>("summary");
        const QString leftOutDeposit = QStringLiteral("poz. 4 (Delta): wpłaty gotówkowej nie można zlecić bankowi "
                                                      "jako przelewu");
        QTest::newRow("all, quotes replaced")
            << QList<int>() << int(QMessageBox::Yes) << QByteArray("20250314,10001;20250314,2050;20250314,300")
            << QStringList {"Liczba przelewów w pliku: 3", "Łączna kwota: 123,51 zł",
                            "Pominięte przelewy (liczba: 1):", leftOutDeposit};
        QTest::newRow("all, quotes refused")
            << QList<int>() << int(QMessageBox::No) << QByteArray("20250314,10001;20250314,2050")
            << QStringList {"Liczba przelewów w pliku: 2", "Łączna kwota: 120,51 zł",
                            "Pominięte przelewy (liczba: 2):",
                            "poz. 3 (Cezary \"Gamma\"): pole „nazwa odbiorcy” zawiera cudzysłów", leftOutDeposit};
        QTest::newRow("selected") << QList<int> {0} << 0 << QByteArray("20250314,10001")
                                  << QStringList {"Liczba przelewów w pliku: 1", "Łączna kwota: 100,01 zł"};
    }
    void menuCommandWritesFileAndSummary()
    {
        QFETCH(QList<int>, selected);
        QFETCH(int, quotes);
        QFETCH(QByteArray, file);
        QFETCH(QStringList, summary);
        QFile::remove(testRegister().path);
        addParties({SeedParty("Inny nadawca", TypNadawca, false, "10201026", "0000123456789012", "60"),
                    SeedParty("Firma Źródło", TypNadawca, true, "10201026", "0000123456789012", "60")});
        static int row = 0;
        const QString folder = m_env.path() + QStringLiteral("/export%1").arg(++row);
        QVERIFY(QDir().mkpath(folder));
        const QString orderFile = folder + QStringLiteral("/zlecenia.zmt");
        CKantomixDoc doc;
        for (const CPrzelewDane &o : orders())
            doc.Add(o);
        QVERIFY(doc.Save(orderFile));
        CMainFrame *frame = startProgram(m_app, {orderFile});
        QVERIFY(frame);
        QCOMPARE(frame->document().count(), 4);
        frame->view()->clearSelection();
        for (int r : selected)
            frame->view()->selectRow(r);

        // The command sits in the "Plik" menu.
        QAction *command = frame->action(ID_ELIXIR_EXPORT);
        QVERIFY(frame->menuBar()->actions().first()->menu()->actions().contains(command));
        QVERIFY(command->isEnabled());

        const QString bankFile = folder + QStringLiteral("/bank.pli");
        DialogScript script;
        QString senderShown;
        const auto dialog = script.onDialog<CElixirExportDlg>([&](CElixirExportDlg *d) {
            // Asked only when an order lacks its sender; the default one stands first.
            senderShown = d->senderBox() ? d->senderBox()->currentText() : QString();
            d->codePageBox()->setCurrentIndex(d->codePageBox()->findData(int(ElixirCodePage::Cp852)));
            d->ownDatesButton()->setChecked(true);
            d->accept();
        });
        if (quotes)
            script.answer(QMessageBox::StandardButton(quotes));
        const auto fileDialog = script.chooseFile(bankFile);
        const auto summarySeen = script.answer(QMessageBox::Ok);
        command->trigger();
        QVERIFY(dialog->shown);
        QCOMPARE(senderShown.isEmpty(), !selected.isEmpty());
        if (selected.isEmpty())
            QVERIFY(senderShown.startsWith(QStringLiteral("Firma Źródło – 60-10201026-0000123456789012")));
        QCOMPARE(fileDialog->file.kind, FileRequest::SaveFile);
        QCOMPARE(fileDialog->file.defaultSuffix, QStringLiteral("pli"));

        const QByteArray written = readFile(bankFile);
        const QList<QByteArray> expected = file.split(';');
        QCOMPARE(written.count("\r\n"), expected.size());
        for (const QByteArray &line : expected)
            QVERIFY2(written.contains("110," + line + ",10201026,0,\"60102010260000123456789012\""), line);
        if (selected.isEmpty()) {
            // The register's sender went into the order without one; "ł" in CP852.
            QVERIFY(written.contains("\"Firma \x8D" "r\xA2" "d\x88" "o|||\",\"Beta|||\""));
        }
        QVERIFY(summarySeen->shown);
        QCOMPARE(summarySeen->box.icon, QMessageBox::Information);
        for (const QString &part : summary)
            QVERIFY2(summarySeen->text.contains(part), qPrintable(summarySeen->text));
        QCOMPARE(m_app->settings().general.elixirCodePage, QStringLiteral("cp852"));
    }

    // Long lists of left-out orders keep the message short and give them all in the details.
    void longListsGoToDetails()
    {
        CPrzelewDane deposit = order(QStringLiteral("Wpłata"), "1");
        deposit.isTransfer = 0;
        QList<ListedOrder> listed;
        for (int i = 1; i <= 12; ++i)
            listed.append({i, &deposit});
        const ElixirBuild build = buildBankFile(listed, ElixirOptions(), std::nullopt);
        const ElixirSummary summary = bankFileSummary(build, QString());
        QVERIFY(summary.text.startsWith(QStringLiteral("Żaden przelew nie nadaje się do pliku dla banku")));
        QVERIFY(summary.text.contains(QStringLiteral("poz. 10 (Wpłata)")));
        QVERIFY(!summary.text.contains(QStringLiteral("poz. 11 (Wpłata)")));
        QVERIFY(summary.text.contains(QStringLiteral("… i 2 innych")));
        QCOMPARE(summary.details.count(u'\n'), 11);
    }
};

QTEST_MAIN(TestBankExport)
#include "test_bank_export.moc"
