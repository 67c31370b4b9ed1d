#include "app/BatchPrint.h"

#include "app/BatchNotes.h"
#include "app/HandedOverFile.h"
#include "app/PathBytes.h"
#include "app/PdfTarget.h"
#include "app/SystemErrors.h"
#include "base/AppIdentity.h"
#include "base/Messages.h"
#include "base/UserDialogs.h"
#include "model/AccountCheck.h"
#include "model/Import.h"
#include "model/PaymentWarnings.h"
#include "print/FormPages.h"
#include "print/PdfDocument.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <cstdio>
#include <memory>
#include <tuple>
#include <vector>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Where the pages go: a printer of the system, or the built-in PDF printer.
struct BatchOutput
{
    std::unique_ptr<QPrinter> printer;
    std::unique_ptr<PdfTarget> pdfFile;
    std::unique_ptr<PdfDocument> pdf;

    PageTarget device() const
    {
        return pdf ? PageTarget(*pdf) : PageTarget(*printer);
    }
};

// Our own writer: each form template is written once and placed on every
// page, which keeps a job of drawn forms as small and fast as text only.
std::unique_ptr<PdfDocument> pdfWriter(QIODevice *device, const QString &docName)
{
    auto writer = std::make_unique<PdfDocument>(device);
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

QString quoted(const QString &text)
{
    return QStringLiteral("„%1”").arg(text);
}

// Why no system printer could be had, naming the printer and where its name came from.
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

// What the reader noticed in an order's line, for the caller.
QStringList orderRemarks(const CImport::LineRemarks &r)
{
    QStringList out;
    if (!r.unreadDate.isEmpty())
        out << QStringLiteral("data %1 nie jest datą w postaci RRRR-MM-DD").arg(quoted(r.unreadDate));
    if (!r.unknownFlag.isNull())
        out << QStringLiteral("znak rodzaju %1 nie jest P (przelew) ani W (wpłata); wydrukowano jako wpłatę gotówkową")
                   .arg(quoted(r.unknownFlag));
    if (r.utf8)
        out << QStringLiteral("teksty są zapisane w UTF-8, a nie w Windows-1250: polskie litery wydrukują się "
                              "błędnie (np. „Ĺ‚” zamiast „ł”)");
    return out;
}

// The recipient's account as the window would mark it; empty when it checks.
QString accountRemark(const CPrzelewDane &rec)
{
    const QString number = rec.AccountNumberText();
    switch (checkAccountNumber(number)) {
    case AccountCheck::WrongCheckDigits:
    case AccountCheck::WrongBankCode:
        return QStringLiteral("numer rachunku odbiorcy %1 ma błędne cyfry kontrolne").arg(number);
    case AccountCheck::WrongLength:
        return QStringLiteral("numer rachunku odbiorcy %1 nie składa się z 26 cyfr").arg(quoted(number));
    case AccountCheck::Empty:
        return QStringLiteral("brak numeru rachunku odbiorcy");
    case AccountCheck::Valid:
        break;
    }
    return {};
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
    env.note = writeToStandardError;
    env.failure = [](const QString &text) {
        writeToStandardError(text);
        if (!headless())
            showWarning(nullptr, text);
    };
    if (!headless()) {
        env.printerDialog = [](QPrinter &printer) {
            const PdfWriterChoice writer(printer);
            QPrintDialog dialog(&printer);
            writer.restore(printer);
            dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
            dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
            dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
            return execDialog(dialog) == QDialog::Accepted;
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
    // Lines about the job as a whole: always written.
    const auto report = [&](const QString &text) {
        if (env.note)
            env.note(text);
    };
    const auto failure = [&](const QString &text) {
        if (env.failure)
            env.failure(text);
        else
            report(text);
    };
    // Lines about single lines and orders of the file: through the cap.
    BatchNotes notes(env.note);
    const auto note = [&](const QString &text) { notes.add(text); };

    const QString input = cmd.m_strFileName;
    if (input.isEmpty()) {
        report(QStringLiteral("Nie podano pliku z przelewami do wydrukowania."));
        return BatchBadCommandLine;
    }
    HandedOverFile inputFile(notes);
    if (const QString problem = inputFile.open(input); !problem.isEmpty()) {
        report(problem);
        return BatchFileNotOpened;
    }

    if (cmd.m_bEditBeforePrint && !env.confirm) {
        report(QStringLiteral("Zatwierdzanie przelewów przed wydrukiem (/EBP) wymaga ekranu; "
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

    const auto cancelled = [&] {
        report(QStringLiteral("Wybór drukarki (/PD) anulowany; nic nie zostało wydrukowane."));
        return BatchCancelled;
    };
    if (cmd.m_bPrintDialog) {
        if (!env.printerDialog) {
            report(QStringLiteral("Okno wyboru drukarki (/PD) wymaga ekranu; drukowanie na wybranej drukarce."));
        } else if (printTo) {
            // Print-to keeps its printer: the dialog sets up the current one only.
            const std::unique_ptr<QPrinter> current = dialogPrinter(currentPrinter(cmd, settings.general), input);
            if (!env.printerDialog(*current))
                return cancelled();
        } else {
            std::unique_ptr<QPrinter> shown = out.printer ? std::move(out.printer) : dialogPrinter(choice, input);
            if (!env.printerDialog(*shown))
                return cancelled();
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
        report(QStringLiteral("Plik wyniku %1 jest plikiem z przelewami; nic nie zostało wydrukowane.")
                   .arg(shownPath(pdfPath)));
        return BatchBadCommandLine;
    }

    const QString docName = QFileInfo(input).fileName();
    if (!pdfPath.isEmpty()) {
        out.pdfFile = env.pdfDevice ? std::make_unique<PdfTarget>(env.pdfDevice) : std::make_unique<PdfTarget>(pdfPath);
        if (!out.pdfFile->open()) {
            report(QStringLiteral("Nie można zapisać pliku PDF %1: %2.")
                       .arg(shownPath(pdfPath), out.pdfFile->errorString()));
            failure(Msg::text(Msg::CannotStartPrintJob));
            return BatchCannotStartJob;
        }
        out.pdf = pdfWriter(out.pdfFile->device(), docName);
    } else if (!out.printer) {
        report(printerProblem(choice, cmd, settings.general));
        failure(Msg::text(Msg::CannotStartPrintJob));
        return BatchCannotStartJob;
    } else {
        out.printer->setDocName(docName);
    }

    // The next order to print with its line in the file; false at the end.
    const auto readOrder = [&](CPrzelewDane &rec, int &line) {
        if (!inputFile.next(rec, line))
            return false;
        for (const QString &remark : orderRemarks(inputFile.lastRemarks()))
            note(QStringLiteral("wiersz %1: %2").arg(line).arg(remark));
        return true;
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
                notes.finish();
                report(QStringLiteral("Przelew z wiersza %1 nie został zatwierdzony; nic nie zostało wydrukowane.")
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
    const auto writeFailed = [&] {
        return QStringLiteral("Zapisanie pliku PDF %1 nie powiodło się: %2.")
            .arg(shownPath(pdfPath), out.pdfFile->errorString());
    };

    CFormPrinter forms(settings);
    int result = BatchPrinted;
    QString problem;    // why the job failed, told after the notes
    {
        FormPageJob job(forms, out.device());
        CPrzelewDane rec;
        int line = 0;
        while (nextOrder(rec, line)) {
            if (!job.printPage(rec)) {
                if (job.pageCount() == 0) {
                    problem = Msg::text(Msg::CannotStartPrintJob);
                    result = BatchCannotStartJob;
                } else {
                    problem = QStringLiteral("Wydrukowanie strony %1 (wiersz %2) nie powiodło się.")
                                  .arg(job.pageCount() + 1)
                                  .arg(line);
                    result = BatchPageFailed;
                }
                break;
            }
            // A full disk: the rest of the job would be rendered for nothing.
            if (out.pdfFile && out.pdfFile->failed()) {
                problem = writeFailed();
                result = BatchPageFailed;
                break;
            }
            // A mistyped account costs the caller most: name it, print anyway.
            if (const QString account = accountRemark(rec); !account.isEmpty())
                note(QStringLiteral("wiersz %1: %2").arg(line).arg(account));
            // Money to a closed account, or a tax to the wrong kind of account.
            for (const QString &warning : PaymentWarnings::ofOrder(rec))
                note(QStringLiteral("wiersz %1, rachunek odbiorcy %2: %3")
                         .arg(line)
                         .arg(rec.AccountNumberText(), warning));
            if (!job.lastPageCut().isEmpty())
                note(QStringLiteral("wiersz %1: tekst nie zmieścił się w kratkach i został obcięty na wydruku: %2")
                         .arg(line)
                         .arg(cutText(job.lastPageCut())));
            if (!job.lastPageQrProblem().isEmpty())
                note(QStringLiteral("wiersz %1: bez kodu QR do płatności: %2").arg(line).arg(job.lastPageQrProblem()));
        }
        if (result == BatchPrinted) {
            problem = inputFile.endProblem({QStringLiteral("drukowania"), QStringLiteral("wydruk"),
                                            QStringLiteral("nic nie zostało wydrukowane")});
            if (!problem.isEmpty())
                result = BatchFileNotOpened;
        }
        notes.finish();
        if (result != BatchPrinted && out.printer)
            out.printer->abort();   // pages already spooled are discarded
        if (result == BatchPrinted && job.pageCount() == 0) {
            QString text = QStringLiteral("Nie wydrukowano żadnego przelewu.");
            const PdfTarget::OlderFile older = out.pdfFile ? out.pdfFile->removeOlderFile() : PdfTarget::OlderFile::None;
            if (older == PdfTarget::OlderFile::Removed)
                text += QStringLiteral(" Starszy plik %1 został usunięty.").arg(shownPath(pdfPath));
            if (older != PdfTarget::OlderFile::NotRemoved) {
                report(text);
                return BatchPrinted;
            }
            // Left in place it would pass for this job's result.
            failure(text + QStringLiteral(" Starszego pliku %1 nie można usunąć (%2); nie jest on wynikiem "
                                          "tego zadania.")
                               .arg(shownPath(pdfPath), out.pdfFile->errorString()));
            return BatchPageFailed;
        }
        job.end();
    }

    if (result != BatchPrinted) {
        if (out.pdfFile)
            out.pdfFile->discard();
        if (result == BatchFileNotOpened)
            report(problem);
        else
            failure(problem);
        return result;
    }
    if (out.pdfFile) {
        out.pdf.reset();
        if (!out.pdfFile->commit()) {
            failure(writeFailed());
            return BatchPageFailed;
        }
    } else if (out.printer && out.printer->printerState() == QPrinter::Error) {
        failure(QStringLiteral("Zakończenie zadania drukowania nie powiodło się."));
        return BatchPageFailed;
    }
    return BatchPrinted;
}
