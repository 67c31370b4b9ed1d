#pragma once
// Entry points of the counterparty register for the main window. Each opens
// its own store connection for the one operation, shows a register failure
// with its own message and carries on without the register.

#include "base/Settings.h"
#include "register/DefaultSender.h"
#include "register/PartyPick.h"

class QWidget;

// The register the settings name: the file in the user's data folder, or
// the server.
RegisterLocation registerLocationOf(const RegisterSettings &settings);
// Asks for a server's password with a dialog over `parent`, once a run.
void installRegisterPasswordPrompt(QWidget *parent);

// The options page's actions: a connection check that counts the parties,
// and the copy of the file's register to the server; each answers in words.
QString checkRegisterConnection(const RegisterSettings &settings);
QString copyRegisterToServer(const RegisterSettings &settings);

// "&Odbiorcy...": manage recipients (placement "KontrahenciDlg").
void showRecipientsDialog(QWidget *parent, const RegisterLocation &where);
// "&Nadawcy...": manage senders (placement "NadawcyDlg").
void showSendersDialog(QWidget *parent, const RegisterLocation &where);
// "&Import danych z DOS": the DOS-data import dialog.
void showDosImportDialog(QWidget *parent, const RegisterLocation &where);

// The default sender for a new order; a register failure is shown (when
// `parent` is given) and gives "not found".
CDefaultSender lookupDefaultSenderOrReport(QWidget *parent, const RegisterLocation &where);
