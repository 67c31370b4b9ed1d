#pragma once
// The calculator edit: a currency edit in which an expression
// such as 120 + 35 * 2 = can be typed, with a button at its right end (and
// F4) that opens the keypad CWexCalcWnd below it.

#include "controls/CalcAutomat.h"
#include "controls/WexCuEdit.h"

class QAction;

class CWexCalcEdit : public CWexCuEdit
{
    Q_OBJECT
public:
    explicit CWexCalcEdit(QWidget *parent = nullptr);
    ~CWexCalcEdit() override;

    void showPopup();
    void hidePopup();
    bool isPopupVisible() const;

    // When off, the field has no calculator button (F4 still works).
    void setShowButton(bool show);
    bool showButton() const { return m_showButton; }
    QAction *calculatorAction() const { return m_button; }

    const CCalcAutomat &automat() const { return m_automat; }

    // The calculator's characters: "+", "-", "*", "/", "=", "%", "t" (CE)
    // and "u" (C). Anything else goes to the currency edit.
    bool typeCalculatorChar(QChar c);

protected:
    // The calculator's keys, taken before the currency edit sees them.
    bool event(QEvent *event) override;

private:
    bool keyPress(QKeyEvent *event);
    bool wantsKey(const QKeyEvent *event) const; // keys taken before shortcuts
    void onButton();
    void typeOperator(char op);
    void equals();
    void percent();
    void clearEntry();
    void clearAll();
    bool showResult(const QString &text);

    CCalcAutomat m_automat;
    QAction *m_button = nullptr;
    bool m_showButton = true;
};
