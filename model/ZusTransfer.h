#pragma once
// A ZUS order turned into what ZUS takes since 2018: one ordinary transfer
// to the payer's own contribution account (NRS), whose number ends with the
// payer's NIP. Amount, date and sender stay; the title names the period.

#include "model/PrzelewDane.h"

#include <QString>

namespace ZusTransfer {

// Why `account` cannot take the contributions of the payer with `nip`
// (mistyped, not a contribution account, another payer's); empty when it can.
QString accountProblem(QStringView account, QStringView nip);
// "Składki ZUS za 11/2026" from a declaration MMYYYY; "Składki ZUS" without one.
QString title(const QString &declaration);
// The ordinary transfer replacing `zus`, to `account` (already checked).
CPrzelewDane ordinaryTransfer(const CPrzelewDane &zus, QStringView account, const QString &title);

} // namespace ZusTransfer
