#include "register/ContributionAccounts.h"

#include "model/AccountCheck.h"
#include "model/PaymentAccounts.h"
#include "register/KontrahenciSet.h"

std::vector<CRegisteredAccount> registeredContributionAccounts(const RegisterLocation &where, QStringView nip)
{
    std::vector<CRegisteredAccount> out;
    CKontrahenciSet set(where);
    // Every contribution account is at ZUS's sorting code: the filter keeps
    // the scan to the few parties there.
    set.m_strFilter = QStringLiteral("KH_BankOdbiorcy LIKE \"6*\"");
    set.m_strSort = QStringLiteral("[KH_Nazwa1]");
    set.Open();
    for (long row = 0; row < set.GetRecordCount(); ++row) {
        set.MoveTo(row);
        const QString account = set.accountText();
        if (!isZusContributionAccountOf(account, nip))
            continue;
        const QString digits = accountDigits(account);
        if (std::none_of(out.begin(), out.end(), [&](const CRegisteredAccount &a) { return a.account == digits; }))
            out.push_back({set.m_Kh_Nazwa1, digits});
    }
    set.Close();
    return out;
}
