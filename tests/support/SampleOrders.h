#pragma once
// Orders of every kind for the tests, and one a bank file takes as it is.

#include "model/PrzelewDane.h"

namespace sample {

inline CPrzelewDane ordinary()
{
    CPrzelewDane r;
    r.kind = KindOrdinary;
    r.recipient1 = QStringLiteral("ODBIORCA SP. Z O.O.");
    r.recipient2 = QStringLiteral("UL. DŁUGA 1, GDAŃSK");
    r.checkDigits = QStringLiteral("12");
    r.bankNumber = QStringLiteral("10101023");
    r.accountRest = QStringLiteral("1234567890123456");
    r.currency = QStringLiteral("PLN");
    r.senderAccount = QStringLiteral("61109010140000071219812874");
    r.sender1 = QStringLiteral("ZLECENIODAWCA");
    r.sender2 = QStringLiteral("UL. KRÓTKA 2");
    r.title1 = QStringLiteral("FAKTURA 1/2026");
    r.title2 = QStringLiteral("ZA GRUDZIEŃ");
    r.amount = CWexOleCurrency::fromUnits(1234, 5000);
    r.date = COrderDate::fromParts(2026, 12, 8);
    r.isTransfer = 1;
    r.symbol = QStringLiteral("06");
    return r;
}

inline CPrzelewDane deposit()
{
    CPrzelewDane r = ordinary();
    r.isTransfer = 0;
    r.senderAccount = QStringLiteral("JEDEN TYSIĄC DWIEŚCIE TRZYDZIEŚCI CZTERY 50/100");
    return r;
}

inline CPrzelewDane zus()
{
    CPrzelewDane r;
    r.kind = KindZus;
    r.zusAccountType = 2;
    r.checkDigits = QStringLiteral("78");
    r.bankNumber = QStringLiteral("10101023");
    r.accountRest = QStringLiteral("0000261395200000");
    r.currency = QStringLiteral("PLN");
    r.amount = CWexOleCurrency::fromUnits(1234, 5000);
    r.senderAccount = QStringLiteral("61109010140000071219812874");
    r.sender1 = QStringLiteral("PŁATNIK SP. Z O.O.");
    r.sender2 = QStringLiteral("UL. ZUS 3");
    r.payerId = QStringLiteral("1234567890");
    r.idType = 0;   // R
    r.supplementaryId = QStringLiteral("123456789");
    r.paymentType = 0;  // S
    r.declarationNo = QStringLiteral("01");
    r.declaration = QStringLiteral("112026");
    r.title2 = QStringLiteral("DEC123");
    r.symbol = QStringLiteral("00");
    r.date = COrderDate::fromParts(2026, 12, 8);
    return r;
}

inline CPrzelewDane tax()
{
    CPrzelewDane r = ordinary();
    r.kind = KindTax;
    r.recipient1 = QStringLiteral("URZĄD SKARBOWY GDAŃSK");
    r.recipient2 = QString();
    r.payerId = QStringLiteral("5260001246");
    r.idType = 0;
    r.taxPeriod = QStringLiteral("05M0300");
    r.taxFormSymbol = QStringLiteral("VAT-7");
    r.obligationId = QStringLiteral("DECYZJA 12");
    return r;
}

// A tax order the payment QR code carries with its NIP: NIP 1234563218 paid
// to that NIP's tax micro-account.
inline CPrzelewDane payableTax()
{
    CPrzelewDane r = tax();
    r.checkDigits = QStringLiteral("88");
    r.bankNumber = QStringLiteral("10100071");
    r.accountRest = QStringLiteral("2222123456321800");
    r.payerId = QStringLiteral("1234563218");
    r.idType = CPrzelewDane::IdTypeFromLetter(u'N');
    r.taxFormSymbol = QStringLiteral("PIT-37");
    r.taxPeriod = QStringLiteral("25R");
    return r;
}

} // namespace sample

// An ordinary transfer that a bank file takes as it is: both accounts valid
// NRB numbers, a sender, a recipient and a title; tests change what they test.
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
