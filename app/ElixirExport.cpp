#include "app/ElixirExport.h"

#include "app/BatchNotes.h"
#include "app/BatchPrint.h"
#include "app/HandedOverFile.h"
#include "app/PathBytes.h"
#include "app/PdfTarget.h"

#include <memory>

int runElixirExport(const ElixirExportRequest &request, const ElixirExportEnvironment &env)
{
    // Lines about the run as a whole: always written.
    const auto report = [&](const QString &text) {
        if (env.note)
            env.note(text);
    };
    // Lines about single lines and orders of the file: through the cap.
    BatchNotes notes(env.note);
    if (request.input.isEmpty() || request.output.isEmpty()) {
        report(QStringLiteral("Podaj plik z przelewami i plik wyniku: --export-elixir PLIK WYNIK."));
        return BatchBadCommandLine;
    }
    const QString shownOutput = shownPath(request.output);
    if (isSameFile(request.output, request.input)) {
        report(QStringLiteral("Plik wyniku %1 jest plikiem z przelewami; nic nie zostało zapisane.").arg(shownOutput));
        return BatchBadCommandLine;
    }
    HandedOverFile input(notes);
    if (const QString problem = input.open(request.input); !problem.isEmpty()) {
        report(problem);
        return BatchFileNotOpened;
    }

    CElixirFile file(request.options);
    CPrzelewDane order;
    int line = 0;
    while (input.next(order, line)) {
        ElixirRefusal why;
        if (!file.add(order, &why))
            notes.add(QStringLiteral("wiersz %1 pominięty w pliku dla banku: %2").arg(line).arg(elixirRefusalText(why)));
    }
    const QString problem = input.endProblem(
        {QStringLiteral("eksportu"), QStringLiteral("plik dla banku"), QStringLiteral("nic nie zostało zapisane")});
    notes.finish();
    if (!problem.isEmpty()) {
        report(problem);
        return BatchFileNotOpened;
    }

    auto target = env.outputDevice ? std::make_unique<PdfTarget>(env.outputDevice)
                                   : std::make_unique<PdfTarget>(request.output);
    if (!target->open()) {
        report(QStringLiteral("Nie można zapisać pliku %1: %2.").arg(shownOutput, target->errorString()));
        return BatchPageFailed;
    }
    if (file.count() == 0) {
        // An older file must not pass for this run's result.
        QString text = QStringLiteral("Żaden przelew nie trafił do pliku dla banku.");
        switch (target->removeOlderFile()) {
        case PdfTarget::OlderFile::None: break;
        case PdfTarget::OlderFile::Removed:
            text += QStringLiteral(" Starszy plik %1 został usunięty.").arg(shownOutput);
            break;
        case PdfTarget::OlderFile::NotRemoved:
            report(text + QStringLiteral(" Starszego pliku %1 nie można usunąć (%2); nie jest on wynikiem tego "
                                         "polecenia.")
                              .arg(shownOutput, target->errorString()));
            return BatchPageFailed;
        }
        report(text);
        return BatchPrinted;
    }
    // A failed write leaves what stood at the output as it was.
    const bool written = target->device()->write(file.bytes()) == file.bytes().size();
    if (!target->commit() || !written) {
        report(QStringLiteral("Zapisanie pliku %1 nie powiodło się: %2.").arg(shownOutput, target->errorString()));
        return BatchPageFailed;
    }
    return BatchPrinted;
}

bool isElixirExportCommand(const CKantomixCommandLineInfo &cmd)
{
    return cmd.m_nShellCommand == CKantomixCommandLineInfo::FileExportElixir;
}

int runElixirExport(const CKantomixCommandLineInfo &cmd, const GeneralSettings &settings)
{
    ElixirExportRequest request {cmd.m_strFileName, cmd.m_strOutputName, {}};
    request.options.taxClassification = settings.elixirTaxClass;
    if (!cmd.m_strCodePage.isNull()) {
        const std::optional<ElixirCodePage> page = elixirCodePageByName(cmd.m_strCodePage);
        if (!page) {
            writeToStandardError(QStringLiteral("Nieznana strona kodowa „%1”; do wyboru: cp1250, cp852, iso-8859-2, "
                                                "utf-8. Opis wywołania: kantomix --help")
                                     .arg(cmd.m_strCodePage));
            return BatchBadCommandLine;
        }
        request.options.codePage = *page;
    }
    return runElixirExport(request, {writeToStandardError, nullptr});
}
