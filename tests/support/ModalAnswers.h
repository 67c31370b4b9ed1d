#pragma once
// Answers the next modal dialog (a message box or a file dialog) from a
// timer, as a user would, and remembers what it showed. Call
// ModalAnswers::stopAll() when a test ends so none answers the next test.

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

struct ModalSeen
{
    bool shown = false;
    QString text;          // a message box's text
    QString defaultButton; // its default button's text, without "&"
    QStringList buttons;   // every button's text, without "&"
};

namespace ModalAnswers {

inline QList<QPointer<QTimer>> &pending()
{
    static QList<QPointer<QTimer>> timers;
    return timers;
}

inline void stopAll()
{
    for (const QPointer<QTimer> &t : std::as_const(pending()))
        delete t.data();
    pending().clear();
}

inline QString plain(QString text) { return text.remove(u'&'); }

// Waits for a modal dialog of type T and hands it to `answer`.
template <typename T>
std::shared_ptr<ModalSeen> next(std::function<void(T *, ModalSeen &)> answer)
{
    auto seen = std::make_shared<ModalSeen>();
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, seen, answer] {
        auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        timer->stop();
        timer->deleteLater();
        seen->shown = true;
        answer(dialog, *seen);
    });
    timer->start();
    pending() << timer;
    return seen;
}

inline void record(QMessageBox *box, ModalSeen &seen)
{
    seen.text = box->text();
    if (box->defaultButton())
        seen.defaultButton = plain(box->defaultButton()->text());
    for (QAbstractButton *b : box->buttons())
        seen.buttons << plain(b->text());
}

// Clicks the message box's button whose text (without "&") is `button`.
inline std::shared_ptr<ModalSeen> clickButton(const QString &button)
{
    return next<QMessageBox>([button](QMessageBox *box, ModalSeen &seen) {
        record(box, seen);
        for (QAbstractButton *b : box->buttons()) {
            if (plain(b->text()) == button) {
                b->click();
                return;
            }
        }
        box->reject(); // an answer the test did not expect still ends the box
    });
}

// Clicks a standard button of the message box.
inline std::shared_ptr<ModalSeen> clickStandard(QMessageBox::StandardButton button)
{
    return next<QMessageBox>([button](QMessageBox *box, ModalSeen &seen) {
        record(box, seen);
        if (QAbstractButton *b = box->button(button))
            b->click();
        else
            box->reject();
    });
}

// Closes the next file dialog with "Cancel".
inline std::shared_ptr<ModalSeen> cancelFileDialog()
{
    return next<QFileDialog>([](QFileDialog *dialog, ModalSeen &) { dialog->reject(); });
}

} // namespace ModalAnswers
