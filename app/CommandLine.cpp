#include "app/CommandLine.h"

#include <QFileInfo>

#include <algorithm>

namespace {
const QString kSiblingWord = QStringLiteral("*WexOrb_");
const QString kNamedPrinterSwitch = QStringLiteral("*PRNM*");

// Options the application object and its platform plugins take out of the
// command line, with whether a value follows as the next word. Qt accepts
// them with one or two dashes.
struct ToolkitOption
{
    const char16_t *name;
    bool takesValue;
};
constexpr ToolkitOption kToolkitOptions[] = {
    {u"platform", true}, {u"platformpluginpath", true}, {u"platformtheme", true}, {u"plugin", true},
    {u"qwindowgeometry", true}, {u"geometry", true}, {u"qwindowtitle", true}, {u"title", true},
    {u"qwindowicon", true}, {u"icon", true}, {u"session", true}, {u"style", true}, {u"stylesheet", true},
    {u"display", true}, {u"name", true}, {u"visual", true}, {u"cmap", false}, {u"sync", false},
    {u"nograb", false}, {u"dograb", false}, {u"reverse", false}, {u"widgetcount", false},
    {u"testability", false},
};
}

QStringList CKantomixCommandLineInfo::WithoutToolkitOptions(const QStringList &args)
{
    QStringList out;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &word = args[i];
        QStringView name(word);
        if (name.startsWith(u"--"))
            name = name.mid(2);
        else if (name.startsWith(u'-'))
            name = name.mid(1);
        else {
            out << word;
            continue;
        }
        // "-style=fusion" and "-qmljsdebugger=..." carry their value in the word.
        const qsizetype eq = name.indexOf(u'=');
        if (eq > 0 && (name.left(eq) == u"style" || name.left(eq) == u"stylesheet"
                       || name.left(eq) == u"qmljsdebugger"))
            continue;
        const auto option = std::find_if(std::begin(kToolkitOptions), std::end(kToolkitOptions),
                                          [&](const ToolkitOption &o) { return name == o.name; });
        if (option == std::end(kToolkitOptions)) {
            out << word;
            continue;
        }
        if (option->takesValue)
            ++i;
    }
    return out;
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
    } else {
        // Words take their places by position: an empty word ("" for a driver
        // name) still fills its place, so the ones after it do not shift.
        switch (m_nPlainWords++) {
        case 0: m_strFileName = word; break;
        case 1: m_strPrinterName = word; break;
        case 2: m_strDriverName = word; break;
        case 3: m_strPortName = word; break;
        default: break;
        }
    }
    if (isLast && m_nShellCommand == FileNew && !m_strFileName.isEmpty())
        m_nShellCommand = FileOpen;
}
