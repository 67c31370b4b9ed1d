#include "edit/DetailsDlg.h"

#include "controls/WarningMark.h"
#include "controls/WexCalcEdit.h"
#include "edit/DateField.h"
#include "model/PrzelewDane.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QRadioButton>

namespace {

// Kind bits of the recipient list: counterparties and employees, not tax offices.
constexpr int kRecipientKinds = 3;

} // namespace

CDetailsDlg::CDetailsDlg(const CPageContext &context, QWidget *parent)
    : CDetailsPage(parent), m_context(context)
{
    setObjectName(QStringLiteral("CDetailsDlg"));
    // Created in the order of the form, which is the Tab order.
    m_recipient1 = makeOrderEdit(this, "recipient1");
    m_pickRecipient = makePickButton(this, "pickRecipient");
    m_recipient2 = makeOrderEdit(this, "recipient2");
    m_check = makeOrderEdit(this, "checkDigits", 2, true);
    m_bank = makeOrderEdit(this, "bankNumber", 8, true);
    m_rest = makeOrderEdit(this, "accountRest");
    m_rest->setMinimumWidth(m_rest->fontMetrics().horizontalAdvance(QString(26, u'0')) + 12);
    m_deposit = new QRadioButton(QStringLiteral("&Wpłata"), this);
    m_deposit->setObjectName(QStringLiteral("deposit"));
    m_transfer = new QRadioButton(QStringLiteral("&Przelew"), this);
    m_transfer->setObjectName(QStringLiteral("transfer"));
    m_currency = makeOrderEdit(this, "currency", 3);
    m_amount = makeAmountEdit(this);
    m_date = new CDateField(this);
    m_date->setObjectName(QStringLiteral("dateField"));
    m_senderAccount = makeOrderEdit(this, "senderAccount");
    m_sender1 = makeOrderEdit(this, "sender1");
    m_pickSender = makePickButton(this, "pickSender");
    m_sender2 = makeOrderEdit(this, "sender2");
    m_title1 = makeOrderEdit(this, "title1");
    m_title2 = makeOrderEdit(this, "title2");
    m_symbol = makeOrderEdit(this, "symbol", 2);
    m_recipientAccountMark = makeAccountMark(this, {m_check, m_bank, m_rest});
    m_senderAccountMark = makeSenderAccountMark(this, m_senderAccount, m_deposit);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setColumnStretch(1, 1);
    int row = 0;
    auto addRow = [&](const char *label, QWidget *field, QWidget *button = nullptr) {
        grid->addWidget(makeFieldLabel(label, field, this), row, 0);
        grid->addWidget(field, row, 1, 1, button ? 1 : 2);
        if (button)
            grid->addWidget(button, row, 2);
        ++row;
    };
    auto addLine = [&](QHBoxLayout *line) {
        grid->addLayout(line, row, 0, 1, 3);
        ++row;
    };

    addRow("Nazwa &odbiorcy:", m_recipient1, m_pickRecipient);
    addRow("Nazwa odb&iorcy cd.:", m_recipient2);

    addLine(makeAccountLine(this, "Nr &banku odbiorcy:", "Nr &rach. odbiorcy:", m_check, m_bank, m_rest,
                            m_recipientAccountMark));

    addLine(makeMoneyLine(this, m_deposit, m_transfer, m_currency, m_amount, m_date));

    addRow("Nr rac&h. nadawcy:", m_senderAccount, m_senderAccountMark);
    addRow("Nazwa &nadawcy:", m_sender1, m_pickSender);
    addRow("Nazwa nadaw&cy cd:", m_sender2);
    addRow("&Tytułem:", m_title1);
    addRow("T&ytułem cd:", m_title2);
    auto *symbol = new QHBoxLayout;
    symbol->addWidget(m_symbol);
    symbol->addStretch(1);
    grid->addWidget(makeFieldLabel("Sy&mbol:", m_symbol, this), row, 0);
    grid->addLayout(symbol, row, 1, 1, 2);
    grid->setRowStretch(row + 1, 1);

    m_switch = new CDepositSwitch(m_deposit, m_transfer, m_amount, m_senderAccount, this);
    m_picks = new CPartyPicks(this, m_context);
    m_cutMarks = new CCutMarks(this, m_context, m_transfer,
                               {{m_recipient1, &CPrzelewDane::recipient1, "nazwa odbiorcy"},
                                {m_recipient2, &CPrzelewDane::recipient2, "nazwa odbiorcy cd."},
                                {m_check, &CPrzelewDane::checkDigits, "nr rachunku odbiorcy"},
                                {m_bank, &CPrzelewDane::bankNumber, "nr rachunku odbiorcy"},
                                {m_rest, &CPrzelewDane::accountRest, "nr rachunku odbiorcy"},
                                {m_currency, &CPrzelewDane::currency, "waluta"},
                                {m_senderAccount, &CPrzelewDane::senderAccount, "nr rachunku zleceniodawcy"},
                                {m_senderAccount, &CPrzelewDane::senderAccount,
                                 "nr rachunku zleceniodawcy / kwota słownie"},
                                {m_sender1, &CPrzelewDane::sender1, "nazwa zleceniodawcy"},
                                {m_sender2, &CPrzelewDane::sender2, "nazwa zleceniodawcy cd."},
                                {m_title1, &CPrzelewDane::title1, "tytułem"},
                                {m_title2, &CPrzelewDane::title2, "tytułem cd."},
                                {m_symbol, &CPrzelewDane::symbol, "symbol"}});
    connect(m_pickRecipient, &QToolButton::clicked, this, &CDetailsDlg::pickRecipient);
    connect(m_pickSender, &QToolButton::clicked, this, &CDetailsDlg::pickSender);
    m_picks->onF2(m_recipient1, [this] { pickRecipient(); });
    m_picks->onF2(m_sender1, [this] { pickSender(); });
    reportEdits(this);
}

QString CDetailsDlg::pageTitle() const
{
    return QStringLiteral("Szczegóły przelewu");
}

void CDetailsDlg::focusFirstField()
{
    m_recipient1->setFocus(Qt::OtherFocusReason);
}

void CDetailsDlg::pickRecipient()
{
    m_picks->pickRecipient(kRecipientKinds, {m_recipient1, m_recipient2, m_check, m_bank, m_rest});
}

void CDetailsDlg::pickSender()
{
    m_picks->pickSender(m_sender1, m_sender2, *m_switch);
}

void CDetailsDlg::loadFromRecord()
{
    m_switch->load([this] { exchange(false); });
    m_cutMarks->refresh();
}

bool CDetailsDlg::saveToRecord()
{
    return exchange(true);
}

bool CDetailsDlg::exchange(bool toRecord)
{
    CPrzelewDane &r = *m_context.record;
    const int names = m_context.nameLimit(FormKind::Ordinary);
    CExchange x(this, toRecord);
    return x.accountPart(m_bank, r.bankNumber, 8)
        && x.date(m_date, r.date)
        && x.amount(m_amount, r.amount)
        && x.zeroQuestion(m_amount, r.amount)
        && x.depositWords(m_amount, m_deposit, r.amount)
        && x.accountPart(m_check, r.checkDigits, 2)
        && x.text(m_recipient1, r.recipient1, names)
        && x.text(m_recipient2, r.recipient2, names)
        && x.text(m_sender1, r.sender1, names)
        && x.text(m_sender2, r.sender2, names)
        && x.accountPart(m_rest, r.accountRest, 34)
        && x.text(m_senderAccount, r.senderAccount, 54)
        && x.text(m_title1, r.title1, 54)
        && x.text(m_title2, r.title2, 54)
        && x.text(m_currency, r.currency, 3)
        && x.transferFlag(m_deposit, m_transfer, r.isTransfer)
        && x.text(m_symbol, r.symbol, 2);
}
