#include "edit/TaxDetailsDlg.h"

#include "controls/TypedInput.h"
#include "controls/WarningMark.h"
#include "controls/WexCalcEdit.h"
#include "edit/DateField.h"
#include "model/PaymentWarnings.h"
#include "model/PrzelewDane.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

using namespace PageRules;

namespace {

// Kind bits of the recipient list: tax offices only.
constexpr int kOfficeKinds = 4;

} // namespace

CTaxDetailsDlg::CTaxDetailsDlg(const CPageContext &context, QWidget *parent)
    : CDetailsPage(parent), m_context(context), m_formSymbols(Tax::formSymbols())
{
    setObjectName(QStringLiteral("CTaxDetailsDlg"));
    // Created in the order of the form, which is the Tab order.
    m_office1 = makeOrderEdit(this, "office1");
    m_pickOffice = makePickButton(this, "pickOffice");
    m_office2 = makeOrderEdit(this, "office2");
    m_check = makeOrderEdit(this, "checkDigits", 2, true);
    m_bank = makeOrderEdit(this, "bankNumber", 8, true);
    m_rest = makeOrderEdit(this, "accountRest");
    m_rest->setMinimumWidth(m_rest->fontMetrics().horizontalAdvance(QString(26, u'0')) + 12);
    m_deposit = new QRadioButton(QStringLiteral("&Wpłata"), this);
    m_deposit->setObjectName(QStringLiteral("deposit"));
    m_transfer = new QRadioButton(QStringLiteral("&Przelew"), this);
    m_transfer->setObjectName(QStringLiteral("transfer"));
    m_currency = makeOrderEdit(this, "currency", 3);
    m_currency->setReadOnly(true);
    m_amount = makeAmountEdit(this);
    m_date = new CDateField(this);
    m_date->setObjectName(QStringLiteral("dateField"));
    m_senderAccount = makeOrderEdit(this, "senderAccount");
    m_sender1 = makeOrderEdit(this, "sender1");
    m_pickSender = makePickButton(this, "pickSender");
    m_sender2 = makeOrderEdit(this, "sender2");
    m_payerId = makeOrderEdit(this, "payerId", 14);
    m_idType = makeOrderList(this, "idType", Tax::kIdTypes);
    m_period = makeOrderEdit(this, "period", 7);
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
    m_obligation = makeOrderEdit(this, "obligation", 20);
    m_symbol = makeOrderEdit(this, "symbol", 2);
    m_accountMark = new CWarningMark(this);
    m_microAccount = new QPushButton(QStringLiteral("Mikrora&chunek"), this);
    m_microAccount->setObjectName(QStringLiteral("microAccount"));
    m_microAccount->setAutoDefault(false);
    m_payerIdMark = new CWarningMark(this);
    m_periodMark = new CWarningMark(this);
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
    // Several fields after one label, left-aligned.
    auto addFields = [&](const char *label, std::initializer_list<QWidget *> fields) {
        auto *line = new QHBoxLayout;
        for (QWidget *w : fields)
            line->addWidget(w);
        line->addStretch(1);
        grid->addWidget(makeFieldLabel(label, *fields.begin(), this), row, 0);
        grid->addLayout(line, row, 1, 1, 2);
        ++row;
    };

    addRow("Nazwa i adr&es US:", m_office1, m_pickOffice);
    addRow("Nazwa i adres U&S cd.:", m_office2);

    QHBoxLayout *accountLine =
        makeAccountLine(this, "Nr &banku US:", "Nr &rach. US:", m_check, m_bank, m_rest, m_accountMark);
    accountLine->addWidget(m_microAccount);
    grid->addLayout(accountLine, row++, 0, 1, 3);
    grid->addLayout(makeMoneyLine(this, m_deposit, m_transfer, m_currency, m_amount, m_date), row++, 0, 1, 3);

    addRow("Nr rac&h. zobowiązanego:", m_senderAccount, m_senderAccountMark);
    addRow("Nazwa &zobowiązanego:", m_sender1, m_pickSender);
    addRow("Nazwa zobowiązane&go cd:", m_sender2);
    addFields("&NIP lub identyfikator:",
              {m_payerId, m_payerIdMark, makeFieldLabel("&Typ:", m_idType, this), m_idType,
               makeFieldLabel("&Okres:", m_period, this), m_period, m_periodMark});
    addFields("Symbol &formularza:",
              {m_formSymbol, m_formSymbolMark, makeFieldLabel("&Identyfikacja zob.:", m_obligation, this),
               m_obligation});
    addFields("Sy&mbol:", {m_symbol});
    grid->setRowStretch(row, 1);

    m_switch = new CDepositSwitch(m_deposit, m_transfer, m_amount, m_senderAccount, this);
    m_picks = new CPartyPicks(this, m_context);
    m_cutMarks = new CCutMarks(this, m_context, m_transfer,
                               {{m_office1, &CPrzelewDane::recipient1, "nazwa odbiorcy"},
                                {m_office2, &CPrzelewDane::recipient2, "nazwa odbiorcy cd."},
                                {m_check, &CPrzelewDane::checkDigits, "nr rachunku odbiorcy"},
                                {m_bank, &CPrzelewDane::bankNumber, "nr rachunku odbiorcy"},
                                {m_rest, &CPrzelewDane::accountRest, "nr rachunku odbiorcy"},
                                {m_currency, &CPrzelewDane::currency, "waluta"},
                                {m_senderAccount, &CPrzelewDane::senderAccount, "nr rachunku zleceniodawcy"},
                                {m_senderAccount, &CPrzelewDane::senderAccount,
                                 "nr rachunku zleceniodawcy / kwota słownie"},
                                {m_sender1, &CPrzelewDane::sender1, "nazwa zleceniodawcy"},
                                {m_sender2, &CPrzelewDane::sender2, "nazwa zleceniodawcy cd."},
                                {m_payerId, &CPrzelewDane::payerId, "identyfikator płatnika"},
                                {m_period, &CPrzelewDane::taxPeriod, "okres"},
                                {m_formSymbol->lineEdit(), &CPrzelewDane::taxFormSymbol, "symbol formularza"},
                                {m_obligation, &CPrzelewDane::obligationId, "identyfikacja zobowiązania"},
                                {m_symbol, &CPrzelewDane::symbol, "symbol"}});
    connect(m_pickOffice, &QToolButton::clicked, this, &CTaxDetailsDlg::pickOffice);
    connect(m_pickSender, &QToolButton::clicked, this, &CTaxDetailsDlg::pickSender);
    m_picks->onF2(m_office1, [this] { pickOffice(); });
    m_picks->onF2(m_sender1, [this] { pickSender(); });
    for (QComboBox *combo : {m_idType, m_formSymbol})
        connect(combo, &QComboBox::activated, this, &CDetailsPage::edited);
    connect(m_microAccount, &QPushButton::clicked, this, &CTaxDetailsDlg::fillMicroAccount);
    for (QLineEdit *edit : {m_check, m_bank, m_rest, m_payerId, m_period})
        connect(edit, &QLineEdit::textChanged, this, &CTaxDetailsDlg::refreshMarks);
    connect(m_idType, &QComboBox::currentIndexChanged, this, &CTaxDetailsDlg::refreshMarks);
    connect(m_formSymbol, &QComboBox::currentTextChanged, this, &CTaxDetailsDlg::refreshMarks);
    connect(m_formSymbol, &QComboBox::currentTextChanged, m_formSymbolMark, [this](const QString &text) {
        m_formSymbolMark->setWarning(text.isEmpty() ? Tax::formSymbolMissing() : QString());
    });
    reportEdits(this);
    refreshMarks();
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

void CTaxDetailsDlg::focusFirstField()
{
    m_office1->setFocus(Qt::OtherFocusReason);
}

void CTaxDetailsDlg::pickOffice()
{
    m_picks->pickRecipient(kOfficeKinds, {m_office1, m_office2, m_check, m_bank, m_rest});
}

void CTaxDetailsDlg::pickSender()
{
    m_picks->pickSender(m_sender1, m_sender2, *m_switch);
}

void CTaxDetailsDlg::loadFromRecord()
{
    m_switch->load([this] { exchange(false); });
    m_cutMarks->refresh();
}

bool CTaxDetailsDlg::saveToRecord()
{
    return exchange(true);
}

bool CTaxDetailsDlg::exchangeFormSymbol(CExchange &x, QString &field)
{
    if (x.toRecord())
        return x.text(m_formSymbol->lineEdit(), field, Tax::kFormSymbolLimit);
    // No input limit: a longer symbol can be typed and is refused on saving.
    // The text is shown exactly as stored, an entry selected only when it is
    // the same text, so a save the user did not touch stores it unchanged.
    const int position = Tax::symbolPosition(m_formSymbols, field);
    m_formSymbol->setCurrentIndex(position);
    if (position < 0)
        m_formSymbol->setEditText(field);
    m_formSymbolMark->setWarning(field.isEmpty() ? Tax::formSymbolMissing() : QString());
    return true;
}

bool CTaxDetailsDlg::exchange(bool toRecord)
{
    CPrzelewDane &r = *m_context.record;
    const int names = m_context.nameLimit(FormKind::Tax);
    CExchange x(this, toRecord);
    return x.accountPart(m_bank, r.bankNumber, 8)
        && x.date(m_date, r.date)
        && x.amount(m_amount, r.amount)
        && x.zeroQuestion(m_amount, r.amount)
        && x.depositWords(m_amount, m_deposit, r.amount)
        && x.accountPart(m_check, r.checkDigits, 2)
        && x.text(m_office1, r.recipient1, names)
        && x.text(m_office2, r.recipient2, names)
        && x.text(m_sender1, r.sender1, names)
        && x.text(m_sender2, r.sender2, names)
        && x.accountPart(m_rest, r.accountRest, 34)
        && x.text(m_senderAccount, r.senderAccount, 54)
        && x.text(m_currency, r.currency, 3)
        && x.transferFlag(m_deposit, m_transfer, r.isTransfer)
        && x.text(m_symbol, r.symbol, 2)
        && x.text(m_payerId, r.payerId, 14)
        && x.list(m_idType, r.idType, Tax::idTypePosition, Tax::idTypeCode)
        && x.text(m_period, r.taxPeriod, 7)
        && exchangeFormSymbol(x, r.taxFormSymbol)
        && x.text(m_obligation, r.obligationId, 20);
}
