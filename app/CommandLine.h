#pragma once
// The words of the command line: a document to open, or a file of orders to
// print in a batch (/p file, /pt file printer driver port) with its switches.
// Options are rows of one table; the words a command takes after it are
// taken by position, whatever they look like.

#include <QString>
#include <QStringList>

class CKantomixCommandLineInfo
{
public:
    enum ShellCommand { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppUnregister, FileNothing, FileExportElixir };

    // Parses the program's arguments (without the program name). A wrong
    // command line leaves its reason in m_strError.
    void ParseArguments(const QStringList &args);
    // Outside the words of a command, "-" and "/" introduce a switch, but a
    // word beginning with "/" that names an existing file or holds a second
    // "/" is a path.
    static bool IsSwitchWord(const QString &word);

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
    QString m_strOutputName;     // "--export-elixir file output": the bank file
    QString m_strCodePage;       // "--codepage name"; null when not given

    // Qt's own options (-platform xcb, -display :0, ...) in their order, with
    // their values: for the application object, never program words.
    QStringList m_toolkitArgs;
    // Why the command line is wrong, in Polish; empty when it is right.
    QString m_strError;

    // Called by the table's rows.
    void setShellCommand(ShellCommand command, const QString &name);
    void fail(const QString &reason);

private:
    void takePlainWord(const QString &word);

    QString m_command;           // "/p" or "/pt" as written, for messages
    int m_nPlainWords = 0;       // plain words taken, the command's included
};
