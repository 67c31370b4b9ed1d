#pragma once
// Accounts that are not just any account: the taxpayer's own tax
// micro-account (built from a NIP or PESEL), a payer's ZUS contribution
// account (NRS, which ZUS assigns and ends with the payer's NIP), and the
// accounts that were closed and take no payment any more.
// Every function takes a number as typed or stored (blanks, dashes, a
// leading "PL" ignored) and recognises only numbers whose NRB check digits
// are right.

#include <QDate>
#include <QString>
#include <optional>

// Whose tax micro-account: the type digit the number carries.
enum class MicroAccountOwner { Pesel = 1, Nip = 2 };

struct MicroAccount
{
    MicroAccountOwner owner;
    QString id;             // the NIP (10 digits) or PESEL (11 digits) in it
};

// The micro-account (26 digits, no blanks) of a NIP or PESEL; empty when `id`
// is not a valid identifier of that kind.
QString taxMicroAccount(MicroAccountOwner owner, QStringView id);
// Whose micro-account the number is; nothing when it is not one of a valid
// NIP or PESEL.
std::optional<MicroAccount> taxMicroAccountOwner(QStringView account);
// Whether the number is the micro-account of this NIP or PESEL.
bool isTaxMicroAccountOf(QStringView account, MicroAccountOwner owner, QStringView id);

// A ZUS contribution account: 60000002, 026, three digits (the payer's
// declaration range) and a valid NIP.
struct ZusContributionAccount
{
    QString range;          // 3 digits
    QString nip;            // 10 digits
};
std::optional<ZusContributionAccount> zusContributionAccount(QStringView account);
bool isZusContributionAccount(QStringView account);
// Whether the number is a contribution account of the payer with this NIP.
bool isZusContributionAccountOf(QStringView account, QStringView nip);

// An account that takes no payments since a date.
struct ClosedAccount
{
    QString account;        // 26 digits
    QString purpose;        // what it was for, in Polish
    QDate closedSince;      // the first day it takes nothing
};
// The closed account this number is, also when written without its check
// digits (as older files keep it); nothing when it is none of them.
std::optional<ClosedAccount> closedAccount(QStringView account);
// "Rachunek zamknięty 1.01.2018 (…): …" — the warning shown beside it.
QString closedAccountWarning(const ClosedAccount &closed);

// What a tooltip says of the number: whose contribution account or tax
// micro-account it is, or the closed-account warning; empty for any other
// account.
QString accountDescription(QStringView account);
