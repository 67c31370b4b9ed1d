#include "model/PaymentAccounts.h"

#include "model/AccountCheck.h"
#include "model/TaxpayerIds.h"

namespace {

// Sorting code of the central bank, "222" and the type digit.
constexpr QStringView MicroAccountPrefix = u"10100071222";
// ZUS's sorting code and the "026" every contribution account carries.
constexpr QStringView ContributionPrefix = u"60000002026";

struct ClosedRow
{
    const char16_t *account;
    const char16_t *purpose;
    int closedSince;    // yyyymmdd
};

// The fund accounts ZUS kept until contributions moved to each payer's own
// account.
constexpr ClosedRow ClosedAccounts[] = {
    {u"83101010230000261395100000", u"składki na ubezpieczenie społeczne", 20180101},
    {u"78101010230000261395200000", u"składki na ubezpieczenie zdrowotne", 20180101},
    {u"73101010230000261395300000", u"składki na Fundusz Pracy i FGŚP", 20180101},
    {u"68101010230000261395400000", u"składki na Fundusz Emerytur Pomostowych", 20180101},
};

QDate dateOf(int yyyymmdd)
{
    return QDate(yyyymmdd / 10000, yyyymmdd / 100 % 100, yyyymmdd % 100);
}

// The 26 digits of a number whose check digits are right, else empty.
QString validDigits(QStringView account)
{
    return checkAccountNumber(account) == AccountCheck::Valid ? accountDigits(account) : QString();
}

} // namespace

QString taxMicroAccount(MicroAccountOwner owner, QStringView id)
{
    const QString digits = taxpayerIdDigits(id);
    const bool valid = owner == MicroAccountOwner::Nip ? isValidNip(digits) : isValidPesel(digits);
    if (!valid)
        return {};
    QString bban = MicroAccountPrefix.toString() + QChar(u'0' + int(owner)) + digits;
    bban = bban.leftJustified(24, u'0');
    return nrbCheckDigits(bban) + bban;
}

std::optional<MicroAccount> taxMicroAccountOwner(QStringView account)
{
    const QString digits = validDigits(account);
    if (digits.isEmpty() || QStringView(digits).mid(2, MicroAccountPrefix.size()) != MicroAccountPrefix)
        return std::nullopt;
    const QStringView rest = QStringView(digits).mid(2 + MicroAccountPrefix.size());
    const QChar type = rest[0];
    // The identifier stands first, zeros fill the twelve places after the type digit.
    const int idLength = type == u'1' ? 11 : type == u'2' ? 10 : 0;
    if (idLength == 0)
        return std::nullopt;
    const QStringView id = rest.mid(1, idLength);
    const QStringView fill = rest.mid(1 + idLength);
    if (fill.count(u'0') != fill.size())
        return std::nullopt;
    const MicroAccountOwner owner = idLength == 11 ? MicroAccountOwner::Pesel : MicroAccountOwner::Nip;
    if (!(owner == MicroAccountOwner::Pesel ? isValidPesel(id) : isValidNip(id)))
        return std::nullopt;
    return MicroAccount {owner, id.toString()};
}

bool isTaxMicroAccountOf(QStringView account, MicroAccountOwner owner, QStringView id)
{
    const std::optional<MicroAccount> found = taxMicroAccountOwner(account);
    return found && found->owner == owner && found->id == taxpayerIdDigits(id);
}

std::optional<ZusContributionAccount> zusContributionAccount(QStringView account)
{
    const QString digits = validDigits(account);
    if (digits.isEmpty() || QStringView(digits).mid(2, ContributionPrefix.size()) != ContributionPrefix)
        return std::nullopt;
    const QString nip = digits.mid(16);
    if (!isValidNip(nip))
        return std::nullopt;
    return ZusContributionAccount {digits.mid(13, 3), nip};
}

bool isZusContributionAccount(QStringView account)
{
    return zusContributionAccount(account).has_value();
}

bool isZusContributionAccountOf(QStringView account, QStringView nip)
{
    const std::optional<ZusContributionAccount> found = zusContributionAccount(account);
    return found && found->nip == taxpayerIdDigits(nip);
}

std::optional<ClosedAccount> closedAccount(QStringView account)
{
    const QString digits = accountDigits(account);
    for (const ClosedRow &row : ClosedAccounts) {
        const QStringView closed(row.account);
        // Older files keep a number without its check digits.
        if (digits == closed || digits == closed.mid(2))
            return ClosedAccount {closed.toString(), QString::fromUtf16(row.purpose), dateOf(row.closedSince)};
    }
    return std::nullopt;
}

QString closedAccountWarning(const ClosedAccount &closed)
{
    return QStringLiteral("Rachunek zamknięty %1 (dawny rachunek ZUS na %2) — nie przyjmuje wpłat. Składki "
                          "wpłaca się jednym przelewem na rachunek składkowy płatnika (NRS).")
        .arg(closed.closedSince.toString(u"d.MM.yyyy"), closed.purpose);
}

QString accountDescription(QStringView account)
{
    if (const std::optional<ZusContributionAccount> nrs = zusContributionAccount(account))
        return QStringLiteral("Rachunek składkowy ZUS płatnika NIP %1").arg(nrs->nip);
    if (const std::optional<MicroAccount> micro = taxMicroAccountOwner(account))
        return QStringLiteral("Mikrorachunek podatkowy %1 %2")
            .arg(micro->owner == MicroAccountOwner::Nip ? u"NIP" : u"PESEL", micro->id);
    if (const std::optional<ClosedAccount> closed = closedAccount(account))
        return closedAccountWarning(*closed);
    return {};
}
