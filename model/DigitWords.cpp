#include "model/DigitWords.h"

namespace {
constexpr const char16_t *kDigitWords[10] = {
    u"zer*", u"jed*", u"dwa*", u"trz*", u"czt*", u"pie*", u"sze*", u"sie*", u"osi*", u"dzi*",
};
}

bool AmountInDigitWords(const CWexOleCurrency &amount, QString &out)
{
    out.clear();
    // Spelled from the very text the form prints in digits, so words and
    // digits cannot disagree when the amount holds more than two decimals.
    const QString printed = amount.toTwoDecimalText();
    if (!amount.isValid() || printed.isEmpty())
        return false;
    const qsizetype comma = printed.indexOf(QLatin1Char(amount.decimalSeparator()));
    const QStringView whole = QStringView(printed).left(comma);
    for (QChar c : whole) {
        // Only digits have words; a sign of a negative amount is left out.
        if (c >= u'0' && c <= u'9')
            out += QStringView(kDigitWords[c.unicode() - u'0']);
    }
    const int hundredths = QStringView(printed).mid(comma + 1).toInt();
    if (hundredths != 0)
        out += QStringLiteral(" %1/100").arg(hundredths);
    return true;
}
