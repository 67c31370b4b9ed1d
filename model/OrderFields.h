#pragma once
// The catalogue of an order's fields, in one place: the record's member that
// holds each, its columns in the order file (the width per kind and file
// version, the name a refusal gives it), the name the printed forms give it
// when its text is cut, and how many characters a details page takes for it.
// The file's reader and writer, the form layouts and the pages read it.

#include <QString>
#include <QStringList>
#include <span>

class CPrzelewDane;

enum class OrderField {
    Recipient1, Recipient2, CheckDigits, BankNumber, AccountRest, TransferFlag, Currency,
    Amount, SenderAccount, Sender1, Sender2, Title1, Title2, Date, ZusAccountType,
    PayerId, IdType, SupplementaryId, PaymentType, Declaration, DeclarationNo,
    TaxPeriod, TaxFormSymbol, ObligationId, Reference, Symbol,
};

namespace OrderFields {

// How the reader takes a column's text: C blanks trimmed, or as it stands.
enum Read { Trim, AsIs };

// One column of a line of the order file.
struct Column
{
    OrderField field;
    int width;
    Read read;
    const char16_t *name;   // for the message when a text does not fit
};

// The reference and the form symbol, after the kind code from version 2 on.
std::span<const Column> headColumns();
// A line's body for an order of `kind` in a file of `version`, left to right.
std::span<const Column> bodyColumns(int kind, int version);
// The characters a run of columns takes.
int lengthOf(std::span<const Column> columns);

// The record's text of a field; null for one held as a code, a date or an amount.
QString *textOf(CPrzelewDane &record, OrderField field);
const QString *textOf(const CPrzelewDane &record, OrderField field);
// The field as a form prints it: its text, or the letter of a type code.
QString printedText(const CPrzelewDane &record, OrderField field);
// The name the forms give a field in the note that its text was cut.
QString printedName(OrderField field);
// The sender's account field of a cash deposit, which holds the amount in words.
QString depositWordsName();
// Every name a cut of the field may be noted under.
QStringList printedNames(OrderField field);

// The characters a page takes for a field of an order of `kind`: its width
// in the file version written today; a field the kind's line does not hold
// takes the ordinary order's width.
int pageLimit(int kind, OrderField field);

} // namespace OrderFields
