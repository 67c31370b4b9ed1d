#include "edit/ConfirmOrder.h"

#include "base/UserDialogs.h"
#include "edit/ContainerDlg.h"
#include "model/PrzelewDane.h"

OrderConfirmation confirmOrderInDialog(CPrzelewDane &order, const AllSettings &settings,
                                       const RegisterLocation &where)
{
    CContainerDlg dialog(order, settings, where, nullptr, CContainerDlg::Use::Confirm);
    dialog.ShowPage(CContainerDlg::kindNumberOf(order.kind));
    return execDialog(dialog) == QDialog::Accepted ? OrderConfirmation::Confirmed : OrderConfirmation::Refused;
}
