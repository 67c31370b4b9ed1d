#include "edit/DetailsDlg.h"

#include "controls/WarningMark.h"
#include "edit/PageGrid.h"
#include "model/PrzelewDane.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

namespace {

// Kind bits of the recipient list: counterparties and employees, not tax offices.
constexpr int kRecipientKinds = 3;

} // namespace

CDetailsDlg::CDetailsDlg(const CPageContext &context, QWidget *parent)
    : CDetailsPage(context, FormKind::Ordinary, "CDetailsDlg", parent)
{
    makeRecipientFields("recipient1", "pickRecipient", "recipient2", kRecipientKinds);
    makeMoneyFields(false);
    makeSenderFields("senderAccount", "sender1", "pickSender", "sender2");
    m_title1 = makeOrderEdit(this, "title1");
    m_title2 = makeOrderEdit(this, "title2");
    makeSymbolField();
    m_recipientAccountMark = makeAccountMark(this, {m_check, m_bank, m_rest});
    m_senderAccountMark = makeSenderAccountMark(this, m_senderAccount, m_deposit);

    CPageGrid grid(this);
    grid.addRow("Nazwa &odbiorcy:", m_recipient1, m_pickRecipient);
    grid.addRow("Nazwa odb&iorcy cd.:", m_recipient2);
    grid.addLine(makeAccountLine(this, "Nr &banku odbiorcy:", "Nr &rach. odbiorcy:", m_check, m_bank, m_rest,
                                 m_recipientAccountMark));
    grid.addLine(makeMoneyLine(this, m_deposit, m_transfer, m_currency, m_amount, m_date));
    grid.addRow("Nr rac&h. nadawcy:", m_senderAccount, m_senderAccountMark);
    grid.addRow("Nazwa &nadawcy:", m_sender1, m_pickSender);
    grid.addRow("Nazwa nadaw&cy cd:", m_sender2);
    grid.addRow("&Tytułem:", m_title1);
    grid.addRow("T&ytułem cd:", m_title2);
    grid.addFields("Sy&mbol:", {m_symbol});
    grid.finish();

    addSteps();
    finishPage(m_recipient1);
}

QString CDetailsDlg::pageTitle() const
{
    return QStringLiteral("Szczegóły przelewu");
}

void CDetailsDlg::addSteps()
{
    recipientPageSteps();
    textStep(m_title1, OrderField::Title1);
    textStep(m_title2, OrderField::Title2);
    textStep(m_currency, OrderField::Currency);
    transferFlagStep();
    textStep(m_symbol, OrderField::Symbol);
}
