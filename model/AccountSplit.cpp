#include "model/AccountSplit.h"

namespace {

bool isSeparator(const QString &s, qsizetype pos)
{
    return pos < s.size() && (s[pos] == u' ' || s[pos] == u'-');
}

} // namespace

AccountParts SplitAccount(const QString &text)
{
    AccountParts parts;
    QString s = text.toUpper();
    if (s.startsWith(u"PL"))
        s.remove(0, 2);

    if (s.size() == 26) {
        qsizetype pos = 0;
        parts.checkDigits = s.mid(pos, 2);
        pos += 2;
        if (isSeparator(s, pos))
            ++pos;
        parts.bankNumber = s.mid(pos, 4);
        pos += 4;
        if (isSeparator(s, pos))
            ++pos;
        parts.bankNumber += s.mid(pos, 4);
        pos += 4;
        if (isSeparator(s, pos))
            ++pos;
        const QString rest = s.mid(pos);
        if (!rest.isEmpty() && rest.size() <= 16)
            parts.accountRest = rest;
        return parts;
    }

    parts.bankNumber = s.left(8);
    qsizetype pos = 8;
    if (isSeparator(s, pos))
        ++pos;
    parts.accountRest = s.mid(pos);
    return parts;
}

AccountParts AccountSplit(const QString &text)
{
    QString s = text;
    s.remove(u' ');
    s.remove(u'-');
    return SplitAccount(s);
}
