#include "register/PartyPick.h"

#include "base/AppIdentity.h"
#include "register/KontrahenciSet.h"
#include "register/ListaKontrDlg.h"

#include <QMessageBox>

void reportRegisterError(QWidget *parent, const CRegisterError &e)
{
    QMessageBox::critical(parent, programTitle(), e.message());
}

std::optional<CPickedParty> pickParty(QWidget *parent, const RegisterLocation &where, bool recipients,
                                     int initialKinds)
{
    CKontrahenciSet set(where);
    try {
        set.Open();
    } catch (const CRegisterError &e) {
        reportRegisterError(parent, e);
        return std::nullopt;
    }
    CListaKontrDlg dlg(recipients, false, recipients ? initialKinds : int(CListaKontrDlg::AllKinds), parent);
    dlg.setSet(&set);
    if (dlg.exec() != QDialog::Accepted || !set.IsOpen() || set.GetAbsolutePosition() < 0)
        return std::nullopt;
    return CPickedParty {set.m_Kh_Nazwa1, set.m_Kh_Nazwa2, set.m_Kh_LiczbaKontrolna, set.m_Kh_BankOdbiorcy,
                         set.m_Kh_Rachunek, set.accountText()};
}
