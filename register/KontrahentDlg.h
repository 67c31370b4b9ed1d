#pragma once
// CKontrahentDlg: edits one party ("Dane odbiorcy" / "Dane nadawcy"). The
// sender form has no kind buttons, shows "Domyślny" instead and is shorter.

#include <QDialog>

class CWarningMark;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

struct KontrahentValues
{
    QString check;      // Kh_LiczbaKontrolna, at most 2
    QString name;       // Kh_Nazwa1, at most 54
    QString name2;      // Kh_Nazwa2, at most 54
    QString bank;       // Kh_BankOdbiorcy, digits, at most 8
    QString account;    // Kh_Rachunek, at most 34
    int kind = 0;       // 0, 1 or 2 (recipients)
    bool isDefault = false;
};

// The texts' limits in the order the dialog takes them back: check digits,
// name, name continued, bank number, account.
struct KontrahentLimit
{
    QString KontrahentValues::*value;
    int limit;
};
inline constexpr KontrahentLimit kKontrahentLimits[] = {
    {&KontrahentValues::check, 2},
    {&KontrahentValues::name, 54},
    {&KontrahentValues::name2, 54},
    {&KontrahentValues::bank, 8},
    {&KontrahentValues::account, 34},
};
// The index in kKontrahentLimits of the first text longer than its limit, -1
// when every text fits.
int firstOverLimit(const KontrahentValues &v);

class CKontrahentDlg : public QDialog
{
    Q_OBJECT

public:
    CKontrahentDlg(bool recipientMode, QWidget *parent = nullptr);

    // Puts the values into the controls. A stored text longer than its limit
    // (the DOS import can write such names) is shown whole; OK refuses it.
    void setValues(const KontrahentValues &v);
    // The values as the controls hold them.
    KontrahentValues values() const;
    bool recipientMode() const { return m_recipientMode; }
    // The warning beside the account when its check digits do not fit.
    const CWarningMark &accountMark() const { return *m_accountMark; }

public Q_SLOTS:
    // Refuses a text longer than its limit with "Proszę wprowadzić najwyżej
    // %1 znaków.", focusing and selecting that field; else closes with OK.
    void accept() override;

private:
    void checkAccount();
    // The edit of each row of kKontrahentLimits.
    QLineEdit *limitedEdit(int index) const;
    bool isAccountPart(const QLineEdit *edit) const;

    bool m_recipientMode;
    QLineEdit *m_name;
    QLineEdit *m_name2;
    QLineEdit *m_check;
    QLineEdit *m_bank;
    QLineEdit *m_account;
    CWarningMark *m_accountMark;
    QGroupBox *m_kindGroup;
    QRadioButton *m_kinds[3];
    QCheckBox *m_isDefault;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    QPushButton *m_help;
};
