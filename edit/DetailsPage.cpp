#include "edit/DetailsPage.h"

#include "base/UserDialogs.h"
#include "controls/WarningMark.h"
#include "controls/WexCalcEdit.h"
#include "edit/DateField.h"
#include "model/OrderFields.h"
#include "model/PrzelewDane.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QToolButton>

CDetailsPage::CDetailsPage(const CPageContext &context, FormKind kind, const char *objectName, QWidget *parent)
    : QWidget(parent), m_context(context), m_kind(kind)
{
    setObjectName(QLatin1String(objectName));
}

void CDetailsPage::makeRecipientFields(const char *name1, const char *pick, const char *name2, int registerKinds)
{
    m_registerKinds = registerKinds;
    m_recipient1 = makeOrderEdit(this, name1);
    m_pickRecipient = makePickButton(this, pick);
    m_recipient2 = makeOrderEdit(this, name2);
    m_check = makeOrderEdit(this, "checkDigits", 2, true);
    m_bank = makeOrderEdit(this, "bankNumber", 8, true);
    m_rest = makeOrderEdit(this, "accountRest");
    m_rest->setMinimumWidth(m_rest->fontMetrics().horizontalAdvance(QString(26, u'0')) + 12);
}

void CDetailsPage::makeMoneyFields(bool fixedCurrency)
{
    m_deposit = new QRadioButton(QStringLiteral("&Wpłata"), this);
    m_deposit->setObjectName(QStringLiteral("deposit"));
    m_transfer = new QRadioButton(QStringLiteral("&Przelew"), this);
    m_transfer->setObjectName(QStringLiteral("transfer"));
    m_currency = makeOrderEdit(this, "currency", 3);
    m_currency->setReadOnly(fixedCurrency);
    m_amount = makeAmountEdit(this);
    m_date = new CDateField(this);
    m_date->setObjectName(QStringLiteral("dateField"));
}

void CDetailsPage::makeSenderFields(const char *account, const char *name1, const char *pick, const char *name2)
{
    m_senderAccount = makeOrderEdit(this, account);
    m_sender1 = makeOrderEdit(this, name1);
    m_pickSender = makePickButton(this, pick);
    m_sender2 = makeOrderEdit(this, name2);
}

void CDetailsPage::makeSymbolField()
{
    m_symbol = makeOrderEdit(this, "symbol", 2);
}

void CDetailsPage::finishPage(QWidget *firstField)
{
    m_firstField = firstField;
    m_switch = new CDepositSwitch(m_deposit, m_transfer, m_amount, m_senderAccount, this);
    m_picks = new CPartyPicks(this, m_context);
    m_cutMarks = new CCutMarks(this, m_context, m_transfer, m_marked);
    if (m_recipient1) {
        connect(m_pickRecipient, &QToolButton::clicked, this, &CDetailsPage::pickRecipient);
        m_picks->onF2(m_recipient1, [this] { pickRecipient(); });
    }
    connect(m_pickSender, &QToolButton::clicked, this, &CDetailsPage::pickSender);
    m_picks->onF2(m_sender1, [this] { pickSender(); });
    reportEdits(this);
}

void CDetailsPage::focusFirstField()
{
    m_firstField->setFocus(Qt::OtherFocusReason);
}

void CDetailsPage::pickRecipient()
{
    m_picks->pickRecipient(m_registerKinds, {m_recipient1, m_recipient2, m_check, m_bank, m_rest});
}

void CDetailsPage::pickSender()
{
    m_picks->pickSender(m_sender1, m_sender2, *m_switch);
}

void CDetailsPage::loadFromRecord()
{
    m_switch->load([this] {
        for (const Step &step : m_steps)
            if (step.load)
                step.load(*m_context.record);
    });
    loaded();
    m_cutMarks->refresh();
}

bool CDetailsPage::saveToRecord()
{
    size_t passed = 0;
    while (passed < m_steps.size() && (!m_steps[passed].check || m_steps[passed].check()))
        ++passed;
    // The steps before a failing one are stored all the same: the record
    // takes what the user got right so far.
    for (size_t i = 0; i < passed; ++i)
        if (m_steps[i].store)
            m_steps[i].store(*m_context.record);
    return passed == m_steps.size();
}

int CDetailsPage::limitOf(OrderField field) const
{
    switch (field) {
    case OrderField::Recipient1:
    case OrderField::Recipient2:
    case OrderField::Sender1:
    case OrderField::Sender2: return m_context.nameLimit(m_kind);
    default: return OrderFields::pageLimit(int(m_kind), field);
    }
}

bool CDetailsPage::fail(QWidget *control, const QString &message)
{
    showWarning(this, message);
    control->setFocus(Qt::OtherFocusReason);
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        edit->selectAll();
    return false;
}

bool CDetailsPage::checkText(QLineEdit *edit, int limit)
{
    const QString text = edit->text();
    if (const std::optional<QString> message = PageRules::limitMessage(text, limit))
        return fail(edit, *message);
    if (const auto refusal = PageRules::unencodableRefusal(text)) {
        fail(edit, refusal->message);
        edit->setSelection(refusal->start, refusal->length);
        return false;
    }
    return true;
}

void CDetailsPage::loadText(QLineEdit *edit, const QString &text, int limit)
{
    // A longer text read from a file is shown whole, never cut: saving then
    // asks for it to be shortened.
    edit->setMaxLength(std::max(limit, int(text.size())));
    edit->setText(text);
    edit->setCursorPosition(0);
}

void CDetailsPage::textStep(QLineEdit *edit, OrderField field)
{
    markCuts(edit, field);
    addStep({[=, this](const CPrzelewDane &r) { loadText(edit, *OrderFields::textOf(r, field), limitOf(field)); },
             [=, this] { return checkText(edit, limitOf(field)); },
             [=](CPrzelewDane &r) { *OrderFields::textOf(r, field) = edit->text(); }});
}

void CDetailsPage::accountPartStep(QLineEdit *edit, OrderField field)
{
    markCuts(edit, field);
    addStep({[=](const CPrzelewDane &r) {
                 edit->setText(*OrderFields::textOf(r, field));
                 edit->setCursorPosition(0);
             },
             [=, this] { return checkText(edit, limitOf(field)); },
             [=](CPrzelewDane &r) { *OrderFields::textOf(r, field) = edit->text(); }});
}

void CDetailsPage::dateStep()
{
    addStep({[this](const CPrzelewDane &r) { m_date->setOrderDate(r.date); },
             {},
             [this](CPrzelewDane &r) { r.date = m_date->orderDate(); }});
}

void CDetailsPage::amountSteps()
{
    const auto typed = [this] { return PageRules::parseAmount(m_amount->amountText()); };
    addStep({[this](const CPrzelewDane &r) {
                 if (!r.amount.isValid() || !m_amount->setAmount(r.amount))
                     m_amount->setAmountText(QString());
             },
             [this, typed] {
                 const std::optional<CWexOleCurrency> amount = typed();
                 if (!amount)
                     return fail(m_amount, PageRules::amountMissingMessage());
                 if (amount->value() < 0)
                     return fail(m_amount, PageRules::negativeAmountMessage());
                 return true;
             },
             [typed](CPrzelewDane &r) { r.amount = *typed(); }});
    // Asked only towards the record: whether a zero amount is meant.
    addStep({{},
             [this, typed] {
                 if (typed()->value() != 0)
                     return true;
                 if (askQuestion(this, QMessageBox::Warning, PageRules::zeroAmountQuestion(),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
                     == QMessageBox::Yes)
                     return true;
                 m_amount->setFocus(Qt::OtherFocusReason);
                 m_amount->selectAll();
                 return false;
             },
             {}});
    // A cash deposit's amount must fit in words.
    addStep({{},
             [this, typed] {
                 if (!m_deposit->isChecked())
                     return true;
                 if (const std::optional<QString> message = PageRules::depositWordsMessage(*typed()))
                     return fail(m_amount, *message);
                 return true;
             },
             {}});
}

void CDetailsPage::recipientPageSteps()
{
    accountPartStep(m_bank, OrderField::BankNumber);
    dateStep();
    amountSteps();
    accountPartStep(m_check, OrderField::CheckDigits);
    textStep(m_recipient1, OrderField::Recipient1);
    textStep(m_recipient2, OrderField::Recipient2);
    textStep(m_sender1, OrderField::Sender1);
    textStep(m_sender2, OrderField::Sender2);
    accountPartStep(m_rest, OrderField::AccountRest);
    textStep(m_senderAccount, OrderField::SenderAccount);
}

void CDetailsPage::transferFlagStep()
{
    addStep({[this](const CPrzelewDane &r) { (r.isTransfer == 0 ? m_deposit : m_transfer)->setChecked(true); },
             {},
             [this](CPrzelewDane &r) { r.isTransfer = m_deposit->isChecked() ? 0 : 1; }});
}

void CDetailsPage::listStep(QComboBox *combo, int CPrzelewDane::*field, std::function<int(int)> positionOf,
                            std::function<int(int)> codeOf)
{
    addStep({[=](const CPrzelewDane &r) {
                 const int position = positionOf(r.*field);
                 combo->setCurrentIndex(position >= 0 && position < combo->count() ? position : -1);
             },
             {},
             [=](CPrzelewDane &r) {
                 // No selection: the code read from the file is kept.
                 if (combo->currentIndex() >= 0)
                     r.*field = codeOf(combo->currentIndex());
             }});
}
