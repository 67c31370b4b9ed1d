#include "register/DefaultSender.h"

#include "register/PartyStore.h"

CDefaultSender lookupDefaultSender(const RegisterLocation &where)
{
    const std::optional<Party> p = PartyStore::open(where)->defaultSender();
    if (!p)
        return {};
    return {true, p->name1, p->name2, p->accountText()};
}
