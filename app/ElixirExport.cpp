#include "app/ElixirExport.h"

#include "app/BatchPrint.h"
#include "app/PdfTarget.h"
#include "model/Import.h"

#include <QDir>
#include <memory>

int runElixirExport(const ElixirExportRequest &request, const ElixirExportEnvironment &env)
{
    const auto note = [&](const QString &text) {
        if (env.note)
            env.note(text);
    };
    const QString shownInput = QDir::toNativeSeparators(request.input);
    const QString shownOutput = QDir::toNativeSeparators(request.output);
    if (request.input.isEmpty() || request.output.isEmpty()) {
        note(QStringLiteral("Podaj plik z przelewami i plik dla banku: --export-elixir PLIK WYNIK."));
        return BatchBadCommandLine;
    }
    if (const QString problem = batchInputProblem(request.input); !problem.isEmpty()) {
        note(problem);
        return BatchFileNotOpened;
    }
    if (isSameFile(request.output, request.input)) {
        note(QStringLiteral("Plik wyniku %1 jest plikiem z przelewami; nic nie zostało zapisane.").arg(shownOutput));
        return BatchBadCommandLine;
    }
    CImport reader;
    if (!reader.Open(request.input, QIODevice::ReadOnly)) {
        note(QStringLiteral("Nie można otworzyć pliku %1: %2").arg(shownInput, reader.errorString()));
        return BatchFileNotOpened;
    }

    CElixirFile file(request.options);
    CPrzelewDane order;
    for (;;) {
        const CImport::ReadResult read = reader.ReadRecord(order);
        if (read == CImport::EndOfFile)
            break;
        const qint64 line = reader.lineNumber();
        if (read != CImport::RecordRead) {
            note(QStringLiteral("wiersz %1 pominięty: %2")
                     .arg(line)
                     .arg(CImport::problemText(reader.lastProblem(), reader.version())));
            continue;
        }
        ElixirRefusal why;
        if (!file.add(order, &why))
            note(QStringLiteral("wiersz %1 pominięty w pliku dla banku: %2").arg(line).arg(elixirRefusalText(why)));
    }
    if (reader.readFailed()) {
        note(QStringLiteral("Odczyt pliku %1 nie powiódł się: %2; nic nie zostało zapisane.")
                 .arg(shownInput, reader.errorString()));
        return BatchFileNotOpened;
    }

    auto target = env.outputDevice ? std::make_unique<PdfTarget>(env.outputDevice)
                                   : std::make_unique<PdfTarget>(request.output);
    if (file.count() == 0) {
        // An older file must not pass for this run's result.
        QString text = QStringLiteral("Żaden przelew nie trafił do pliku dla banku.");
        if (!env.outputDevice && target->removeOlderFile())
            text += QStringLiteral(" Starszy plik %1 został usunięty.").arg(shownOutput);
        note(text);
        return BatchPrinted;
    }
    if (!target->open()) {
        note(QStringLiteral("Nie można zapisać pliku %1: %2").arg(shownOutput, target->errorString()));
        return BatchPageFailed;
    }
    // A failed write leaves what stood at the output as it was.
    const bool written = target->device()->write(file.bytes()) == file.bytes().size();
    if (!target->commit() || !written) {
        note(QStringLiteral("Zapisanie pliku %1 nie powiodło się: %2").arg(shownOutput, target->errorString()));
        return BatchPageFailed;
    }
    return BatchPrinted;
}
