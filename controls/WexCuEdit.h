#pragma once
// The currency edit: a line edit that shows an amount with Polish
// grouping and a fixed number of decimals and edits it digit by digit, so
// that its text is a valid amount after every key. Positions exchanged with
// the owner are raw-text positions (see CurrencyEditModel).

#include "controls/CurrencyEditModel.h"

#include <QLineEdit>

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
    QString amountText() const { return m_model.text(); }
    int amountTextLength() const { return int(amountText().size()); }
    CWexOleCurrency amount() const { return m_model.amount(); }
    bool setAmount(const CWexOleCurrency &amount);

    // Selection in raw-text positions; an end of -1 is the end of the text.
    CurrencyEditModel::Selection rawSelection() const;
    void setRawSelection(int start, int end);

    void setSuffixAndDecimals(const QString &suffix, int decimals);
    QString suffix() const { return m_model.suffix(); }
    int decimals() const { return m_model.decimals(); }

    const CurrencyEditModel &model() const { return m_model; }

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
    // Keys (Tab too, which keyPressEvent never sees) and left clicks come
    // here first; the line edit's own handling gets only those that move the
    // caret or select.
    bool event(QEvent *event) override;

private:
    bool keyPress(QKeyEvent *event);
    bool mouseButton(QMouseEvent *event);
    void onTextChanged(const QString &text);
    void pasteAmount();
    void cutSelection();

    CurrencyEditModel m_model;
    bool m_showing = false; // our own setText is running
};
