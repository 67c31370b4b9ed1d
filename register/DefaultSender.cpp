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
