#pragma once
// Translates the program's Jet filter and sort texts ("(KH_Typ=0 OR KH_Typ=1)
// AND KH_Nazwa1 LIKE \"ab*\"", "[KH_Nazwa1]") into SQLite text whose every
// literal is a bound value. Column names are matched without regard to case;
// anything outside this small grammar raises CRegisterError.

#include <QString>
#include <QVariant>
#include <QVector>

struct SqlFragment
{
    QString sql;
    QVector<QVariant> values;   // bound in order: qint64 or QString
};

namespace JetFilter {

// The columns of Kontrahent, in binding order.
constexpr const char *Columns[] = {
    "Kh_IdKontrahenta", "Kh_Nazwa1", "Kh_Nazwa2", "Kh_LiczbaKontrolna",
    "Kh_BankOdbiorcy", "Kh_Rachunek", "Kh_Typ", "Kh_Domyslny",
};
constexpr int ColumnCount = 8;

// Index into Columns of a name written in any case, or -1.
int columnIndex(QStringView name);

// A WHERE condition; an empty filter gives "1".
SqlFragment translateFilter(const QString &filter);
// An ORDER BY list; an empty sort gives the natural (identity) order.
QString translateSort(const QString &sort);
// True when the sort begins with the name, ascending: the name index gives
// that order without sorting.
bool sortUsesNameIndex(const QString &sort);

} // namespace JetFilter
