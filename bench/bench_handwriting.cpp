// bench_handwriting: the handwriting recogniser's accuracy over the 6,763 characters of GB2312,
// each written from the centre lines of its strokes (hanzi-writer-data's medians) as if by hand,
// and the time from the end of the last stroke to the list and record shown, in a started window
// over the real Photo.mdb.
//
//   bench_handwriting BUILD_DIR OUTLINES_DIR
//
// The characters are those of the stroke-code table. Each median is a polyline in a 1024 box with
// y pointing up (900 at the top); it is put into the pad's writing area with y pointing down.
// Accuracy is given for each step of the ranking, all from one list of the model per character:
// - the model alone: its first ten, those with a record;
// - its first 100 ranked by score less a penalty per stroke of difference from the record's BH;
// - as before, less a penalty per step of distance between the stroke classes of the ink and the
//   character's stroke order (the pad's ranking).
// The time is taken in the window: the strokes but the last are written into the pad quietly, then
// the last stroke's mouse events are sent; timed is the release of the button to the list's arrival
// from the recognition thread (recognition, the result box filled, the first record shown).
// The figures are printed as markdown table rows (measure | figure | target) on stdout.

#include "form1.h"
#include "handwritingpad.h"
#include "programfolder.h"
#include "samples.h"
#include "ranking.h"
#include "segments.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QMouseEvent>
#include <QSignalBlocker>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

using bench::percentile;
using bench::Samples;

QString milliseconds(qint64 nanoseconds)
{
    return bench::milliseconds(nanoseconds, 2);
}

void row(const QString &measure, const QString &figure, const QString &target = QString())
{
    std::printf("| %s | %s | %s |\n", qPrintable(measure), qPrintable(figure), qPrintable(target));
}

// The characters of the stroke-code table, all 6,763 of GB2312.
QStringList gb2312Characters()
{
    QStringList characters;
    for (const tables::Segment segment : { tables::Segment::Text1bh1w, tables::Segment::Text1bh2w,
             tables::Segment::Text1bh3w, tables::Segment::Text1bh4w, tables::Segment::Text1bh5w }) {
        for (const QString &line :
            tables::segmentText(segment).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
            const QString trimmed = line.trimmed();
            if (trimmed.size() > 5)
                characters.append(trimmed.chopped(5));
        }
    }
    return characters;
}

// The medians of one character in a writing area of the given side; empty if it has none.
handwriting::Ink medians(const QString &outlinesDir, const QString &character, qreal side)
{
    QFile file(outlinesDir + QLatin1Char('/') + character + QStringLiteral(".json"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    handwriting::Ink ink;
    const qreal scale = side / 1024;
    for (const QJsonValue &median :
        QJsonDocument::fromJson(file.readAll()).object().value(u"medians").toArray()) {
        handwriting::Stroke stroke;
        for (const QJsonValue &point : median.toArray()) {
            const QJsonArray xy = point.toArray();
            // whole pixels, as a mouse gives them
            stroke.append(QPointF(std::round(xy.at(0).toDouble() * scale),
                std::round((900 - xy.at(1).toDouble()) * scale)));
        }
        ink.append(stroke);
    }
    return ink;
}

void send(QWidget &area, QEvent::Type type, const QPointF &at)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons buttons
        = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, area.mapToGlobal(at), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(&area, &event);
}

void write(QWidget &area, const handwriting::Stroke &stroke)
{
    send(area, QEvent::MouseButtonPress, stroke.first());
    for (qsizetype i = 1; i < stroke.size(); ++i)
        send(area, QEvent::MouseMove, stroke[i]);
}

struct Step {
    QString name;
    int first = 0;
    int inTen = 0;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_handwriting BUILD_DIR OUTLINES_DIR\n");
        return 2;
    }
    const QString buildDir = QString::fromLocal8Bit(argv[1]);
    const QString outlinesDir = QString::fromLocal8Bit(argv[2]);

    ProgramFolder folder;
    for (const QString &name : { QStringLiteral("Photo.mdb"), QStringLiteral("LIST2.txt") }) {
        if (!QFile::link(
                buildDir + QLatin1Char('/') + name, folder.path() + QLatin1Char('/') + name)) {
            std::fprintf(stderr, "bench_handwriting: cannot link %s from %s\n", qPrintable(name),
                qPrintable(buildDir));
            return 1;
        }
    }
    RecordingOpener opener;
    const std::unique_ptr<Form1> window = startedWindow(folder, opener);
    window->handwriting.Command9_Click();
    handwriting::HandwritingPad *pad = window->handwriting.pad();
    const handwriting::Recognizer recognizer(handwriting::defaultModelFile());
    if (!window->Data1.isOpen() || !pad || !recognizer.isAvailable()) {
        std::fprintf(stderr,
            "bench_handwriting: no Photo.mdb in %s or no handwriting model at %s\n",
            qPrintable(buildDir), qPrintable(handwriting::defaultModelFile()));
        return 1;
    }
    const handwriting::KnownCharacters known
        = handwriting::knownCharacters(window->Data1.strokeCounts());
    handwriting::WritingArea &area = pad->writingArea;
    const qreal side = area.width();

    using handwriting::RankingWeights;
    Step steps[] = { { QStringLiteral("the model's first 10") },
        { QStringLiteral("its first 100 less %1 per stroke of difference from BH").arg(0.5) },
        { QStringLiteral("as before, less %1 per step of stroke-order distance (the pad)")
                .arg(1.0) } };
    const RankingWeights weights[]
        = { {}, { .strokeCount = handwriting::padWeights.strokeCount }, handwriting::padWeights };
    Step window10 { QStringLiteral("in the window (Text6)") };

    const QStringList characters = gb2312Characters();
    Samples times;
    Samples modelTimes; // the model's list of 100 alone
    QStringList timedCharacters;
    int missing = 0;
    for (const QString &character : characters) {
        const handwriting::Ink ink = medians(outlinesDir, character, side);
        if (ink.isEmpty()) {
            ++missing;
            continue;
        }
        QElapsedTimer modelClock;
        modelClock.start();
        const QList<handwriting::Candidate> list
            = recognizer.classify(ink, side, handwriting::listLength);
        modelTimes.push_back(modelClock.nsecsElapsed());
        for (int i = 0; i < 3; ++i) {
            const QStringList ranked = handwriting::rankCandidates(i == 0 ? list.mid(0, 10) : list,
                ink, side, known, weights[i], handwriting::shownCandidates);
            steps[i].first += !ranked.isEmpty() && ranked.first() == character;
            steps[i].inTen += ranked.contains(character);
        }

        // The window: the strokes but the last quietly, then the last one timed from its release.
        window->handwriting.clearInk();
        {
            const QSignalBlocker quiet(area);
            for (qsizetype s = 0; s + 1 < ink.size(); ++s) {
                write(area, ink[s]);
                send(area, QEvent::MouseButtonRelease, ink[s].last());
            }
        }
        write(area, ink.last());
        QElapsedTimer clock;
        clock.start();
        send(area, QEvent::MouseButtonRelease, ink.last().last());
        // the list comes from the recognition thread, as a queued call
        while (window->handwriting.isRecognizing()) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
            std::this_thread::yield();
        }
        times.push_back(clock.nsecsElapsed());
        timedCharacters.append(character);
        const QString listed = window->Text6.text();
        window10.first += listed.startsWith(character + QLatin1Char(' '));
        window10.inTen += listed.contains(character);
        // the frame step and the repaint, untimed
        QCoreApplication::processEvents();
    }

    const int n = int(characters.size()) - missing;
    const auto share = [n](int k) {
        return QString::number(100.0 * k / std::max(n, 1), 'f', 1) + QLatin1Char('%');
    };
    const QString count = QLocale(QLocale::English).toString(n);
    for (const Step &step : steps)
        row(QStringLiteral("Handwriting, %1 GB2312 characters from their medians: %2")
                .arg(count, step.name),
            QStringLiteral("first %1, in ten %2").arg(share(step.first), share(step.inTen)),
            &step == &steps[2] ? QStringLiteral("in ten ≥ 90%") : QString());
    row(QStringLiteral("Handwriting, the same in the window (Text6)"),
        QStringLiteral("first %1, in ten %2").arg(share(window10.first), share(window10.inTen)));
    const qsizetype slowest = std::max_element(times.begin(), times.end()) - times.begin();
    row(QStringLiteral(
            "Handwriting, end of the last stroke to list and record shown, %1 characters")
            .arg(count),
        QStringLiteral("p50 %1, p99 %2 (max %3, %4)")
            .arg(milliseconds(percentile(times, 0.5)), milliseconds(percentile(times, 0.99)),
                milliseconds(percentile(times, 1.0)), timedCharacters.value(slowest)),
        QStringLiteral("p99 < 16 ms"));
    row(QStringLiteral("Handwriting, of which the model's list alone (Zinnia, 100 candidates)"),
        QStringLiteral("p50 %1, p99 %2")
            .arg(milliseconds(percentile(modelTimes, 0.5)),
                milliseconds(percentile(modelTimes, 0.99))));
    if (missing > 0)
        row(QStringLiteral("Handwriting: characters without medians, left out"),
            QString::number(missing));
    std::fflush(stdout);
    return 0;
}
