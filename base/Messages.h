#pragma once
// The program's message texts by their numbers, in one place.

#include <QString>

namespace Msg {

enum Id {
    ConfirmDeleteOrders = 40000,
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
    case ConfirmDeleteOrders: return QStringLiteral("Czy na pewno usunąć wybrane przelewy?");
    case NothingSelected: return QStringLiteral("Nie wybrano żadnej pozycji.");
    case SeveralSelected: return QStringLiteral("Wybrano kilka pozycji. Proszę wybrać tylko jeden wiersz.");
    case ConfirmDeleteParties: return QStringLiteral("Czy na pewno usunąć wybrane podmioty?");
    case ImportedCount: return QStringLiteral("Liczba zaimportowanych przelewów: %1");
    case BadFileName: return QStringLiteral("Nieprawidłowa nazwa pliku.");
    case CannotStartPrintJob: return QStringLiteral("Rozpoczęcie zadania drukowania nie jest możliwe.");
    }
    return {};
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

} // namespace Msg
