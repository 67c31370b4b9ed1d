#include "model/Import.h"

#include "model/Cp1250.h"
#include "model/OrderText.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <span>

namespace {

enum class Field {
    Recipient1, Recipient2, CheckDigits, BankNumber, AccountRest, TransferFlag, Currency,
    Amount, SenderAccount, Sender1, Sender2, Title1, Title2, Date, ZusAccountType,
    PayerId, IdType, SupplementaryId, PaymentType, Declaration, DeclarationNo,
    TaxPeriod, TaxFormSymbol, ObligationId,
};

enum Read { Trim, AsIs };

struct Column
{
    Field field;
    int width;
    Read read;
    const char16_t *name; // for the message when a text does not fit
};

// Column tables of each record body, left to right, after the kind code,
// reference and form symbol.
constexpr Column kOrdinary[] = {
    {Field::Recipient1, 54, Trim, u"nazwa odbiorcy"},
    {Field::Recipient2, 54, Trim, u"nazwa odbiorcy cd."},
    {Field::CheckDigits, 2, Trim, u"l.k."},
    {Field::BankNumber, 8, AsIs, u"numer banku"},
    {Field::AccountRest, 34, Trim, u"nr rachunku"},
    {Field::TransferFlag, 1, AsIs, u""},
    {Field::Currency, 3, AsIs, u"waluta"},
    {Field::Amount, 20, Trim, u"kwota"},
    {Field::SenderAccount, 54, Trim, u"nr rachunku zleceniodawcy"},
    {Field::Sender1, 54, Trim, u"nazwa zleceniodawcy"},
    {Field::Sender2, 54, Trim, u"nazwa zleceniodawcy cd."},
    {Field::Title1, 54, Trim, u"tytułem"},
    {Field::Title2, 54, Trim, u"tytułem cd."},
    {Field::Date, 10, Trim, u"data"},
};

constexpr Column kZus[] = {
    {Field::ZusAccountType, 1, AsIs, u"typ rachunku ZUS"},
    {Field::TransferFlag, 1, AsIs, u""},
    {Field::Amount, 20, Trim, u"kwota"},
    {Field::SenderAccount, 54, Trim, u"nr rachunku płatnika"},
    {Field::Sender1, 54, Trim, u"nazwa płatnika"},
    {Field::Sender2, 54, Trim, u"nazwa płatnika cd."},
    {Field::PayerId, 10, Trim, u"NIP płatnika"},
    {Field::IdType, 1, AsIs, u""},
    {Field::SupplementaryId, 14, AsIs, u"drugi identyfikator płatnika"},
    {Field::PaymentType, 1, AsIs, u""},
    {Field::Declaration, 6, Trim, u"deklaracja"},
    {Field::DeclarationNo, 2, Trim, u"nr deklaracji"},
    {Field::Date, 10, Trim, u"data"},
    {Field::Title2, 15, Trim, u"nr decyzji / umowy / tytułu wykonawczego"},
};

constexpr Column kZusOld[] = {
    {Field::CheckDigits, 2, Trim, u"l.k."},
    {Field::BankNumber, 8, AsIs, u"numer banku"},
    {Field::AccountRest, 9, Trim, u"nr rachunku"},
    {Field::TransferFlag, 1, AsIs, u""},
    {Field::Amount, 20, Trim, u"kwota"},
    {Field::SenderAccount, 54, Trim, u"nr rachunku płatnika"},
    {Field::Sender1, 54, Trim, u"nazwa płatnika"},
    {Field::Sender2, 54, Trim, u"nazwa płatnika cd."},
    {Field::PayerId, 10, Trim, u"NIP płatnika"},
    {Field::IdType, 1, AsIs, u""},
    {Field::SupplementaryId, 14, AsIs, u"drugi identyfikator płatnika"},
    {Field::PaymentType, 1, AsIs, u""},
    {Field::Declaration, 6, Trim, u"deklaracja"},
    {Field::DeclarationNo, 2, Trim, u"nr deklaracji"},
    {Field::Date, 10, Trim, u"data"},
};

constexpr Column kTax[] = {
    {Field::Recipient1, 54, Trim, u"nazwa organu podatkowego"},
    {Field::Recipient2, 54, Trim, u"nazwa organu podatkowego cd."},
    {Field::CheckDigits, 2, Trim, u"l.k."},
    {Field::BankNumber, 8, AsIs, u"numer banku"},
    {Field::AccountRest, 34, Trim, u"nr rachunku"},
    {Field::TransferFlag, 1, AsIs, u""},
    {Field::Currency, 3, AsIs, u"waluta"},
    {Field::Amount, 20, Trim, u"kwota"},
    {Field::SenderAccount, 54, Trim, u"nr rachunku zobowiązanego"},
    {Field::Sender1, 54, Trim, u"nazwa zobowiązanego"},
    {Field::Sender2, 54, Trim, u"nazwa zobowiązanego cd."},
    {Field::Title1, 54, Trim, u"tytułem"},
    {Field::PayerId, 14, Trim, u"identyfikator zobowiązanego"},
    {Field::IdType, 1, AsIs, u""},
    {Field::TaxPeriod, 7, Trim, u"okres"},
    {Field::TaxFormSymbol, 7, Trim, u"symbol formularza"},
    {Field::ObligationId, 20, Trim, u"identyfikacja zobowiązania"},
    {Field::Date, 10, Trim, u"data"},
};

constexpr int bodyLength(std::span<const Column> columns)
{
    int n = 0;
    for (const Column &c : columns)
        n += c.width;
    return n;
}
static_assert(bodyLength(kOrdinary) == 456);
static_assert(bodyLength(kZus) == 243);
static_assert(bodyLength(kZusOld) == 246);
static_assert(bodyLength(kTax) == 451);

std::span<const Column> columnsFor(int kind, int version)
{
    switch (kind) {
    case KindZus: return version >= 4 ? std::span<const Column>(kZus) : std::span<const Column>(kZusOld);
    case KindTax: return kTax;
    default: return kOrdinary;
    }
}

QString *textField(CPrzelewDane &r, Field f)
{
    switch (f) {
    case Field::Recipient1: return &r.recipient1;
    case Field::Recipient2: return &r.recipient2;
    case Field::CheckDigits: return &r.checkDigits;
    case Field::BankNumber: return &r.bankNumber;
    case Field::AccountRest: return &r.accountRest;
    case Field::Currency: return &r.currency;
    case Field::SenderAccount: return &r.senderAccount;
    case Field::Sender1: return &r.sender1;
    case Field::Sender2: return &r.sender2;
    case Field::Title1: return &r.title1;
    case Field::Title2: return &r.title2;
    case Field::PayerId: return &r.payerId;
    case Field::SupplementaryId: return &r.supplementaryId;
    case Field::Declaration: return &r.declaration;
    case Field::DeclarationNo: return &r.declarationNo;
    case Field::TaxPeriod: return &r.taxPeriod;
    case Field::TaxFormSymbol: return &r.taxFormSymbol;
    case Field::ObligationId: return &r.obligationId;
    default: return nullptr;
    }
}

const QString *textField(const CPrzelewDane &r, Field f)
{
    return textField(const_cast<CPrzelewDane &>(r), f);
}

bool isCSpace(QChar c)
{
    const char16_t u = c.unicode();
    return u == ' ' || (u >= '\t' && u <= '\r');
}

// Trims the blanks a C program would: ASCII white space only, so other bytes
// survive a read and write unchanged.
QStringView trimC(QStringView s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && isCSpace(s[b]))
        ++b;
    while (e > b && isCSpace(s[e - 1]))
        --e;
    return s.mid(b, e - b);
}

int leadingInt(QStringView s)
{
    int64_t v = 0;
    bool negative = false;
    if (!parseLeadingInteger(s, v, negative) || v > 1000000)
        return 0;
    return int(negative ? -v : v);
}

// A date as the program writes it: RRRR-MM-DD, and a day of the calendar.
bool isIsoDate(QStringView text)
{
    static constexpr char16_t kShape[] = u"9999-99-99";
    if (text.size() != 10)
        return false;
    for (int i = 0; i < 10; ++i)
        if (kShape[i] == u'9' ? !text[i].isDigit() || text[i].unicode() > u'9' : text[i] != kShape[i])
            return false;
    return QDate(text.left(4).toInt(), text.mid(5, 2).toInt(), text.mid(8, 2).toInt()).isValid();
}

COrderDate parseDate(QStringView text)
{
    if (text.size() < 10)
        return COrderDate::null();
    return COrderDate::fromParts(leadingInt(text.mid(0, 4)), leadingInt(text.mid(5, 2)),
                                 leadingInt(text.mid(8, 2)));
}

bool appendPadded(QByteArray &line, QStringView text, int width, const Column &c, QString *error)
{
    if (text.size() > width) {
        if (error)
            *error = QStringLiteral("Tekst pola „%1” jest za długi (dozwolona liczba znaków: %2): %3")
                         .arg(QString::fromUtf16(c.name)).arg(width).arg(text.toString());
        return false;
    }
    if (!Cp1250::canEncode(text)) {
        if (error) {
            const auto [bad, length] = *firstUnencodable(text);
            *error = QStringLiteral("Pole „%1” zawiera znak „%2”, którego nie można zapisać "
                                    "w stronie kodowej Windows-1250: %3")
                         .arg(QString::fromUtf16(c.name), text.mid(bad, length).toString(), text.toString());
        }
        return false;
    }
    Cp1250::encodeAppend(text, line);
    line.append(width - text.size(), ' ');
    return true;
}

} // namespace

CImport::CImport() = default;
CImport::~CImport()
{
    // Lines still gathered reach the file; a caller that must know whether
    // they did calls Flush() itself.
    Close();
}

bool CImport::Open(const QString &path, QIODevice::OpenMode mode, bool keepVersion)
{
    Close();
    m_error.clear();
    if (QFileInfo(path).isDir()) {
        m_error = QStringLiteral("%1 jest folderem, a nie plikiem.").arg(path);
        return false;
    }
    auto file = std::make_unique<QFile>(path);
    const bool writing = mode & QIODevice::WriteOnly;
    if (!file->open(writing ? (QIODevice::WriteOnly | QIODevice::Truncate) : QIODevice::ReadOnly)) {
        m_error = file->errorString();
        return false;
    }
    m_file = std::move(file);
    return OpenDevice(m_file.get(), keepVersion);
}

bool CImport::OpenDevice(QIODevice *device, bool keepVersion)
{
    if (device != m_file.get())
        Close();
    m_device = device;
    m_hasPending = false;
    m_pendingTooLong = false;
    m_readFailed = false;
    m_lineNumber = 0;
    m_problem = LineProblem();
    m_hasHeader = false;
    m_lastLineBlank = false;
    m_skippedFirstLine = 0;
    m_error.clear();
    if (!keepVersion)
        m_version = 1;
    if (!device || !device->isOpen())
        return false;
    if (device->isReadable() && !device->isWritable()) {
        m_reader.setDevice(device);
        detectHeader();
    }
    return true;
}

void CImport::Close()
{
    Flush();
    m_reader.setDevice(nullptr);
    m_device = nullptr;
    m_file.reset();
    m_hasPending = false;
}

void CImport::detectHeader()
{
    QString first;
    const CLineReader::Result r = m_reader.readLine(first);
    if (r == CLineReader::Line && first.size() == 6) {
        m_lineNumber = 1;
        if (first.left(3).toLower() == u"ver") {
            m_version = leadingInt(QStringView(first).right(2));
            m_hasHeader = true;
        } else if (!trimC(first).isEmpty()) {
            m_skippedFirstLine = 1;
        }
        return; // a header, or a 6-character line that is passed over
    }
    if (r == CLineReader::Line || r == CLineReader::TooLong) {
        // No header: the line is the first record.
        m_hasPending = true;
        m_pendingTooLong = r == CLineReader::TooLong;
        m_pending = first;
    } else if (r == CLineReader::Error) {
        m_readFailed = true;
        m_error = m_device ? m_device->errorString() : QString();
    }
}

bool CImport::WriteHeader(int version)
{
    m_version = version;
    if (version < 2)
        return true;
    QByteArray header = (version < 10 ? QByteArray("ver=0") : QByteArray("ver="))
        + QByteArray::number(version);
    header.truncate(6);
    m_out.append(header).append("\r\n");
    return Flush();
}

bool CImport::FormatRecord(const CPrzelewDane &r, int version, QByteArray &out, QString *error)
{
    // Appends to `out`; on failure `out` is cut back to what it held.
    const qsizetype start = out.size();
    if (!formatRecord(r, version, out, error)) {
        out.truncate(start);
        return false;
    }
    return true;
}

bool CImport::formatRecord(const CPrzelewDane &r, int version, QByteArray &line, QString *error)
{
    if (version >= 2) {
        const char *code = r.kind == KindZus ? "01" : r.kind == KindTax ? "02" : "00";
        line.append(code);
        static constexpr Column ref {Field::Title1, 8, AsIs, u"referencja"};
        static constexpr Column sym {Field::Title1, 2, AsIs, u"symbol formularza"};
        if (!appendPadded(line, r.reference, 8, ref, error) || !appendPadded(line, r.symbol, 2, sym, error))
            return false;
    }
    for (const Column &c : columnsFor(r.kind, version)) {
        switch (c.field) {
        case Field::TransferFlag:
            line.append(r.isTransfer ? 'P' : 'W');
            break;
        case Field::IdType:
            line.append(char(CPrzelewDane::IdTypeLetter(r.idType).unicode()));
            break;
        case Field::PaymentType:
            line.append(char(CPrzelewDane::PaymentTypeLetter(r.paymentType).unicode()));
            break;
        case Field::ZusAccountType:
            if (r.zusAccountType < 0 || r.zusAccountType > 9) {
                if (error)
                    *error = QStringLiteral("Nieprawidłowy typ rachunku ZUS: %1").arg(r.zusAccountType);
                return false;
            }
            line.append(char('0' + r.zusAccountType));
            break;
        case Field::Amount: {
            // Blanks here would be unreadable, and the order lost on the next open.
            if (!r.amount.isValid()) {
                if (error)
                    *error = QStringLiteral("Przelew dla „%1” ma nieprawidłową kwotę.").arg(r.recipient1);
                return false;
            }
            if (!appendPadded(line, r.amount.toTwoDecimalText(), c.width, c, error))
                return false;
            break;
        }
        case Field::Date:
            if (!appendPadded(line, r.date.toIsoText(), c.width, c, error))
                return false;
            break;
        default:
            if (!appendPadded(line, *textField(r, c.field), c.width, c, error))
                return false;
        }
    }
    return true;
}

bool CImport::WriteRecord(const CPrzelewDane &record)
{
    if (!m_device || !FormatRecord(record, m_version, m_out, &m_error))
        return false;
    m_out.append("\r\n");
    return m_out.size() < kFlushSize || Flush();
}

bool CImport::Flush()
{
    if (m_out.isEmpty())
        return true;
    const bool ok = m_device && m_device->write(m_out) == m_out.size();
    if (!ok)
        m_error = m_device ? m_device->errorString() : QString();
    m_out.clear();
    return ok;
}

CImport::ReadResult CImport::ParseLine(QStringView line, int version, CPrzelewDane &target,
                                      LineProblem *problem, LineRemarks *remarks)
{
    if (remarks)
        *remarks = LineRemarks();
    LineProblem ignored;
    LineProblem &why = problem ? *problem : ignored;
    why = LineProblem();
    int kind = KindOrdinary;
    QStringView rest = line;
    if (version >= 2) {
        const QStringView code = line.left(2);
        if (code == u"00")
            kind = KindOrdinary;
        else if (code == u"01")
            kind = KindZus;
        else if (code == u"02")
            kind = KindTax;
        else {
            why.reason = LineProblem::UnknownKind;
            why.text = code.toString();
            return RecordRejected;
        }
        rest = line.mid(2);
    }
    target.SetKind(kind, COrderDate::null()); // the date column decides
    if (kind == KindTax && version < 5) {
        why.reason = LineProblem::KindNotInVersion;
        why.kind = kind;
        return OldFormat;
    }
    if (version >= 2) {
        target.reference = rest.left(8).toString();
        target.symbol = rest.mid(8, 2).toString();
        rest = rest.mid(10);
    }
    const std::span<const Column> columns = columnsFor(kind, version);
    if (rest.size() != bodyLength(columns)) {
        why.reason = LineProblem::WrongLength;
        why.kind = kind;
        why.length = line.size();
        why.expected = line.size() - rest.size() + bodyLength(columns);
        return RecordRejected;
    }

    qsizetype pos = 0;
    for (const Column &c : columns) {
        const QStringView raw = rest.mid(pos, c.width);
        const QStringView value = c.read == Trim ? trimC(raw) : raw;
        pos += c.width;
        switch (c.field) {
        case Field::TransferFlag:
            target.isTransfer = (raw[0] == u'P' || raw[0] == u'p') ? 1 : 0;
            if (remarks && !QStringView(u"PpWw").contains(raw[0]))
                remarks->unknownFlag = raw[0];
            break;
        case Field::IdType:
            target.idType = CPrzelewDane::IdTypeFromLetter(raw[0]);
            break;
        case Field::PaymentType:
            target.paymentType = CPrzelewDane::PaymentTypeFromLetter(raw[0]);
            break;
        case Field::ZusAccountType: {
            target.zusAccountType = (raw[0] >= u'0' && raw[0] <= u'9') ? raw[0].unicode() - u'0' : 0;
            const QString account = CPrzelewDane::ZusAccount(target.zusAccountType);
            target.checkDigits = account.left(2);
            target.bankNumber = account.mid(2, 8);
            target.accountRest = account.mid(10);
            break;
        }
        case Field::Amount: {
            CWexOleCurrency amount;
            if (!amount.fromText(value)) {
                why.reason = LineProblem::NotAnAmount;
                why.text = value.toString();
                return RecordRejected;
            }
            target.amount = amount;
            break;
        }
        case Field::Date:
            target.date = parseDate(value);
            if (remarks && !value.isEmpty() && !isIsoDate(value))
                remarks->unreadDate = value.toString();
            break;
        default:
            *textField(target, c.field) = value.toString();
        }
    }
    if (remarks)
        remarks->utf8 = Cp1250::readsAsUtf8(line);
    if (kind == KindZus) {
        if (version < 4) {
            const QStringView tail = QStringView(target.accountRest).right(2);
            target.zusAccountType = tail == u"51" ? 1 : tail == u"52" ? 2 : tail == u"53" ? 3 : 0;
        }
        target.SetZUSTitle(target.zusAccountType);
    }
    return RecordRead;
}

CImport::ReadResult CImport::ReadRecord(CPrzelewDane &target)
{
    m_problem = LineProblem();
    m_remarks = LineRemarks();
    QString line;
    bool tooLong = false;
    m_lastLineBlank = false;
    if (m_hasPending) {
        m_hasPending = false;
        line = std::move(m_pending);
        tooLong = m_pendingTooLong;
    } else {
        switch (m_reader.readLine(line)) {
        case CLineReader::End: return EndOfFile;
        case CLineReader::Error:
            // The rest of the file is unreadable; the caller asks readFailed().
            m_readFailed = true;
            m_error = m_device ? m_device->errorString() : QString();
            return EndOfFile;
        case CLineReader::TooLong: tooLong = true; break;
        case CLineReader::Line: break;
        }
    }
    ++m_lineNumber;
    if (tooLong) {
        m_problem.reason = LineProblem::TooLong;
        m_problem.length = m_reader.maxLineLength();
        return RecordRejected;
    }
    m_lastLineBlank = trimC(line).isEmpty();
    return ParseLine(line, m_version, target, &m_problem, &m_remarks);
}

QString CImport::problemText(const LineProblem &p, int version)
{
    switch (p.reason) {
    case LineProblem::None:
        break;
    case LineProblem::UnknownKind:
        if (p.text.isEmpty())
            return QStringLiteral("pusty wiersz");
        return QStringLiteral("nieznany rodzaj przelewu „%1” (znane: 00, 01, 02)").arg(p.text);
    case LineProblem::WrongLength:
        return QStringLiteral("wiersz ma %1 znaków, a przelew rodzaju „%2” w pliku w wersji %3 ma ich %4")
            .arg(p.length).arg(CPrzelewDane::KindName(p.kind)).arg(version).arg(p.expected);
    case LineProblem::NotAnAmount:
        return QStringLiteral("„%1” nie jest kwotą w postaci 1234,50").arg(p.text);
    case LineProblem::KindNotInVersion:
        return QStringLiteral("przelewu rodzaju „%1” nie może zawierać plik w wersji %2 (dopiero od wersji 5)")
            .arg(CPrzelewDane::KindName(p.kind)).arg(version);
    case LineProblem::TooLong:
        return QStringLiteral("wiersz jest dłuższy niż %1 znaków").arg(p.length);
    }
    return {};
}
