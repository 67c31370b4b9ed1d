// The main window over a large file: time from start to the list shown with
// its first rows, and the time per screen while scrolling.
// With --shots DIR it also saves pictures of the main window with a mixed
// document, the print preview and both about boxes.

#include "base/AppIdentity.h"
#include "about/AboutBox.h"
#include "app/KantomixApp.h"
#include "app/KantomixView.h"
#include "app/MainFrame.h"
#include "app/OrderPrinting.h"
#include "print/FormPages.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {

CPrzelewDane sampleOrder(int i)
{
    CPrzelewDane r;
    const int kind = i % 7 == 3 ? KindZus : i % 7 == 5 ? KindTax : KindOrdinary;
    r.SetKind(kind, COrderDate::fromParts(2024, 1 + i % 12, 1 + i % 28));
    if (kind == KindOrdinary) {
        static const char *const names[] = {"Hurtownia Papiernicza Kreska", "Spółdzielnia Mieszkaniowa Jutrzenka",
                                            "Drukarnia Pod Sową", "Biuro Rachunkowe Bilans",
                                            "Zakład Energetyczny Iskra"};
        r.recipient1 = QString::fromUtf8(names[i % 5]);
        r.title1 = QStringLiteral("Faktura VAT nr %1/2024").arg(100 + i);
        r.checkDigits = QStringLiteral("%1").arg(10 + i % 89);
        r.bankNumber = QStringLiteral("10201026");
        r.accountRest = QStringLiteral("00001202%1").arg(10000000 + i);
        r.sender1 = QStringLiteral("Jan Przykładowy");
    } else if (kind == KindTax) {
        r.recipient1 = QStringLiteral("Urząd Skarbowy Wzorowo");
        r.bankNumber = QStringLiteral("10100071");
        r.accountRest = QStringLiteral("2223147244000000");
        r.checkDigits = QStringLiteral("43");
        r.title1 = QStringLiteral("VAT-7 za 03/2024");
    }
    r.amount = CWexOleCurrency::fromUnits(50 + (i * 37) % 5000, (i * 1300) % 10000);
    return r;
}

void settle(int ms = 50)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
}

void shot(QWidget *w, const QString &dir, const char *name)
{
    settle(300);
    const QString path = dir + u'/' + QLatin1String(name);
    std::printf("  %s: %s\n", name, w->grab().save(path) ? qPrintable(path) : "NOT SAVED");
}

int takeShots(const QString &dir)
{
    CKantomixApp app;
    if (!app.InitInstance(CKantomixCommandLineInfo()))
        return 1;
    CMainFrame *frame = app.mainFrame();
    for (int i = 0; i < 14; ++i)
        frame->document().Add(sampleOrder(i));
    frame->editor()->showDocument();
    frame->view()->selectRow(2);
    frame->resize(1000, 520);
    shot(frame, dir, "main_window.png");

    QPrintPreviewDialog preview(&app.printer(), frame);
    const OrderPrintRequest request = OrderPrintRequest::forRows({2, 4}, frame->document().count());
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter *p) {
        printOrderPages(app.formPrinter(), *p, frame->document(), request);
    });
    preview.resize(1000, 760);
    preview.show();
    shot(&preview, dir, "print_preview.png");
    preview.hide();

    CAboutBox about(frame);
    about.show();
    shot(&about, dir, "about_box.png");
    CAboutFirm firm(frame);
    firm.show();
    shot(&firm, dir, "about_firm.png");
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication qapp(argc, argv);
    setUpApplicationIdentity();
    QTemporaryDir config;
    // Keep the user's own settings and recent files out of the figures.
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());

    const QStringList args = qapp.arguments();
    if (const qsizetype at = args.indexOf(QStringLiteral("--shots")); at > 0 && at + 1 < args.size())
        return takeShots(args[at + 1]);

    constexpr int kOrders = 100000;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("duzy.zmt"));
    {
        CKantomixDoc doc;
        for (int i = 0; i < kOrders; ++i)
            doc.Add(sampleOrder(i));
        if (!doc.Save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }

    QElapsedTimer clock;
    clock.start();
    CKantomixApp app;
    CKantomixCommandLineInfo cmd;
    cmd.ParseArguments({path});
    if (!app.InitInstance(cmd))
        return 1;
    CMainFrame *frame = app.mainFrame();
    CKantomixView *view = frame->view();
    // Shown means painted: run the event loop until the list's first paint is done.
    QApplication::processEvents();
    view->viewport()->repaint();
    const qint64 shownMs = clock.elapsed();
    std::printf("orders: %d (file of %lld bytes)\n", frame->document().count(), QFileInfo(path).size());
    std::printf("start to list shown (read, sort by the first column, first paint): %lld ms (target <= 1000 ms)\n",
                shownMs);

    // Scrolling: a page at a time through the first 300 screens, then jumps across the whole list.
    QScrollBar *bar = view->verticalScrollBar();
    QElapsedTimer t;
    t.start();
    constexpr int kPages = 300;
    for (int i = 0; i < kPages; ++i) {
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        view->viewport()->repaint();
    }
    const double pageMs = double(t.nsecsElapsed()) / 1e6 / kPages;
    t.restart();
    constexpr int kJumps = 100;
    for (int i = 0; i < kJumps; ++i) {
        bar->setValue(int(qint64(bar->maximum()) * ((i * 37) % kJumps) / kJumps));
        view->viewport()->repaint();
    }
    const double jumpMs = double(t.nsecsElapsed()) / 1e6 / kJumps;
    std::printf("scrolling: %.2f ms per page down, %.2f ms per jump anywhere in the list (one frame at 60 Hz: 16.7 ms)\n",
                pageMs, jumpMs);

    t.restart();
    frame->editor()->sortByColumnClick(4);    // as a header click: through the undo stack
    view->viewport()->repaint();
    std::printf("sort by amount and repaint: %lld ms\n", t.elapsed());
    return 0;
}
