// bench_startup: the start-up time of the program against a bare Qt window, each timed with a
// monotonic clock from the start of its process to its exit, on the current X display.
//
//   bench_startup PROGRAM BAREWINDOW [RUNS]
//
// PROGRAM runs with ZIBRIN_QUIT_AFTER_STARTUP set, so it ends once its window is shown and
// start-up completion has run; BAREWINDOW ends at the first tick of its timer after showing its
// window. Both must print "startup complete" and exit with status 0, or the run is refused: that
// keeps a second-instance exit, which shows nothing, from being timed. Each run gets a runtime
// folder of its own (the program keeps its instance lock there). One untimed run of each comes
// first, then RUNS timed runs of each (20 by default), alternating. Prints markdown table rows
// (measure | figure | target) on stdout.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

// One run, in nanoseconds; nothing if it failed (the reason is written to stderr).
std::optional<qint64> timedRun(const QString &program, bool benchmarkHook)
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
    QElapsedTimer clock;
    clock.start();
    process.start();
    // a guard against a hanging run, not a speed check
    const bool finished = process.waitForFinished(60000);
    const qint64 elapsed = clock.nsecsElapsed();

    const QByteArray out = process.readAllStandardOutput();
    if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0
        || !out.contains("startup complete\n")) {
        if (!finished)
            process.kill();
        std::fprintf(stderr, "bench_startup: %s did not complete its start-up (%s, status %d)\nstdout: %s\nstderr: %s\n",
                     qPrintable(program), finished ? "exited" : "timed out", process.exitCode(), out.constData(),
                     process.readAllStandardError().constData());
        return std::nullopt;
    }
    return elapsed;
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
    return QStringLiteral("%1 (min %2, max %3)").arg(milliseconds(median(samples)), milliseconds(*least), milliseconds(*most));
}

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

    // untimed: the files are read into the page cache once
    if (!timedRun(bareWindow, false) || !timedRun(program, true))
        return 1;

    std::vector<qint64> bare;
    std::vector<qint64> real;
    for (int i = 0; i < runs; ++i) {
        const std::optional<qint64> b = timedRun(bareWindow, false);
        const std::optional<qint64> r = timedRun(program, true);
        if (!b || !r)
            return 1;
        bare.push_back(*b);
        real.push_back(*r);
    }

    const QString of = QStringLiteral("median of %1").arg(runs);
    row(QStringLiteral("Start-up, bare Qt window: exec to exit after its first timer tick (%1)").arg(of), summary(bare));
    row(QStringLiteral("Start-up, Zibrin: exec to exit after start-up completion (%1)").arg(of), summary(real));
    row(QStringLiteral("Start-up ratio, Zibrin / bare window (medians)"),
        QStringLiteral("%1x").arg(double(median(real)) / double(median(bare)), 0, 'f', 2), QStringLiteral("≤ 1.3x"));
    std::fflush(stdout);
    return 0;
}
