#include "model/PaymentWarnings.h"

#include "model/AccountCheck.h"
#include "model/TaxForms.h"
#include "model/TaxpayerIds.h"

namespace PaymentWarnings {

namespace {

struct IdCheck
{
    char16_t letter;            // the type's letter in order files
    const char16_t *name;
    bool (*isValid)(QStringView);
};

constexpr IdCheck IdChecks[] = {
    {u'N', u"NIP", isValidNip},
    {u'P', u"PESEL", isValidPesel},
    {u'R', u"REGON", isValidRegon},
};

QString symbolText(QStringView symbol)
{
    return symbol.trimmed().toString();
}

} // namespace

std::optional<MicroAccountOwner> microAccountOwner(int idType)
{
    if (idType == CPrzelewDane::IdTypeFromLetter(u'N'))
        return MicroAccountOwner::Nip;
    if (idType == CPrzelewDane::IdTypeFromLetter(u'P'))
        return MicroAccountOwner::Pesel;
    return std::nullopt;
}

QString identifier(int idType, QStringView id)
{
    if (id.trimmed().isEmpty())
        return {};
    for (const IdCheck &check : IdChecks) {
        if (idType != CPrzelewDane::IdTypeFromLetter(QChar(check.letter)))
            continue;
        if (check.isValid(id))
            return {};
        return QStringLiteral("%1 ma błędną cyfrę kontrolną albo złą liczbę cyfr — sprawdź, czy został dobrze "
                              "przepisany.")
            .arg(QStringView(check.name));
    }
    return {};
}

QString taxAccount(QStringView symbol, int idType, QStringView id, QStringView account, QDate on)
{
    const std::optional<TaxPaidTo> paidTo = taxFormPaidTo(symbol, on);
    if (!paidTo || accountDigits(account).isEmpty())
        return {};
    const std::optional<MicroAccount> micro = taxMicroAccountOwner(account);
    if (*paidTo == TaxPaidTo::OfficeAccount) {
        if (!micro)
            return {};
        return QStringLiteral("%1 płaci się na rachunek urzędu skarbowego, a to jest mikrorachunek podatkowy — "
                              "sprawdź rachunek urzędu.")
            .arg(symbolText(symbol));
    }
    const std::optional<MicroAccountOwner> owner = microAccountOwner(idType);
    const bool payerKnown = owner && !taxMicroAccount(*owner, id).isEmpty();
    if (payerKnown ? isTaxMicroAccountOf(account, *owner, id) : micro.has_value())
        return {};
    if (payerKnown && micro)
        return QStringLiteral("%1 płaci się na mikrorachunek podatkowy płatnika, a to jest mikrorachunek %2 %3 — "
                              "innego identyfikatora niż podany.")
            .arg(symbolText(symbol), micro->owner == MicroAccountOwner::Nip ? u"NIP" : u"PESEL", micro->id);
    return QStringLiteral("%1 płaci się na mikrorachunek podatkowy płatnika, a ten rachunek nim nie jest.")
        .arg(symbolText(symbol));
}

QString taxPeriod(QStringView period)
{
    if (period.trimmed().isEmpty() || isValidTaxPeriod(period))
        return {};
    return QStringLiteral("Okres nie ma postaci 0, 26R (rok), 26P01 (półrocze), 26K03 (kwartał), 26M04 "
                          "(miesiąc), 26D0204 (dekada i miesiąc) ani 26J3102 (dzień i miesiąc).");
}

QString closed(QStringView account)
{
    const std::optional<ClosedAccount> found = closedAccount(account);
    return found ? closedAccountWarning(*found) : QString();
}

QString recipientAccount(QStringView account)
{
    const QString mistyped = accountCheckWarning(checkAccountNumber(account));
    return mistyped.isEmpty() ? closed(account) : mistyped;
}

QStringList ofOrder(const CPrzelewDane &order, QDate on)
{
    const QString account = order.AccountNumberText();
    QStringList warnings {closed(account)};
    if (order.kind == KindTax)
        warnings << identifier(order.idType, order.payerId)
                 << taxAccount(order.taxFormSymbol, order.idType, order.payerId, account, on)
                 << taxPeriod(order.taxPeriod);
    warnings.removeAll(QString());
    return warnings;
}

} // namespace PaymentWarnings
