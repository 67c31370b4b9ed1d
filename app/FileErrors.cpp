#include "app/FileErrors.h"

#include "app/PathBytes.h"
#include "app/SystemErrors.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QString fileOpenProblem(const QString &path)
{
    const QString shown = shownPath(path);
    const QByteArray bytes = systemPath(path);
    struct stat st;
    if (::stat(bytes.constData(), &st) != 0)
        return openProblemText(shown, errno);
    if (S_ISDIR(st.st_mode))
        return QStringLiteral("%1 jest folderem, a nie plikiem.").arg(shown);
    // A pipe would hold the window before it appears; a device would never end.
    if (!S_ISREG(st.st_mode))
        return QStringLiteral("%1 nie jest zwykłym plikiem.").arg(shown);
    const int fd = ::open(bytes.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return openProblemText(shown, errno);
    ::close(fd);
    return {};
}
