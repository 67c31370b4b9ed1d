#include "app/KantomixApp.h"


#include "app/BatchPrint.h"
#include "app/ElixirExport.h"
#include "app/FileErrors.h"
#include "app/HelpWindow.h"
#include "app/ProblemReport.h"
#include "app/RegisterCommands.h"
#include "base/Messages.h"
#include "app/MainFrame.h"
#include "base/UserDialogs.h"
#include "options/OptionsRules.h"
#include "options/OptionsSheet.h"
#include "print/FormPages.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QIcon>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSettings>

namespace {
const QString kRecentGroup = QStringLiteral("Recent File List");
}

CKantomixApp::CKantomixApp()
{
    // Without a desktop that names its icon theme, use the common freedesktop one.
    if (QIcon::fromTheme(QStringLiteral("document-open")).isNull()
        && QIcon::fromTheme(QStringLiteral("document-open-symbolic")).isNull())
        QIcon::setThemeName(QStringLiteral("Adwaita"));
}

CKantomixApp::~CKantomixApp() = default;

void CKantomixApp::readRecentFiles()
{
    const std::unique_ptr<QSettings> store = openSettingsStore();
    store->beginGroup(kRecentGroup);
    m_recent.clear();
    for (int i = 1; i <= RecentFileCount; ++i) {
        const QString path = store->value(QStringLiteral("File%1").arg(i)).toString();
        if (!path.isEmpty())
            m_recent << path;
    }
    store->endGroup();
}

bool CKantomixApp::InitInstance(const CKantomixCommandLineInfo &cmdInfo)
{
    {
        const std::unique_ptr<QSettings> store = openSettingsStore();
        m_settings.read(*store);
    }
    m_register = registerLocationOf(m_settings.registerPlace);
    readRecentFiles();

    if (isBatchPrintCommand(cmdInfo)) {
        // A batch prints and ends: no main window, nothing of it is stored.
        m_exitCode = runBatchPrint(cmdInfo, m_settings, m_register);
        return false;
    }
    if (isElixirExportCommand(cmdInfo)) {
        // The same for the bank file.
        m_exitCode = runElixirExport(cmdInfo, m_settings.general);
        return false;
    }

    // The dialogs' "Pomoc" buttons reach the guide through the help hook.
    installHelpWindow();
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    m_forms = std::make_unique<CFormPrinter>(m_settings);
    m_frame = std::make_unique<CMainFrame>(*this);
    installRegisterPasswordPrompt(m_frame.get());
    m_frame->restoreWindowState(*openSettingsStore());
    ApplyPrinterSelection();
    // The printer list may change while the program runs; it is looked at
    // again whenever the program becomes active.
    qApp->installEventFilter(this);

    QString file = cmdInfo.m_strFileName;
    if (file.isEmpty() && m_settings.general.autoOpen && !m_recent.isEmpty()) {
        const QString problem = fileOpenProblem(m_recent.first());
        if (problem.isEmpty())
            file = m_recent.first();
        else
            showWarning(nullptr, problem);
    }
    // A file that cannot be read leaves the program running with a new
    // document: its error has been shown.
    if (file.isEmpty() || !m_frame->OpenDocumentFile(file))
        m_frame->OnFileNewDocument();
    m_frame->show();
    return true;
}

bool CKantomixApp::ExitInstance()
{
    qApp->removeEventFilter(this);
    const std::unique_ptr<QSettings> store = openSettingsStore();
    m_settings.write(*store);
    store->beginGroup(kRecentGroup);
    store->remove(QString());
    for (int i = 0; i < m_recent.size(); ++i)
        store->setValue(QStringLiteral("File%1").arg(i + 1), m_recent[i]);
    store->endGroup();
    if (m_frame)
        m_frame->saveWindowState(*store);
    store->sync();
    m_frame.reset();
    if (store->status() == QSettings::NoError)
        return true;
    reportProblem(Msg::settingsNotWritten(store->fileName()));
    return false;
}

void CKantomixApp::AddToRecentFileList(const QString &path)
{
    const QString full = QFileInfo(path).absoluteFilePath();
    m_recent.removeAll(full);
    m_recent.prepend(full);
    while (m_recent.size() > RecentFileCount)
        m_recent.removeLast();
    Q_EMIT recentFilesChanged();
}

void CKantomixApp::RemoveFromRecentFileList(const QString &path)
{
    if (m_recent.removeAll(path) > 0)
        Q_EMIT recentFilesChanged();
}

void CKantomixApp::ApplyPrinterSelection()
{
    if (!m_printer)
        return;
    m_knownPrinters = QPrinterInfo::availablePrinterNames();
    GeneralSettings &g = m_settings.general;
    // The built-in PDF writer: the print dialog asks where to write.
    if (g.device == pdfPrinterName()) {
        m_printer->setOutputFormat(QPrinter::PdfFormat);
        return;
    }
    m_printer->setOutputFormat(QPrinter::NativeFormat);
    // Linux printers have no driver or port of their own to match: the queue
    // name alone selects the printer.
    QPrinterInfo info = g.device.isEmpty() ? QPrinterInfo() : QPrinterInfo::printerInfo(g.device);
    const bool stored = !info.isNull();
    if (!stored)
        info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return;
    m_printer->setPrinterName(info.printerName());
    // A stored printer that is missing now stays stored: it may come back.
    // A default queue called "PDF" (cups-pdf) is not stored: that name
    // stands for the built-in writer.
    if (!stored && g.device.isEmpty() && info.printerName() != pdfPrinterName()) {
        g.device = info.printerName();
        g.driver = info.makeAndModel();
        g.port.clear();
    }
}

void CKantomixApp::OnOptions(QWidget *parent)
{
    COptionsSheet sheet(m_settings, parent);
    sheet.setRegisterActions(RegisterDb::defaultPath(), checkRegisterConnection, copyRegisterToServer);
    if (execDialog(sheet) != QDialog::Accepted)
        return;
    if (takeBackOptions(m_settings, sheet.result(), lookUpPrinter))
        ApplyPrinterSelection();
    m_register = registerLocationOf(m_settings.registerPlace);
    if (m_frame)
        m_frame->editor()->setRegisterLocation(m_register);
}

bool CKantomixApp::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ApplicationActivate && watched == qApp
        && QPrinterInfo::availablePrinterNames() != m_knownPrinters)
        ApplyPrinterSelection();
    return QObject::eventFilter(watched, event);
}
