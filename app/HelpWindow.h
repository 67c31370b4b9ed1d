#pragma once
// The user guide shipped in the program's resources, shown in one help
// window shared by the main window and the dialogs' "Pomoc" buttons. Opened
// from a modal dialog it stays usable (it belongs to that dialog while the
// dialog runs); it never keeps the program running on its own.

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

    // Puts the window above the modal dialog running now, if any, so that
    // the dialog does not block it.
    void followActiveModal();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void moveTo(QWidget *owner);

    QTextBrowser *m_browser;
};

// Where a window of the `wanted` size opens beside `owner` (its frame, on
// screen): centred on it, made smaller to fit the `available` area of its
// screen and moved wholly inside it. The title bar's room is kept above.
QRect placeBesideOwner(const QSize &wanted, const QRect &owner, const QRect &available);

// Shows the guide at the section, raising the window when it is open already.
// The window is one for the program; it deletes itself when closed, and
// CKantomixApp installs it as the help hook's handler at start.
CHelpWindow *showHelp(const QString &section = {});
// The help window when it is open, else nullptr.
CHelpWindow *helpWindow();
// Closes the help window when it is open.
void closeHelpWindow();

// Makes requestHelp() of every dialog show this window.
void installHelpWindow();
