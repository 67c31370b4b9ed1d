#pragma once
// Quiet warnings about where an order's money goes: a closed account, and
// for a tax order an identifier failing its check digit, a symbol and an
// account that do not go together, a period not written by the rule. Only
// warnings: nothing is refused for them.

#include "model/PaymentAccounts.h"
#include "model/PrzelewDane.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace PaymentWarnings {

// Whose micro-account an order's identifier type (CPrzelewDane::idType) can
// build: NIP and PESEL; nothing for the other types.
std::optional<MicroAccountOwner> microAccountOwner(int idType);

// The identifier fails the check of its type (NIP, PESEL, REGON); empty when
// it passes, is empty, or its type has no check.
QString identifier(int idType, QStringView id);
// The symbol is paid to the micro-account but the account is not this
// payer's micro-account, or the account is a micro-account but the symbol
// is paid to the office; empty otherwise (also for an unknown symbol).
QString taxAccount(QStringView symbol, int idType, QStringView id, QStringView account,
                   QDate on = QDate::currentDate());
// The period does not follow the rule; empty when it does or is empty.
QString taxPeriod(QStringView period);
// The account is a closed one: when it was closed; empty otherwise.
QString closed(QStringView account);
// What a recipient account's mark says: the account is mistyped (or no
// account number at all), else closed; empty for an account that checks.
QString recipientAccount(QStringView account);

// All of the above that apply to an order (the closed account for any kind,
// the rest for a tax order), in that order.
QStringList ofOrder(const CPrzelewDane &order, QDate on = QDate::currentDate());

} // namespace PaymentWarnings
