#include "app/DisplayPlatform.h"

#include <QtGlobal>

namespace {

constexpr char kLastResort[] = "offscreen";

bool isHeadless(const QByteArray &platforms)
{
    for (const QByteArray &p : platforms.split(';'))
        if (p.startsWith(kLastResort) || p.startsWith("minimal"))
            return true;
    return false;
}

QtMessageHandler g_previous = nullptr;
bool g_quietAll = false;

void filterMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type != QtCriticalMsg && type != QtFatalMsg) {
        if (g_quietAll)
            return;
        const QByteArray category(context.category ? context.category : "");
        if (category.startsWith("qt.qpa.") || text.startsWith(u"QStandardPaths:"))
            return;
    }
    if (g_previous)
        g_previous(type, context, text);
}

} // namespace

DisplayEnvironment DisplayEnvironment::current()
{
    return {qgetenv("QT_QPA_PLATFORM"), qgetenv("XDG_SESSION_TYPE")};
}

PlatformChoice choosePlatform(bool needsDisplay, const QStringList &toolkitArgs, const DisplayEnvironment &env)
{
    PlatformChoice choice;
    if (!needsDisplay) {
        // Qt's options mean nothing without a display.
        choice.platforms = kLastResort;
        return choice;
    }
    QByteArray asked = env.platform;
    for (qsizetype i = 0; i < toolkitArgs.size(); ++i) {
        const QString &word = toolkitArgs[i];
        if ((word == u"-platform" || word == u"--platform") && i + 1 < toolkitArgs.size())
            asked = toolkitArgs[++i].toLocal8Bit();
        else
            choice.qtArgs << word;
    }
    if (asked.isEmpty())
        asked = env.sessionType == "wayland" ? "wayland;xcb" : "xcb;wayland";
    if (isHeadless(asked)) {
        choice.platforms = asked;
        return choice;
    }
    choice.platforms = asked + ';' + kLastResort;
    choice.fallback = true;
    return choice;
}

bool startedOnFallback(const PlatformChoice &choice, const QString &platformName)
{
    return choice.fallback && platformName == QLatin1String(kLastResort);
}

void quietToolkitMessages(bool all)
{
    g_quietAll = all;
    QtMessageHandler previous = qInstallMessageHandler(filterMessage);
    if (previous != filterMessage)
        g_previous = previous;
}
