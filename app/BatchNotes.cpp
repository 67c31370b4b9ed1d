#include "app/BatchNotes.h"

#include <cstdio>

void BatchNotes::add(const QString &line)
{
    if (m_given >= kLimit) {
        ++m_leftOut;
        return;
    }
    ++m_given;
    if (m_holding)
        m_held << line;
    else
        write(line);
}

void BatchNotes::write(const QString &line)
{
    if (m_sink)
        m_sink(line);
}

void BatchNotes::release()
{
    m_holding = false;
    for (const QString &line : std::exchange(m_held, {}))
        write(line);
}

void BatchNotes::dropHeld()
{
    m_holding = false;
    m_held.clear();
    m_given = 0;
    m_leftOut = 0;
}

void BatchNotes::finish()
{
    release();
    if (m_leftOut > 0)
        write(QStringLiteral("Nie wypisano dalszych uwag: %1.").arg(m_leftOut));
    m_leftOut = 0;
}

QString printableLine(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u <= 0x9F))
            out += QStringLiteral("\\x") + QString::number(u, 16).toUpper().rightJustified(2, u'0');
        else
            out += c;
    }
    return out;
}

void writeToStandardError(const QString &text)
{
    // Written whole: a NUL from the file must not cut the line short.
    const QByteArray line = "kantomix: " + printableLine(text).toUtf8() + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
}
