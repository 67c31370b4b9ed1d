#pragma once
// Division of a free-form account text into check digits, bank number and
// account rest. Only divides: no digit is verified.

#include <QString>

struct AccountParts
{
    QString checkDigits;
    QString bankNumber;
    QString accountRest;
    bool operator==(const AccountParts &) const = default;
};

// The account split on the text as given ("PL" dropped, NRB when 26 remain).
AccountParts SplitAccount(const QString &text);
// The sender-account split of the forms: blanks and "-" removed, then split.
AccountParts AccountSplit(const QString &text);
