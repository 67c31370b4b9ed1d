#include "edit/PageRules.h"

#include "model/PrzelewDane.h"

namespace PageRules {

int nameLimit(bool fitInBox)
{
    return fitInBox ? 27 : 54;
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
    text = kept;
    enabled = true;
}

void SenderAccountField::accountPicked(const QString &account, bool deposit)
{
    if (deposit)
        kept = account;
    else
        text = account;
}

} // namespace PageRules
