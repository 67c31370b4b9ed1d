#include "register/DefaultSender.h"

#include "register/KontrahenciSet.h"

CDefaultSender lookupDefaultSender(const RegisterLocation &where)
{
    CDefaultSender out;
    CKontrahenciSet set(where);
    set.m_strFilter = QStringLiteral("KH_Typ=3 AND KH_Domyslny=True");
    set.Open();
    if (set.GetRecordCount() > 0) {
        set.MoveFirst();
        out.found = true;
        out.name1 = set.m_Kh_Nazwa1;
        out.name2 = set.m_Kh_Nazwa2;
        out.account = set.accountText();
    }
    set.Close();
    return out;
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
