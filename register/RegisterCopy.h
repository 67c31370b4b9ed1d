#pragma once
// Copying the register of this computer to the office's server once: the
// parties the server lacks are added, the ones it has are left as they are,
// so a second run adds nothing.

#include "register/PartyStore.h"

struct RegisterCopyResult
{
    int copied = 0;    // added to the target
    int present = 0;   // already there: same name (without regard to case) and kind
    QString summary() const;
};

// One transaction: all or nothing. A default sender keeps its flag only
// when the target has no default sender yet.
RegisterCopyResult copyRegister(PartyStore &from, PartyStore &to);
