#pragma once
// Batch printing's "EBP": the order is shown in the details dialog, modal;
// Enter (or "Z&apisz", "Dr&ukuj") takes the edits into it and confirms it,
// any other ending refuses it.

#include "base/Settings.h"
#include "register/RegisterLocation.h"

class CPrzelewDane;

enum class OrderConfirmation { Confirmed, Refused };

OrderConfirmation confirmOrderInDialog(CPrzelewDane &order, const AllSettings &settings,
                                       const RegisterLocation &where);
