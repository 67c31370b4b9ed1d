#include "model/WexOleCurrency.h"

#include <limits>

namespace {

bool mulOverflows(int64_t a, int64_t b, int64_t &out) { return __builtin_mul_overflow(a, b, &out); }
bool addOverflows(int64_t a, int64_t b, int64_t &out) { return __builtin_add_overflow(a, b, &out); }

// Divides rounding half away from zero; b is never 0 here.
bool roundedDivide(__int128 a, __int128 b, int64_t &out)
{
    const bool negative = (a < 0) != (b < 0);
    __int128 ua = a < 0 ? -a : a;
    __int128 ub = b < 0 ? -b : b;
    __int128 q = ua / ub;
    if ((ua % ub) * 2 >= ub)
        ++q;
    if (negative)
        q = -q;
    if (q > std::numeric_limits<int64_t>::max() || q < std::numeric_limits<int64_t>::min())
        return false;
    out = static_cast<int64_t>(q);
    return true;
}

} // namespace

bool parseDigits(QStringView digits, int64_t &value)
{
    int64_t v = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9' || mulOverflows(v, 10, v) || addOverflows(v, c.unicode() - u'0', v))
            return false;
    }
    value = v;
    return true;
}

bool parseLeadingInteger(QStringView text, int64_t &value, bool &negative)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    qsizetype end = i;
    while (end < text.size() && text[end] >= u'0' && text[end] <= u'9')
        ++end;
    return parseDigits(text.mid(i, end - i), value);
}

CWexOleCurrency CWexOleCurrency::fromUnits(int64_t units, int64_t tenThousandths)
{
    int64_t v;
    if (mulOverflows(units, kScale, v) || addOverflows(v, tenThousandths, v))
        return invalid();
    return CWexOleCurrency(v);
}

QString CWexOleCurrency::toText() const
{
    if (m_status != Valid)
        return {};
    const bool negative = m_value < 0;
    // Work on the unsigned magnitude so INT64_MIN does not overflow.
    const uint64_t mag = negative ? uint64_t(0) - uint64_t(m_value) : uint64_t(m_value);
    QString text = QString::number(mag / kScale);
    uint64_t frac = mag % kScale;
    if (frac != 0) {
        QString decimals = QString::number(frac).rightJustified(4, u'0');
        while (decimals.endsWith(u'0'))
            decimals.chop(1);
        text += QLatin1Char(m_decimal) + decimals;
    }
    if (negative)
        text.prepend(u'-');
    return text;
}

QString CWexOleCurrency::toTwoDecimalText() const
{
    if (m_status != Valid)
        return {};
    int64_t hundredths;
    if (!roundedDivide(m_value, 100, hundredths))
        return {};
    const bool negative = hundredths < 0;
    const uint64_t mag = negative ? uint64_t(0) - uint64_t(hundredths) : uint64_t(hundredths);
    QString text = QString::number(mag / 100) + QLatin1Char(m_decimal)
        + QString::number(mag % 100).rightJustified(2, u'0');
    if (negative)
        text.prepend(u'-');
    return text;
}

QString CWexOleCurrency::toGroupedText() const
{
    QString text = toTwoDecimalText();
    const qsizetype digitsStart = text.startsWith(u'-') ? 1 : 0;
    for (qsizetype at = text.indexOf(QLatin1Char(m_decimal)) - 3; at > digitsStart; at -= 3)
        text.insert(at, u' ');
    return text;
}

bool CWexOleCurrency::fromText(QStringView text)
{
    // Units: an optional sign and digits. Hundredths: one or two digits, or a
    // blank and a digit as "%2d" writes them. Anything else in the text is not
    // read past: "1 234,50", "12,500" or "1e3,00" would come out as another amount.
    const qsizetype sep = text.indexOf(QLatin1Char(m_decimal));
    if (sep < 0)
        return false;
    QStringView whole = text.left(sep);
    QStringView hundredths = text.mid(sep + 1);
    bool negative = false;
    if (!whole.isEmpty() && (whole[0] == u'-' || whole[0] == u'+')) {
        negative = whole[0] == u'-';
        whole = whole.mid(1);
    }
    if (hundredths.size() == 2 && hundredths[0] == u' ')
        hundredths = hundredths.mid(1);
    int64_t units = 0, frac = 0;
    if (hundredths.size() > 2 || (whole.isEmpty() && hundredths.isEmpty()) || !parseDigits(whole, units)
        || !parseDigits(hundredths, frac))
        return false;
    CWexOleCurrency result = fromUnits(units, frac * 100);
    if (negative)
        result = -result;
    if (!result.isValid())
        return false;
    m_value = result.m_value;
    m_status = Valid;
    return true;
}

bool CWexOleCurrency::parseDecimal(QStringView text, CWexOleCurrency &out)
{
    text = text.trimmed();
    bool negative = false;
    if (!text.isEmpty() && (text[0] == u'-' || text[0] == u'+')) {
        negative = text[0] == u'-';
        text = text.mid(1);
    }
    const qsizetype sep = text.indexOf(u',');
    QStringView whole = sep < 0 ? text : text.left(sep);
    QStringView decimals = sep < 0 ? QStringView() : text.mid(sep + 1);
    if ((whole.isEmpty() && decimals.isEmpty()) || decimals.size() > 4)
        return false;
    int64_t v = 0, frac = 0;
    if (!parseDigits(whole, v) || !parseDigits(decimals, frac))
        return false;
    for (qsizetype i = decimals.size(); i < 4; ++i)
        frac *= 10;
    CWexOleCurrency r = fromUnits(v, frac);
    if (!r.isValid())
        return false;
    out = negative ? -r : r;
    return true;
}

CWexOleCurrency CWexOleCurrency::operator+(const CWexOleCurrency &o) const
{
    int64_t v;
    if (!isValid() || !o.isValid() || addOverflows(m_value, o.m_value, v))
        return invalid();
    return CWexOleCurrency(v);
}

CWexOleCurrency CWexOleCurrency::operator-(const CWexOleCurrency &o) const
{
    int64_t v;
    if (!isValid() || !o.isValid() || __builtin_sub_overflow(m_value, o.m_value, &v))
        return invalid();
    return CWexOleCurrency(v);
}

CWexOleCurrency CWexOleCurrency::operator*(const CWexOleCurrency &o) const
{
    int64_t v;
    if (!isValid() || !o.isValid() || !roundedDivide(__int128(m_value) * o.m_value, kScale, v))
        return invalid();
    return CWexOleCurrency(v);
}

CWexOleCurrency CWexOleCurrency::operator/(const CWexOleCurrency &o) const
{
    int64_t v;
    if (!isValid() || !o.isValid() || o.m_value == 0
        || !roundedDivide(__int128(m_value) * kScale, o.m_value, v))
        return invalid();
    return CWexOleCurrency(v);
}

CWexOleCurrency CWexOleCurrency::operator-() const
{
    if (!isValid() || m_value == std::numeric_limits<int64_t>::min())
        return invalid();
    return CWexOleCurrency(-m_value);
}
