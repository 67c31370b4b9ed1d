#include "app/RegisterCommands.h"

#include "base/AppIdentity.h"

#include "import/HopDlg.h"
#include "register/KontrahenciSet.h"
#include "register/ListaKontrDlg.h"

#include <QMessageBox>

namespace {

void reportError(QWidget *parent, const CRegisterError &e)
{
    QMessageBox::critical(parent, programTitle(), e.message());
}

void manage(QWidget *parent, const RegisterLocation &where, bool recipients, const char *placement)
{
    CKontrahenciSet set(where);
    try {
        set.m_strSort = QStringLiteral("[KH_Nazwa1]");
        set.Open();
    } catch (const CRegisterError &e) {
        reportError(parent, e);
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
            reportError(parent, e);
        return {};
    }
}

std::optional<CPickedParty> pickParty(QWidget *parent, const RegisterLocation &where, bool recipients,
                                     int initialKinds)
{
    CKontrahenciSet set(where);
    try {
        set.Open();
    } catch (const CRegisterError &e) {
        reportError(parent, e);
        return std::nullopt;
    }
    CListaKontrDlg dlg(recipients, false, recipients ? initialKinds : int(CListaKontrDlg::AllKinds), parent);
    dlg.setSet(&set);
    if (dlg.exec() != QDialog::Accepted || !set.IsOpen() || set.GetAbsolutePosition() < 0)
        return std::nullopt;
    return CPickedParty {set.m_Kh_Nazwa1, set.m_Kh_Nazwa2, set.m_Kh_LiczbaKontrolna, set.m_Kh_BankOdbiorcy,
                         set.m_Kh_Rachunek, set.accountText()};
}
