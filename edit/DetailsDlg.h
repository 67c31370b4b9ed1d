#pragma once
// CDetailsDlg: the page of an ordinary transfer or cash deposit: recipient
// and account, deposit/transfer, currency, amount and date, the sender with
// the account, title and form symbol.

#include "edit/DetailsPage.h"

class CWarningMark;

class CDetailsDlg : public CDetailsPage
{
    Q_OBJECT
public:
    CDetailsDlg(const CPageContext &context, QWidget *parent = nullptr);

    QString pageTitle() const override;

    // The controls, for the tests and the screenshots.
    QLineEdit *recipient1() const { return m_recipient1; }
    QLineEdit *recipient2() const { return m_recipient2; }
    QLineEdit *title1() const { return m_title1; }
    QLineEdit *title2() const { return m_title2; }
    QToolButton *recipientPickButton() const { return m_pickRecipient; }
    CWarningMark *recipientAccountMark() const { return m_recipientAccountMark; }
    CWarningMark *senderAccountMark() const { return m_senderAccountMark; }

private:
    void addSteps();

    CWarningMark *m_recipientAccountMark;
    CWarningMark *m_senderAccountMark;
    QLineEdit *m_title1;
    QLineEdit *m_title2;
};
