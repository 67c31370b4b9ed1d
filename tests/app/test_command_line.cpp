#include "app/CommandLine.h"

#include <QTemporaryDir>
#include <QTest>

using Cmd = CKantomixCommandLineInfo;
Q_DECLARE_METATYPE(Cmd::ShellCommand)

class TestCommandLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void words_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<Cmd::ShellCommand>("command");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("sibling");
        QTest::addColumn<int>("ebp");
        QTest::addColumn<int>("pd");
        QTest::addColumn<QString>("named");
        QTest::newRow("nothing") << QStringList() << Cmd::FileNew << "" << 0 << 0 << 0 << "";
        QTest::newRow("open") << QStringList {"a.zmt"} << Cmd::FileOpen << "a.zmt" << 0 << 0 << 0 << "";
        QTest::newRow("sibling 101") << QStringList {"*WexOrb_101"} << Cmd::FileNew << "" << 1 << 0 << 0 << "";
        QTest::newRow("sibling 0101") << QStringList {"*WexOrb_0101", "x.zmt"} << Cmd::FileOpen << "x.zmt" << 1 << 0 << 0 << "";
        QTest::newRow("sibling 102") << QStringList {"*WexOrb_102"} << Cmd::FileNew << "" << 0 << 0 << 0 << "";
        QTest::newRow("print with switches") << QStringList {"/p", "f.txt", "/pD", "-ebp"} << Cmd::FilePrint << "f.txt" << 0 << 1 << 1 << "";
        QTest::newRow("PD minus") << QStringList {"-Pd", "/P", "f.txt"} << Cmd::FilePrint << "f.txt" << 0 << 0 << 1 << "";
        QTest::newRow("named printer") << QStringList {"/p", "f.txt", "/*PRNM*Biuro HP"} << Cmd::FilePrint << "f.txt" << 0 << 0 << 0 << "Biuro HP";
        QTest::newRow("absolute path") << QStringList {"/p", "/tmp/orders/f.txt"} << Cmd::FilePrint << "/tmp/orders/f.txt" << 0 << 0 << 0 << "";
    }
    void words()
    {
        QFETCH(QStringList, args);
        QFETCH(Cmd::ShellCommand, command);
        QFETCH(QString, file);
        QFETCH(int, sibling);
        QFETCH(int, ebp);
        QFETCH(int, pd);
        QFETCH(QString, named);
        Cmd c;
        c.ParseArguments(args);
        QCOMPARE(c.m_nShellCommand, command);
        QCOMPARE(c.m_strFileName, file);
        QCOMPARE(c.m_nSibling, sibling);
        QCOMPARE(c.m_bEditBeforePrint, ebp);
        QCOMPARE(c.m_bPrintDialog, pd);
        QCOMPARE(c.m_strNamedPrinter, named);
    }

    // Every word holds its place, empty or not.
    void wordsByPosition_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("expected");  // file, printer, driver, port
        QTest::newRow("every word") << QStringList{"/pt", "in.txt", "PDF", "drv", "/tmp/out/x.pdf"}
                                    << QStringList{"in.txt", "PDF", "drv", "/tmp/out/x.pdf"};
        QTest::newRow("empty driver") << QStringList{"/pt", "f.txt", "PDF", "", "out.pdf"}
                                      << QStringList{"f.txt", "PDF", "", "out.pdf"};
        QTest::newRow("empty printer") << QStringList{"/pt", "f.txt", "", "PDF", "out.pdf"}
                                       << QStringList{"f.txt", "", "PDF", "out.pdf"};
        QTest::newRow("empty file") << QStringList{"/pt", "", "PDF", "", "out.pdf"}
                                    << QStringList{"", "PDF", "", "out.pdf"};
        QTest::newRow("missing port") << QStringList{"/pt", "f.txt", "PDF", "drv"}
                                      << QStringList{"f.txt", "PDF", "drv", ""};
        QTest::newRow("switches after the words") << QStringList{"/PD", "/pt", "f.txt", "PDF", "", "o.pdf", "/EBP"}
                                                  << QStringList{"f.txt", "PDF", "", "o.pdf"};
        // After /pt a word is a word, whatever it looks like.
        QTest::newRow("words like switches") << QStringList{"/pt", "-zlecenia.txt", "/PD", "--", "-wynik.pdf"}
                                             << QStringList{"-zlecenia.txt", "/PD", "--", "-wynik.pdf"};
        QTest::newRow("Qt's options among the words")
            << QStringList{"/pt", "f.txt", "-display", ":0", "-name"} << QStringList{"f.txt", "-display", ":0", "-name"};
    }
    void wordsByPosition()
    {
        QFETCH(QStringList, args);
        QFETCH(QStringList, expected);
        Cmd c;
        c.ParseArguments(args);
        QCOMPARE(c.m_nShellCommand, Cmd::FilePrintTo);
        QCOMPARE(c.m_strError, QString());
        QCOMPARE((QStringList{c.m_strFileName, c.m_strPrinterName, c.m_strDriverName, c.m_strPortName}), expected);
    }

    // Qt's options outside a command's words go to the application object,
    // never into the program's words.
    void toolkitOptionsSetApart_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("toolkit");
        QTest::addColumn<QString>("file");
        QTest::newRow("X11 options before /pt")
            << QStringList{"-display", ":0", "-name", "n", "-title", "t", "/pt", "f", "PDF", "", "o"}
            << QStringList{"-display", ":0", "-name", "n", "-title", "t"} << "f";
        QTest::newRow("after the words") << QStringList{"/p", "f", "-geometry", "10x10", "-icon", "i", "-visual", "v"}
                                         << QStringList{"-geometry", "10x10", "-icon", "i", "-visual", "v"} << "f";
        QTest::newRow("window") << QStringList{"-platform", "xcb", "a.zmt", "-reverse"}
                                << QStringList{"-platform", "xcb", "-reverse"} << "a.zmt";
    }
    void toolkitOptionsSetApart()
    {
        QFETCH(QStringList, args);
        QFETCH(QStringList, toolkit);
        QFETCH(QString, file);
        Cmd c;
        c.ParseArguments(args);
        QCOMPARE(c.m_strError, QString());
        QCOMPARE(c.m_toolkitArgs, toolkit);
        QCOMPARE(c.m_strFileName, file);
    }

    // A word the program does not know is a wrong command line, named.
    void wrongCommandLines_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("named");
        QTest::newRow("unknown long option") << QStringList{"--bogus"} << "„--bogus”";
        QTest::newRow("unknown switch") << QStringList{"/zzz", "a.zmt"} << "„/zzz”";
        QTest::newRow("unknown switch after /pt")
            << QStringList{"/pt", "f", "PDF", "", "o", "-x"} << "„-x”";
        QTest::newRow("printer words after /p") << QStringList{"/p", "f", "PDF"} << "„PDF”";
        QTest::newRow("a word too many after /pt") << QStringList{"/pt", "f", "PDF", "", "o", "p"} << "„p”";
        QTest::newRow("two files for the window") << QStringList{"a.zmt", "b.zmt"} << "„b.zmt”";
        QTest::newRow("file before /p") << QStringList{"f", "/p", "g"} << "„f”";
        QTest::newRow("two print commands") << QStringList{"/p", "f", "/pt", "g"} << "/pt";
    }
    void wrongCommandLines()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, named);
        Cmd c;
        c.ParseArguments(args);
        QVERIFY2(c.m_strError.contains(named), qPrintable(c.m_strError));
    }

    void slashWordThatNamesAFileIsAPath()
    {
        QTemporaryDir dir;
        QVERIFY(Cmd::IsSwitchWord(QStringLiteral("/p")));
        QVERIFY(Cmd::IsSwitchWord(QStringLiteral("-p")));
        QVERIFY(!Cmd::IsSwitchWord(QStringLiteral("/tmp/x")));
        QVERIFY(!Cmd::IsSwitchWord(QStringLiteral("plain")));
        QVERIFY(!Cmd::IsSwitchWord(QStringLiteral("/")));
        // "/tmp" exists as a folder under the root: a path, not the switch "tmp".
        QVERIFY(!Cmd::IsSwitchWord(QStringLiteral("/tmp")));
    }

    void helpAndVersion()
    {
        Cmd c;
        c.ParseArguments({QStringLiteral("--version"), QStringLiteral("--help")});
        QVERIFY(c.m_bVersion);
        QVERIFY(c.m_bHelp);
        QCOMPARE(c.m_nShellCommand, Cmd::FileNew);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_command_line.moc"
