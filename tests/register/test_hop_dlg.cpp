#include "RegisterTestEnv.h"
#include "WidgetFit.h"
#include "../import/DbfWriter.h"
#include "import/HopDlg.h"

#include <QLabel>
#include <QRadioButton>
#include <QApplication>
#include <QTest>

namespace {

class ScriptedHopDlg : public CHopDlg
{
public:
    using CHopDlg::CHopDlg;
    QStringList messages;
    QString browseAnswer;

protected:
    void showMessage(const QString &text, bool) override { messages << text; }
    QString chooseFolder() override { return browseAnswer; }
};

const QString Invalid = QStringLiteral("Podany katalog jest nieprawidłowy.");

} // namespace

class TestHopDlg : public QObject
{
    Q_OBJECT

    RegisterTestEnv env;
    QString root;

private Q_SLOTS:
    void init()
    {
        env.reset();
        root = env.path() + QStringLiteral("/KORVANT4");
        QDir(root).removeRecursively();
        writeDbf(root + "/dbfs", "OWNER", charCols({"FI_NAZWA", "FI_NRKONTA", "FI_MIASTO", "FI_ULICA", "FI_KODPOCZ"}),
                 {{"Moja Firma", "", "Kraków", "Długa 5", "31-100"}});
    }

    void opensOnKorvantWithEmptyPath()
    {
        ScriptedHopDlg dlg(testRegister());
        // The example path is a Linux one.
        const QList<QLabel *> labels = dlg.findChildren<QLabel *>();
        QVERIFY(std::any_of(labels.begin(), labels.end(),
                            [](QLabel *l) { return l->text().contains(QStringLiteral("(np. /home/")); }));
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Import danych o kontrahentach"));
        QCOMPARE(dlg.source(), 0);
        QCOMPARE(dlg.path(), QString());
    }

    void okChecksTheFolder_data()
    {
        QTest::addColumn<int>("source");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("empty path") << 0 << "" << QStringList {Invalid} << false;
        QTest::newRow("no such folder") << 0 << "/nie/ma/takiego" << QStringList {Invalid} << false;
        QTest::newRow("wrong source for the folder: the missing table is named")
            << 1 << "@" << QStringList {Invalid + "\nNie znaleziono tabeli PODMIOTY.DBF w katalogu @/dbfs."} << false;
        QTest::newRow("the root folder is a folder") << 0 << "/"
            << QStringList {Invalid + "\nNie znaleziono tabeli OWNER.DBF w katalogu /dbfs."} << false;
        QTest::newRow("valid") << 0 << "@" << QStringList {"Zaimportowano: 1.\nZaktualizowano: 0."} << true;
        QTest::newRow("trailing separator accepted") << 0 << "@/" << QStringList {"Zaimportowano: 1.\nZaktualizowano: 0."} << true;
    }
    void okChecksTheFolder()
    {
        QFETCH(int, source);
        QFETCH(QString, path);
        QFETCH(QStringList, messages);
        QFETCH(bool, accepted);
        ScriptedHopDlg dlg(testRegister());
        dlg.setSource(source);
        dlg.setPath(path.replace(u'@', root));
        dlg.accept();
        messages.replaceInStrings(QStringLiteral("@"), root);
        QCOMPARE(dlg.messages, messages);
        QCOMPARE(dlg.result(), accepted ? int(QDialog::Accepted) : 0);
        QCOMPARE(namesOf().size(), accepted ? 1 : 0);
    }

    // A register that cannot be opened, or one another program holds while
    // the import writes: the reason is named, nothing in the register is
    // lost or replaced, and the dialog stays as filled in, so OK imports
    // once the register is free.
    void registerErrorNamedNothingLost_data()
    {
        QTest::addColumn<bool>("held");
        QTest::newRow("cannot be opened") << false;
        QTest::newRow("held by another program") << true;
    }
    void registerErrorNamedNothingLost()
    {
        QFETCH(bool, held);
        RegisterLocation where = testRegister();
        const QByteArray damaged = QByteArray("to nie baza\n").repeated(100);
        if (held) {
            addParties({{"Stary Kontrahent"}});
        } else if (onServer()) {
            where.server.database = QStringLiteral("nie_ma_takiej_bazy");
        } else {
            QDir().mkpath(QFileInfo(env.dbPath()).absolutePath());
            QFile f(env.dbPath());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(damaged);
        }
        RegisterHolder other(env.dbPath());
        if (held)
            QVERIFY(other.hold());
        where.busyTimeoutMs = 50;
        ScriptedHopDlg dlg(where);
        dlg.setSource(0);
        dlg.setPath(root);
        dlg.accept();
        QCOMPARE(dlg.messages.size(), 1);
        const QString message = dlg.messages[0];
        if (held)
            QVERIFY2(message.startsWith(QStringLiteral("Zaimportowano: 0.\nZaktualizowano: 0.\n\n"
                                                       "Podczas importu wystąpił błąd.\nBaza kontrahentów "))
                         && message.contains(QStringLiteral(" jest zajęta przez inn")),
                     qPrintable(message));
        else
            QVERIFY2(message.contains(onServer() ? QStringLiteral("połączyć") : QStringLiteral("uszkodzony")),
                     qPrintable(message));
        QCOMPARE(dlg.result(), 0);
        QCOMPARE(dlg.source(), 0);
        QCOMPARE(dlg.path(), root);
        if (!held) {
            if (!onServer()) {
                QFile f(env.dbPath());
                QVERIFY(f.open(QIODevice::ReadOnly));
                QCOMPARE(f.readAll(), damaged);   // never replaced by an empty register
            }
            return;
        }
        QCOMPARE(namesOf(), QStringList {"Stary Kontrahent"});
        other.release();
        dlg.messages.clear();
        dlg.accept();
        QCOMPARE(dlg.messages, QStringList {"Zaimportowano: 1.\nZaktualizowano: 0."});
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(namesOf(), QStringList({"Moja Firma", "Stary Kontrahent"}));
    }

    void browseFillsOnlyValidFolders()
    {
        ScriptedHopDlg dlg(testRegister());
        dlg.setPath(QStringLiteral("poprzednia"));
        dlg.browseAnswer = env.path();
        dlg.onBrowse();
        QCOMPARE(dlg.messages,
                 QStringList {Invalid + "\nNie znaleziono tabeli OWNER.DBF w katalogu " + env.path() + "/dbfs."});
        QCOMPARE(dlg.path(), QStringLiteral("poprzednia"));
        dlg.browseAnswer = root + u'/';
        dlg.onBrowse();
        QCOMPARE(dlg.path(), root);
    }

    void fitsLargerFonts()
    {
        const QFont before = QApplication::font();
        for (int points : {11, 16}) {
            QFont font = before;
            font.setPointSize(points);
            QApplication::setFont(font);
            ScriptedHopDlg dlg(testRegister());
            dlg.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dlg));
            saveShot(dlg, QStringLiteral("import-dos-%1pt").arg(points));
            QCOMPARE(cutTexts(dlg), QStringList());
        }
        QApplication::setFont(before);
    }
};

QTEST_MAIN(TestHopDlg)
#include "test_hop_dlg.moc"
