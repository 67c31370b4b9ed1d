#pragma once
// Buffers that fail like a device: FailDevice accepts `limit` bytes and then
// fails every write, like a full disk; FailReadDevice gives `limit` bytes
// and then fails every read, like a damaged disk (a negative limit never fails).

#include <QBuffer>
#include <algorithm>

class FailDevice : public QBuffer
{
public:
    explicit FailDevice(qint64 limit) : m_limit(limit) {}

protected:
    qint64 writeData(const char *data, qint64 len) override
    {
        if (m_written + len > m_limit) {
            setErrorString(QStringLiteral("Brak miejsca na urządzeniu"));
            return -1;
        }
        m_written += len;
        return QBuffer::writeData(data, len);
    }

private:
    qint64 m_limit;
    qint64 m_written = 0;
};

class FailReadDevice : public QBuffer
{
public:
    explicit FailReadDevice(qint64 limit) : m_limit(limit) {}

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (m_limit < 0)
            return QBuffer::readData(data, maxSize);
        if (m_given >= m_limit) {
            setErrorString(QStringLiteral("Błąd wejścia/wyjścia"));
            return -1;
        }
        const qint64 n = QBuffer::readData(data, std::min(maxSize, m_limit - m_given));
        m_given += n > 0 ? n : 0;
        return n;
    }

private:
    qint64 m_limit;
    qint64 m_given = 0;
};
