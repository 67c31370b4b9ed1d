#pragma once
// Check digits of Polish account numbers (NRB): 2 check digits, the 8-digit
// bank sorting code (whose last digit checks the first seven) and 16 digits
// of the account, checked the IBAN way (country PL, remainder 1 modulo 97).
// Only a warning for the user: nothing is ever refused for it.

#include <QString>

enum class AccountCheck {
    Empty,              // nothing to check
    Valid,
    WrongCheckDigits,   // 26 digits whose check digits do not match
    WrongBankCode,      // the sorting code's own check digit does not match
    WrongLength,        // not 26 digits, or other characters than digits
};

// The number as typed or stored: blanks and dashes, and a leading "PL", are ignored.
AccountCheck checkAccountNumber(QStringView text);
// The number held in its three fields (check digits, bank, account rest).
AccountCheck checkAccountNumber(QStringView check, QStringView bank, QStringView rest);

// The digits of a number as typed or stored (blanks, dashes and a leading
// "PL" dropped); empty when anything else stands in it.
QString accountDigits(QStringView text);
// The two check digits that make a valid number of a 24-digit sorting code
// and account; empty when `bban` is not 24 digits.
QString nrbCheckDigits(QStringView bban);

// What the user is told beside a number that did not pass; empty when it did
// (or there was nothing to check).
QString accountCheckWarning(AccountCheck result);
