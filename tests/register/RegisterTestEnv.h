#pragma once
// Points the register and the settings at a fresh temporary folder, so tests
// never touch the user's own files.

#include "register/KontrahenciSet.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>

// The register of the running test; RegisterTestEnv points it at its folder.
inline RegisterLocation &testRegister()
{
    static RegisterLocation where;
    return where;
}

class RegisterTestEnv
{
public:
    RegisterTestEnv()
    {
        qputenv("XDG_DATA_HOME", (m_dir.path() + QStringLiteral("/data")).toUtf8());
        qputenv("XDG_CONFIG_HOME", (m_dir.path() + QStringLiteral("/config")).toUtf8());
        testRegister() = RegisterLocation {dbPath()};
    }
    QString dbPath() const { return m_dir.path() + QStringLiteral("/data/kantomix.db"); }
    QString path() const { return m_dir.path(); }

    // Starts each test on an empty register.
    void reset() { QFile::remove(dbPath()); }

private:
    QTemporaryDir m_dir;
};

struct Party
{
    Party(const char *n, quint8 k = 0, bool d = false, const char *b = "10101023",
          const char *a = "0000261395100000", const char *c = "")
        : name(QString::fromUtf8(n)), kind(k), isDefault(d), bank(QString::fromUtf8(b)),
          account(QString::fromUtf8(a)), check(QString::fromUtf8(c)) {}
    Party(const QString &n, quint8 k = 0, bool d = false) : name(n), kind(k), isDefault(d) {}
    QString name;
    quint8 kind = 0;
    bool isDefault = false;
    QString bank = QStringLiteral("10101023");
    QString account = QStringLiteral("0000261395100000");
    QString check;
};

inline void addParties(std::initializer_list<Party> parties)
{
    CKontrahenciSet set(testRegister());
    set.Open();
    for (const Party &p : parties) {
        set.AddNew();
        set.m_Kh_Nazwa1 = p.name;
        set.m_Kh_Typ = p.kind;
        set.m_Kh_Domyslny = p.isDefault;
        set.m_Kh_BankOdbiorcy = p.bank;
        set.m_Kh_Rachunek = p.account;
        set.m_Kh_LiczbaKontrolna = p.check;
        set.Update();
    }
    set.Close();
}

inline QStringList namesOf(const QString &filter, const QString &sort = QStringLiteral("[KH_Nazwa1]"))
{
    CKontrahenciSet set(testRegister());
    set.m_strFilter = filter;
    set.m_strSort = sort;
    set.Open();
    QStringList out;
    for (long i = 0; i < set.GetRecordCount(); ++i) {
        set.MoveTo(i);
        out << set.m_Kh_Nazwa1;
    }
    return out;
}
