#pragma once
// The user guide shipped in the program's resources, shown in one help
// window shared by the main window and the dialogs' "Pomoc" buttons.

#include "base/HelpHook.h"

#include <QWidget>

class QTextBrowser;

class CHelpWindow : public QWidget
{
    Q_OBJECT
public:
    explicit CHelpWindow(QWidget *parent = nullptr);
    void showTopic(const QString &section);
    QTextBrowser *browser() const { return m_browser; }

private:
    QTextBrowser *m_browser;
};

// Shows the guide at the section, raising the window when it is open already.
// The window is one for the program; it deletes itself when closed, and
// CKantomixApp installs it as the help hook's handler at start.
CHelpWindow *showHelp(const QString &section = {});

// Makes requestHelp() of every dialog show this window.
void installHelpWindow();
