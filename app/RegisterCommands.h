#pragma once
// Entry points of the counterparty register for the main window. Each opens
// its own store connection for the one operation, shows a register failure with its own
// message and carries on without the register.

#include "register/DefaultSender.h"
#include "register/PartyPick.h"

class QWidget;

// "&Odbiorcy...": manage recipients (placement "KontrahenciDlg").
void showRecipientsDialog(QWidget *parent, const RegisterLocation &where);
// "&Nadawcy...": manage senders (placement "NadawcyDlg").
void showSendersDialog(QWidget *parent, const RegisterLocation &where);
// "&Import danych z DOS": the DOS-data import dialog.
void showDosImportDialog(QWidget *parent, const RegisterLocation &where);

// The default sender for a new order; a register failure is shown (when
// `parent` is given) and gives "not found".
CDefaultSender lookupDefaultSenderOrReport(QWidget *parent, const RegisterLocation &where);
