#pragma once
// What the order pages decide, apart from any widget: the name limit that
// follows the boxes setting, the limit message, the amount parse, and the
// deposit/transfer switch of the sender-account field with its kept account.

#include "controls/WexOleCurrency.h"

#include <QString>
#include <optional>

namespace PageRules {

// Name lines hold 27 characters when the form is printed one character per
// box, else 54.
int nameLimit(bool fitInBox);

// The message refusing a text longer than `limit`, or nothing when it fits.
std::optional<QString> limitMessage(const QString &text, int limit);
QString amountMissingMessage();
QString zeroAmountQuestion();

// The amount edit's text as an amount; nothing when it is not one.
std::optional<CWexOleCurrency> parseAmount(const QString &text);

// The amount spelled in digit words, as a cash deposit carries it in the
// sender-account field; nothing for an empty or invalid amount.
std::optional<QString> digitWordsOf(const QString &amountText);

// The sender-account field: a transfer shows the sender's account there
// (enabled); a cash deposit the amount in digit words (disabled), while the
// account waits in `kept` for a switch back.
struct SenderAccountField
{
    QString text;
    bool enabled = true;
    QString kept;

    // "Wpłata" chosen, or the amount changed while it is: false (nothing
    // changes) when the amount gives no digit words.
    bool showDigitWords(const QString &amountText);
    // "Przelew" chosen.
    void showAccount();
    // A sender picked from the register: into the field for a transfer, into
    // the kept account for a deposit.
    void accountPicked(const QString &account, bool deposit);
};

} // namespace PageRules
