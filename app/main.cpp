// Kantomix: prepares and prints Polish bank payment orders.

#include "base/AppIdentity.h"
#include "app/BatchNotes.h"
#include "app/BatchPrint.h"
#include "app/CommandLine.h"
#include "app/DisplayPlatform.h"
#include "app/ElixirExport.h"
#include "app/KantomixApp.h"
#include "app/PathBytes.h"
#include "app/PolishTranslations.h"

#include <QApplication>
#include <QIcon>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

void printHelp()
{
    std::fputs(
        "Użycie: kantomix [plik.zmt]\n"
        "        kantomix /p plik [/PD] [/EBP] [/*PRNM*drukarka]\n"
        "        kantomix /pt plik drukarka sterownik port [/PD] [/EBP]\n"
        "        kantomix --export-elixir plik wynik.pli [--codepage strona]\n"
        "\n"
        "  plik.zmt     otwiera plik przelewów w oknie programu\n"
        "  /p plik      drukuje przelewy z pliku na bieżącej drukarce\n"
        "  /pt plik drukarka sterownik port\n"
        "               drukuje na wskazanej drukarce; drukarka PDF zapisuje\n"
        "               plik PDF pod ścieżką podaną jako port (pusty port: plik.pdf);\n"
        "               /dev/stdout i /dev/fd/N to deskryptory programu wywołującego\n"
        "  /PD          pokazuje okno wyboru drukarki przed drukowaniem\n"
        "  /EBP         pokazuje każdy przelew do zatwierdzenia przed wydrukiem\n"
        "  --export-elixir plik wynik.pli\n"
        "               zapisuje przelewy z pliku w pliku dla banku (Elixir-O),\n"
        "               z datą wykonania każdego przelewu; pomija te, których bank\n"
        "               nie przyjmie (każdy opisany na standardowym wyjściu błędów)\n"
        "  --codepage strona\n"
        "               strona kodowa pliku dla banku: cp1250 (domyślna), cp852,\n"
        "               iso-8859-2, utf-8\n"
        "  --           dalsze słowa nie są przełącznikami\n"
        "  --help       ten opis\n"
        "  --version    wersja programu\n"
        "Słowa po /p, /pt i --export-elixir liczą się według miejsca, także puste\n"
        "i zaczynające się od - lub /: /pt plik PDF \"\" -wynik.pdf. Nieznany\n"
        "przełącznik i nadmiarowe słowo to błędny wiersz polecenia.\n"
        "\n"
        "Kody wyjścia:\n"
        "  0  wydrukowano każdy odczytany przelew (także gdy w pliku nie było żadnego);\n"
        "     --export-elixir: zapisano plik dla banku (albo żaden przelew się nie nadał)\n"
        "  1  nie można odczytać pliku z przelewami, nie jest to plik przelewów\n"
        "     albo plik zmienił się w trakcie drukowania\n"
        "  2  nie można użyć drukarki ani rozpocząć zadania drukowania\n"
        "  3  drukowanie anulowane przez użytkownika\n"
        "  4  potrzebny jest ekran, którego nie ma (zatwierdzanie /EBP, okno programu)\n"
        "  5  drukowanie albo zapis wyniku (PDF, pliku dla banku) nie powiodły się\n"
        "  6  błędny wiersz polecenia\n"
        "Każdy pominięty wiersz pliku, każdy obcięty tekst i każde wątpliwe pole są\n"
        "opisane na standardowym wyjściu błędów (najwyżej 100 uwag i ich liczba).\n",
        stdout);
}

// Descriptors 0 to 2 closed by the caller would be taken by the first files
// opened: the notes meant for standard error would land inside the PDF.
void keepStandardDescriptorsOpen()
{
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        const int opened = ::open("/dev/null", O_RDWR);
        if (opened > 2)     // fd is taken by now
            ::close(opened);
    }
}

void wrongCommandLine(const QString &reason)
{
    // The reason quotes the caller's word: its control characters must not act on a terminal.
    std::fprintf(stderr, "kantomix: %s Opis wywołania: kantomix --help\n", printableLine(reason).toUtf8().constData());
}

} // namespace

int main(int argc, char *argv[])
{
    keepStandardDescriptorsOpen();
    // The words are read once, before any application object exists: --help
    // and a wrong command line need no display, and Qt's own options never
    // become program words, whatever the platform.
    QStringList words;
    for (int i = 1; i < argc; ++i)
        words << decodeSystemText(QByteArray(argv[i]));
    CKantomixCommandLineInfo cmdInfo;
    cmdInfo.ParseArguments(words);
    if (cmdInfo.m_bHelp) {
        printHelp();
        return 0;
    }
    if (cmdInfo.m_bVersion) {
        std::printf("Kantomix %s\n", KANTOMIX_VERSION);
        return 0;
    }
    if (!cmdInfo.m_strError.isEmpty()) {
        wrongCommandLine(cmdInfo.m_strError);
        return BatchBadCommandLine;
    }

    const bool batch = isBatchPrintCommand(cmdInfo) || isElixirExportCommand(cmdInfo);
    if (batch) {
        // A reader that closed the pipe or a file-size limit: the write
        // fails and the job says so (exit 5) instead of dying without a word.
        std::signal(SIGPIPE, SIG_IGN);
        std::signal(SIGXFSZ, SIG_IGN);
    }
    const bool needsDisplay = !batch || cmdInfo.m_bPrintDialog || cmdInfo.m_bEditBeforePrint;
    const PlatformChoice platform = choosePlatform(needsDisplay, cmdInfo.m_toolkitArgs, DisplayEnvironment::current());
    qputenv("QT_QPA_PLATFORM", platform.platforms);
    quietToolkitMessages(batch);

    // The application object gets the program name and Qt's own options only.
    std::vector<QByteArray> qtWords {QByteArray(argv[0])};
    for (const QString &option : platform.qtArgs)
        qtWords.push_back(systemPath(option));
    std::vector<char *> qtArgv;
    for (QByteArray &w : qtWords)
        qtArgv.push_back(w.data());
    qtArgv.push_back(nullptr);
    int qtArgc = int(qtWords.size());

    QApplication app(qtArgc, qtArgv.data());
    if (!batch && startedOnFallback(platform, QGuiApplication::platformName())) {
        std::fprintf(stderr, "kantomix: Nie można otworzyć okna programu: żaden ekran nie odpowiada "
                             "(zmienne DISPLAY i WAYLAND_DISPLAY nie wskazują działającego serwera).\n");
        return BatchNotAvailable;
    }
    setUpApplicationIdentity();
    installPolishTranslations(app);
    // The desktop entry's name lets a Wayland desktop match the windows to it.
    QGuiApplication::setDesktopFileName(QStringLiteral("kantomix"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kantomix.svg")));

    CKantomixApp kantomix;
    if (!kantomix.InitInstance(cmdInfo))
        return kantomix.exitCode();
    const int rc = app.exec();
    const bool settingsWritten = kantomix.ExitInstance();
    return rc != 0 ? rc : settingsWritten ? 0 : 1;
}
