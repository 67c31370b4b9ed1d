#pragma once
// CDetailsPage: what the three order pages share. The controls every page
// has (deposit/transfer, currency, amount, date, the sender with the account,
// the symbol; on the pages that have one, the recipient with the account),
// built in the order of the form, which is the Tab order; the picks, F2, the
// deposit switch and the cut marks; and the exchange with the record as a
// list of steps, one per control, in the order of the page's rules.
// Loading runs every step towards the controls. Saving checks the steps in
// order until the first that fails (its message shown, its control focused
// with the offending text selected) and only then stores the steps before it.

#include "edit/PageCommon.h"

#include <QWidget>
#include <functional>
#include <vector>

class CDateField;
class CWexCalcEdit;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QToolButton;

class CDetailsPage : public QWidget
{
    Q_OBJECT
public:
    // The context is the dialog's: a register chosen later counts at once.
    CDetailsPage(const CPageContext &context, FormKind kind, const char *objectName, QWidget *parent);

    // Loads every control from the record.
    void loadFromRecord();
    // Checks every step, then stores those before the first failing one;
    // false when one failed.
    bool saveToRecord();
    // The dialog's title while this page is shown.
    virtual QString pageTitle() const = 0;
    // Where the focus goes when the page is shown.
    void focusFirstField();

    // The register's lists: the recipient's names and account, or the
    // sender's names and account.
    void pickRecipient();
    void pickSender();
    // The sender's account kept while the field shows a deposit's words.
    QString keptSenderAccount() const { return m_switch->keptAccount(); }

    // The controls, for the tests and the screenshots. The recipient's
    // account is null on a page without one.
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
    QToolButton *senderPickButton() const { return m_pickSender; }
    QLineEdit *symbol() const { return m_symbol; }
    const CCutMarks *cutMarks() const { return m_cutMarks; }

Q_SIGNALS:
    // The user changed something since the page was last loaded.
    void edited();

protected:
    // One step of the exchange: shows the record's value in its control,
    // checks what the control holds and stores it; a part left empty does
    // nothing (a step that cannot fail has no check).
    struct Step
    {
        std::function<void(const CPrzelewDane &)> load;
        std::function<bool()> check;
        std::function<void(CPrzelewDane &)> store;
    };
    // The controls, created in this order where the page calls them.
    void makeRecipientFields(const char *name1, const char *pick, const char *name2, int registerKinds);
    void makeMoneyFields(bool fixedCurrency);
    void makeSenderFields(const char *account, const char *name1, const char *pick, const char *name2);
    void makeSymbolField();
    // After the steps and the layout: the switch, the picks, the cut marks
    // and the report of edits.
    void finishPage(QWidget *firstField);

    // The steps, in the order they run. A text's limit is the catalogue's,
    // a name line's follows the boxes setting; the text is marked when
    // printing would cut it.
    void textStep(QLineEdit *edit, OrderField field);
    // A part of the recipient's account: its input limit stays with the
    // account input (CAccountInput), so a whole number can be pasted.
    void accountPartStep(QLineEdit *edit, OrderField field);
    void dateStep();
    // The amount, then the zero question and the deposit's words.
    void amountSteps();
    void transferFlagStep();
    // The steps a page with a recipient begins with: the accounts, the date,
    // the amount and the names.
    void recipientPageSteps();
    // A drop-down list standing for a stored code. A code with no entry is
    // shown as no selection and stays stored as it is until the user picks
    // an entry.
    void listStep(QComboBox *combo, int CPrzelewDane::*field, std::function<int(int code)> positionOf,
                  std::function<int(int position)> codeOf);
    void addStep(Step step) { m_steps.push_back(std::move(step)); }
    // An edit marked when printing would cut the field it shows.
    void markCuts(QLineEdit *edit, OrderField field) { m_marked.push_back({edit, field}); }

    // What a page does once loaded, before the cut marks are refreshed.
    virtual void loaded() {}
    // The failing step's message, with the focus and the whole text of its control.
    bool fail(QWidget *control, const QString &message);
    // Refuses a text longer than `limit` or with a character the file cannot hold.
    bool checkText(QLineEdit *edit, int limit);
    // Loads a text, shown whole even when a file brought one over the limit.
    void loadText(QLineEdit *edit, const QString &text, int limit);
    // The characters a field's control takes: a name line's follow the
    // boxes setting, any other field's are the catalogue's.
    int limitOf(OrderField field) const;

    const CPageContext &m_context;
    const FormKind m_kind;
    QLineEdit *m_recipient1 = nullptr;
    QToolButton *m_pickRecipient = nullptr;
    QLineEdit *m_recipient2 = nullptr;
    QLineEdit *m_check = nullptr;
    QLineEdit *m_bank = nullptr;
    QLineEdit *m_rest = nullptr;
    QRadioButton *m_deposit = nullptr;
    QRadioButton *m_transfer = nullptr;
    QLineEdit *m_currency = nullptr;
    CWexCalcEdit *m_amount = nullptr;
    CDateField *m_date = nullptr;
    QLineEdit *m_senderAccount = nullptr;
    QLineEdit *m_sender1 = nullptr;
    QToolButton *m_pickSender = nullptr;
    QLineEdit *m_sender2 = nullptr;
    QLineEdit *m_symbol = nullptr;
    CPartyPicks *m_picks = nullptr;

private:
    int m_registerKinds = 0;
    QWidget *m_firstField = nullptr;
    std::vector<Step> m_steps;
    std::vector<CCutMarks::Field> m_marked;
    CDepositSwitch *m_switch = nullptr;
    CCutMarks *m_cutMarks = nullptr;
};
