#pragma once
// The main window: menu, toolbar and status bar built from the command
// table around the list of orders; the document's file commands (new, open,
// save, save as, recent files) with the question about unsaved changes. The
// list's commands go to the order editor; the title, the commands' states
// and the totals follow the document and the selection.

#include "app/CommandTable.h"
#include "app/OrderEditor.h"
#include "model/KantomixDoc.h"

#include <QHash>
#include <QMainWindow>

class CKantomixApp;
class CKantomixView;
class QAction;
class QLabel;
class QMenu;
class QSettings;
class QTimer;

class CMainFrame : public QMainWindow
{
    Q_OBJECT
public:
    explicit CMainFrame(CKantomixApp &app);
    ~CMainFrame() override;

    CKantomixDoc &document() { return m_doc; }
    CKantomixView *view() const { return m_view; }
    // What the list's commands and the details dialog act on.
    COrderEditor *editor() { return &m_editor; }
    QAction *action(CommandId id) const { return m_actions.value(id); }
    QMenu *contextMenu() const { return m_contextMenu; }
    QMenu *sortMenu() const { return m_sortMenu; }
    // The status bar's count and totals of the orders and of the selection.
    QLabel *totalsPane() const { return m_totals; }

    // Runs a command as its menu entry would.
    void OnCommand(CommandId id);

    // Empties the document and shows it.
    void OnFileNewDocument();
    // Opens a file into the document, showing any error; false when it failed.
    bool OpenDocumentFile(const QString &path);
    bool DoSave(const QString &path);
    // Save (as) from the menu; false when nothing was written.
    bool OnFileSave();
    bool OnFileSaveAs();
    // Asks whether to save changes; false when the user cancelled or the save failed.
    bool SaveModified();
    // Imports ZUS transfers of a payer-program file; shows 40006, a read
    // error (nothing imported), or 40005 with the texts that were shortened.
    void ImportZusFile(const QString &path);

    // Enables the commands by the table's rules.
    void updateCommands();
    void updateTitle();

    // Size and place of the window and the widths of the list's columns, in
    // the group "MainWindow" of the settings.
    void saveWindowState(QSettings &store) const;
    void restoreWindowState(QSettings &store);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void createSortMenu();
    void updateUndoTexts();
    // The orders or the selection changed.
    void ordersChanged();
    void updateTotals();
    void updateRecentFileActions();
    void fillMenu(QMenu *menu, std::span<const int> entries);
    void onZusImport();
    void onFileOpen();
    void onOpenRecent(int index);
    // Before writing over the file the document was read from while it lacks
    // some of that file's lines: asks, offering "save as" instead. True to
    // write; else `saveAs` tells whether another name was asked for.
    bool confirmPartialOverwrite(const QString &path, bool &saveAs);
    // Before writing over the document's own file that another program
    // changed since it was read or saved: reload it, overwrite it, or
    // cancel. True to write.
    bool confirmOverwriteChanged(const QString &path);

    CKantomixApp &m_app;
    CKantomixDoc m_doc;
    COrderEditor m_editor;
    CKantomixView *m_view = nullptr;
    QHash<int, QAction *> m_actions;
    QList<QAction *> m_recentActions;
    QAction *m_recentPlaceholder = nullptr;
    QMenu *m_contextMenu = nullptr;
    QMenu *m_sortMenu = nullptr;
    QLabel *m_totals = nullptr;
    QTimer *m_totalsTimer = nullptr;
    QToolBar *m_toolBar = nullptr;
    class CKeyboardIndicators *m_indicators = nullptr;
};
