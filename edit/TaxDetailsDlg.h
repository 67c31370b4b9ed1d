#pragma once
// CTaxDetailsDlg: the page of a transfer to a tax office: the office and its
// account, deposit/transfer, amount and date, the obligated party with the
// account, the payer identifier and its type, the period, the form symbol
// and the obligation's identification. "Mikrorachunek" fills the account
// with the payer's tax micro-account; quiet marks beside the account, the
// identifier and the period say what does not go together.

#include "edit/DetailsPage.h"
#include "edit/PageCommon.h"

#include <QStringList>

class CDateField;
class CWarningMark;
class CWexCalcEdit;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

class CTaxDetailsDlg : public CDetailsPage
{
    Q_OBJECT
public:
    CTaxDetailsDlg(const CPageContext &context, QWidget *parent = nullptr);

    void loadFromRecord() override;
    bool saveToRecord() override;
    QString pageTitle() const override;
    void focusFirstField() override;

    void pickOffice();
    void pickSender();
    // "Mikrorachunek": the payer's micro-account into the account fields.
    void fillMicroAccount();
    QString keptSenderAccount() const { return m_switch->keptAccount(); }

    // The controls, for the tests and the screenshots.
    QLineEdit *office1() const { return m_office1; }
    QToolButton *officePickButton() const { return m_pickOffice; }
    QLineEdit *office2() const { return m_office2; }
    QLineEdit *checkDigits() const { return m_check; }
    QLineEdit *bankNumber() const { return m_bank; }
    QLineEdit *accountRest() const { return m_rest; }
    CWarningMark *accountMark() const { return m_accountMark; }
    QPushButton *microAccountButton() const { return m_microAccount; }
    CWarningMark *payerIdMark() const { return m_payerIdMark; }
    CWarningMark *periodMark() const { return m_periodMark; }
    CWarningMark *senderAccountMark() const { return m_senderAccountMark; }
    CWarningMark *formSymbolMark() const { return m_formSymbolMark; }
    QRadioButton *depositButton() const { return m_deposit; }
    QRadioButton *transferButton() const { return m_transfer; }
    QLineEdit *currency() const { return m_currency; }
    CWexCalcEdit *amount() const { return m_amount; }
    CDateField *date() const { return m_date; }
    QLineEdit *senderAccount() const { return m_senderAccount; }
    QLineEdit *sender1() const { return m_sender1; }
    QToolButton *senderPickButton() const { return m_pickSender; }
    QLineEdit *sender2() const { return m_sender2; }
    QLineEdit *payerId() const { return m_payerId; }
    QComboBox *idType() const { return m_idType; }
    QLineEdit *period() const { return m_period; }
    QComboBox *formSymbol() const { return m_formSymbol; }
    QLineEdit *obligation() const { return m_obligation; }
    QLineEdit *symbol() const { return m_symbol; }
    const CCutMarks *cutMarks() const { return m_cutMarks; }

private:
    bool exchange(bool toRecord);
    bool exchangeFormSymbol(CExchange &x, QString &field);
    int idTypeCode() const;
    // The marks and the button follow the account, symbol, identifier and period.
    void refreshMarks();

    CPageContext m_context;
    QStringList m_formSymbols;
    QLineEdit *m_office1;
    QToolButton *m_pickOffice;
    QLineEdit *m_office2;
    QLineEdit *m_check;
    QLineEdit *m_bank;
    QLineEdit *m_rest;
    CWarningMark *m_accountMark;
    QPushButton *m_microAccount;
    CWarningMark *m_payerIdMark;
    CWarningMark *m_periodMark;
    QRadioButton *m_deposit;
    QRadioButton *m_transfer;
    QLineEdit *m_currency;
    CWexCalcEdit *m_amount;
    CDateField *m_date;
    QLineEdit *m_senderAccount;
    CWarningMark *m_senderAccountMark;
    QLineEdit *m_sender1;
    QToolButton *m_pickSender;
    QLineEdit *m_sender2;
    QLineEdit *m_payerId;
    QComboBox *m_idType;
    QLineEdit *m_period;
    QComboBox *m_formSymbol;
    CWarningMark *m_formSymbolMark;
    QLineEdit *m_obligation;
    QLineEdit *m_symbol;
    CDepositSwitch *m_switch;
    CPartyPicks *m_picks;
    CCutMarks *m_cutMarks;
};
