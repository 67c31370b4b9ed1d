#include "app/ZusImportCommand.h"

#include "import/ZUSImport.h"

std::optional<std::vector<CPrzelewDane>> readZusTransfers(const QString &path)
{
    CZUSImport reader;
    if (!reader.Open(path))
        return std::nullopt;
    std::vector<CPrzelewDane> orders;
    CPrzelewDane order;
    for (;;) {
        const CZUSImport::ReadResult result = reader.ReadNext(order);
        if (result == CZUSImport::End)
            break;
        if (result == CZUSImport::Read)
            orders.push_back(order);
    }
    reader.Close();
    return orders;
}
