// SPDX-License-Identifier: GPL-3.0-or-later
// The monkey: thousands of seeded random user events on the real main window, with the program's
// invariants checked after each one, and a failing run shrunk to the shortest sequence that still
// fails.
//
// Runs go in a child process of this same program, so that a crash or a hang is a failure that can
// be shrunk like any other. Environment:
//   ZIBRIN_MONKEY_SEED, ZIBRIN_MONKEY_EVENTS   seed and number of events of the random run
//   ZIBRIN_MONKEY_REPLAY=file                  replay the events of the file (one per line) instead
//   ZIBRIN_MONKEY_TRACE=1                      print every event and the state it left
#include "form1.h"
#include "monkeyevents.h"
#include "monkeyrun.h"
#include "programfolder.h"
#include "shrink.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <numeric>

using namespace monkey;

namespace {

constexpr int defaultEventCount = 20000;
constexpr int shrinkBudget = 250; // replays at most
constexpr qint64 shrinkMilliseconds = 10 * 60 * 1000; // and no new replay after this long
constexpr int brokeExitCode = 3;

const char replayVariable[] = "ZIBRIN_MONKEY_REPLAY";
const char reportVariable[] = "ZIBRIN_MONKEY_REPORT"; // JSON with the outcome, written by the child
const char progressVariable[] = "ZIBRIN_MONKEY_PROGRESS"; // the index of the event the child is at
const char traceVariable[] = "ZIBRIN_MONKEY_TRACE";

// A replay in this process, as the child of a run: events from the file, outcome to the report.
int replayChild()
{
    QFile file(qEnvironmentVariable(replayVariable));
    if (!file.open(QIODevice::ReadOnly)) {
        qCritical("monkey: cannot read %s", qPrintable(file.fileName()));
        return 2;
    }
    QString error;
    const QList<Event> events = fromText(QString::fromUtf8(file.readAll()), &error);
    if (!error.isEmpty()) {
        qCritical("monkey: %s", qPrintable(error));
        return 2;
    }

    QFile progressFile(qEnvironmentVariable(progressVariable));
    const bool withProgress = !progressFile.fileName().isEmpty()
        && progressFile.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    const auto progress = [&](int index) {
        if (withProgress) {
            progressFile.seek(0);
            progressFile.write(QByteArray::number(index).leftJustified(12, ' '));
        }
    };
    QTextStream out(stdout);
    const bool trace = qEnvironmentVariableIsSet(traceVariable);

    ProgramFolder folder;
    const QString data = prepareProgramFolder(folder);
    const RunResult result = replay(folder, events, progress, trace ? &out : nullptr);
    out.flush();

    if (result.failed()) {
        QTextStream(stderr) << "monkey: after event #" << result.failure.index << " ("
                            << describe(events.value(result.failure.index))
                            << "): " << result.failure.invariant << "\n  " << result.failure.detail
                            << '\n';
    }
    QFile report(qEnvironmentVariable(reportVariable));
    if (!report.fileName().isEmpty() && report.open(QIODevice::WriteOnly)) {
        const QJsonObject json { { QStringLiteral("index"), result.failure.index },
            { QStringLiteral("invariant"), result.failure.invariant },
            { QStringLiteral("detail"), result.failure.detail }, { QStringLiteral("data"), data },
            { QStringLiteral("stats"), result.stats.toJson() } };
        report.write(QJsonDocument(json).toJson());
    }
    return result.failed() ? brokeExitCode : 0;
}

// How a replay in a child process ended.
struct Outcome {
    enum Kind { Passed, Broke, Crashed, Hung };
    Kind kind = Passed;
    int index = -1; // the event at which it broke, crashed or hung
    QString invariant;
    QString detail;
    QString data;
    Stats stats;
    QString output; // what the child printed
    qint64 milliseconds = 0;

    // Two failures are the same when they break the same invariant, or both crash, or both hang.
    QString signature() const
    {
        switch (kind) {
        case Passed:
            return QStringLiteral("passed");
        case Broke:
            return invariant;
        case Crashed:
            return QStringLiteral("the program crashed");
        case Hung:
            return QStringLiteral("the program stopped responding");
        }
        return QString();
    }
};

class ChildRunner {
public:
    Outcome run(const QList<Event> &events, int timeoutMilliseconds, bool trace = false)
    {
        const QString eventsFile = m_dir.filePath(QStringLiteral("events.txt"));
        const QString reportFile = m_dir.filePath(QStringLiteral("report.json"));
        const QString progressFile = m_dir.filePath(QStringLiteral("progress"));
        QFile::remove(reportFile);
        QFile::remove(progressFile);
        // the child's temporary files (its program folder) go here, so that a child that crashed
        // leaves nothing behind once this runner is gone
        const QString childTemp = m_dir.filePath(QStringLiteral("tmp"));
        QDir(childTemp).removeRecursively();
        QDir().mkpath(childTemp);
        QFile file(eventsFile);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("monkey: cannot write %s", qPrintable(eventsFile));
        file.write(toText(events).toUtf8());
        file.close();

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QLatin1String(replayVariable), eventsFile);
        environment.insert(QLatin1String(reportVariable), reportFile);
        environment.insert(QLatin1String(progressVariable), progressFile);
        environment.insert(QStringLiteral("TMPDIR"), childTemp);
        if (trace)
            environment.insert(QLatin1String(traceVariable), QStringLiteral("1"));
        else
            environment.remove(QLatin1String(traceVariable));

        QElapsedTimer clock;
        clock.start();
        QProcess child;
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(), {});
        Outcome outcome;
        if (!child.waitForFinished(timeoutMilliseconds)) {
            child.kill();
            child.waitForFinished();
            outcome.kind = Outcome::Hung;
        }
        outcome.milliseconds = clock.elapsed();
        outcome.output = QString::fromUtf8(child.readAll());

        QFile report(reportFile);
        if (report.open(QIODevice::ReadOnly)) {
            const QJsonObject json = QJsonDocument::fromJson(report.readAll()).object();
            outcome.index = json.value(QStringLiteral("index")).toInt(-1);
            outcome.invariant = json.value(QStringLiteral("invariant")).toString();
            outcome.detail = json.value(QStringLiteral("detail")).toString();
            outcome.data = json.value(QStringLiteral("data")).toString();
            outcome.stats = Stats::fromJson(json.value(QStringLiteral("stats")).toObject());
        }
        if (outcome.kind == Outcome::Hung) {
            // keep the index of the event it hung in
        } else if (child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0
            && report.exists()) {
            outcome.kind = Outcome::Passed;
        } else if (child.exitStatus() == QProcess::NormalExit
            && child.exitCode() == brokeExitCode) {
            outcome.kind = Outcome::Broke;
        } else {
            outcome.kind = Outcome::Crashed;
        }
        if (outcome.kind == Outcome::Crashed || outcome.kind == Outcome::Hung) {
            QFile progress(progressFile);
            if (progress.open(QIODevice::ReadOnly))
                outcome.index = progress.readAll().trimmed().toInt();
            if (outcome.kind == Outcome::Hung)
                outcome.detail
                    = QStringLiteral("no end within %1 s").arg(timeoutMilliseconds / 1000);
            else if (child.exitStatus() == QProcess::CrashExit)
                outcome.detail = QStringLiteral("ended by signal %1").arg(child.exitCode());
            else
                outcome.detail = QStringLiteral("ended with exit code %1").arg(child.exitCode());
        }
        return outcome;
    }

private:
    QTemporaryDir m_dir;
};

quint32 seedFromEnvironment(bool *given)
{
    bool ok = false;
    const quint32 seed = qEnvironmentVariable("ZIBRIN_MONKEY_SEED").toUInt(&ok);
    *given = ok;
    return ok ? seed : QRandomGenerator::global()->generate();
}

int eventCountFromEnvironment()
{
    bool ok = false;
    const int count = qEnvironmentVariableIntValue("ZIBRIN_MONKEY_EVENTS", &ok);
    return ok && count > 0 ? count : defaultEventCount;
}

QString numbered(const QList<Event> &events)
{
    QString out;
    for (qsizetype i = 0; i < events.size(); ++i)
        out += QStringLiteral("  %1. %2\n").arg(i + 1).arg(describe(events.at(i)));
    return out;
}

} // namespace

class MonkeyTest : public QObject {
    Q_OBJECT
private slots:
    void eventLinesRoundTrip();
    void shrinkKeepsWhatFails_data();
    void shrinkKeepsWhatFails();
    void replays_data();
    void replays();
    void randomEvents();
};

// A replay is only as good as the written-down events: every field, lone surrogates and NULs
// included, must come back, and a seed must always give the same events.
void MonkeyTest::eventLinesRoundTrip()
{
    const QList<Event> events = generate(20240607, 3000);
    QCOMPARE(generate(20240607, 3000), events);
    QVERIFY(generate(20240608, 3000) != events);
    QString error;
    QCOMPARE(fromText(toText(events), &error), events);
    QCOMPARE(error, QString());

    const Event odd { .action = Action::Type,
        .target = Target::Combo6,
        .text = QString(QChar(0xD800)) + QChar(0) + QStringLiteral("中😀 \n"),
        .key = Qt::Key_Left,
        .modifiers = Qt::ShiftModifier | Qt::ControlModifier,
        .button = Qt::MiddleButton,
        .a = 4294967295u,
        .b = 0 };
    Event back;
    QVERIFY(fromLine(toLine(odd), &back));
    QCOMPARE(back, odd);
    QVERIFY(!fromLine(QStringLiteral("type Text5 0 0 0 0 0 4e2"), &back)); // half a code unit
    QVERIFY(!fromLine(QStringLiteral("jump Text5 0 0 0 0 0 -"), &back));
    QCOMPARE(quoted(odd.text), QStringLiteral("\"\\u{D800}\\u{0000}中😀 \\u{000A}\""));
}

void MonkeyTest::shrinkKeepsWhatFails_data()
{
    QTest::addColumn<QList<int>>("needed"); // fails when these occur in this order
    QTest::addColumn<int>("length");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("the last item") << QList<int> { 99 } << 100 << QList<int> { 99 };
    QTest::newRow("one early item") << QList<int> { 3 } << 100 << QList<int> { 3 };
    QTest::newRow("two far apart") << QList<int> { 5, 90 } << 100 << QList<int> { 5, 90 };
    QTest::newRow("three in order")
        << QList<int> { 10, 11, 70 } << 200 << QList<int> { 10, 11, 70 };
    QTest::newRow("a single item list") << QList<int> { 0 } << 1 << QList<int> { 0 };
}

void MonkeyTest::shrinkKeepsWhatFails()
{
    QFETCH(QList<int>, needed);
    QFETCH(int, length);
    QFETCH(QList<int>, expected);

    QList<int> all(length);
    std::iota(all.begin(), all.end(), 0);
    const std::function<bool(const QList<int> &)> fails = [&](const QList<int> &candidate) {
        qsizetype at = 0;
        for (int item : candidate) {
            if (at < needed.size() && item == needed.at(at))
                ++at;
        }
        return at == needed.size();
    };
    int tries = 0;
    QCOMPARE(shrinkFailing(all, fails, 1000, &tries), expected);
    QVERIFY(tries <= 1000);

    // with a small budget it stops early and still returns a failing list
    const QList<int> partial = shrinkFailing(all, fails, 3, &tries);
    QVERIFY(tries <= 3);
    QVERIFY(fails(partial));
}

// The event lists of tests/monkey/replays/, replayed in this process with the same checks: shrunk
// failures, kept once fixed, and corners that random events reach only rarely.
void MonkeyTest::replays_data()
{
    QTest::addColumn<QString>("file");
    const QDir dir(QStringLiteral(ZIBRIN_SOURCE_DIR "/tests/monkey/replays"));
    for (const QString &name :
        dir.entryList({ QStringLiteral("*.events") }, QDir::Files, QDir::Name))
        QTest::newRow(qPrintable(name)) << dir.filePath(name);
}

void MonkeyTest::replays()
{
    QFETCH(QString, file);
    QFile input(file);
    QVERIFY(input.open(QIODevice::ReadOnly));
    QString error;
    const QList<Event> events = fromText(QString::fromUtf8(input.readAll()), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(!events.isEmpty());
    ProgramFolder folder;
    prepareProgramFolder(folder);
    const RunResult result = replay(folder, events);
    QVERIFY2(!result.failed(),
        qPrintable(QStringLiteral("after event #%1 (%2): %3\n  %4")
                       .arg(result.failure.index)
                       .arg(describe(events.value(result.failure.index)), result.failure.invariant,
                           result.failure.detail)));
}

void MonkeyTest::randomEvents()
{
    bool seedGiven = false;
    const quint32 seed = seedFromEnvironment(&seedGiven);
    const int count = eventCountFromEnvironment();
    qInfo("monkey: seed %u, %d events (repeat with ZIBRIN_MONKEY_SEED=%u ZIBRIN_MONKEY_EVENTS=%d)",
        seed, count, seed, count);
    const QList<Event> events = generate(seed, count);

    ChildRunner runner;
    const bool trace = qEnvironmentVariableIsSet(traceVariable);
    const Outcome outcome = runner.run(events, 20 * 60 * 1000, trace);
    qInfo("monkey: %lld ms on %s", outcome.milliseconds,
        outcome.data.isEmpty() ? "the data of the build" : qPrintable(outcome.data));
    if (trace)
        qInfo().noquote() << outcome.output;
    if (outcome.kind == Outcome::Passed) {
        qInfo("monkey: %s", qPrintable(outcome.stats.summary()));
        QCOMPARE(outcome.stats.events, count);
        if (count >= 1000) {
            // a run that never showed a record or listed a search would have checked little
            const Stats &s = outcome.stats;
            QVERIFY2(s.lookupsFound > 0 && s.lookupsMissed > 0 && s.strokeSearchesListing > 0
                    && s.pinyinSearchesListing > 0 && s.frameSteps > 0 && s.copies > 0
                    && s.addressesOpened > 0,
                qPrintable(s.summary()));
        }
        return;
    }

    const QString first
        = QStringLiteral("after event #%1 of seed %2 (%3): %4\n  %5")
              .arg(outcome.index)
              .arg(seed)
              .arg(describe(events.value(outcome.index)), outcome.signature(), outcome.detail);
    qWarning("monkey: %s", qPrintable(first));
    if (outcome.kind == Outcome::Hung || outcome.index < 0) {
        qWarning("monkey: the child printed:\n%s", qPrintable(outcome.output.right(20000)));
        QFAIL(qPrintable(first));
    }

    const QString signature = outcome.signature();
    const int perReplay = int(qMax<qint64>(60 * 1000, 3 * outcome.milliseconds));
    QElapsedTimer shrinking;
    shrinking.start();
    const std::function<bool(const QList<Event> &)> stillFails
        = [&](const QList<Event> &candidate) {
              return shrinking.elapsed() < shrinkMilliseconds
                  && runner.run(candidate, perReplay).signature() == signature;
          };
    int tries = 0;
    const QList<Event> minimal
        = shrinkFailing(events.mid(0, outcome.index + 1), stillFails, shrinkBudget, &tries);
    const Outcome last = runner.run(minimal, perReplay, true);

    qWarning().noquote() << QStringLiteral(
        "monkey: shortest sequence found (%1 of the first %2 events, %3 replays), "
        "each on a fresh window:\n%4")
                                .arg(minimal.size())
                                .arg(outcome.index + 1)
                                .arg(tries)
                                .arg(numbered(minimal));
    qWarning().noquote()
        << QStringLiteral("monkey: to replay it, save these lines to a file and run this test with "
                          "ZIBRIN_MONKEY_REPLAY=<file> ZIBRIN_MONKEY_TRACE=1:\n")
            + toText(minimal);
    qWarning().noquote() << QStringLiteral(
                                "monkey: the replay of the shortest sequence %1; it printed:\n")
                                .arg(last.signature() == signature
                                        ? QStringLiteral("fails the same way")
                                        : QStringLiteral("did not fail again"))
            + last.output.right(30000);
    QFAIL(qPrintable(first));
}

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    if (qEnvironmentVariableIsSet(replayVariable))
        return replayChild();
    // the random run and the shrinking of a failure take longer than Qt Test's default 5 minutes
    if (!qEnvironmentVariableIsSet("QTEST_FUNCTION_TIMEOUT"))
        qputenv("QTEST_FUNCTION_TIMEOUT", QByteArray::number(40 * 60 * 1000));
    MonkeyTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_monkey.moc"
