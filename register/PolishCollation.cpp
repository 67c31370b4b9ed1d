#include "register/PolishCollation.h"

#include <QChar>
#include <QList>

namespace {

std::u32string folded(QStringView s)
{
    std::u32string out;
    out.reserve(size_t(s.size()));
    for (char32_t c : s.toUcs4())
        out.push_back(QChar::toCaseFolded(c));
    return out;
}

bool matchesOne(char32_t pc, char32_t vc)
{
    return pc == U'?' || (pc == U'#' ? (vc >= U'0' && vc <= U'9') : pc == vc);
}

void appendHex(QByteArray &out, char32_t w)
{
    static const char Digits[] = "0123456789abcdef";
    for (int shift = 20; shift >= 0; shift -= 4)
        out.append(Digits[(w >> shift) & 0xF]);
}

} // namespace

namespace PolishCollation {

int compare(QStringView a, QStringView b)
{
    const QList<uint> ua = a.toUcs4(), ub = b.toUcs4();
    for (qsizetype i = 0; i < ua.size() && i < ub.size(); ++i) {
        const char32_t wa = weight(ua[i]), wb = weight(ub[i]);
        if (wa != wb)
            return wa < wb ? -1 : 1;
    }
    return ua.size() < ub.size() ? -1 : ua.size() > ub.size() ? 1 : 0;
}

QByteArray key(QStringView text)
{
    QByteArray out;
    out.reserve(text.size() * 6);
    for (char32_t c : text.toUcs4())
        appendHex(out, weight(c));
    return out;
}

QString keyPrefixRegex(QStringView pattern)
{
    QByteArray re("^");
    for (char32_t c : pattern.toUcs4()) {
        if (c == U'*') {
            re += "(.{6})*";
        } else if (c == U'?') {
            re += ".{6}";
        } else if (c == U'#') {
            re += '(';
            for (char32_t d = U'0'; d <= U'9'; ++d) {
                if (d != U'0')
                    re += '|';
                appendHex(re, weight(d));
            }
            re += ')';
        } else {
            appendHex(re, weight(c));
        }
    }
    return QString::fromLatin1(re);
}

// Greedy match that returns to the last "*" only, so a pattern full of stars
// costs at most length times length, never an exponential search.
bool wildcardMatchFolded(const std::u32string &v, const std::u32string &p)
{
    size_t vi = 0, pi = 0, starP = std::u32string::npos, starV = 0;
    while (vi < v.size()) {
        if (pi < p.size() && p[pi] == U'*') {
            starP = pi++;
            starV = vi;
        } else if (pi < p.size() && matchesOne(p[pi], v[vi])) {
            ++vi;
            ++pi;
        } else if (starP != std::u32string::npos) {
            pi = starP + 1;
            vi = ++starV;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == U'*')
        ++pi;
    return pi == p.size();
}

bool wildcardMatch(QStringView value, QStringView pattern)
{
    return wildcardMatchFolded(folded(value), folded(pattern));
}

} // namespace PolishCollation
