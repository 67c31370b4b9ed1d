#pragma once
// Every message box, file dialog, typed answer and modal dialog of the program
// goes through these functions. The handlers show the real windows; a test
// replaces them (setDialogHandlers) to answer without a window and to see
// what was asked.

#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QString>
#include <functional>
#include <optional>

class QDialog;
class QWidget;

// A button of our own on a message box, with its Qt role.
struct BoxChoice
{
    QString text {};
    QMessageBox::ButtonRole role = QMessageBox::ActionRole;
};

// A message box under the program's title. Standard buttons come first, then
// the choices in order; the default and the Esc button are either a standard
// button or the index of a choice.
struct BoxRequest
{
    QMessageBox::Icon icon = QMessageBox::Warning;
    QString text {};
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QList<BoxChoice> choices {};
    int defaultChoice = -1;
    int escapeChoice = -1;
    QString details {}; // behind "Show Details...", when not empty
};

// What closed the box: a standard button, or (button NoButton) the index of a
// choice; neither when the box was closed without a button.
struct BoxAnswer
{
    QMessageBox::StandardButton button = QMessageBox::NoButton;
    int choice = -1;
};

// A file or folder to choose. `path` is the folder to start in or the
// suggested file.
struct FileRequest
{
    enum Kind { OpenFile, SaveFile, Folder };
    Kind kind = OpenFile;
    QString caption {};
    QString path {};
    QString filter {};
    QString defaultSuffix {}; // SaveFile: added when the typed name has none
};

// One line of typed text.
struct TextRequest
{
    QString title {};
    QString label {};
    QLineEdit::EchoMode echo = QLineEdit::Normal;
};

struct DialogHandlers
{
    std::function<BoxAnswer(QWidget *parent, const BoxRequest &)> box;
    // The chosen path; empty when the user cancelled.
    std::function<QString(QWidget *parent, const FileRequest &)> file;
    // Nothing when the user cancelled.
    std::function<std::optional<QString>(QWidget *parent, const TextRequest &)> text;
    // Runs a modal dialog of the program's own; its exec() result.
    std::function<int(QDialog &dialog)> exec;
};

// The handlers that show real windows.
DialogHandlers windowDialogHandlers();
// Replaces the handlers; returns the ones they replaced.
DialogHandlers setDialogHandlers(DialogHandlers handlers);

BoxAnswer askBox(QWidget *parent, const BoxRequest &request);
QString chooseFile(QWidget *parent, const FileRequest &request);
std::optional<QString> askText(QWidget *parent, const TextRequest &request);
int execDialog(QDialog &dialog);

// The usual boxes: one OK button.
void showWarning(QWidget *parent, const QString &text);
void showError(QWidget *parent, const QString &text);
void showInformation(QWidget *parent, const QString &text);
// A question with standard buttons; the one clicked (Esc: the Esc button Qt picks).
QMessageBox::StandardButton askQuestion(QWidget *parent, QMessageBox::Icon icon, const QString &text,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton);

// The real box a request stands for, not yet shown (the window handler's).
std::unique_ptr<QMessageBox> makeMessageBox(QWidget *parent, const BoxRequest &request);
