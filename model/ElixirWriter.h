#pragma once
// Orders as lines of a bank import file in the Elixir-O layout, which Polish
// business banking imports: one line per order, 16 comma-separated fields,
// texts in double quotes, lines of texts joined by "|", CR LF. An order that
// cannot go into such a file is refused with its reason; nothing in an order
// is changed on the way, except a double quote turned into an apostrophe
// when the caller asks for it.

#include "model/ElixirCharset.h"
#include "model/PrzelewDane.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <cstdint>

struct ElixirOptions
{
    ElixirCodePage codePage = ElixirCodePage::Windows1250;
    // Classification of tax transfers (field 15); ordinary ones take "51".
    QString taxClassification = QStringLiteral("71");
    // The execution date of every order; a null date: each order's own.
    QDate executionDate;
    bool quotesAsApostrophes = false;
};

// Why an order was left out of the file.
struct ElixirRefusal
{
    enum Reason {
        None,
        CashDeposit,
        NotInZloty,         // detail: the currency
        ClosedAccount,      // detail: since when, and what the account was
        ZusNotToContributionAccount, // detail: the account
        BadRecipientAccount, // detail: the account as the order holds it
        NoSenderAccount,
        BadSenderAccount,   // detail: the account as the order holds it
        BadAmount,
        NoDate,
        MissingText,        // field
        MissingTaxPart,     // field
        Quote,              // field
        LineSeparator,      // field
        ForbiddenCharacter, // field; detail: the character
        TextTooLong,        // field
    };
    Reason reason = None;
    QString field;      // the text concerned, in Polish ("tytuł", "nazwa odbiorcy"…)
    QString detail;
};

// The reason in Polish, for the summary and for standard error.
QString elixirRefusalText(const ElixirRefusal &refusal);

// The amount in grosze as the order shows it with two decimals (half a grosz
// and more rounds up); -1 for an invalid or null amount.
int64_t amountInGrosze(const CWexOleCurrency &amount);

// Appends the order's line with its CR LF. False, appending nothing, when the
// order cannot go into the file; `why` then says why.
bool appendElixirLine(const CPrzelewDane &order, const ElixirOptions &options, QByteArray &out,
                      ElixirRefusal *why = nullptr);

// A whole file gathered order by order: its bytes, how many orders went in
// and their sum.
class CElixirFile
{
public:
    explicit CElixirFile(ElixirOptions options) : m_options(std::move(options)) {}

    // Adds the order's line; false (with the reason) when it was left out.
    bool add(const CPrzelewDane &order, ElixirRefusal *why = nullptr);

    const QByteArray &bytes() const { return m_bytes; }
    int count() const { return m_count; }
    int64_t totalGrosze() const { return m_total; }
    const ElixirOptions &options() const { return m_options; }

private:
    ElixirOptions m_options;
    QByteArray m_bytes;
    int m_count = 0;
    int64_t m_total = 0;
};

// "1 234,56 zł": a sum of grosze for the user.
QString groszeText(int64_t grosze);
