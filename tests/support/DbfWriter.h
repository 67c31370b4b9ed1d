#pragma once
// Builds FoxPro 2.6 (dBase III layout) tables for the tests, text encoded in
// the code page the table's mark names.

#include "import/DosCodePages.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QVector>

struct DbfColumn
{
    QString name;
    char type = 'C';
    int length = 40;
};

inline QByteArray encodeDos(const QString &text, int codePage)
{
    QByteArray out;
    for (QChar c : text) {
        char byte = '?';
        for (int b = 0; b < 256; ++b) {
            const char candidate = char(b);
            if (DosCodePages::decode(&candidate, 1, codePage)[0] == c) {
                byte = candidate;
                break;
            }
        }
        out += byte;
    }
    return out;
}

// rows: one value per column; a row whose first value is "*DEL*" is written
// as a deleted record (with the remaining values).
inline QByteArray buildDbf(const QVector<DbfColumn> &cols, const QVector<QStringList> &rows,
                           unsigned char mark = 0x64, int codePage = 852)
{
    int recordLength = 1;
    for (const auto &c : cols)
        recordLength += c.length;
    const int headerLength = 32 + 32 * int(cols.size()) + 1;
    QByteArray d(32, '\0');
    d[0] = 0x03;
    d[1] = 95; d[2] = 1; d[3] = 1;
    const quint32 n = quint32(rows.size());
    for (int i = 0; i < 4; ++i)
        d[4 + i] = char((n >> (8 * i)) & 0xFF);
    d[8] = char(headerLength & 0xFF); d[9] = char(headerLength >> 8);
    d[10] = char(recordLength & 0xFF); d[11] = char(recordLength >> 8);
    d[29] = char(mark);
    for (const auto &c : cols) {
        QByteArray desc(32, '\0');
        const QByteArray name = c.name.toLatin1().left(10);
        desc.replace(0, name.size(), name);
        desc[11] = c.type;
        desc[16] = char(c.length);
        d += desc;
    }
    d += char(0x0D);
    for (QStringList row : rows) {
        QByteArray rec(1, ' ');
        if (!row.isEmpty() && row[0] == QLatin1String("*DEL*")) {
            rec[0] = '*';
            row.removeFirst();
        }
        for (int i = 0; i < cols.size(); ++i) {
            QByteArray v = encodeDos(i < row.size() ? row[i] : QString(), codePage).left(cols[i].length);
            if (cols[i].type == 'N')
                v = v.rightJustified(cols[i].length, ' ');
            else
                v = v.leftJustified(cols[i].length, ' ');
            rec += v;
        }
        d += rec;
    }
    d += char(0x1A);
    return d;
}

inline void writeDbf(const QString &folder, const QString &table, const QVector<DbfColumn> &cols,
                     const QVector<QStringList> &rows)
{
    QDir().mkpath(folder);
    QFile f(folder + u'/' + table + QStringLiteral(".DBF"));
    if (f.open(QIODevice::WriteOnly))
        f.write(buildDbf(cols, rows));
}

// Columns given as names, all character columns.
inline QVector<DbfColumn> charCols(const QStringList &names, int length = 60)
{
    QVector<DbfColumn> out;
    for (const auto &n : names)
        out.push_back({n, 'C', length});
    return out;
}
