// The options sheet: time to open it (the first time, when the fonts are
// asked for their Polish letters, and again), to turn to a form page (its
// preview drawn) and to redraw a preview after a change of the shift.
// With --shots DIR it saves pictures of the four pages.

#include "base/AppIdentity.h"
#include "options/FontList.h"
#include "options/FormOptionsPage.h"
#include "options/OptionsSheet.h"
#include "options/SpinEdit.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QTabWidget>
#include <QTest>
#include <cstdio>

namespace {

double openSheet(const AllSettings &settings)
{
    QElapsedTimer t;
    t.start();
    COptionsSheet sheet(settings);
    sheet.show();
    if (!QTest::qWaitForWindowExposed(&sheet))
        std::fputs("the sheet was not shown\n", stderr);
    QApplication::processEvents();
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    setUpApplicationIdentity();
    const QStringList args = QApplication::arguments();
    const int shotsAt = args.indexOf(QStringLiteral("--shots"));
    const QString shots = shotsAt > 0 && shotsAt + 1 < args.size() ? args[shotsAt + 1] : QString();

    AllSettings settings;
    settings.ordinary.originalForm = 1;
    settings.zus.originalForm = 0;
    settings.tax.originalForm = 1;
    settings.tax.formTypeOrig = 2;

    std::printf("font families: %lld\n", static_cast<long long>(QFontDatabase::families().size()));
    const double first = openSheet(settings);
    std::printf("print font entries: %lld (with the CE twins)\n",
                static_cast<long long>(printFontEntries().size()));
    std::printf("open the sheet, first time (fonts looked at): %.1f ms\n", first);
    double again = 0;
    constexpr int kOpens = 10;
    for (int i = 0; i < kOpens; ++i)
        again += openSheet(settings);
    std::printf("open the sheet again: %.1f ms (mean of %d)\n", again / kOpens, kOpens);

    COptionsSheet sheet(settings);
    sheet.show();
    if (!QTest::qWaitForWindowExposed(&sheet))
        return 1;
    static const char *const names[] = {"ogolne", "przelew", "przelew-zus", "przelew-us"};
    for (int tab = 0; tab < 4; ++tab) {
        QElapsedTimer t;
        t.start();
        sheet.tabs()->setCurrentIndex(tab);
        QApplication::processEvents();
        std::printf("turn to page %s: %.1f ms\n", names[tab], t.nsecsElapsed() / 1e6);
        if (!shots.isEmpty()) {
            QTest::qWait(100);
            sheet.grab().save(shots + QStringLiteral("/opcje-%1.png").arg(QLatin1String(names[tab])));
        }
    }
    for (FormKind kind : {FormKind::Ordinary, FormKind::Zus, FormKind::Tax}) {
        CFormOptionsPage *page = sheet.formPage(kind);
        constexpr int kChanges = 50;
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < kChanges; ++i) {
            page->shiftX()->setText(QString::number(i % 20 - 10));
            page->previewImage();
        }
        std::printf("preview after a shift change, kind %d: %.1f ms\n", int(kind), t.nsecsElapsed() / 1e6 / kChanges);
    }
    return 0;
}
