#include "app/ProblemReport.h"

#include "base/UserDialogs.h"

#include <QGuiApplication>
#include <cstdio>

bool runsHeadless()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

void reportProblem(const QString &text, QWidget *parent)
{
    if (runsHeadless()) {
        std::fprintf(stderr, "kantomix: %s\n", text.toLocal8Bit().constData());
        return;
    }
    showWarning(parent, text);
}
