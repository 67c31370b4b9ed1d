#pragma once
// The main window's "Eksport do banku (Elixir-O)...": the selected orders,
// or all, into a bank import file. What goes in, what is left out and the
// closing summary are plain functions; exportOrdersToBank() asks the user and
// writes the file.

#include "base/Settings.h"
#include "model/ElixirWriter.h"
#include "register/DefaultSender.h"
#include "register/RegisterDatabase.h"

#include <QList>
#include <QString>
#include <optional>

class CKantomixDoc;
class QWidget;

// An order and its place in the list (from 1), as the summary names it.
struct ListedOrder
{
    int position;
    const CPrzelewDane *order;
};

struct ElixirLeftOut
{
    int position;
    QString recipient;
    ElixirRefusal why;
};

struct ElixirBuild
{
    explicit ElixirBuild(const ElixirOptions &options) : file(options) {}
    CElixirFile file;
    QList<ElixirLeftOut> leftOut;
    // Orders left out only for a double quote, which may become an apostrophe.
    int quoteRefusals() const;
};

// Transfers without a sender account: the sender chosen once stands in for them.
int ordersLackingSender(const QList<ListedOrder> &orders);

// Every order through the writer; a sender, when given, fills the orders that
// lack a sender account (and their sender name when they have none).
ElixirBuild buildBankFile(const QList<ListedOrder> &orders, const ElixirOptions &options,
                          const std::optional<CDefaultSender> &sender);

// The closing message: where the file went, how many orders, their sum, and
// every order left out with its reason. Long lists put the rest in `details`.
struct ElixirSummary
{
    QString text;
    QString details;
};
ElixirSummary bankFileSummary(const ElixirBuild &build, const QString &path);

// The command: the export dialog, the question about quotes, the file name,
// the file written whole or not at all, the summary. The dialog's choices of
// code page and tax classification are kept in `settings`.
void exportOrdersToBank(QWidget *parent, const CKantomixDoc &doc, const QList<int> &rows, GeneralSettings &settings,
                        const RegisterLocation &where);
