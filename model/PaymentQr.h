#pragma once
// The text of the Polish payment QR code that banking apps read: nine fields
// joined by "|" (recipient NIP | PL | account | amount in grosze | recipient
// name | title | three reserved), or the reason an order cannot have one.

#include <QString>

class CPrzelewDane;

enum class PaymentQrRefusal {
    None,
    UnknownKind,
    Deposit,            // paid in cash at the counter
    Currency,           // not in zloty
    NoAccount,
    BadAccount,         // not a valid 26-digit Polish account number
    ClosedAccount,      // an account closed for payments
    NoAmount,           // missing, zero or negative
    AmountTooLarge,     // above what six digits of grosze hold
};

struct PaymentQrText
{
    QString text;                                   // UTF-8 is what the symbol carries
    PaymentQrRefusal refusal = PaymentQrRefusal::None;
    QString reason;                                 // Polish, for the user; empty with a text

    bool ok() const { return refusal == PaymentQrRefusal::None; }
};

namespace PaymentQr {
inline constexpr int kNameLength = 20;
inline constexpr int kTitleLength = 32;
inline constexpr qint64 kMaxGrosze = 999999;        // 9 999,99 zł
inline constexpr int kMaxLength = 160;
}

PaymentQrText paymentQrText(const CPrzelewDane &order);

// A text as one field of the code: only letters (Polish and Latin; other
// accented letters lose the accent), digits, blanks and , . - / ( ) + ' ;
// anything else becomes a blank, runs of blanks one blank, cut to `limit`
// characters, no blank at either end.
QString paymentQrField(QStringView text, int limit);
