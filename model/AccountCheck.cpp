#include "model/AccountCheck.h"

#include <algorithm>

namespace {

constexpr int NrbDigits = 26;

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Digits of the number without blanks, dashes and a leading "PL"; false when
// anything else stands in it.
bool digitsOf(QStringView text, QString &digits)
{
    text = text.trimmed();
    if (text.startsWith(u"PL", Qt::CaseInsensitive))
        text = text.mid(2);
    digits.clear();
    for (QChar c : text) {
        if (c == u' ' || c == u'-')
            continue;
        if (!isAsciiDigit(c))
            return false;
        digits += c;
    }
    return true;
}

int remainder97(QStringView digits)
{
    int remainder = 0;
    for (QChar c : digits)
        remainder = (remainder * 10 + (c.unicode() - u'0')) % 97;
    return remainder;
}

// The IBAN rule: the number with "PL" + check digits moved to its end, P and
// L as 25 and 21, leaves 1 when divided by 97.
bool ibanRemainderIsOne(const QString &digits)
{
    return remainder97(digits.mid(2) + QStringLiteral("2521") + digits.left(2)) == 1;
}

// The sorting code's last digit: weights 3, 9, 7, 1, 3, 9, 7 over the first seven.
bool bankCodeChecks(QStringView code)
{
    static constexpr int Weights[] = {3, 9, 7, 1, 3, 9, 7};
    int sum = 0;
    for (int i = 0; i < 7; ++i)
        sum += Weights[i] * (code[i].unicode() - u'0');
    return (10 - sum % 10) % 10 == code[7].unicode() - u'0';
}

} // namespace

AccountCheck checkAccountNumber(QStringView text)
{
    QString digits;
    if (!digitsOf(text, digits))
        return AccountCheck::WrongLength;
    if (digits.isEmpty())
        return AccountCheck::Empty;
    if (digits.size() != NrbDigits)
        return AccountCheck::WrongLength;
    if (!ibanRemainderIsOne(digits))
        return AccountCheck::WrongCheckDigits;
    if (!bankCodeChecks(QStringView(digits).mid(2, 8)))
        return AccountCheck::WrongBankCode;
    return AccountCheck::Valid;
}

QString accountDigits(QStringView text)
{
    QString digits;
    return digitsOf(text, digits) ? digits : QString();
}

QString nrbCheckDigits(QStringView bban)
{
    if (bban.size() != NrbDigits - 2 || !std::all_of(bban.begin(), bban.end(), isAsciiDigit))
        return {};
    const int check = 98 - remainder97(bban.toString() + QStringLiteral("252100"));
    return QStringLiteral("%1").arg(check, 2, 10, QChar(u'0'));
}

AccountCheck checkAccountNumber(QStringView check, QStringView bank, QStringView rest)
{
    QString joined;
    joined.append(check).append(u' ').append(bank).append(u' ').append(rest);
    return checkAccountNumber(joined);
}

QString accountCheckWarning(AccountCheck result)
{
    switch (result) {
    case AccountCheck::WrongCheckDigits:
        return QStringLiteral("Numer rachunku ma błędne cyfry kontrolne — sprawdź, czy został dobrze przepisany.");
    case AccountCheck::WrongBankCode:
        return QStringLiteral("Numer rozliczeniowy banku ma błędną cyfrę kontrolną — sprawdź, czy numer rachunku "
                              "został dobrze przepisany.");
    case AccountCheck::WrongLength:
        return QStringLiteral("Numer rachunku nie jest 26-cyfrowym numerem polskiego rachunku — sprawdź, czy "
                              "został dobrze przepisany.");
    case AccountCheck::Empty:
    case AccountCheck::Valid:
        break;
    }
    return {};
}
