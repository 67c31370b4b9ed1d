#pragma once
// The file a batch writes (the PDF; any other whole-file output too). A
// regular file (or a new one) is written beside its place and takes that
// place only when the job ended and every byte was written: a failed or
// killed job leaves what stood there. The caller's own descriptors
// (/dev/stdout, /dev/fd/N, /proc/self/fd/N) are written straight, as are a
// device or a pipe named by path. Paths keep their bytes (PathBytes.h);
// reasons are Polish.

#include <QString>
#include <memory>

class QIODevice;

class PdfTarget
{
public:
    // How the file beside the place is made: unnamed where the file system
    // can (nothing is left even by a kill), else named and removed on
    // SIGTERM, SIGINT and SIGHUP. Tests ask for the named one.
    enum class Temporary { Unnamed, Named };

    explicit PdfTarget(const QString &path, Temporary temporary = Temporary::Unnamed);
    // Writes to a device that is open already (tests); commit() tells whether
    // every write reached it.
    explicit PdfTarget(QIODevice *device);
    ~PdfTarget();
    PdfTarget(const PdfTarget &) = delete;
    PdfTarget &operator=(const PdfTarget &) = delete;

    // False when nothing can be written there; errorString() says why.
    bool open();
    QIODevice *device() const;
    // True once a write failed: the job can stop at once.
    bool failed() const;
    // Puts the written file in place. False when a byte did not reach the
    // disk; the place is then left as it was.
    bool commit();
    // Drops what was written; the place is left as it was.
    void discard();

    enum class OlderFile { None, Removed, NotRemoved };
    // For a job that wrote nothing: an older regular file at the place is
    // removed, so that it cannot pass for this job's result. A descriptor or
    // a device is never touched. NotRemoved leaves the reason in errorString().
    OlderFile removeOlderFile();

    QString path() const { return m_path; }
    QString errorString() const;

private:
    void closeAll();

    QString m_path;
    Temporary m_temporary;
    QIODevice *m_external = nullptr;
    std::unique_ptr<class WriteGuard> m_guard;  // in front of whatever is written
    int m_fd = -1;
    bool m_replace = false;     // written beside the place, renamed at commit
    bool m_unnamed = false;     // the file beside the place has no name yet
    QByteArray m_final;         // the place, as the system's bytes
    QByteArray m_named;         // the named file beside it
    QString m_error;
};

// True when both paths name one file, through links too (same device and inode).
bool isSameFile(const QString &a, const QString &b);
// The caller's descriptor a path stands for (/dev/stdout: 1), or -1.
int descriptorOfPath(const QString &path);

class QPrinter;

// Qt's print dialog makes the system's default printer current while it is
// built, also when the printer is the built-in PDF writer, and a print
// server's queue may be called "PDF" too. Built right after the dialog, this
// puts the writer and its file back, so the dialog opens on "print to file"
// and the user picks a queue there only on purpose.
class PdfWriterChoice
{
public:
    explicit PdfWriterChoice(const QPrinter &printer);
    void restore(QPrinter &printer) const;

private:
    bool m_pdf;
    QString m_file;
};
