#include "app/ProblemReport.h"

#include "base/AppIdentity.h"

#include <QGuiApplication>
#include <QMessageBox>
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
    QMessageBox::warning(parent, programTitle(), text);
}
