#include "model/ZusTransfer.h"

#include "model/AccountCheck.h"
#include "model/PaymentAccounts.h"
#include "model/TaxpayerIds.h"

namespace ZusTransfer {

QString accountProblem(QStringView account, QStringView nip)
{
    if (!isValidNip(nip))
        return QStringLiteral("Rachunek składkowy kończy się numerem NIP płatnika: najpierw podaj poprawny NIP.");
    const AccountCheck check = checkAccountNumber(account);
    if (check == AccountCheck::Empty)
        return QStringLiteral("Podaj numer rachunku składkowego płatnika (NRS) z informacji od ZUS.");
    if (check != AccountCheck::Valid)
        return accountCheckWarning(check);
    const std::optional<ZusContributionAccount> nrs = zusContributionAccount(account);
    if (!nrs)
        return QStringLiteral("To nie jest rachunek składkowy ZUS: taki numer ma cyfry 60000002 026 w "
                              "miejscach 3–13 i kończy się numerem NIP płatnika.");
    if (nrs->nip != taxpayerIdDigits(nip))
        return QStringLiteral("To rachunek składkowy płatnika NIP %1, a nie płatnika NIP %2.")
            .arg(nrs->nip, taxpayerIdDigits(nip));
    return {};
}

QString title(const QString &declaration)
{
    const QString month = declaration.left(2), year = declaration.mid(2, 4);
    bool monthOk = false, yearOk = false;
    const int m = month.toInt(&monthOk);
    year.toInt(&yearOk);
    if (declaration.size() != 6 || !monthOk || !yearOk || m < 1 || m > 12)
        return QStringLiteral("Składki ZUS");
    return QStringLiteral("Składki ZUS za %1/%2").arg(month, year);
}

CPrzelewDane ordinaryTransfer(const CPrzelewDane &zus, QStringView account, const QString &title)
{
    CPrzelewDane out;
    out.SetKind(KindOrdinary, zus.date);
    out.amount = zus.amount;
    out.currency = zus.currency;
    out.isTransfer = zus.isTransfer;
    out.senderAccount = zus.senderAccount;
    out.sender1 = zus.sender1;
    out.sender2 = zus.sender2;
    out.reference = zus.reference;
    out.sortKey = zus.sortKey;
    out.recipient1 = zus.recipient1.isEmpty() ? QStringLiteral("Zakład Ubezpieczeń Społecznych") : zus.recipient1;
    out.recipient2 = zus.recipient2;
    const QString digits = accountDigits(account);
    out.checkDigits = digits.left(2);
    out.bankNumber = digits.mid(2, 8);
    out.accountRest = digits.mid(10);
    out.title1 = title;
    return out;
}

} // namespace ZusTransfer
