#pragma once
// The program's message texts by their numbers, in one place.

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace Msg {

enum Id {
    NothingSelected = 40001,
    SeveralSelected = 40003,
    ConfirmDeleteParties = 40004,
    ImportedCount = 40005,
    BadFileName = 40006,
    CannotStartPrintJob = 61702,
};

inline QString text(Id id)
{
    switch (id) {
    case NothingSelected: return QStringLiteral("Nie wybrano żadnej pozycji.");
    case SeveralSelected: return QStringLiteral("Wybrano kilka pozycji. Proszę wybrać tylko jeden wiersz.");
    case ConfirmDeleteParties: return QStringLiteral("Czy na pewno usunąć wybrane podmioty?");
    case ImportedCount: return QStringLiteral("Liczba zaimportowanych przelewów: %1");
    case BadFileName: return QStringLiteral("Nieprawidłowa nazwa pliku.");
    case CannotStartPrintJob: return QStringLiteral("Rozpoczęcie zadania drukowania nie jest możliwe.");
    }
    return {};
}

// Which Polish plural form a count takes: 0 for 1 ("przelew"), 1 for 2-4,
// 22-24, ... but not 12-14 ("przelewy"), 2 for the rest ("przelewów").
inline int pluralForm(qint64 n)
{
    n = n < 0 ? -n : n;
    if (n == 1)
        return 0;
    const qint64 tens = n % 100, units = n % 10;
    return units >= 2 && units <= 4 && (tens < 12 || tens > 14) ? 1 : 2;
}
// "1 przelew", "3 przelewy", "5 przelewów".
inline QString ordersCount(qint64 n)
{
    static const char *const forms[] = {"przelew", "przelewy", "przelewów"};
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(forms[pluralForm(n)]));
}

// Message 40000, naming how many orders will go.
inline QString confirmDeleteOrders(int count)
{
    static const char *const forms[] = {"zaznaczony przelew", "zaznaczone przelewy", "zaznaczonych przelewów"};
    return QStringLiteral("Czy na pewno usunąć %1 %2?").arg(count).arg(QString::fromUtf8(forms[pluralForm(count)]));
}

inline QString oldFormat()
{
    return QStringLiteral("W aktualnie wybranym pliku wykryto przelewy w starym formacie.\n"
                          "Nie zostaną one wczytane do programu.");
}

inline QString saveFailed() { return QStringLiteral("Zapisanie dokumentu nie powiodło się."); }

inline QString settingsNotWritten(const QString &file)
{
    return QStringLiteral("Nie można zapisać ustawień programu w pliku %1. Zmienione ustawienia nie zostały zachowane.")
        .arg(file);
}

inline QString readFailed() { return QStringLiteral("Odczyt pliku został przerwany przez błąd urządzenia."); }

// A file with neither a version header nor one readable order (a PDF, a photo).
inline QString notOrderFile()
{
    return QStringLiteral("To nie jest plik przelewów: nie ma w nim nagłówka wersji "
                          "ani żadnego przelewu, który dałoby się odczytać.");
}

// "3, 7, 12" or, when more lines than listed, "3, 7, 12, …".
inline QString lineNumberList(const QList<int> &numbers, int count)
{
    QStringList texts;
    for (int n : numbers)
        texts << QString::number(n);
    if (count > numbers.size())
        texts << QStringLiteral("…");
    return texts.join(QStringLiteral(", "));
}

// After opening a file of which some lines could not be read.
inline QString unreadLinesHead() { return QStringLiteral("Nie wszystkie wiersze pliku udało się odczytać."); }
inline QString unreadLines(int count, const QList<int> &firstNumbers)
{
    return QStringLiteral("Liczba pominiętych wierszy: %1 (nr %2).\n"
                          "Nie ma ich w dokumencie; zapisanie go pod tą samą nazwą usunie je z pliku.")
        .arg(count).arg(lineNumberList(firstNumbers, count));
}

// Before a save would overwrite a file that holds more than the document.
inline QString partialSaveQuestion(const QString &fileName, int count)
{
    return QStringLiteral("Plik %1 zawiera wiersze, których program nie wczytał (liczba: %2).\n"
                          "Zapisanie dokumentu pod tą samą nazwą usunie je z pliku.\n\n"
                          "Czy mimo to zapisać? „Zapisz jako...” zapisze dokument w innym pliku, "
                          "a ten pozostawi bez zmian.")
        .arg(fileName, QString::number(count));
}
inline QString saveAnyway() { return QStringLiteral("&Zapisz"); }
inline QString saveAsInstead() { return QStringLiteral("Zapisz &jako..."); }
// Polish whatever translation of the standard buttons is loaded.
inline QString cancel() { return QStringLiteral("Anuluj"); }

// A text longer than its field allows, refused when a dialog takes its values.
inline QString tooLong(int limit) { return QStringLiteral("Proszę wprowadzić najwyżej %1 znaków.").arg(limit); }

// Closing lines of the ZUS import about texts cut to fit the order.
inline QString shortenedCount(int count)
{
    return QStringLiteral("Liczba przelewów ze skróconym tekstem: %1").arg(count);
}
inline QString shortenedOrder(int line, const QString &payer, const QString &fields)
{
    return QStringLiteral("wiersz %1 (%2): %3").arg(line).arg(payer, fields);
}
inline QString moreOrders(int count) { return QStringLiteral("i %1 innych").arg(count); }
// Closing line of the ZUS import: transfers imported for the fund accounts
// that take nothing any more.
inline QString toClosedZusAccounts(int count, const QDate &closedSince)
{
    const int tens = count % 100, units = count % 10;
    const char16_t *noun = count == 1                                            ? u"przelew"
                         : units >= 2 && units <= 4 && (tens < 12 || tens > 14) ? u"przelewy"
                                                                                 : u"przelewów";
    return QStringLiteral("%1 %2 na rachunki ZUS zamknięte %3. Od 2018 r. składki wpłaca się na rachunek "
                          "składkowy płatnika (NRS): polecenie „Zamień na przelew na rachunek składkowy” "
                          "w szczegółach przelewu.")
        .arg(QString::number(count), QString::fromUtf16(noun), closedSince.toString(u"d.MM.yyyy"));
}
inline QString nothingImported() { return QStringLiteral("Nie zaimportowano żadnego przelewu."); }

// The DOS import when the register refused what a table step wrote.
inline QString importFailed() { return QStringLiteral("Podczas importu wystąpił błąd."); }

} // namespace Msg
