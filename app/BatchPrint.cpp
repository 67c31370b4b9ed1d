#include "app/BatchPrint.h"

#include "app/PdfTarget.h"
#include "base/AppIdentity.h"
#include "base/Messages.h"
#include "model/AccountCheck.h"
#include "model/Import.h"
#include "model/PaymentWarnings.h"
#include "print/FormPages.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <cstdio>
#include <memory>
#include <tuple>
#include <vector>

#include <sys/stat.h>

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

void toStandardError(const QString &text)
{
    std::fprintf(stderr, "kantomix: %s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}

// The application's current printer: the "*PRNM*" printer when given, else
// the stored one, else the system default.
PrinterChoice currentPrinter(const CKantomixCommandLineInfo &cmd, const GeneralSettings &general)
{
    if (!cmd.m_strNamedPrinter.isEmpty())
        return {cmd.m_strNamedPrinter, QString(), QString()};
    if (!general.device.isEmpty())
        return {general.device, general.driver, general.port};
    return {QPrinterInfo::defaultPrinterName(), QString(), QString()};
}

// Print-to prints on the printer the command line names; print on the current one.
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

// A printer of the system for the choice, or null when there is none such.
std::unique_ptr<QPrinter> systemPrinter(const PrinterChoice &choice)
{
    if (choice.name.isEmpty() || choice.name == kPdfPrinter)
        return nullptr;
    const QPrinterInfo info = QPrinterInfo::printerInfo(choice.name);
    if (info.isNull())
        return nullptr;
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    return printer->isValid() ? std::move(printer) : nullptr;
}

// A printer object for the set-up dialog standing for the choice.
std::unique_ptr<QPrinter> dialogPrinter(const PrinterChoice &choice, const QString &inputPath)
{
    if (std::unique_ptr<QPrinter> printer = systemPrinter(choice))
        return printer;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (choice.name == kPdfPrinter) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdfPathFor(choice, inputPath));
    }
    return printer;
}

// Why the input cannot be read, or empty. Only a regular file or a pipe is
// read: a device such as /dev/zero would never end.
QString inputProblem(const QString &path)
{
    const QString shown = QDir::toNativeSeparators(path);
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return QStringLiteral("Nie można odnaleźć pliku %1.").arg(shown);
    if (S_ISDIR(st.st_mode))
        return QStringLiteral("%1 jest folderem, a nie plikiem.").arg(shown);
    if (!S_ISREG(st.st_mode) && !S_ISFIFO(st.st_mode))
        return QStringLiteral("%1 nie jest zwykłym plikiem ani potokiem.").arg(shown);
    return {};
}

// Where the pages go: a printer of the system, or the built-in PDF printer.
struct BatchOutput
{
    std::unique_ptr<QPrinter> printer;
    std::unique_ptr<PdfTarget> pdfFile;
    std::unique_ptr<QPdfWriter> pdf;

    QPagedPaintDevice &device() const
    {
        return pdf ? static_cast<QPagedPaintDevice &>(*pdf) : static_cast<QPagedPaintDevice &>(*printer);
    }
};

std::unique_ptr<QPdfWriter> pdfWriter(QIODevice *device, const QString &docName)
{
    auto writer = std::make_unique<QPdfWriter>(device);
    writer->setResolution(1200);
    writer->setPageSize(QPageSize(QPageSize::A4));
    writer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    writer->setTitle(docName);
    writer->setCreator(programTitle());
    return writer;
}

QString cutText(const QStringList &fields)
{
    QStringList quoted;
    for (const QString &f : fields)
        quoted << QStringLiteral("„%1”").arg(f);
    return quoted.join(QStringLiteral(", "));
}

} // namespace

bool isBatchPrintCommand(const CKantomixCommandLineInfo &cmd)
{
    return cmd.m_nShellCommand == CKantomixCommandLineInfo::FilePrint
        || cmd.m_nShellCommand == CKantomixCommandLineInfo::FilePrintTo;
}

BatchEnvironment defaultBatchEnvironment(const AllSettings &settings, const RegisterLocation &where)
{
    BatchEnvironment env;
    env.note = toStandardError;
    env.failure = [](const QString &text) {
        toStandardError(text);
        if (!headless())
            QMessageBox::warning(nullptr, programTitle(), text);
    };
    if (!headless()) {
        env.printerDialog = [](QPrinter &printer) {
            QPrintDialog dialog(&printer);
            dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
            dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
            dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
            return dialog.exec() == QDialog::Accepted;
        };
        env.confirm = [&settings, where](CPrzelewDane &order) {
            return confirmOrderInDialog(order, settings, where);
        };
    }
    return env;
}

int runBatchPrint(const CKantomixCommandLineInfo &cmd, const AllSettings &settings, const RegisterLocation &where)
{
    return runBatchPrint(cmd, settings, defaultBatchEnvironment(settings, where));
}

int runBatchPrint(const CKantomixCommandLineInfo &cmd, const AllSettings &settings, const BatchEnvironment &env)
{
    const auto note = [&](const QString &text) {
        if (env.note)
            env.note(text);
    };
    const auto failure = [&](const QString &text) {
        if (env.failure)
            env.failure(text);
        else
            note(text);
    };

    const QString input = cmd.m_strFileName;
    if (input.isEmpty()) {
        note(QStringLiteral("Nie podano pliku z przelewami do wydrukowania."));
        return BatchBadCommandLine;
    }
    if (const QString problem = inputProblem(input); !problem.isEmpty()) {
        note(problem);
        return BatchFileNotOpened;
    }
    CImport reader;
    if (!reader.Open(input, QIODevice::ReadOnly)) {
        note(QStringLiteral("Nie można otworzyć pliku %1: %2").arg(QDir::toNativeSeparators(input),
                                                                    reader.errorString()));
        return BatchFileNotOpened;
    }

    if (cmd.m_bEditBeforePrint && !env.confirm) {
        note(QStringLiteral("Zatwierdzanie przelewów przed wydrukiem (/EBP) wymaga ekranu; "
                            "nic nie zostało wydrukowane."));
        return BatchNotAvailable;
    }

    const bool printTo = cmd.m_nShellCommand == CKantomixCommandLineInfo::FilePrintTo;
    const PrinterChoice choice = choosePrinter(cmd, settings.general);
    BatchOutput out;
    QString pdfPath;
    if (choice.name == kPdfPrinter)
        pdfPath = pdfPathFor(choice, input);
    else
        out.printer = systemPrinter(choice);

    if (cmd.m_bPrintDialog) {
        if (!env.printerDialog) {
            note(QStringLiteral("Okno wyboru drukarki (/PD) wymaga ekranu; drukowanie na wybranej drukarce."));
        } else if (printTo) {
            // Print-to keeps its printer: the dialog sets up the current one only.
            const std::unique_ptr<QPrinter> current = dialogPrinter(currentPrinter(cmd, settings.general), input);
            if (!env.printerDialog(*current))
                return BatchCancelled;
        } else {
            std::unique_ptr<QPrinter> shown = out.printer ? std::move(out.printer) : dialogPrinter(choice, input);
            if (!env.printerDialog(*shown))
                return BatchCancelled;
            if (shown->outputFormat() == QPrinter::PdfFormat) {
                if (!shown->outputFileName().isEmpty())
                    pdfPath = shown->outputFileName();
            } else {
                pdfPath.clear();
                out.printer = std::move(shown);
            }
        }
    }

    if (!pdfPath.isEmpty() && isSameFile(pdfPath, input)) {
        note(QStringLiteral("Plik wyniku %1 jest plikiem z przelewami; nic nie zostało wydrukowane.")
                 .arg(QDir::toNativeSeparators(pdfPath)));
        return BatchBadCommandLine;
    }

    const QString docName = QFileInfo(input).fileName();
    if (!pdfPath.isEmpty()) {
        out.pdfFile = env.pdfDevice ? std::make_unique<PdfTarget>(env.pdfDevice) : std::make_unique<PdfTarget>(pdfPath);
        if (!out.pdfFile->open()) {
            note(QStringLiteral("Nie można zapisać pliku PDF %1: %2")
                     .arg(QDir::toNativeSeparators(pdfPath), out.pdfFile->errorString()));
            failure(Msg::text(Msg::CannotStartPrintJob));
            return BatchCannotStartJob;
        }
        out.pdf = pdfWriter(out.pdfFile->device(), docName);
    } else if (!out.printer) {
        failure(Msg::text(Msg::CannotStartPrintJob));
        return BatchCannotStartJob;
    } else {
        out.printer->setDocName(docName);
    }

    // The next order to print with its line in the file; false at the end.
    const auto readOrder = [&](CPrzelewDane &rec, int &line) {
        for (;;) {
            const CImport::ReadResult read = reader.ReadRecord(rec);
            if (read == CImport::EndOfFile)
                return false;
            line = int(reader.lineNumber());
            if (read == CImport::RecordRead)
                return true;
            // Passed over, as the format says; the caller learns which and why.
            note(QStringLiteral("wiersz %1 pominięty: %2")
                     .arg(line)
                     .arg(CImport::problemText(reader.lastProblem(), reader.version())));
        }
    };
    // "/EBP": every order is confirmed before the job starts, so a refusal
    // leaves no page behind: no file from the PDF printer, nothing spooled.
    std::vector<std::pair<CPrzelewDane, int>> confirmed;
    if (cmd.m_bEditBeforePrint) {
        CPrzelewDane rec;
        int line = 0;
        while (readOrder(rec, line)) {
            switch (env.confirm(rec)) {
            case OrderConfirmation::Confirmed:
                confirmed.emplace_back(rec, line);
                break;
            case OrderConfirmation::Refused:
                note(QStringLiteral("Przelew z wiersza %1 nie został zatwierdzony; nic nie zostało wydrukowane.")
                         .arg(line));
                return BatchCancelled;
            }
        }
    }
    size_t nextConfirmed = 0;
    const auto nextOrder = [&](CPrzelewDane &rec, int &line) {
        if (!cmd.m_bEditBeforePrint)
            return readOrder(rec, line);
        if (nextConfirmed == confirmed.size())
            return false;
        std::tie(rec, line) = confirmed[nextConfirmed++];
        return true;
    };

    CFormPrinter forms(settings);
    int result = BatchPrinted;
    {
        FormPageJob job(forms, out.device());
        CPrzelewDane rec;
        int line = 0;
        while (nextOrder(rec, line)) {
            if (!job.printPage(rec)) {
                if (job.pageCount() == 0) {
                    failure(Msg::text(Msg::CannotStartPrintJob));
                    result = BatchCannotStartJob;
                } else {
                    failure(QStringLiteral("Wydrukowanie strony %1 (wiersz %2) nie powiodło się.")
                                .arg(job.pageCount() + 1)
                                .arg(line));
                    result = BatchPageFailed;
                }
                break;
            }
            // A mistyped account costs the caller most: name it, print anyway.
            if (const AccountCheck account = checkAccountNumber(rec.AccountNumberText());
                account == AccountCheck::WrongCheckDigits || account == AccountCheck::WrongBankCode)
                note(QStringLiteral("wiersz %1: numer rachunku odbiorcy %2 ma błędne cyfry kontrolne")
                         .arg(line)
                         .arg(rec.AccountNumberText()));
            // Money to a closed account, or a tax to the wrong kind of account.
            for (const QString &warning : PaymentWarnings::ofOrder(rec))
                note(QStringLiteral("wiersz %1, rachunek odbiorcy %2: %3").arg(line).arg(rec.AccountNumberText(), warning));
            if (!job.lastPageCut().isEmpty())
                note(QStringLiteral("wiersz %1: tekst nie zmieścił się w kratkach i został obcięty na wydruku: %2")
                         .arg(line)
                         .arg(cutText(job.lastPageCut())));
        }
        if (result == BatchPrinted && reader.readFailed()) {
            note(QStringLiteral("Odczyt pliku %1 nie powiódł się: %2; nic nie zostało wydrukowane.")
                     .arg(QDir::toNativeSeparators(input), reader.errorString()));
            result = BatchFileNotOpened;
        }
        if (result != BatchPrinted && out.printer)
            out.printer->abort();   // pages already spooled are discarded
        if (result == BatchPrinted && job.pageCount() == 0) {
            QString text = QStringLiteral("Nie wydrukowano żadnego przelewu.");
            if (out.pdfFile && out.pdfFile->removeOlderFile())
                text += QStringLiteral(" Starszy plik %1 został usunięty.").arg(QDir::toNativeSeparators(pdfPath));
            note(text);
            return BatchPrinted;
        }
        job.end();
    }

    if (result != BatchPrinted) {
        if (out.pdfFile)
            out.pdfFile->discard();
        return result;
    }
    if (out.pdfFile) {
        out.pdf.reset();
        if (!out.pdfFile->commit()) {
            failure(QStringLiteral("Zapisanie pliku PDF %1 nie powiodło się: %2")
                        .arg(QDir::toNativeSeparators(pdfPath), out.pdfFile->errorString()));
            return BatchPageFailed;
        }
    } else if (out.printer && out.printer->printerState() == QPrinter::Error) {
        failure(QStringLiteral("Zakończenie zadania drukowania nie powiodło się."));
        return BatchPageFailed;
    }
    return BatchPrinted;
}

void useOffscreenWithoutDisplay(const QStringList &args)
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return;
    for (const QString &word : args)
        if (word == u"-platform" || word == u"--platform")
            return;     // the caller chose the platform
    qputenv("QT_QPA_PLATFORM", "offscreen");
}
