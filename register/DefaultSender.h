#pragma once
// The default sender that a new order starts with: the first row of kind 3
// flagged default, in natural order. Raises CRegisterError when the register
// cannot be read.

#include "register/RegisterLocation.h"

#include <QList>
#include <QString>

struct CDefaultSender
{
    bool found = false;
    QString name1;     // Kh_Nazwa1 -> sender name
    QString name2;     // Kh_Nazwa2 -> sender name continued
    QString account;   // account text -> sender account
};

CDefaultSender lookupDefaultSender(const RegisterLocation &where);

// Every sender of the register, the default one first, the rest by name.
QList<CDefaultSender> listSenders(const RegisterLocation &where);
