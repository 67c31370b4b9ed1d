#include "controls/CurrencyEditModel.h"

#include <QList>
#include <algorithm>

namespace {

// Amounts below this magnitude have at most twelve integer digits.
constexpr int64_t kRawLimit = 10'000'000'000'000'000; // 10^16 ten-thousandths

} // namespace

struct CurrencyEditModel::Raw
{
    bool minus = false;
    QString digits;   // integer digits; may be empty or lead with 0 mid-edit
    QString decimals; // always kRawDecimals digits

    int intStart() const { return minus ? 1 : 0; }
    int point() const { return intStart() + int(digits.size()); }
    int decStart() const { return point() + 1; }
    int end() const { return decStart() + kRawDecimals; }
    QString text() const
    {
        return (minus ? QStringLiteral("-") : QString()) + digits + u'.' + decimals;
    }
};

void CurrencyEditModel::setDecimals(int decimals)
{
    m_decimals = std::clamp(decimals, 0, kRawDecimals);
}

bool CurrencyEditModel::setAmount(const CWexOleCurrency &amount)
{
    if (!amount.isValid() || amount.value() >= kRawLimit || amount.value() <= -kRawLimit)
        return false;
    m_amount = CWexOleCurrency(amount.value());
    m_negativeZero = false;
    return true;
}

bool CurrencyEditModel::setText(QStringView text)
{
    if (text.isEmpty())
        return setAmount(CWexOleCurrency(0));
    if (text == u"-") {
        setAmount(CWexOleCurrency(0));
        m_negativeZero = true;
        return true;
    }
    QString plain = text.toString();
    plain.remove(kGroupSeparator);
    plain.remove(QChar(0xA0));
    CWexOleCurrency parsed;
    return CWexOleCurrency::parseDecimal(plain, parsed) && setAmount(parsed);
}

CurrencyEditModel::Raw CurrencyEditModel::split() const
{
    const int64_t v = m_amount.value(); // |v| < 10^16, see setAmount
    const int64_t mag = v < 0 ? -v : v;
    Raw r;
    r.minus = v < 0 || (v == 0 && m_negativeZero);
    r.digits = QString::number(mag / CWexOleCurrency::kScale);
    r.decimals = QString::number(mag % CWexOleCurrency::kScale).rightJustified(kRawDecimals, u'0');
    return r;
}

QString CurrencyEditModel::rawText() const
{
    return split().text();
}

int CurrencyEditModel::rawLength() const
{
    return split().end();
}

bool CurrencyEditModel::readRawText(QStringView raw)
{
    const int limit = 1 + kMaxIntegerDigits + kRawDecimals + (raw.startsWith(u'-') ? 1 : 0);
    if (raw.size() > limit)
        return false;
    int64_t value = 0;
    int64_t weight = 1;
    bool negative = false;
    for (qsizetype i = raw.size() - 1; i >= 0; --i) {
        if (raw[i] == u'-') {
            negative = true;
        } else if (raw[i] >= u'0' && raw[i] <= u'9') {
            value += (raw[i].unicode() - u'0') * weight; // at most 17 digits: no overflow
            weight *= 10;
        }
    }
    if (value >= kRawLimit)
        return false;
    m_amount = CWexOleCurrency(negative ? -value : value);
    m_negativeZero = negative && value == 0;
    return true;
}

int CurrencyEditModel::shownDecimals() const
{
    const QString decimals = split().decimals;
    int shown = m_decimals;
    for (int i = m_decimals; i < kRawDecimals; ++i) {
        if (decimals[i] != u'0')
            shown = i + 1;
    }
    return shown;
}

namespace {

// The display text with, per character, whether it stands for a raw character.
struct DisplayChars
{
    QString text;
    QList<bool> isRaw;
    int numberLength = 0;

    void add(QChar c, bool raw)
    {
        text += c;
        isRaw.append(raw);
    }
};

DisplayChars buildDisplay(bool minus, const QString &digits, const QString &decimals,
                                 int shown, const QString &suffix)
{
    DisplayChars d;
    if (minus)
        d.add(CurrencyEditModel::kNegativeSign, true);
    const int n = int(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            d.add(CurrencyEditModel::kGroupSeparator, false);
        d.add(digits[i], true);
    }
    if (shown > 0) {
        d.add(CurrencyEditModel::kDecimalChar, true);
        for (int i = 0; i < shown; ++i)
            d.add(decimals[i], true);
    }
    d.numberLength = int(d.text.size());
    for (QChar c : suffix)
        d.add(c, false);
    return d;
}

} // namespace

QString CurrencyEditModel::displayText() const
{
    const Raw r = split();
    return buildDisplay(r.minus, r.digits, r.decimals, shownDecimals(), m_suffix).text;
}

int CurrencyEditModel::displayNumberLength() const
{
    const Raw r = split();
    return buildDisplay(r.minus, r.digits, r.decimals, shownDecimals(), m_suffix).numberLength;
}

int CurrencyEditModel::displayToRaw(int displayPos) const
{
    const Raw r = split();
    const DisplayChars d = buildDisplay(r.minus, r.digits, r.decimals, shownDecimals(), m_suffix);
    const int q = std::clamp(displayPos, 0, int(d.text.size()));
    return int(std::count(d.isRaw.cbegin(), d.isRaw.cbegin() + q, true));
}

int CurrencyEditModel::rawToDisplay(int rawPos, bool selectionEnd) const
{
    const Raw r = split();
    const DisplayChars d = buildDisplay(r.minus, r.digits, r.decimals, shownDecimals(), m_suffix);
    int count = 0;
    int best = -1;
    for (int q = 0; q <= d.numberLength; ++q) {
        if (count == rawPos && (best < 0 || !selectionEnd))
            best = q;
        if (q < d.numberLength && d.isRaw[q])
            ++count;
    }
    if (best >= 0)
        return best;
    return rawPos < 0 ? 0 : d.numberLength;
}

int CurrencyEditModel::deleteSelection(Raw &raw, Selection sel)
{
    const int start = std::clamp(sel.start, 0, raw.end());
    const int stop = std::clamp(sel.end, start, raw.end());
    auto inside = [&](int pos) { return start <= pos && pos < stop; };

    QString digits;
    for (int i = 0; i < raw.digits.size(); ++i) {
        if (!inside(raw.intStart() + i))
            digits += raw.digits[i];
    }
    QString decimals;
    for (int i = 0; i < kRawDecimals; ++i) {
        if (!inside(raw.decStart() + i))
            decimals += raw.decimals[i];
    }
    raw.minus = raw.minus && !inside(0);
    raw.digits = digits;
    raw.decimals = decimals.leftJustified(kRawDecimals, u'0');
    if (raw.digits.isEmpty()) {
        // The whole integer part went: a 0 stands in, and the caret waits
        // before the point so the next digit replaces it.
        raw.digits = QStringLiteral("0");
        return raw.point();
    }
    return std::min(start, raw.end());
}

CurrencyEditModel::Outcome CurrencyEditModel::commit(const Raw &raw, int caret, Selection &sel)
{
    Raw edited = raw;
    if (edited.digits.isEmpty())
        edited.digits = QStringLiteral("0");
    const CWexOleCurrency oldAmount = m_amount;
    const bool oldNegativeZero = m_negativeZero;
    if (!readRawText(edited.text()))
        return Outcome::Refused;
    // Reading back drops leading zeros of the integer part: the caret follows.
    const int stripped = int(edited.digits.size() - split().digits.size());
    if (caret > edited.intStart())
        caret = std::max(edited.intStart(), caret - stripped);
    caret = std::clamp(caret, 0, rawLength());
    sel = Selection::caret(caret);
    return (m_amount != oldAmount || m_negativeZero != oldNegativeZero) ? Outcome::Changed
                                                                       : Outcome::Unchanged;
}

CurrencyEditModel::Outcome CurrencyEditModel::typeChar(QChar c, Selection &sel)
{
    if (c == u'-')
        return typeMinus(sel);
    if (c == kDecimalChar)
        return typeDecimalChar(sel);
    if (c >= u'0' && c <= u'9')
        return typeDigit(c.unicode() - u'0', sel);
    if (c == u'\b')
        return backspace(sel);
    return Outcome::Unchanged;
}

CurrencyEditModel::Outcome CurrencyEditModel::typeMinus(Selection &sel)
{
    Raw r = split();
    int caret = sel.isEmpty() ? sel.start : deleteSelection(r, sel);
    // Negating, or toggling the negative-zero flag, adds or drops the "-" in
    // front; the caret keeps its place among the digits.
    r.minus = !r.minus;
    caret = std::max(0, caret + (r.minus ? 1 : -1));
    return commit(r, caret, sel);
}

CurrencyEditModel::Outcome CurrencyEditModel::typeDecimalChar(Selection &sel)
{
    sel = Selection::caret(split().decStart());
    return Outcome::Unchanged;
}

CurrencyEditModel::Outcome CurrencyEditModel::typeDigit(int digit, Selection &sel)
{
    Raw r = split();
    int caret = sel.isEmpty() ? sel.start : deleteSelection(r, sel);
    const QChar d = QChar(u'0' + digit);
    caret = std::max(caret, r.intStart()); // never in front of the "-"

    if (caret == r.point() && r.digits == u"0") {
        r.digits = d;
        return commit(r, caret, sel);
    }
    if (caret >= r.end())
        return Outcome::Refused;
    if (caret >= r.decStart()) {
        const int j = caret - r.decStart();
        const bool hiddenZero =
            std::all_of(r.decimals.cbegin() + m_decimals, r.decimals.cend(),
                        [](QChar c) { return c == u'0'; });
        if (j >= m_decimals && hiddenZero)
            return Outcome::Refused;
        r.decimals.insert(j, d);
        r.decimals.truncate(kRawDecimals);
        // The digit pushed out of the shown decimals is lost, not hidden.
        if (j < m_decimals && m_decimals < kRawDecimals)
            r.decimals[m_decimals] = u'0';
        return commit(r, caret + 1, sel);
    }
    r.digits.insert(caret - r.intStart(), d);
    if (r.digits.size() > kMaxIntegerDigits)
        return Outcome::Refused; // the raw text would be too long to read back
    return commit(r, caret + 1, sel);
}

CurrencyEditModel::Outcome CurrencyEditModel::backspace(Selection &sel)
{
    Raw r = split();
    if (!sel.isEmpty())
        return commit(r, deleteSelection(r, sel), sel);
    const int p = std::min(sel.start, r.end());
    if (p <= 0)
        return Outcome::Unchanged;
    const int pos = p - 1;
    int caret = pos;
    if (r.minus && pos == 0) {
        r.minus = false;
    } else if (pos < r.point()) {
        r.digits.remove(pos - r.intStart(), 1);
        if (r.digits.isEmpty()) {
            r.digits = QStringLiteral("0");
            caret = r.point();
        }
    } else if (pos == r.point()) {
        // "." stays; the integer digit before it goes instead.
        r.digits.chop(1);
        if (r.digits.isEmpty())
            r.digits = QStringLiteral("0");
        caret = r.point();
    } else {
        r.decimals.remove(pos - r.decStart(), 1);
        r.decimals += u'0';
    }
    return commit(r, caret, sel);
}

CurrencyEditModel::Outcome CurrencyEditModel::deleteForward(Selection &sel)
{
    Raw r = split();
    if (!sel.isEmpty())
        return commit(r, deleteSelection(r, sel), sel);
    const int p = std::max(sel.start, 0);
    if (p >= r.end())
        return Outcome::Unchanged;
    int caret = p;
    if (r.minus && p == 0) {
        r.minus = false;
    } else if (p < r.point()) {
        r.digits.remove(p - r.intStart(), 1);
        if (r.digits.isEmpty()) {
            r.digits = QStringLiteral("0");
            caret = r.point();
        }
    } else if (p == r.point()) {
        // "." stays; the caret steps over it and the first decimal goes.
        r.decimals.remove(0, 1);
        r.decimals += u'0';
        caret = r.decStart();
    } else {
        r.decimals.remove(p - r.decStart(), 1);
        r.decimals += u'0';
    }
    return commit(r, caret, sel);
}

CurrencyEditModel::Selection CurrencyEditModel::moveLeft(Selection sel) const
{
    const int caret = sel.isEmpty() ? sel.start - 1 : sel.start;
    return Selection::caret(std::clamp(caret, 0, lastReachableRawPos()));
}

CurrencyEditModel::Selection CurrencyEditModel::moveRight(Selection sel) const
{
    const int caret = sel.isEmpty() ? sel.end + 1 : sel.end;
    return Selection::caret(std::clamp(caret, 0, lastReachableRawPos()));
}
