#pragma once
// Batch printing of a handed-over file of orders: every order
// read is printed on a page of its own, without a main window.

#include "app/CommandLine.h"
#include "base/Settings.h"

// Exit codes of the batch: 0 only when every order read was printed.
enum BatchExit {
    BatchPrinted = 0,
    BatchFileNotOpened = 1,     // nothing printed, no message
    BatchCannotStartJob = 2,    // message 61702
    BatchCancelled = 3,         // print dialog cancelled
    BatchNotAvailable = 4,      // "EBP": confirmation before printing is not available yet
    BatchPageFailed = 5,        // a page or the end of the job failed
};

// True for "/p" and "/pt".
bool isBatchPrintCommand(const CKantomixCommandLineInfo &cmd);

// Prints the command line's file; needs a QApplication. Messages go to a
// message box, or to standard error when there is no display.
int runBatchPrint(const CKantomixCommandLineInfo &cmd, const AllSettings &settings);

// The whole batch run from main(): creates the application (on the offscreen
// platform when there is no display), reads the settings and prints.
int batchPrintMain(int argc, char *argv[], const CKantomixCommandLineInfo &cmd);
