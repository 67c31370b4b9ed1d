#pragma once
// The orders the printing benchmarks print: all three kinds in turn, every
// fifth a cash deposit, texts as long as real ones.

#include "model/PrzelewDane.h"

inline CPrzelewDane benchOrder(int i)
{
    CPrzelewDane r;
    r.SetKind(i % 3);
    r.isTransfer = (i % 5) ? 1 : 0;
    r.recipient1 = QStringLiteral("ODBIORCA NR %1 SPÓŁKA Z OGRANICZONĄ").arg(i);
    r.recipient2 = QStringLiteral("UL. DŁUGA %1, 80-827 GDAŃSK").arg(i % 200);
    r.checkDigits = QStringLiteral("12");
    r.bankNumber = QStringLiteral("10201811");
    r.accountRest = QStringLiteral("%1").arg(1000000000000000LL + i);
    r.senderAccount = QStringLiteral("PL61 1090 1014 0000 0712 1981 2874");
    r.sender1 = QStringLiteral("JAN KOWALSKI");
    r.sender2 = QStringLiteral("UL. KRÓTKA 5/7, 00-950 WARSZAWA");
    r.title1 = QStringLiteral("FAKTURA VAT %1/12/2026").arg(i);
    r.title2 = QStringLiteral("ZA USŁUGI");
    r.amount = CWexOleCurrency::fromUnits(100 + i, 5000);
    r.date = COrderDate::fromParts(2026, 12, 8);
    r.payerId = QStringLiteral("5260250995");
    r.declaration = QStringLiteral("112026");
    r.declarationNo = QStringLiteral("01");
    r.taxPeriod = QStringLiteral("26M11");
    r.taxFormSymbol = QStringLiteral("VAT-7");
    return r;
}
