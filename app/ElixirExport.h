#pragma once
// The bank import file made without a window from a handed-over file of
// orders (kantomix --export-elixir PLIK WYNIK [--codepage ...]): the file is
// read as the batch print reads it, every order that can go to the bank is
// written, and every line or order left out is named on standard error.
// Exit codes are those of the batch print.

#include "app/CommandLine.h"
#include "base/Settings.h"
#include "model/ElixirWriter.h"

#include <QString>
#include <functional>

class QIODevice;

struct ElixirExportRequest
{
    QString input;
    QString output;
    // Each order's own date is its execution date.
    ElixirOptions options;
};

// One line for the calling program; the caller's device stands in for the
// output file when given (tests).
struct ElixirExportEnvironment
{
    std::function<void(const QString &)> note;
    QIODevice *outputDevice = nullptr;
};

// Gives a BatchExit: 0 written (also when every order was left out: then no
// file is left at the output), 1 the input cannot be read or is no file of
// orders, 5 the output cannot be written whole, 6 a file is missing or the
// output is the input.
int runElixirExport(const ElixirExportRequest &request, const ElixirExportEnvironment &env);

// True for "--export-elixir".
bool isElixirExportCommand(const CKantomixCommandLineInfo &cmd);
// The command line's export, with the stored tax classification, its lines on standard error.
int runElixirExport(const CKantomixCommandLineInfo &cmd, const GeneralSettings &settings);
