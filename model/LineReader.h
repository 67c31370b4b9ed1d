#pragma once
// Reads lines from a device with bounded memory: LF ends a line, a CR right
// before it is dropped. A line longer than the limit is skipped to its end
// and reported as too long, never held whole.

#include <QByteArray>
#include <QIODevice>
#include <QString>

class CLineReader
{
public:
    enum Result { Line, TooLong, End, Error };

    explicit CLineReader(qsizetype maxLineLength = 4096) : m_max(maxLineLength) {}

    void setDevice(QIODevice *device);
    // The next line, decoded from Windows-1250.
    Result readLine(QString &line);
    qsizetype maxLineLength() const { return m_max; }

private:
    bool fill();
    // The bytes from the read position to `end` as the line; reading goes on at `next`.
    Result takeLine(qsizetype end, qsizetype next, bool tooLong, QString &line);

    QIODevice *m_device = nullptr;
    qsizetype m_max;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_eof = false;
    bool m_error = false;
};
