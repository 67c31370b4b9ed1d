#include "register/KontrahentDlg.h"

#include "base/HelpHook.h"
#include "base/UserDialogs.h"
#include "base/Messages.h"
#include "controls/TypedInput.h"
#include "controls/WarningMark.h"
#include "model/AccountCheck.h"
#include "model/OrderText.h"
#include "model/PaymentWarnings.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>

namespace {

// A line edit; `shortChars` > 0 keeps it as narrow as that many characters
// of the current font. Its limit comes from kKontrahentLimits.
QLineEdit *makeEdit(QWidget *parent, const char *objectName, int shortChars = 0)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(objectName));
    if (shortChars > 0)
        edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QString(shortChars, u'0')) + 16);
    else
        edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * 36);
    return edit;
}

QPushButton *makeButton(const QString &text, const char *objectName, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(objectName));
    return button;
}

} // namespace

CKontrahentDlg::CKontrahentDlg(bool recipientMode, QWidget *parent)
    : QDialog(parent),
      m_recipientMode(recipientMode),
      m_name(makeEdit(this, "name")),
      m_name2(makeEdit(this, "name2")),
      m_check(makeEdit(this, "check", 4)),
      m_bank(makeEdit(this, "bank", 10)),
      m_account(makeEdit(this, "account")),
      m_accountMark(new CWarningMark(this)),
      m_kindGroup(new QGroupBox(QStringLiteral("Typ"), this)),
      m_kinds {new QRadioButton(QStringLiteral("&Kontrahent"), m_kindGroup),
               new QRadioButton(QStringLiteral("&Pracownik"), m_kindGroup),
               new QRadioButton(QStringLiteral("Urząd &skarbowy"), m_kindGroup)},
      m_isDefault(new QCheckBox(QStringLiteral("&Domyślny"), this)),
      m_ok(makeButton(QStringLiteral("OK"), "okButton", this)),
      m_cancel(makeButton(QStringLiteral("Anuluj"), "cancelButton", this)),
      m_help(makeButton(QStringLiteral("Pomoc"), "helpButton", this))
{
    setObjectName(QStringLiteral("CKontrahentDlg"));
    setWindowTitle(recipientMode ? QStringLiteral("Dane odbiorcy") : QStringLiteral("Dane nadawcy"));

    auto *form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    form->addRow(QStringLiteral("N&azwa:"), m_name);
    form->addRow(QStringLiteral("Nazwa &cd.:"), m_name2);
    form->addRow(QStringLiteral("&Liczba kontrolna:"), m_check);
    form->addRow(QStringLiteral("Numer &banku:"), m_bank);
    auto *account = new QHBoxLayout;
    account->addWidget(m_account);
    account->addWidget(m_accountMark);
    auto *accountLabel = new QLabel(QStringLiteral("Numer &rachunku:"), this);
    accountLabel->setBuddy(m_account);
    form->addRow(accountLabel, account);
    for (QLineEdit *part : {m_check, m_bank, m_account})
        connect(part, &QLineEdit::textChanged, this, &CKontrahentDlg::checkAccount);

    m_kindGroup->setObjectName(QStringLiteral("kindGroup"));
    auto *kinds = new QHBoxLayout(m_kindGroup);
    const char *kindNames[] = {"kind0", "kind1", "kind2"};
    for (int k = 0; k < 3; ++k) {
        m_kinds[k]->setObjectName(QLatin1String(kindNames[k]));
        kinds->addWidget(m_kinds[k]);
    }
    m_kinds[0]->setChecked(true);
    m_isDefault->setObjectName(QStringLiteral("isDefault"));
    // The sender form shows "Domyślny" in the kinds' place and is shorter.
    if (recipientMode) {
        form->addRow(m_kindGroup);
        m_isDefault->hide();
    } else {
        form->addRow(QString(), m_isDefault);
        m_kindGroup->hide();
    }

    auto *okCancel = new QHBoxLayout;
    okCancel->addStretch();
    okCancel->addWidget(m_ok);
    okCancel->addWidget(m_cancel);

    auto *left = new QVBoxLayout;
    // Both forms are as wide as the kind buttons need, shown or not.
    left->addStrut(m_kindGroup->sizeHint().width());
    left->addLayout(form);
    left->addSpacing(8);
    left->addLayout(okCancel);

    auto *right = new QVBoxLayout;
    right->addWidget(m_help);
    right->addStretch();

    auto *top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addSpacing(8);
    top->addLayout(right);
    top->setSizeConstraint(QLayout::SetFixedSize);
    top->activate();

    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_help, &QPushButton::clicked, this, [] { requestHelp(HelpTopic::Register); });
    new CAccountInput(m_check, m_bank, m_account, this);
    for (int i = 0; i < int(std::size(kKontrahentLimits)); ++i) {
        QLineEdit *edit = limitedEdit(i);
        if (isAccountPart(edit))
            continue;
        const int limit = kKontrahentLimits[i].limit;
        edit->setMaxLength(limit);
        // A text shown longer than its limit may shrink but never grow again.
        connect(edit, &QLineEdit::textEdited, edit,
                [edit, limit] { edit->setMaxLength(std::max(limit, int(edit->text().size()))); });
    }
}

int firstOverLimit(const KontrahentValues &v)
{
    for (int i = 0; i < int(std::size(kKontrahentLimits)); ++i)
        if ((v.*kKontrahentLimits[i].value).size() > kKontrahentLimits[i].limit)
            return i;
    return -1;
}

bool CKontrahentDlg::isAccountPart(const QLineEdit *edit) const
{
    // Their limits stay with the account input, so a whole number can be pasted.
    return edit == m_check || edit == m_bank || edit == m_account;
}

QLineEdit *CKontrahentDlg::limitedEdit(int index) const
{
    QLineEdit *const edits[] = {m_check, m_name, m_name2, m_bank, m_account};
    static_assert(std::size(edits) == std::size(kKontrahentLimits));
    return edits[index];
}

void CKontrahentDlg::setValues(const KontrahentValues &v)
{
    for (int i = 0; i < int(std::size(kKontrahentLimits)); ++i) {
        const QString &text = v.*kKontrahentLimits[i].value;
        QLineEdit *edit = limitedEdit(i);
        // Typing stays within the limit; a longer stored text is shown whole
        // rather than cut where nobody sees it, and OK refuses it.
        if (!isAccountPart(edit))
            edit->setMaxLength(std::max(kKontrahentLimits[i].limit, int(text.size())));
        edit->setText(text);
    }
    if (v.kind >= 0 && v.kind < 3)
        m_kinds[v.kind]->setChecked(true);
    m_isDefault->setChecked(v.isDefault);
}

void CKontrahentDlg::checkAccount()
{
    const QString number = m_check->text() + u' ' + m_bank->text() + u' ' + m_account->text();
    m_accountMark->setWarning(PaymentWarnings::recipientAccount(number));
    // Whose contribution account or tax micro-account it is, where it is one.
    const QString description = accountDescription(number);
    for (QLineEdit *part : {m_check, m_bank, m_account})
        part->setToolTip(description);
}

KontrahentValues CKontrahentDlg::values() const
{
    KontrahentValues v;
    v.check = m_check->text();
    v.name = m_name->text();
    v.name2 = m_name2->text();
    v.bank = m_bank->text();
    v.account = m_account->text();
    for (int k = 0; k < 3; ++k)
        if (m_kinds[k]->isChecked())
            v.kind = k;
    v.isDefault = m_isDefault->isChecked();
    return v;
}

void CKontrahentDlg::accept()
{
    const int over = firstOverLimit(values());
    if (over >= 0) {
        showWarning(this, Msg::tooLong(kKontrahentLimits[over].limit));
        QLineEdit *edit = limitedEdit(over);
        edit->setFocus();
        edit->selectAll();
        return;
    }
    // A name the file of orders cannot hold would stop every save of an
    // order it is picked into.
    for (int i = 0; i < int(std::size(kKontrahentLimits)); ++i) {
        QLineEdit *edit = limitedEdit(i);
        const QString text = edit->text();
        if (const auto bad = firstUnencodable(text)) {
            showWarning(this, unencodableMessage(text.mid(bad->first, bad->second)));
            edit->setFocus();
            edit->setSelection(int(bad->first), int(bad->second));
            return;
        }
    }
    QDialog::accept();
}
