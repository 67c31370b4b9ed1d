#include "register/DefaultSender.h"

#include "register/PartyStore.h"

CDefaultSender lookupDefaultSender(const RegisterLocation &where)
{
    const std::optional<Party> p = PartyStore::open(where)->defaultSender();
    if (!p)
        return {};
    return {true, p->name1, p->name2, p->accountText()};
}

QList<CDefaultSender> listSenders(const RegisterLocation &where)
{
    QList<CDefaultSender> senders;
    qsizetype defaults = 0;
    for (const Party &p : PartyStore::open(where)->list(PartyFilter::senders(), PartySort::Name)) {
        const CDefaultSender sender {true, p.name1, p.name2, p.accountText()};
        if (p.isDefault)
            senders.insert(defaults++, sender);
        else
            senders.append(sender);
    }
    return senders;
}
