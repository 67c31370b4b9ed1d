#pragma once
// Entry points of the counterparty register for the main window and the
// order pages. Each opens its own set for the one operation, shows a register
// failure with its own message and carries on without the register.

#include "register/DefaultSender.h"

#include <QString>
#include <optional>

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

// A party picked into an order.
struct CPickedParty
{
    QString name1, name2, check, bank, account;
    QString accountText;   // [check-]bank-account, as the sender account takes it
};

// Pick mode of the list for the order pages: recipients with the kind bits
// preset (1 counterparties, 2 employees, 4 tax offices), or senders.
std::optional<CPickedParty> pickParty(QWidget *parent, const RegisterLocation &where, bool recipients,
                                     int initialKinds);
