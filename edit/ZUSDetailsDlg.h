#pragma once
// CZUSDetailsDlg: the page of a transfer to ZUS. The recipient is fixed: the
// purpose of the contributions picks its account when the page is saved.
// The payer with the account, deposit/transfer, amount and date, and the
// payer's identifiers, declaration and decision number. A line under the
// purpose says contributions go to the payer's own account since 2018, and a
// command turns the order into an ordinary transfer to that account.

#include "edit/DetailsPage.h"
#include "edit/PageCommon.h"

class CDateField;
class CWarningMark;
class CWexCalcEdit;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

class CZUSDetailsDlg : public CDetailsPage
{
    Q_OBJECT
public:
    CZUSDetailsDlg(const CPageContext &context, QWidget *parent = nullptr);

    void loadFromRecord() override;
    bool saveToRecord() override;
    QString pageTitle() const override;
    void focusFirstField() override;

    void pickPayer();
    // Asks for the payer's contribution account and, when given, turns the
    // order into an ordinary transfer to it (the owner shows that page).
    void turnIntoContributionTransfer();
    QString keptPayerAccount() const { return m_switch->keptAccount(); }

    // The controls, for the tests and the screenshots.
    QComboBox *purpose() const { return m_purpose; }
    QRadioButton *depositButton() const { return m_deposit; }
    QRadioButton *transferButton() const { return m_transfer; }
    QLineEdit *currency() const { return m_currency; }
    CWexCalcEdit *amount() const { return m_amount; }
    CDateField *date() const { return m_date; }
    QLineEdit *payerAccount() const { return m_payerAccount; }
    CWarningMark *payerAccountMark() const { return m_payerAccountMark; }
    QLineEdit *payer1() const { return m_payer1; }
    QLineEdit *payer2() const { return m_payer2; }
    QToolButton *payerPickButton() const { return m_pickPayer; }
    QLineEdit *nip() const { return m_nip; }
    QComboBox *paymentType() const { return m_paymentType; }
    QComboBox *idType() const { return m_idType; }
    QLabel *idCaption() const { return m_idCaption; }
    QLineEdit *supplementaryId() const { return m_supplementaryId; }
    QLineEdit *declarationMonth() const { return m_declMonth; }
    QLineEdit *declarationYear() const { return m_declYear; }
    QLineEdit *declarationNo() const { return m_declNo; }
    QLineEdit *symbol() const { return m_symbol; }
    const CCutMarks *cutMarks() const { return m_cutMarks; }
    QLineEdit *decision() const { return m_decision; }
    QLabel *accountsChangedLine() const { return m_accountsChanged; }
    QPushButton *contributionTransferButton() const { return m_toContributionTransfer; }

Q_SIGNALS:
    // The record is an ordinary transfer now; the list still holds the ZUS
    // order until the user saves.
    void turnedIntoOrdinary();

private:
    bool exchange(bool toRecord);
    void onPurposeChosen(int position);
    void onPaymentTypeChosen(int position);
    void refreshCaption();

    CPageContext m_context;
    QComboBox *m_purpose;
    QLabel *m_accountsChanged;
    QPushButton *m_toContributionTransfer;
    QRadioButton *m_deposit;
    QRadioButton *m_transfer;
    QLineEdit *m_currency;
    CWexCalcEdit *m_amount;
    CDateField *m_date;
    QLineEdit *m_payerAccount;
    CWarningMark *m_payerAccountMark;
    QLineEdit *m_payer1;
    QToolButton *m_pickPayer;
    QLineEdit *m_payer2;
    QLineEdit *m_nip;
    QComboBox *m_paymentType;
    QComboBox *m_idType;
    QLabel *m_idCaption;
    QLineEdit *m_supplementaryId;
    QLineEdit *m_declMonth;
    QLineEdit *m_declYear;
    QLineEdit *m_declNo;
    QLineEdit *m_symbol;
    QLineEdit *m_decision;
    CDepositSwitch *m_switch;
    CPartyPicks *m_picks;
    CCutMarks *m_cutMarks;
};
