#include "model/TaxForms.h"

#include <algorithm>

namespace {

constexpr TaxPaidTo Micro = TaxPaidTo::MicroAccount;
constexpr TaxPaidTo Office = TaxPaidTo::OfficeAccount;

// The day the micro-account began. Where no source gives the day a symbol
// joined the list (the lists of 2021, 2023 and 2025 added symbols), it
// stands in: a row's date only matters for orders dated before it.
constexpr int MicroStart = 20200101;

constexpr TaxFormGroup Groups[] = {
    {u"CIT", u"podatek dochodowy od osób prawnych", Micro, MicroStart},
    {u"PIT", u"podatek dochodowy od osób fizycznych", Micro, MicroStart},
    {u"VAT", u"podatek od towarów i usług", Micro, MicroStart},
    {u"PSD", u"podatek od sprzedaży detalicznej", Micro, 20210101},
    {u"KOP", u"podatek od wydobycia niektórych kopalin", Micro, MicroStart},
    {u"POG", u"podatek od gier", Micro, MicroStart},
    {u"GHD", u"grupa bez ustalonego opisu", Micro, MicroStart},
    {u"DSF", u"grupa bez ustalonego opisu", Micro, MicroStart},
    {u"ALK", u"opłata od napojów alkoholowych w małych opakowaniach", Micro, MicroStart},
    {u"CUK", u"opłata od środków spożywczych (cukrowa)", Micro, MicroStart},
    {u"DRA", u"grupa bez ustalonego opisu", Micro, MicroStart},
    {u"WRO", u"grupa bez ustalonego opisu", Micro, MicroStart},
    {u"PCC", u"podatek od czynności cywilnoprawnych", Office, MicroStart},
    {u"SD", u"podatek od spadków i darowizn", Office, MicroStart},
    {u"KP", u"karta podatkowa", Office, MicroStart},
    {u"AKC", u"podatek akcyzowy", Office, MicroStart},
    {u"OS", u"opłata skarbowa (płatna gminie)", Office, MicroStart},
};

// TWPOD belongs to CIT, PIT and VAT alike; it stands once, under PIT.
constexpr TaxFormRow Forms[] = {
    {u"CIT-AR", u"CIT", Micro, MicroStart},
    {u"CIT-6R", u"CIT", Micro, MicroStart},
    {u"CIT-6AR", u"CIT", Micro, MicroStart},
    {u"CIT-8", u"CIT", Micro, MicroStart},
    {u"CIT-8A", u"CIT", Micro, MicroStart},
    {u"CIT-8AB", u"CIT", Micro, MicroStart},
    {u"CIT-8B", u"CIT", Micro, MicroStart},
    {u"CIT-8E", u"CIT", Micro, MicroStart},
    {u"CIT-8FR", u"CIT", Micro, MicroStart},
    {u"CIT-9R", u"CIT", Micro, MicroStart},
    {u"CIT-10Z", u"CIT", Micro, MicroStart},
    {u"CIT-11R", u"CIT", Micro, MicroStart},
    {u"CIT-14", u"CIT", Micro, MicroStart},
    {u"CIT-CFC", u"CIT", Micro, MicroStart},
    {u"CIT-ISN", u"CIT", Micro, MicroStart},
    {u"CIT-NZ", u"CIT", Micro, MicroStart},
    {u"PIT-4R", u"PIT", Micro, MicroStart},
    {u"PIT-7", u"PIT", Micro, MicroStart},
    {u"PIT-8AR", u"PIT", Micro, MicroStart},
    {u"PIT-28", u"PIT", Micro, MicroStart},
    {u"PIT-28S", u"PIT", Micro, MicroStart},
    {u"PIT-36", u"PIT", Micro, MicroStart},
    {u"PIT-36L", u"PIT", Micro, MicroStart},
    {u"PIT-36S", u"PIT", Micro, MicroStart},
    {u"PIT-36LS", u"PIT", Micro, MicroStart},
    {u"PIT-37", u"PIT", Micro, MicroStart},
    {u"PIT-38", u"PIT", Micro, MicroStart},
    {u"PIT-39", u"PIT", Micro, MicroStart},
    {u"PIT-CFC", u"PIT", Micro, MicroStart},
    {u"PIT-ISN", u"PIT", Micro, MicroStart},
    {u"PIT-NZ", u"PIT", Micro, MicroStart},
    {u"PIT-NZS", u"PIT", Micro, MicroStart},
    {u"PIT-PZ", u"PIT", Micro, MicroStart},
    {u"PIT-PSD", u"PIT", Micro, MicroStart},
    {u"PPD", u"PIT", Micro, MicroStart},
    {u"PPE", u"PIT", Micro, MicroStart},
    {u"PPL", u"PIT", Micro, MicroStart},
    {u"PPW", u"PIT", Micro, MicroStart},
    {u"TWPOD", u"PIT", Micro, MicroStart},
    {u"JPK_V7K", u"VAT", Micro, 20201001},
    {u"JPK_V7M", u"VAT", Micro, 20201001},
    {u"VAT-7", u"VAT", Micro, MicroStart},
    {u"VAT-7D", u"VAT", Micro, MicroStart},
    {u"VAT-7K", u"VAT", Micro, MicroStart},
    {u"VAT-8", u"VAT", Micro, MicroStart},
    {u"VAT-9M", u"VAT", Micro, MicroStart},
    {u"VAT-10", u"VAT", Micro, MicroStart},
    {u"VAT-12", u"VAT", Micro, MicroStart},
    {u"VAT-14", u"VAT", Micro, MicroStart},
    {u"VAT-In", u"VAT", Micro, MicroStart},
    {u"VAT-Z", u"VAT", Micro, MicroStart},
    {u"VAT-KU", u"VAT", Micro, 20251001},
    {u"PSD-1", u"PSD", Micro, 20210101},
    {u"KOP-MS", u"KOP", Micro, MicroStart},
    {u"KOP-RG", u"KOP", Micro, MicroStart},
    {u"P-KOP/MS", u"KOP", Micro, MicroStart},
    {u"P-KOP/RG", u"KOP", Micro, MicroStart},
    {u"PCC-2", u"PCC", Office, MicroStart},
    {u"PCC-3", u"PCC", Office, MicroStart},
    {u"SD-2", u"SD", Office, MicroStart},
    {u"SD-3", u"SD", Office, MicroStart},
};

QDate dateOf(int yyyymmdd)
{
    return QDate(yyyymmdd / 10000, yyyymmdd / 100 % 100, yyyymmdd % 100);
}

// Before a micro-account row's day the office's own account took the payment.
TaxPaidTo paidOn(TaxPaidTo paidTo, int since, QDate on)
{
    return paidTo == Micro && on < dateOf(since) ? Office : paidTo;
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// A two-digit number within [low, high] at `at`.
bool numberIn(QStringView text, qsizetype at, int low, int high)
{
    if (text.size() < at + 2 || !isDigit(text[at]) || !isDigit(text[at + 1]))
        return false;
    const int n = (text[at].unicode() - u'0') * 10 + (text[at + 1].unicode() - u'0');
    return n >= low && n <= high;
}

struct PeriodRule
{
    char16_t letter;
    int low, high;          // the number after the letter
    bool withMonth;         // a month 01–12 follows it
};

constexpr PeriodRule PeriodRules[] = {
    {u'P', 1, 2, false},  {u'K', 1, 4, false},  {u'M', 1, 12, false},
    {u'D', 1, 3, true},   {u'J', 1, 31, true},
};

} // namespace

std::span<const TaxFormRow> taxFormTable()
{
    return Forms;
}

std::span<const TaxFormGroup> taxFormGroups()
{
    return Groups;
}

QString normalizedFormSymbol(QStringView symbol)
{
    QString text;
    for (QChar c : symbol)
        if (c != u' ' && c != u'-' && c != u'_')
            text += c.toUpper();
    return text;
}

std::optional<TaxPaidTo> taxFormPaidTo(QStringView symbol, QDate on)
{
    const QString wanted = normalizedFormSymbol(symbol);
    if (wanted.isEmpty())
        return std::nullopt;
    for (const TaxFormRow &row : Forms)
        if (normalizedFormSymbol(row.symbol) == wanted)
            return paidOn(row.paidTo, row.since, on);
    // A group's code alone, or followed by a form number ("CIT2", "AKC2A").
    for (const TaxFormGroup &group : Groups) {
        const QStringView code(group.code);
        if (wanted.startsWith(code) && (wanted.size() == code.size() || isDigit(wanted[code.size()])))
            return paidOn(group.paidTo, group.since, on);
    }
    return std::nullopt;
}

QStringList taxFormFieldSymbols(QDate on)
{
    QStringList symbols;
    for (const TaxFormRow &row : Forms)
        if (row.paidTo == Office || on >= dateOf(row.since))
            symbols += normalizedFormSymbol(row.symbol);
    symbols.sort();
    return symbols;
}

bool isValidTaxPeriod(QStringView period)
{
    period = period.trimmed();
    if (period == u"0")
        return true;
    if (period.size() < 3 || !numberIn(period, 0, 0, 99))
        return false;
    const QChar letter = period[2].toUpper();
    if (letter == u'R')
        return period.size() == 3;
    for (const PeriodRule &rule : PeriodRules) {
        if (letter != QChar(rule.letter))
            continue;
        const qsizetype length = rule.withMonth ? 7 : 5;
        return period.size() == length && numberIn(period, 3, rule.low, rule.high)
            && (!rule.withMonth || numberIn(period, 5, 1, 12));
    }
    return false;
}
