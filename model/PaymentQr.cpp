#include "model/PaymentQr.h"

#include "model/AccountCheck.h"
#include "model/PaymentAccounts.h"
#include "model/PrzelewDane.h"
#include "model/TaxpayerIds.h"

#include <QStringList>

namespace {

constexpr QStringView kPolishLetters = u"ĄĆĘŁŃÓŚŹŻąćęłńóśźż";
// What the Polish clearing system carries in names and titles beside letters
// and digits; banking apps fill their forms with it unchanged.
constexpr QStringView kPunctuation = u" ,.-/()+'";

bool isAsciiLetterOrDigit(char16_t c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
}

// The character as the code may carry it, or a blank.
QChar allowedChar(QChar c)
{
    if (isAsciiLetterOrDigit(c.unicode()) || kPolishLetters.contains(c) || kPunctuation.contains(c))
        return c;
    // "é" or "ü": the letter without its accent reads better than a gap.
    const QString base = QString(c).normalized(QString::NormalizationForm_D);
    if (base.size() > 1 && isAsciiLetterOrDigit(base[0].unicode()))
        return base[0];
    return u' ';
}

PaymentQrText refused(PaymentQrRefusal refusal, const QString &reason)
{
    return PaymentQrText {QString(), refusal, reason};
}

bool isZloty(const CPrzelewDane &order)
{
    // The tax form is paid in zloty whatever the currency field says: its
    // currency box is pre-printed.
    if (order.kind == KindTax)
        return true;
    const QString currency = order.currency.trimmed();
    return currency.isEmpty() || currency.compare(u"PLN", Qt::CaseInsensitive) == 0;
}

// The recipient's NIP goes into the code only where the order knows it for
// sure: a tax order of a NIP paid to that NIP's own tax micro-account.
QString recipientNip(const CPrzelewDane &order, const QString &account)
{
    if (order.kind != KindTax || CPrzelewDane::IdTypeLetter(order.idType) != u'N' || !isValidNip(order.payerId)
        || !isTaxMicroAccountOf(account, MicroAccountOwner::Nip, order.payerId))
        return {};
    return taxpayerIdDigits(order.payerId);
}

QString titleOf(const CPrzelewDane &order)
{
    const QStringList parts = order.kind == KindTax
        ? QStringList {order.taxFormSymbol, order.taxPeriod, order.obligationId}
        : QStringList {order.title1, order.title2};
    return parts.join(u' ');
}

} // namespace

QString paymentQrField(QStringView text, int limit)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        const QChar kept = allowedChar(c);
        if (kept == u' ' && (out.isEmpty() || out.endsWith(u' ')))
            continue;
        out += kept;
    }
    out.truncate(limit);
    while (out.endsWith(u' '))
        out.chop(1);
    return out;
}

PaymentQrText paymentQrText(const CPrzelewDane &order)
{
    if (order.kind != KindOrdinary && order.kind != KindZus && order.kind != KindTax)
        return refused(PaymentQrRefusal::UnknownKind, QStringLiteral("Nieznany rodzaj przelewu."));
    if (order.isTransfer == 0)
        return refused(PaymentQrRefusal::Deposit,
                       QStringLiteral("Wpłata gotówkowa nie ma kodu QR do płatności: wpłaca się ją w kasie banku."));
    if (!isZloty(order))
        return refused(PaymentQrRefusal::Currency,
                       QStringLiteral("Kod QR do płatności służy tylko przelewom w złotych, a waluta przelewu to %1.")
                           .arg(order.currency.trimmed()));

    const QString accountText = order.AccountNumberText();
    switch (checkAccountNumber(accountText)) {
    case AccountCheck::Valid:
        break;
    case AccountCheck::Empty:
        return refused(PaymentQrRefusal::NoAccount, QStringLiteral("Przelew nie ma numeru rachunku odbiorcy."));
    default:
        return refused(PaymentQrRefusal::BadAccount,
                       QStringLiteral("Numer rachunku odbiorcy nie jest poprawnym 26-cyfrowym numerem polskiego "
                                      "rachunku; aplikacja banku odrzuciłaby kod."));
    }
    if (const std::optional<ClosedAccount> closed = closedAccount(accountText))
        return refused(PaymentQrRefusal::ClosedAccount, closedAccountWarning(*closed));

    const CWexOleCurrency &amount = order.amount;
    if (!amount.isValid() || amount.value() <= 0)
        return refused(PaymentQrRefusal::NoAmount, QStringLiteral("Przelew nie ma kwoty większej od zera."));
    // Grosze rounded half up, as the amount is printed.
    const qint64 grosze = (amount.value() + CWexOleCurrency::kScale / 200) / (CWexOleCurrency::kScale / 100);
    if (grosze > PaymentQr::kMaxGrosze)
        return refused(PaymentQrRefusal::AmountTooLarge,
                       QStringLiteral("Kwota powyżej 9 999,99 zł nie mieści się w kodzie QR do płatności "
                                      "(sześć cyfr w groszach)."));

    const QString account = accountDigits(accountText);
    const QStringList fields {
        recipientNip(order, account),
        QStringLiteral("PL"),
        account,
        QStringLiteral("%1").arg(grosze, 6, 10, QLatin1Char('0')),
        paymentQrField(order.recipient1, PaymentQr::kNameLength),
        paymentQrField(titleOf(order), PaymentQr::kTitleLength),
        QString(),
        QString(),
        QString(),
    };
    return PaymentQrText {fields.join(u'|'), PaymentQrRefusal::None, QString()};
}
