#include "register/RegisterCopy.h"

#include "register/PolishCollation.h"

#include <QSet>

namespace {

QByteArray identity(const Party &p)
{
    return PolishCollation::key(p.name1) + ' ' + QByteArray::number(p.kind);
}

} // namespace

QString RegisterCopyResult::summary() const
{
    return QStringLiteral("Skopiowano na serwer: %1.\nByło już na serwerze: %2.").arg(copied).arg(present);
}

RegisterCopyResult copyRegister(PartyStore &from, PartyStore &to)
{
    const std::vector<Party> source = from.list({}, PartySort::Natural);
    RegisterCopyResult result;
    PartyStore::Transaction transaction(to);
    QSet<QByteArray> there;
    for (const Party &p : to.list({}, PartySort::Natural))
        there.insert(identity(p));
    bool hasDefault = to.defaultSender().has_value();
    for (Party p : source) {
        if (there.contains(identity(p))) {
            ++result.present;
            continue;
        }
        p.id = 0;
        p.version = 0;
        if (p.isDefault && p.kind == TypNadawca) {
            p.isDefault = !hasDefault;
            hasDefault = true;
        }
        to.add(p);
        there.insert(identity(p));
        ++result.copied;
    }
    transaction.commit();
    return result;
}
