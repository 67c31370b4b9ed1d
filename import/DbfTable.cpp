#include "import/DbfTable.h"

#include "import/DosCodePages.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr int HeaderSize = 32;
constexpr int DescriptorSize = 32;
constexpr char DescriptorEnd = 0x0D;
constexpr int MaxColumnName = 10;

unsigned u8(const QByteArray &d, int at) { return static_cast<unsigned char>(d[at]); }
unsigned u16(const QByteArray &d, int at) { return u8(d, at) | u8(d, at + 1) << 8; }
quint32 u32(const QByteArray &d, int at) { return u16(d, at) | quint32(u16(d, at + 2)) << 16; }

bool fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

} // namespace

bool CDbfTable::open(const QString &path, QString *error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return fail(error, f.errorString());
    QByteArray data = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return fail(error, f.errorString());
    return parse(std::move(data), error);
}

bool CDbfTable::parse(QByteArray data, QString *error)
{
    m_data = std::move(data);
    m_columns.clear();
    m_records = 0;
    if (m_data.size() < HeaderSize + 1)
        return fail(error, QStringLiteral("plik jest za krótki"));
    const quint32 declared = u32(m_data, 4);
    m_headerLength = int(u16(m_data, 8));
    m_recordLength = int(u16(m_data, 10));
    m_codePage = DosCodePages::codePageForMark(static_cast<unsigned char>(m_data[29]));
    if (m_headerLength > m_data.size() || m_headerLength < HeaderSize + 1 || m_recordLength < 1)
        return fail(error, QStringLiteral("uszkodzony nagłówek"));

    int next = 1;   // byte 0 of a record is its deletion mark
    for (int at = HeaderSize; at + DescriptorSize <= m_headerLength && m_data[at] != DescriptorEnd;
         at += DescriptorSize) {
        Column c;
        int n = 0;
        while (n < 11 && m_data[at + n] != '\0')
            ++n;
        c.name = QString::fromLatin1(m_data.constData() + at, n).trimmed().toUpper();
        c.type = char(QChar::fromLatin1(m_data[at + 11]).toUpper().toLatin1());
        c.length = int(u8(m_data, at + 16));
        c.offset = next;
        next += c.length;
        if (next > m_recordLength)
            return fail(error, QStringLiteral("pola nie mieszczą się w rekordzie"));
        m_columns.push_back(c);
    }
    if (m_columns.isEmpty())
        return fail(error, QStringLiteral("tabela bez kolumn"));
    const qsizetype complete = (m_data.size() - m_headerLength) / m_recordLength;
    m_records = std::min<qsizetype>(complete, qsizetype(declared));
    return true;
}

int CDbfTable::columnIndex(QStringView name) const
{
    // A stored column name has at most 10 characters; a longer name asked
    // for (PC_NRLOKALU) means the column it was cut to when the table was made.
    name = name.left(MaxColumnName);
    for (int i = 0; i < m_columns.size(); ++i)
        if (name.compare(m_columns[i].name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

const char *CDbfTable::record(qsizetype i) const
{
    return m_data.constData() + m_headerLength + i * m_recordLength;
}

bool CDbfTable::isDeleted(qsizetype i) const
{
    return record(i)[0] == '*';
}

QString CDbfTable::value(qsizetype i, int column) const
{
    const Column &c = m_columns[column];
    const char *p = record(i) + c.offset;
    int n = c.length;
    switch (c.type) {
    case 'C': {
        while (n > 0 && (p[n - 1] == ' ' || p[n - 1] == '\0'))
            --n;
        return DosCodePages::decode(p, n, m_codePage);
    }
    case 'D': {
        const QString raw = QString::fromLatin1(p, n).trimmed();
        const QDate d = QDate::fromString(raw, QStringLiteral("yyyyMMdd"));
        return d.isValid() ? d.toString(QStringLiteral("dd.MM.yyyy")) : QString();
    }
    case 'L':
        switch (p[0]) {
        case 'T': case 't': case 'Y': case 'y': return QStringLiteral("T");
        case 'F': case 'f': case 'N': case 'n': return QStringLiteral("F");
        default: return QString();
        }
    case 'M': case 'G': case 'P':
        return QString();   // memo contents live in another file, which is not read
    default:
        return DosCodePages::decode(p, n, m_codePage).trimmed();
    }
}

QString CDbfTable::findEntry(const QString &folder, const QString &name)
{
    const QDir dir(folder);
    if (dir.exists(name))
        return dir.filePath(name);
    const QStringList entries = dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    for (const QString &e : entries)
        if (e.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(e);
    return {};
}

QString CDbfTable::findTable(const QString &folder, const QString &name)
{
    const QString path = findEntry(folder, name + QStringLiteral(".dbf"));
    return QFileInfo(path).isFile() ? path : QString();
}
