#include "register/ContributionAccounts.h"

#include "model/AccountCheck.h"
#include "model/PaymentAccounts.h"
#include "register/PartyStore.h"

#include <algorithm>

std::vector<CRegisteredAccount> registeredContributionAccounts(const RegisterLocation &where, QStringView nip)
{
    std::vector<CRegisteredAccount> out;
    for (const Party &p : PartyStore::open(where)->list(PartyFilter {}, PartySort::Name)) {
        const QString account = p.accountText();
        if (!isZusContributionAccountOf(account, nip))
            continue;
        const QString digits = accountDigits(account);
        if (std::none_of(out.begin(), out.end(), [&](const CRegisteredAccount &a) { return a.account == digits; }))
            out.push_back({p.name1, digits});
    }
    return out;
}
