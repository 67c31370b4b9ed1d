#pragma once
// Orders for the tests: one of each kind, those a bank file and the payment
// QR code take as they are, the bank file's golden orders and the orders of
// the sample file in examples/. Tests compare whole lines and pages made of
// these values: change one and those expectations change with it.

#include "model/PrzelewDane.h"

#include <QList>
#include <functional>

namespace sample {

// Puts a 26-digit number (or none) into the order's three account fields.
inline void setAccount(CPrzelewDane &r, QStringView digits)
{
    r.checkDigits = digits.left(2).toString();
    r.bankNumber = digits.mid(2, 8).toString();
    r.accountRest = digits.mid(10).toString();
}

inline CPrzelewDane changed(CPrzelewDane r, const std::function<void(CPrzelewDane &)> &change)
{
    change(r);
    return r;
}

// A bare order for list tests: a recipient, whole zloty, a date by the amount.
inline CPrzelewDane named(const QString &recipient, int64_t units, int kind = KindOrdinary)
{
    CPrzelewDane r;
    r.SetKind(kind);
    r.recipient1 = recipient;
    r.amount = CWexOleCurrency::fromUnits(units);
    r.date = COrderDate::fromParts(2026, 1, 1 + int(units % 28));
    return r;
}

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

// The ordinary transfer with an account that checks: the payment QR code
// carries it whole.
inline CPrzelewDane payable()
{
    CPrzelewDane r = ordinary();
    r.checkDigits = QStringLiteral("51");
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
    setAccount(r, u"88101000712222123456321800");
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

namespace sample {

// The bank file's golden orders: an ordinary transfer, a tax order of NIP
// 1234563218 to its micro-account and, as ZUS is paid since 2018, a transfer
// to that payer's contribution account.
inline CPrzelewDane bankTransfer()
{
    CPrzelewDane o = bankOrder(QStringLiteral("Jan Kowalski"), u"1234,56", COrderDate::fromParts(2025, 3, 14));
    o.sender1 = QStringLiteral("Przedsiębiorstwo Usługowe Źródło sp. z o.o.");
    o.sender2 = QStringLiteral("ul. Żółkiewskiego 5, 90-001 Łódź");
    o.recipient2 = QStringLiteral("ul. Długa 2, 00-002 Warszawa");
    o.title1 = QStringLiteral("Faktura FV/1/03/2025");
    return o;
}

inline CPrzelewDane bankTax()
{
    CPrzelewDane o =
        bankOrder(QStringLiteral("Urząd Skarbowy Łódź-Bałuty"), u"100,5", COrderDate::fromParts(2025, 3, 20));
    o.kind = KindTax;
    o.sender1 = QStringLiteral("Przedsiębiorstwo Usługowe Źródło");
    setAccount(o, u"88101000712222123456321800");
    o.payerId = QStringLiteral("123-456-32-18");
    o.idType = CPrzelewDane::IdTypeFromLetter(u'N');
    o.taxPeriod = QStringLiteral("25M02");
    o.taxFormSymbol = QStringLiteral("VAT-7");
    o.obligationId = QStringLiteral("Zaliczka za luty");
    o.reference = QStringLiteral("FK/0042 ");
    return o;
}

inline CPrzelewDane bankZus()
{
    CPrzelewDane o =
        bankOrder(QStringLiteral("Zakład Ubezpieczeń Społecznych"), u"0,01", COrderDate::fromParts(2025, 3, 17));
    o.sender1 = QStringLiteral("Przedsiębiorstwo Usługowe Źródło");
    setAccount(o, u"33600000020260001234563218");
    o.title1 = QStringLiteral("Składki za 02/2025");
    return o;
}

// The orders of examples/orders.txt, in its order (its test keeps the file
// equal to them): a transfer, a deposit, a ZUS order, a tax transfer and a
// tax deposit, all dated 8.12.2026.
inline QList<CPrzelewDane> exampleFile()
{
    const COrderDate date = COrderDate::fromParts(2026, 12, 8);
    QString words;
    CPrzelewDane t;
    t.SetKind(KindOrdinary, date);
    t.recipient1 = QStringLiteral("P.H. \"ŻAGIEL\" SP. Z O.O.");
    t.recipient2 = QStringLiteral("UL. DŁUGA 12, 80-827 GDAŃSK");
    setAccount(t, u"08102018110000061209876543");
    t.senderAccount = QStringLiteral("PL61 1090 1014 0000 0712 1981 2874");
    t.sender1 = QStringLiteral("JAN KOWALSKI");
    t.sender2 = QStringLiteral("UL. KRÓTKA 5/7, WARSZAWA");
    t.title1 = QStringLiteral("FAKTURA VAT 123/12/2026");
    t.title2 = QStringLiteral("ZA DOSTAWĘ ŁODZI");
    t.amount = CWexOleCurrency::fromUnits(1234, 5000);

    CPrzelewDane d;
    d.SetKind(KindOrdinary, date);
    d.isTransfer = 0;
    d.recipient1 = QStringLiteral("SM \"ŚWIT\" W KRAKOWIE");
    d.recipient2 = QStringLiteral("UL. POLNA 3, 30-001 KRAKÓW");
    setAccount(d, u"96114020040000330200123456");
    d.amount = CWexOleCurrency::fromUnits(389, 700);
    d.AmountInDigitWords(words);
    d.senderAccount = words.left(54);
    d.sender1 = QStringLiteral("ANNA NOWAK");
    d.sender2 = QStringLiteral("UL. POLNA 3 M. 14, KRAKÓW");
    d.title1 = QStringLiteral("CZYNSZ ZA GRUDZIEŃ 2026");

    CPrzelewDane z;
    z.SetKind(KindZus, date);
    z.SetZUSTitle(1);
    z.zusAccountType = 1;
    setAccount(z, CPrzelewDane::ZusAccount(1));
    z.amount = CWexOleCurrency::fromUnits(1600, 3200);
    z.senderAccount = QStringLiteral("61109010140000071219812874");
    z.sender1 = QStringLiteral("BIURO RACHUNKOWE \"BILANS\"");
    z.payerId = QStringLiteral("5260250995");
    z.idType = CPrzelewDane::IdTypeFromLetter(u'R');
    z.supplementaryId = QStringLiteral("012345678");
    z.paymentType = CPrzelewDane::PaymentTypeFromLetter(u'S');
    z.declarationNo = QStringLiteral("01");
    z.declaration = QStringLiteral("112026");

    CPrzelewDane x;
    x.SetKind(KindTax, date);
    x.recipient1 = QStringLiteral("PIERWSZY US W GDAŃSKU");
    x.recipient2 = QStringLiteral("UL. ŻAGLOWA 11, GDAŃSK");
    setAccount(x, u"08101011400161452223000000");   // the number checks: the sample prints without a warning
    x.senderAccount = QStringLiteral("61 1090 1014 0000 0712 1981 2874");
    x.sender1 = QStringLiteral("JAN KOWALSKI");
    x.sender2 = QStringLiteral("UL. KRÓTKA 5/7, WARSZAWA");
    x.payerId = QStringLiteral("5260001246");
    x.idType = CPrzelewDane::IdTypeFromLetter(u'N');
    x.taxPeriod = QStringLiteral("26M11");
    x.taxFormSymbol = QStringLiteral("VAT-7");
    x.obligationId = QStringLiteral("DEKLARACJA VAT-7");
    x.amount = CWexOleCurrency::fromUnits(4321, 0);
    x.symbol = QStringLiteral("06");

    CPrzelewDane xd = x;
    xd.isTransfer = 0;
    xd.amount = CWexOleCurrency::fromUnits(250, 0);
    xd.AmountInDigitWords(words);
    xd.senderAccount = words.left(54);
    xd.taxFormSymbol = QStringLiteral("PIT-37");
    xd.taxPeriod = QStringLiteral("25R");
    xd.obligationId = QString();
    return {t, d, z, x, xd};
}

} // namespace sample
