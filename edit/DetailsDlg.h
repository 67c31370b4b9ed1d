#pragma once
// CDetailsDlg: the page of an ordinary transfer or cash deposit: recipient
// and account, deposit/transfer, currency, amount and date, the sender with
// the account, title and form symbol.

#include "edit/DetailsPage.h"
#include "edit/PageCommon.h"

class CDateField;
class CWarningMark;
class CWexCalcEdit;
class QLineEdit;
class QToolButton;
class QRadioButton;

class CDetailsDlg : public CDetailsPage
{
    Q_OBJECT
public:
    CDetailsDlg(const CPageContext &context, QWidget *parent = nullptr);

    void loadFromRecord() override;
    bool saveToRecord() override;
    QString pageTitle() const override;
    void focusFirstField() override;

    void pickRecipient();
    void pickSender();
    QString keptSenderAccount() const { return m_switch->keptAccount(); }

    // The controls, for the tests and the screenshots.
    QLineEdit *recipient1() const { return m_recipient1; }
    QLineEdit *recipient2() const { return m_recipient2; }
    QLineEdit *checkDigits() const { return m_check; }
    QLineEdit *bankNumber() const { return m_bank; }
    QLineEdit *accountRest() const { return m_rest; }
    QRadioButton *depositButton() const { return m_deposit; }
    QRadioButton *transferButton() const { return m_transfer; }
    QLineEdit *currency() const { return m_currency; }
    CWexCalcEdit *amount() const { return m_amount; }
    CDateField *date() const { return m_date; }
    QLineEdit *senderAccount() const { return m_senderAccount; }
    QLineEdit *sender1() const { return m_sender1; }
    QLineEdit *sender2() const { return m_sender2; }
    QLineEdit *title1() const { return m_title1; }
    QLineEdit *title2() const { return m_title2; }
    QLineEdit *symbol() const { return m_symbol; }
    const CCutMarks *cutMarks() const { return m_cutMarks; }
    QToolButton *recipientPickButton() const { return m_pickRecipient; }
    QToolButton *senderPickButton() const { return m_pickSender; }
    CWarningMark *recipientAccountMark() const { return m_recipientAccountMark; }
    CWarningMark *senderAccountMark() const { return m_senderAccountMark; }

private:
    bool exchange(bool toRecord);

    CPageContext m_context;
    QLineEdit *m_recipient1;
    QToolButton *m_pickRecipient;
    QLineEdit *m_recipient2;
    QLineEdit *m_check;
    QLineEdit *m_bank;
    QLineEdit *m_rest;
    CWarningMark *m_recipientAccountMark;
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
    QLineEdit *m_title1;
    QLineEdit *m_title2;
    QLineEdit *m_symbol;
    CDepositSwitch *m_switch;
    CPartyPicks *m_picks;
    CCutMarks *m_cutMarks;
};
