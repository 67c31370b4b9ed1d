#pragma once
// Where a tax is paid, by the form symbol of the payment: to the taxpayer's
// own micro-account or to the tax office's own account. Kept as one table
// (symbol, group, where, since when), because the list changes by
// regulation every few years. Also the rule of the tax period field.

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>
#include <span>

enum class TaxPaidTo { MicroAccount, OfficeAccount };

struct TaxFormRow
{
    const char16_t *symbol;   // as the ministry writes it: "PIT-37", "JPK_V7K"
    const char16_t *group;    // "PIT", "CIT", "VAT", … ("" when of no group)
    TaxPaidTo paidTo;
    int since;                // yyyymmdd: from this day on paid to `paidTo`
                              // (a micro-account row: to the office before it)
};
std::span<const TaxFormRow> taxFormTable();

// The groups the symbols belong to; a symbol not in the table is routed by
// the group it names ("PIT", "AKC2A"), when it names one.
struct TaxFormGroup
{
    const char16_t *code;
    const char16_t *description;    // in Polish
    TaxPaidTo paidTo;
    int since;
};
std::span<const TaxFormGroup> taxFormGroups();

// A symbol as compared: upper case, without blanks, hyphens and underscores
// ("pit-37" and "PIT37" are the same form).
QString normalizedFormSymbol(QStringView symbol);
// Where a payment of this form is made on a day; nothing for a symbol the
// table does not know.
std::optional<TaxPaidTo> taxFormPaidTo(QStringView symbol, QDate on = QDate::currentDate());
// The table's symbols known on a day, written as the form-symbol field of an
// order holds them (normalized: at most 7 characters), sorted.
QStringList taxFormFieldSymbols(QDate on = QDate::currentDate());

// The period field: "0", or YY followed by R; P01–02; K01–04; M01–12;
// D + decade 01–03 + month; J + day 01–31 + month.
bool isValidTaxPeriod(QStringView period);
