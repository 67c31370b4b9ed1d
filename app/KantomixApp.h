#pragma once
// The application object: owns the settings, the recent-file list, the
// current printer and the form printer for the whole run, builds the main
// window and interprets the command line. Settings are read once by
// InitInstance and written once by ExitInstance.

#include "app/CommandLine.h"
#include "base/Settings.h"
#include "register/RegisterLocation.h"

#include <QObject>
#include <QStringList>
#include <memory>

class CFormPrinter;
class CMainFrame;
class QPrinter;
class QWidget;

class CKantomixApp : public QObject
{
    Q_OBJECT
public:
    static constexpr int RecentFileCount = 4;

    CKantomixApp();
    ~CKantomixApp() override;

    // Start-up after the QApplication exists. True when the main window is
    // shown; false ends the program with exitCode() (also after a batch print).
    bool InitInstance(const CKantomixCommandLineInfo &cmdInfo);
    // Normal exit: writes every setting and the recent-file list; false (and
    // the user told) when the settings file could not be written.
    bool ExitInstance();
    int exitCode() const { return m_exitCode; }

    AllSettings &settings() { return m_settings; }
    QPrinter &printer() { return *m_printer; }
    CFormPrinter &formPrinter() { return *m_forms; }
    CMainFrame *mainFrame() const { return m_frame.get(); }
    // The counterparty register every command of the run uses.
    const RegisterLocation &registerLocation() const { return m_register; }

    QStringList recentFiles() const { return m_recent; }
    void AddToRecentFileList(const QString &path);
    void RemoveFromRecentFileList(const QString &path);

    // Selects the stored printer when the system knows it, else the default
    // one; a printer found on the system is remembered in the settings.
    void ApplyPrinterSelection();
    // The options sheet edits copies of the settings; OK takes them back at
    // once (printing uses them from the next page on), the store at exit.
    void OnOptions(QWidget *parent);

Q_SIGNALS:
    void recentFilesChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void readRecentFiles();

    AllSettings m_settings;
    RegisterLocation m_register {RegisterDb::defaultPath()};
    QStringList m_recent;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<CFormPrinter> m_forms;
    std::unique_ptr<CMainFrame> m_frame;
    QStringList m_knownPrinters;
    int m_exitCode = 0;
};
