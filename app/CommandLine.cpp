#include "app/CommandLine.h"

#include <QFileInfo>

#include <algorithm>

namespace {

using Cmd = CKantomixCommandLineInfo;

const QString kSiblingWord = QStringLiteral("*WexOrb_");

// How a switch may be written: "/name", "-name", "--name".
enum Spelling : unsigned { Slash = 1, Dash = 2, DoubleDash = 4, Short = Slash | Dash };

struct OptionDef
{
    const char16_t *name;
    unsigned spelling;
    bool prefix;    // the rest of the word is the value ("/*PRNM*Biuro")
    int words;      // words taken after it by position, whatever they look like (fewer at the end)
    void (*take)(Cmd &, const QString &written, const QString &rest, const QStringList &words);
};

constexpr OptionDef kOptions[] = {
    {u"p", Short, false, 1,
     [](Cmd &c, const QString &written, const QString &, const QStringList &w) {
         c.setShellCommand(Cmd::FilePrint, written);
         c.m_strFileName = w.value(0);
     }},
    {u"pt", Short, false, 4,
     [](Cmd &c, const QString &written, const QString &, const QStringList &w) {
         c.setShellCommand(Cmd::FilePrintTo, written);
         c.m_strFileName = w.value(0);
         c.m_strPrinterName = w.value(1);
         c.m_strDriverName = w.value(2);
         c.m_strPortName = w.value(3);
     }},
    {u"export-elixir", DoubleDash, false, 2,
     [](Cmd &c, const QString &written, const QString &, const QStringList &w) {
         c.setShellCommand(Cmd::FileExportElixir, written);
         c.m_strFileName = w.value(0);
         c.m_strOutputName = w.value(1);
     }},
    {u"codepage", DoubleDash, false, 1,
     [](Cmd &c, const QString &, const QString &, const QStringList &w) { c.m_strCodePage = w.value(0, QStringLiteral("")); }},
    {u"PD", Short, false, 0, [](Cmd &c, const QString &, const QString &, const QStringList &) { c.m_bPrintDialog = 1; }},
    {u"EBP", Short, false, 0,
     [](Cmd &c, const QString &, const QString &, const QStringList &) { c.m_bEditBeforePrint = 1; }},
    {u"*PRNM*", Short, true, 0,
     [](Cmd &c, const QString &, const QString &rest, const QStringList &) { c.m_strNamedPrinter = rest; }},
    // What the framework of the older program knew; nothing on this system acts on them.
    {u"dde", Short, false, 0, [](Cmd &c, const QString &, const QString &, const QStringList &) {
         if (c.m_nShellCommand == Cmd::FileNew)
             c.m_nShellCommand = Cmd::FileDDE;
     }},
    {u"Embedding", Short, false, 0, [](Cmd &c, const QString &, const QString &, const QStringList &) { c.m_bRunEmbedded = true; }},
    {u"Automation", Short, false, 0,
     [](Cmd &c, const QString &, const QString &, const QStringList &) { c.m_bRunAutomated = true; }},
    {u"help", DoubleDash, false, 0, [](Cmd &c, const QString &, const QString &, const QStringList &) { c.m_bHelp = true; }},
    {u"h", Dash, false, 0, [](Cmd &c, const QString &, const QString &, const QStringList &) { c.m_bHelp = true; }},
    {u"version", DoubleDash, false, 0,
     [](Cmd &c, const QString &, const QString &, const QStringList &) { c.m_bVersion = true; }},
};

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

// The name of a dashed word and its spelling; empty when it has no dash.
QStringView dashedName(QStringView word, unsigned &spelling)
{
    if (word.startsWith(u"--")) {
        spelling = DoubleDash;
        return word.mid(2);
    }
    if (word.startsWith(u'-')) {
        spelling = Dash;
        return word.mid(1);
    }
    return {};
}

// How many words a Qt option takes from `i` on (itself and its value), or 0.
qsizetype toolkitOptionLength(const QStringList &args, qsizetype i)
{
    unsigned spelling = 0;
    const QStringView name = dashedName(args[i], spelling);
    if (name.isEmpty())
        return 0;
    // "-style=fusion" and "-qmljsdebugger=..." carry their value in the word.
    const qsizetype eq = name.indexOf(u'=');
    if (eq > 0 && (name.left(eq) == u"style" || name.left(eq) == u"stylesheet" || name.left(eq) == u"qmljsdebugger"))
        return 1;
    const auto option = std::find_if(std::begin(kToolkitOptions), std::end(kToolkitOptions),
                                     [&](const ToolkitOption &o) { return name == o.name; });
    if (option == std::end(kToolkitOptions))
        return 0;
    return option->takesValue ? std::min<qsizetype>(2, args.size() - i) : 1;
}

const OptionDef *findOption(QStringView body, unsigned spelling)
{
    for (const OptionDef &o : kOptions) {
        if (!(o.spelling & spelling))
            continue;
        const QStringView name(o.name);
        if (o.prefix ? body.startsWith(name) : body.compare(name, Qt::CaseInsensitive) == 0)
            return &o;
    }
    return nullptr;
}

QString quoted(const QString &word)
{
    return QStringLiteral("„%1”").arg(word);
}

} // namespace

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

void CKantomixCommandLineInfo::setShellCommand(ShellCommand command, const QString &name)
{
    if (m_nShellCommand == FilePrint || m_nShellCommand == FilePrintTo)
        fail(QStringLiteral("Podano dwa polecenia drukowania: %1 i %2.").arg(m_command, name));
    else if (m_nShellCommand == FileExportElixir)
        fail(QStringLiteral("Podano dwa polecenia: %1 i %2.").arg(m_command, name));
    else if (m_nPlainWords > 0)
        fail(QStringLiteral("Słowo %1 stoi przed %2; plik z przelewami podaje się po %2.")
                 .arg(quoted(m_strFileName), name));
    m_nShellCommand = command;
    m_command = name;
    m_nPlainWords = 1;
}

void CKantomixCommandLineInfo::fail(const QString &reason)
{
    if (m_strError.isEmpty())   // the first fault is the one to mend first
        m_strError = reason;
}

void CKantomixCommandLineInfo::takePlainWord(const QString &word)
{
    if (!word.isEmpty() && word.startsWith(kSiblingWord)) {
        bool ok = false;
        const long n = word.mid(kSiblingWord.size()).toLong(&ok, 10);
        m_nSibling = (ok && n == 101) ? 1 : 0;
        return;
    }
    if (m_nShellCommand == FilePrint)
        fail(QStringLiteral("Po %1 podaje się tylko plik z przelewami; nadmiarowe słowo %2 "
                            "(drukarkę wskazuje /pt plik drukarka sterownik port albo /*PRNM*drukarka).")
                 .arg(m_command, quoted(word)));
    else if (m_nPlainWords > 0)
        fail(QStringLiteral("Nadmiarowe słowo %1.").arg(quoted(word)));
    else
        m_strFileName = word;
    ++m_nPlainWords;
}

void CKantomixCommandLineInfo::ParseArguments(const QStringList &args)
{
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size();) {
        const QString &word = args[i];
        if (optionsEnded || !IsSwitchWord(word)) {
            takePlainWord(word);
            ++i;
            continue;
        }
        if (word == u"--") {
            optionsEnded = true;
            ++i;
            continue;
        }
        if (const qsizetype n = toolkitOptionLength(args, i)) {
            m_toolkitArgs << args.mid(i, n);
            i += n;
            continue;
        }
        unsigned spelling = Slash;
        QStringView body = dashedName(word, spelling);
        if (body.isEmpty())
            body = QStringView(word).mid(1);
        const OptionDef *option = findOption(body, spelling);
        if (!option) {
            fail(QStringLiteral("Nieznany przełącznik %1.").arg(quoted(word)));
            ++i;
            continue;
        }
        const QStringList taken = args.mid(i + 1, option->words);
        const QString rest = option->prefix ? body.mid(QStringView(option->name).size()).toString() : QString();
        option->take(*this, word, rest, taken);
        i += 1 + taken.size();
    }
    if (m_nShellCommand == FileNew && !m_strFileName.isEmpty())
        m_nShellCommand = FileOpen;
    // The bank file is no printing: the print switches mean nothing to it.
    if (m_nShellCommand == FileExportElixir && (m_bPrintDialog || m_bEditBeforePrint || !m_strNamedPrinter.isEmpty()))
        fail(QStringLiteral("Przełączniki /PD, /EBP i /*PRNM* dotyczą drukowania, nie --export-elixir."));
    if (!m_strCodePage.isNull() && m_nShellCommand != FileExportElixir)
        fail(QStringLiteral("--codepage dotyczy tylko --export-elixir."));
}
