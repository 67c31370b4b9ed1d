// Feeds arbitrary bytes to the ZUS export reader; every order it produces
// must fit the order file's columns.

#include "import/ZUSImport.h"
#include "model/Import.h"

#include <QBuffer>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QBuffer buffer;
    buffer.setData(reinterpret_cast<const char *>(data), qsizetype(size));
    buffer.open(QIODevice::ReadOnly);
    CZUSImport reader;
    reader.OpenDevice(&buffer);
    CPrzelewDane order;
    for (int i = 0; i < 100000; ++i) {
        const CZUSImport::ReadResult r = reader.ReadNext(order);
        if (r == CZUSImport::End)
            break;
        if (r != CZUSImport::Read)
            continue;
        QByteArray line;
        if (!CImport::FormatRecord(order, 5, line, nullptr))
            std::abort();
    }
    return 0;
}
