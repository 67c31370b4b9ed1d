// Kantomix: prepares and prints Polish bank payment orders.

#include "base/AppIdentity.h"
#include "app/BatchPrint.h"
#include "app/CommandLine.h"
#include "app/KantomixApp.h"
#include "app/PolishTranslations.h"

#include <QApplication>
#include <QIcon>
#include <cstdio>

namespace {

void printHelp()
{
    std::fputs(
        "Użycie: kantomix [plik.zmt]\n"
        "        kantomix /p plik [/PD] [/EBP] [/*PRNM*drukarka]\n"
        "        kantomix /pt plik drukarka sterownik port\n"
        "\n"
        "  plik.zmt     otwiera plik przelewów\n"
        "  /p plik      drukuje przelewy z pliku na bieżącej drukarce\n"
        "  /pt plik drukarka sterownik port\n"
        "               drukuje na wskazanej drukarce; drukarka PDF zapisuje\n"
        "               plik PDF pod ścieżką podaną jako port (pusty port: plik.pdf);\n"
        "               każde słowo liczy się, także puste: /pt plik PDF \"\" wynik.pdf\n"
        "  /PD          pokazuje okno wyboru drukarki przed drukowaniem\n"
        "  /EBP         pokazuje każdy przelew do zatwierdzenia przed wydrukiem\n"
        "  --help       ten opis\n"
        "  --version    wersja programu\n"
        "\n"
        "Kody wyjścia drukowania (/p, /pt):\n"
        "  0  wydrukowano każdy odczytany przelew (także gdy w pliku nie było żadnego)\n"
        "  1  nie można odczytać pliku z przelewami\n"
        "  2  nie można użyć drukarki ani rozpocząć zadania drukowania\n"
        "  3  drukowanie anulowane przez użytkownika\n"
        "  4  potrzebne jest potwierdzenie, o które nie można zapytać (brak ekranu)\n"
        "  5  drukowanie albo zapis wyniku nie powiodły się\n"
        "  6  błędny wiersz polecenia\n"
        "Każdy pominięty wiersz pliku i każdy obcięty tekst są opisane na standardowym\n"
        "wyjściu błędów.\n",
        stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    // --help and --version need no display, and a batch print (/p, /pt) must
    // create its application on the offscreen platform when there is no
    // display: decide before creating any application object, leaving out
    // the options Qt takes for itself.
    QStringList words;
    for (int i = 1; i < argc; ++i)
        words << QString::fromLocal8Bit(argv[i]);
    CKantomixCommandLineInfo first;
    first.ParseArguments(CKantomixCommandLineInfo::WithoutToolkitOptions(words));
    if (first.m_bHelp) {
        printHelp();
        return 0;
    }
    if (first.m_bVersion) {
        std::printf("Kantomix %s\n", KANTOMIX_VERSION);
        return 0;
    }
    if (isBatchPrintCommand(first))
        useOffscreenWithoutDisplay(words);

    QApplication app(argc, argv);
    setUpApplicationIdentity();
    installPolishTranslations(app);
    // The desktop entry's name lets a Wayland desktop match the windows to it.
    QGuiApplication::setDesktopFileName(QStringLiteral("kantomix"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kantomix.svg")));

    // The words as the application object left them: its own options are gone.
    CKantomixCommandLineInfo cmdInfo;
    cmdInfo.ParseArguments(QCoreApplication::arguments().mid(1));

    CKantomixApp kantomix;
    if (!kantomix.InitInstance(cmdInfo))
        return kantomix.exitCode();
    const int rc = app.exec();
    const bool settingsWritten = kantomix.ExitInstance();
    return rc != 0 ? rc : settingsWritten ? 0 : 1;
}
