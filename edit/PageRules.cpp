#include "edit/PageRules.h"

#include "model/OrderFields.h"
#include "model/OrderText.h"
#include "model/PaymentAccounts.h"
#include "model/PaymentWarnings.h"
#include "model/PrzelewDane.h"
#include "model/TaxForms.h"
#include "model/TaxpayerIds.h"

namespace {
// The sender-account field of the file, which a deposit fills with the words.
int depositWordsLimit()
{
    return OrderFields::pageLimit(KindOrdinary, OrderField::SenderAccount);
}
} // namespace

namespace PageRules {

int nameLimit(bool fitInBox)
{
    // One character per box: the 27 boxes of a name line on the forms.
    return fitInBox ? 27 : OrderFields::pageLimit(KindOrdinary, OrderField::Recipient1);
}

std::optional<QString> limitMessage(const QString &text, int limit)
{
    if (text.size() <= limit)
        return std::nullopt;
    return QStringLiteral("Proszę wprowadzić najwyżej %1 znaków.").arg(limit);
}

QString amountMissingMessage()
{
    return QStringLiteral("Proszę wprowadzić kwotę.");
}

QString zeroAmountQuestion()
{
    return QStringLiteral("Kwota przelewu jest równa zeru. Czy kontynuować?");
}

QString negativeAmountMessage()
{
    return QStringLiteral("Kwota nie może być ujemna.");
}

std::optional<TextRefusal> unencodableRefusal(const QString &text)
{
    const auto bad = firstUnencodable(text);
    if (!bad)
        return std::nullopt;
    return TextRefusal {unencodableMessage(text.mid(bad->first, bad->second)), int(bad->first), int(bad->second)};
}

std::optional<QString> depositWordsMessage(const CWexOleCurrency &amount)
{
    CPrzelewDane rec;
    rec.amount = amount;
    QString words;
    if (!rec.AmountInDigitWords(words) || words.size() <= depositWordsLimit())
        return std::nullopt;
    return QStringLiteral("Kwota wpłaty zapisana słownie ma %1 znaków, a pole na nią mieści najwyżej %2. "
                          "Proszę wprowadzić mniejszą kwotę.")
        .arg(words.size())
        .arg(depositWordsLimit());
}

std::optional<CWexOleCurrency> parseAmount(const QString &text)
{
    CWexOleCurrency amount;
    QString plain = text.trimmed();
    plain.remove(u' ');
    plain.remove(QChar(0x00A0));
    if (plain.isEmpty() || !CWexOleCurrency::parseDecimal(plain, amount) || !amount.isValid())
        return std::nullopt;
    return amount;
}

std::optional<QString> digitWordsOf(const QString &amountText)
{
    const std::optional<CWexOleCurrency> amount = parseAmount(amountText);
    if (!amount)
        return std::nullopt;
    CPrzelewDane rec;
    rec.amount = *amount;
    QString words;
    if (!rec.AmountInDigitWords(words))
        return std::nullopt;
    return words;
}

bool SenderAccountField::showDigitWords(const QString &amountText)
{
    const std::optional<QString> words = digitWordsOf(amountText);
    if (!words)
        return false;
    // Only an enabled field still holds an account worth keeping.
    if (enabled)
        kept = text;
    text = *words;
    enabled = false;
    return true;
}

void SenderAccountField::showAccount()
{
    if (enabled)
        return;
    text = kept;
    enabled = true;
}

void SenderAccountField::loaded(const QString &fieldText, bool transfer)
{
    text = fieldText;
    enabled = transfer;
    kept = transfer ? fieldText : QString();
}

void SenderAccountField::accountPicked(const QString &account, bool deposit)
{
    if (deposit)
        kept = account;
    else
        text = account;
}

namespace Zus {

QString idCaption(const QString &typeText)
{
    return typeText.isEmpty() ? QStringLiteral("Id. uzupeł. płatnika:") : typeText + u':';
}

int positionOf(int code, int entries)
{
    return code >= 0 && code < entries ? code : -1;
}

int purposePosition(int accountType)
{
    return accountType >= 1 && accountType <= int(std::size(kPurposes)) ? accountType - 1 : -1;
}

std::optional<RecipientAccount> recipientAccount(int accountType)
{
    const QString account = CPrzelewDane::ZusAccount(accountType);
    if (account.isEmpty())
        return std::nullopt;
    return RecipientAccount {account.left(2), account.mid(2, 8), account.mid(10)};
}

QString accountsChangedText()
{
    return QStringLiteral("Od 1 stycznia 2018 r. składki wpłaca się jednym przelewem na rachunek składkowy "
                          "płatnika (NRS).");
}

QPair<QString, QString> splitDeclaration(const QString &declaration)
{
    return {declaration.left(2), declaration.right(4)};
}

void applyPaymentType(int position, DeclarationFields &fields)
{
    // S and M are the usual monthly contributions: nothing to fill.
    if (position == 0 || position == 1)
        return;
    fields.number = QStringLiteral("00");
    // An additional fee or enforcement costs belong to no declaration period.
    if (position == 4 || position == 5) {
        fields.year = QStringLiteral("0000");
        fields.month = QStringLiteral("00");
    }
}

} // namespace Zus

namespace Tax {

int idTypePosition(int code)
{
    if (code < 0 || code > 5)
        return -1;
    return code == 5 ? 5 : code == 4 ? 0 : code + 1;
}

int idTypeCode(int position)
{
    return position == 5 ? 5 : position == 0 ? 4 : position - 1;
}

QStringList formSymbols()
{
    QStringList symbols {QStringLiteral("PIT37"), QStringLiteral("VAT7"), QStringLiteral("CIT2"),
                         QStringLiteral("AKC2A"), QStringLiteral("PIT"),  QStringLiteral("CIT"),
                         QStringLiteral("VAT"),   QStringLiteral("AKC"),  QStringLiteral("GL"),
                         QStringLiteral("KP"),    QStringLiteral("PPE"),  QStringLiteral("PN"),
                         QStringLiteral("SD"),    QStringLiteral("PCC"),  QStringLiteral("OS"),
                         QStringLiteral("INNE")};
    for (const QString &symbol : taxFormFieldSymbols())
        if (!symbols.contains(symbol))
            symbols << symbol;
    symbols.sort();
    return symbols;
}

int symbolPosition(const QStringList &entries, const QString &symbol)
{
    // Only the very same text: a stored "P" or "PIT3" stays what it is.
    return symbol.isEmpty() ? -1 : int(entries.indexOf(symbol));
}

QString formSymbolMissing()
{
    return QStringLiteral("Proszę wybrać lub wpisać symbol formularza.");
}

MicroAccountButton microAccountButton(const QString &formSymbol, int idTypeCode, const QString &id)
{
    const QString symbol = formSymbol.trimmed();
    if (symbol.isEmpty())
        return {{}, QStringLiteral("Mikrorachunek: najpierw wybierz symbol formularza.")};
    const std::optional<TaxPaidTo> paidTo = taxFormPaidTo(symbol);
    if (!paidTo)
        return {{}, QStringLiteral("Mikrorachunek: symbolu %1 nie ma w tabeli podatków płaconych na mikrorachunek "
                                   "(PIT, CIT, VAT i inne).").arg(symbol)};
    if (*paidTo == TaxPaidTo::OfficeAccount)
        return {{}, QStringLiteral("Mikrorachunek: %1 płaci się na rachunek urzędu skarbowego, nie na "
                                   "mikrorachunek.").arg(symbol)};
    const std::optional<MicroAccountOwner> owner = PaymentWarnings::microAccountOwner(idTypeCode);
    if (!owner)
        return {{}, QStringLiteral("Mikrorachunek powstaje z NIP (typ N) albo z numeru PESEL (typ P).")};
    const QString account = taxMicroAccount(*owner, id);
    const QString name = *owner == MicroAccountOwner::Nip ? QStringLiteral("NIP") : QStringLiteral("PESEL");
    if (account.isEmpty())
        return {{}, QStringLiteral("Mikrorachunek: %1 ma błędną cyfrę kontrolną albo złą liczbę cyfr.").arg(name)};
    const QString digits = taxpayerIdDigits(id);
    QString grouped = account.left(2);
    for (int i = 2; i < account.size(); i += 4)
        grouped += u' ' + account.mid(i, 4);
    return {account,
            QStringLiteral("Wpisz mikrorachunek podatkowy płatnika:\n%1\n"
                           "= cyfry kontrolne %2, 10100071 (NBP), 222, %3 (typ: %4), %4 %5, zera do 12 cyfr %6.\n"
                           "Sprawdź go z pismem z urzędu skarbowego albo w generatorze mikrorachunku na "
                           "podatki.gov.pl.")
                .arg(grouped, account.left(2), QString::number(int(*owner)), name, digits,
                     account.mid(14 + digits.size()))};
}

} // namespace Tax

} // namespace PageRules
