#include "app/RegisterCommands.h"

#include "import/HopDlg.h"
#include "register/KontrahenciSet.h"
#include "register/ListaKontrDlg.h"

namespace {

void manage(QWidget *parent, const RegisterLocation &where, bool recipients, const char *placement)
{
    CKontrahenciSet set(where);
    try {
        set.m_strSort = QStringLiteral("[KH_Nazwa1]");
        set.Open();
    } catch (const CRegisterError &e) {
        reportRegisterError(parent, e);
        return;
    }
    CListaKontrDlg dlg(recipients, true, CListaKontrDlg::AllKinds, parent);
    dlg.setSet(&set);
    dlg.setPlacementName(QLatin1String(placement));
    dlg.exec();
    set.Close();
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
    CKontrahenciSet target(where);
    CHopDlg dlg(target, parent);
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
