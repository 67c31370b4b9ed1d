#include "import/HopDlg.h"

#include "base/HelpHook.h"
#include "base/UserDialogs.h"
#include "import/Hop.h"
#include "register/PartyStore.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// The source programs in the order of their numbers.
constexpr const char *SourceTexts[] = {
    "&Korvanta (wersja 4KORA)", "&Liczydora (wersje 3 i 4)", "K&ontrela (wersje 2 i 3)", "&Plasnika (wersje 2 i 3)",
};

QPushButton *button(const QString &text, const char *objectName, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(objectName));
    return b;
}

// A separator at the end is dropped: "/dane/" names the folder "/dane";
// "/" alone is the root folder and stays.
QString withoutTrailingSeparator(QString path)
{
    if (path.size() > 1 && (path.endsWith(u'/') || path.endsWith(u'\\')))
        path.chop(1);
    return path;
}

} // namespace

CHopDlg::CHopDlg(const RegisterLocation &where, QWidget *parent)
    : QDialog(parent),
      m_where(where),
      m_path(new QLineEdit(this)),
      m_browse(button(QStringLiteral("P&rzeglądaj..."), "browseButton", this)),
      m_ok(button(QStringLiteral("OK"), "okButton", this)),
      m_cancel(button(QStringLiteral("Anuluj"), "cancelButton", this)),
      m_help(button(QStringLiteral("Pomoc"), "helpButton", this))
{
    setObjectName(QStringLiteral("CHopDlg"));
    setWindowTitle(QStringLiteral("Import danych o kontrahentach"));

    auto *sourceGroup = new QGroupBox(QStringLiteral("Pobierz dane"), this);
    auto *sources = new QVBoxLayout(sourceGroup);
    for (int i = 0; i < 4; ++i) {
        m_sources[i] = new QRadioButton(QString::fromUtf8(SourceTexts[i]), sourceGroup);
        m_sources[i]->setObjectName(QStringLiteral("source%1").arg(i));
        sources->addWidget(m_sources[i]);
    }

    auto *folderGroup = new QGroupBox(QStringLiteral("Położenie danych"), this);
    auto *pathLabel = new QLabel(QStringLiteral("Ś&cieżka (np. /home/jan/dos/KORVANT4)"), folderGroup);
    pathLabel->setBuddy(m_path);
    m_path->setObjectName(QStringLiteral("path"));
    m_path->setMinimumWidth(m_path->fontMetrics().averageCharWidth() * 36);
    auto *folder = new QGridLayout(folderGroup);
    folder->addWidget(pathLabel, 0, 0, 1, 2);
    folder->addWidget(m_path, 1, 0);
    folder->addWidget(m_browse, 1, 1);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_help);
    buttons->addStretch();

    auto *top = new QGridLayout(this);
    top->addWidget(sourceGroup, 0, 0);
    top->addLayout(buttons, 0, 1);
    top->addWidget(folderGroup, 1, 0, 1, 2);
    top->setSizeConstraint(QLayout::SetFixedSize);
    top->activate();

    setSource(0);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &CHopDlg::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_browse, &QPushButton::clicked, this, &CHopDlg::onBrowse);
    connect(m_help, &QPushButton::clicked, this, [] { requestHelp(HelpTopic::Imports); });
}

int CHopDlg::source() const
{
    for (int i = 0; i < 4; ++i)
        if (m_sources[i]->isChecked())
            return i;
    return 0;
}

void CHopDlg::setSource(int source)
{
    if (source >= 0 && source < 4)
        m_sources[source]->setChecked(true);
}

QString CHopDlg::path() const
{
    return m_path->text();
}

void CHopDlg::setPath(const QString &path)
{
    m_path->setText(path);
}

void CHopDlg::onBrowse()
{
    const QString chosen = chooseFile(this, {FileRequest::Folder, QStringLiteral("Wskaż folder z danymi"), path()});
    if (chosen.isEmpty())
        return;
    const QString folder = withoutTrailingSeparator(chosen);
    const QString problem = CHop::folderProblem(source(), folder);
    if (problem.isEmpty())
        setPath(folder);
    else
        showMessage(problem, true);
}

void CHopDlg::accept()
{
    const int src = source();
    const QString folder = withoutTrailingSeparator(path());
    const QString problem = CHop::folderProblem(src, folder);
    if (!problem.isEmpty()) {
        showMessage(problem, true);
        return;
    }
    std::unique_ptr<PartyStore> target;
    try {
        target = PartyStore::open(m_where);
    } catch (const CRegisterError &e) {
        showMessage(e.message(), true);
        return;
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    CHop hop(src, CHop::dataFolderOf(folder), *target);
    hop.Run();
    QGuiApplication::restoreOverrideCursor();
    showMessage(hop.summary(), hop.failed());
    // A refused step leaves the register as it was before that step: the
    // dialog stays as filled in, so the import can be run again once the
    // register is free.
    if (!hop.failed())
        QDialog::accept();
}

void CHopDlg::showMessage(const QString &text, bool error)
{
    if (error)
        showError(this, text);
    else
        showInformation(this, text);
}
