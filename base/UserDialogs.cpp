#include "base/UserDialogs.h"

#include "base/AppIdentity.h"

#include <QDialog>
#include <QInputDialog>
#include <QPushButton>

namespace {

// The index of a choice, on its button (the box lists its buttons in layout order).
constexpr char kChoiceIndex[] = "choiceIndex";

DialogHandlers &handlers()
{
    static DialogHandlers h = windowDialogHandlers();
    return h;
}

BoxAnswer showBox(QWidget *parent, const BoxRequest &request)
{
    const std::unique_ptr<QMessageBox> box = makeMessageBox(parent, request);
    box->exec();
    QAbstractButton *clicked = box->clickedButton();
    BoxAnswer answer;
    if (!clicked)
        return answer;
    answer.button = box->standardButton(clicked);
    if (answer.button == QMessageBox::NoButton)
        answer.choice = clicked->property(kChoiceIndex).toInt();
    return answer;
}

QString showFileDialog(QWidget *parent, const FileRequest &request)
{
    switch (request.kind) {
    case FileRequest::OpenFile:
        return QFileDialog::getOpenFileName(parent, request.caption, request.path, request.filter);
    case FileRequest::Folder:
        return QFileDialog::getExistingDirectory(parent, request.caption, request.path, QFileDialog::ShowDirsOnly);
    case FileRequest::SaveFile:
        break;
    }
    QFileDialog dialog(parent, request.caption, request.path, request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.selectFile(request.path);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

std::optional<QString> showTextDialog(QWidget *parent, const TextRequest &request)
{
    bool ok = false;
    const QString typed = QInputDialog::getText(parent, request.title, request.label, request.echo, QString(), &ok);
    if (!ok)
        return std::nullopt;
    return typed;
}

} // namespace

std::unique_ptr<QMessageBox> makeMessageBox(QWidget *parent, const BoxRequest &request)
{
    auto box = std::make_unique<QMessageBox>(request.icon, programTitle(), request.text, request.buttons, parent);
    QList<QPushButton *> choices;
    for (const BoxChoice &choice : request.choices) {
        choices << box->addButton(choice.text, choice.role);
        choices.back()->setProperty(kChoiceIndex, int(choices.size() - 1));
    }
    if (request.defaultButton != QMessageBox::NoButton)
        box->setDefaultButton(request.defaultButton);
    if (request.defaultChoice >= 0)
        box->setDefaultButton(choices.at(request.defaultChoice));
    if (request.escapeChoice >= 0)
        box->setEscapeButton(choices.at(request.escapeChoice));
    if (!request.details.isEmpty())
        box->setDetailedText(request.details);
    return box;
}

DialogHandlers windowDialogHandlers()
{
    return {showBox, showFileDialog, showTextDialog, [](QDialog &dialog) { return dialog.exec(); }};
}

DialogHandlers setDialogHandlers(DialogHandlers replacement)
{
    return std::exchange(handlers(), std::move(replacement));
}

BoxAnswer askBox(QWidget *parent, const BoxRequest &request)
{
    return handlers().box(parent, request);
}

QString chooseFile(QWidget *parent, const FileRequest &request)
{
    return handlers().file(parent, request);
}

std::optional<QString> askText(QWidget *parent, const TextRequest &request)
{
    return handlers().text(parent, request);
}

int execDialog(QDialog &dialog)
{
    return handlers().exec(dialog);
}

void showWarning(QWidget *parent, const QString &text)
{
    askBox(parent, {QMessageBox::Warning, text});
}

void showError(QWidget *parent, const QString &text)
{
    askBox(parent, {QMessageBox::Critical, text});
}

void showInformation(QWidget *parent, const QString &text)
{
    askBox(parent, {QMessageBox::Information, text});
}

QMessageBox::StandardButton askQuestion(QWidget *parent, QMessageBox::Icon icon, const QString &text,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton)
{
    return askBox(parent, {icon, text, buttons, defaultButton}).button;
}
