#pragma once
// A FoxPro 2.6 / dBase III table (one .dbf file) held in memory, read-only.
// Character, numeric, date and logical columns come out as text; character
// data decoded by the table's code-page mark. A damaged or truncated file is
// refused or read up to its last complete row, never read past its end.

#include <QByteArray>
#include <QString>
#include <QVector>

class CDbfTable
{
public:
    struct Column
    {
        QString name;       // upper case as stored
        char type = 'C';
        int offset = 0;     // from the start of the record (after the deletion mark)
        int length = 0;
    };

    // Reads and checks the file; on failure gives false and a reason.
    bool open(const QString &path, QString *error = nullptr);
    bool parse(QByteArray data, QString *error = nullptr);

    const QVector<Column> &columns() const { return m_columns; }
    // Index of a column named in any case, or -1.
    int columnIndex(QStringView name) const;
    // Complete records in the file, deleted ones included.
    qsizetype recordCount() const { return m_records; }
    bool isDeleted(qsizetype record) const;
    // The text of one field: character data without trailing blanks, numbers
    // trimmed, dates as dd.MM.yyyy, logicals as T or F, memos empty.
    QString value(qsizetype record, int column) const;
    int codePage() const { return m_codePage; }

    // The path of `name` (".dbf" appended) in `folder`, letter case ignored;
    // empty when there is none.
    static QString findTable(const QString &folder, const QString &name);
    // An entry of `folder` named `name` in any letter case, or empty.
    static QString findEntry(const QString &folder, const QString &name);

private:
    const char *record(qsizetype i) const;

    QByteArray m_data;
    QVector<Column> m_columns;
    qsizetype m_records = 0;
    int m_headerLength = 0;
    int m_recordLength = 0;
    int m_codePage = 852;
};
