#pragma once
// What the order pages are built from: the context, the makers of their
// controls, the deposit/transfer switch of the sender-account field, the cut
// marks, the party picks from the register and F2 in the name fields.

#include "base/Settings.h"
#include "edit/PageRules.h"
#include "model/OrderFields.h"
#include "register/RegisterLocation.h"

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

class CDateField;
class CWarningMark;
class CPrzelewDane;
class CWexCalcEdit;
class QAction;
class QComboBox;
class QHBoxLayout;
class QLineEdit;
class QRadioButton;
class QWidget;

// What every page works on: the record (owned by the caller), the settings
// (read at each exchange, so a change in the options counts at once) and the
// register the picks read.
struct CPageContext
{
    CPrzelewDane *record = nullptr;
    const AllSettings *settings = nullptr;
    RegisterLocation where;

    // 27 or 54, from the boxes setting of the kind's form.
    int nameLimit(FormKind kind) const;
};

// A line edit of the pages: `width` characters wide at most (0: grows),
// digits only when asked.
QLineEdit *makeOrderEdit(QWidget *parent, const char *objectName, int widthChars = 0, bool digitsOnly = false);

// A drop-down list of fixed entries, in the given order.
QComboBox *makeOrderListOf(QWidget *parent, const char *objectName, const char16_t *const *entries, size_t count);
template <size_t N>
QComboBox *makeOrderList(QWidget *parent, const char *objectName, const char16_t *const (&entries)[N])
{
    return makeOrderListOf(parent, objectName, entries, N);
}
// The amount edit of the pages: right-aligned, wide enough for large amounts.
CWexCalcEdit *makeAmountEdit(QWidget *parent);
// The recipient's account in its three parts, with its mark, in one line;
// the parts take digits only (CAccountInput).
QHBoxLayout *makeAccountLine(QWidget *parent, const char *bankLabel, const char *restLabel, QLineEdit *check,
                             QLineEdit *bank, QLineEdit *rest, QWidget *mark);
// The radio pair, currency, amount and date in one line, as the forms have them.
QHBoxLayout *makeMoneyLine(QWidget *parent, QRadioButton *deposit, QRadioButton *transfer, QLineEdit *currency,
                           CWexCalcEdit *amount, CDateField *date);

// A field's label; its "&" letter moves the focus to `buddy`.
class QLabel;
class QToolButton;
class CDetailsPage;
QLabel *makeFieldLabel(const char *text, QWidget *buddy, QWidget *parent);
// The "..." button beside a name field; F2 in the field does the same.
QToolButton *makePickButton(QWidget *parent, const char *objectName);
// Reports every change the user makes on the page's controls as edited().
void reportEdits(CDetailsPage *page);

// A quiet mark beside an account that follows the typing and never blocks.
// The recipient's account (in its parts) is marked whenever it holds
// something that is not a valid Polish account number, or an account closed
// for payments; the parts' tooltip says whose contribution account or tax
// micro-account it is.
CWarningMark *makeAccountMark(QWidget *parent, const QList<QLineEdit *> &parts);
// The recipient's account held in its parts, as one text.
QString accountOfParts(const QList<QLineEdit *> &parts);
// The tooltip of the account's parts: whose account it is, if known.
void describeAccountParts(const QList<QLineEdit *> &parts, const QString &number);
// The sender's account only when it holds a whole 26-digit number that does
// not check, and never while it shows a deposit's amount in words.
CWarningMark *makeSenderAccountMark(QWidget *parent, QLineEdit *account, QRadioButton *deposit);

// Texts and names the file cannot hold are refused as they are saved; a pick
// from the register that brings one says so at once, on its field.
bool checkPickedTexts(QWidget *page, const QList<QLineEdit *> &edits);

// The radio pair, the amount and the sender-account field working together:
// "Wpłata" shows the amount in digit words in the field (and follows every
// change of the amount), "Przelew" brings back the account kept meanwhile.
// The field's label says which of the two it holds.
class CDepositSwitch : public QObject
{
    Q_OBJECT
public:
    CDepositSwitch(QRadioButton *deposit, QRadioButton *transfer, CWexCalcEdit *amount, QLineEdit *account,
                   QObject *parent);

    // Loads the page through `exchange`: changes of the amount meanwhile are
    // the record's, not the user's; afterwards the field is enabled for a
    // transfer only.
    void load(const std::function<void()> &exchange);
    // A sender's account picked from the register.
    void accountPicked(const QString &account);
    QString keptAccount() const { return m_field.kept; }

private:
    void onDeposit();
    void onTransfer();
    void readField();
    void showField();
    void showLabel();

    QRadioButton *m_deposit;
    QRadioButton *m_transfer;
    CWexCalcEdit *m_amount;
    QLineEdit *m_account;
    QLabel *m_label = nullptr;      // the field's label, made before the switch
    QString m_accountLabel;         // its text while the field holds an account
    PageRules::SenderAccountField m_field;
    bool m_loading = false;
};

// Marks, quietly while the user types, each field whose text will be cut on
// paper as the settings print the order's form (one character per box): an
// icon at the field's end whose tooltip says so. Nothing is refused.
class CCutMarks : public QObject
{
    Q_OBJECT
public:
    // An edit and the order's field it shows.
    struct Field
    {
        QLineEdit *edit;
        OrderField field;
    };
    CCutMarks(QWidget *page, const CPageContext &context, QRadioButton *transfer, std::vector<Field> fields);

    void refresh();
    bool isMarked(const QLineEdit *edit) const;

private:
    const CPageContext &m_context;
    QRadioButton *m_transfer;
    std::vector<Field> m_fields;
    QList<QPair<QLineEdit *, QAction *>> m_marks;
};

// The fields a recipient pick fills.
struct RecipientFields
{
    QLineEdit *name1, *name2, *check, *bank, *rest;
};

// The picks and F2: "..." beside a name field, or F2 released in it, opens
// the register's list; what is picked goes into the controls only.
class CPartyPicks : public QObject
{
    Q_OBJECT
public:
    CPartyPicks(QWidget *page, const CPageContext &context);

    // Recipients of the kinds in `kinds` (bits 1, 2, 4) into the fields.
    void pickRecipient(int kinds, const RecipientFields &fields);
    // A sender: the names into the fields, the account through the switch.
    void pickSender(QLineEdit *name1, QLineEdit *name2, CDepositSwitch &account);
    // F2 released in `edit` runs `pick`.
    void onF2(QLineEdit *edit, std::function<void()> pick);

Q_SIGNALS:
    // A pick changed the controls.
    void picked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_page;
    const CPageContext &m_context;
    QList<QPair<QLineEdit *, std::function<void()>>> m_f2;
};
