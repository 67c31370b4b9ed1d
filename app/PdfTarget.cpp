#include "app/PdfTarget.h"

#include "app/PathBytes.h"
#include "app/SystemErrors.h"

#include <QIODevice>
#include <QPrinter>
#include <QRandomGenerator>

#include <algorithm>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Gathers the writes into large blocks and remembers the first that failed.
// A short write is retried for the rest, so that the system reports its
// reason (a file grown past its limit takes part of a block and then fails).
class WriteGuard : public QIODevice
{
public:
    WriteGuard(QIODevice *inner, int fd) : m_inner(inner), m_fd(fd)
    {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    bool failed() const { return m_failed; }
    QString failure() const { return m_failure; }
    // Writes what is gathered; false when a byte did not reach the device.
    bool finish() { return writeOut(m_pending.constData(), m_pending.size()) && (m_pending.clear(), true); }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 len) override
    {
        if (m_failed)
            return -1;
        m_pending.append(data, len);
        if (m_pending.size() >= kBlock) {
            if (!writeOut(m_pending.constData(), m_pending.size()))
                return -1;
            m_pending.clear();
        }
        return len;
    }

private:
    static constexpr qsizetype kBlock = 256 * 1024;

    qint64 writeOnce(const char *data, qint64 len)
    {
        if (m_inner)
            return m_inner->write(data, len);
        qint64 n;
        do
            n = ::write(m_fd, data, size_t(len));
        while (n < 0 && errno == EINTR);
        return n;
    }

    bool writeOut(const char *data, qint64 len)
    {
        qint64 done = 0;
        while (!m_failed && done < len) {
            const qint64 n = writeOnce(data + done, len - done);
            if (n > 0) {
                done += n;
                continue;
            }
            m_failed = true;
            m_failure = m_inner ? m_inner->errorString() : systemReason(n < 0 ? errno : ENOSPC);
        }
        return !m_failed;
    }

    QIODevice *m_inner;
    int m_fd;
    QByteArray m_pending;
    bool m_failed = false;
    QString m_failure;
};

namespace {

// The named file beside the place, removed when a signal ends the job.
char g_namedTemporary[PATH_MAX + 16];
volatile sig_atomic_t g_haveNamedTemporary = 0;

extern "C" void removeNamedTemporary(int sig)
{
    if (g_haveNamedTemporary)
        ::unlink(g_namedTemporary);
    // The handler was reset on entry: the signal ends the program as it would have.
    ::raise(sig);
}

void rememberNamedTemporary(const QByteArray &name)
{
    static bool installed = false;
    if (!installed) {
        struct sigaction action {};
        action.sa_handler = removeNamedTemporary;
        action.sa_flags = SA_RESETHAND;
        sigemptyset(&action.sa_mask);
        for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
            struct sigaction old {};
            // A signal the caller chose to ignore stays ignored.
            if (::sigaction(sig, nullptr, &old) == 0 && old.sa_handler != SIG_IGN)
                ::sigaction(sig, &action, nullptr);
        }
        installed = true;
    }
    g_haveNamedTemporary = 0;
    std::memset(g_namedTemporary, 0, sizeof g_namedTemporary);
    std::memcpy(g_namedTemporary, name.constData(), size_t(std::min<qsizetype>(name.size(), PATH_MAX)));
    g_haveNamedTemporary = 1;
}

void forgetNamedTemporary()
{
    g_haveNamedTemporary = 0;
}

bool statPath(const QString &path, struct stat &st)
{
    return ::stat(systemPath(path).constData(), &st) == 0;
}

QByteArray folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

QByteArray resolved(const QByteArray &path)
{
    char buffer[PATH_MAX];
    return ::realpath(path.constData(), buffer) ? QByteArray(buffer) : QByteArray();
}

bool allDigits(const QByteArray &s)
{
    return !s.isEmpty() && s.size() < 10 && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A name beside the place that no file holds yet.
QByteArray freeNameBeside(const QByteArray &place)
{
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray name = place + ".XXXXXX";
    for (qsizetype i = name.size() - 6; i < name.size(); ++i)
        name[i] = kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters - 1))];
    return name;
}

// The mode a new file gets: an older file's own, else what the umask leaves.
mode_t modeFor(const QByteArray &place)
{
    struct stat st;
    if (::stat(place.constData(), &st) == 0)
        return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

int descriptorOfPath(const QString &path)
{
    const QByteArray ownFolder = "/proc/" + QByteArray::number(::getpid()) + "/fd";
    QByteArray p = systemPath(path);
    for (int hop = 0; hop < 40 && !p.isEmpty(); ++hop) {
        const QByteArray folder = resolved(folderOf(p));
        const QByteArray name = p.mid(p.lastIndexOf('/') + 1);
        if ((folder == ownFolder
             || (folder.startsWith("/proc/" + QByteArray::number(::getpid()) + "/task/") && folder.endsWith("/fd")))
            && allDigits(name))
            return name.toInt();
        struct stat st;
        if (::lstat(p.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
            return -1;
        char target[PATH_MAX];
        const ssize_t n = ::readlink(p.constData(), target, sizeof target - 1);
        if (n <= 0)
            return -1;
        const QByteArray link(target, n);
        p = link.startsWith('/') ? link : folderOf(p) + '/' + link;
    }
    return -1;
}

bool isSameFile(const QString &a, const QString &b)
{
    struct stat sa, sb;
    return statPath(a, sa) && statPath(b, sb) && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

PdfTarget::PdfTarget(const QString &path, Temporary temporary) : m_path(path), m_temporary(temporary) {}

PdfTarget::PdfTarget(QIODevice *device) : m_temporary(Temporary::Unnamed), m_external(device) {}

PdfTarget::~PdfTarget()
{
    discard();
}

bool PdfTarget::open()
{
    if (m_external) {
        m_guard = std::make_unique<WriteGuard>(m_external, -1);
        return true;
    }
    const QByteArray place = systemPath(m_path);
    struct stat st;
    if (const int fd = descriptorOfPath(m_path); fd >= 0) {
        // The caller's own descriptor: a file it redirected, appended to or
        // piped; a file put in its place would never reach it.
        const int flags = ::fcntl(fd, F_GETFL);
        if (flags < 0 || (flags & O_ACCMODE) == O_RDONLY) {
            m_error = systemReason(EBADF);
            return false;
        }
        m_fd = ::fcntl(fd, F_DUPFD_CLOEXEC, 3);
    } else if (::stat(place.constData(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode)) {
        // A device or a pipe cannot be replaced by renaming; it is written directly.
        m_fd = ::open(place.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    } else {
        m_replace = true;
        // A link is followed: the file it points at gets the new content.
        m_final = place;
        if (::lstat(place.constData(), &st) == 0 && S_ISLNK(st.st_mode))
            if (const QByteArray target = resolved(place); !target.isEmpty())
                m_final = target;
        const mode_t mode = modeFor(m_final);
        // The name beside the place is the place's name and 7 more characters.
        const long nameMax = ::pathconf(folderOf(m_final).constData(), _PC_NAME_MAX);
        if (nameMax > 0 && m_final.size() - m_final.lastIndexOf('/') - 1 + 7 > nameMax) {
            m_error = systemReason(ENAMETOOLONG);
            return false;
        }
        if (m_temporary == Temporary::Unnamed) {
            m_fd = ::open(folderOf(m_final).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
            m_unnamed = m_fd >= 0;
        }
        for (int attempt = 0; m_fd < 0 && attempt < 100; ++attempt) {
            m_named = freeNameBeside(m_final);
            rememberNamedTemporary(m_named);
            m_fd = ::open(m_named.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, mode);
            if (m_fd < 0) {
                forgetNamedTemporary();
                if (errno != EEXIST)
                    break;
            }
        }
        if (m_fd < 0)
            m_named.clear();
        else if (!m_unnamed)
            ::fchmod(m_fd, mode);   // the umask does not narrow an older file's mode
    }
    if (m_fd < 0) {
        m_error = systemReason(errno);
        return false;
    }
    m_guard = std::make_unique<WriteGuard>(nullptr, m_fd);
    return true;
}

QIODevice *PdfTarget::device() const
{
    return m_guard.get();
}

bool PdfTarget::failed() const
{
    return m_guard && m_guard->failed();
}

QString PdfTarget::errorString() const
{
    return m_error.isEmpty() && m_guard && m_guard->failed() ? m_guard->failure() : m_error;
}

bool PdfTarget::commit()
{
    if (!m_guard)
        return false;
    bool ok = m_guard->finish();
    if (!ok)
        m_error = m_guard->failure();
    if (ok && m_replace) {
        // On the disk before it takes the place: a crash leaves the old file or the new one whole.
        if (::fdatasync(m_fd) != 0) {
            ok = false;
        } else if (m_unnamed) {
            const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_fd);
            for (int attempt = 0; attempt < 100; ++attempt) {
                m_named = freeNameBeside(m_final);
                rememberNamedTemporary(m_named);
                if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, m_named.constData(), AT_SYMLINK_FOLLOW) == 0)
                    break;
                forgetNamedTemporary();
                const int err = errno;
                m_named.clear();
                if (err != EEXIST) {
                    errno = err;
                    ok = false;
                    break;
                }
            }
        }
        if (ok && ::rename(m_named.constData(), m_final.constData()) != 0)
            ok = false;
        if (!ok)
            m_error = systemReason(errno);
        else
            m_named.clear();
        forgetNamedTemporary();
    }
    if (m_fd >= 0 && ::close(m_fd) != 0 && ok && !m_replace) {
        ok = false;
        m_error = systemReason(errno);
    }
    m_fd = -1;
    closeAll();
    return ok;
}

void PdfTarget::closeAll()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_named.isEmpty())
        ::unlink(m_named.constData());
    m_named.clear();
    forgetNamedTemporary();
    m_guard.reset();
}

void PdfTarget::discard()
{
    closeAll();
}

PdfTarget::OlderFile PdfTarget::removeOlderFile()
{
    discard();
    if (m_external || !m_replace)
        return OlderFile::None;
    // The name goes, not what a link points at.
    const QByteArray place = systemPath(m_path);
    struct stat st;
    if (::stat(place.constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return OlderFile::None;
    if (::unlink(place.constData()) == 0)
        return OlderFile::Removed;
    m_error = systemReason(errno);
    return OlderFile::NotRemoved;
}

PdfWriterChoice::PdfWriterChoice(const QPrinter &printer)
    : m_pdf(printer.outputFormat() == QPrinter::PdfFormat), m_file(printer.outputFileName())
{
}

void PdfWriterChoice::restore(QPrinter &printer) const
{
    if (!m_pdf)
        return;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_file);
}
