#include "import/Hop.h"

#include "import/DbfTable.h"
#include "base/Messages.h"
#include "model/AccountSplit.h"
#include "register/PartyStore.h"

#include <QDir>

// One table import step: how the key name and the address are built and
// which columns feed them.
struct CHop::Step
{
    const char *table;      // empty for the yearly tables, whose name is built
    int nameMode;           // 1 first 40 characters, 2 as is, 3 name + " " + second name
    quint8 kind;
    const char *name;
    const char *name2;
    const char *account;
    int addressMode;        // 3 postal city,street; 4 ... house; 5 ... house//flat
    const char *city;
    const char *street;
    const char *postal;
    const char *house;
    const char *flat;
};

namespace {

using Step = CHop::Step;

constexpr Step Owner0 {"OWNER", 2, TypNadawca, "FI_NAZWA", "", "FI_NRKONTA", 3, "FI_MIASTO", "FI_ULICA", "FI_KODPOCZ", "", ""};
constexpr Step Firmy0 {"FIRMY", 2, TypKontrahent, "FI_NAZWA", "", "FI_NRKONTA", 3, "FI_MIASTO", "FI_ULICA", "FI_KODPOCZ", "", ""};
constexpr Step Podmioty1 {"Podmioty", 1, TypNadawca, "NAZWA", "", "KONTO", 5, "MIASTO", "ADRES", "KOD", "NR_DOMU", "NR_LOKALU"};
constexpr Step Urzedy {"URZEDY", 2, TypUrzad, "US_NAZWA", "", "KONTO1", 4, "US_MIASTO", "US_ULICA", "US_KODZIP", "US_NRDOMU", ""};
constexpr Step Ewfirmy1 {"EWFIRMY", 1, TypKontrahent, "FIRMA", "", "KONTO", 3, "MIASTO", "ULICA", "KOD", "", ""};
constexpr Step Podmioty2 {"Podmioty", 2, TypNadawca, "PO_NAZWA", "", "PO_RACH", 5, "PO_MIASTO", "PO_ULICA", "PO_KODPOCZ", "PO_NRDOMU", "PO_NRLOKAL"};
constexpr Step YyFirmy2 {"FIRMY", 2, TypKontrahent, "FI_NAZWA", "FI_NAZWA2", "FI_NRKONTA", 3, "FI_MIASTO", "FI_ULICA", "FI_KODPOCZ", "", ""};
constexpr Step YyPrac2 {"PRAC", 3, TypPracownik, "PC_NAZWISK", "PC_IMIE1", "PC_NRKONTA", 5, "PC_MIASTO", "PC_ULICA", "PC_KODPOCZ", "PC_NRDOMU", "PC_NRLOKALU"};
constexpr Step YyUrzedy2 {"URZEDY", 2, TypUrzad, "IS_NAZWA", "IS_MIASTO", "IS_NRKONTA", 5, "IS_MIASTO", "IS_ULICA", "IS_KODPOCZ", "IS_NRDOMU", "IS_NRLOKALU"};
constexpr Step Podmioty3 {"Podmioty", 1, TypNadawca, "NAZWA", "", "KONTO1", 5, "MIASTO", "ADRES", "KOD", "NR_DOMU", "NR_LOKALU"};
constexpr Step Pracow3 {"PRACOW", 3, TypPracownik, "NAZWISKO", "IMIE1", "KONTO1", 5, "MIASTO", "ULICA", "KODZIP", "NR_DOMU", "NR_LOKALU"};

// What each source imports: tables of the data folder, then per sub-folder
// one table or (Kontrel) the yearly tables.
struct SourcePlan
{
    const char *checkTable;
    const Step *topSteps[2];
    const Step *perSubfolder;
    bool yearly;
};

constexpr SourcePlan Plans[] = {
    {"owner", {&Owner0, &Firmy0}, nullptr, false},
    {"podmioty", {&Podmioty1, &Urzedy}, &Ewfirmy1, false},
    {"podmioty", {&Podmioty2, nullptr}, nullptr, true},
    {"podmioty", {&Podmioty3, &Urzedy}, &Pracow3, false},
};

constexpr const Step *YearlySteps[] = {&YyFirmy2, &YyPrac2, &YyUrzedy2};

constexpr int NameMode1Length = 40;
constexpr int AddressLength = 54;
constexpr int AccountLength = 34;

// A step's columns resolved once; -1 where the step does not read one.
struct Resolved
{
    int name = -1, name2 = -1, account = -1, city = -1, street = -1, postal = -1, house = -1, flat = -1;
};

// Resolves the columns the step reads; false when one it needs is missing.
bool resolve(const CDbfTable &t, const Step &s, Resolved &r)
{
    const auto need = [&](const char *col, int &out) {
        out = t.columnIndex(QString::fromLatin1(col));
        return out >= 0;
    };
    r.account = t.columnIndex(QString::fromLatin1(s.account));   // unreadable: empty account
    return need(s.name, r.name) && (s.nameMode != 3 || need(s.name2, r.name2)) && need(s.city, r.city)
        && need(s.street, r.street) && need(s.postal, r.postal) && (s.addressMode < 4 || need(s.house, r.house))
        && (s.addressMode < 5 || need(s.flat, r.flat));
}

QString keyName(const CDbfTable &t, qsizetype row, const Step &s, const Resolved &r)
{
    const QString name = t.value(row, r.name);
    switch (s.nameMode) {
    case 1: return name.left(NameMode1Length);
    case 3: return name + u' ' + t.value(row, r.name2);
    default: return name;
    }
}

QString address(const CDbfTable &t, qsizetype row, const Step &s, const Resolved &r)
{
    QString a = t.value(row, r.postal) + u' ' + t.value(row, r.city) + u',' + t.value(row, r.street);
    if (s.addressMode >= 4)
        a += u' ' + t.value(row, r.house);
    if (s.addressMode == 5) {
        const QString flat = t.value(row, r.flat);
        if (!flat.isEmpty())
            a += QStringLiteral("//") + flat;
    }
    return a.left(AddressLength);
}

// The sub-folders of a folder in name order, so every machine imports alike.
QStringList subfolders(const QString &folder)
{
    const QDir dir(folder);
    QStringList out;
    for (const QString &e : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name))
        out << dir.filePath(e);
    return out;
}

} // namespace

CHop::CHop(int source, const QString &dataFolder, PartyStore &target)
    : m_source(source), m_folder(dataFolder), m_target(target)
{
}

QString CHop::summary() const
{
    QString text = QStringLiteral("Zaimportowano: %1.\nZaktualizowano: %2.").arg(m_added).arg(m_updated);
    if (failed())
        text += QStringLiteral("\n\n") + Msg::importFailed() + u'\n' + m_errors.join(u'\n');
    return text;
}

QString CHop::dataFolderOf(const QString &folder)
{
    const QString found = CDbfTable::findEntry(folder, QStringLiteral("dbfs"));
    return found.isEmpty() ? QDir(folder).filePath(QStringLiteral("dbfs")) : found;
}

bool CHop::checkFolder(int source, const QString &folder)
{
    return folderProblem(source, folder).isEmpty();
}

QString CHop::folderProblem(int source, const QString &folder)
{
    const QString invalid = QStringLiteral("Podany katalog jest nieprawidłowy.");
    if (source < 0 || source > 3 || folder.isEmpty() || !QFileInfo(folder).isDir())
        return invalid;
    const QString dataFolder = dataFolderOf(folder);
    const QString table = QString::fromLatin1(Plans[source].checkTable).toUpper() + QStringLiteral(".DBF");
    const QString path = CDbfTable::findTable(dataFolder, QLatin1String(Plans[source].checkTable));
    if (path.isEmpty())
        return invalid + QStringLiteral("\nNie znaleziono tabeli %1 w katalogu %2.").arg(table, dataFolder);
    CDbfTable reader;
    if (!reader.open(path))
        return invalid + QStringLiteral("\nTabeli %1 nie można odczytać.").arg(path);
    return {};
}

void CHop::Run()
{
    if (m_source < 0 || m_source > 3)
        return;
    const SourcePlan &plan = Plans[m_source];
    for (const Step *s : plan.topSteps)
        if (s)
            runStep(*s, m_folder, QLatin1String(s->table));
    if (!plan.perSubfolder && !plan.yearly)
        return;
    for (const QString &sub : subfolders(m_folder)) {
        if (plan.yearly)
            runYearly(sub);
        else
            runStep(*plan.perSubfolder, sub, QLatin1String(plan.perSubfolder->table));
    }
}

void CHop::runYearly(const QString &folder)
{
    CDbfTable years;
    const QString path = CDbfTable::findTable(folder, QStringLiteral("LATA"));
    if (path.isEmpty() || !years.open(path))
        return;
    const int col = years.columnIndex(u"LT_ROK");
    if (col < 0)
        return;
    for (qsizetype row = 0; row < years.recordCount(); ++row) {
        if (years.isDeleted(row))
            continue;
        const QString yy = years.value(row, col).right(2);
        for (const Step *s : YearlySteps)
            runStep(*s, folder, yy + QLatin1String(s->table));
    }
}

void CHop::runStep(const Step &step, const QString &folder, const QString &tableName)
{
    CDbfTable table;
    const QString path = CDbfTable::findTable(folder, tableName);
    if (path.isEmpty() || !table.open(path))
        return;
    qsizetype live = 0;
    for (qsizetype row = 0; row < table.recordCount(); ++row)
        live += table.isDeleted(row) ? 0 : 1;
    if (live == 0)
        return;
    Resolved cols;
    if (!resolve(table, step, cols))
        return;
    // One transaction a step: its rows are counted once the register has
    // committed them, and a step the register refuses leaves nothing behind.
    int added = 0, updated = 0;
    try {
        PartyStore::Transaction transaction(m_target);
        for (qsizetype row = 0; row < table.recordCount(); ++row) {
            if (table.isDeleted(row))
                continue;
            const QString key = keyName(table, row, step, cols);
            // The match ignores the kind; the flag of a found row is kept.
            std::optional<Party> found = m_target.findByName(key);
            Party p = found ? *found : Party {};
            if (!found)
                p.name1 = key;
            p.name2 = address(table, row, step, cols);
            AccountParts account;
            if (cols.account >= 0)
                account = SplitAccount(table.value(row, cols.account));
            p.check = account.checkDigits;
            p.bank = account.bankNumber;
            p.account = account.accountRest.left(AccountLength);
            p.kind = step.kind;
            if (found)
                m_target.update(p);
            else
                m_target.add(p);
            ++(found ? updated : added);
        }
        transaction.commit();
        m_added += added;
        m_updated += updated;
    } catch (const CRegisterError &e) {
        if (!m_errors.contains(e.message()))
            m_errors << e.message();
    }
}
