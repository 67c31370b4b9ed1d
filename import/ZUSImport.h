#pragma once
// Reads the ZUS payer program's export: one ZUS transfer per comma-separated
// line, taken byte for byte in Windows-1250.

#include "model/LineReader.h"
#include "model/PrzelewDane.h"

#include <QFile>
#include <QIODevice>
#include <memory>

class CZUSImport
{
public:
    enum ReadResult { Read = 0, Rejected = 1, End = 2 };

    bool Open(const QString &path);
    // Reads from a device that is already open and outlives this object.
    void OpenDevice(QIODevice *device);
    void Close();

    // Resets `order` to a ZUS transfer and fills it from the next line; at
    // the end of the file the order is left untouched.
    ReadResult ReadNext(CPrzelewDane &order);
    // Fills `order` from one line (without its end).
    static ReadResult ParseLine(QStringView line, CPrzelewDane &order);

private:
    std::unique_ptr<QFile> m_file;
    CLineReader m_reader;
};
