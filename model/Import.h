#pragma once
// Reads and writes orders in the versioned fixed-width text format: an
// optional "ver=NN" header, then one line per order. Windows-1250 on disk,
// CR LF written, LF or CR LF read.

#include "model/LineReader.h"
#include "model/PrzelewDane.h"

#include <QIODevice>
#include <QString>
#include <memory>

class QFile;

class CImport
{
public:
    enum ReadResult { RecordRead = 0, RecordRejected = 1, EndOfFile = 2, OldFormat = 3 };

    // Why a line was passed over (result RecordRejected or OldFormat).
    struct LineProblem
    {
        enum Reason { None, UnknownKind, WrongLength, NotAnAmount, KindNotInVersion, TooLong };
        Reason reason = None;
        int kind = 0;               // WrongLength: the kind the line's code named
        qsizetype length = 0;       // WrongLength: the body's length; TooLong: the limit
        qsizetype expected = 0;     // WrongLength: the length the kind needs
        QString text;               // UnknownKind: the code; NotAnAmount: the amount text
    };
    // What a line read gave that the program would not have written: the
    // order is read as before, a caller may tell the user.
    struct LineRemarks
    {
        QString unreadDate;         // a date text that is no date in the form RRRR-MM-DD
        QChar unknownFlag;          // a transfer flag other than P or W (read as W)
        bool utf8 = false;          // texts in UTF-8 instead of Windows-1250
    };
    static constexpr int kCurrentVersion = 5;

    CImport();
    ~CImport();
    CImport(const CImport &) = delete;
    CImport &operator=(const CImport &) = delete;

    // Opens a file. For reading, looks for the header; for writing, creates or
    // empties the file. Without keepVersion the version first becomes 1.
    bool Open(const QString &path, QIODevice::OpenMode mode, bool keepVersion = false);
    // Works on a device that is already open (tests, fuzzing, saving through a
    // temporary file). The device must outlive this object.
    bool OpenDevice(QIODevice *device, bool keepVersion = false);
    void Close();

    // Writes the header line for versions 2 and above.
    bool WriteHeader(int version);
    // Writes one line in the current version. Fails, writing nothing, when a
    // text cannot be encoded in Windows-1250 or is wider than its column.
    // Lines are gathered and written in large blocks; Flush() writes the rest
    // and tells whether every byte reached the device.
    bool WriteRecord(const CPrzelewDane &record);
    bool Flush();
    ReadResult ReadRecord(CPrzelewDane &target);

    int version() const { return m_version; }
    void setVersion(int v) { m_version = v; }
    // Why the last open or write failed, in Polish, for the user.
    QString errorString() const { return m_error; }
    // True when reading stopped on a device error rather than the file's end.
    bool readFailed() const { return m_readFailed; }
    // True when the file began with a "ver" header line.
    bool hasHeader() const { return m_hasHeader; }
    // Whether the line ReadRecord took last held only blanks.
    bool lastLineBlank() const { return m_lastLineBlank; }
    // A six-character first line that is no header is passed over unread;
    // 0 when there was none (or it held only blanks), else its number 1.
    int skippedFirstLine() const { return m_skippedFirstLine; }

    // Appends the line one record takes in a version, without the line end;
    // gives false and the reason, appending nothing, when it cannot be written.
    static bool FormatRecord(const CPrzelewDane &record, int version, QByteArray &out, QString *error);
    // Parses one line (without its end) read from a file of `version`; a
    // line passed over says why in `problem`.
    static ReadResult ParseLine(QStringView line, int version, CPrzelewDane &target,
                                LineProblem *problem = nullptr, LineRemarks *remarks = nullptr);

    // Number of the line ReadRecord took last, counting every line of the
    // file from 1 (the header too).
    qint64 lineNumber() const { return m_lineNumber; }
    // Why ReadRecord passed over the last line.
    const LineProblem &lastProblem() const { return m_problem; }
    // The remarks on the order ReadRecord read last.
    const LineRemarks &lastRemarks() const { return m_remarks; }
    // The reason in Polish, for a message naming the line.
    static QString problemText(const LineProblem &problem, int version);

private:
    static constexpr qsizetype kFlushSize = 1 << 20;
    static bool formatRecord(const CPrzelewDane &record, int version, QByteArray &line, QString *error);
    void detectHeader();

    std::unique_ptr<QFile> m_file;
    QIODevice *m_device = nullptr;
    CLineReader m_reader;
    bool m_hasPending = false;
    bool m_pendingTooLong = false;
    bool m_readFailed = false;
    bool m_hasHeader = false;
    bool m_lastLineBlank = false;
    int m_skippedFirstLine = 0;
    QString m_pending;
    qint64 m_lineNumber = 0;
    LineProblem m_problem;
    LineRemarks m_remarks;
    QByteArray m_out;
    int m_version = 1;
    QString m_error;
};
