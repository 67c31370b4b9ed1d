#include "model/ElixirWriter.h"

#include "model/AccountCheck.h"
#include "model/PaymentAccounts.h"

#include <QStringList>

namespace {

constexpr int kLineWidth = 35;
constexpr int kLines = 4;
constexpr char kTransferType[] = "110";

using Reason = ElixirRefusal::Reason;

bool refuse(ElixirRefusal *why, Reason reason, const QString &field = {}, const QString &detail = {})
{
    if (why)
        *why = {reason, field, detail};
    return false;
}

// The character as the user is told of it: itself when it can be shown, and
// its code, so that a control character never reaches a terminal raw.
QString shownCharacter(QChar c)
{
    const QString code = QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QChar(u'0')).toUpper();
    if (c.isPrint() && !c.isSpace() && !c.isSurrogate())
        return QStringLiteral("„%1” (%2)").arg(c, code);
    return code;
}

// The text as it goes into the file, or a refusal naming the first character
// it may not hold.
bool checkedText(QStringView text, const QString &field, const ElixirOptions &options, QString &out,
                 ElixirRefusal *why)
{
    out.clear();
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'"') {
            if (!options.quotesAsApostrophes)
                return refuse(why, Reason::Quote, field);
            out += u'\'';
        } else if (c == u'|') {
            return refuse(why, Reason::LineSeparator, field);
        } else if (!isElixirTextCharacter(c)) {
            // A pair of surrogates is one character the user typed.
            if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
                const char32_t code = QChar::surrogateToUcs4(c, text[i + 1]);
                const QString shown = QStringLiteral("„%1” (U+%2)")
                                          .arg(text.mid(i, 2).toString(), QString::number(code, 16).toUpper());
                return refuse(why, Reason::ForbiddenCharacter, field, shown);
            }
            return refuse(why, Reason::ForbiddenCharacter, field, shownCharacter(c));
        } else {
            out += c;
        }
    }
    return true;
}

// Splits one line of an order into lines of the file: at the last blank that
// keeps a line within its width, or hard at the width when that takes fewer lines.
void wrapLine(QStringView text, QStringList &lines)
{
    QStringList words;
    QStringView rest = text;
    while (rest.size() > kLineWidth) {
        const qsizetype cut = rest.left(kLineWidth + 1).lastIndexOf(u' ');
        if (cut <= 0) {
            words << rest.left(kLineWidth).toString();
            rest = rest.mid(kLineWidth);
        } else {
            words << rest.left(cut).trimmed().toString();
            rest = rest.mid(cut + 1).trimmed();
        }
    }
    words << rest.toString();
    const qsizetype hardLines = (text.size() + kLineWidth - 1) / kLineWidth;
    if (words.size() <= hardLines) {
        lines << words;
        return;
    }
    for (qsizetype at = 0; at < text.size(); at += kLineWidth)
        lines << text.mid(at, kLineWidth).toString();
}

// Up to four lines of 35 joined by "|", always four lines as banks expect.
QString joinedLines(QStringList lines)
{
    while (lines.size() < kLines)
        lines << QString();
    return lines.join(u'|');
}

// A name or title held in two lines of the order, as a text field of the file.
bool multiLineText(const QString &first, const QString &second, const QString &field, bool required,
                   const ElixirOptions &options, QString &out, ElixirRefusal *why)
{
    QStringList lines;
    for (const QString *part : {&first, &second}) {
        const QString trimmed = part->trimmed();
        if (trimmed.isEmpty())
            continue;
        QString checked;
        if (!checkedText(trimmed, field, options, checked, why))
            return false;
        wrapLine(checked, lines);
    }
    if (lines.isEmpty() && required)
        return refuse(why, Reason::MissingText, field);
    if (lines.size() > kLines)
        return refuse(why, Reason::TextTooLong, field);
    out = joinedLines(lines);
    return true;
}

// The structured title of a tax transfer: /TI/ identifier type and
// identifier, /OKR/ period, /SFP/ form symbol, /TXT/ obligation, cut into
// lines of 35 with no regard to words.
bool taxTitle(const CPrzelewDane &order, const ElixirOptions &options, QString &out, ElixirRefusal *why)
{
    QString id = order.payerId;
    id.remove(u' ').remove(u'-');
    struct Part
    {
        const char *tag;
        QString text;
        const char *field;
        bool required;
    };
    const Part parts[] = {
        {"/TI/", id, "identyfikator płatnika", true},
        {"/OKR/", order.taxPeriod.trimmed(), "okres", true},
        {"/SFP/", order.taxFormSymbol.trimmed(), "symbol formularza", true},
        {"/TXT/", order.obligationId.trimmed(), "identyfikacja zobowiązania", false},
    };
    QString title;
    for (const Part &part : parts) {
        const bool identifier = &part == &parts[0];
        const QString field = QString::fromUtf8(part.field);
        if (part.required && part.text.isEmpty())
            return refuse(why, Reason::MissingTaxPart, field);
        QString checked;
        if (!checkedText(part.text, field, options, checked, why))
            return false;
        title += QLatin1String(part.tag);
        if (identifier)
            title += CPrzelewDane::IdTypeLetter(order.idType);
        title += checked;
    }
    QStringList lines;
    for (qsizetype at = 0; at < title.size(); at += kLineWidth)
        lines << title.mid(at, kLineWidth);
    if (lines.size() > kLines)
        return refuse(why, Reason::TextTooLong, QStringLiteral("tytuł podatkowy"));
    out = joinedLines(lines);
    return true;
}

bool recipientAccount(const CPrzelewDane &order, QString &digits, ElixirRefusal *why)
{
    const QString shown = order.AccountNumberText();
    digits = accountDigits(shown);
    if (const std::optional<ClosedAccount> closed = closedAccount(digits))
        return refuse(why, Reason::ClosedAccount, {},
                      QStringLiteral("od %1 (%2)").arg(closed->closedSince.toString(u"d.MM.yyyy"), closed->purpose));
    // Since 2018 ZUS takes contributions only on the payer's own account.
    if (order.kind == KindZus && !isZusContributionAccount(digits))
        return refuse(why, Reason::ZusNotToContributionAccount, {}, shown);
    if (checkAccountNumber(digits) != AccountCheck::Valid)
        return refuse(why, Reason::BadRecipientAccount, {}, shown);
    return true;
}

bool senderAccount(const CPrzelewDane &order, QString &digits, ElixirRefusal *why)
{
    const QString shown = order.senderAccount.trimmed();
    if (shown.isEmpty())
        return refuse(why, Reason::NoSenderAccount);
    digits = accountDigits(shown);
    if (checkAccountNumber(digits) != AccountCheck::Valid)
        return refuse(why, Reason::BadSenderAccount, {}, shown);
    return true;
}

void appendQuoted(QByteArray &line, QStringView text, ElixirCodePage page)
{
    line += '"';
    appendElixirText(text, page, line);
    line += '"';
}

} // namespace

int64_t amountInGrosze(const CWexOleCurrency &amount)
{
    if (!amount.isValid())
        return -1;
    const int64_t v = amount.value();
    const int64_t perGrosz = CWexOleCurrency::kScale / 100;
    const int64_t whole = v / perGrosz, part = v % perGrosz;
    // Half away from zero, as the two-decimal text of the amount rounds.
    if (part >= perGrosz / 2)
        return whole + 1;
    if (part <= -perGrosz / 2)
        return whole - 1;
    return whole;
}

bool appendElixirLine(const CPrzelewDane &order, const ElixirOptions &options, QByteArray &out,
                      ElixirRefusal *why)
{
    if (!order.isTransfer)
        return refuse(why, Reason::CashDeposit);
    if (order.currency.trimmed().compare(u"PLN", Qt::CaseInsensitive) != 0)
        return refuse(why, Reason::NotInZloty, {}, order.currency.trimmed());

    QString recipient, sender;
    if (!recipientAccount(order, recipient, why) || !senderAccount(order, sender, why))
        return false;

    const int64_t grosze = amountInGrosze(order.amount);
    if (grosze <= 0)
        return refuse(why, Reason::BadAmount);

    const QDate date = options.executionDate.isValid() ? options.executionDate
                       : order.date.isValid()          ? order.date.date()
                                                       : QDate();
    if (!date.isValid())
        return refuse(why, Reason::NoDate);

    QString senderName, recipientName, title, reference;
    if (!multiLineText(order.sender1, order.sender2, QStringLiteral("nazwa nadawcy"), true, options, senderName,
                       why)
        || !multiLineText(order.recipient1, order.recipient2, QStringLiteral("nazwa odbiorcy"), true, options,
                          recipientName, why))
        return false;
    const bool tax = order.kind == KindTax;
    if (tax ? !taxTitle(order, options, title, why)
            : !multiLineText(order.title1, order.title2, QStringLiteral("tytuł"), true, options, title, why))
        return false;
    // Another program's own reference comes back in the bank's statement.
    if (!checkedText(order.reference.trimmed(), QStringLiteral("numer referencyjny"), options, reference, why))
        return false;

    QByteArray line;
    line.reserve(320);
    line += kTransferType;
    line += ',';
    line += date.toString(u"yyyyMMdd").toLatin1();
    line += ',';
    line += QByteArray::number(grosze);
    line += ',';
    line += QStringView(sender).mid(2, 8).toLatin1();
    line += ",0,";
    appendQuoted(line, sender, options.codePage);
    line += ',';
    appendQuoted(line, recipient, options.codePage);
    line += ',';
    appendQuoted(line, senderName, options.codePage);
    line += ',';
    appendQuoted(line, recipientName, options.codePage);
    line += ",0,";
    line += QStringView(recipient).mid(2, 8).toLatin1();
    line += ',';
    appendQuoted(line, title, options.codePage);
    line += R"(,"","",)";
    appendQuoted(line, tax ? options.taxClassification : QStringLiteral("51"), options.codePage);
    line += ',';
    appendQuoted(line, reference, options.codePage);
    line += "\r\n";
    out += line;
    if (why)
        *why = {};
    return true;
}

bool CElixirFile::add(const CPrzelewDane &order, ElixirRefusal *why)
{
    if (!appendElixirLine(order, m_options, m_bytes, why))
        return false;
    ++m_count;
    m_total += amountInGrosze(order.amount);
    return true;
}

QString elixirRefusalText(const ElixirRefusal &r)
{
    switch (r.reason) {
    case Reason::None: return {};
    case Reason::CashDeposit:
        return QStringLiteral("wpłaty gotówkowej nie można zlecić bankowi jako przelewu");
    case Reason::NotInZloty:
        return QStringLiteral("waluta „%1”: do banku trafiają tylko przelewy w złotych (PLN)").arg(r.detail);
    case Reason::ClosedAccount:
        return QStringLiteral("rachunek odbiorcy jest zamknięty %1").arg(r.detail);
    case Reason::ZusNotToContributionAccount:
        return QStringLiteral("przelew do ZUS nie jest skierowany na rachunek składkowy (NRS) płatnika (%1)")
            .arg(r.detail.isEmpty() ? QStringLiteral("brak rachunku") : r.detail);
    case Reason::BadRecipientAccount:
        return QString(r.detail).remove(u'-').trimmed().isEmpty()
                   ? QStringLiteral("brak rachunku odbiorcy")
                   : QStringLiteral("rachunek odbiorcy „%1” nie jest poprawnym 26-cyfrowym numerem NRB")
                         .arg(r.detail);
    case Reason::NoSenderAccount: return QStringLiteral("brak rachunku nadawcy");
    case Reason::BadSenderAccount:
        return QStringLiteral("rachunek nadawcy „%1” nie jest poprawnym 26-cyfrowym numerem NRB").arg(r.detail);
    case Reason::BadAmount: return QStringLiteral("kwota musi być większa od zera");
    case Reason::NoDate: return QStringLiteral("przelew nie ma daty wykonania");
    case Reason::MissingText: return QStringLiteral("brak pola: %1").arg(r.field);
    case Reason::MissingTaxPart: return QStringLiteral("przelew podatkowy bez pola: %1").arg(r.field);
    case Reason::Quote:
        return QStringLiteral("pole „%1” zawiera cudzysłów (\"), niedozwolony w pliku dla banku").arg(r.field);
    case Reason::LineSeparator:
        return QStringLiteral("pole „%1” zawiera znak |, który w pliku dla banku rozdziela wiersze").arg(r.field);
    case Reason::ForbiddenCharacter:
        return QStringLiteral("pole „%1” zawiera znak %2, niedozwolony w pliku dla banku").arg(r.field, r.detail);
    case Reason::TextTooLong:
        return QStringLiteral("pole „%1” nie mieści się w 4 wierszach po 35 znaków").arg(r.field);
    }
    return {};
}

QString groszeText(int64_t grosze)
{
    const bool negative = grosze < 0;
    const uint64_t magnitude = negative ? 0 - uint64_t(grosze) : uint64_t(grosze);
    QString units = QString::number(magnitude / 100);
    for (qsizetype at = units.size() - 3; at > 0; at -= 3)
        units.insert(at, u' ');
    return QStringLiteral("%1%2,%3 zł")
        .arg(negative ? QStringLiteral("-") : QString(), units)
        .arg(int(magnitude % 100), 2, 10, QChar(u'0'));
}
