#pragma once
// The details dialog opened on an order, as the edit tests use it: realistic
// orders of the three kinds (Polish letters, long names) and the dialog shown
// on the order's own page, with the record and settings it works on.

#include "RegisterTestEnv.h"

#include "edit/ContainerDlg.h"
#include "edit/DetailsDlg.h"
#include "edit/TaxDetailsDlg.h"
#include "edit/ZUSDetailsDlg.h"
#include "model/PrzelewDane.h"

#include <QTest>
#include <memory>

inline CPrzelewDane ordinaryOrder()
{
    CPrzelewDane r;
    r.SetKind(KindOrdinary, COrderDate::fromParts(2026, 12, 8));
    r.recipient1 = QStringLiteral("Przedsiębiorstwo Wodociągów");
    r.recipient2 = QStringLiteral("ul. Źródlana 15/3, Gdańsk");
    r.checkDigits = QStringLiteral("12");
    r.bankNumber = QStringLiteral("10201026");
    r.accountRest = QStringLiteral("0000120201234567");
    r.senderAccount = QStringLiteral("48-10901014-0000000123456789");
    r.sender1 = QStringLiteral("Zofia Brzęczyszczykiewicz");
    r.sender2 = QStringLiteral("ul. Łąkowa 7, Bełchatów");
    r.title1 = QStringLiteral("Faktura VAT nr 1234/12/2026 za wodę");
    r.title2 = QStringLiteral("i odprowadzanie ścieków, listopad");
    r.amount = CWexOleCurrency::fromUnits(1234, 5600);
    return r;
}

inline CPrzelewDane zusOrder()
{
    CPrzelewDane r;
    r.SetKind(KindZus, COrderDate::fromParts(2026, 12, 8));
    r.zusAccountType = 1;
    r.SetZUSTitle(1);
    r.sender1 = QStringLiteral("Przedsiębiorstwo Handlowo-Usługowe");
    r.sender2 = QStringLiteral("„Żółw” Grzegorz Brzęczyszczykiewicz");
    r.senderAccount = QStringLiteral("48109010140000000123456789");
    r.payerId = QStringLiteral("5261040828");
    r.idType = 1;
    r.supplementaryId = QStringLiteral("85010112345");
    r.paymentType = 0;
    r.declaration = QStringLiteral("112026");
    r.declarationNo = QStringLiteral("01");
    r.amount = CWexOleCurrency::fromUnits(1543, 2100);
    return r;
}

inline CPrzelewDane taxOrder()
{
    CPrzelewDane r;
    r.SetKind(KindTax, COrderDate::fromParts(2026, 12, 8));
    r.recipient1 = QStringLiteral("Drugi Urząd Skarbowy Łódź-Bałuty");
    r.recipient2 = QStringLiteral("ul. Świętej Teresy 105, 91-341 Łódź");
    r.checkDigits = QStringLiteral("09");
    r.bankNumber = QStringLiteral("10101371");
    r.accountRest = QStringLiteral("0024142221000000");
    r.senderAccount = QStringLiteral("48109010140000000123456789");
    r.sender1 = QStringLiteral("Małgorzata Wiśniewska-Jędrzejczak");
    r.sender2 = QStringLiteral("ul. Źródlana 15/3, 91-001 Łódź");
    r.payerId = QStringLiteral("7251234567");
    r.idType = 4;
    r.taxPeriod = QStringLiteral("26M11");
    r.taxFormSymbol = QStringLiteral("VAT7");
    r.obligationId = QStringLiteral("zaległość 2026");
    r.amount = CWexOleCurrency::fromUnits(2480, 0);
    return r;
}

inline CPrzelewDane orderOfKind(int kind)
{
    return kind == KindZus ? zusOrder() : kind == KindTax ? taxOrder() : ordinaryOrder();
}

// The dialog on a copy of `order` (its record is `rec`), shown on the order's
// page; `fitInBox` is the boxes setting of all three forms.
struct DetailsDialog
{
    AllSettings settings;
    CPrzelewDane rec;
    std::unique_ptr<CContainerDlg> dlg;

    explicit DetailsDialog(const CPrzelewDane &order = ordinaryOrder(), int fitInBox = 0,
                           const RegisterLocation &where = testRegister())
        : rec(order)
    {
        for (FormKind form : {FormKind::Ordinary, FormKind::Zus, FormKind::Tax})
            settings.forKind(form).fitInBox = fitInBox;
        dlg = std::make_unique<CContainerDlg>(rec, settings, where);
        dlg->ShowPage(CContainerDlg::kindNumberOf(order.kind));
        dlg->show();
        dlg->activateWindow();
    }
    bool ready() { return QTest::qWaitForWindowActive(dlg.get()); }
    CDetailsPage *page() const { return dlg->currentPage(); }
    CDetailsDlg *ordinary() const { return dlg->ordinaryPage(); }
    CZUSDetailsDlg *zus() const { return dlg->zusPage(); }
    CTaxDetailsDlg *tax() const { return dlg->taxPage(); }
};
