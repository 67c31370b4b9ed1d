// Kantomix: prepares and prints Polish bank payment orders.

#include "app/CommandLine.h"
#include "app/Settings.h"

#include <QCoreApplication>
#include <QSettings>
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
        "               plik PDF pod ścieżką podaną jako port\n"
        "  /PD          pokazuje okno wyboru drukarki przed drukowaniem\n"
        "  /EBP         pokazuje każdy przelew do zatwierdzenia przed wydrukiem\n"
        "  --help       ten opis\n"
        "  --version    wersja programu\n",
        stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("WexSoft"));
    QCoreApplication::setApplicationName(QStringLiteral("Kantomix"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KANTOMIX_VERSION));

    CKantomixCommandLineInfo cmdInfo;
    cmdInfo.ParseArguments(app.arguments().mid(1));
    if (cmdInfo.m_bHelp) {
        printHelp();
        return 0;
    }
    if (cmdInfo.m_bVersion) {
        std::printf("Kantomix %s\n", KANTOMIX_VERSION);
        return 0;
    }

    AllSettings settings;
    settings.read(*openSettingsStore());
    return 0;
}
