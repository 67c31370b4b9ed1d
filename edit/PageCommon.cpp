#include "edit/PageCommon.h"

#include "base/UserDialogs.h"
#include "controls/TypedInput.h"
#include "controls/WarningMark.h"
#include "controls/WexCalcEdit.h"
#include "model/AccountCheck.h"
#include "model/PaymentAccounts.h"
#include "model/PaymentWarnings.h"
#include "edit/DateField.h"
#include "edit/DetailsPage.h"
#include "model/PrzelewDane.h"
#include "print/FormPages.h"
#include "register/PartyPick.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QStyle>

int CPageContext::nameLimit(FormKind kind) const
{
    return PageRules::nameLimit(settings && settings->forKind(kind).fitInBox != 0);
}

QComboBox *makeOrderListOf(QWidget *parent, const char *objectName, const char16_t *const *entries, size_t count)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(objectName));
    for (size_t i = 0; i < count; ++i)
        combo->addItem(QString::fromUtf16(entries[i]));
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return combo;
}

CWexCalcEdit *makeAmountEdit(QWidget *parent)
{
    auto *amount = new CWexCalcEdit(parent);
    amount->setObjectName(QStringLiteral("amount"));
    amount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    amount->setMinimumWidth(amount->fontMetrics().horizontalAdvance(QStringLiteral("000 000 000,00")) + 40);
    return amount;
}

QHBoxLayout *makeAccountLine(QWidget *parent, const char *bankLabel, const char *restLabel, QLineEdit *check,
                             QLineEdit *bank, QLineEdit *rest, QWidget *mark)
{
    auto *account = new QHBoxLayout;
    account->addWidget(makeFieldLabel("L.k.", check, parent));
    account->addWidget(check);
    account->addSpacing(8);
    account->addWidget(makeFieldLabel(bankLabel, bank, parent));
    account->addWidget(bank);
    account->addSpacing(8);
    account->addWidget(makeFieldLabel(restLabel, rest, parent));
    account->addWidget(rest, 1);
    account->addWidget(mark);
    new CAccountInput(check, bank, rest, parent);
    return account;
}

QHBoxLayout *makeMoneyLine(QWidget *parent, QRadioButton *deposit, QRadioButton *transfer, QLineEdit *currency,
                           CWexCalcEdit *amount, CDateField *date)
{
    auto *money = new QHBoxLayout;
    money->addWidget(deposit);
    money->addWidget(transfer);
    money->addStretch(1);
    money->addWidget(makeFieldLabel("Wa&luta:", currency, parent));
    money->addWidget(currency);
    money->addSpacing(8);
    money->addWidget(makeFieldLabel("&Kwota:", amount, parent));
    money->addWidget(amount);
    money->addSpacing(8);
    money->addWidget(makeFieldLabel("&Data:", date, parent));
    money->addWidget(date);
    return money;
}

QLineEdit *makeOrderEdit(QWidget *parent, const char *objectName, int widthChars, bool digitsOnly)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(objectName));
    const QFontMetrics fm = edit->fontMetrics();
    if (widthChars > 0)
        edit->setFixedWidth(fm.horizontalAdvance(QString(widthChars, u'0')) + 2 * fm.averageCharWidth() + 8);
    else
        edit->setMinimumWidth(fm.averageCharWidth() * 34);
    if (digitsOnly)
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    return edit;
}

QLabel *makeFieldLabel(const char *text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(QString::fromUtf8(text), parent);
    label->setBuddy(buddy);
    return label;
}

QToolButton *makePickButton(QWidget *parent, const char *objectName)
{
    auto *button = new QToolButton(parent);
    button->setText(QStringLiteral("..."));
    button->setObjectName(QLatin1String(objectName));
    button->setToolTip(QStringLiteral("Wybierz z listy (F2)"));
    // F2 in the name field is the keyboard's way to the list: Tab skips the button.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

void reportEdits(CDetailsPage *page)
{
    for (QLineEdit *edit : page->findChildren<QLineEdit *>())
        QObject::connect(edit, &QLineEdit::textEdited, page, &CDetailsPage::edited);
    for (QRadioButton *radio : page->findChildren<QRadioButton *>())
        QObject::connect(radio, &QRadioButton::clicked, page, &CDetailsPage::edited);
    for (CDateField *date : page->findChildren<CDateField *>())
        QObject::connect(date, &CDateField::edited, page, &CDetailsPage::edited);
    for (CWexCalcEdit *amount : page->findChildren<CWexCalcEdit *>())
        QObject::connect(amount, &CWexCuEdit::amountEdited, page, &CDetailsPage::edited);
    for (CPartyPicks *picks : page->findChildren<CPartyPicks *>())
        QObject::connect(picks, &CPartyPicks::picked, page, &CDetailsPage::edited);
}

CDepositSwitch::CDepositSwitch(QRadioButton *deposit, QRadioButton *transfer, CWexCalcEdit *amount,
                               QLineEdit *account, QObject *parent)
    : QObject(parent), m_deposit(deposit), m_transfer(transfer), m_amount(amount), m_account(account)
{
    for (QLabel *label : account->parentWidget()->findChildren<QLabel *>())
        if (label->buddy() == account)
            m_label = label;
    if (m_label)
        m_accountLabel = m_label->text();
    connect(m_deposit, &QRadioButton::clicked, this, &CDepositSwitch::onDeposit);
    connect(m_transfer, &QRadioButton::clicked, this, &CDepositSwitch::onTransfer);
    connect(m_amount, &QLineEdit::textChanged, this, [this] {
        if (!m_loading && m_deposit->isChecked())
            onDeposit();
    });
}

CWarningMark *makeAccountMark(QWidget *parent, const QList<QLineEdit *> &parts)
{
    auto *mark = new CWarningMark(parent);
    const auto check = [mark, parts] {
        const QString number = accountOfParts(parts);
        mark->setWarning(PaymentWarnings::recipientAccount(number));
        describeAccountParts(parts, number);
    };
    for (QLineEdit *part : parts)
        QObject::connect(part, &QLineEdit::textChanged, mark, check);
    return mark;
}

QString accountOfParts(const QList<QLineEdit *> &parts)
{
    QString number;
    for (QLineEdit *part : parts)
        number += part->text() + u' ';
    return number;
}

void describeAccountParts(const QList<QLineEdit *> &parts, const QString &number)
{
    const QString description = accountDescription(number);
    for (QLineEdit *part : parts)
        part->setToolTip(description);
}

CWarningMark *makeSenderAccountMark(QWidget *parent, QLineEdit *account, QRadioButton *deposit)
{
    auto *mark = new CWarningMark(parent);
    const auto check = [mark, account, deposit] {
        const AccountCheck result = checkAccountNumber(account->text());
        const bool wholeNumber = result == AccountCheck::WrongCheckDigits || result == AccountCheck::WrongBankCode;
        mark->setWarning(wholeNumber && !deposit->isChecked() ? accountCheckWarning(result) : QString());
    };
    QObject::connect(account, &QLineEdit::textChanged, mark, check);
    QObject::connect(deposit, &QRadioButton::toggled, mark, check);
    return mark;
}

void CDepositSwitch::readField()
{
    m_field.text = m_account->text();
    m_field.enabled = m_account->isEnabled();
}

void CDepositSwitch::showField()
{
    m_account->setMaxLength(std::max(m_account->maxLength(), int(m_field.text.size())));
    m_account->setText(m_field.text);
    m_account->setCursorPosition(0);
    m_account->setEnabled(m_field.enabled);
    showLabel();
}

void CDepositSwitch::showLabel()
{
    // A disabled field holds a deposit's amount in words.
    if (m_label)
        m_label->setText(m_account->isEnabled() ? m_accountLabel : QStringLiteral("Kwota słownie:"));
}

void CDepositSwitch::onDeposit()
{
    readField();
    if (m_field.showDigitWords(m_amount->amountText()))
        showField();
}

void CDepositSwitch::onTransfer()
{
    readField();
    m_field.showAccount();
    showField();
}

void CDepositSwitch::load(const std::function<void()> &exchange)
{
    m_loading = true;
    exchange();
    m_loading = false;
    // The account kept for a switch is this order's own, never another's.
    m_field.loaded(m_account->text(), m_transfer->isChecked());
    m_account->setEnabled(m_field.enabled);
    showLabel();
}

void CDepositSwitch::accountPicked(const QString &account)
{
    readField();
    m_field.accountPicked(account, m_deposit->isChecked());
    showField();
}

CCutMarks::CCutMarks(QWidget *page, const CPageContext &context, QRadioButton *transfer, std::vector<Field> fields)
    : QObject(page), m_context(context), m_transfer(transfer), m_fields(std::move(fields))
{
    const QIcon icon = page->style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (const Field &f : m_fields) {
        bool known = false;
        for (const auto &[edit, action] : std::as_const(m_marks))
            known = known || edit == f.edit;
        if (known)
            continue;
        connect(f.edit, &QLineEdit::textChanged, this, &CCutMarks::refresh);
        QAction *mark = f.edit->addAction(icon, QLineEdit::TrailingPosition);
        mark->setToolTip(QStringLiteral("Ten tekst nie zmieści się w kratkach formularza: na wydruku zostanie ucięty."));
        mark->setVisible(false);
        m_marks.append({f.edit, mark});
    }
    connect(m_transfer, &QRadioButton::toggled, this, &CCutMarks::refresh);
}

void CCutMarks::refresh()
{
    if (!m_context.record || !m_context.settings)
        return;
    CPrzelewDane order = *m_context.record;
    order.isTransfer = m_transfer->isChecked() ? 1 : 0;
    for (const Field &f : m_fields)
        *OrderFields::textOf(order, f.field) = f.edit->text();
    const QStringList cut = cutFieldsOf(order, *m_context.settings);
    for (const auto &[edit, mark] : std::as_const(m_marks)) {
        bool marked = false;
        for (const Field &f : m_fields)
            for (const QString &name : OrderFields::printedNames(f.field))
                marked = marked || (f.edit == edit && cut.contains(name));
        mark->setVisible(marked);
    }
}

bool CCutMarks::isMarked(const QLineEdit *edit) const
{
    for (const auto &[e, mark] : m_marks)
        if (e == edit)
            return mark->isVisible();
    return false;
}

CPartyPicks::CPartyPicks(QWidget *page, const CPageContext &context)
    : QObject(page), m_page(page), m_context(context)
{
}

void CPartyPicks::pickRecipient(int kinds, const RecipientFields &fields)
{
    const std::optional<CPickedParty> party = pickParty(m_page, m_context.where, true, kinds);
    if (!party)
        return;
    const QPair<QLineEdit *, QString> values[] = {{fields.name1, party->name1}, {fields.name2, party->name2},
                                                  {fields.check, party->check},  {fields.bank, party->bank},
                                                  {fields.rest, party->account}};
    for (const auto &[edit, text] : values) {
        edit->setMaxLength(std::max(edit->maxLength(), int(text.size())));
        edit->setText(text);
    }
    Q_EMIT picked();
    checkPickedTexts(m_page, {fields.name1, fields.name2});
}

void CPartyPicks::pickSender(QLineEdit *name1, QLineEdit *name2, CDepositSwitch &account)
{
    const std::optional<CPickedParty> party = pickParty(m_page, m_context.where, false, 0);
    if (!party)
        return;
    for (const auto &[edit, text] : {QPair<QLineEdit *, QString>{name1, party->name1}, {name2, party->name2}}) {
        edit->setMaxLength(std::max(edit->maxLength(), int(text.size())));
        edit->setText(text);
    }
    account.accountPicked(party->accountText);
    Q_EMIT picked();
    checkPickedTexts(m_page, {name1, name2});
}

bool checkPickedTexts(QWidget *page, const QList<QLineEdit *> &edits)
{
    for (QLineEdit *edit : edits) {
        if (const auto refusal = PageRules::unencodableRefusal(edit->text())) {
            showWarning(page, refusal->message);
            edit->setFocus(Qt::OtherFocusReason);
            edit->setSelection(refusal->start, refusal->length);
            return false;
        }
    }
    return true;
}

void CPartyPicks::onF2(QLineEdit *edit, std::function<void()> pick)
{
    edit->installEventFilter(this);
    m_f2.append({edit, std::move(pick)});
}

bool CPartyPicks::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_F2 || key->modifiers() != Qt::NoModifier)
        return false;
    for (const auto &[edit, pick] : std::as_const(m_f2)) {
        if (edit != watched)
            continue;
        // The list opens when the key is let go, as the key's press would
        // otherwise land in the list's own name filter.
        if (event->type() == QEvent::KeyRelease && !key->isAutoRepeat())
            pick();
        return true;
    }
    return false;
}
