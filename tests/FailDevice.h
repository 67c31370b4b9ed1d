#pragma once
// A buffer that accepts `limit` bytes and then fails every write, like a full disk.

#include <QBuffer>

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
