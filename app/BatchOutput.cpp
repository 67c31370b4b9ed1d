#include "app/BatchOutput.h"

#include "app/PdfTarget.h"
#include "base/AppIdentity.h"
#include "print/PdfDocument.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace {

// The printer of the built-in PDF writer.
const QString kPdfPrinter = QStringLiteral("PDF");

QString quoted(const QString &text)
{
    return QStringLiteral("„%1”").arg(text);
}

} // namespace

bool PrinterChoice::builtInPdf() const
{
    return name == kPdfPrinter;
}

PrinterChoice currentPrinter(const CKantomixCommandLineInfo &cmd, const GeneralSettings &general)
{
    if (!cmd.m_strNamedPrinter.isEmpty())
        return {cmd.m_strNamedPrinter, QString(), QString()};
    if (!general.device.isEmpty())
        return {general.device, general.driver, general.port};
    return {QPrinterInfo::defaultPrinterName(), QString(), QString()};
}

PrinterChoice choosePrinter(const CKantomixCommandLineInfo &cmd, const GeneralSettings &general)
{
    if (cmd.m_nShellCommand == CKantomixCommandLineInfo::FilePrintTo)
        return {cmd.m_strPrinterName, cmd.m_strDriverName, cmd.m_strPortName};
    return currentPrinter(cmd, general);
}

QString pdfPathFor(const PrinterChoice &choice, const QString &inputPath)
{
    return choice.port.isEmpty() ? inputPath + QStringLiteral(".pdf") : choice.port;
}

std::unique_ptr<QPrinter> systemPrinter(const PrinterChoice &choice)
{
    // "PDF" in any letter case is no system printer: the built-in writer's
    // name stays one, also where a print server has a queue "PDF" and takes
    // names in any case.
    if (choice.name.isEmpty() || choice.name.compare(kPdfPrinter, Qt::CaseInsensitive) == 0)
        return nullptr;
    const QPrinterInfo info = QPrinterInfo::printerInfo(choice.name);
    if (info.isNull())
        return nullptr;
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    return printer->isValid() ? std::move(printer) : nullptr;
}

std::unique_ptr<QPrinter> dialogPrinter(const PrinterChoice &choice, const QString &inputPath)
{
    if (std::unique_ptr<QPrinter> printer = systemPrinter(choice))
        return printer;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (choice.builtInPdf()) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdfPathFor(choice, inputPath));
    }
    return printer;
}

QString printerProblem(const PrinterChoice &choice, const CKantomixCommandLineInfo &cmd, const GeneralSettings &general)
{
    const bool printTo = cmd.m_nShellCommand == CKantomixCommandLineInfo::FilePrintTo;
    if (choice.name.isEmpty())
        return printTo ? QStringLiteral("Nie podano nazwy drukarki: drugie słowo po /pt jest puste.")
                       : QStringLiteral("Nie wybrano drukarki, a system nie ma drukarki domyślnej.");
    const QString from = printTo                              ? QStringLiteral(" (podana po /pt)")
                       : !cmd.m_strNamedPrinter.isEmpty()     ? QStringLiteral(" (podana w /*PRNM*)")
                       : choice.name == general.device        ? QStringLiteral(" (zapamiętana w opcjach programu)")
                                                              : QString();
    QString text = QPrinterInfo::printerInfo(choice.name).isNull()
        ? QStringLiteral("Drukarka %1%2 nie istnieje w systemie").arg(quoted(choice.name), from)
        : QStringLiteral("Drukarki %1%2 nie można użyć").arg(quoted(choice.name), from);
    if (choice.name.compare(kPdfPrinter, Qt::CaseInsensitive) == 0)
        text += QStringLiteral("; wbudowana drukarka PDF nazywa się „PDF” (wielkimi literami)");
    return text + u'.';
}

BatchOutput::BatchOutput() = default;

BatchOutput::~BatchOutput() = default;

PageTarget BatchOutput::device() const
{
    return pdf ? PageTarget(*pdf) : PageTarget(*printer);
}

void BatchOutput::startPdf(const QString &docName)
{
    pdf = std::make_unique<PdfDocument>(pdfFile->device());
    pdf->setTitle(docName);
    pdf->setCreator(programTitle());
}
