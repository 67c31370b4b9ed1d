#pragma once
// CZUSDetailsDlg: the page of a transfer to ZUS. The recipient is fixed: the
// purpose of the contributions picks its account when the page is saved.
// The payer with the account, deposit/transfer, amount and date, and the
// payer's identifiers, declaration and decision number. A line under the
// purpose says contributions go to the payer's own account since 2018, and a
// command turns the order into an ordinary transfer to that account.

#include "edit/DetailsPage.h"

class CWarningMark;
class QLabel;
class QPushButton;

class CZUSDetailsDlg : public CDetailsPage
{
    Q_OBJECT
public:
    CZUSDetailsDlg(const CPageContext &context, QWidget *parent = nullptr);

    QString pageTitle() const override;

    // Asks for the payer's contribution account and, when given, turns the
    // order into an ordinary transfer to it (the owner shows that page).
    void turnIntoContributionTransfer();

    // The controls, for the tests and the screenshots.
    QComboBox *purpose() const { return m_purpose; }
    QLineEdit *payerAccount() const { return m_senderAccount; }
    CWarningMark *payerAccountMark() const { return m_payerAccountMark; }
    QLineEdit *payer1() const { return m_sender1; }
    QLineEdit *payer2() const { return m_sender2; }
    QToolButton *payerPickButton() const { return m_pickSender; }
    QLineEdit *nip() const { return m_nip; }
    QComboBox *paymentType() const { return m_paymentType; }
    QComboBox *idType() const { return m_idType; }
    QLabel *idCaption() const { return m_idCaption; }
    QLineEdit *supplementaryId() const { return m_supplementaryId; }
    QLineEdit *declarationMonth() const { return m_declMonth; }
    QLineEdit *declarationYear() const { return m_declYear; }
    QLineEdit *declarationNo() const { return m_declNo; }
    QLineEdit *decision() const { return m_decision; }
    QLabel *accountsChangedLine() const { return m_accountsChanged; }
    QPushButton *contributionTransferButton() const { return m_toContributionTransfer; }

Q_SIGNALS:
    // The record is an ordinary transfer now; the list still holds the ZUS
    // order until the user saves.
    void turnedIntoOrdinary();

protected:
    void loaded() override;

private:
    void makeFields();
    void layOut();
    void addSteps();
    void onPurposeChosen(int position);
    void onPaymentTypeChosen(int position);
    void refreshCaption();

    QComboBox *m_purpose;
    QLabel *m_accountsChanged;
    QPushButton *m_toContributionTransfer;
    CWarningMark *m_payerAccountMark;
    QLineEdit *m_nip;
    QComboBox *m_paymentType;
    QComboBox *m_idType;
    QLabel *m_idCaption;
    QLineEdit *m_supplementaryId;
    QLineEdit *m_declMonth;
    QLineEdit *m_declYear;
    QLineEdit *m_declNo;
    QLineEdit *m_decision;
};
