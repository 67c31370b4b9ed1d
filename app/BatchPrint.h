#pragma once
// Batch printing of a handed-over file of orders: every order
// read is printed on a page of its own, without a main window.

#include "app/CommandLine.h"
#include "base/Settings.h"
#include "edit/ConfirmOrder.h"

#include <functional>

// Exit codes of the batch: 0 only when every order read was printed.
enum BatchExit {
    BatchPrinted = 0,
    BatchFileNotOpened = 1,     // nothing printed, no message
    BatchCannotStartJob = 2,    // message 61702
    BatchCancelled = 3,         // print dialog or an order's details dialog ("EBP") cancelled
    BatchNotAvailable = 4,      // "EBP": an order must be confirmed but cannot be
    BatchPageFailed = 5,        // a page or the end of the job failed
};

// True for "/p" and "/pt".
bool isBatchPrintCommand(const CKantomixCommandLineInfo &cmd);

// "EBP": asks for each order read before it is printed; the order may be
// edited on the way. Empty when no one can be asked (no display).
using BatchConfirm = std::function<OrderConfirmation(CPrzelewDane &)>;

// Prints the command line's file; needs a QApplication. Messages go to a
// message box, or to standard error when there is no display.
int runBatchPrint(const CKantomixCommandLineInfo &cmd, const AllSettings &settings,
                  const BatchConfirm &confirm = {});

// The whole batch run from main(): creates the application (on the offscreen
// platform when there is no display), reads the settings and prints.
int batchPrintMain(int argc, char *argv[], const CKantomixCommandLineInfo &cmd);
