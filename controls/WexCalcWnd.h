#pragma once
// The calculator keypad: one window for the whole program, shown
// under the calculator edit that owns it. Its owner is the last edit it was
// shown for: that edit's destructor destroys it (releaseOwner), so it never
// outlives the dialogs that use it. While it is shown it watches all
// mouse and keyboard input of the application: a press anywhere else or
// Escape hides it, and the button of a key held down is drawn pressed. Its
// buttons send their characters to the owner edit as typed keys.

#include <QPointer>
#include <QWidget>
#include <array>

class CWexCalcEdit;
class QKeyEvent;

class CWexCalcWnd : public QWidget
{
    Q_OBJECT
public:
    struct Button
    {
        const char16_t *label;
        char16_t character; // sent to the owner as typed
        int x, y, width, height; // dialog units
    };
    static constexpr int kButtonCount = 20;
    static const std::array<Button, kButtonCount> kButtons;
    static constexpr int kWidthDu = 60;
    static constexpr int kHeightDu = 66;

    // The one keypad; created on first use.
    static CWexCalcWnd *instance();
    static CWexCalcWnd *existingInstance();
    // Destroys the keypad when this edit owns it.
    static void releaseOwner(const CWexCalcEdit *edit);

    // Shows the keypad under the edit, which becomes its owner.
    void popup(CWexCalcEdit *owner);
    void dismiss() { hide(); }
    CWexCalcEdit *owner() const { return m_owner; }
    bool isShownFor(const CWexCalcEdit *edit) const { return isVisible() && m_owner == edit; }

    QRect buttonRect(int index) const;
    int buttonAt(const QPoint &pos) const;
    // The button drawn pressed by the mouse or a held key, or -1.
    int pressedButton() const { return m_mousePressed >= 0 ? m_mousePressed : m_keyPressed; }
    static int buttonForKey(const QKeyEvent *event);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    CWexCalcWnd();
    ~CWexCalcWnd() override;
    bool isOwnTarget(const QObject *target) const;
    void sendCharacter(char16_t c);
    void setKeyPressed(int index);
    void setMousePressed(int index);

    QPointer<CWexCalcEdit> m_owner;
    int m_baseX = 8;  // dialog base units of the owner's font
    int m_baseY = 16;
    int m_tracking = -1;     // the button a mouse press started on
    int m_mousePressed = -1;
    int m_keyPressed = -1;
    bool m_watchingInput = false;
};
