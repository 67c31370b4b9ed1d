#include "app/PathBytes.h"

#include <QDir>

namespace {

constexpr char16_t kKeptByte = 0xDC00;

// Length of the well-formed UTF-8 sequence at `p`, or 0.
int utf8SequenceLength(const unsigned char *p, qsizetype left)
{
    const unsigned char b = p[0];
    int n = 0;
    char32_t min = 0;
    if (b < 0x80)
        return 1;
    if (b >= 0xC2 && b <= 0xDF) {
        n = 2;
        min = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
        n = 3;
        min = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4;
        min = 0x10000;
    } else {
        return 0;
    }
    if (left < n)
        return 0;
    char32_t c = b & (0x3F >> (n - 1));
    for (int i = 1; i < n; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (p[i] & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return n;
}

} // namespace

QString decodeSystemText(const QByteArray &bytes)
{
    QString out;
    out.reserve(bytes.size());
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size;) {
        const int n = utf8SequenceLength(p + i, size - i);
        if (n == 0) {
            out += QChar(char16_t(kKeptByte + p[i]));
            ++i;
        } else {
            out += QString::fromUtf8(reinterpret_cast<const char *>(p + i), n);
            i += n;
        }
    }
    return out;
}

QByteArray systemPath(const QString &path)
{
    QByteArray out;
    out.reserve(path.size());
    qsizetype from = 0;
    for (qsizetype i = 0; i <= path.size(); ++i) {
        const bool kept = i < path.size() && path[i].unicode() >= 0xDC80 && path[i].unicode() <= 0xDCFF;
        if (!kept && i < path.size())
            continue;
        out += QStringView(path).mid(from, i - from).toUtf8();
        if (kept)
            out += char(path[i].unicode() - kKeptByte);
        from = i + 1;
    }
    return out;
}

QString shownPath(const QString &path)
{
    QString out;
    for (const QChar c : QDir::toNativeSeparators(path)) {
        if (c.unicode() >= 0xDC80 && c.unicode() <= 0xDCFF)
            out += QStringLiteral("\\x") + QString::number(c.unicode() - kKeptByte, 16).toUpper();
        else
            out += c;
    }
    return out;
}
