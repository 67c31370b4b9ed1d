#include "app/MainFrame.h"

#include "base/AppIdentity.h"

#include "about/AboutBox.h"
#include "app/FileErrors.h"
#include "app/HelpWindow.h"
#include "app/KantomixApp.h"
#include "app/KantomixView.h"
#include "app/KeyboardIndicators.h"
#include "base/Messages.h"
#include "app/OrderListModel.h"
#include "app/ElixirExportCommand.h"
#include "app/OrderTotals.h"
#include "app/ZusImportCommand.h"
#include "edit/ContainerDlg.h"
#include "app/RegisterCommands.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>

namespace {

const QString kAppTitle = programTitle() + QStringLiteral(" firmy WexSoft");
const QString kFilter = QStringLiteral("Pliki przelewów (*.zmt)");
const QString kExtension = QStringLiteral(".zmt");
// The window's size and place and the list's column widths, beside the program's settings.
const QString kWindowGroup = QStringLiteral("MainWindow");
constexpr int kMinColumnWidth = 16;
constexpr int kMaxColumnWidth = 4000;

QString u8(const char *text) { return QString::fromUtf8(text); }

// A menu text carries its key after a tab; Qt shows the action's shortcut there.
QString menuLabel(const CommandDef &def)
{
    return u8(def.menuText).section(u'\t', 0, 0);
}

} // namespace

CMainFrame::CMainFrame(CKantomixApp &app) : m_app(app), m_editor(m_doc, app.formPrinter(), this)
{
    setObjectName(QStringLiteral("CMainFrame"));
    m_view = new CKantomixView(m_editor, this);
    setCentralWidget(m_view);
    m_editor.createDetailsDialog(app.settings(), app.registerLocation(), app.printer());
    createActions();
    createSortMenu();
    createMenus();
    createToolBar();
    createStatusBar();

    m_totalsTimer = new QTimer(this);
    m_totalsTimer->setSingleShot(true);
    m_totalsTimer->setInterval(0);
    connect(m_totalsTimer, &QTimer::timeout, this, &CMainFrame::updateTotals);
    // The title follows the document; the commands and the totals follow its orders and the selection.
    connect(&m_doc, &CKantomixDoc::modifiedChanged, this, &CMainFrame::updateTitle);
    connect(&m_doc, &CKantomixDoc::titleChanged, this, &CMainFrame::updateTitle);
    for (const auto changed : {&CKantomixDoc::ordersInserted, &CKantomixDoc::ordersRemoved})
        connect(&m_doc, changed, this, &CMainFrame::ordersChanged);
    connect(&m_doc, &CKantomixDoc::orderReplaced, this, &CMainFrame::ordersChanged);
    connect(&m_doc, &CKantomixDoc::reset, this, &CMainFrame::ordersChanged);
    connect(m_editor.selection(), &QItemSelectionModel::selectionChanged, this, &CMainFrame::ordersChanged);
    connect(m_editor.undoStack(), &QUndoStack::indexChanged, this, &CMainFrame::updateUndoTexts);
    connect(m_view, &CKantomixView::contextMenuWanted, this, [this](const QPoint &pos) { m_contextMenu->popup(pos); });
    connect(&app, &CKantomixApp::recentFilesChanged, this, &CMainFrame::updateRecentFileActions);
    updateRecentFileActions();
    updateUndoTexts();
    updateTotals();
    resize(920, 560);
    updateTitle();
    updateCommands();
}

CMainFrame::~CMainFrame()
{
    // The list goes while the editor and the document it shows are still here.
    delete m_view;
}

void CMainFrame::createActions()
{
    for (const CommandDef &def : commandTable()) {
        auto *action = new QAction(menuLabel(def), this);
        action->setObjectName(QStringLiteral("cmd%1").arg(int(def.id)));
        if (def.shortcut)
            action->setShortcut(QKeySequence(QString::fromLatin1(def.shortcut)));
        action->setStatusTip(u8(def.statusTip));
        action->setToolTip(u8(def.toolTip));
        action->setIcon(commandIcon(def));
        action->setIconVisibleInMenu(false);
        action->setCheckable(def.checkable);
        const CommandId id = def.id;
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        m_actions.insert(id, action);
    }
    // The menu shows Alt+Enter; the main keyboard's Enter is Return to Qt.
    action(ID_EDIT_ORDER)->setShortcuts({QKeySequence(QStringLiteral("Alt+Enter")),
                                         QKeySequence(QStringLiteral("Alt+Return"))});
    action(ID_FILE_MRU_FILE1)->setEnabled(false);
    for (int i = 0; i < CKantomixApp::RecentFileCount; ++i) {
        auto *recent = new QAction(this);
        recent->setStatusTip(u8(findCommand(ID_FILE_MRU_FILE1)->statusTip));
        connect(recent, &QAction::triggered, this, [this, i] { onOpenRecent(i); });
        m_recentActions << recent;
    }
}

void CMainFrame::createSortMenu()
{
    m_sortMenu = new QMenu(u8(kSortSubmenuTitle), this);
    m_sortMenu->setObjectName(QStringLiteral("sortMenu"));
    // The columns' headers with a letter of their own each.
    static const char *const entries[COrderListModel::ColumnCount] = {
        "&Odbiorca", "&Tytułem", "&Nr rachunku odbiorcy", "&Data", "&Kwota", "&Waluta", "T&yp"};
    auto *group = new QActionGroup(this);
    for (int c = 0; c < COrderListModel::ColumnCount; ++c) {
        QAction *a = m_sortMenu->addAction(u8(entries[c]));
        a->setCheckable(true);
        a->setStatusTip(QStringLiteral("Sortuje listę według tej kolumny; drugi raz odwraca kolejność"));
        group->addAction(a);
        connect(a, &QAction::triggered, &m_editor, [this, c] { m_editor.sortByColumnClick(c); });
    }
    const auto mark = [this](ListSort sort) { m_sortMenu->actions().at(sort.column)->setChecked(true); };
    mark(m_editor.currentSort());
    connect(&m_editor, &COrderEditor::sortChanged, this, mark);
}

void CMainFrame::updateUndoTexts()
{
    // "Cofnij usunięcie 2 przelewów": the table's text and what would be taken back.
    const QUndoStack *stack = m_editor.undoStack();
    const auto withWhat = [this](CommandId id, const QString &what) {
        const QString base = menuLabel(*findCommand(id));
        action(id)->setText(what.isEmpty() ? base : base + u' ' + what);
    };
    withWhat(ID_EDIT_UNDO, stack->undoText());
    withWhat(ID_EDIT_REDO, stack->redoText());
    updateCommands();
}

void CMainFrame::ordersChanged()
{
    updateCommands();
    // Counted once per burst of changes.
    m_totalsTimer->start();
}

void CMainFrame::updateTotals()
{
    m_totals->setText(orderTotalsText(m_doc, m_editor.selectedRows()));
}

void CMainFrame::fillMenu(QMenu *menu, std::span<const int> entries)
{
    for (int id : entries) {
        if (id == 0) {
            menu->addSeparator();
        } else if (id == kSortSubmenu) {
            menu->addMenu(m_sortMenu);
        } else if (id == ID_FILE_MRU_FILE1) {
            menu->addAction(action(ID_FILE_MRU_FILE1));
            menu->addActions(m_recentActions);
        } else {
            menu->addAction(action(CommandId(id)));
        }
    }
}

void CMainFrame::createMenus()
{
    for (const MenuDef &def : mainMenu())
        fillMenu(menuBar()->addMenu(u8(def.title)), def.entries);

    m_contextMenu = new QMenu(this);
    for (int id : contextMenuEntries()) {
        if (id == 0 && m_contextMenu->isEmpty()) {
            fillMenu(m_contextMenu->addMenu(u8(kAddSubmenuTitle)), addSubmenuEntries());
        } else if (id == 0) {
            m_contextMenu->addSeparator();
        } else if (id == kSortSubmenu) {
            m_contextMenu->addMenu(m_sortMenu);
        } else {
            m_contextMenu->addAction(action(CommandId(id)));
        }
    }
}

void CMainFrame::createToolBar()
{
    m_toolBar = addToolBar(QStringLiteral("Pasek narzędzi"));
    m_toolBar->setObjectName(QStringLiteral("mainToolBar"));
    m_toolBar->setIconSize(QSize(16, 16));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    for (int id : toolBarButtons()) {
        if (id == 0)
            m_toolBar->addSeparator();
        else
            m_toolBar->addAction(action(CommandId(id)));
    }
    QAction *show = action(ID_VIEW_TOOLBAR);
    show->setChecked(true);
    connect(show, &QAction::toggled, m_toolBar, &QToolBar::setVisible);
    connect(m_toolBar, &QToolBar::visibilityChanged, show, &QAction::setChecked);
}

void CMainFrame::createStatusBar()
{
    QStatusBar *bar = statusBar();
    // The idle text sits under the tips, which hide it while they are shown.
    auto *idle = new QLabel(QStringLiteral("Gotowy"), bar);
    idle->setObjectName(QStringLiteral("messagePane"));
    bar->addWidget(idle, 1);
    m_totals = new QLabel(bar);
    m_totals->setObjectName(QStringLiteral("totalsPane"));
    bar->addPermanentWidget(m_totals);
    m_indicators = new CKeyboardIndicators(this);
    for (QLabel *pane : m_indicators->panes())
        bar->addPermanentWidget(pane);
    QAction *show = action(ID_VIEW_STATUS_BAR);
    show->setChecked(true);
    connect(show, &QAction::toggled, bar, &QStatusBar::setVisible);
}

void CMainFrame::saveWindowState(QSettings &store) const
{
    store.beginGroup(kWindowGroup);
    store.setValue(QStringLiteral("Geometry"), saveGeometry());
    // The details dialog's place, once it was shown: never a default over a stored one.
    if (const QWidget *details = m_editor.detailsDialog(); details && details->testAttribute(Qt::WA_WState_Created))
        store.setValue(QStringLiteral("DetailsGeometry"), details->saveGeometry());
    QStringList widths;
    for (int c = 0; c < m_view->model()->columnCount(); ++c)
        widths << QString::number(m_view->columnWidth(c));
    store.setValue(QStringLiteral("ColumnWidths"), widths.join(u','));
    store.endGroup();
}

void CMainFrame::restoreWindowState(QSettings &store)
{
    store.beginGroup(kWindowGroup);
    const QByteArray geometry = store.value(QStringLiteral("Geometry")).toByteArray();
    // A damaged or foreign value leaves the window as built.
    if (!geometry.isEmpty())
        restoreGeometry(geometry);
    const QByteArray details = store.value(QStringLiteral("DetailsGeometry")).toByteArray();
    if (!details.isEmpty() && m_editor.detailsDialog())
        m_editor.detailsDialog()->restoreGeometry(details);
    const QStringList widths = store.value(QStringLiteral("ColumnWidths")).toString().split(u',');
    if (widths.size() == m_view->model()->columnCount()) {
        for (int c = 0; c < widths.size(); ++c) {
            bool ok = false;
            const int width = widths[c].trimmed().toInt(&ok);
            if (ok && width >= kMinColumnWidth && width <= kMaxColumnWidth)
                m_view->setColumnWidth(c, width);
        }
    }
    store.endGroup();
}

void CMainFrame::updateRecentFileActions()
{
    const QStringList files = m_app.recentFiles();
    for (int i = 0; i < m_recentActions.size(); ++i) {
        QAction *a = m_recentActions[i];
        if (i < files.size()) {
            QString shown = QDir::toNativeSeparators(files[i]);
            shown.replace(u'&', QStringLiteral("&&"));
            a->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
            a->setVisible(true);
        } else {
            a->setVisible(false);
        }
    }
    // The grey "Ostatni plik" stands in for an empty list.
    action(ID_FILE_MRU_FILE1)->setVisible(files.isEmpty());
}

void CMainFrame::updateCommands()
{
    const bool hasOrders = m_doc.count() > 0;
    const bool hasSelection = m_editor.selection()->hasSelection();
    for (const CommandDef &def : commandTable()) {
        if (def.id == ID_FILE_MRU_FILE1)
            continue;
        bool enabled = true;
        switch (def.enable) {
        case EnableRule::Always: enabled = true; break;
        case EnableRule::HasOrders: enabled = hasOrders; break;
        case EnableRule::HasSelection: enabled = hasSelection; break;
        case EnableRule::EditableSelection: enabled = m_editor.canEditSelection(); break;
        case EnableRule::CanUndo: enabled = m_editor.undoStack()->canUndo(); break;
        case EnableRule::CanRedo: enabled = m_editor.undoStack()->canRedo(); break;
        }
        action(def.id)->setEnabled(enabled);
    }
}

void CMainFrame::updateTitle()
{
    setWindowTitle(m_doc.title() + QStringLiteral("[*] - ") + kAppTitle);
    setWindowModified(m_doc.isModified());
}

void CMainFrame::OnCommand(CommandId id)
{
    switch (id) {
    case ID_FILE_NEW:
        if (SaveModified())
            OnFileNewDocument();
        break;
    case ID_FILE_OPEN: onFileOpen(); break;
    case ID_FILE_SAVE: OnFileSave(); break;
    case ID_FILE_SAVE_AS: OnFileSaveAs(); break;
    case ID_FILE_PRINT: m_editor.OnFilePrint(m_app.printer()); break;
    case ID_FILE_PRINT_PREVIEW: m_editor.OnFilePrintPreview(m_app.printer()); break;
    case ID_APP_EXIT: close(); break;
    case ID_DELETE_ORDERS: m_editor.OnDeleteOrders(); break;
    case ID_EDIT_UNDO: m_editor.undoStack()->undo(); break;
    case ID_EDIT_REDO: m_editor.undoStack()->redo(); break;
    case ID_ADD_ORDINARY: m_editor.OnAddOrder(KindOrdinary); break;
    case ID_ADD_ZUS: m_editor.OnAddOrder(KindZus); break;
    case ID_ADD_TAX: m_editor.OnAddOrder(KindTax); break;
    case ID_EDIT_ORDER: m_editor.OnEditOrder(); break;
    case ID_BLANK_ORDINARY: m_editor.OnBlankForm(m_app.printer(), KindOrdinary); break;
    case ID_BLANK_ZUS: m_editor.OnBlankForm(m_app.printer(), KindZus); break;
    case ID_BLANK_TAX: m_editor.OnBlankForm(m_app.printer(), KindTax); break;
    case ID_RECIPIENTS: showRecipientsDialog(this, m_app.registerLocation()); break;
    case ID_SENDERS: showSendersDialog(this, m_app.registerLocation()); break;
    case ID_DOS_IMPORT: showDosImportDialog(this, m_app.registerLocation()); break;
    case ID_OPTIONS: m_app.OnOptions(this); break;
    case ID_HELP_FINDER: showHelp(); break;
    case ID_APP_ABOUT: CAboutBox(this).exec(); break;
    case ID_ABOUT_FIRM: CAboutFirm(this).exec(); break;
    case ID_ZUS_IMPORT: onZusImport(); break;
    case ID_ELIXIR_EXPORT:
        exportOrdersToBank(this, m_doc, m_editor.selectedRows(), m_app.settings().general, m_app.registerLocation());
        break;
    default: break;
    }
}

void CMainFrame::OnFileNewDocument()
{
    m_doc.NewDocument();
}

bool CMainFrame::OpenDocumentFile(const QString &path)
{
    const QString problem = fileOpenProblem(path);
    if (!problem.isEmpty()) {
        QMessageBox::warning(this, programTitle(), problem);
        return false;
    }
    const CKantomixDoc::OpenResult result = m_doc.Open(path);
    if (result == CKantomixDoc::OpenResult::Failed || result == CKantomixDoc::OpenResult::NotOrderFile) {
        const QString reason = m_doc.errorString();
        // What was read before the failure is no document of that file.
        m_doc.NewDocument();
        // A PDF or a photo must not come back through the recent files or AutoOpen.
        if (result == CKantomixDoc::OpenResult::NotOrderFile)
            m_app.RemoveFromRecentFileList(QFileInfo(path).absoluteFilePath());
        QMessageBox::warning(this, programTitle(),
                             QStringLiteral("Nie można otworzyć pliku %1.").arg(QDir::toNativeSeparators(path))
                                 + (reason.isEmpty() ? QString() : u'\n' + reason));
        return false;
    }
    m_app.AddToRecentFileList(path);
    // One message after the open says what the document does not hold.
    QStringList message;
    if (result == CKantomixDoc::OpenResult::OldFormat)
        message << Msg::oldFormat();
    else if (m_doc.unreadLineCount() > 0)
        message << Msg::unreadLinesHead();
    if (m_doc.unreadLineCount() > 0)
        message << Msg::unreadLines(m_doc.unreadLineCount(), m_doc.unreadLineNumbers());
    if (!message.isEmpty())
        QMessageBox::information(this, programTitle(), message.join(u'\n'));
    return true;
}

bool CMainFrame::confirmPartialOverwrite(const QString &path, bool &saveAs)
{
    saveAs = false;
    const QFileInfo target(path), source(m_doc.path());
    // Only the file the document was read from holds lines the document lacks.
    if (m_doc.unreadLineCount() == 0 || m_doc.path().isEmpty() || !target.exists()
        || target.canonicalFilePath() != source.canonicalFilePath())
        return true;
    QMessageBox box(QMessageBox::Warning, programTitle(),
                    Msg::partialSaveQuestion(QDir::toNativeSeparators(path), m_doc.unreadLineCount()),
                    QMessageBox::NoButton, this);
    QPushButton *overwrite = box.addButton(Msg::saveAnyway(), QMessageBox::AcceptRole);
    QPushButton *other = box.addButton(Msg::saveAsInstead(), QMessageBox::ActionRole);
    box.setEscapeButton(box.addButton(Msg::cancel(), QMessageBox::RejectRole));
    box.setDefaultButton(other);
    box.exec();
    saveAs = box.clickedButton() == other;
    return box.clickedButton() == overwrite;
}

bool CMainFrame::confirmOverwriteChanged(const QString &path)
{
    const QFileInfo target(path), source(m_doc.path());
    if (m_doc.path().isEmpty() || target.canonicalFilePath() != source.canonicalFilePath()
        || !m_doc.fileChangedOnDisk())
        return true;
    QMessageBox box(QMessageBox::Warning, programTitle(),
                    QStringLiteral("Plik %1 zmienił się na dysku po wczytaniu lub ostatnim zapisaniu "
                                   "(zmienił go inny program).\n"
                                   "Zapisanie zastąpi tamte zmiany; wczytanie pliku ponownie porzuci "
                                   "zmiany wprowadzone tutaj.")
                        .arg(QDir::toNativeSeparators(path)),
                    QMessageBox::NoButton, this);
    QPushButton *reload = box.addButton(QStringLiteral("&Wczytaj ponownie"), QMessageBox::ActionRole);
    QPushButton *overwrite = box.addButton(QStringLiteral("&Zastąp"), QMessageBox::AcceptRole);
    QPushButton *cancel = box.addButton(Msg::cancel(), QMessageBox::RejectRole);
    box.setEscapeButton(cancel);
    box.setDefaultButton(cancel);
    box.exec();
    if (box.clickedButton() == reload)
        OpenDocumentFile(path);
    return box.clickedButton() == overwrite;
}

bool CMainFrame::DoSave(const QString &path)
{
    if (!confirmOverwriteChanged(path))
        return false;
    bool saveAs = false;
    if (!confirmPartialOverwrite(path, saveAs))
        return saveAs && OnFileSaveAs();
    if (!m_doc.Save(path)) {
        QMessageBox::warning(this, programTitle(), m_doc.errorString());
        return false;
    }
    m_app.AddToRecentFileList(path);
    return true;
}

bool CMainFrame::OnFileSave()
{
    if (m_doc.path().isEmpty())
        return OnFileSaveAs();
    return DoSave(m_doc.path());
}

bool CMainFrame::OnFileSaveAs()
{
    QString suggested = m_doc.path();
    if (suggested.isEmpty())
        suggested = QDir::home().filePath(m_doc.title() + kExtension);
    QFileDialog dialog(this, QStringLiteral("Zapisz jako"), suggested, kFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(kExtension.mid(1));
    dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    return DoSave(dialog.selectedFiles().first());
}

bool CMainFrame::SaveModified()
{
    // An order typed in the details dialog counts as a change too.
    if (!m_editor.settleDetailsEdits())
        return false;
    if (!m_doc.isModified())
        return true;
    const auto answer = QMessageBox::question(
        this, programTitle(), QStringLiteral("Czy zapisać zmiany w %1?").arg(m_doc.title()),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Cancel)
        return false;
    if (answer == QMessageBox::No)
        return true;
    return OnFileSave();
}

void CMainFrame::onFileOpen()
{
    if (!SaveModified())
        return;
    const QString dir = m_doc.path().isEmpty() ? QString() : QFileInfo(m_doc.path()).absolutePath();
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Otwórz"), dir,
                                                      kFilter + QStringLiteral(";;Wszystkie pliki (*)"));
    if (!path.isEmpty())
        OpenDocumentFile(path);
}

void CMainFrame::onOpenRecent(int index)
{
    const QStringList files = m_app.recentFiles();
    if (index >= files.size() || !SaveModified())
        return;
    const QString path = files[index];
    // A file that cannot be opened any more leaves the list, as it would not open next time either.
    if (!OpenDocumentFile(path) && !QFileInfo::exists(path))
        m_app.RemoveFromRecentFileList(path);
}

void CMainFrame::onZusImport()
{
    QFileDialog dialog(this, QStringLiteral("Wskaż plik przelewów wyeksportowany z Programu Płatnika"), QString(),
                       QStringLiteral("Wszystkie pliki (*)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    ImportZusFile(dialog.selectedFiles().first());
}

void CMainFrame::ImportZusFile(const QString &path)
{
    std::optional<ZusReadOutcome> read = readZusTransfers(path);
    if (!read) {
        QMessageBox::critical(this, programTitle(), Msg::text(Msg::BadFileName));
        return;
    }
    if (read->readFailed) {
        QMessageBox::critical(this, programTitle(), Msg::readFailed() + u'\n' + Msg::nothingImported());
        return;
    }
    const QString message = zusImportMessage(*read);
    m_editor.importOrders(std::move(read->orders));
    QMessageBox::information(this, programTitle(), message);
}

void CMainFrame::closeEvent(QCloseEvent *event)
{
    if (!SaveModified()) {
        event->ignore();
        return;
    }
    // The guide goes with the program.
    closeHelpWindow();
    event->accept();
}
