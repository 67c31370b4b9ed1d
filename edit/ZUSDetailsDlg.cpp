#include "edit/ZUSDetailsDlg.h"

#include "controls/WarningMark.h"
#include "controls/WexCalcEdit.h"
#include "edit/DateField.h"
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
#include <QRadioButton>
#include <QToolButton>

using namespace PageRules;

CZUSDetailsDlg::CZUSDetailsDlg(const CPageContext &context, QWidget *parent)
    : CDetailsPage(parent), m_context(context)
{
    setObjectName(QStringLiteral("CZUSDetailsDlg"));
    // Created in the order of the form, which is the Tab order.
    m_purpose = makeOrderList(this, "purpose", Zus::kPurposes);
    m_accountsChanged = new QLabel(Zus::accountsChangedText(), this);
    m_accountsChanged->setObjectName(QStringLiteral("accountsChanged"));
    m_toContributionTransfer = new QPushButton(QStringLiteral("Zamień na przelew na rachunek &składkowy..."), this);
    m_toContributionTransfer->setObjectName(QStringLiteral("toContributionTransfer"));
    m_toContributionTransfer->setAutoDefault(false);
    m_deposit = new QRadioButton(QStringLiteral("&Wpłata"), this);
    m_deposit->setObjectName(QStringLiteral("deposit"));
    m_transfer = new QRadioButton(QStringLiteral("&Przelew"), this);
    m_transfer->setObjectName(QStringLiteral("transfer"));
    m_currency = makeOrderEdit(this, "currency", 3);
    m_currency->setReadOnly(true);
    m_amount = makeAmountEdit(this);
    m_date = new CDateField(this);
    m_date->setObjectName(QStringLiteral("dateField"));
    m_payerAccount = makeOrderEdit(this, "payerAccount");
    m_payer1 = makeOrderEdit(this, "payer1");
    m_pickPayer = makePickButton(this, "pickPayer");
    m_payer2 = makeOrderEdit(this, "payer2");
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
    m_symbol = makeOrderEdit(this, "symbol", 2);
    m_decision = makeOrderEdit(this, "decision", 15);
    m_payerAccountMark = makeSenderAccountMark(this, m_payerAccount, m_deposit);

    // Label, field, label, field; single fields span the row, the pick
    // button and the account mark stand in the last column.
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    int row = 0;
    auto addRow = [&](const char *label, QWidget *field, QWidget *after = nullptr) {
        grid->addWidget(makeFieldLabel(label, field, this), row, 0);
        grid->addWidget(field, row, 1, 1, 3);
        if (after)
            grid->addWidget(after, row, 4);
        ++row;
    };
    auto left = [](QWidget *a, QWidget *b = nullptr) {
        auto *line = new QHBoxLayout;
        line->addWidget(a);
        if (b)
            line->addWidget(b);
        line->addStretch(1);
        return line;
    };
    auto addPair = [&](QWidget *label1, QLayout *field1, QWidget *label2, QLayout *field2) {
        grid->addWidget(label1, row, 0);
        grid->addLayout(field1, row, 1);
        grid->addWidget(label2, row, 2);
        grid->addLayout(field2, row, 3, 1, 2);
        ++row;
    };

    addRow("C&el opłacanych składek:", m_purpose);
    // One line of text: a wrapped label gets no height in the page's grid.
    grid->addWidget(m_accountsChanged, row++, 1, 1, 4);
    grid->addLayout(left(m_toContributionTransfer), row++, 1, 1, 4);
    grid->addLayout(makeMoneyLine(this, m_deposit, m_transfer, m_currency, m_amount, m_date), row++, 0, 1, 5);
    addRow("Nr rac&h. płatnika:", m_payerAccount, m_payerAccountMark);
    addRow("Pła&tnik:", m_payer1, m_pickPayer);
    addRow("Płat&nik cd:", m_payer2);
    addPair(makeFieldLabel("N&IP:", m_nip, this), left(m_nip), makeFieldLabel("T&yp wpłaty:", m_paymentType, this),
            left(m_paymentType));
    addPair(makeFieldLabel("Typ id. uzup.:", m_idType, this), left(m_idType), m_idCaption, left(m_supplementaryId));
    addPair(makeFieldLabel("Deklarac&ja:", m_declMonth, this), left(m_declMonth, m_declYear),
            makeFieldLabel("Nr dekla&racji:", m_declNo, this), left(m_declNo));
    addPair(makeFieldLabel("Sym&bol:", m_symbol, this), left(m_symbol), makeFieldLabel("Nr decyzji:", m_decision, this),
            left(m_decision));
    grid->setRowStretch(row, 1);

    m_switch = new CDepositSwitch(m_deposit, m_transfer, m_amount, m_payerAccount, this);
    m_picks = new CPartyPicks(this, m_context);
    m_cutMarks = new CCutMarks(this, m_context, m_transfer,
                               {{m_payerAccount, &CPrzelewDane::senderAccount, "nr rachunku zleceniodawcy"},
                                {m_payerAccount, &CPrzelewDane::senderAccount,
                                 "nr rachunku zleceniodawcy / kwota słownie"},
                                {m_payer1, &CPrzelewDane::sender1, "nazwa zleceniodawcy"},
                                {m_payer2, &CPrzelewDane::sender2, "nazwa zleceniodawcy cd."},
                                {m_nip, &CPrzelewDane::payerId, "identyfikator płatnika"},
                                {m_supplementaryId, &CPrzelewDane::supplementaryId, "drugi identyfikator płatnika"},
                                {m_declNo, &CPrzelewDane::declarationNo, "nr deklaracji"},
                                {m_symbol, &CPrzelewDane::symbol, "symbol"},
                                {m_decision, &CPrzelewDane::title2, "tytułem cd."}});
    connect(m_pickPayer, &QToolButton::clicked, this, &CZUSDetailsDlg::pickPayer);
    m_picks->onF2(m_payer1, [this] { pickPayer(); });
    connect(m_purpose, &QComboBox::activated, this, &CZUSDetailsDlg::onPurposeChosen);
    connect(m_toContributionTransfer, &QPushButton::clicked, this, &CZUSDetailsDlg::turnIntoContributionTransfer);
    connect(m_paymentType, &QComboBox::activated, this, &CZUSDetailsDlg::onPaymentTypeChosen);
    connect(m_idType, &QComboBox::currentIndexChanged, this, &CZUSDetailsDlg::refreshCaption);
    for (QComboBox *combo : {m_purpose, m_paymentType, m_idType})
        connect(combo, &QComboBox::activated, this, &CDetailsPage::edited);
    reportEdits(this);
}

QString CZUSDetailsDlg::pageTitle() const
{
    return QStringLiteral("Szczegóły przelewu ZUS");
}

void CZUSDetailsDlg::focusFirstField()
{
    m_purpose->setFocus(Qt::OtherFocusReason);
}

void CZUSDetailsDlg::pickPayer()
{
    m_picks->pickSender(m_payer1, m_payer2, *m_switch);
}

void CZUSDetailsDlg::turnIntoContributionTransfer()
{
    // Amount, date and sender as the page shows them now.
    if (!exchange(true))
        return;
    const CPrzelewDane &zus = *m_context.record;
    std::vector<CRegisteredAccount> registered;
    try {
        registered = registeredContributionAccounts(m_context.where, zus.payerId);
    } catch (const CRegisterError &e) {
        reportRegisterError(this, e);   // the number can still be typed
    }
    CZusTransferDlg ask(zus.payerId, registered, ZusTransfer::title(zus.declaration), this);
    if (ask.exec() != QDialog::Accepted)
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

void CZUSDetailsDlg::loadFromRecord()
{
    m_switch->load([this] { exchange(false); });
    refreshCaption();
    m_cutMarks->refresh();
}

bool CZUSDetailsDlg::saveToRecord()
{
    return exchange(true);
}

bool CZUSDetailsDlg::exchange(bool toRecord)
{
    CPrzelewDane &r = *m_context.record;
    const int names = m_context.nameLimit(FormKind::Zus);
    const auto plain = [](int entries) { return [entries](int code) { return Zus::positionOf(code, entries); }; };
    const auto same = [](int position) { return position; };
    CExchange x(this, toRecord);
    if (!(x.date(m_date, r.date)
          && x.amount(m_amount, r.amount)
          && x.zeroQuestion(m_amount, r.amount)
          && x.depositWords(m_amount, m_deposit, r.amount)
          && x.text(m_payer1, r.sender1, names)
          && x.text(m_payer2, r.sender2, names)
          && x.transferFlag(m_deposit, m_transfer, r.isTransfer)
          && x.list(m_purpose, r.zusAccountType, Zus::purposePosition, [](int position) { return position + 1; })))
        return false;
    if (toRecord) {
        // A type with no account (read from a file) leaves the account alone.
        if (const auto account = Zus::recipientAccount(r.zusAccountType)) {
            r.checkDigits = account->check;
            r.bankNumber = account->bank;
            r.accountRest = account->rest;
        }
    }
    if (!(x.text(m_payerAccount, r.senderAccount, 54)
          && x.text(m_currency, r.currency, 3)
          && x.text(m_nip, r.payerId, 10)
          && x.text(m_supplementaryId, r.supplementaryId, 14)))
        return false;
    const auto [loadedMonth, loadedYear] = Zus::splitDeclaration(r.declaration);
    QString month = loadedMonth, year = loadedYear;
    if (!(x.text(m_declMonth, month, 2) && x.text(m_declYear, year, 4)))
        return false;
    // A declaration of another length than 6 (from a file) is split into
    // overlapping parts: it is stored back only when the user changed them.
    if (toRecord && (month != loadedMonth || year != loadedYear))
        r.declaration = month + year;
    return x.text(m_declNo, r.declarationNo, 2)
        && x.list(m_idType, r.idType, plain(int(std::size(Zus::kIdTypes))), same)
        && x.list(m_paymentType, r.paymentType, plain(int(std::size(Zus::kPaymentTypes))), same)
        && x.text(m_symbol, r.symbol, 2)
        && x.text(m_decision, r.title2, 15);
}
