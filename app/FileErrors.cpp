#include "app/FileErrors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString fileOpenProblem(const QString &path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        return {};
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("Nie można odnaleźć pliku %1.").arg(shown);
    if (info.isDir())
        return QStringLiteral("%1 jest folderem, a nie plikiem.").arg(shown);
    if (!info.isReadable())
        return QStringLiteral("Brak dostępu do pliku %1.").arg(shown);
    return QStringLiteral("Nie można otworzyć pliku %1.").arg(shown);
}
