#include "model/Cp1250.h"

#include <QStringDecoder>
#include <array>

namespace {

struct Tables
{
    std::array<char16_t, 256> toUnicode {};
    std::array<int16_t, 65536> toByte {};

    Tables()
    {
        toByte.fill(-1);
        QStringDecoder decoder("windows-1250");
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            const QString s = decoder.decode(QByteArrayView(&byte, 1));
            char16_t u = (s.size() == 1 && s[0] != QChar::ReplacementCharacter) ? s[0].unicode()
                                                                                   : char16_t(b);
            toUnicode[b] = u;
        }
        for (int b = 0; b < 256; ++b)
            toByte[toUnicode[b]] = int16_t(b);
    }
};

const Tables &tables()
{
    static const Tables t;
    return t;
}

} // namespace

namespace Cp1250 {

QString decode(const char *bytes, qsizetype size)
{
    const auto &t = tables();
    QString out(size, Qt::Uninitialized);
    QChar *dst = out.data();
    for (qsizetype i = 0; i < size; ++i)
        dst[i] = QChar(t.toUnicode[static_cast<unsigned char>(bytes[i])]);
    return out;
}

int byteOf(QChar c)
{
    return tables().toByte[c.unicode()];
}

bool encodeAppend(QStringView text, QByteArray &out)
{
    const auto &t = tables();
    bool ok = true;
    for (QChar c : text) {
        const int b = t.toByte[c.unicode()];
        if (b < 0)
            ok = false;
        else
            out.append(char(b));
    }
    return ok;
}

bool canEncode(QStringView text)
{
    const auto &t = tables();
    for (QChar c : text)
        if (t.toByte[c.unicode()] < 0)
            return false;
    return true;
}

// Unencodable characters cannot be saved; they sort after every byte.
static inline char32_t keyOf(const Tables &t, QChar c)
{
    const int b = t.toByte[c.unicode()];
    return b < 0 ? char32_t(256 + c.unicode()) : char32_t(b);
}

int compare(QStringView a, QStringView b)
{
    const auto &t = tables();
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        if (a[i] == b[i])
            continue;
        const char32_t ka = keyOf(t, a[i]), kb = keyOf(t, b[i]);
        if (ka != kb)
            return ka < kb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

void appendCollationKey(QStringView text, std::string &out)
{
    const auto &t = tables();
    for (QChar c : text) {
        const int b = t.toByte[c.unicode()];
        if (b >= 0 && b != 0xFF) {
            out.push_back(char(b));
        } else {
            // 0xFF itself is "˙"; it and unencodable characters are escaped so
            // they sort after every other byte, in code order.
            out.push_back(char(0xFF));
            out.push_back(char(b == 0xFF ? 0x00 : 0xFF));
            out.push_back(char(c.unicode() >> 8));
            out.push_back(char(c.unicode() & 0xFF));
        }
    }
}

bool readsAsUtf8(QStringView text)
{
    // Only sequences that decode to Latin letters or typographic marks count:
    // Polish text in Windows-1250 can form other valid sequences ("ÓŁ").
    const auto plausible = [](char32_t c) { return (c >= 0xA0 && c <= 0x24F) || (c >= 0x2000 && c <= 0x206F); };
    int following = 0;      // continuation bytes the current sequence still needs
    char32_t code = 0;
    bool multiByte = false;
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            if (following > 0)
                return false;
            continue;
        }
        const int b = byteOf(c);
        if (b < 0)
            return false;
        if (following > 0) {
            if ((b & 0xC0) != 0x80)
                return false;
            code = (code << 6) | char32_t(b & 0x3F);
            if (--following == 0 && !plausible(code))
                return false;
            continue;
        }
        if (b >= 0xC2 && b <= 0xDF)
            following = 1;
        else if (b >= 0xE0 && b <= 0xEF)
            following = 2;
        else
            return false;
        code = char32_t(b & (following == 1 ? 0x1F : 0x0F));
        multiByte = true;
    }
    return multiByte && following == 0;
}

} // namespace Cp1250
