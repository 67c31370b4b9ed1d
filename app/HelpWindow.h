#pragma once
// The user guide shipped in the program's resources, shown in one help
// window shared by the main window and the dialogs' "Pomoc" buttons.

#include <QWidget>

class QTextBrowser;

// Sections of the guide (anchors in help/pomoc.html).
namespace HelpTopic {
inline constexpr char Contents[] = "";
inline constexpr char Orders[] = "przelewy";
inline constexpr char Printing[] = "drukowanie";
inline constexpr char Alignment[] = "ustawienie";
inline constexpr char BlankForms[] = "puste";
inline constexpr char BatchPrint[] = "wsadowe";
inline constexpr char Register[] = "kontrahenci";
inline constexpr char Imports[] = "importy";
inline constexpr char Options[] = "opcje";
} // namespace HelpTopic

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
CHelpWindow *showHelp(const QString &section = {});
