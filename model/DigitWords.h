#pragma once
// The amount of a cash deposit spelled digit by digit ("jed*dwa*zer* 5/100").

#include "model/WexOleCurrency.h"

// Fills `out` with the digit words of the whole units and, when the hundredths
// are not zero, " <hundredths>/100". The words spell the amount as it is
// printed in digits, rounded to two decimals (12,3456 is spelled as 12,35).
// Gives false and an empty text for an invalid or null amount.
bool AmountInDigitWords(const CWexOleCurrency &amount, QString &out);
