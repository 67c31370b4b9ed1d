#include "DialogScript.h"

#include <QTest>

namespace {

QString plain(QString text)
{
    return text.remove(u'&');
}

void fail(const QString &what)
{
    QTest::qFail(qPrintable(QStringLiteral("Not expected by the test: ") + what), __FILE__, __LINE__);
}

} // namespace

DialogScript::DialogScript()
{
    m_replaced = setDialogHandlers({
        [this](QWidget *, const BoxRequest &r) { return onBox(r); },
        [this](QWidget *, const FileRequest &r) { return onFile(r); },
        [this](QWidget *, const TextRequest &r) { return onText(r); },
        [this](QDialog &d) { return onExec(d); },
    });
}

DialogScript::~DialogScript()
{
    setDialogHandlers(std::move(m_replaced));
    // A step never used is a box or dialog the test expected and never saw.
    if (!m_steps.empty() && QTest::currentTestFunction())
        QTest::qFail("The test expected a message box or dialog that was never shown", __FILE__, __LINE__);
}

std::shared_ptr<Asked> DialogScript::add(Step step)
{
    m_steps.push_back(std::move(step));
    return m_steps.back().seen;
}

std::shared_ptr<Asked> DialogScript::answer(QMessageBox::StandardButton button)
{
    return add({Kind::Box, std::make_shared<Asked>(), button});
}

std::shared_ptr<Asked> DialogScript::answer(const QString &text)
{
    return add({Kind::Box, std::make_shared<Asked>(), QMessageBox::NoButton, text});
}

std::shared_ptr<Asked> DialogScript::chooseFile(const QString &path)
{
    return add({Kind::File, std::make_shared<Asked>(), QMessageBox::NoButton, path});
}

std::shared_ptr<Asked> DialogScript::typeText(std::optional<QString> text)
{
    return add({Kind::Text, std::make_shared<Asked>(), QMessageBox::NoButton, QString(), std::move(text)});
}

std::shared_ptr<Asked> DialogScript::addDialog(std::function<bool(QDialog *)> act)
{
    return add({Kind::Dialog, std::make_shared<Asked>(), QMessageBox::NoButton, QString(), std::nullopt,
                std::move(act)});
}

std::optional<DialogScript::Step> DialogScript::take(Kind kind, const QString &what)
{
    if (m_steps.empty() || m_steps.front().kind != kind) {
        fail(what);
        return std::nullopt;
    }
    Step step = std::move(m_steps.front());
    m_steps.pop_front();
    step.seen->shown = true;
    return step;
}

BoxAnswer DialogScript::onBox(const BoxRequest &request)
{
    if (m_kept && request.buttons == QMessageBox::Ok && request.choices.isEmpty()
        && (m_steps.empty() || m_steps.front().kind != Kind::Box)) {
        *m_kept << request.text;
        return {QMessageBox::Ok};
    }
    const std::optional<Step> step = take(Kind::Box, QStringLiteral("message box \"%1\"").arg(request.text));
    if (!step)
        return {};
    Asked &seen = *step->seen;
    seen.box = request;
    seen.text = request.text;
    seen.defaultButton = request.defaultButton;
    for (const BoxChoice &choice : request.choices)
        seen.choices << plain(choice.text);
    if (request.defaultChoice >= 0)
        seen.defaultChoice = seen.choices.at(request.defaultChoice);

    if (step->button != QMessageBox::NoButton) {
        if (request.buttons.testFlag(step->button))
            return {step->button};
    } else if (const qsizetype choice = seen.choices.indexOf(step->text); choice >= 0) {
        return {QMessageBox::NoButton, int(choice)};
    }
    fail(QStringLiteral("an answer the box \"%1\" does not offer").arg(request.text));
    return {};
}

QString DialogScript::onFile(const FileRequest &request)
{
    const std::optional<Step> step = take(Kind::File, QStringLiteral("file dialog \"%1\"").arg(request.caption));
    if (!step)
        return {};
    step->seen->file = request;
    return step->text;
}

std::optional<QString> DialogScript::onText(const TextRequest &request)
{
    const std::optional<Step> step = take(Kind::Text, QStringLiteral("question \"%1\"").arg(request.label));
    if (!step)
        return std::nullopt;
    step->seen->input = request;
    return step->typed;
}

int DialogScript::onExec(QDialog &dialog)
{
    const QString what = QStringLiteral("dialog %1").arg(QString::fromLatin1(dialog.metaObject()->className()));
    const std::optional<Step> step = take(Kind::Dialog, what);
    if (!step)
        return QDialog::Rejected;
    // The answer runs inside the dialog's own loop, once it is shown.
    QMetaObject::invokeMethod(
        &dialog,
        [&dialog, act = step->dialog, what] {
            if (!act(&dialog))
                fail(QStringLiteral("a dialog of another type: ") + what);
            if (dialog.isVisible())
                dialog.reject();
        },
        Qt::QueuedConnection);
    return dialog.exec();
}
