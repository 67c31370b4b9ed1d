#include "app/CommandLine.h"

#include <QFileInfo>

namespace {
const QString kSiblingWord = QStringLiteral("*WexOrb_");
const QString kNamedPrinterSwitch = QStringLiteral("*PRNM*");
}

bool CKantomixCommandLineInfo::IsSwitchWord(const QString &word)
{
    if (word.size() < 2)
        return false;
    if (word.startsWith(u'-'))
        return true;
    if (!word.startsWith(u'/'))
        return false;
    // Linux paths begin with "/" too: a path to an existing file, or anything
    // with a second slash, is a file name, not a switch.
    if (word.indexOf(u'/', 1) >= 0)
        return false;
    return !QFileInfo::exists(word);
}

void CKantomixCommandLineInfo::ParseArguments(const QStringList &args)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &word = args[i];
        const bool last = i == args.size() - 1;
        if (word == u"--help" || word == u"-h") {
            m_bHelp = true;
            continue;
        }
        if (word == u"--version") {
            m_bVersion = true;
            continue;
        }
        if (IsSwitchWord(word))
            ParseParam(word.mid(1), true, last);
        else
            ParseParam(word, false, last);
    }
    if (!args.isEmpty() && m_nShellCommand == FileNew && !m_strFileName.isEmpty())
        m_nShellCommand = FileOpen;
}

void CKantomixCommandLineInfo::ParseParam(const QString &word, bool isSwitch, bool isLast)
{
    if (!isSwitch && word.startsWith(kSiblingWord)) {
        bool ok = false;
        const long n = word.mid(kSiblingWord.size()).toLong(&ok, 10);
        m_nSibling = (ok && n == 101) ? 1 : 0;
    } else if (isSwitch && word.startsWith(kNamedPrinterSwitch)) {
        m_strNamedPrinter = word.mid(kNamedPrinterSwitch.size());
    } else if (isSwitch) {
        if (word.compare(u"EBP", Qt::CaseInsensitive) == 0)
            m_bEditBeforePrint = 1;
        if (word.compare(u"PD", Qt::CaseInsensitive) == 0)
            m_bPrintDialog = 1;
        // What the framework itself knows of switches.
        if (word.compare(u"pt", Qt::CaseInsensitive) == 0)
            m_nShellCommand = FilePrintTo;
        else if (word.compare(u"p", Qt::CaseInsensitive) == 0)
            m_nShellCommand = FilePrint;
        else if (word.compare(u"dde", Qt::CaseInsensitive) == 0)
            m_nShellCommand = FileDDE;
        else if (word.compare(u"Embedding", Qt::CaseInsensitive) == 0)
            m_bRunEmbedded = true;
        else if (word.compare(u"Automation", Qt::CaseInsensitive) == 0)
            m_bRunAutomated = true;
        else if (word.compare(u"Unregister", Qt::CaseInsensitive) == 0
                 || word.compare(u"Unregserver", Qt::CaseInsensitive) == 0)
            m_nShellCommand = AppUnregister;
    } else if (m_strFileName.isEmpty()) {
        m_strFileName = word;
    } else if (m_nShellCommand == FilePrintTo && m_strPrinterName.isEmpty()) {
        m_strPrinterName = word;
    } else if (m_nShellCommand == FilePrintTo && m_strDriverName.isEmpty()) {
        m_strDriverName = word;
    } else if (m_nShellCommand == FilePrintTo && m_strPortName.isEmpty()) {
        m_strPortName = word;
    }
    if (isLast && m_nShellCommand == FileNew && !m_strFileName.isEmpty())
        m_nShellCommand = FileOpen;
}
