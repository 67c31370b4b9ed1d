#include "app/ElixirExportCommand.h"

#include "app/ElixirExportDlg.h"
#include "app/PdfTarget.h"
#include "base/UserDialogs.h"
#include "model/KantomixDoc.h"
#include "register/PartyPick.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QSaveFile>

namespace {

// Left-out orders named in the message itself; the rest go to its details.
constexpr qsizetype kListed = 10;

bool lacksSender(const CPrzelewDane &order)
{
    return order.isTransfer && order.senderAccount.trimmed().isEmpty();
}

QString leftOutLine(const ElixirLeftOut &l)
{
    return QStringLiteral("poz. %1 (%2): %3")
        .arg(l.position)
        .arg(l.recipient.isEmpty() ? QStringLiteral("bez nazwy odbiorcy") : l.recipient, elixirRefusalText(l.why));
}

bool writeWhole(const QString &path, const QByteArray &bytes, QString &error)
{
    QSaveFile out(path);
    if (out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.commit())
        return true;
    error = out.errorString();
    out.cancelWriting();
    return false;
}

QString suggestedPath(const CKantomixDoc &doc)
{
    if (doc.path().isEmpty())
        return QDir::home().filePath(QStringLiteral("przelewy.pli"));
    const QFileInfo info(doc.path());
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".pli"));
}

} // namespace

int ElixirBuild::quoteRefusals() const
{
    return int(std::count_if(leftOut.begin(), leftOut.end(),
                             [](const ElixirLeftOut &l) { return l.why.reason == ElixirRefusal::Quote; }));
}

int ordersLackingSender(const QList<ListedOrder> &orders)
{
    return int(std::count_if(orders.begin(), orders.end(), [](const ListedOrder &o) { return lacksSender(*o.order); }));
}

ElixirBuild buildBankFile(const QList<ListedOrder> &orders, const ElixirOptions &options,
                          const std::optional<CDefaultSender> &sender)
{
    ElixirBuild build(options);
    for (const ListedOrder &listed : orders) {
        const CPrzelewDane *order = listed.order;
        CPrzelewDane filled;
        if (sender && lacksSender(*order)) {
            filled = *order;
            filled.senderAccount = sender->account;
            if (filled.sender1.trimmed().isEmpty() && filled.sender2.trimmed().isEmpty()) {
                filled.sender1 = sender->name1;
                filled.sender2 = sender->name2;
            }
            order = &filled;
        }
        ElixirRefusal why;
        if (!build.file.add(*order, &why))
            build.leftOut.append({listed.position, order->recipient1.trimmed(), why});
    }
    return build;
}

ElixirSummary bankFileSummary(const ElixirBuild &build, const QString &path)
{
    QStringList lines;
    if (build.file.count() > 0) {
        lines << QStringLiteral("Zapisano plik dla banku %1.").arg(QDir::toNativeSeparators(path))
              << QStringLiteral("Liczba przelewów w pliku: %1").arg(build.file.count())
              << QStringLiteral("Łączna kwota: %1").arg(groszeText(build.file.totalGrosze()));
    } else {
        lines << QStringLiteral("Żaden przelew nie nadaje się do pliku dla banku; nic nie zostało zapisane.");
    }
    ElixirSummary summary;
    if (!build.leftOut.isEmpty()) {
        lines << QString() << QStringLiteral("Pominięte przelewy (liczba: %1):").arg(build.leftOut.size());
        QStringList all;
        for (const ElixirLeftOut &l : build.leftOut)
            all << leftOutLine(l);
        lines << all.mid(0, kListed);
        if (all.size() > kListed) {
            lines << QStringLiteral("… i %1 innych (w szczegółach).").arg(all.size() - kListed);
            summary.details = all.join(u'\n');
        }
    }
    summary.text = lines.join(u'\n');
    return summary;
}

void exportOrdersToBank(QWidget *parent, const CKantomixDoc &doc, const QList<int> &rows, GeneralSettings &settings,
                        const RegisterLocation &where)
{
    QList<ListedOrder> orders;
    if (rows.isEmpty())
        for (int i = 0; i < doc.count(); ++i)
            orders.append({i + 1, &doc.at(i)});
    else
        for (int row : rows)
            orders.append({row + 1, &doc.at(row)});
    if (orders.isEmpty())
        return;

    const int lacking = ordersLackingSender(orders);
    QList<CDefaultSender> senders;
    if (lacking > 0) {
        try {
            senders = listSenders(where);
        } catch (const CRegisterError &e) {
            reportRegisterError(parent, e);   // the orders without a sender are left out
        }
    }
    CElixirExportDlg dialog(senders, lacking, settings, parent);
    if (execDialog(dialog) != QDialog::Accepted)
        return;
    const ElixirExportChoice choice = dialog.choice();
    settings.elixirCodePage = elixirCodePageName(choice.codePage);
    settings.elixirTaxClass = choice.taxClassification;

    ElixirOptions options;
    options.codePage = choice.codePage;
    options.taxClassification = choice.taxClassification;
    if (!choice.ownDates)
        options.executionDate = QDate::currentDate();
    ElixirBuild build = buildBankFile(orders, options, choice.sender);
    if (const int quoted = build.quoteRefusals(); quoted > 0) {
        const auto answer = askQuestion(
            parent, QMessageBox::Question,
            QStringLiteral("Liczba przelewów z cudzysłowem (\") w nazwie lub tytule: %1.\n"
                           "Plik dla banku nie może go zawierać. Zamienić cudzysłowy na apostrofy (')?\n"
                           "Bez zamiany te przelewy zostaną pominięte.")
                .arg(quoted),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::No);
        if (answer == QMessageBox::Cancel)
            return;
        if (answer == QMessageBox::Yes) {
            options.quotesAsApostrophes = true;
            build = buildBankFile(orders, options, choice.sender);
        }
    }

    QString path;
    if (build.file.count() > 0) {
        path = chooseFile(parent, {FileRequest::SaveFile, QStringLiteral("Eksport do banku"), suggestedPath(doc),
                                   QStringLiteral("Pliki dla banku (*.pli);;Wszystkie pliki (*)"), QStringLiteral("pli")});
        if (path.isEmpty())
            return;
        // The bank file must never take the place of the orders it was made of.
        if (!doc.path().isEmpty() && isSameFile(path, doc.path())) {
            showWarning(parent, QStringLiteral("Plik %1 jest otwartym plikiem przelewów; nic nie zostało zapisane.")
                                    .arg(QDir::toNativeSeparators(path)));
            return;
        }
        QString error;
        if (!writeWhole(path, build.file.bytes(), error)) {
            showWarning(parent, QStringLiteral("Zapisanie pliku %1 nie powiodło się: %2")
                                    .arg(QDir::toNativeSeparators(path), error));
            return;
        }
    }
    const ElixirSummary summary = bankFileSummary(build, path);
    BoxRequest box {build.file.count() > 0 ? QMessageBox::Information : QMessageBox::Warning, summary.text};
    box.details = summary.details;
    askBox(parent, box);
}
