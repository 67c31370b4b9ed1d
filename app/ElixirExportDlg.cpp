#include "app/ElixirExportDlg.h"

#include "base/Settings.h"
#include "base/UserDialogs.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

CElixirExportDlg::CElixirExportDlg(const QList<CDefaultSender> &senders, int lackingSender,
                                   const GeneralSettings &settings, QWidget *parent)
    : QDialog(parent), m_senders(senders)
{
    setObjectName(QStringLiteral("CElixirExportDlg"));
    setWindowTitle(QStringLiteral("Eksport do banku (Elixir-O)"));
    auto *form = new QFormLayout;

    if (lackingSender > 0) {
        auto *note = new QLabel(
            QStringLiteral("Liczba przelewów bez rachunku nadawcy: %1. Wybierz nadawcę, którego rachunek "
                           "zostanie w nich użyty, albo pomiń te przelewy.")
                .arg(lackingSender),
            this);
        note->setWordWrap(true);
        form->addRow(note);
        m_sender = new QComboBox(this);
        m_sender->setObjectName(QStringLiteral("sender"));
        for (const CDefaultSender &s : senders)
            m_sender->addItem(QStringLiteral("%1 – %2").arg(s.name1.trimmed(), s.account.trimmed()));
        m_sender->addItem(QStringLiteral("(pomiń przelewy bez rachunku nadawcy)"));
        auto *label = new QLabel(QStringLiteral("Rachunek &nadawcy:"), this);
        label->setBuddy(m_sender);
        form->addRow(label, m_sender);
    }

    m_today = new QRadioButton(
        QStringLiteral("&dzisiejsza (%1)").arg(QDate::currentDate().toString(u"dd.MM.yyyy")), this);
    m_today->setObjectName(QStringLiteral("today"));
    m_ownDates = new QRadioButton(QStringLiteral("&własna data każdego przelewu"), this);
    m_ownDates->setObjectName(QStringLiteral("ownDates"));
    m_today->setChecked(true);
    auto *dates = new QVBoxLayout;
    dates->addWidget(m_today);
    dates->addWidget(m_ownDates);
    form->addRow(QStringLiteral("Data wykonania:"), dates);

    m_codePage = new QComboBox(this);
    m_codePage->setObjectName(QStringLiteral("codePage"));
    for (const ElixirCodePageName &page : elixirCodePages())
        m_codePage->addItem(QString::fromUtf8(page.label), int(page.page));
    const std::optional<ElixirCodePage> stored = elixirCodePageByName(settings.elixirCodePage);
    m_codePage->setCurrentIndex(m_codePage->findData(int(stored.value_or(ElixirCodePage::Windows1250))));
    auto *pageLabel = new QLabel(QStringLiteral("&Strona kodowa:"), this);
    pageLabel->setBuddy(m_codePage);
    form->addRow(pageLabel, m_codePage);

    m_taxClass = new QLineEdit(settings.elixirTaxClass, this);
    m_taxClass->setObjectName(QStringLiteral("taxClass"));
    m_taxClass->setMaxLength(2);
    m_taxClass->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,2}")),
                                                             m_taxClass));
    m_taxClass->setToolTip(QStringLiteral("Kod klasyfikacji przelewów do urzędu skarbowego w pliku dla banku; "
                                          "zwykle 71. Zmień go, jeśli bank wymaga innego."));
    auto *taxLabel = new QLabel(QStringLiteral("Klasyfikacja przelewów &podatkowych:"), this);
    taxLabel->setBuddy(m_taxClass);
    form->addRow(taxLabel, m_taxClass);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CElixirExportDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CElixirExportDlg::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

ElixirExportChoice CElixirExportDlg::choice() const
{
    ElixirExportChoice c;
    if (m_sender && m_sender->currentIndex() >= 0 && m_sender->currentIndex() < m_senders.size())
        c.sender = m_senders[m_sender->currentIndex()];
    c.ownDates = m_ownDates->isChecked();
    c.codePage = ElixirCodePage(m_codePage->currentData().toInt());
    c.taxClassification = m_taxClass->text();
    return c;
}

void CElixirExportDlg::accept()
{
    // The bank refuses a whole file over a classification it cannot read.
    if (m_taxClass->text().size() != 2) {
        showWarning(this, QStringLiteral("Klasyfikacja przelewów podatkowych to dwie cyfry (zwykle 71)."));
        m_taxClass->setFocus();
        return;
    }
    QDialog::accept();
}
