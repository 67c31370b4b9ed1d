#include "edit/ZusTransferDlg.h"

#include "model/AccountCheck.h"
#include "model/ZusTransfer.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The number in groups of four after the check digits, as letters from ZUS print it.
QString grouped(const QString &digits)
{
    QString text = digits.left(2);
    for (int i = 2; i < digits.size(); i += 4)
        text += u' ' + digits.mid(i, 4);
    return text;
}

} // namespace

CZusTransferDlg::CZusTransferDlg(const QString &nip, const std::vector<CRegisteredAccount> &registered,
                                 const QString &title, QWidget *parent)
    : QDialog(parent),
      m_nip(nip),
      m_registered(new QComboBox(this)),
      m_account(new QLineEdit(this)),
      m_title(new QLineEdit(this)),
      m_problem(new QLabel(this)),
      m_buttons(new QDialogButtonBox(this)),
      m_replace(m_buttons->addButton(QStringLiteral("&Zamień"), QDialogButtonBox::AcceptRole))
{
    setObjectName(QStringLiteral("CZusTransferDlg"));
    setWindowTitle(QStringLiteral("Przelew na rachunek składkowy ZUS"));
    m_registered->setObjectName(QStringLiteral("registered"));
    m_account->setObjectName(QStringLiteral("account"));
    m_title->setObjectName(QStringLiteral("title"));
    m_problem->setObjectName(QStringLiteral("problem"));
    m_problem->setWordWrap(true);
    m_account->setMaxLength(40);
    m_account->setMinimumWidth(m_account->fontMetrics().horizontalAdvance(QString(34, u'0')));
    m_title->setMaxLength(54);
    m_title->setText(title);

    for (const CRegisteredAccount &a : registered)
        m_registered->addItem(grouped(a.account) + QStringLiteral(" — ") + a.name, a.account);
    m_registered->setEnabled(!registered.empty());
    if (registered.empty())
        m_registered->addItem(QStringLiteral("(w rejestrze nie ma rachunku składkowego NIP %1)").arg(nip));
    else
        m_account->setText(grouped(registered.front().account));

    auto *intro = new QLabel(
        QStringLiteral("Od 1 stycznia 2018 r. wszystkie składki wpłaca się jednym zwykłym przelewem na rachunek "
                       "składkowy płatnika (NRS) podany przez ZUS. Przelew ZUS zostanie zamieniony na zwykły "
                       "przelew do ZUS z tą samą kwotą, datą i nadawcą; na liście zastąpi go dopiero po "
                       "zapisaniu."),
        this);
    intro->setWordWrap(true);

    auto *form = new QFormLayout;
    auto addRow = [&](const char *label, QWidget *field) {
        auto *l = new QLabel(QString::fromUtf8(label), this);
        l->setBuddy(field);
        form->addRow(l, field);
    };
    addRow("Z &rejestru:", m_registered);
    addRow("&Numer rachunku (NRS):", m_account);
    addRow("&Tytułem:", m_title);

    m_replace->setObjectName(QStringLiteral("replace"));
    m_buttons->addButton(QStringLiteral("Anuluj"), QDialogButtonBox::RejectRole);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(form);
    layout->addWidget(m_problem);
    layout->addWidget(m_buttons);

    connect(m_registered, &QComboBox::activated, this, [this](int position) {
        const QString digits = m_registered->itemData(position).toString();
        if (!digits.isEmpty())
            m_account->setText(grouped(digits));
    });
    connect(m_account, &QLineEdit::textChanged, this, &CZusTransferDlg::refresh);
    connect(m_title, &QLineEdit::textChanged, this, &CZusTransferDlg::refresh);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    refresh();
}

QString CZusTransferDlg::account() const
{
    return accountDigits(m_account->text());
}

QString CZusTransferDlg::title() const
{
    return m_title->text().trimmed();
}

void CZusTransferDlg::refresh()
{
    const QString problem = ZusTransfer::accountProblem(m_account->text(), m_nip);
    m_problem->setText(problem.isEmpty() ? QStringLiteral("Rachunek składkowy płatnika NIP %1.").arg(m_nip)
                                         : problem);
    m_replace->setEnabled(problem.isEmpty() && !title().isEmpty());
}
