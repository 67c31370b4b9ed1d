#pragma once
// The file the built-in PDF printer writes. A regular file (or a new one) is
// written beside its place and takes that place only when the job ended and
// every byte was written: a failed or killed job leaves what stood there. A
// device or a pipe the caller names (/dev/stdout) is written as the job goes.

#include <QString>
#include <memory>

class QFile;
class QIODevice;
class QSaveFile;

class PdfTarget
{
public:
    explicit PdfTarget(const QString &path);
    // Writes to a device that is open already (tests); commit() tells whether
    // every write reached it.
    explicit PdfTarget(QIODevice *device);
    ~PdfTarget();
    PdfTarget(const PdfTarget &) = delete;
    PdfTarget &operator=(const PdfTarget &) = delete;

    // False when nothing can be written there; errorString() says why.
    bool open();
    QIODevice *device() const;
    // Puts the written PDF in place. False when a byte did not reach the disk;
    // the place is then left as it was.
    bool commit();
    // Drops what was written; the place is left as it was.
    void discard();
    // For a job that printed nothing: an older regular file at the place is
    // removed, so that it cannot pass for this job's result. True when one was.
    bool removeOlderFile();

    QString path() const { return m_path; }
    QString errorString() const { return m_error; }

private:
    QString m_path;
    std::unique_ptr<QSaveFile> m_save;
    std::unique_ptr<QFile> m_direct;
    QIODevice *m_external = nullptr;
    std::unique_ptr<QIODevice> m_guard;    // in front of whichever device is written
    QString m_error;
};

// True when both paths name one file, through links too (same device and inode).
bool isSameFile(const QString &a, const QString &b);

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
