#include "app/BatchPrint.h"
#include "app/PolishTranslations.h"

#include "base/AppIdentity.h"

#include "base/Messages.h"
#include "model/Import.h"
#include "model/PrzelewDane.h"
#include "print/FormPages.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSettings>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

// The printer of the built-in PDF writer.
const QString kPdfPrinter = QStringLiteral("PDF");

struct PrinterChoice
{
    QString name, driver, port;
};

bool headless()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

void report(const QString &text)
{
    if (headless()) {
        std::fprintf(stderr, "kantomix: %s\n", text.toLocal8Bit().constData());
        return;
    }
    QMessageBox::warning(nullptr, programTitle(), text);
}

// Print-to names its printer; print uses the "*PRNM*" printer when given,
// else the application's current printer: the stored one, or the system default.
PrinterChoice choosePrinter(const CKantomixCommandLineInfo &cmd, const GeneralSettings &general)
{
    if (cmd.m_nShellCommand == CKantomixCommandLineInfo::FilePrintTo)
        return {cmd.m_strPrinterName, cmd.m_strDriverName, cmd.m_strPortName};
    if (!cmd.m_strNamedPrinter.isEmpty())
        return {cmd.m_strNamedPrinter, QString(), QString()};
    if (!general.device.isEmpty())
        return {general.device, general.driver, general.port};
    return {QPrinterInfo::defaultPrinterName(), QString(), QString()};
}

// The printer device for the choice, or null when it cannot be created.
std::unique_ptr<QPrinter> createPrinter(const PrinterChoice &choice, const QString &inputPath)
{
    if (choice.name == kPdfPrinter) {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(choice.port.isEmpty() ? inputPath + QStringLiteral(".pdf") : choice.port);
        printer->setPageSize(QPageSize(QPageSize::A4));
        printer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        return printer;
    }
    if (choice.name.isEmpty())
        return nullptr;
    const QPrinterInfo info = QPrinterInfo::printerInfo(choice.name);
    if (info.isNull())
        return nullptr;
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    return printer->isValid() ? std::move(printer) : nullptr;
}

} // namespace

bool isBatchPrintCommand(const CKantomixCommandLineInfo &cmd)
{
    return cmd.m_nShellCommand == CKantomixCommandLineInfo::FilePrint
        || cmd.m_nShellCommand == CKantomixCommandLineInfo::FilePrintTo;
}

int runBatchPrint(const CKantomixCommandLineInfo &cmd, const AllSettings &settings, const BatchConfirm &confirm)
{
    CImport reader;
    if (!reader.Open(cmd.m_strFileName, QIODevice::ReadOnly))
        return BatchFileNotOpened;

    if (cmd.m_bEditBeforePrint && !confirm) {
        std::fputs("kantomix: Zatwierdzanie przelewów przed wydrukiem (/EBP) wymaga ekranu; "
                   "nic nie zostało wydrukowane.\n", stderr);
        return BatchNotAvailable;
    }
    std::unique_ptr<QPrinter> printer = createPrinter(choosePrinter(cmd, settings.general), cmd.m_strFileName);
    if (!printer) {
        report(Msg::text(Msg::CannotStartPrintJob));
        return BatchCannotStartJob;
    }

    if (cmd.m_bPrintDialog) {
        if (headless()) {
            std::fputs("kantomix: Okno wyboru drukarki (/PD) wymaga ekranu; drukowanie na wybranej drukarce.\n",
                       stderr);
        } else {
            QPrintDialog dialog(printer.get());
            dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
            dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
            dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
            if (dialog.exec() != QDialog::Accepted)
                return BatchCancelled;
        }
    }

    // Every order is confirmed before the job starts, so a refusal leaves no
    // page behind: no file from the PDF printer, nothing in a printer's queue.
    std::vector<CPrzelewDane> confirmed;
    if (cmd.m_bEditBeforePrint) {
        CPrzelewDane rec;
        for (;;) {
            const CImport::ReadResult result = reader.ReadRecord(rec);
            if (result == CImport::EndOfFile)
                break;
            if (result != CImport::RecordRead)
                continue;
            switch (confirm(rec)) {
            case OrderConfirmation::Confirmed:
                confirmed.push_back(rec);
                break;
            case OrderConfirmation::Refused:
                return BatchCancelled;
            case OrderConfirmation::NoPage:
                std::fprintf(stderr, "kantomix: Przelew \"%s\" (%s) nie może być jeszcze zatwierdzony przed "
                                     "wydrukiem (/EBP); nic nie zostało wydrukowane.\n",
                             rec.recipient1.toLocal8Bit().constData(), rec.kindName.toLocal8Bit().constData());
                return BatchNotAvailable;
            }
        }
    }

    printer->setDocName(QFileInfo(cmd.m_strFileName).fileName());
    CFormPrinter forms(settings);
    FormPageJob job(forms, *printer);
    CPrzelewDane rec;
    for (size_t next = 0;;) {
        if (cmd.m_bEditBeforePrint) {
            if (next == confirmed.size())
                break;
            rec = confirmed[next++];
        } else {
            const CImport::ReadResult result = reader.ReadRecord(rec);
            if (result == CImport::EndOfFile)
                break;
            if (result != CImport::RecordRead)
                continue;   // rejected lines and old-format tax orders are passed over
        }
        if (!job.printPage(rec)) {
            report(Msg::text(Msg::CannotStartPrintJob));
            return job.pageCount() == 0 ? BatchCannotStartJob : BatchPageFailed;
        }
    }
    job.end();
    if (reader.readFailed() || printer->printerState() == QPrinter::Error)
        return BatchPageFailed;
    return BatchPrinted;
}

int batchPrintMain(int argc, char *argv[], const CKantomixCommandLineInfo &cmd)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    setUpApplicationIdentity();
    // The printer choice of /PD speaks Polish too.
    installPolishTranslations(app);

    AllSettings settings;
    settings.read(*openSettingsStore());
    BatchConfirm confirm;
    if (!headless()) {
        const RegisterLocation where {RegisterDb::defaultPath()};
        confirm = [&settings, where](CPrzelewDane &order) { return confirmOrderInDialog(order, settings, where); };
    }
    return runBatchPrint(cmd, settings, confirm);
}
