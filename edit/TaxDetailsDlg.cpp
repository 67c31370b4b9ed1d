#include "edit/TaxDetailsDlg.h"

#include "controls/TypedInput.h"
#include "controls/WarningMark.h"
#include "edit/PageGrid.h"
#include "model/PaymentWarnings.h"
#include "model/PrzelewDane.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using namespace PageRules;

namespace {

// Kind bits of the recipient list: tax offices only.
constexpr int kOfficeKinds = 4;

} // namespace

CTaxDetailsDlg::CTaxDetailsDlg(const CPageContext &context, QWidget *parent)
    : CDetailsPage(context, FormKind::Tax, "CTaxDetailsDlg", parent), m_formSymbols(Tax::formSymbols())
{
    makeRecipientFields("office1", "pickOffice", "office2", kOfficeKinds);
    makeMoneyFields(true);
    makeSenderFields("senderAccount", "sender1", "pickSender", "sender2");
    m_payerId = makeOrderEdit(this, "payerId", 14);
    m_idType = makeOrderList(this, "idType", Tax::kIdTypes);
    m_period = makeOrderEdit(this, "period", 7);
    makeFormSymbol();
    m_obligation = makeOrderEdit(this, "obligation", 20);
    makeSymbolField();
    m_accountMark = new CWarningMark(this);
    m_microAccount = new QPushButton(QStringLiteral("Mikrora&chunek"), this);
    m_microAccount->setObjectName(QStringLiteral("microAccount"));
    m_microAccount->setAutoDefault(false);
    m_payerIdMark = new CWarningMark(this);
    m_periodMark = new CWarningMark(this);
    m_senderAccountMark = makeSenderAccountMark(this, m_senderAccount, m_deposit);

    layOut();

    addSteps();
    finishPage(m_recipient1);
    for (QComboBox *combo : {m_idType, m_formSymbol})
        connect(combo, &QComboBox::activated, this, &CDetailsPage::edited);
    connect(m_microAccount, &QPushButton::clicked, this, &CTaxDetailsDlg::fillMicroAccount);
    for (QLineEdit *edit : {m_check, m_bank, m_rest, m_payerId, m_period})
        connect(edit, &QLineEdit::textChanged, this, &CTaxDetailsDlg::refreshMarks);
    connect(m_idType, &QComboBox::currentIndexChanged, this, &CTaxDetailsDlg::refreshMarks);
    connect(m_formSymbol, &QComboBox::currentTextChanged, this, &CTaxDetailsDlg::refreshMarks);
    connect(m_formSymbol, &QComboBox::currentTextChanged, this, &CTaxDetailsDlg::showFormSymbolMark);
    refreshMarks();
}

void CTaxDetailsDlg::layOut()
{
    CPageGrid grid(this);
    grid.addRow("Nazwa i adr&es US:", m_recipient1, m_pickRecipient);
    grid.addRow("Nazwa i adres U&S cd.:", m_recipient2);
    QHBoxLayout *accountLine =
        makeAccountLine(this, "Nr &banku US:", "Nr &rach. US:", m_check, m_bank, m_rest, m_accountMark);
    accountLine->addWidget(m_microAccount);
    grid.addLine(accountLine);
    grid.addLine(makeMoneyLine(this, m_deposit, m_transfer, m_currency, m_amount, m_date));
    grid.addRow("Nr rac&h. zobowiązanego:", m_senderAccount, m_senderAccountMark);
    grid.addRow("Nazwa &zobowiązanego:", m_sender1, m_pickSender);
    grid.addRow("Nazwa zobowiązane&go cd:", m_sender2);
    grid.addFields("&NIP lub identyfikator:",
                   {m_payerId, m_payerIdMark, makeFieldLabel("&Typ:", m_idType, this), m_idType,
                    makeFieldLabel("&Okres:", m_period, this), m_period, m_periodMark});
    grid.addFields("Symbol &formularza:",
                   {m_formSymbol, m_formSymbolMark, makeFieldLabel("&Identyfikacja zob.:", m_obligation, this),
                    m_obligation});
    grid.addFields("Sy&mbol:", {m_symbol});
    grid.finish();
}

void CTaxDetailsDlg::makeFormSymbol()
{
    m_formSymbol = new QComboBox(this);
    m_formSymbol->setObjectName(QStringLiteral("formSymbol"));
    m_formSymbol->setEditable(true);
    // What is typed stays in the edit part; the list keeps its entries.
    m_formSymbol->setInsertPolicy(QComboBox::NoInsert);
    m_formSymbol->addItems(m_formSymbols);
    m_formSymbol->setMinimumContentsLength(8);
    m_formSymbol->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    keepTypedText(m_formSymbol);
    m_formSymbolMark = new CWarningMark(this);
}

void CTaxDetailsDlg::showFormSymbolMark(const QString &symbol)
{
    m_formSymbolMark->setWarning(symbol.isEmpty() ? Tax::formSymbolMissing() : QString());
}

int CTaxDetailsDlg::idTypeCode() const
{
    // No entry chosen (a code from a file outside the list): the stored code.
    const int position = m_idType->currentIndex();
    return position < 0 ? m_context.record->idType : Tax::idTypeCode(position);
}

void CTaxDetailsDlg::refreshMarks()
{
    const QString number = accountOfParts({m_check, m_bank, m_rest});
    const QString symbol = m_formSymbol->currentText();
    QStringList accountWarnings {PaymentWarnings::recipientAccount(number),
                                 PaymentWarnings::taxAccount(symbol, idTypeCode(), m_payerId->text(), number)};
    accountWarnings.removeAll(QString());
    m_accountMark->setWarning(accountWarnings.join(u'\n'));
    describeAccountParts({m_check, m_bank, m_rest}, number);
    m_payerIdMark->setWarning(PaymentWarnings::identifier(idTypeCode(), m_payerId->text()));
    m_periodMark->setWarning(PaymentWarnings::taxPeriod(m_period->text()));
    const Tax::MicroAccountButton micro = Tax::microAccountButton(symbol, idTypeCode(), m_payerId->text());
    m_microAccount->setEnabled(!micro.account.isEmpty());
    m_microAccount->setToolTip(micro.toolTip);
}

void CTaxDetailsDlg::fillMicroAccount()
{
    const Tax::MicroAccountButton micro =
        Tax::microAccountButton(m_formSymbol->currentText(), idTypeCode(), m_payerId->text());
    if (micro.account.isEmpty())
        return;
    m_check->setText(micro.account.left(2));
    m_bank->setText(micro.account.mid(2, 8));
    m_rest->setText(micro.account.mid(10));
    Q_EMIT edited();
}

QString CTaxDetailsDlg::pageTitle() const
{
    return QStringLiteral("Szczegóły przelewu US");
}

void CTaxDetailsDlg::addSteps()
{
    recipientPageSteps();
    textStep(m_currency, OrderField::Currency);
    transferFlagStep();
    textStep(m_symbol, OrderField::Symbol);
    textStep(m_payerId, OrderField::PayerId);
    listStep(m_idType, &CPrzelewDane::idType, Tax::idTypePosition, Tax::idTypeCode);
    textStep(m_period, OrderField::TaxPeriod);
    markCuts(m_formSymbol->lineEdit(), OrderField::TaxFormSymbol);
    // No input limit: a longer symbol can be typed and is refused on saving.
    // The text is shown exactly as stored, an entry selected only when it is
    // the same text, so a save the user did not touch stores it unchanged.
    addStep({[this](const CPrzelewDane &r) {
                 const int position = Tax::symbolPosition(m_formSymbols, r.taxFormSymbol);
                 m_formSymbol->setCurrentIndex(position);
                 if (position < 0)
                     m_formSymbol->setEditText(r.taxFormSymbol);
                 showFormSymbolMark(r.taxFormSymbol);
             },
             [this] { return checkText(m_formSymbol->lineEdit(), limitOf(OrderField::TaxFormSymbol)); },
             [this](CPrzelewDane &r) { r.taxFormSymbol = m_formSymbol->lineEdit()->text(); }});
    textStep(m_obligation, OrderField::ObligationId);
}
