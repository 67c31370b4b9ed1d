#include "app/ZusImportCommand.h"

#include "base/Messages.h"

namespace {
// More than this many shortened transfers are summed up in one line.
constexpr size_t kListedShortened = 10;
}

std::optional<ZusReadOutcome> readZusTransfers(const QString &path)
{
    CZUSImport reader;
    if (!reader.Open(path))
        return std::nullopt;
    ZusReadOutcome outcome = reader.ReadAll();
    reader.Close();
    return outcome;
}

QString zusImportMessage(const ZusReadOutcome &outcome)
{
    QStringList lines {Msg::text(Msg::ImportedCount).arg(int(outcome.orders.size()))};
    if (!outcome.shortened.empty()) {
        lines << QString() << Msg::shortenedCount(int(outcome.shortened.size()));
        for (size_t i = 0; i < outcome.shortened.size() && i < kListedShortened; ++i) {
            const ZusReadOutcome::Shortened &s = outcome.shortened[i];
            lines << Msg::shortenedOrder(s.line, s.payer, s.fields.join(QStringLiteral(", ")));
        }
        if (outcome.shortened.size() > kListedShortened)
            lines << Msg::moreOrders(int(outcome.shortened.size() - kListedShortened));
    }
    if (outcome.toClosedAccounts > 0)
        lines << QString() << Msg::toClosedZusAccounts(outcome.toClosedAccounts, outcome.closedSince);
    return lines.join(u'\n');
}
