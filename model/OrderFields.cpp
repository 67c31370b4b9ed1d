#include "model/OrderFields.h"

#include "model/Import.h"
#include "model/PrzelewDane.h"

#include <algorithm>

namespace OrderFields {

namespace {

using F = OrderField;

constexpr Column kHead[] = {
    {F::Reference, 8, AsIs, u"referencja"},
    {F::Symbol, 2, AsIs, u"symbol formularza"},
};

constexpr Column kOrdinary[] = {
    {F::Recipient1, 54, Trim, u"nazwa odbiorcy"},
    {F::Recipient2, 54, Trim, u"nazwa odbiorcy cd."},
    {F::CheckDigits, 2, Trim, u"l.k."},
    {F::BankNumber, 8, AsIs, u"numer banku"},
    {F::AccountRest, 34, Trim, u"nr rachunku"},
    {F::TransferFlag, 1, AsIs, u""},
    {F::Currency, 3, AsIs, u"waluta"},
    {F::Amount, 20, Trim, u"kwota"},
    {F::SenderAccount, 54, Trim, u"nr rachunku zleceniodawcy"},
    {F::Sender1, 54, Trim, u"nazwa zleceniodawcy"},
    {F::Sender2, 54, Trim, u"nazwa zleceniodawcy cd."},
    {F::Title1, 54, Trim, u"tytułem"},
    {F::Title2, 54, Trim, u"tytułem cd."},
    {F::Date, 10, Trim, u"data"},
};

// ZUS from version 4: the account type stands for the fixed account.
constexpr Column kZus[] = {
    {F::ZusAccountType, 1, AsIs, u"typ rachunku ZUS"},
    {F::TransferFlag, 1, AsIs, u""},
    {F::Amount, 20, Trim, u"kwota"},
    {F::SenderAccount, 54, Trim, u"nr rachunku płatnika"},
    {F::Sender1, 54, Trim, u"nazwa płatnika"},
    {F::Sender2, 54, Trim, u"nazwa płatnika cd."},
    {F::PayerId, 10, Trim, u"NIP płatnika"},
    {F::IdType, 1, AsIs, u""},
    {F::SupplementaryId, 14, AsIs, u"drugi identyfikator płatnika"},
    {F::PaymentType, 1, AsIs, u""},
    {F::Declaration, 6, Trim, u"deklaracja"},
    {F::DeclarationNo, 2, Trim, u"nr deklaracji"},
    {F::Date, 10, Trim, u"data"},
    {F::Title2, 15, Trim, u"nr decyzji / umowy / tytułu wykonawczego"},
};

// ZUS in versions 1 to 3: the account itself, its rest in 9 characters.
constexpr Column kZusOld[] = {
    {F::CheckDigits, 2, Trim, u"l.k."},
    {F::BankNumber, 8, AsIs, u"numer banku"},
    {F::AccountRest, 9, Trim, u"nr rachunku"},
    {F::TransferFlag, 1, AsIs, u""},
    {F::Amount, 20, Trim, u"kwota"},
    {F::SenderAccount, 54, Trim, u"nr rachunku płatnika"},
    {F::Sender1, 54, Trim, u"nazwa płatnika"},
    {F::Sender2, 54, Trim, u"nazwa płatnika cd."},
    {F::PayerId, 10, Trim, u"NIP płatnika"},
    {F::IdType, 1, AsIs, u""},
    {F::SupplementaryId, 14, AsIs, u"drugi identyfikator płatnika"},
    {F::PaymentType, 1, AsIs, u""},
    {F::Declaration, 6, Trim, u"deklaracja"},
    {F::DeclarationNo, 2, Trim, u"nr deklaracji"},
    {F::Date, 10, Trim, u"data"},
};

constexpr Column kTax[] = {
    {F::Recipient1, 54, Trim, u"nazwa organu podatkowego"},
    {F::Recipient2, 54, Trim, u"nazwa organu podatkowego cd."},
    {F::CheckDigits, 2, Trim, u"l.k."},
    {F::BankNumber, 8, AsIs, u"numer banku"},
    {F::AccountRest, 34, Trim, u"nr rachunku"},
    {F::TransferFlag, 1, AsIs, u""},
    {F::Currency, 3, AsIs, u"waluta"},
    {F::Amount, 20, Trim, u"kwota"},
    {F::SenderAccount, 54, Trim, u"nr rachunku zobowiązanego"},
    {F::Sender1, 54, Trim, u"nazwa zobowiązanego"},
    {F::Sender2, 54, Trim, u"nazwa zobowiązanego cd."},
    {F::Title1, 54, Trim, u"tytułem"},
    {F::PayerId, 14, Trim, u"identyfikator zobowiązanego"},
    {F::IdType, 1, AsIs, u""},
    {F::TaxPeriod, 7, Trim, u"okres"},
    {F::TaxFormSymbol, 7, Trim, u"symbol formularza"},
    {F::ObligationId, 20, Trim, u"identyfikacja zobowiązania"},
    {F::Date, 10, Trim, u"data"},
};

constexpr int lengthOfColumns(std::span<const Column> columns)
{
    int n = 0;
    for (const Column &c : columns)
        n += c.width;
    return n;
}
// Line lengths other programs write and read: they must never change.
static_assert(lengthOfColumns(kOrdinary) == 456);
static_assert(lengthOfColumns(kZus) == 243);
static_assert(lengthOfColumns(kZusOld) == 246);
static_assert(lengthOfColumns(kTax) == 451);

// Where each field is held and what the forms call it; a member of null
// holds no text (a code, a date or an amount).
struct Entry
{
    OrderField field;
    QString CPrzelewDane::*text;
    const char16_t *printed;
};

constexpr Entry kEntries[] = {
    {F::Recipient1, &CPrzelewDane::recipient1, u"nazwa odbiorcy"},
    {F::Recipient2, &CPrzelewDane::recipient2, u"nazwa odbiorcy cd."},
    {F::CheckDigits, &CPrzelewDane::checkDigits, u"nr rachunku odbiorcy"},
    {F::BankNumber, &CPrzelewDane::bankNumber, u"nr rachunku odbiorcy"},
    {F::AccountRest, &CPrzelewDane::accountRest, u"nr rachunku odbiorcy"},
    {F::TransferFlag, nullptr, u""},
    {F::Currency, &CPrzelewDane::currency, u"waluta"},
    {F::Amount, nullptr, u"kwota"},
    {F::SenderAccount, &CPrzelewDane::senderAccount, u"nr rachunku zleceniodawcy"},
    {F::Sender1, &CPrzelewDane::sender1, u"nazwa zleceniodawcy"},
    {F::Sender2, &CPrzelewDane::sender2, u"nazwa zleceniodawcy cd."},
    {F::Title1, &CPrzelewDane::title1, u"tytułem"},
    {F::Title2, &CPrzelewDane::title2, u"tytułem cd."},
    {F::Date, nullptr, u"data"},
    {F::ZusAccountType, nullptr, u""},
    {F::PayerId, &CPrzelewDane::payerId, u"identyfikator płatnika"},
    {F::IdType, nullptr, u"typ identyfikatora"},
    {F::SupplementaryId, &CPrzelewDane::supplementaryId, u"drugi identyfikator płatnika"},
    {F::PaymentType, nullptr, u"typ wpłaty"},
    {F::Declaration, &CPrzelewDane::declaration, u"deklaracja"},
    {F::DeclarationNo, &CPrzelewDane::declarationNo, u"nr deklaracji"},
    {F::TaxPeriod, &CPrzelewDane::taxPeriod, u"okres"},
    {F::TaxFormSymbol, &CPrzelewDane::taxFormSymbol, u"symbol formularza"},
    {F::ObligationId, &CPrzelewDane::obligationId, u"identyfikacja zobowiązania"},
    {F::Reference, &CPrzelewDane::reference, u"referencja"},
    {F::Symbol, &CPrzelewDane::symbol, u"symbol"},
};

constexpr bool entriesInFieldOrder()
{
    for (size_t i = 0; i < std::size(kEntries); ++i)
        if (size_t(kEntries[i].field) != i)
            return false;
    return true;
}
static_assert(entriesInFieldOrder(), "one entry per field, in the order of OrderField");

const Entry &entryOf(OrderField field)
{
    return kEntries[size_t(field)];
}

} // namespace

std::span<const Column> headColumns()
{
    return kHead;
}

std::span<const Column> bodyColumns(int kind, int version)
{
    switch (kind) {
    case KindZus: return version >= 4 ? std::span<const Column>(kZus) : std::span<const Column>(kZusOld);
    case KindTax: return kTax;
    default: return kOrdinary;
    }
}

int lengthOf(std::span<const Column> columns)
{
    return lengthOfColumns(columns);
}

QString *textOf(CPrzelewDane &record, OrderField field)
{
    const Entry &e = entryOf(field);
    return e.text ? &(record.*e.text) : nullptr;
}

const QString *textOf(const CPrzelewDane &record, OrderField field)
{
    const Entry &e = entryOf(field);
    return e.text ? &(record.*e.text) : nullptr;
}

QString printedText(const CPrzelewDane &record, OrderField field)
{
    switch (field) {
    case F::IdType: return QString(CPrzelewDane::IdTypeLetter(record.idType));
    case F::PaymentType: return QString(CPrzelewDane::PaymentTypeLetter(record.paymentType));
    default: break;
    }
    const QString *text = textOf(record, field);
    return text ? *text : QString();
}

QString printedName(OrderField field)
{
    return QString::fromUtf16(entryOf(field).printed);
}

QString depositWordsName()
{
    return printedName(F::SenderAccount) + QStringLiteral(" / kwota słownie");
}

QStringList printedNames(OrderField field)
{
    if (field == F::SenderAccount)
        return {printedName(field), depositWordsName()};
    return {printedName(field)};
}

int pageLimit(int kind, OrderField field)
{
    for (std::span<const Column> columns : {headColumns(), bodyColumns(kind, CImport::kCurrentVersion),
                                            bodyColumns(KindOrdinary, CImport::kCurrentVersion)}) {
        const auto column = std::ranges::find(columns, field, &Column::field);
        if (column != columns.end())
            return column->width;
    }
    return 0;
}

} // namespace OrderFields
