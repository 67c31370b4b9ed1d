#include "edit/ZUSDetailsDlg.h"

#include "base/UserDialogs.h"
#include "controls/WarningMark.h"
#include "edit/PageGrid.h"
#include "edit/ZusTransferDlg.h"
#include "model/PrzelewDane.h"
#include "model/ZusTransfer.h"
#include "register/PartyPick.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using namespace PageRules;

CZUSDetailsDlg::CZUSDetailsDlg(const CPageContext &context, QWidget *parent)
    : CDetailsPage(context, FormKind::Zus, "CZUSDetailsDlg", parent)
{
    makeFields();
    layOut();
    addSteps();
    finishPage(m_purpose);
    connect(m_purpose, &QComboBox::activated, this, &CZUSDetailsDlg::onPurposeChosen);
    connect(m_toContributionTransfer, &QPushButton::clicked, this, &CZUSDetailsDlg::turnIntoContributionTransfer);
    connect(m_paymentType, &QComboBox::activated, this, &CZUSDetailsDlg::onPaymentTypeChosen);
    connect(m_idType, &QComboBox::currentIndexChanged, this, &CZUSDetailsDlg::refreshCaption);
    for (QComboBox *combo : {m_purpose, m_paymentType, m_idType})
        connect(combo, &QComboBox::activated, this, &CDetailsPage::edited);
}

void CZUSDetailsDlg::makeFields()
{
    // Created in the order of the form, which is the Tab order.
    m_purpose = makeOrderList(this, "purpose", Zus::kPurposes);
    m_accountsChanged = new QLabel(Zus::accountsChangedText(), this);
    m_accountsChanged->setObjectName(QStringLiteral("accountsChanged"));
    m_toContributionTransfer = new QPushButton(QStringLiteral("Zamień na przelew na rachunek &składkowy..."), this);
    m_toContributionTransfer->setObjectName(QStringLiteral("toContributionTransfer"));
    m_toContributionTransfer->setAutoDefault(false);
    makeMoneyFields(true);
    makeSenderFields("payerAccount", "payer1", "pickPayer", "payer2");
    m_nip = makeOrderEdit(this, "nip", 10, true);
    m_paymentType = makeOrderList(this, "paymentType", Zus::kPaymentTypes);
    m_idType = makeOrderList(this, "idType", Zus::kIdTypes);
    m_idCaption = new QLabel(Zus::idCaption(QString()), this);
    m_idCaption->setObjectName(QStringLiteral("idCaption"));
    m_supplementaryId = makeOrderEdit(this, "supplementaryId", 14);
    m_idCaption->setBuddy(m_supplementaryId);
    m_declMonth = makeOrderEdit(this, "declarationMonth", 2, true);
    m_declYear = makeOrderEdit(this, "declarationYear", 4, true);
    m_declNo = makeOrderEdit(this, "declarationNo", 2, true);
    makeSymbolField();
    m_decision = makeOrderEdit(this, "decision", 15);
    m_payerAccountMark = makeSenderAccountMark(this, m_senderAccount, m_deposit);
}

void CZUSDetailsDlg::layOut()
{
    // Label, field, label, field; single fields span the row, the pick
    // button and the account mark stand in the last column.
    CPageGrid grid(this, 4, false);
    grid.layout()->setColumnStretch(3, 1);
    const auto left = [](QWidget *a, QWidget *b = nullptr) {
        auto *line = new QHBoxLayout;
        line->addWidget(a);
        if (b)
            line->addWidget(b);
        line->addStretch(1);
        return line;
    };
    const auto addPair = [&](QWidget *label1, QLayout *field1, QWidget *label2, QLayout *field2) {
        const int row = grid.takeRow();
        grid.layout()->addWidget(label1, row, 0);
        grid.layout()->addLayout(field1, row, 1);
        grid.layout()->addWidget(label2, row, 2);
        grid.layout()->addLayout(field2, row, 3, 1, 2);
    };

    grid.addRow("C&el opłacanych składek:", m_purpose);
    // One line of text: a wrapped label gets no height in the page's grid.
    grid.layout()->addWidget(m_accountsChanged, grid.takeRow(), 1, 1, 4);
    grid.addLine(left(m_toContributionTransfer), 1);
    grid.addLine(makeMoneyLine(this, m_deposit, m_transfer, m_currency, m_amount, m_date));
    grid.addRow("Nr rac&h. płatnika:", m_senderAccount, m_payerAccountMark);
    grid.addRow("Pła&tnik:", m_sender1, m_pickSender);
    grid.addRow("Płat&nik cd:", m_sender2);
    addPair(makeFieldLabel("N&IP:", m_nip, this), left(m_nip), makeFieldLabel("T&yp wpłaty:", m_paymentType, this),
            left(m_paymentType));
    addPair(makeFieldLabel("Typ id. uzup.:", m_idType, this), left(m_idType), m_idCaption, left(m_supplementaryId));
    addPair(makeFieldLabel("Deklarac&ja:", m_declMonth, this), left(m_declMonth, m_declYear),
            makeFieldLabel("Nr dekla&racji:", m_declNo, this), left(m_declNo));
    addPair(makeFieldLabel("Sym&bol:", m_symbol, this), left(m_symbol), makeFieldLabel("Nr decyzji:", m_decision, this),
            left(m_decision));
    grid.finish();
}

QString CZUSDetailsDlg::pageTitle() const
{
    return QStringLiteral("Szczegóły przelewu ZUS");
}

void CZUSDetailsDlg::turnIntoContributionTransfer()
{
    // Amount, date and sender as the page shows them now.
    if (!saveToRecord())
        return;
    const CPrzelewDane &zus = *m_context.record;
    std::vector<CRegisteredAccount> registered;
    try {
        registered = registeredContributionAccounts(m_context.where, zus.payerId);
    } catch (const CRegisterError &e) {
        reportRegisterError(this, e);   // the number can still be typed
    }
    CZusTransferDlg ask(zus.payerId, registered, ZusTransfer::title(zus.declaration), this);
    if (execDialog(ask) != QDialog::Accepted)
        return;
    *m_context.record = ZusTransfer::ordinaryTransfer(zus, ask.account(), ask.title());
    Q_EMIT turnedIntoOrdinary();
}

void CZUSDetailsDlg::onPurposeChosen(int position)
{
    // The title is not on the page: it goes to the order at once, while the
    // account type and the account follow at the next save.
    m_context.record->SetZUSTitle(position + 1);
}

void CZUSDetailsDlg::onPaymentTypeChosen(int position)
{
    Zus::DeclarationFields fields {m_declMonth->text(), m_declYear->text(), m_declNo->text()};
    Zus::applyPaymentType(position, fields);
    const QPair<QLineEdit *, QString> values[] = {
        {m_declMonth, fields.month}, {m_declYear, fields.year}, {m_declNo, fields.number}};
    for (const auto &[edit, text] : values)
        if (edit->text() != text)
            edit->setText(text);
}

void CZUSDetailsDlg::refreshCaption()
{
    m_idCaption->setText(Zus::idCaption(m_idType->currentText()));
}

void CZUSDetailsDlg::loaded()
{
    refreshCaption();
}

void CZUSDetailsDlg::addSteps()
{
    const auto plain = [](int entries) { return [entries](int code) { return Zus::positionOf(code, entries); }; };
    const auto same = [](int position) { return position; };
    dateStep();
    amountSteps();
    textStep(m_sender1, OrderField::Sender1);
    textStep(m_sender2, OrderField::Sender2);
    transferFlagStep();
    listStep(m_purpose, &CPrzelewDane::zusAccountType, Zus::purposePosition, [](int position) { return position + 1; });
    // The purpose's account goes with it; a type with no account (read from
    // a file) leaves the account alone.
    addStep({{}, {}, [](CPrzelewDane &r) {
                 if (const auto account = Zus::recipientAccount(r.zusAccountType)) {
                     r.checkDigits = account->check;
                     r.bankNumber = account->bank;
                     r.accountRest = account->rest;
                 }
             }});
    textStep(m_senderAccount, OrderField::SenderAccount);
    textStep(m_currency, OrderField::Currency);
    textStep(m_nip, OrderField::PayerId);
    textStep(m_supplementaryId, OrderField::SupplementaryId);
    // The declaration period in two fields. One of another length than 6
    // (from a file) is split into overlapping parts: it is stored back only
    // when the user changed them.
    addStep({[this](const CPrzelewDane &r) {
                 const auto [month, year] = Zus::splitDeclaration(r.declaration);
                 loadText(m_declMonth, month, 2);
                 loadText(m_declYear, year, 4);
             },
             [this] { return checkText(m_declMonth, 2) && checkText(m_declYear, 4); },
             [this](CPrzelewDane &r) {
                 const auto [month, year] = Zus::splitDeclaration(r.declaration);
                 if (m_declMonth->text() != month || m_declYear->text() != year)
                     r.declaration = m_declMonth->text() + m_declYear->text();
             }});
    textStep(m_declNo, OrderField::DeclarationNo);
    listStep(m_idType, &CPrzelewDane::idType, plain(int(std::size(Zus::kIdTypes))), same);
    listStep(m_paymentType, &CPrzelewDane::paymentType, plain(int(std::size(Zus::kPaymentTypes))), same);
    textStep(m_symbol, OrderField::Symbol);
    textStep(m_decision, OrderField::Title2);
}
