// Feeds arbitrary bytes to the DBF reader and reads every field it accepts.
#include "import/DbfTable.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    CDbfTable table;
    if (!table.parse(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size))))
        return 0;
    for (qsizetype row = 0; row < table.recordCount(); ++row) {
        if (table.isDeleted(row))
            continue;
        for (int col = 0; col < table.columns().size(); ++col)
            (void)table.value(row, col);
    }
    (void)table.columnIndex(u"FI_NAZWA");
    return 0;
}
