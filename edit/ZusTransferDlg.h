#pragma once
// CZusTransferDlg: asks for the payer's contribution account (NRS) before a
// ZUS order becomes an ordinary transfer to ZUS: one of the register's
// accounts for the payer's NIP, or a number typed in and checked against
// it; the title is offered from the declaration period and can be changed.
// "Zamień" is on only while the number is the payer's contribution account.

#include "register/ContributionAccounts.h"

#include <QDialog>
#include <vector>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPushButton;

class CZusTransferDlg : public QDialog
{
    Q_OBJECT
public:
    CZusTransferDlg(const QString &nip, const std::vector<CRegisteredAccount> &registered, const QString &title,
                    QWidget *parent = nullptr);

    // The account as typed or picked (26 digits once accepted).
    QString account() const;
    QString title() const;

    QComboBox *registered() const { return m_registered; }
    QLineEdit *accountEdit() const { return m_account; }
    QLineEdit *titleEdit() const { return m_title; }
    QLabel *problem() const { return m_problem; }
    QPushButton *replaceButton() const { return m_replace; }

private:
    void refresh();

    QString m_nip;
    QComboBox *m_registered;
    QLineEdit *m_account;
    QLineEdit *m_title;
    QLabel *m_problem;
    QDialogButtonBox *m_buttons;
    QPushButton *m_replace;
};
