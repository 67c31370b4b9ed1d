#include "model/PrzelewDane.h"

#include "model/Cp1250.h"
#include "model/DigitWords.h"
#include "model/PolishCollation.h"

#include <QDateTime>

namespace {

struct ZusAccountRow
{
    const char16_t *account;
    const char16_t *title;
};

constexpr ZusAccountRow kZusAccounts[] = {
    {u"", u"Należność z tytułu składek"},
    {u"83101010230000261395100000", u"Należność z tytułu składek na ubezpieczenie społeczne"},
    {u"78101010230000261395200000", u"Należność z tytułu składek na ubezpieczenie zdrowotne"},
    {u"73101010230000261395300000", u"Należność z tytułu składek na FP i FGŚP"},
};

const ZusAccountRow &zusRow(int type)
{
    return (type >= 1 && type <= 3) ? kZusAccounts[type] : kZusAccounts[0];
}

constexpr char16_t kIdTypeLetters[] = u"RP12N3";
constexpr char16_t kPaymentTypeLetters[] = u"SMUTDEAB";

int letterIndex(const char16_t *letters, int count, QChar c)
{
    for (int i = 1; i < count; ++i)
        if (c == QChar(letters[i]))
            return i;
    return 0;
}

} // namespace

COrderDate COrderDate::now()
{
    const QDateTime now = QDateTime::currentDateTime();
    COrderDate d;
    d.m_date = now.date();
    d.m_msecs = now.time().msecsSinceStartOfDay();
    d.m_status = Valid;
    return d;
}

COrderDate COrderDate::fromDate(QDate date)
{
    COrderDate d;
    if (date.isValid()) {
        d.m_date = date;
        d.m_status = Valid;
    }
    return d;
}

COrderDate COrderDate::fromParts(int year, int month, int day)
{
    // Years outside 100..9999 were never dates in the program's files.
    if (year < 100 || year > 9999)
        return null();
    return fromDate(QDate(year, month, day));
}

QString COrderDate::toShortText() const
{
    return isValid() ? m_date.toString(u"dd.MM.yyyy") : QString();
}

QString COrderDate::toIsoText() const
{
    return isValid() ? m_date.toString(u"yyyy-MM-dd") : QString();
}

int COrderDate::compare(const COrderDate &o) const
{
    // A missing date sorts before every real one.
    const bool a = isValid(), b = o.isValid();
    if (!a || !b)
        return int(a) - int(b);
    if (m_date != o.m_date)
        return m_date < o.m_date ? -1 : 1;
    return m_msecs < o.m_msecs ? -1 : (m_msecs > o.m_msecs ? 1 : 0);
}

CPrzelewDane::CPrzelewDane()
{
    SetKind(KindOrdinary);
}

void CPrzelewDane::SetKind(int newKind)
{
    SetKind(newKind, COrderDate::now());
}

void CPrzelewDane::SetKind(int newKind, const COrderDate &newDate)
{
    kind = newKind;
    if (newKind < KindOrdinary || newKind > KindTax)
        return;

    date = newDate;
    amount = CWexOleCurrency(0);
    currency = QStringLiteral("PLN");
    isTransfer = 1;
    sortKey = SortRecipient;
    checkDigits.clear();
    bankNumber.clear();
    accountRest.clear();
    senderAccount.clear();
    sender1.clear();
    sender2.clear();
    title2.clear();
    kindName = KindName(newKind);

    switch (newKind) {
    case KindOrdinary:
        recipient1.clear();
        recipient2.clear();
        title1.clear();
        reference.clear();
        symbol = QStringLiteral("06");
        break;
    case KindZus:
        recipient1 = QStringLiteral("Zakład Ubezpieczeń Społecznych");
        zusAccountType = 1;
        title1 = QStringLiteral("Należność z tytułu składek");
        idType = 0;
        paymentType = 0;
        payerId.clear();
        supplementaryId.clear();
        declaration.clear();
        declarationNo.clear();
        symbol = QStringLiteral("00");
        break;
    case KindTax:
        recipient1.clear();
        recipient2.clear();
        title1 = QStringLiteral("Należność z tytułu podatków");
        reference.clear();
        symbol = QStringLiteral("07");
        idType = 4;
        taxPeriod.clear();
        taxFormSymbol.clear();
        obligationId.clear();
        break;
    }
}

QString CPrzelewDane::KindName(int kind)
{
    switch (kind) {
    case KindOrdinary: return QStringLiteral("Zwykły");
    case KindZus: return QStringLiteral("ZUS");
    case KindTax: return QStringLiteral("Podatki");
    }
    return {};
}

void CPrzelewDane::SetZUSTitle(int accountType)
{
    title1 = ZusTitle(accountType);
}

QString CPrzelewDane::ZusAccount(int accountType)
{
    return QString::fromUtf16(zusRow(accountType).account);
}

QString CPrzelewDane::ZusTitle(int accountType)
{
    return QString::fromUtf16(zusRow(accountType).title);
}

QString CPrzelewDane::AccountNumberText() const
{
    if (kind == KindZus)
        return ZusAccount(zusAccountType);
    return composeAccountText(checkDigits, bankNumber, accountRest);
}

QString composeAccountText(const QString &check, const QString &bank, const QString &account)
{
    QString text;
    text.reserve(check.size() + bank.size() + account.size() + 2);
    if (!check.isEmpty())
        text += check + u'-';
    text += bank + u'-' + account;
    return text;
}

bool CPrzelewDane::AmountInDigitWords(QString &out) const
{
    return ::AmountInDigitWords(amount, out);
}

int CPrzelewDane::compare(const CPrzelewDane &o) const
{
    if (this == &o)
        return 0;
    switch (sortKey) {
    case SortRecipient: return PolishCollation::compareForSort(recipient1, o.recipient1);
    case SortTitle: return PolishCollation::compareForSort(title1, o.title1);
    case SortAccount: return PolishCollation::compareForSort(AccountNumberText(), o.AccountNumberText());
    case SortDate: return date.compare(o.date);
    case SortAmount: return amount < o.amount ? -1 : (amount > o.amount ? 1 : 0);
    case SortCurrency: return PolishCollation::compareForSort(currency, o.currency);
    case SortKindName: return PolishCollation::compareForSort(kindName, o.kindName);
    }
    return 0;
}

QChar CPrzelewDane::IdTypeLetter(int idType)
{
    return (idType >= 0 && idType < 6) ? QChar(kIdTypeLetters[idType]) : QChar(u'R');
}

int CPrzelewDane::IdTypeFromLetter(QChar c)
{
    return letterIndex(kIdTypeLetters, 6, c);
}

QChar CPrzelewDane::PaymentTypeLetter(int paymentType)
{
    return (paymentType >= 0 && paymentType < 8) ? QChar(kPaymentTypeLetters[paymentType]) : QChar(u'S');
}

int CPrzelewDane::PaymentTypeFromLetter(QChar c)
{
    return letterIndex(kPaymentTypeLetters, 8, c);
}
