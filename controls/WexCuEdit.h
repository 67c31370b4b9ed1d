#pragma once
// The currency edit: a line edit that shows an amount with Polish
// grouping and a fixed number of decimals and edits it digit by digit, so
// that its text is a valid amount after every key. Positions exchanged with
// the owner are raw-text positions (see CurrencyEditModel).

#include "controls/CurrencyEditModel.h"
#include "controls/SubclassWnd.h"

#include <QLineEdit>

class CWexCuEdit;

// The hook that takes over the edit's keys and mouse clicks.
class CWexSubCuEdit : public CSubclassWnd
{
    Q_OBJECT
public:
    explicit CWexSubCuEdit(CWexCuEdit *edit);

    CurrencyEditModel &model() { return m_model; }
    const CurrencyEditModel &model() const { return m_model; }

protected:
    bool windowProc(QEvent *event) override;

private:
    bool keyPress(class QKeyEvent *event);
    bool mouseEvent(class QMouseEvent *event);

    CWexCuEdit *m_edit;
    CurrencyEditModel m_model;
};

class CWexCuEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit CWexCuEdit(QWidget *parent = nullptr);
    ~CWexCuEdit() override;

    // "Set text": refuses (false) a text that is not an amount, selecting the
    // whole text; otherwise shows it with the caret before the separator.
    bool setAmountText(const QString &text);
    // "Get text": the amount without grouping or suffix ("1234,5").
    QString amountText() const { return m_sub.model().text(); }
    int amountTextLength() const { return int(amountText().size()); }
    CWexOleCurrency amount() const { return m_sub.model().amount(); }
    bool setAmount(const CWexOleCurrency &amount);

    // Selection in raw-text positions; an end of -1 is the end of the text.
    CurrencyEditModel::Selection rawSelection() const;
    void setRawSelection(int start, int end);

    void setSuffixAndDecimals(const QString &suffix, int decimals);
    QString suffix() const { return m_sub.model().suffix(); }
    int decimals() const { return m_sub.model().decimals(); }

    const CurrencyEditModel &model() const { return m_sub.model(); }

Q_SIGNALS:
    // After every change made by typing.
    void amountEdited();
    // A key was refused with a warning beep.
    void keyRefused();

protected:
    // Shows the model's new state after a key: beeps when it was refused,
    // notifies the owner when the amount changed.
    void applyOutcome(CurrencyEditModel::Outcome outcome, CurrencyEditModel::Selection sel);
    void notifyEdited();
    void showModel(CurrencyEditModel::Selection sel);
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    friend class CWexSubCuEdit;
    void onTextChanged(const QString &text);
    void pasteAmount();
    void cutSelection();

    CWexSubCuEdit m_sub;
    bool m_showing = false; // our own setText is running
};
