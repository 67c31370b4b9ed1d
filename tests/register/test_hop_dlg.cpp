#include "DialogScript.h"
#include "RegisterTestEnv.h"
#include "WidgetFit.h"
#include "DbfWriter.h"
#include "import/HopDlg.h"

#include <QLabel>
#include <QRadioButton>
#include <QApplication>
#include <QTest>

namespace {

const QString Invalid = QStringLiteral("Podany katalog jest nieprawidłowy.");

} // namespace

class TestHopDlg : public QObject
{
    Q_OBJECT

    RegisterTestEnv env;
    QString root;
    DialogScript script;

private Q_SLOTS:
    void init()
    {
        env.reset();
        root = env.path() + QStringLiteral("/KORVANT4");
        QDir(root).removeRecursively();
        writeDbf(root + "/dbfs", "OWNER", charCols({"FI_NAZWA", "FI_NRKONTA", "FI_MIASTO", "FI_ULICA", "FI_KODPOCZ"}),
                 {{"Moja Firma", "", "Kraków", "Długa 5", "31-100"}});
    }
    void cleanup()
    {
        const bool allUsed = script.finished();
        script.clear();
        QVERIFY(allUsed);
    }

    void opensOnKorvantWithEmptyPath()
    {
        CHopDlg dlg(testRegister());
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
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("empty path") << 0 << "" << Invalid << false;
        QTest::newRow("no such folder") << 0 << "/nie/ma/takiego" << Invalid << false;
        QTest::newRow("wrong source for the folder: the missing table is named")
            << 1 << "@" << Invalid + "\nNie znaleziono tabeli PODMIOTY.DBF w katalogu @/dbfs." << false;
        QTest::newRow("the root folder is a folder") << 0 << "/"
            << Invalid + "\nNie znaleziono tabeli OWNER.DBF w katalogu /dbfs." << false;
        QTest::newRow("valid") << 0 << "@" << "Zaimportowano: 1.\nZaktualizowano: 0." << true;
        QTest::newRow("trailing separator accepted") << 0 << "@/" << "Zaimportowano: 1.\nZaktualizowano: 0." << true;
    }
    void okChecksTheFolder()
    {
        QFETCH(int, source);
        QFETCH(QString, path);
        QFETCH(QString, message);
        QFETCH(bool, accepted);
        CHopDlg dlg(testRegister());
        dlg.setSource(source);
        dlg.setPath(path.replace(u'@', root));
        const auto box = script.answer(QMessageBox::Ok);
        dlg.accept();
        QCOMPARE(box->text, message.replace(u'@', root));
        QCOMPARE(box->box.icon, accepted ? QMessageBox::Information : QMessageBox::Critical);
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
        CHopDlg dlg(where);
        dlg.setSource(0);
        dlg.setPath(root);
        const auto box = script.answer(QMessageBox::Ok);
        dlg.accept();
        QCOMPARE(box->box.icon, QMessageBox::Critical);
        if (held)
            QVERIFY2(box->text.startsWith(QStringLiteral("Zaimportowano: 0.\nZaktualizowano: 0.\n\n"
                                                         "Podczas importu wystąpił błąd.\nBaza kontrahentów "))
                         && box->text.contains(QStringLiteral(" jest zajęta przez inn")),
                     qPrintable(box->text));
        else
            QVERIFY2(box->text.contains(onServer() ? QStringLiteral("połączyć") : QStringLiteral("uszkodzony")),
                     qPrintable(box->text));
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
        const auto summary = script.answer(QMessageBox::Ok);
        dlg.accept();
        QCOMPARE(summary->text, QStringLiteral("Zaimportowano: 1.\nZaktualizowano: 0."));
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(namesOf(), QStringList({"Moja Firma", "Stary Kontrahent"}));
    }

    void browseFillsOnlyValidFolders()
    {
        CHopDlg dlg(testRegister());
        dlg.setPath(QStringLiteral("poprzednia"));
        const auto browse = script.chooseFile(env.path());
        const auto box = script.answer(QMessageBox::Ok);
        dlg.onBrowse();
        QCOMPARE(browse->file.kind, FileRequest::Folder);
        QCOMPARE(browse->file.path, QStringLiteral("poprzednia"));
        QCOMPARE(box->text, Invalid + "\nNie znaleziono tabeli OWNER.DBF w katalogu " + env.path() + "/dbfs.");
        QCOMPARE(dlg.path(), QStringLiteral("poprzednia"));
        script.chooseFile(root + u'/');
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
            CHopDlg dlg(testRegister());
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
