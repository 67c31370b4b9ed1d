#include "model/PolishCollation.h"

#include "model/Cp1250.h"

#include <QChar>

namespace PolishCollation {

namespace {

struct PolishLetter { char32_t letter; char32_t base; int rank; };
constexpr PolishLetter kPolishLetters[] = {
    {U'ą', U'a', 1}, {U'ć', U'c', 1}, {U'ę', U'e', 1}, {U'ł', U'l', 1}, {U'ń', U'n', 1},
    {U'ó', U'o', 1}, {U'ś', U's', 1}, {U'ź', U'z', 1}, {U'ż', U'z', 2},
};

void appendWeight(char32_t w, std::string &out)
{
    // Weights stay below 2^23: three bytes, most significant first.
    out.push_back(char((w >> 16) & 0xFF));
    out.push_back(char((w >> 8) & 0xFF));
    out.push_back(char(w & 0xFF));
}

} // namespace

char32_t weight(char32_t c)
{
    if (c < 0x80)
        return (c >= U'A' && c <= U'Z' ? c + 32 : c) * 4;
    c = QChar::toCaseFolded(c);
    for (const PolishLetter &p : kPolishLetters)
        if (p.letter == c)
            return p.base * 4 + char32_t(p.rank);
    return c * 4;
}

int compareForSort(QStringView a, QStringView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char32_t wa = weight(a[i].unicode()), wb = weight(b[i].unicode());
        if (wa != wb)
            return wa < wb ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return Cp1250::compare(a, b);
}

void appendSortKey(QStringView text, std::string &out)
{
    for (QChar c : text)
        appendWeight(weight(c.unicode()), out);
    // Below every weight: a text sorts before the longer texts it begins.
    appendWeight(0, out);
    Cp1250::appendCollationKey(text, out);
}

} // namespace PolishCollation
