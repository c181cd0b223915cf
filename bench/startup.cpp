// SPDX-License-Identifier: GPL-3.0-or-later
// bench_startup: the start-up time of the program against three baselines, a bare Qt window, the
// same window showing one label of Chinese text in the program's fonts, and the same window showing
// one label in each of the fonts that the program's window uses at start, on the current X display.
// Each run is timed from the start of its process to its exit: wall time by a monotonic clock,
// CPU time (user and system) from the process's own usage as its parent collects it.
//
//   bench_startup PROGRAM BAREWINDOW [RUNS]
//
// PROGRAM runs with ZIBRIN_QUIT_AFTER_STARTUP set, so it ends once its window is shown and
// start-up completion has run; BAREWINDOW, run plain, with --cjk-label and with --same-fonts, ends
// at the first tick of its timer after showing its window. All must print "startup complete" and
// exit with status 0, or the run is refused: that keeps a second-instance exit, which shows
// nothing, from being timed.
// Each run gets a runtime folder of its own (the program keeps its instance lock there). One
// untimed run of each comes first, then RUNS timed runs of each (20 by default), in turn. Prints
// markdown table rows (measure | figure | target) on stdout.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

struct Times {
    qint64 wall = 0; // nanoseconds
    qint64 cpu = 0; // nanoseconds, user and system
};

// The CPU time of the children collected so far.
qint64 childrenCpu()
{
    rusage usage {};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto ns
        = [](const timeval &t) { return qint64(t.tv_sec) * 1000000000 + qint64(t.tv_usec) * 1000; };
    return ns(usage.ru_utime) + ns(usage.ru_stime);
}

// One run; nothing if it failed (the reason is written to stderr).
std::optional<Times> timedRun(
    const QString &program, const QStringList &arguments, bool benchmarkHook)
{
    QTemporaryDir runtime; // mode 0700, as a runtime folder must be
    if (!runtime.isValid()) {
        std::fprintf(stderr, "bench_startup: no temporary folder\n");
        return std::nullopt;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    if (benchmarkHook)
        environment.insert(QStringLiteral("ZIBRIN_QUIT_AFTER_STARTUP"), QStringLiteral("1"));

    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProgram(program);
    process.setArguments(arguments);
    const qint64 cpuBefore = childrenCpu();
    QElapsedTimer clock;
    clock.start();
    process.start();
    // a guard against a hanging run, not a speed check
    const bool finished = process.waitForFinished(60000);
    const qint64 elapsed = clock.nsecsElapsed();
    const qint64 cpu = childrenCpu() - cpuBefore;

    const QByteArray out = process.readAllStandardOutput();
    if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0
        || !out.contains("startup complete\n")) {
        if (!finished)
            process.kill();
        std::fprintf(stderr,
            "bench_startup: %s did not complete its start-up (%s, status %d)\nstdout: %s\nstderr: "
            "%s\n",
            qPrintable(program), finished ? "exited" : "timed out", process.exitCode(),
            out.constData(), process.readAllStandardError().constData());
        return std::nullopt;
    }
    return Times { elapsed, cpu };
}

qint64 median(std::vector<qint64> samples)
{
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    return n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
}

QString milliseconds(qint64 nanoseconds)
{
    return QString::number(double(nanoseconds) / 1e6, 'f', 1) + QStringLiteral(" ms");
}

void row(const QString &measure, const QString &figure, const QString &target = QString())
{
    std::printf("| %s | %s | %s |\n", qPrintable(measure), qPrintable(figure), qPrintable(target));
}

QString summary(const std::vector<qint64> &samples)
{
    const auto [least, most] = std::minmax_element(samples.begin(), samples.end());
    return QStringLiteral("%1 (min %2, max %3)")
        .arg(milliseconds(median(samples)), milliseconds(*least), milliseconds(*most));
}

QString ratio(const std::vector<qint64> &samples, const std::vector<qint64> &baseline)
{
    return QStringLiteral("%1x").arg(double(median(samples)) / double(median(baseline)), 0, 'f', 2);
}

// The runs of one start: wall and CPU times.
struct Start {
    explicit Start(
        const QString &program, const QStringList &arguments = {}, bool benchmarkHook = false)
        : program(program)
        , arguments(arguments)
        , benchmarkHook(benchmarkHook)
    {
    }

    QString program;
    QStringList arguments;
    bool benchmarkHook;
    std::vector<qint64> wall;
    std::vector<qint64> cpu;
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_startup PROGRAM BAREWINDOW [RUNS]\n");
        return 2;
    }
    const QString program = QString::fromLocal8Bit(argv[1]);
    const QString bareWindow = QString::fromLocal8Bit(argv[2]);
    const int runs = argc > 3 ? std::max(1, QByteArray(argv[3]).toInt()) : 20;

    Start bare { bareWindow };
    Start label { bareWindow, { QStringLiteral("--cjk-label") } };
    Start fonts { bareWindow, { QStringLiteral("--same-fonts") } };
    Start real { program, {}, true };
    Start *const starts[] = { &bare, &label, &fonts, &real };

    // untimed: the files are read into the page cache once
    for (const Start *start : starts) {
        if (!timedRun(start->program, start->arguments, start->benchmarkHook))
            return 1;
    }
    for (int i = 0; i < runs; ++i) {
        for (Start *start : starts) {
            const std::optional<Times> times
                = timedRun(start->program, start->arguments, start->benchmarkHook);
            if (!times)
                return 1;
            start->wall.push_back(times->wall);
            start->cpu.push_back(times->cpu);
        }
    }

    const QString of = QStringLiteral("median of %1").arg(runs);
    row(QStringLiteral(
            "Start-up, bare Qt window: exec to exit after its first timer tick (%1), wall / CPU")
            .arg(of),
        summary(bare.wall) + QStringLiteral(" / ") + summary(bare.cpu));
    row(QStringLiteral("Start-up, the same with one label of Chinese text in the program's fonts "
                       "(%1), wall / CPU")
            .arg(of),
        summary(label.wall) + QStringLiteral(" / ") + summary(label.cpu));
    row(QStringLiteral("Start-up, the same with one label in each of the fonts of the program's "
                       "window at start (%1), wall / CPU")
            .arg(of),
        summary(fonts.wall) + QStringLiteral(" / ") + summary(fonts.cpu));
    row(QStringLiteral("Start-up, Zibrin: exec to exit after start-up completion (%1), wall / CPU")
            .arg(of),
        summary(real.wall) + QStringLiteral(" / ") + summary(real.cpu));
    row(QStringLiteral("Start-up ratio, Zibrin / bare window (medians), wall / CPU"),
        ratio(real.wall, bare.wall) + QStringLiteral(" / ") + ratio(real.cpu, bare.cpu));
    row(QStringLiteral("Start-up ratio, Zibrin / Chinese-label window (medians), wall / CPU"),
        ratio(real.wall, label.wall) + QStringLiteral(" / ") + ratio(real.cpu, label.cpu));
    row(QStringLiteral("Start-up ratio, Zibrin / same-fonts window (medians), wall / CPU"),
        ratio(real.wall, fonts.wall) + QStringLiteral(" / ") + ratio(real.cpu, fonts.cpu),
        QStringLiteral("≤ 1.2x both"));
    std::fflush(stdout);
    return 0;
}
