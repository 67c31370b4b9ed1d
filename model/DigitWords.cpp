#include "model/DigitWords.h"

namespace {
constexpr const char16_t *kDigitWords[10] = {
    u"zer*", u"jed*", u"dwa*", u"trz*", u"czt*", u"pie*", u"sze*", u"sie*", u"osi*", u"dzi*",
};
}

bool AmountInDigitWords(const CWexOleCurrency &amount, QString &out)
{
    out.clear();
    if (!amount.isValid())
        return false;
    const int64_t hundredths = (amount.value() % CWexOleCurrency::kScale) / 100;
    const QString text = amount.toText();
    for (QChar c : text) {
        if (c == u',')
            break;
        // Only digits have words; a sign of a negative amount is left out.
        if (c >= u'0' && c <= u'9')
            out += QStringView(kDigitWords[c.unicode() - u'0']);
    }
    if (hundredths != 0)
        out += QStringLiteral(" %1/100").arg(hundredths < 0 ? -hundredths : hundredths);
    return true;
}
