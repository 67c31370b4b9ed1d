#pragma once
// CTaxDetailsDlg: the page of a transfer to a tax office: the office and its
// account, deposit/transfer, amount and date, the obligated party with the
// account, the payer identifier and its type, the period, the form symbol
// and the obligation's identification. "Mikrorachunek" fills the account
// with the payer's tax micro-account; quiet marks beside the account, the
// identifier and the period say what does not go together.

#include "edit/DetailsPage.h"

#include <QStringList>

class CWarningMark;
class QPushButton;

class CTaxDetailsDlg : public CDetailsPage
{
    Q_OBJECT
public:
    CTaxDetailsDlg(const CPageContext &context, QWidget *parent = nullptr);

    QString pageTitle() const override;

    // "Mikrorachunek": the payer's micro-account into the account fields.
    void fillMicroAccount();

    // The controls, for the tests and the screenshots.
    QLineEdit *office1() const { return m_recipient1; }
    QToolButton *officePickButton() const { return m_pickRecipient; }
    QLineEdit *office2() const { return m_recipient2; }
    CWarningMark *accountMark() const { return m_accountMark; }
    QPushButton *microAccountButton() const { return m_microAccount; }
    CWarningMark *payerIdMark() const { return m_payerIdMark; }
    CWarningMark *periodMark() const { return m_periodMark; }
    CWarningMark *senderAccountMark() const { return m_senderAccountMark; }
    CWarningMark *formSymbolMark() const { return m_formSymbolMark; }
    QLineEdit *payerId() const { return m_payerId; }
    QComboBox *idType() const { return m_idType; }
    QLineEdit *period() const { return m_period; }
    QComboBox *formSymbol() const { return m_formSymbol; }
    QLineEdit *obligation() const { return m_obligation; }

private:
    void makeFormSymbol();
    void layOut();
    void addSteps();
    int idTypeCode() const;
    // The marks and the button follow the account, symbol, identifier and period.
    void refreshMarks();
    void showFormSymbolMark(const QString &symbol);

    QStringList m_formSymbols;
    CWarningMark *m_accountMark;
    QPushButton *m_microAccount;
    CWarningMark *m_payerIdMark;
    CWarningMark *m_periodMark;
    CWarningMark *m_senderAccountMark;
    QLineEdit *m_payerId;
    QComboBox *m_idType;
    QLineEdit *m_period;
    QComboBox *m_formSymbol;
    CWarningMark *m_formSymbolMark;
    QLineEdit *m_obligation;
};
