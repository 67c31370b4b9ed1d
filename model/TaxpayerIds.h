#pragma once
// Check digits of the identifiers a tax or ZUS order carries: NIP, PESEL and
// REGON. Blanks and dashes are ignored, as people write them "123-456-32-18".

#include <QString>

// The digits of an identifier without blanks and dashes; empty when anything
// else stands in it.
QString taxpayerIdDigits(QStringView text);

// 10 digits, weights 6 5 7 2 3 4 5 6 7, sum mod 11 equal to the last digit.
bool isValidNip(QStringView text);
// 11 digits, weights 1 3 7 9 1 3 7 9 1 3, check (10 - sum mod 10) mod 10.
bool isValidPesel(QStringView text);
// 9 or 14 digits, sum mod 11 (10 counts as 0) equal to the last digit.
bool isValidRegon(QStringView text);
