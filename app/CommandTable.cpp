#include "app/CommandTable.h"

#include <QApplication>
#include <QFont>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <array>

namespace {

using R = EnableRule;

constexpr std::array kCommands = {
    CommandDef{ID_FILE_NEW, "&Nowy...\tCtrl+N", "Ctrl+N",
               "Tworzy nowy plik przelewów", "Nowy plik", "document-new", nullptr, R::Always, false},
    CommandDef{ID_FILE_OPEN, "&Otwórz...\tCtrl+O", "Ctrl+O",
               "Otwiera istniejący plik przelewów", "Otwórz plik", "document-open", nullptr, R::Always, false},
    CommandDef{ID_FILE_SAVE, "Zapi&sz\tCtrl+S", "Ctrl+S",
               "Zapisuje plik przelewów", "Zapisz", "document-save", nullptr, R::HasOrders, false},
    CommandDef{ID_FILE_SAVE_AS, "Z&apisz jako...", nullptr,
               "Zapisuje plik przelewów pod nową nazwą", "Zapisz jako", "document-save-as", nullptr,
               R::HasOrders, false},
    CommandDef{ID_FILE_PRINT, "D&rukuj...\tCtrl+P", "Ctrl+P",
               "Drukuje wybrane przelewy, a gdy nic nie wybrano, wszystkie", "Drukuj", "document-print",
               nullptr, R::HasOrders, false},
    CommandDef{ID_FILE_PRINT_PREVIEW, "&Podgląd wydruku", nullptr,
               "Pokazuje, jak zostaną wydrukowane wybrane przelewy", "Podgląd wydruku",
               "document-print-preview", nullptr, R::HasOrders, false},
    CommandDef{ID_FILE_MRU_FILE1, "Ostatni plik", nullptr,
               "Otwiera ten plik przelewów", "Ostatni plik", nullptr, nullptr, R::Always, false},
    CommandDef{ID_APP_EXIT, "&Zakończ", nullptr,
               "Kończy pracę programu; pyta o zapisanie zmian", "Zakończ", "application-exit", nullptr,
               R::Always, false},
    // The menu adds what would be taken back or made again to these texts.
    CommandDef{ID_EDIT_UNDO, "&Cofnij\tCtrl+Z", "Ctrl+Z",
               "Cofa ostatnią zmianę listy przelewów", "Cofnij", "edit-undo", nullptr, R::CanUndo, false},
    CommandDef{ID_EDIT_REDO, "Po&nów\tCtrl+Y", "Ctrl+Y",
               "Ponawia cofniętą zmianę listy przelewów", "Ponów", "edit-redo", nullptr, R::CanRedo, false},
    CommandDef{ID_ADD_ORDINARY, "&Przelew\tCtrl+D", "Ctrl+D",
               "Dodaje nowe polecenie przelewu lub wpłatę gotówkową", "Nowy przelew", "document-new",
               "+", R::Always, false},
    CommandDef{ID_ADD_ZUS, "Przelew &ZUS\tCtrl+U", "Ctrl+U",
               "Dodaje nowy przelew na rachunek ZUS", "Nowy przelew ZUS", "document-new", "Z",
               R::Always, false},
    CommandDef{ID_ADD_TAX, "Przelew US\tCtrl+T", "Ctrl+T",
               "Dodaje nowy przelew do urzędu skarbowego", "Nowy przelew US", "document-new", "US",
               R::Always, false},
    CommandDef{ID_EDIT_ORDER, "P&opraw\tAlt+Enter", "Alt+Enter",
               "Poprawia wybrany przelew", "Popraw przelew", "document-properties", nullptr,
               R::EditableSelection, false},
    CommandDef{ID_DELETE_ORDERS, "&Usuń\tDel", "Del",
               "Usuwa wybrane przelewy", "Usuń przelewy", "edit-delete", nullptr, R::HasSelection, false},
    CommandDef{ID_BLANK_ORDINARY, "Drukuj &formularz\tCtrl+F", "Ctrl+F",
               "Drukuje pusty formularz polecenia przelewu / wpłaty gotówkowej", "Pusty formularz",
               "document-print", "P", R::Always, false},
    CommandDef{ID_BLANK_ZUS, "&Drukuj formularz ZUS", nullptr,
               "Drukuje pusty formularz przelewu do ZUS", "Pusty formularz ZUS", "document-print", "Z",
               R::Always, false},
    CommandDef{ID_BLANK_TAX, "Drukuj formularz U&S", nullptr,
               "Drukuje pusty formularz przelewu do urzędu skarbowego", "Pusty formularz US",
               "document-print", "US", R::Always, false},
    CommandDef{ID_RECIPIENTS, "&Odbiorcy...\tCtrl+K", "Ctrl+K",
               "Otwiera listę odbiorców przelewów", "Odbiorcy", "x-office-address-book", nullptr,
               R::Always, false},
    CommandDef{ID_SENDERS, "&Nadawcy...\tCtrl+W", "Ctrl+W",
               "Otwiera listę nadawców przelewów", "Nadawcy", "x-office-address-book", "N",
               R::Always, false},
    CommandDef{ID_DOS_IMPORT, "&Import danych z DOS\tCtrl+I", "Ctrl+I",
               "Importuje kontrahentów z danych programów dla systemu DOS", "Import danych z DOS", nullptr,
               nullptr, R::Always, false},
    CommandDef{ID_OPTIONS, "O&pcje...", nullptr,
               "Pokazuje okno z opcjami programu", "Opcje", "preferences-system", nullptr, R::Always,
               false},
    CommandDef{ID_VIEW_TOOLBAR, "Pasek &narzędzi", nullptr,
               "Pokazuje lub ukrywa pasek narzędzi", "Pasek narzędzi", nullptr, nullptr, R::Always, true},
    CommandDef{ID_VIEW_STATUS_BAR, "Pasek &statusu", nullptr,
               "Pokazuje lub ukrywa pasek statusu", "Pasek statusu", nullptr, nullptr, R::Always, true},
    CommandDef{ID_HELP_FINDER, "Kantomix 2 - tematy &pomocy\tF1", "F1",
               "Otwiera pomoc programu", "Pomoc", "help-contents", nullptr, R::Always, false},
    CommandDef{ID_APP_ABOUT, "I&nformacje o programie", nullptr,
               "Pokazuje informacje o programie, jego wersję i dane producenta", "Informacje o programie",
               "help-about", nullptr, R::Always, false},
    CommandDef{ID_ABOUT_FIRM, "Informacje o &firmie...", nullptr,
               "Pokazuje informacje o producencie programu", "Informacje o firmie", nullptr, nullptr,
               R::Always, false},
    CommandDef{ID_ZUS_IMPORT, "&Import przelewów ZUS...", nullptr,
               "Importuje przelewy generowane przez Program Płatnika", "Import przelewów ZUS", nullptr,
               nullptr, R::Always, false},
    CommandDef{ID_ELIXIR_EXPORT, "&Eksport do banku (Elixir-O)...", nullptr,
               "Zapisuje wybrane przelewy, a gdy nic nie wybrano, wszystkie, w pliku do wczytania w bankowości "
               "internetowej",
               "Eksport do banku", nullptr, nullptr, R::HasOrders, false},
};

constexpr int kFileMenu[] = {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS, 0,
                             ID_ZUS_IMPORT, ID_ELIXIR_EXPORT, 0,
                             ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, 0,
                             ID_FILE_MRU_FILE1, 0, ID_APP_EXIT};
constexpr int kOrdersMenu[] = {ID_EDIT_UNDO, ID_EDIT_REDO, 0, ID_ADD_ORDINARY, ID_ADD_ZUS, ID_ADD_TAX, 0, ID_EDIT_ORDER, ID_DELETE_ORDERS, 0,
                               ID_BLANK_ORDINARY, ID_BLANK_ZUS, ID_BLANK_TAX};
constexpr int kRegisterMenu[] = {ID_RECIPIENTS, ID_SENDERS, 0, ID_DOS_IMPORT};
constexpr int kViewMenu[] = {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, 0, kSortSubmenu, 0, ID_OPTIONS};
constexpr int kHelpMenu[] = {ID_HELP_FINDER, 0, ID_ABOUT_FIRM, ID_APP_ABOUT};

constexpr std::array kMenus = {
    MenuDef{"&Plik", kFileMenu},
    MenuDef{"P&rzelewy", kOrdersMenu},
    MenuDef{"&Kontrahenci", kRegisterMenu},
    MenuDef{"&Widok", kViewMenu},
    MenuDef{"Po&moc", kHelpMenu},
};

constexpr int kToolBar[] = {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, 0,
                            ID_ADD_ORDINARY, ID_ADD_ZUS, ID_ADD_TAX, ID_EDIT_ORDER, 0,
                            ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, 0,
                            ID_BLANK_ORDINARY, ID_BLANK_ZUS, ID_BLANK_TAX, 0,
                            ID_RECIPIENTS, 0, ID_HELP_FINDER};

constexpr int kContextMenu[] = {0 /* the add submenu */, ID_EDIT_ORDER, ID_DELETE_ORDERS, 0,
                                ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, 0, kSortSubmenu};
constexpr int kAddSubmenu[] = {ID_ADD_ORDINARY, ID_ADD_ZUS, ID_ADD_TAX};

// A theme icon by name; themes of the GNOME family ship only the symbolic form.
QIcon themeIcon(const QString &name)
{
    QIcon icon = QIcon::fromTheme(name);
    if (icon.isNull())
        icon = QIcon::fromTheme(name + QStringLiteral("-symbolic"));
    return icon;
}

QIcon withBadge(const QIcon &base, const QString &badge)
{
    QIcon out;
    for (int size : {16, 22, 24, 32}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        base.paint(&p, QRect(0, 0, size, size));
        QFont f = QApplication::font();
        f.setBold(true);
        f.setPixelSize(badge.size() > 1 ? size * 7 / 16 : size * 9 / 16);
        p.setFont(f);
        const QRect box(size / 3, size / 3, size - size / 3, size - size / 3);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x1c, 0x5f, 0xb0));
        p.drawRoundedRect(box, 3, 3);
        p.setPen(Qt::white);
        p.drawText(box, Qt::AlignCenter, badge);
        p.end();
        out.addPixmap(pm);
    }
    return out;
}

} // namespace

const char *const kAddSubmenuTitle = "&Dodaj";
const char *const kSortSubmenuTitle = "Sortuj &według";

std::span<const CommandDef> commandTable() { return kCommands; }
std::span<const MenuDef> mainMenu() { return kMenus; }
std::span<const int> toolBarButtons() { return kToolBar; }
std::span<const int> contextMenuEntries() { return kContextMenu; }
std::span<const int> addSubmenuEntries() { return kAddSubmenu; }

const CommandDef *findCommand(CommandId id)
{
    for (const CommandDef &def : kCommands)
        if (def.id == id)
            return &def;
    return nullptr;
}

QIcon commandIcon(const CommandDef &def)
{
    QIcon icon;
    if (def.icon)
        icon = themeIcon(QString::fromLatin1(def.icon));
    if (icon.isNull() && (def.icon || def.badge))
        icon = QApplication::style()->standardIcon(QStyle::SP_FileIcon);
    if (def.badge && !icon.isNull())
        icon = withBadge(icon, QString::fromUtf8(def.badge));
    return icon;
}
