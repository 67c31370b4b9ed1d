// Feeds arbitrary bytes to the order file reader and checks that every order
// it accepts is written back to a line the reader accepts again.

#include "model/Cp1250.h"
#include "model/Import.h"

#include <QBuffer>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QBuffer buffer;
    buffer.setData(reinterpret_cast<const char *>(data), qsizetype(size));
    buffer.open(QIODevice::ReadOnly);
    CImport reader;
    reader.OpenDevice(&buffer);
    CPrzelewDane order;
    for (int i = 0; i < 100000; ++i) {
        const CImport::ReadResult r = reader.ReadRecord(order);
        if (r == CImport::EndOfFile || r == CImport::OldFormat)
            break;
        if (r != CImport::RecordRead)
            continue;
        QByteArray line;
        if (!CImport::FormatRecord(order, reader.version(), line, nullptr))
            continue; // e.g. an amount too large for twenty columns is refused, not mangled
        CPrzelewDane again;
        if (CImport::ParseLine(Cp1250::decode(line), reader.version(), again) != CImport::RecordRead)
            std::abort();
        if (again.amount != order.amount || again.kind != order.kind)
            std::abort();
    }
    return 0;
}
