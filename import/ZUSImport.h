#pragma once
// Reads the ZUS payer program's export: one ZUS transfer per comma-separated
// line, taken byte for byte in Windows-1250.

#include "model/LineReader.h"
#include "model/PrzelewDane.h"

#include <QDate>
#include <QFile>
#include <QIODevice>
#include <QStringList>
#include <memory>
#include <vector>

// What reading a whole export gave: the transfers, and the ones whose texts
// had to be shortened (or, for a NIP, reduced to its digits) to fit the order.
struct ZusReadOutcome
{
    struct Shortened
    {
        int line;           // from 1
        QString payer;      // the payer's name as imported
        QStringList fields; // the names of the fields changed
    };
    std::vector<CPrzelewDane> orders;
    std::vector<Shortened> shortened;
    // Transfers to the fund accounts ZUS closed (they print as before), and
    // since when they are closed.
    int toClosedAccounts = 0;
    QDate closedSince;
    // The file could not be read to its end: no transfer is kept.
    bool readFailed = false;
};

class CZUSImport
{
public:
    enum ReadResult { Read = 0, Rejected = 1, End = 2 };

    bool Open(const QString &path);
    // Reads from a device that is already open and outlives this object.
    void OpenDevice(QIODevice *device);
    void Close();

    // Resets `order` to a ZUS transfer and fills it from the next line; at
    // the end of the file the order is left untouched. A read error ends the
    // file too; readFailed() tells it apart. `shortened` receives the names
    // of the fields whose text was changed to fit.
    ReadResult ReadNext(CPrzelewDane &order, QStringList *shortened = nullptr);
    // Every remaining line; on a read error nothing is kept.
    ZusReadOutcome ReadAll();
    bool readFailed() const { return m_readFailed; }
    // The number (from 1) of the line the last ReadNext came from.
    int lineNumber() const { return m_lineNumber; }

    // Fills `order` from one line (without its end). A NIP is ten digits:
    // separators are dropped ("526-025-09-95" gives 5260250995). Other texts
    // are cut to the order's widths so the order can always be saved.
    static ReadResult ParseLine(QStringView line, CPrzelewDane &order, QStringList *shortened = nullptr);

private:
    std::unique_ptr<QFile> m_file;
    CLineReader m_reader;
    bool m_readFailed = false;
    int m_lineNumber = 0;
};
