#pragma once
// Answers the modal windows a test provokes: the next message box with a
// given button, or the next modal window of a type with a function.

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

// What a message box said, and how it was answered.
struct BoxSeen
{
    QString text;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    bool shown = false;
};

class ModalDriver
{
public:
    ~ModalDriver() { stopAll(); }

    // Runs `act` on the next modal window of type T once it is shown.
    template <typename T>
    std::shared_ptr<bool> onNextModal(std::function<void(T *)> act)
    {
        auto done = std::make_shared<bool>(false);
        auto *timer = new QTimer;
        timer->setInterval(10);
        QObject::connect(timer, &QTimer::timeout, timer, [timer, done, act] {
            auto *w = qobject_cast<T *>(QApplication::activeModalWidget());
            if (!w || !w->isVisible())
                return;
            timer->stop();
            timer->deleteLater();
            *done = true;
            act(w);
        });
        timer->start();
        m_timers << timer;
        return done;
    }

    // Answers the next message box with `button`, remembering what it showed.
    std::shared_ptr<BoxSeen> answerNextBox(QMessageBox::StandardButton button)
    {
        auto seen = std::make_shared<BoxSeen>();
        onNextModal<QMessageBox>([seen, button](QMessageBox *box) {
            seen->shown = true;
            seen->text = box->text();
            seen->defaultButton = box->standardButton(box->defaultButton());
            box->button(button)->click();
        });
        return seen;
    }

    // Ends the answerers still waiting, so none answers the next test's window.
    void stopAll()
    {
        for (const QPointer<QTimer> &timer : std::as_const(m_timers))
            delete timer.data();
        m_timers.clear();
    }

private:
    QList<QPointer<QTimer>> m_timers;
};
