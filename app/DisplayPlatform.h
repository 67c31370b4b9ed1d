#pragma once
// Which of Qt's platforms the program starts on, decided before the
// application object exists. A batch that needs no display never touches
// one (a stale DISPLAY inherited by a cron job must not end it); a batch that
// may show a dialog, and the window, try the display and fall back to the
// offscreen platform instead of dying in Qt's abort.

#include <QByteArray>
#include <QString>
#include <QStringList>

struct PlatformChoice
{
    QByteArray platforms;   // for QT_QPA_PLATFORM, tried in order
    QStringList qtArgs;     // options for the application object, -platform taken out
    bool fallback = false;  // offscreen was added as the last resort
};

struct DisplayEnvironment
{
    QByteArray platform;    // QT_QPA_PLATFORM
    QByteArray sessionType; // XDG_SESSION_TYPE
    static DisplayEnvironment current();
};

PlatformChoice choosePlatform(bool needsDisplay, const QStringList &toolkitArgs, const DisplayEnvironment &env);
// True when the platform Qt started is the last resort, not one asked for.
bool startedOnFallback(const PlatformChoice &choice, const QString &platformName);
// Qt's warnings about the platforms it tried (and, when `all`, every
// warning of its own) stay off standard error: a caller reads it for the
// program's own lines.
void quietToolkitMessages(bool all);
