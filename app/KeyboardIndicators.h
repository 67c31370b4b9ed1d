#pragma once
// The status bar's lock-key panes "CAP", "NUM" and "SCRL": shown enabled
// while the lock is on. The state is read from the X server; elsewhere it
// cannot be known and the panes stay dimmed.

#include <QWidget>

class QLabel;

class CKeyboardIndicators : public QObject
{
    Q_OBJECT
public:
    explicit CKeyboardIndicators(QObject *parent = nullptr);
    // The three panes, in the order they are added to the status bar.
    QList<QLabel *> panes() const { return m_panes; }
    void refresh();

private:
    QList<QLabel *> m_panes;
};
