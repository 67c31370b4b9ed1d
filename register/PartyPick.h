#pragma once
// Picking a party into an order from the register: the list in picking mode,
// recipients with the kind bits preset or senders. A register failure is
// shown in its own message box and gives "nothing picked".

#include "register/RegisterError.h"
#include "register/RegisterLocation.h"

#include <QString>
#include <optional>

class QWidget;

// A party picked into an order.
struct CPickedParty
{
    QString name1, name2, check, bank, account;
    QString accountText;   // [check-]bank-account, as the sender account takes it
};

// Kind bits of the recipient list (1 counterparties, 2 employees, 4 tax
// offices); senders are listed whatever their kind.
std::optional<CPickedParty> pickParty(QWidget *parent, const RegisterLocation &where, bool recipients,
                                     int initialKinds);

// Shows a register failure in its own box, titled with the program's name.
void reportRegisterError(QWidget *parent, const CRegisterError &e);
