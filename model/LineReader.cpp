#include "model/LineReader.h"

#include "model/Cp1250.h"

namespace {
constexpr qsizetype kChunk = 64 * 1024;
}

void CLineReader::setDevice(QIODevice *device)
{
    m_device = device;
    m_buffer.clear();
    m_pos = 0;
    m_eof = device == nullptr;
    m_error = false;
}

bool CLineReader::fill()
{
    if (m_eof)
        return false;
    // Drop what was consumed so the buffer never holds more than one chunk
    // beyond the longest accepted line.
    m_buffer.remove(0, m_pos);
    m_pos = 0;
    const qsizetype old = m_buffer.size();
    m_buffer.resize(old + kChunk);
    const qint64 n = m_device->read(m_buffer.data() + old, kChunk);
    if (n <= 0) {
        m_buffer.resize(old);
        m_eof = true;
        m_error = n < 0;
        return false;
    }
    m_buffer.resize(old + n);
    return true;
}

CLineReader::Result CLineReader::readLine(QString &line)
{
    line.clear();
    bool tooLong = false;
    for (;;) {
        const qsizetype nl = m_buffer.indexOf('\n', m_pos);
        if (nl >= 0) {
            const qsizetype end = (nl > m_pos && m_buffer[nl - 1] == '\r') ? nl - 1 : nl;
            return takeLine(end, nl + 1, tooLong, line);
        }
        if (m_buffer.size() - m_pos > m_max + 1) {
            // Far longer than any record: keep skipping, but hold none of it.
            tooLong = true;
            m_pos = m_buffer.size();
        }
        if (!fill()) {
            if (m_error) {
                // What came before the failure is no whole line: it is not
                // handed on, to be passed over with a false reason.
                m_error = false; // reported once; the reader is at its end now
                m_pos = m_buffer.size();
                return Error;
            }
            if (m_pos == m_buffer.size())
                return tooLong ? TooLong : End;
            // The last line has no line end: it counts like any other.
            return takeLine(m_buffer.size(), m_buffer.size(), tooLong, line);
        }
    }
}

CLineReader::Result CLineReader::takeLine(qsizetype end, qsizetype next, bool tooLong, QString &line)
{
    const qsizetype length = end - m_pos;
    tooLong = tooLong || length > m_max;
    if (!tooLong)
        line = Cp1250::decode(m_buffer.constData() + m_pos, length);
    m_pos = next;
    return tooLong ? TooLong : Line;
}
