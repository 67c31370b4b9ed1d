#include "base/AppIdentity.h"

#include <QCoreApplication>

QString programTitle()
{
    return QStringLiteral("Kantomix 2");
}

void setUpApplicationIdentity()
{
    QCoreApplication::setOrganizationName(QStringLiteral("WexSoft"));
    QCoreApplication::setApplicationName(QStringLiteral("Kantomix"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KANTOMIX_VERSION));
}
