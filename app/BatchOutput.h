#pragma once
// Where a batch's pages go: the printer the command line or the settings
// name (or the system's default), the printer the /PD dialog sets up, or
// the built-in PDF printer, which writes a file of its own.

#include "app/CommandLine.h"
#include "base/Settings.h"
#include "print/FormPages.h"

#include <QString>
#include <memory>

class PdfDocument;
class PdfTarget;
class QIODevice;
class QPrinter;

struct PrinterChoice
{
    QString name, driver, port;

    // The built-in PDF printer, named "PDF" (in capitals).
    bool builtInPdf() const;
};

// The application's current printer: the "*PRNM*" printer when given, else
// the stored one, else the system default.
PrinterChoice currentPrinter(const CKantomixCommandLineInfo &cmd, const GeneralSettings &general);
// Print-to prints on the printer the command line names; print on the current one.
PrinterChoice choosePrinter(const CKantomixCommandLineInfo &cmd, const GeneralSettings &general);
// The file of the built-in PDF printer: its port, else the input's name with ".pdf".
QString pdfPathFor(const PrinterChoice &choice, const QString &inputPath);
// A printer of the system for the choice, or null when there is none such.
std::unique_ptr<QPrinter> systemPrinter(const PrinterChoice &choice);
// A printer object for the set-up dialog standing for the choice.
std::unique_ptr<QPrinter> dialogPrinter(const PrinterChoice &choice, const QString &inputPath);
// Why no system printer could be had, naming the printer and where its name came from.
QString printerProblem(const PrinterChoice &choice, const CKantomixCommandLineInfo &cmd,
                       const GeneralSettings &general);

// The pages' destination: a printer of the system, or the built-in PDF printer.
struct BatchOutput
{
    BatchOutput();
    ~BatchOutput();

    std::unique_ptr<QPrinter> printer;
    std::unique_ptr<PdfTarget> pdfFile;
    std::unique_ptr<PdfDocument> pdf;

    PageTarget device() const;
    // Our own writer onto the open file: each form template is written once
    // and placed on every page, which keeps a job of drawn forms as small and
    // fast as text only.
    void startPdf(const QString &docName);
};
