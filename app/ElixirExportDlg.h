#pragma once
// The choices of a bank import file: the sender for orders that lack one
// (only asked when some do), the execution date, the code page and the
// classification of tax transfers.

#include "model/ElixirCharset.h"
#include "register/DefaultSender.h"

#include <QDialog>
#include <optional>

class QComboBox;
class QLineEdit;
class QRadioButton;
struct GeneralSettings;

struct ElixirExportChoice
{
    std::optional<CDefaultSender> sender;   // none: orders without a sender account are left out
    bool ownDates = false;                  // else today for every order
    ElixirCodePage codePage = ElixirCodePage::Windows1250;
    QString taxClassification;
};

class CElixirExportDlg : public QDialog
{
    Q_OBJECT
public:
    // `lackingSender` orders have no sender account; the senders are the register's.
    CElixirExportDlg(const QList<CDefaultSender> &senders, int lackingSender, const GeneralSettings &settings,
                     QWidget *parent = nullptr);

    ElixirExportChoice choice() const;

    QComboBox *senderBox() const { return m_sender; }
    QRadioButton *todayButton() const { return m_today; }
    QRadioButton *ownDatesButton() const { return m_ownDates; }
    QComboBox *codePageBox() const { return m_codePage; }
    QLineEdit *taxClassEdit() const { return m_taxClass; }

    void accept() override;

private:
    QList<CDefaultSender> m_senders;
    QComboBox *m_sender = nullptr;
    QRadioButton *m_today = nullptr;
    QRadioButton *m_ownDates = nullptr;
    QComboBox *m_codePage = nullptr;
    QLineEdit *m_taxClass = nullptr;
};
