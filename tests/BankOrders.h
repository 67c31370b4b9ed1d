#pragma once
// An ordinary transfer that a bank file takes as it is: both accounts valid
// NRB numbers, a sender, a recipient and a title; tests change what they test.

#include "model/PrzelewDane.h"

inline CPrzelewDane bankOrder(const QString &recipient, QStringView amount, const COrderDate &date)
{
    CPrzelewDane o;
    o.SetKind(KindOrdinary, date);
    o.recipient1 = recipient;
    o.checkDigits = QStringLiteral("97");
    o.bankNumber = QStringLiteral("10501461");
    o.accountRest = QStringLiteral("1000002312345678");
    o.senderAccount = QStringLiteral("60 1020 1026 0000 1234 5678 9012");
    o.sender1 = QStringLiteral("Firma Źródło");
    o.title1 = QStringLiteral("Faktura 1/12/2026");
    CWexOleCurrency::parseDecimal(amount, o.amount);
    return o;
}
