#include "app/PdfTarget.h"

#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QSaveFile>

#include <sys/stat.h>

namespace {

bool statPath(const QString &path, struct stat &st)
{
    return ::stat(QFile::encodeName(path).constData(), &st) == 0;
}

// Gathers the writes into large blocks for an unbuffered device and
// remembers the first that failed. A short write is retried for the rest, so
// that the device reports the system's reason (a file grown past its limit
// takes part of a block and then fails). QFileDevice's own buffer would let a
// short write at close pass unnoticed.
class WriteGuard : public QIODevice
{
public:
    explicit WriteGuard(QIODevice *inner) : m_inner(inner) { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }
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

    bool writeOut(const char *data, qint64 len)
    {
        qint64 done = 0;
        while (!m_failed && done < len) {
            const qint64 n = m_inner->write(data + done, len - done);
            if (n <= 0) {
                m_failed = true;
                m_failure = m_inner->errorString();
            } else {
                done += n;
            }
        }
        return !m_failed;
    }

    QIODevice *m_inner;
    QByteArray m_pending;
    bool m_failed = false;
    QString m_failure;
};

} // namespace

bool isSameFile(const QString &a, const QString &b)
{
    struct stat sa, sb;
    return statPath(a, sa) && statPath(b, sb) && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

PdfTarget::PdfTarget(const QString &path) : m_path(path) {}

PdfTarget::PdfTarget(QIODevice *device) : m_external(device) {}

PdfTarget::~PdfTarget() = default;

bool PdfTarget::open()
{
    QIODevice *device = m_external;
    struct stat st;
    if (device) {
        // Given open by the caller.
    } else if (statPath(m_path, st) && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode)) {
        // A device or a pipe cannot be replaced by renaming; it is written directly.
        m_direct = std::make_unique<QFile>(m_path);
        if (!m_direct->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            m_error = m_direct->errorString();
            m_direct.reset();
            return false;
        }
        device = m_direct.get();
    } else {
        m_save = std::make_unique<QSaveFile>(m_path);
        if (!m_save->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            m_error = m_save->errorString();
            m_save.reset();
            return false;
        }
        device = m_save.get();
    }
    m_guard = std::make_unique<WriteGuard>(device);
    return true;
}

QIODevice *PdfTarget::device() const
{
    return m_guard.get();
}

bool PdfTarget::commit()
{
    auto *guard = static_cast<WriteGuard *>(m_guard.get());
    if (!guard)
        return false;
    bool ok = guard->finish();
    if (!ok)
        m_error = guard->failure();
    if (m_save) {
        if (!ok)
            m_save->cancelWriting();
        else if (!m_save->commit()) {
            ok = false;
            m_error = m_save->errorString();
        }
    }
    m_guard.reset();
    m_save.reset();
    m_direct.reset();
    return ok;
}

void PdfTarget::discard()
{
    if (m_save)
        m_save->cancelWriting();
    m_guard.reset();
    m_save.reset();
    m_direct.reset();
}

bool PdfTarget::removeOlderFile()
{
    discard();
    const QFileInfo info(m_path);
    return info.isFile() && QFile::remove(m_path);
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
