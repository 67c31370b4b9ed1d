// The main job as a calling program sees it: 10,000 mixed orders handed over
// in a file and printed to PDF by the program itself (/pt file PDF "" out.pdf),
// with the default settings (text only onto pre-printed forms, boxes) and with
// the sample settings of examples/config (forms drawn from their templates).
// Reports seconds, pages per second and PDF bytes per page.
// Usage: bench_batch [program] [orders]. Targets: under 20 s for each; the
// drawn forms within 1.3 times the CPU time of text only and at most 2.5 KB
// a page (the template is written once per job).

#include "BenchOrders.h"
#include "model/Import.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

#include <sys/resource.h>

namespace {

constexpr int kDefaultOrders = 10000;
constexpr double kTargetSeconds = 20.0;
constexpr double kTargetFormsToText = 1.3;
constexpr double kTargetFormKBPerPage = 2.5;

struct Figures
{
    bool ok = false;
    double cpu = 0;
    double kbPerPage = 0;
};

CPrzelewDane order(int i)
{
    CPrzelewDane r = benchOrder(i);
    r.senderAccount = QStringLiteral("61109010140000071219812874");
    if (!r.isTransfer)
        r.AmountInDigitWords(r.senderAccount);   // a deposit carries the amount in words
    return r;
}

// CPU seconds of the children that have ended: on a shared machine the wall
// time depends on the others, this far less.
double childCpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return u.ru_utime.tv_sec + u.ru_utime.tv_usec / 1e6 + u.ru_stime.tv_sec + u.ru_stime.tv_usec / 1e6;
}

Figures run(const char *label, const QString &program, const QString &config, const QString &input,
         const QString &output, int orders)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    p.setProcessEnvironment(env);
    p.setStandardErrorFile(QProcess::nullDevice());
    const double cpuBefore = childCpuSeconds();
    QElapsedTimer timer;
    timer.start();
    // "PDF" as the driver too: older builds drop an empty word.
    p.start(program, {QStringLiteral("/pt"), input, QStringLiteral("PDF"), QStringLiteral("PDF"), output});
    if (!p.waitForFinished(-1) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        std::fprintf(stderr, "%s: the program failed (exit %d)\n", label, p.exitCode());
        return {};
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    const double cpu = childCpuSeconds() - cpuBefore;
    const qint64 bytes = QFileInfo(output).size();
    std::printf("%-36s %6d pages %7.2f s %7.1f pages/s (CPU %6.2f s) %6.1f KB/page %s\n", label, orders,
                seconds, orders / seconds, cpu, bytes / 1024.0 / orders,
                seconds < kTargetSeconds ? "" : "(over 20 s)");
    return {seconds < kTargetSeconds, cpu, bytes / 1024.0 / orders};
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString program = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(KANTOMIX_EXE);
    const int count = argc > 2 ? std::max(1, QByteArray(argv[2]).toInt()) : kDefaultOrders;
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("orders.txt"));
    {
        CImport w;
        if (!w.Open(input, QIODevice::WriteOnly) || !w.WriteHeader(CImport::kCurrentVersion))
            return 2;
        for (int i = 0; i < count; ++i)
            if (!w.WriteRecord(order(i)))
                return 2;
        if (!w.Flush())
            return 2;
    }
    std::printf("%s\n", qPrintable(program));
    const Figures textOnly = run("default settings (text only, boxes)", program, dir.filePath(QStringLiteral("none")),
                              input, dir.filePath(QStringLiteral("t.pdf")), count);
    const Figures templates = run("examples/config (templates)", program, QStringLiteral(KANTOMIX_EXAMPLES "/config"),
                               input, dir.filePath(QStringLiteral("f.pdf")), count);
    if (!textOnly.ok || !templates.ok)
        return 1;
    const double ratio = textOnly.cpu > 0 ? templates.cpu / textOnly.cpu : 0;
    const bool formsOk = ratio <= kTargetFormsToText && templates.kbPerPage <= kTargetFormKBPerPage;
    std::printf("templates / text only CPU time %.2f (target at most %.1f), %.1f KB/page (at most %.1f)%s\n", ratio,
                kTargetFormsToText, templates.kbPerPage, kTargetFormKBPerPage, formsOk ? "" : " MISSED");
    return formsOk ? 0 : 1;
}
