#pragma once
// The words of the command line: a document to open, or a file of orders to
// print in a batch (/p file, /pt file printer driver port) with its switches.

#include <QString>
#include <QStringList>

class CKantomixCommandLineInfo
{
public:
    enum ShellCommand { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppUnregister, FileNothing };

    // Takes one word; the switch character is already stripped from a switch.
    void ParseParam(const QString &word, bool isSwitch, bool isLast);
    // Splits the program's arguments (without the program name) into words and
    // switches: "-" and "/" introduce a switch, but a word beginning with "/"
    // that names an existing file or holds a second "/" is a path.
    void ParseArguments(const QStringList &args);
    static bool IsSwitchWord(const QString &word);
    // The arguments without the options Qt's application object takes for
    // itself (-platform offscreen, -style fusion, ...), so that --help and the
    // batch can be recognised before that object exists.
    static QStringList WithoutToolkitOptions(const QStringList &args);

    ShellCommand m_nShellCommand = FileNew;
    QString m_strFileName;
    QString m_strPrinterName;
    QString m_strDriverName;
    QString m_strPortName;
    bool m_bRunEmbedded = false;
    bool m_bRunAutomated = false;

    int m_nSibling = 0;          // "*WexOrb_101"
    QString m_strNamedPrinter;   // "/*PRNM*name"
    int m_bEditBeforePrint = 0;  // "/EBP"
    int m_bPrintDialog = 0;      // "/PD"
    bool m_bHelp = false;        // "--help"
    bool m_bVersion = false;     // "--version"

private:
    int m_nPlainWords = 0;       // plain words taken so far, empty ones included
};
