// Prints 1,000 orders of all three kinds to PDF, text only (onto originals)
// and on templates (plain paper), and reports pages per second.
// Targets: 200 pages/s text only, 50 pages/s with templates.

#include "BenchOrders.h"
#include "print/FormPages.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int kDefaultOrders = 1000;     // or the first argument

double run(const char *label, const AllSettings &settings, const QList<CPrzelewDane> &orders, const QString &path)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    CFormPrinter forms(settings);
    QElapsedTimer timer;
    timer.start();
    {
        FormPageJob job(forms, printer);
        for (const CPrzelewDane &r : orders)
            if (!job.printPage(r)) {
                std::fprintf(stderr, "%s: page failed\n", label);
                return 0;
            }
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    const double rate = orders.size() / seconds;
    std::printf("%-28s %5lld pages  %7.2f s  %8.1f pages/s  %6.1f MB\n", label, qlonglong(orders.size()), seconds,
                rate, QFileInfo(path).size() / 1e6);
    return rate;
}

AllSettings withOriginalForms(bool original, bool boxes)
{
    AllSettings s;
    for (FormKind k : {FormKind::Ordinary, FormKind::Zus, FormKind::Tax}) {
        s.forKind(k).originalForm = original ? 1 : 0;
        s.forKind(k).fitInBox = boxes ? 1 : 0;
    }
    return s;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QList<CPrzelewDane> orders;
    const int count = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : kDefaultOrders;
    for (int i = 0; i < count; ++i)
        orders.append(benchOrder(i));

    const double textBoxes = run("text only, boxes", withOriginalForms(true, true), orders, dir.filePath("t1.pdf"));
    const double textFree = run("text only, free text", withOriginalForms(true, false), orders, dir.filePath("t2.pdf"));
    const double templ = run("templates, boxes", withOriginalForms(false, true), orders, dir.filePath("t3.pdf"));
    const bool ok = std::min(textBoxes, textFree) >= 200 && templ >= 50;
    std::printf("targets (200 pages/s text only, 50 pages/s templates): %s\n", ok ? "met" : "NOT met");
    return ok ? 0 : 1;
}
