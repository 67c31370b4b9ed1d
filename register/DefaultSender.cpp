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
    CKontrahenciSet set(where);
    set.m_strFilter = QStringLiteral("KH_Typ=3");
    set.m_strSort = QStringLiteral("[KH_Nazwa1]");
    set.Open();
    qsizetype defaults = 0;
    for (set.MoveFirst(); !set.IsEOF(); set.MoveNext()) {
        const CDefaultSender sender {true, set.m_Kh_Nazwa1, set.m_Kh_Nazwa2, set.accountText()};
        if (set.m_Kh_Domyslny)
            senders.insert(defaults++, sender);
        else
            senders.append(sender);
    }
    set.Close();
    return senders;
}
