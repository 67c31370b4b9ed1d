#pragma once
// What the order pages decide, apart from any widget: the name limit that
// follows the boxes setting, the limit message, the amount parse, and the
// deposit/transfer switch of the sender-account field with its kept account.

#include "model/WexOleCurrency.h"

#include <QPair>
#include <QString>
#include <QStringList>
#include <optional>

namespace PageRules {

// Name lines hold 27 characters when the form is printed one character per
// box, else 54.
int nameLimit(bool fitInBox);

// The message refusing a text longer than `limit`, or nothing when it fits.
std::optional<QString> limitMessage(const QString &text, int limit);
QString amountMissingMessage();
QString zeroAmountQuestion();
QString negativeAmountMessage();

// The message refusing a character the file of orders cannot hold
// (Windows-1250), naming it, or nothing when every character fits; with its
// place in `text`.
struct TextRefusal
{
    QString message;
    int start = 0, length = 0;
};
std::optional<TextRefusal> unencodableRefusal(const QString &text);

// A cash deposit carries the amount in digit words in a field of 54
// characters: the message refusing an amount whose words are longer.
std::optional<QString> depositWordsMessage(const CWexOleCurrency &amount);

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
    // "Przelew" chosen: the kept account comes back, unless the field shows
    // an account already (the choice was made again).
    void showAccount();
    // An order loaded: its own account is the one to keep.
    void loaded(const QString &fieldText, bool transfer);
    // A sender picked from the register: into the field for a transfer, into
    // the kept account for a deposit.
    void accountPicked(const QString &account, bool deposit);
};

// The ZUS page's lists and rules.
namespace Zus {

// The purpose list; the account type is the position plus one.
inline constexpr const char16_t *kPurposes[] = {u"Składki na ubezpieczenie społeczne",
                                                u"Składki na ubezpieczenie zdrowotne",
                                                u"Składki na Fundusz Pracy i FGŚP"};
// The payment types; the record stores the position.
inline constexpr const char16_t *kPaymentTypes[] = {u"S - składka za 1 m-c",
                                                    u"M - składka dłuższa niż m-c",
                                                    u"U - układ ratalny",
                                                    u"T - odroczenie terminu",
                                                    u"D - dodatkowa opłata ",
                                                    u"E - koszty egzekucyjne",
                                                    u"A - dodatkowa opłata za błędy płatnika",
                                                    u"B - dodatkowa opłata za nieprzekazanie do OFE"};
// The line under the purpose list.
QString accountsChangedText();

// The supplementary identifier types; the record stores the position.
inline constexpr const char16_t *kIdTypes[] = {u"Regon", u"Pesel", u"Dowód osobisty", u"Paszport", u"NUSP"};

// The caption before the supplementary identifier: the type and a colon;
// with no type chosen the field's own name.
QString idCaption(const QString &typeText);

// The list position of a stored code, or -1 when the list has no such entry.
int positionOf(int code, int entries);
// The purpose list position of a ZUS account type (1 to 3), else -1.
int purposePosition(int accountType);

// The recipient account of an account type cut into check digits, bank
// number and account rest; nothing for a type without an account.
struct RecipientAccount
{
    QString check, bank, rest;
};
std::optional<RecipientAccount> recipientAccount(int accountType);

// The declaration period in the page's two parts: the month (first 2
// characters) and the year (last 4).
QPair<QString, QString> splitDeclaration(const QString &declaration);

// What choosing a payment type does to the declaration fields.
struct DeclarationFields
{
    QString month, year, number;
};
void applyPaymentType(int position, DeclarationFields &fields);

} // namespace Zus

// The tax page's lists and rules.
namespace Tax {

// The identifier types in list order; each stands for a stored code.
inline constexpr const char16_t *kIdTypes[] = {u"N - NIP",        u"R - REGON",    u"P - PESEL",
                                               u"1 - Dow. osob.", u"2 - Paszport", u"3 - inny dokument"};
// The list position of a stored identifier type code, -1 for an unknown code.
int idTypePosition(int code);
// The stored code of a list position (0 to 5).
int idTypeCode(int position);

// The tax form symbols, in the order the list shows them (sorted): the
// original entries and the symbols paid today by the table of forms.
QStringList formSymbols();
// The entry a stored symbol selects: the first that begins with it, letter
// case ignored; -1 when none does (the text then stands in the edit part).
int symbolPosition(const QStringList &entries, const QString &symbol);
// The quiet mark beside an empty tax form symbol.
QString formSymbolMissing();

// The "Mikrorachunek" button: the payer's micro-account when the symbol is
// paid to it and the identifier is a valid NIP or PESEL (else empty: the
// button is off), and the tooltip saying how the number is built, or why
// there is none.
struct MicroAccountButton
{
    QString account;
    QString toolTip;
};
MicroAccountButton microAccountButton(const QString &formSymbol, int idTypeCode, const QString &id);

} // namespace Tax

} // namespace PageRules
