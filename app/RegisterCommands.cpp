#include "app/RegisterCommands.h"

#include "import/HopDlg.h"
#include "register/PartyStore.h"
#include "register/ListaKontrDlg.h"

namespace {

void manage(QWidget *parent, const RegisterLocation &where, bool recipients, const char *placement)
{
    std::unique_ptr<PartyStore> store;
    try {
        store = PartyStore::open(where);
    } catch (const CRegisterError &e) {
        reportRegisterError(parent, e);
        return;
    }
    CListaKontrDlg dlg(recipients, true, CListaKontrDlg::AllKinds, parent);
    dlg.setStore(store.get());
    dlg.setSort(PartySort::Name);
    dlg.setPlacementName(QLatin1String(placement));
    dlg.exec();
}

} // namespace

void showRecipientsDialog(QWidget *parent, const RegisterLocation &where)
{
    manage(parent, where, true, "KontrahenciDlg");
}

void showSendersDialog(QWidget *parent, const RegisterLocation &where)
{
    manage(parent, where, false, "NadawcyDlg");
}

void showDosImportDialog(QWidget *parent, const RegisterLocation &where)
{
    CHopDlg dlg(where, parent);
    dlg.exec();
}

CDefaultSender lookupDefaultSenderOrReport(QWidget *parent, const RegisterLocation &where)
{
    try {
        return lookupDefaultSender(where);
    } catch (const CRegisterError &e) {
        if (parent)
            reportRegisterError(parent, e);
        return {};
    }
}
