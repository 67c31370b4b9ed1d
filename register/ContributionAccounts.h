#pragma once
// The ZUS contribution accounts (NRS) the register holds for one payer: the
// parties whose account is an NRS ending with the payer's NIP. Raises
// CRegisterError when the register cannot be read.

#include "register/RegisterLocation.h"

#include <QString>
#include <vector>

struct CRegisteredAccount
{
    QString name;       // the party's first name line
    QString account;    // 26 digits
};

std::vector<CRegisteredAccount> registeredContributionAccounts(const RegisterLocation &where, QStringView nip);
