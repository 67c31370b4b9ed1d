#pragma once
// One party of the register as the program reads and writes it, and the
// values that choose which parties a list shows and in what order.

#include <QString>
#include <QtGlobal>

// Kind codes of Kh_Typ.
enum KontrahentTyp : quint8 { TypKontrahent = 0, TypPracownik = 1, TypUrzad = 2, TypNadawca = 3 };

struct Party
{
    qint64 id = 0;          // Kh_IdKontrahenta; 0 until the store adds the party
    QString name1;          // Kh_Nazwa1
    QString name2;          // Kh_Nazwa2
    QString check;          // Kh_LiczbaKontrolna
    QString bank;           // Kh_BankOdbiorcy
    QString account;        // Kh_Rachunek
    quint8 kind = TypKontrahent;
    bool isDefault = false; // Kh_Domyslny, meaningful for senders only
    qint64 version = 0;     // raised by every write; a save names the one it read

    // [check-]bank-account, as lists show it and orders take it.
    QString accountText() const;
    bool operator==(const Party &) const = default;
};

// Which parties a list shows.
struct PartyFilter
{
    // Bit k lets kind k through: 1 counterparties, 2 employees, 4 tax offices, 8 senders.
    quint8 kinds = 0x0F;
    // The start of the name as the user typed it: "*" any run, "?" any one
    // character, "#" one digit; letters without regard to case.
    QString namePrefix;
    bool defaultOnly = false;

    static PartyFilter senders() { return {quint8(1u << TypNadawca), {}, false}; }
};

// The list's order: natural (as added), or by one list column; ties keep
// the natural order.
enum class PartySort { Natural, Name, Account, Kind };
