#pragma once
// A file of orders handed over by another program, read the way every run
// without a window reads it: only a regular file or a pipe, opened by its
// bytes; each line passed over (or holding a negative amount) named through
// the notes, held back until the file shows it is a file of orders; at the
// end, whether what was read may be used at all.

#include "app/BatchNotes.h"
#include "model/Import.h"

#include <QIODevice>
#include <memory>
#include <QString>

#include <sys/stat.h>

// Reads a descriptor; a failed read says why in Polish.
class DescriptorReader : public QIODevice
{
public:
    explicit DescriptorReader(int fd) : m_fd(fd) { open(QIODevice::ReadOnly | QIODevice::Unbuffered); }
    ~DescriptorReader() override;
    int handle() const { return m_fd; }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    int m_fd;
};

class HandedOverFile
{
public:
    explicit HandedOverFile(BatchNotes &notes) : m_notes(notes) {}
    HandedOverFile(const HandedOverFile &) = delete;
    HandedOverFile &operator=(const HandedOverFile &) = delete;

    // Empty when the file is open, else why it cannot be read.
    QString open(const QString &path);
    // The next order and its line in the file; false at the end.
    bool next(CPrzelewDane &order, int &line);
    // What the reader noticed in the last order's line.
    const CImport::LineRemarks &lastRemarks() const { return m_reader.lastRemarks(); }

    // How the end is told: what was being done ("drukowania", "eksportu"),
    // what would have come of it ("wydruk", "plik dla banku") and that nothing did.
    struct Wording
    {
        QString during, result, nothingDone;
    };
    // After the last order: why nothing may come of the file (a read error,
    // no file of orders, a file changed while it was read), or empty.
    QString endProblem(const Wording &words);

private:
    bool changed() const;

    BatchNotes &m_notes;
    std::unique_ptr<DescriptorReader> m_file;
    CImport m_reader;
    QString m_shown;
    struct stat m_start {};
    bool m_watched = false;
    int m_passedOver = 0;
    int m_ordersRead = 0;
};
