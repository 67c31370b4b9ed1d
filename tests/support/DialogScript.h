#pragma once
// Answers the program's message boxes, file dialogs, typed answers and modal
// dialogs in a test, in the order the test scripts them, without timers and
// (except for the program's own dialogs) without a window. While a script
// lives it replaces the program's dialog handlers; anything asked that the
// script did not expect fails the test and is cancelled, and so does a step
// still unused when the script ends.

#include "base/UserDialogs.h"

#include <QDialog>
#include <deque>
#include <functional>
#include <memory>

// What one scripted step was shown.
struct Asked
{
    bool shown = false;
    // A message box.
    BoxRequest box;
    QString text;                                               // box.text
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QString defaultChoice;                                      // the default choice's text, without "&"
    QStringList choices;                                        // the choices' texts, without "&"
    // A file dialog or a typed answer.
    FileRequest file;
    TextRequest input;
};

class DialogScript
{
public:
    DialogScript();
    ~DialogScript();
    DialogScript(const DialogScript &) = delete;
    DialogScript &operator=(const DialogScript &) = delete;

    // The next message box: click a standard button.
    std::shared_ptr<Asked> answer(QMessageBox::StandardButton button);
    // The next message box: click the choice whose text without "&" is `text`.
    std::shared_ptr<Asked> answer(const QString &text);
    // The next file dialog: choose `path`; an empty path cancels.
    std::shared_ptr<Asked> chooseFile(const QString &path);
    std::shared_ptr<Asked> cancelFile() { return chooseFile(QString()); }
    // The next typed answer: type `text`; nothing cancels.
    std::shared_ptr<Asked> typeText(std::optional<QString> text);
    // The next modal dialog, of type T: runs `act` once the dialog is shown;
    // a dialog `act` leaves open is rejected.
    template <typename T>
    std::shared_ptr<Asked> onDialog(std::function<void(T *)> act)
    {
        return addDialog([act](QDialog *d) {
            auto *typed = qobject_cast<T *>(d);
            if (typed)
                act(typed);
            return typed != nullptr;
        });
    }

    // Message boxes with just an OK button that no step is waiting for are
    // answered with OK and their texts added to `texts`.
    void keepMessages(QStringList &texts) { m_kept = &texts; }

    // Every scripted step has been used.
    bool finished() const { return m_steps.empty(); }
    // Forgets the steps not used yet.
    void clear() { m_steps.clear(); }
    // Whether every step was used; then forgets the rest, so that a failed
    // test leaves nothing to the next (for a script kept across tests).
    bool finishedAndCleared() { const bool used = finished(); clear(); return used; }

private:
    enum class Kind { Box, File, Text, Dialog };
    struct Step
    {
        Kind kind;
        std::shared_ptr<Asked> seen = std::make_shared<Asked>();
        QMessageBox::StandardButton button = QMessageBox::NoButton;
        QString text {};
        std::optional<QString> typed {};
        std::function<bool(QDialog *)> dialog {};
    };

    std::shared_ptr<Asked> add(Step step);
    std::shared_ptr<Asked> addDialog(std::function<bool(QDialog *)> act);
    // The next step if it is of `kind`; fails the test otherwise.
    std::optional<Step> take(Kind kind, const QString &what);

    BoxAnswer onBox(const BoxRequest &request);
    QString onFile(const FileRequest &request);
    std::optional<QString> onText(const TextRequest &request);
    int onExec(QDialog &dialog);

    std::deque<Step> m_steps;
    DialogHandlers m_replaced;
    QStringList *m_kept = nullptr;
};
