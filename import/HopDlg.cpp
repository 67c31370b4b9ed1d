#include "import/HopDlg.h"

#include "import/Hop.h"
#include "register/DialogControls.h"

#include "app/HelpWindow.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr int Width = 420;
constexpr int Height = 250;

constexpr ControlSpec Controls[] = {
    {"sourceGroup", ControlSpec::Group, "Pobierz dane", {10, 8, 290, 134}},
    {"source0", ControlSpec::Radio, "&Korvanta (wersja 4KORA)", {22, 30, 270, 24}},
    {"source1", ControlSpec::Radio, "&Liczydora (wersje 3 i 4)", {22, 56, 270, 24}},
    {"source2", ControlSpec::Radio, "K&ontrela (wersje 2 i 3)", {22, 82, 270, 24}},
    {"source3", ControlSpec::Radio, "&Plasnika (wersje 2 i 3)", {22, 108, 270, 24}},
    {"folderGroup", ControlSpec::Group, "Położenie danych", {10, 150, 400, 90}},
    {"pathLabel", ControlSpec::Label, "Ś&cieżka (np.C:\\KORVANT4)", {22, 170, 260, 20}},
    {"path", ControlSpec::Edit, "", {22, 194, 268, 26}},
    {"browseButton", ControlSpec::Button, "&Przeglądaj...", {298, 193, 104, 28}},
    {"okButton", ControlSpec::Button, "OK", {312, 12, 98, 28}},
    {"cancelButton", ControlSpec::Button, "Anuluj", {312, 46, 98, 28}},
    {"helpButton", ControlSpec::Button, "Pomoc", {312, 80, 98, 28}},
};

constexpr BuddySpec Buddies[] = {{"pathLabel", "path"}};
constexpr const char *SourceButtons[] = {"source0", "source1", "source2", "source3"};

QString invalidFolderText()
{
    return QStringLiteral("Podany katalog jest nieprawidłowy.");
}

// A separator at the end is dropped: "/dane/" names the folder "/dane".
QString withoutTrailingSeparator(QString path)
{
    if (path.endsWith(u'/') || path.endsWith(u'\\'))
        path.chop(1);
    return path;
}

} // namespace

CHopDlg::CHopDlg(CKontrahenciSet &target, QWidget *parent) : QDialog(parent), m_target(target)
{
    setObjectName(QStringLiteral("CHopDlg"));
    setWindowTitle(QStringLiteral("Import danych o kontrahentach"));
    createControls(this, Controls, int(std::size(Controls)));
    setBuddies(this, Buddies, int(std::size(Buddies)));
    setFixedSize(Width, Height);
    setSource(0);
    auto *ok = control<QPushButton>(this, "okButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CHopDlg::accept);
    connect(control<QPushButton>(this, "cancelButton"), &QPushButton::clicked, this, &QDialog::reject);
    connect(control<QPushButton>(this, "browseButton"), &QPushButton::clicked, this, &CHopDlg::onBrowse);
    connect(control<QPushButton>(this, "helpButton"), &QPushButton::clicked, this,
            [] { showHelp(QString::fromLatin1(HelpTopic::Imports)); });
}

int CHopDlg::source() const
{
    for (int i = 0; i < 4; ++i)
        if (control<QRadioButton>(const_cast<CHopDlg *>(this), SourceButtons[i])->isChecked())
            return i;
    return 0;
}

void CHopDlg::setSource(int source)
{
    if (source >= 0 && source < 4)
        control<QRadioButton>(this, SourceButtons[source])->setChecked(true);
}

QString CHopDlg::path() const
{
    return control<QLineEdit>(const_cast<CHopDlg *>(this), "path")->text();
}

void CHopDlg::setPath(const QString &path)
{
    control<QLineEdit>(this, "path")->setText(path);
}

void CHopDlg::onBrowse()
{
    const QString chosen = chooseFolder();
    if (chosen.isEmpty())
        return;
    const QString folder = withoutTrailingSeparator(chosen);
    if (CHop::checkFolder(source(), folder))
        setPath(folder);
    else
        showMessage(invalidFolderText(), true);
}

void CHopDlg::accept()
{
    const int src = source();
    QString folder = path();
    if (folder.isEmpty()) {
        showMessage(invalidFolderText(), true);
        return;
    }
    folder = withoutTrailingSeparator(folder);
    if (!CHop::checkFolder(src, folder)) {
        showMessage(invalidFolderText(), true);
        return;
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    CHop hop(src, CHop::dataFolderOf(folder), m_target);
    hop.Run();
    QGuiApplication::restoreOverrideCursor();
    showMessage(hop.summary(), false);
    QDialog::accept();
}

void CHopDlg::showMessage(const QString &text, bool error)
{
    if (error)
        QMessageBox::critical(this, QStringLiteral("Kantomix"), text);
    else
        QMessageBox::information(this, QStringLiteral("Kantomix"), text);
}

QString CHopDlg::chooseFolder()
{
    return QFileDialog::getExistingDirectory(this, QStringLiteral("Wskaż folder z danymi"), path(),
                                             QFileDialog::ShowDirsOnly);
}
