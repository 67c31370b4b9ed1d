#include "register/PartyPick.h"

#include "base/UserDialogs.h"
#include "register/PartyStore.h"
#include "register/ListaKontrDlg.h"

void reportRegisterError(QWidget *parent, const CRegisterError &e)
{
    showError(parent, e.message());
}

std::optional<CPickedParty> pickParty(QWidget *parent, const RegisterLocation &where, bool recipients,
                                     int initialKinds)
{
    std::unique_ptr<PartyStore> store;
    try {
        store = PartyStore::open(where);
    } catch (const CRegisterError &e) {
        reportRegisterError(parent, e);
        return std::nullopt;
    }
    CListaKontrDlg dlg(recipients, false, recipients ? initialKinds : int(CListaKontrDlg::AllKinds), parent);
    dlg.setStore(store.get());
    if (execDialog(dlg) != QDialog::Accepted || !dlg.picked())
        return std::nullopt;
    const Party &p = *dlg.picked();
    return CPickedParty {p.name1, p.name2, p.check, p.bank, p.account, p.accountText()};
}
