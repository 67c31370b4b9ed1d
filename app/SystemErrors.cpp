#include "app/SystemErrors.h"

#include <cerrno>
#include <iterator>

namespace {

struct Reason
{
    int err;
    const char *text;
};

constexpr Reason kReasons[] = {
    {ENOENT, "nie ma takiego pliku ani folderu"},
    {ENOTDIR, "część ścieżki nie jest folderem"},
    {EISDIR, "to jest folder"},
    {EACCES, "brak dostępu"},
    {EPERM, "operacja niedozwolona"},
    {ENAMETOOLONG, "nazwa pliku jest za długa"},
    {ELOOP, "zbyt wiele dowiązań symbolicznych (pętla dowiązań)"},
    {EROFS, "system plików jest tylko do odczytu"},
    {ENOSPC, "brak miejsca na urządzeniu"},
    {EDQUOT, "przekroczony przydział miejsca na dysku"},
    {EFBIG, "plik przekroczyłby dozwolony rozmiar"},
    {EIO, "błąd wejścia/wyjścia urządzenia"},
    {EPIPE, "odbiorca zamknął potok"},
    {EBADF, "deskryptor nie jest otwarty do zapisu"},
    {ENXIO, "urządzenie nie istnieje"},
    {ENODEV, "urządzenie nie istnieje"},
    {ETXTBSY, "plik jest w użyciu jako program"},
    {EBUSY, "plik lub urządzenie jest zajęte"},
    {EEXIST, "plik już istnieje"},
    {EXDEV, "plik leży w innym systemie plików"},
    {EMFILE, "za dużo otwartych plików"},
    {ENFILE, "za dużo otwartych plików w systemie"},
    {ENOMEM, "brak pamięci"},
    {EINVAL, "nieprawidłowy argument"},
    {EOPNOTSUPP, "operacja nieobsługiwana przez system plików"},
    {EAGAIN, "zasób chwilowo niedostępny"},
    {EINTR, "przerwane wywołanie systemowe"},
    {ESTALE, "nieaktualny uchwyt pliku sieciowego"},
};

} // namespace

QString systemReason(int err)
{
    for (const Reason &r : kReasons)
        if (r.err == err)
            return QString::fromUtf8(r.text);
    return QStringLiteral("błąd systemu nr %1").arg(err);
}

QString openProblemText(const QString &shown, int err)
{
    switch (err) {
    case ENOENT: return QStringLiteral("Nie można odnaleźć pliku %1.").arg(shown);
    case EISDIR: return QStringLiteral("%1 jest folderem, a nie plikiem.").arg(shown);
    case EACCES:
    case EPERM: return QStringLiteral("Brak dostępu do pliku %1.").arg(shown);
    default: return QStringLiteral("Nie można otworzyć pliku %1: %2.").arg(shown, systemReason(err));
    }
}
