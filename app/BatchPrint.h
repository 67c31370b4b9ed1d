#pragma once
// Batch printing of a handed-over file of orders: every order
// read is printed on a page of its own, without a main window.

#include "app/CommandLine.h"
#include "base/Settings.h"
#include "edit/ConfirmOrder.h"
#include "register/RegisterLocation.h"

#include <QString>
#include <functional>

class QIODevice;
class QPrinter;

// Exit codes of the batch, stable for the programs that call Kantomix.
enum BatchExit {
    BatchPrinted = 0,           // every order read was printed (also when the file held none: empty job)
    BatchFileNotOpened = 1,     // the input file cannot be read: missing, unreadable, a folder, neither a
                                // regular file nor a pipe, a read error during the job, no file of orders
                                // (no header and no readable order), or it changed while it was printed
    BatchCannotStartJob = 2,    // the printer cannot be used or the job cannot be started (message 61702)
    BatchCancelled = 3,         // cancelled by the user (print dialog, details dialog under /EBP)
    BatchNotAvailable = 4,      // a display is needed and none answers: /EBP, the window itself
    BatchPageFailed = 5,        // printing or writing the output failed (a page; the PDF not written whole;
                                // an older PDF of an empty job that could not be removed)
    BatchBadCommandLine = 6,    // a wrong command line: an unknown switch, a word too many, no file named,
                                // the output path is the input file
};

// True for "/p" and "/pt".
bool isBatchPrintCommand(const CKantomixCommandLineInfo &cmd);

// What the batch needs around it; tests put their own parts in.
struct BatchEnvironment
{
    // One line for the calling program (standard error by default).
    std::function<void(const QString &)> note;
    // A failure the user should see: a message box when there is a display,
    // and the same line as a note.
    std::function<void(const QString &)> failure;
    // The printer set-up dialog of "/PD"; false when cancelled. Empty: no
    // dialog can be shown (no display), printing goes on as without "/PD".
    std::function<bool(QPrinter &)> printerDialog;
    // When set, the built-in PDF printer writes here instead of its file.
    QIODevice *pdfDevice = nullptr;
    // "/EBP": asks for each order read before anything is printed; the order
    // may be edited on the way. Empty: no one can be asked (no display).
    std::function<OrderConfirmation(CPrzelewDane &)> confirm;
};

// The environment of a real run: standard error, message boxes and the
// printer dialog when there is a display.
BatchEnvironment defaultBatchEnvironment(const AllSettings &settings, const RegisterLocation &where);

// Prints the command line's file; needs a QApplication. Gives a BatchExit.
int runBatchPrint(const CKantomixCommandLineInfo &cmd, const AllSettings &settings,
                  const RegisterLocation &where = {RegisterDb::defaultPath()});
int runBatchPrint(const CKantomixCommandLineInfo &cmd, const AllSettings &settings, const BatchEnvironment &env);
