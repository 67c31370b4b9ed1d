#include "app/BatchPrint.h"

#include "app/BatchNotes.h"
#include "app/BatchOutput.h"
#include "app/HandedOverFile.h"
#include "app/PathBytes.h"
#include "app/PdfTarget.h"
#include "base/AppIdentity.h"
#include "base/Messages.h"
#include "base/UserDialogs.h"
#include "model/AccountCheck.h"
#include "model/Import.h"
#include "model/PaymentWarnings.h"
#include "print/FormPages.h"
#include "print/PdfDocument.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <optional>
#include <tuple>
#include <vector>

namespace {

bool headless()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

QString quoted(const QString &text)
{
    return QStringLiteral("„%1”").arg(text);
}

QString cutText(const QStringList &fields)
{
    QStringList quotedFields;
    for (const QString &f : fields)
        quotedFields << quoted(f);
    return quotedFields.join(QStringLiteral(", "));
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

// What the caller is told of an order once its page is printed.
QStringList pageNotes(const CPrzelewDane &rec, int line, const PrintedPage &page)
{
    QStringList out;
    // A mistyped account costs the caller most: name it, print anyway.
    if (const QString account = accountRemark(rec); !account.isEmpty())
        out << QStringLiteral("wiersz %1: %2").arg(line).arg(account);
    // Money to a closed account, or a tax to the wrong kind of account.
    for (const QString &warning : PaymentWarnings::ofOrder(rec))
        out << QStringLiteral("wiersz %1, rachunek odbiorcy %2: %3").arg(line).arg(rec.AccountNumberText(), warning);
    if (!page.cutFields.isEmpty())
        out << QStringLiteral("wiersz %1: tekst nie zmieścił się w kratkach i został obcięty na wydruku: %2")
                   .arg(line)
                   .arg(cutText(page.cutFields));
    if (!page.qrProblem.isEmpty())
        out << QStringLiteral("wiersz %1: bez kodu QR do płatności: %2").arg(line).arg(page.qrProblem);
    return out;
}

// One run of the batch, phase by phase: read the file, set up the output,
// confirm the orders (/EBP), print them, finish the job. A phase that ends
// the run gives its exit code.
class BatchRun
{
public:
    BatchRun(const CKantomixCommandLineInfo &cmd, const AllSettings &settings, const BatchEnvironment &env)
        : m_cmd(cmd), m_settings(settings), m_env(env), m_notes(env.note), m_input(m_notes)
    {
    }

    int run()
    {
        for (auto phase : {&BatchRun::openInput, &BatchRun::choosePrinter, &BatchRun::openOutput,
                           &BatchRun::confirmOrders})
            if (const std::optional<int> exit = (this->*phase)())
                return *exit;
        printOrders();
        return finish();
    }

private:
    std::optional<int> openInput();
    std::optional<int> choosePrinter();
    std::optional<int> openOutput();
    std::optional<int> confirmOrders();
    void printOrders();
    int finish();
    int finishEmptyJob();

    bool readOrder(CPrzelewDane &rec, int &line);
    bool nextOrder(CPrzelewDane &rec, int &line);
    void stop(int result, const QString &problem);
    QString writeFailed() const;

    // Lines about the job as a whole: always written.
    void report(const QString &text) const
    {
        if (m_env.note)
            m_env.note(text);
    }
    void failure(const QString &text) const
    {
        if (m_env.failure)
            m_env.failure(text);
        else
            report(text);
    }

    const CKantomixCommandLineInfo &m_cmd;
    const AllSettings &m_settings;
    const BatchEnvironment &m_env;
    BatchNotes m_notes;             // lines about single lines and orders of the file: through the cap
    HandedOverFile m_input;
    PrinterChoice m_choice;
    BatchOutput m_out;
    QString m_pdfPath;              // the built-in PDF printer's file, or empty
    std::vector<std::pair<CPrzelewDane, int>> m_confirmed;     // under /EBP, with their lines
    size_t m_nextConfirmed = 0;
    int m_result = BatchPrinted;
    QString m_problem;              // why the job failed, told after the notes
    int m_pages = 0;
};

// Read: the file of orders opens, and the run can do what the command line asks.
std::optional<int> BatchRun::openInput()
{
    if (m_cmd.m_strFileName.isEmpty()) {
        report(QStringLiteral("Nie podano pliku z przelewami do wydrukowania."));
        return BatchBadCommandLine;
    }
    if (const QString problem = m_input.open(m_cmd.m_strFileName); !problem.isEmpty()) {
        report(problem);
        return BatchFileNotOpened;
    }
    if (m_cmd.m_bEditBeforePrint && !m_env.confirm) {
        report(QStringLiteral("Zatwierdzanie przelewów przed wydrukiem (/EBP) wymaga ekranu; "
                              "nic nie zostało wydrukowane."));
        return BatchNotAvailable;
    }
    return std::nullopt;
}

// The printer of the command line or the settings, set up in the dialog under /PD.
std::optional<int> BatchRun::choosePrinter()
{
    const QString &input = m_cmd.m_strFileName;
    m_choice = ::choosePrinter(m_cmd, m_settings.general);
    if (m_choice.builtInPdf())
        m_pdfPath = pdfPathFor(m_choice, input);
    else
        m_out.printer = systemPrinter(m_choice);
    if (!m_cmd.m_bPrintDialog)
        return std::nullopt;
    if (!m_env.printerDialog) {
        report(QStringLiteral("Okno wyboru drukarki (/PD) wymaga ekranu; drukowanie na wybranej drukarce."));
        return std::nullopt;
    }
    const auto cancelled = [this] {
        report(QStringLiteral("Wybór drukarki (/PD) anulowany; nic nie zostało wydrukowane."));
        return BatchCancelled;
    };
    if (m_cmd.m_nShellCommand == CKantomixCommandLineInfo::FilePrintTo) {
        // Print-to keeps its printer: the dialog sets up the current one only.
        const std::unique_ptr<QPrinter> current = dialogPrinter(currentPrinter(m_cmd, m_settings.general), input);
        if (!m_env.printerDialog(*current))
            return cancelled();
        return std::nullopt;
    }
    std::unique_ptr<QPrinter> shown = m_out.printer ? std::move(m_out.printer) : dialogPrinter(m_choice, input);
    if (!m_env.printerDialog(*shown))
        return cancelled();
    if (shown->outputFormat() == QPrinter::PdfFormat) {
        if (!shown->outputFileName().isEmpty())
            m_pdfPath = shown->outputFileName();
    } else {
        m_pdfPath.clear();
        m_out.printer = std::move(shown);
    }
    return std::nullopt;
}

// The chosen printer ready, or the PDF file open for writing.
std::optional<int> BatchRun::openOutput()
{
    const QString &input = m_cmd.m_strFileName;
    if (!m_pdfPath.isEmpty() && isSameFile(m_pdfPath, input)) {
        report(QStringLiteral("Plik wyniku %1 jest plikiem z przelewami; nic nie zostało wydrukowane.")
                   .arg(shownPath(m_pdfPath)));
        return BatchBadCommandLine;
    }
    const QString docName = QFileInfo(input).fileName();
    if (!m_pdfPath.isEmpty()) {
        m_out.pdfFile = m_env.pdfDevice ? std::make_unique<PdfTarget>(m_env.pdfDevice)
                                        : std::make_unique<PdfTarget>(m_pdfPath);
        if (!m_out.pdfFile->open()) {
            report(QStringLiteral("Nie można zapisać pliku PDF %1: %2.")
                       .arg(shownPath(m_pdfPath), m_out.pdfFile->errorString()));
            failure(Msg::text(Msg::CannotStartPrintJob));
            return BatchCannotStartJob;
        }
        m_out.startPdf(docName);
    } else if (!m_out.printer) {
        report(printerProblem(m_choice, m_cmd, m_settings.general));
        failure(Msg::text(Msg::CannotStartPrintJob));
        return BatchCannotStartJob;
    } else {
        m_out.printer->setDocName(docName);
    }
    return std::nullopt;
}

// Confirm: under /EBP every order is confirmed before the job starts, so a
// refusal leaves no page behind: no file from the PDF printer, nothing spooled.
std::optional<int> BatchRun::confirmOrders()
{
    if (!m_cmd.m_bEditBeforePrint)
        return std::nullopt;
    CPrzelewDane rec;
    int line = 0;
    while (readOrder(rec, line)) {
        if (m_env.confirm(rec) == OrderConfirmation::Refused) {
            m_notes.finish();
            report(QStringLiteral("Przelew z wiersza %1 nie został zatwierdzony; nic nie zostało wydrukowane.")
                       .arg(line));
            return BatchCancelled;
        }
        m_confirmed.emplace_back(rec, line);
    }
    return std::nullopt;
}

// Print: every order on a page of its own, until a page fails; the job ended.
void BatchRun::printOrders()
{
    CFormPrinter forms(m_settings);
    FormPageJob job(forms, m_out.device());
    CPrzelewDane rec;
    int line = 0;
    while (nextOrder(rec, line)) {
        const std::optional<PrintedPage> page = job.printPage(rec);
        if (!page) {
            if (job.pageCount() == 0)
                stop(BatchCannotStartJob, Msg::text(Msg::CannotStartPrintJob));
            else
                stop(BatchPageFailed, QStringLiteral("Wydrukowanie strony %1 (wiersz %2) nie powiodło się.")
                                          .arg(job.pageCount() + 1)
                                          .arg(line));
            break;
        }
        // A full disk: the rest of the job would be rendered for nothing.
        if (m_out.pdfFile && m_out.pdfFile->failed()) {
            stop(BatchPageFailed, writeFailed());
            break;
        }
        for (const QString &note : pageNotes(rec, line, *page))
            m_notes.add(note);
    }
    if (m_result == BatchPrinted) {
        const QString problem = m_input.endProblem({QStringLiteral("drukowania"), QStringLiteral("wydruk"),
                                                    QStringLiteral("nic nie zostało wydrukowane")});
        if (!problem.isEmpty())
            stop(BatchFileNotOpened, problem);
    }
    m_notes.finish();
    if (m_result != BatchPrinted && m_out.printer)
        m_out.printer->abort();     // pages already spooled are discarded
    m_pages = job.pageCount();
    job.end();
}

// Finish: the output kept whole or not at all, and the outcome told.
int BatchRun::finish()
{
    if (m_result != BatchPrinted) {
        if (m_out.pdfFile)
            m_out.pdfFile->discard();
        if (m_result == BatchFileNotOpened)
            report(m_problem);
        else
            failure(m_problem);
        return m_result;
    }
    if (m_pages == 0)
        return finishEmptyJob();
    if (m_out.pdfFile) {
        m_out.pdf.reset();
        if (!m_out.pdfFile->commit()) {
            failure(writeFailed());
            return BatchPageFailed;
        }
    } else if (m_out.printer && m_out.printer->printerState() == QPrinter::Error) {
        failure(QStringLiteral("Zakończenie zadania drukowania nie powiodło się."));
        return BatchPageFailed;
    }
    return BatchPrinted;
}

int BatchRun::finishEmptyJob()
{
    QString text = QStringLiteral("Nie wydrukowano żadnego przelewu.");
    const PdfTarget::OlderFile older = m_out.pdfFile ? m_out.pdfFile->removeOlderFile() : PdfTarget::OlderFile::None;
    if (older == PdfTarget::OlderFile::Removed)
        text += QStringLiteral(" Starszy plik %1 został usunięty.").arg(shownPath(m_pdfPath));
    if (older != PdfTarget::OlderFile::NotRemoved) {
        report(text);
        return BatchPrinted;
    }
    // Left in place it would pass for this job's result.
    failure(text + QStringLiteral(" Starszego pliku %1 nie można usunąć (%2); nie jest on wynikiem tego zadania.")
                       .arg(shownPath(m_pdfPath), m_out.pdfFile->errorString()));
    return BatchPageFailed;
}

// The next order of the file with its line; false at the end.
bool BatchRun::readOrder(CPrzelewDane &rec, int &line)
{
    if (!m_input.next(rec, line))
        return false;
    for (const QString &remark : orderRemarks(m_input.lastRemarks()))
        m_notes.add(QStringLiteral("wiersz %1: %2").arg(line).arg(remark));
    return true;
}

// The next order to print: read now, or confirmed before the job under /EBP.
bool BatchRun::nextOrder(CPrzelewDane &rec, int &line)
{
    if (!m_cmd.m_bEditBeforePrint)
        return readOrder(rec, line);
    if (m_nextConfirmed == m_confirmed.size())
        return false;
    std::tie(rec, line) = m_confirmed[m_nextConfirmed++];
    return true;
}

void BatchRun::stop(int result, const QString &problem)
{
    m_result = result;
    m_problem = problem;
}

QString BatchRun::writeFailed() const
{
    return QStringLiteral("Zapisanie pliku PDF %1 nie powiodło się: %2.")
        .arg(shownPath(m_pdfPath), m_out.pdfFile->errorString());
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
    return BatchRun(cmd, settings, env).run();
}
