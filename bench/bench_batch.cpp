// The main job as a calling program sees it: 10,000 mixed orders handed over
// in a file and printed to PDF by the program itself (/pt file PDF "" out.pdf),
// with the default settings (text only onto pre-printed forms, boxes) and with
// the sample settings of examples/config (forms drawn from their templates).
// Reports seconds, pages per second and PDF bytes per page.
// Usage: bench_batch [program] [orders]. Target: under 20 s for each.

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

bool run(const char *label, const QString &program, const QString &config, const QString &input,
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
        return false;
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    const double cpu = childCpuSeconds() - cpuBefore;
    const qint64 bytes = QFileInfo(output).size();
    std::printf("%-36s %6d pages %7.2f s %7.1f pages/s (CPU %6.2f s) %6.1f KB/page %s\n", label, orders,
                seconds, orders / seconds, cpu, bytes / 1024.0 / orders,
                seconds < kTargetSeconds ? "" : "(over 20 s)");
    return seconds < kTargetSeconds;
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
    const bool textOnly = run("default settings (text only, boxes)", program, dir.filePath(QStringLiteral("none")),
                              input, dir.filePath(QStringLiteral("t.pdf")), count);
    const bool templates = run("examples/config (templates)", program, QStringLiteral(KANTOMIX_EXAMPLES "/config"),
                               input, dir.filePath(QStringLiteral("f.pdf")), count);
    return textOnly && templates ? 0 : 1;
}
