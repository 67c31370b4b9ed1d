#pragma once
// Every command of the main window as data: its number, menu text with the
// accelerator after a tab, status-bar tip, tooltip, icon and enable rule.
// One routine (CMainFrame) turns the table into actions, menus and a toolbar.

#include <QIcon>
#include <span>

enum CommandId {
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_MRU_FILE1 = 57616,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
    ID_APP_EXIT = 57665,
    ID_ADD_ORDINARY = 32794,
    ID_ADD_ZUS = 32793,
    ID_ADD_TAX = 32802,
    ID_EDIT_ORDER = 32774,
    ID_DELETE_ORDERS = 32782,
    ID_BLANK_ORDINARY = 32773,
    ID_BLANK_ZUS = 32800,
    ID_BLANK_TAX = 32805,
    ID_RECIPIENTS = 32784,
    ID_SENDERS = 32787,
    ID_DOS_IMPORT = 32788,
    ID_OPTIONS = 32779,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
    ID_HELP_FINDER = 57667,
    ID_APP_ABOUT = 57664,
    ID_ABOUT_FIRM = 32792,
    ID_ZUS_IMPORT = 32801,
    ID_ELIXIR_EXPORT = 32840,
};

// When a command can be used.
enum class EnableRule {
    Always,
    HasOrders,      // the document holds at least one order
    HasSelection,   // at least one row of the list is selected
    EditableSelection, // a row of an order is selected
    CanUndo,        // the undo stack has a change to take back
    CanRedo,        // ... or one to make again
};

struct CommandDef
{
    CommandId id;
    const char *menuText;   // "&" marks the mnemonic, "\t" precedes the key shown
    const char *shortcut;   // QKeySequence text, or nullptr
    const char *statusTip;
    const char *toolTip;
    const char *icon;       // icon theme name, or nullptr
    const char *badge;      // short text drawn over the icon to tell similar buttons apart
    EnableRule enable;
    bool checkable;
};

std::span<const CommandDef> commandTable();
const CommandDef *findCommand(CommandId id);

// Menu bar and toolbar layout: command ids in order, 0 a separator,
// kSortSubmenu the "Sortuj według" submenu of the list's columns.
constexpr int kSortSubmenu = 1;
extern const char *const kSortSubmenuTitle;
struct MenuDef
{
    const char *title;
    std::span<const int> entries;   // ID_FILE_MRU_FILE1 stands for the recent-file entries
};
std::span<const MenuDef> mainMenu();
std::span<const int> toolBarButtons();
// The list's right-click menu: the add commands form a submenu ("Dodaj").
std::span<const int> contextMenuEntries();
std::span<const int> addSubmenuEntries();
extern const char *const kAddSubmenuTitle;

// The command's icon: from the desktop's icon theme where one fits, with its
// badge drawn over it; a null icon when the command has none.
QIcon commandIcon(const CommandDef &def);
