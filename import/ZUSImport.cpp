#include "import/ZUSImport.h"

#include "model/OrderFields.h"
#include "model/PaymentAccounts.h"

#include <QFileInfo>

namespace {

// Field numbers of the export line.
enum { FieldDate = 1, FieldAmount = 2, FieldPayerAccount = 5, FieldRecipientAccount = 6,
       FieldPayerName = 7, FieldTitle = 11 };

// Widths of a ZUS order's fields: an imported text is cut to them, as typing
// it into the dialog would, so that the order can always be saved.
const int kNameWidth = OrderFields::pageLimit(KindZus, OrderField::Sender1);
const int kBankWidth = OrderFields::pageLimit(KindZus, OrderField::BankNumber);
const int kAccountRestWidth = OrderFields::pageLimit(KindZus, OrderField::AccountRest);
const int kPayerIdWidth = OrderFields::pageLimit(KindZus, OrderField::PayerId);
const int kSupplementaryIdWidth = OrderFields::pageLimit(KindZus, OrderField::SupplementaryId);

// Every comma separates, even inside quotes; quotes at both ends go.
QStringView unquoted(QStringView field)
{
    while (field.startsWith(u'"'))
        field = field.mid(1);
    while (field.endsWith(u'"'))
        field.chop(1);
    return field;
}

// Takes the text up to the next "|" off the front of `rest`; without a "|"
// the whole rest is taken.
QStringView takeUntilBar(QStringView &rest)
{
    const qsizetype bar = rest.indexOf(u'|');
    const QStringView head = bar < 0 ? rest : rest.left(bar);
    rest = bar < 0 ? QStringView() : rest.mid(bar + 1);
    return head;
}

QChar takeFirst(QStringView &rest)
{
    if (rest.isEmpty())
        return QChar();
    const QChar c = rest[0];
    rest = rest.mid(1);
    return c;
}

int number(QStringView digits)
{
    int64_t v = 0;
    return parseDigits(digits, v) && v <= INT32_MAX ? int(v) : 0;
}

// The text cut to `width`; a cut is noted under the field's name.
QString fitted(QStringView text, int width, const char16_t *name, QStringList *shortened)
{
    if (text.size() > width && shortened)
        shortened->append(QString::fromUtf16(name));
    return text.left(width).toString();
}

// A NIP is ten digits: the dashes and blanks people write between them go;
// anything else dropped, or digits beyond ten, are noted as a change.
QString nipDigits(QStringView text, QStringList *shortened)
{
    QString digits;
    bool changed = false;
    for (QChar c : text) {
        if (c >= u'0' && c <= u'9')
            digits += c;
        else if (c != u'-' && c != u' ')
            changed = true;
    }
    if (digits.size() > kPayerIdWidth) {
        digits.truncate(kPayerIdWidth);
        changed = true;
    }
    if (changed && shortened)
        shortened->append(QStringLiteral("NIP płatnika"));
    return digits;
}

COrderDate parseDate(QStringView yyyymmdd)
{
    if (yyyymmdd.size() < 8)
        return COrderDate::null();
    return COrderDate::fromParts(number(yyyymmdd.mid(0, 4)), number(yyyymmdd.mid(4, 2)),
                                 number(yyyymmdd.mid(6, 2)));
}

} // namespace

bool CZUSImport::Open(const QString &path)
{
    Close();
    if (QFileInfo(path).isDir())
        return false;
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly))
        return false;
    m_file = std::move(file);
    m_reader.setDevice(m_file.get());
    return true;
}

void CZUSImport::OpenDevice(QIODevice *device)
{
    Close();
    m_reader.setDevice(device);
}

void CZUSImport::Close()
{
    m_reader.setDevice(nullptr);
    m_file.reset();
    m_readFailed = false;
    m_lineNumber = 0;
}

CZUSImport::ReadResult CZUSImport::ReadNext(CPrzelewDane &order, QStringList *shortened)
{
    QString line;
    switch (m_reader.readLine(line)) {
    case CLineReader::End:
        return End;
    case CLineReader::Error:
        m_readFailed = true;
        return End;
    case CLineReader::TooLong:
        ++m_lineNumber;
        order.SetKind(KindZus);
        return Rejected;
    case CLineReader::Line:
        ++m_lineNumber;
        break;
    }
    return ParseLine(line, order, shortened);
}

ZusReadOutcome CZUSImport::ReadAll()
{
    ZusReadOutcome out;
    CPrzelewDane order;
    for (;;) {
        QStringList changed;
        const ReadResult result = ReadNext(order, &changed);
        if (result == End)
            break;
        if (result != Read)
            continue;
        if (const std::optional<ClosedAccount> closed = closedAccount(order.AccountNumberText())) {
            ++out.toClosedAccounts;
            out.closedSince = closed->closedSince;
        }
        out.orders.push_back(order);
        if (!changed.isEmpty())
            out.shortened.push_back({m_lineNumber, order.sender1, changed});
    }
    if (m_readFailed) {
        // Part of a file is not the file: import nothing rather than a piece.
        out.orders.clear();
        out.shortened.clear();
        out.toClosedAccounts = 0;
        out.readFailed = true;
    }
    return out;
}

CZUSImport::ReadResult CZUSImport::ParseLine(QStringView line, CPrzelewDane &order, QStringList *shortened)
{
    order.SetKind(KindZus, COrderDate::null()); // the date field decides
    order.reference.clear();
    order.recipient2.clear();
    order.title2.clear();

    const QList<QStringView> fields = line.split(u',');
    auto field = [&](int i) { return i < fields.size() ? unquoted(fields[i]) : QStringView(); };

    if (fields.size() <= FieldAmount)
        return Rejected;

    // Amount in grosze: digits only.
    const QStringView grosze = field(FieldAmount);
    if (grosze.isEmpty())
        return Rejected;
    int64_t value = 0;
    if (!parseDigits(grosze, value))
        return Rejected;
    const CWexOleCurrency amount = CWexOleCurrency::fromUnits(value / 100, (value % 100) * 100);
    if (!amount.isValid())
        return Rejected;
    order.amount = amount;
    order.date = parseDate(field(FieldDate));

    const QStringView payerAccount = field(FieldPayerAccount);
    if (!payerAccount.isEmpty()) {
        order.senderAccount = fitted(payerAccount, kNameWidth, u"rachunek płatnika", shortened);
        order.isTransfer = 1;
    } else {
        order.isTransfer = 0;
        QString words;
        order.AmountInDigitWords(words);
        order.senderAccount = fitted(words, kNameWidth, u"kwota słownie", shortened);
    }

    const QStringView recipientAccount = field(FieldRecipientAccount);
    order.bankNumber = recipientAccount.left(kBankWidth).toString();
    order.accountRest = fitted(recipientAccount.mid(kBankWidth), kAccountRestWidth, u"rachunek ZUS", shortened);
    order.checkDigits.clear();

    order.sender1 = fitted(field(FieldPayerName), kNameWidth, u"nazwa płatnika", shortened);

    QStringView title = field(FieldTitle);
    order.payerId = nipDigits(takeUntilBar(title), shortened);
    order.idType = CPrzelewDane::IdTypeFromLetter(takeFirst(title));
    order.supplementaryId = fitted(takeUntilBar(title), kSupplementaryIdWidth, u"drugi identyfikator płatnika", shortened);
    order.paymentType = CPrzelewDane::PaymentTypeFromLetter(takeFirst(title));
    // The third title line; a fourth (decision number) is not read.
    const QStringView declarationLine = takeUntilBar(title);
    order.declaration = declarationLine.left(6).toString();
    order.declarationNo = declarationLine.mid(6, 2).toString();

    order.SetZUSTitle(order.zusAccountType);
    return Read;
}
