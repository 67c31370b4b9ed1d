#include "model/Import.h"

#include "model/Cp1250.h"
#include "model/OrderFields.h"
#include "model/OrderText.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <span>

namespace {

using OrderFields::Column;
using OrderFields::Trim;

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
        for (const Column &c : OrderFields::headColumns())
            if (!appendPadded(line, *OrderFields::textOf(r, c.field), c.width, c, error))
                return false;
    }
    for (const Column &c : OrderFields::bodyColumns(r.kind, version)) {
        switch (c.field) {
        case OrderField::TransferFlag:
            line.append(r.isTransfer ? 'P' : 'W');
            break;
        case OrderField::IdType:
            line.append(char(CPrzelewDane::IdTypeLetter(r.idType).unicode()));
            break;
        case OrderField::PaymentType:
            line.append(char(CPrzelewDane::PaymentTypeLetter(r.paymentType).unicode()));
            break;
        case OrderField::ZusAccountType:
            if (r.zusAccountType < 0 || r.zusAccountType > 9) {
                if (error)
                    *error = QStringLiteral("Nieprawidłowy typ rachunku ZUS: %1").arg(r.zusAccountType);
                return false;
            }
            line.append(char('0' + r.zusAccountType));
            break;
        case OrderField::Amount: {
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
        case OrderField::Date:
            if (!appendPadded(line, r.date.toIsoText(), c.width, c, error))
                return false;
            break;
        default:
            if (!appendPadded(line, *OrderFields::textOf(r, c.field), c.width, c, error))
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
        for (const Column &c : OrderFields::headColumns()) {
            *OrderFields::textOf(target, c.field) = rest.left(c.width).toString();
            rest = rest.mid(c.width);
        }
    }
    const std::span<const Column> columns = OrderFields::bodyColumns(kind, version);
    const int bodyLength = OrderFields::lengthOf(columns);
    if (rest.size() != bodyLength) {
        why.reason = LineProblem::WrongLength;
        why.kind = kind;
        why.length = line.size();
        why.expected = line.size() - rest.size() + bodyLength;
        return RecordRejected;
    }

    qsizetype pos = 0;
    for (const Column &c : columns) {
        const QStringView raw = rest.mid(pos, c.width);
        const QStringView value = c.read == Trim ? trimC(raw) : raw;
        pos += c.width;
        switch (c.field) {
        case OrderField::TransferFlag:
            target.isTransfer = (raw[0] == u'P' || raw[0] == u'p') ? 1 : 0;
            if (remarks && !QStringView(u"PpWw").contains(raw[0]))
                remarks->unknownFlag = raw[0];
            break;
        case OrderField::IdType:
            target.idType = CPrzelewDane::IdTypeFromLetter(raw[0]);
            break;
        case OrderField::PaymentType:
            target.paymentType = CPrzelewDane::PaymentTypeFromLetter(raw[0]);
            break;
        case OrderField::ZusAccountType: {
            target.zusAccountType = (raw[0] >= u'0' && raw[0] <= u'9') ? raw[0].unicode() - u'0' : 0;
            const QString account = CPrzelewDane::ZusAccount(target.zusAccountType);
            target.checkDigits = account.left(2);
            target.bankNumber = account.mid(2, 8);
            target.accountRest = account.mid(10);
            break;
        }
        case OrderField::Amount: {
            CWexOleCurrency amount;
            if (!amount.fromText(value)) {
                why.reason = LineProblem::NotAnAmount;
                why.text = value.toString();
                return RecordRejected;
            }
            target.amount = amount;
            break;
        }
        case OrderField::Date:
            target.date = parseDate(value);
            if (remarks && !value.isEmpty() && !isIsoDate(value))
                remarks->unreadDate = value.toString();
            break;
        default:
            *OrderFields::textOf(target, c.field) = value.toString();
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
