#pragma once
// Window subclassing on Qt event filters: any number of hooks per
// widget, the latest hook first. A hook sees every event of its widget before
// the widget does; it may consume it, let it run on to the next hook (and at
// the end of the chain to the widget's own event()), or hand it on at once
// with callDefault() and act on the outcome. All hooks of a widget are
// removed when the widget is destroyed.

#include <QObject>

class QWidget;

class CSubclassWnd : public QObject
{
    Q_OBJECT
public:
    explicit CSubclassWnd(QObject *parent = nullptr);
    ~CSubclassWnd() override;

    // Installs this hook as the widget's first hook; hook(nullptr) removes it.
    // A hook serves one widget at a time: hooking another widget unhooks first.
    void hook(QWidget *widget);
    void unhook() { hook(nullptr); }

    QWidget *hookedWindow() const { return m_wnd; }
    CSubclassWnd *nextHook() const { return m_next; }
    // The hook that sees the widget's events first, or null.
    static CSubclassWnd *firstHook(const QWidget *widget);

protected:
    // Returns true when the event is consumed. The default passes it on.
    virtual bool windowProc(QEvent *event);
    // Passes the event being handled to the rest of the chain below this hook
    // and the widget itself now, returning the widget's result; the event is
    // then not delivered a second time when windowProc returns.
    bool callDefault(QEvent *event);

private:
    bool eventFilter(QObject *watched, QEvent *event) final;
    bool deliver(QEvent *event);
    static void removeAllHooks(const QWidget *widget);

    struct Call;
    QWidget *m_wnd = nullptr;
    CSubclassWnd *m_next = nullptr;
    Call *m_call = nullptr; // the innermost windowProc call in progress
};
