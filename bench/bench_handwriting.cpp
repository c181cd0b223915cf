// SPDX-License-Identifier: GPL-3.0-or-later
// bench_handwriting: the handwriting recogniser's accuracy over the 6,763 characters of GB2312,
// each written from the centre lines of its strokes (hanzi-writer-data's medians) as if by hand,
// and the time from the end of the last stroke to the list and record shown, in a started window
// over the real Photo.mdb.
//
//   bench_handwriting BUILD_DIR OUTLINES_DIR [--seed N] [--every K] [--tune] [--confusables]
//                     [--first-stroke] [--runs R]
//
// Besides the clean medians, sets written the way people write are made from them by a generator
// seeded with N (default 2; the pad's weights were tuned on seed 1, so report on another):
// slant and uneven scale, each stroke moved and resized on its own, smooth wobble, hooks and ticks
// at stroke ends, two adjacent strokes joined without lifting the pen, two adjacent strokes
// swapped, and the first four together at a milder strength. For each set: first and in ten of
// the pad's ranking (the model's list merged with the matcher's, recognize()) and of the model
// alone, and the time of recognize() from the last pen-up (p50, p99). --every K takes every K-th
// character only; --tune searches the pad's merged weights on the sets and prints them.
//
// The characters are those of the stroke-code table. Each median is a polyline in a 1024 box with
// y pointing up (900 at the top); it is put into the pad's writing area with y pointing down.
// Accuracy is given for the model alone (its first ten, those with a record) against the pad's
// ranking, and in the window.
// The time is taken in the window: the strokes but the last are written into the pad quietly, then
// the last stroke's mouse events are sent; timed is the release of the button to the list's arrival
// from the recognition thread (recognition, the result box filled, the first record shown).
// --confusables: characters a hand can hardly tell apart (口 and 囗, 日 and 曰, ...), each written
// from its own medians at several sizes and places: what comes first, and the worst place of the
// character itself. The pad's rule for twins was tuned on one list of groups; the other is held
// out from that and only measured. --first-stroke: in fresh
// processes, pen-up to list for the first stroke after the pad opens and for the later ones
// (--runs R processes for each delay between the opening and the first pen-up). Both also come
// at the end of a full run.
// The figures are printed as markdown table rows (measure | figure | target) on stdout.

#include "form1.h"
#include "handwritinginput.h"
#include "handwritingpad.h"
#include "programfolder.h"
#include "ranking.h"
#include "samples.h"
#include "segments.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QSignalBlocker>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <functional>
#include <numbers>
#include <random>
#include <thread>
#include <vector>

namespace {

using bench::percentile;
using bench::Samples;
using bench::StallMeter;

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

// The medians of one character in a writing area of the given side, in whole pixels as a mouse
// gives them; empty if it has none.
handwriting::Ink medians(const QString &outlinesDir, const QString &character, qreal side)
{
    return medianInk(outlinesDir, character, side, MedianPoints::WholePixels);
}

// A stroke's press and moves, its button still held.
void write(QWidget &area, const handwriting::Stroke &stroke)
{
    sendMouse(area, QEvent::MouseButtonPress, stroke.first());
    for (qsizetype i = 1; i < stroke.size(); ++i)
        sendMouse(area, QEvent::MouseMove, stroke[i]);
}

using handwriting::Ink;
using handwriting::Stroke;

// The model alone: of its first ten, those with a record.
QStringList modelAlone(
    const QList<handwriting::Candidate> &list, const handwriting::KnownCharacters &known)
{
    QStringList out;
    for (const handwriting::Candidate &candidate : list.mid(0, handwriting::shownCandidates)) {
        if (known.contains(candidate.character))
            out.append(candidate.character);
    }
    return out;
}

// The processor time of this thread: the matcher's cost whatever else the machine runs.
qint64 threadNanoseconds()
{
    timespec t {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// Points every 3 pixels or so along each stroke, as a mouse gives them.
Ink densified(const Ink &ink)
{
    Ink out;
    for (const Stroke &stroke : ink) {
        Stroke dense;
        for (qsizetype i = 0; i < stroke.size(); ++i) {
            if (i > 0) {
                const QPointF a = stroke[i - 1], b = stroke[i];
                const int steps = std::max(1, int(QLineF(a, b).length() / 3));
                for (int k = 1; k < steps; ++k)
                    dense.append(a + (b - a) * (double(k) / steps));
            }
            dense.append(stroke[i]);
        }
        out.append(dense);
    }
    return out;
}

// Whole pixels inside the writing area.
Ink onPad(const Ink &ink, qreal side)
{
    Ink out;
    for (const Stroke &stroke : ink) {
        Stroke s;
        for (const QPointF &p : stroke)
            s.append(QPointF(std::round(std::clamp(p.x(), 0.0, side - 1)),
                std::round(std::clamp(p.y(), 0.0, side - 1))));
        out.append(s);
    }
    return out;
}

// The distortions of the sets; strength 1 for a set of its own.
class Writer {
public:
    Writer(quint32 seed, qreal side)
        : m_random(seed)
        , m_side(side)
    {
    }

    double uniform(double a, double b)
    {
        return std::uniform_real_distribution<double>(a, b)(m_random);
    }
    int index(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

    // Sheared by up to 0.2 and scaled unevenly by 0.75..1.1 per axis about the area's centre.
    Ink slanted(const Ink &ink, double strength)
    {
        const double shear = uniform(-0.2, 0.2) * strength;
        const double sx = 1 + uniform(-0.25, 0.1) * strength;
        const double sy = 1 + uniform(-0.25, 0.1) * strength;
        const double c = m_side / 2;
        Ink out = ink;
        for (Stroke &stroke : out) {
            for (QPointF &p : stroke)
                p = QPointF(c + (p.x() - c) * sx + shear * (p.y() - c), c + (p.y() - c) * sy);
        }
        return out;
    }

    // Each stroke moved by up to 4% of the side per axis and resized by 0.8..1.15 about its centre.
    Ink strokesMoved(const Ink &ink, double strength)
    {
        Ink out = ink;
        for (Stroke &stroke : out) {
            if (stroke.isEmpty())
                continue;
            const QPointF shift(
                uniform(-0.04, 0.04) * m_side * strength, uniform(-0.04, 0.04) * m_side * strength);
            const double scale = 1 + uniform(-0.2, 0.15) * strength;
            QRectF box(stroke.first(), stroke.first());
            for (const QPointF &p : stroke)
                box |= QRectF(p, p);
            const QPointF centre = box.center();
            for (QPointF &p : stroke)
                p = centre + (p - centre) * scale + shift;
        }
        return out;
    }

    // A smooth sideways wobble of up to 1.5% of the side, one to three waves a side's length.
    Ink wobbled(const Ink &ink, double strength)
    {
        Ink out = densified(ink);
        for (Stroke &stroke : out) {
            const double a = 0.015 * m_side * strength;
            const double fx = uniform(1, 3), fy = uniform(1, 3);
            const double px = uniform(0, 2 * std::numbers::pi),
                         py = uniform(0, 2 * std::numbers::pi);
            double along = 0;
            for (qsizetype i = 0; i < stroke.size(); ++i) {
                if (i > 0)
                    along += QLineF(stroke[i - 1], stroke[i]).length() / m_side;
                stroke[i] += QPointF(a * std::sin(2 * std::numbers::pi * fx * along + px),
                    a * std::sin(2 * std::numbers::pi * fy * along + py));
            }
        }
        return out;
    }

    // A hook at the end of half the strokes (2-5% of the side, turned back 100-160 degrees) and
    // an entry tick at the start of a third (1.5-3.5%).
    Ink hooked(const Ink &ink, double strength)
    {
        Ink out = densified(ink);
        for (Stroke &stroke : out) {
            if (stroke.size() < 2)
                continue;
            const auto direction = [](QPointF from, QPointF to) {
                return std::atan2(to.y() - from.y(), to.x() - from.x());
            };
            if (uniform(0, 1) < 0.5) {
                const double turn
                    = uniform(100, 160) * std::numbers::pi / 180 * (uniform(0, 1) < 0.5 ? -1 : 1);
                const double angle
                    = direction(stroke[std::max<qsizetype>(0, stroke.size() - 4)], stroke.last())
                    + turn;
                const double length = uniform(0.02, 0.05) * m_side * strength;
                const QPointF end = stroke.last();
                for (int k = 1; k <= 4; ++k)
                    stroke.append(end + QPointF(std::cos(angle), std::sin(angle)) * length * k / 4);
            }
            if (uniform(0, 1) < 0.33) {
                const double angle
                    = direction(stroke.first(), stroke[std::min<qsizetype>(3, stroke.size() - 1)])
                    + uniform(120, 180) * std::numbers::pi / 180;
                const double length = uniform(0.015, 0.035) * m_side * strength;
                const QPointF start = stroke.first();
                for (int k = 1; k <= 3; ++k)
                    stroke.prepend(
                        start + QPointF(std::cos(angle), std::sin(angle)) * length * k / 3);
            }
        }
        return out;
    }

    // Two adjacent strokes written without lifting the pen: the pen's move between them is ink.
    Ink joined(const Ink &ink)
    {
        Ink out = ink;
        const int at = index(int(out.size()) - 1);
        out[at] += out[at + 1];
        out.removeAt(at + 1);
        return densified(out);
    }

    Ink swapped(const Ink &ink)
    {
        Ink out = ink;
        const int at = index(int(out.size()) - 1);
        out.swapItemsAt(at, at + 1);
        return densified(out);
    }

private:
    std::mt19937 m_random;
    qreal m_side;
};

struct Set {
    QString name;
    int minimumStrokes = 1; // characters with fewer are left out
    std::function<Ink(Writer &, const Ink &)> write;
    int n = 0;
    int first = 0, inTen = 0; // the pad
    int modelFirst = 0, modelInTen = 0; // the model alone
    Samples times;
    std::vector<QList<handwriting::Evidence>> evidence; // --tune
    std::vector<QString> answers; // --tune
};

Set makeSet(
    const QString &name, int minimumStrokes, std::function<Ink(Writer &, const Ink &)> write)
{
    Set set;
    set.name = name;
    set.minimumStrokes = minimumStrokes;
    set.write = std::move(write);
    return set;
}

struct Step {
    QString name;
    int first = 0;
    int inTen = 0;
};

// Share of the sets' characters first (weight 1) and in ten (weight 0.5) with these weights.
double tuneScore(const std::vector<Set> &sets, const handwriting::MergedWeights &weights)
{
    double total = 0;
    for (const Set &set : sets) {
        int first = 0, inTen = 0;
        for (size_t i = 0; i < set.evidence.size(); ++i) {
            const QStringList ranked
                = handwriting::rankEvidence(set.evidence[i], weights, handwriting::shownCandidates);
            first += !ranked.isEmpty() && ranked.first() == set.answers[i];
            inTen += ranked.contains(set.answers[i]);
        }
        total += (first + 0.5 * inTen) / std::max<double>(1, double(set.evidence.size()));
    }
    return total;
}

// Coordinate search from the pad's weights: each weight scaled up and down while it helps.
void tune(const std::vector<Set> &sets)
{
    handwriting::MergedWeights w = handwriting::padWeights;
    double best = tuneScore(sets, w);
    double *fields[] = { &w.unlisted, &w.shape, &w.strokeCount, &w.strokeOrder, &w.common };
    const char *names[] = { "unlisted", "shape", "strokeCount", "strokeOrder", "common" };
    for (int round = 0; round < 3; ++round) {
        for (size_t f = 0; f < std::size(fields); ++f) {
            for (const double factor : { 1.5, 0.67, 1.2, 0.83 }) {
                for (;;) {
                    const double old = *fields[f];
                    *fields[f] = old == 0 ? 0.05 : old * factor;
                    const double score = tuneScore(sets, w);
                    if (score > best + 1e-9) {
                        best = score;
                        continue;
                    }
                    *fields[f] = old;
                    break;
                }
            }
            std::fprintf(stderr, "tune: round %d %s -> %g (score %.4f)\n", round, names[f],
                *fields[f], best);
        }
    }
    std::printf("tuned: model %g unlisted %g shape %g strokeCount %g strokeOrder %g common %g\n",
        w.model, w.unlisted, w.shape, w.strokeCount, w.strokeOrder, w.common);
}

// Characters whose drawn shapes differ by size, proportion or a detail a hand does not keep. The
// pad's rule for twins (MergedWeights::shapeClear, aspectClear, twinLimit) was tuned on the first
// list; the second was held out from that and only measured.
const QStringList tunedGroups
    = { QStringLiteral("口囗"), QStringLiteral("日曰"), QStringLiteral("人入"),
          QStringLiteral("土士"), QStringLiteral("己已巳"), QStringLiteral("未末"),
          QStringLiteral("干千于"), QStringLiteral("天夫"), QStringLiteral("王玉") };
const QStringList heldOutGroups = { QStringLiteral("力刀"), QStringLiteral("子孑"),
    QStringLiteral("母毋"), QStringLiteral("戊戌戍"), QStringLiteral("鸟乌"),
    QStringLiteral("由甲"), QStringLiteral("九丸"), QStringLiteral("大丈"), QStringLiteral("儿几"),
    QStringLiteral("见贝"), QStringLiteral("今令"), QStringLiteral("八人"), QStringLiteral("木术"),
    QStringLiteral("白自") };

// The ink moved and scaled so that its larger side spans `span` of the side (0: as the medians
// place it), its centre at the area's centre plus `offset` sides, kept inside the area.
Ink placed(const Ink &ink, qreal side, qreal span, QPointF offset)
{
    QPointF low(side, side), high(0, 0);
    for (const Stroke &stroke : ink) {
        for (const QPointF &p : stroke) {
            low = QPointF(std::min(low.x(), p.x()), std::min(low.y(), p.y()));
            high = QPointF(std::max(high.x(), p.x()), std::max(high.y(), p.y()));
        }
    }
    const QRectF box(low, high);
    const qreal scale = span > 0 ? span * side / std::max(box.width(), box.height()) : 1.0;
    const QSizeF size = box.size() * scale;
    QPointF centre = span > 0 ? QPointF(side / 2, side / 2) : box.center();
    centre += offset * side;
    centre.setX(std::clamp(centre.x(), size.width() / 2 + 2, side - size.width() / 2 - 2));
    centre.setY(std::clamp(centre.y(), size.height() / 2 + 2, side - size.height() / 2 - 2));
    Ink out = ink;
    for (Stroke &stroke : out) {
        for (QPointF &p : stroke)
            p = centre + (p - box.center()) * scale;
    }
    return out;
}

// For each group and each of its characters, the ink of its own medians at four sizes (as the
// medians place it, and spanning 50%, 70% and 90% of the area) and three places: how often the
// character itself is first, and in ten, over the most common of each group (by the matcher's
// commonness) and the rarer ones apart. And 口 and a square box of 丨 𠃍 一 at three sizes.
void confusables(const handwriting::Recognizer &recognizer, const handwriting::Matcher &matcher,
    const handwriting::KnownCharacters &known, const QString &outlinesDir, qreal side, quint32 seed)
{
    const qreal spans[] = { 0, 0.5, 0.7, 0.9 };
    const QPointF offsets[] = { { 0, 0 }, { -0.12, -0.1 }, { 0.1, 0.12 } };
    for (const auto &[name, groups] : { std::pair { QStringLiteral("tuned on"), tunedGroups },
             std::pair { QStringLiteral("held out"), heldOutGroups } }) {
        {
            const handwriting::MergedWeights &weights = handwriting::padWeights;
            int n[2] = {}, first[2] = {}, inTen[2] = {}; // [0] the common, [1] the rarer
            QStringList boxes; // 口 drawn as a box, what comes first
            QStringList detail;
            for (const QString &unordered : groups) {
                // the most common first, as the matcher's data has it
                QStringList group = unordered.split(QString(), Qt::SkipEmptyParts);
                std::stable_sort(
                    group.begin(), group.end(), [&](const QString &a, const QString &b) {
                        return matcher.commonness(a) > matcher.commonness(b);
                    });
                for (qsizetype k = 0; k < group.size(); ++k) {
                    const QString character = group[k];
                    const Ink ink = medianInk(outlinesDir, character, side, MedianPoints::Exact);
                    if (ink.isEmpty())
                        continue;
                    int own = 0, all = 0, worst = 1;
                    Writer hand(seed, side);
                    for (const qreal span : spans) {
                        for (const QPointF &offset : offsets) {
                            for (const bool byHand : { false, true }) {
                                const Ink clean = placed(ink, side, span, offset);
                                const Ink drawn = onPad(
                                    byHand ? hand.hooked(
                                        hand.wobbled(
                                            hand.strokesMoved(hand.slanted(clean, 0.6), 0.6), 0.6),
                                        0.6)
                                           : densified(clean),
                                    side);
                                const QStringList ranked = handwriting::rankEvidence(
                                    handwriting::gatherEvidence(
                                        recognizer.classify(drawn, side, handwriting::listLength),
                                        handwriting::Matcher::prepare(drawn, side), matcher, known,
                                        handwriting::matcherLength),
                                    weights, handwriting::shownCandidates);
                                const int r = k == 0 ? 0 : 1;
                                ++n[r];
                                ++all;
                                const bool isFirst = ranked.value(0) == character;
                                first[r] += isFirst;
                                own += isFirst;
                                inTen[r] += ranked.contains(character);
                                worst = std::max(worst,
                                    ranked.contains(character) ? int(ranked.indexOf(character)) + 1
                                                               : 99);
                                if (character == u"口" && offset.isNull() && !byHand)
                                    boxes.append(ranked.value(0));
                            }
                        }
                    }
                    detail.append(
                        QStringLiteral("%1 (%2) %3/%4 worst %5")
                            .arg(character)
                            .arg(matcher.commonness(character))
                            .arg(own)
                            .arg(all)
                            .arg(worst == 99 ? QStringLiteral("-") : QString::number(worst)));
                }
            }
            const auto share = [](int k, int of) {
                return QString::number(100.0 * k / std::max(of, 1), 'f', 1) + QLatin1Char('%');
            };
            row(QStringLiteral("Handwriting, confusable characters %1 (%2), each from its own "
                               "medians at 4 sizes and 3 places, clean and by a hand (seeded): the "
                               "most common / the rarer; per character (commonness) first and its "
                               "worst place")
                    .arg(name, groups.join(u' ')),
                QStringLiteral("first %1, in ten %2 / first %3, in ten %4 (%5 and %6 inks); "
                               "its own inks first: %7")
                    .arg(share(first[0], n[0]), share(inTen[0], n[0]), share(first[1], n[1]),
                        share(inTen[1], n[1]))
                    .arg(n[0])
                    .arg(n[1])
                    .arg(detail.join(QStringLiteral(", "))),
                QStringLiteral("the common one first; the rarer in ten"));
            // a box as a hand draws it with a mouse: 丨, 𠃍 and 一, square, at three sizes
            for (const qreal span : { 0.5, 0.7, 0.9 }) {
                if (groups != tunedGroups)
                    break;
                const qreal a = side * (1 - span) / 2, b = side - a;
                const Ink box { { { a, a }, { a, b } }, { { a, a }, { b, a }, { b, b } },
                    { { a, b }, { b, b } } };
                const Ink drawn = onPad(densified(box), side);
                boxes.append(handwriting::rankEvidence(
                    handwriting::gatherEvidence(
                        recognizer.classify(drawn, side, handwriting::listLength),
                        handwriting::Matcher::prepare(drawn, side), matcher, known,
                        handwriting::matcherLength),
                    weights, handwriting::shownCandidates)
                                 .value(0));
            }
            if (!boxes.isEmpty())
                row(QStringLiteral("Handwriting, 口 from its medians as placed and spanning 50%, "
                                   "70%, 90% of the area; a square box of 丨 𠃍 一 spanning 50%, "
                                   "70%, 90%: first"),
                    boxes.join(u' '), QStringLiteral("口 everywhere"));
        }
    }
}

// Pen-up to list in the window: the time from a stroke's release to the list's arrival.
qint64 timedRelease(Form1 &window, QWidget &area, const Stroke &stroke)
{
    write(area, stroke);
    QElapsedTimer clock;
    clock.start();
    sendMouse(area, QEvent::MouseButtonRelease, stroke.last());
    while (window.handwriting.isRecognizing()) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        std::this_thread::yield();
    }
    const qint64 elapsed = clock.nsecsElapsed();
    QCoreApplication::processEvents();
    return elapsed;
}

// In a process of its own, as a user does it: the pad opened, `delay` ms with the event loop
// running (the hand on its way to the pad), then 峰, 永 and 国 written stroke by stroke. Prints
// the first stroke's time and the later ones', in nanoseconds.
int firstStrokeChild(Form1 &window, const QString &outlinesDir, int delay)
{
    window.handwriting.Command9_Click();
    handwriting::HandwritingPad *pad = window.handwriting.pad();
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < delay)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QWidget &area = pad->writingArea;
    QStringList times;
    for (const QString &character :
        { QStringLiteral("峰"), QStringLiteral("永"), QStringLiteral("国") }) {
        window.handwriting.clearInk();
        for (const Stroke &stroke : medians(outlinesDir, character, area.width()))
            times.append(QString::number(timedRelease(window, area, stroke)));
    }
    std::printf("%s\n", qPrintable(times.join(u' ')));
    return times.isEmpty() ? 1 : 0;
}

// The first stroke after opening the pad and the later ones, over `runs` processes for each
// delay between the opening and the first pen-up.
void firstStroke(const QString &buildDir, const QString &outlinesDir, int runs)
{
    for (const int delay : { 0, 500, 2000 }) {
        Samples first, later;
        int failed = 0;
        for (int run = 0; run < runs; ++run) {
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(),
                { buildDir, outlinesDir, QStringLiteral("--child-first-stroke"),
                    QString::number(delay) });
            if (!child.waitForFinished(120000) || child.exitCode() != 0) {
                ++failed;
                continue;
            }
            const QStringList times
                = QString::fromUtf8(child.readAllStandardOutput()).split(u' ', Qt::SkipEmptyParts);
            for (qsizetype i = 0; i < times.size(); ++i)
                (i == 0 ? first : later).push_back(times[i].trimmed().toLongLong());
        }
        row(QStringLiteral("Handwriting, pen-up to list in the window, the pad opened %1 ms before "
                           "the first pen-up, %2 program runs (峰 永 国 stroke by stroke)%3: "
                           "the first stroke / the later ones")
                .arg(delay)
                .arg(runs)
                .arg(failed ? QStringLiteral(", %1 runs failed").arg(failed) : QString()),
            QStringLiteral("p50 %1, p99 %2 / p50 %3, p99 %4 (%5 strokes)")
                .arg(milliseconds(percentile(first, 0.5)), milliseconds(percentile(first, 0.99)),
                    milliseconds(percentile(later, 0.5)), milliseconds(percentile(later, 0.99)))
                .arg(later.size()),
            QStringLiteral("the first as fast as the later"));
    }
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr,
            "usage: bench_handwriting BUILD_DIR OUTLINES_DIR [--seed N] [--every K] [--tune] "
            "[--confusables] [--first-stroke] [--runs R]\n");
        return 2;
    }
    const QString buildDir = args[1];
    const QString outlinesDir = args[2];
    quint32 seed = 2;
    int every = 1;
    bool tuning = false;
    enum class Only { Everything, Confusables, FirstStroke, Child } only = Only::Everything;
    int childDelay = 0;
    int runs = 10;
    for (qsizetype i = 3; i < args.size(); ++i) {
        if (args[i] == u"--seed" && i + 1 < args.size())
            seed = args[++i].toUInt();
        else if (args[i] == u"--every" && i + 1 < args.size())
            every = std::max(1, args[++i].toInt());
        else if (args[i] == u"--tune")
            tuning = true;
        else if (args[i] == u"--confusables")
            only = Only::Confusables;
        else if (args[i] == u"--first-stroke")
            only = Only::FirstStroke;
        else if (args[i] == u"--runs" && i + 1 < args.size())
            runs = std::max(1, args[++i].toInt());
        else if (args[i] == u"--child-first-stroke" && i + 1 < args.size()) {
            only = Only::Child;
            childDelay = args[++i].toInt();
        }
    }

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
    if (only == Only::Child)
        return firstStrokeChild(*window, outlinesDir, childDelay);
    if (only == Only::FirstStroke) {
        firstStroke(buildDir, outlinesDir, runs);
        return 0;
    }
    window->handwriting.Command9_Click();
    handwriting::HandwritingPad *pad = window->handwriting.pad();
    const handwriting::Recognizer recognizer(handwriting::defaultModelFile());
    if (!window->Data1.isOpen() || !pad || !recognizer.isAvailable()) {
        std::fprintf(stderr,
            "bench_handwriting: no Photo.mdb in %s or no handwriting model at %s\n",
            qPrintable(buildDir), qPrintable(handwriting::defaultModelFile()));
        return 1;
    }
    const handwriting::KnownCharacters known = handwriting::knownCharacters(
        window->Data1.strokeCounts(), window->Data1.allStrokeClasses());
    QElapsedTimer loadClock;
    loadClock.start();
    const handwriting::Matcher &matcher = handwriting::Matcher::shared();
    const qint64 loadTime = loadClock.nsecsElapsed();
    handwriting::WritingArea &area = pad->writingArea;
    const qreal side = area.width();
    if (only == Only::Confusables) {
        confusables(recognizer, matcher, known, outlinesDir, side, seed);
        return 0;
    }

    Step modelStep { QStringLiteral("the model's first 10") };
    Step window10 { QStringLiteral("in the window (Text6)") };

    std::vector<Set> sets;
    sets.push_back(
        makeSet(QStringLiteral("clean medians"), 1, [](Writer &, const Ink &ink) { return ink; }));
    sets.push_back(makeSet(QStringLiteral("slant and uneven scale"), 1,
        [](Writer &w, const Ink &ink) { return densified(w.slanted(ink, 1)); }));
    sets.push_back(makeSet(QStringLiteral("each stroke moved and resized"), 1,
        [](Writer &w, const Ink &ink) { return densified(w.strokesMoved(ink, 1)); }));
    sets.push_back(makeSet(QStringLiteral("smooth wobble"), 1,
        [](Writer &w, const Ink &ink) { return w.wobbled(ink, 1); }));
    sets.push_back(makeSet(QStringLiteral("hooks and ticks at stroke ends"), 1,
        [](Writer &w, const Ink &ink) { return w.hooked(ink, 1); }));
    sets.push_back(makeSet(QStringLiteral("two adjacent strokes joined"), 2,
        [](Writer &w, const Ink &ink) { return w.joined(ink); }));
    sets.push_back(makeSet(QStringLiteral("two adjacent strokes swapped"), 2,
        [](Writer &w, const Ink &ink) { return w.swapped(ink); }));
    sets.push_back(makeSet(
        QStringLiteral("the first four together, each at 0.6"), 1, [](Writer &w, const Ink &ink) {
            return w.hooked(w.wobbled(w.strokesMoved(w.slanted(ink, 0.6), 0.6), 0.6), 0.6);
        }));

    const QStringList characters = gb2312Characters();
    Samples times;
    Samples stalls; // the UI thread's longest stall, a character's last stroke
    StallMeter stallMeter;
    Samples modelTimes; // the model's list of 100 alone
    Samples matcherTimes; // the matcher and the merged ranking, over all sets
    Samples matcherCpu; // the same in processor time
    QStringList timedCharacters;
    int missing = 0;
    int n = 0;
    Writer writer(seed, side);
    for (qsizetype c = 0; c < characters.size(); c += every) {
        const QString &character = characters[c];
        const handwriting::Ink ink = medians(outlinesDir, character, side);
        if (ink.isEmpty()) {
            ++missing;
            continue;
        }
        ++n;
        QElapsedTimer modelClock;
        modelClock.start();
        const QList<handwriting::Candidate> list
            = recognizer.classify(ink, side, handwriting::listLength);
        modelTimes.push_back(modelClock.nsecsElapsed());
        {
            const QStringList ranked = modelAlone(list, known);
            modelStep.first += !ranked.isEmpty() && ranked.first() == character;
            modelStep.inTen += ranked.contains(character);
        }

        for (Set &set : sets) {
            if (ink.size() < set.minimumStrokes)
                continue;
            const Ink drawn = onPad(set.write(writer, ink), side);
            ++set.n;
            // recognize(), in its two parts: the model's list, then the matcher and the ranking
            QElapsedTimer clock;
            clock.start();
            const QList<handwriting::Candidate> modelList
                = recognizer.classify(drawn, side, handwriting::listLength);
            const qint64 modelTime = clock.nsecsElapsed();
            clock.restart();
            const qint64 cpuStart = threadNanoseconds();
            const QList<handwriting::Evidence> evidence
                = handwriting::gatherEvidence(modelList, handwriting::Matcher::prepare(drawn, side),
                    matcher, known, handwriting::matcherLength);
            const QStringList ranked = handwriting::rankEvidence(
                evidence, handwriting::padWeights, handwriting::shownCandidates);
            const qint64 matcherTime = clock.nsecsElapsed();
            set.times.push_back(modelTime + matcherTime);
            matcherTimes.push_back(matcherTime);
            matcherCpu.push_back(threadNanoseconds() - cpuStart);
            set.first += !ranked.isEmpty() && ranked.first() == character;
            set.inTen += ranked.contains(character);
            const QStringList model = modelAlone(modelList, known);
            set.modelFirst += !model.isEmpty() && model.first() == character;
            set.modelInTen += model.contains(character);
            if (tuning) {
                set.evidence.push_back(evidence);
                set.answers.push_back(character);
            }
        }
        if (tuning)
            continue;

        // the ink cleared, the strokes but the last written quietly, the last one's button held
        const auto allButRelease = [&] {
            window->handwriting.clearInk();
            {
                const QSignalBlocker quiet(area);
                for (qsizetype s = 0; s + 1 < ink.size(); ++s) {
                    write(area, ink[s]);
                    sendMouse(area, QEvent::MouseButtonRelease, ink[s].last());
                }
            }
            write(area, ink.last());
        };

        // The window: the strokes but the last quietly, then the last one timed from its release.
        allButRelease();
        QElapsedTimer clock;
        clock.start();
        sendMouse(area, QEvent::MouseButtonRelease, ink.last().last());
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

        // Again, the event loop running while the last stroke is recognised, as in the program:
        // the longest the user-interface thread keeps it waiting, from the release to the list
        // shown and painted. Apart from the timed pass, whose loop runs no timers.
        allButRelease();
        QCoreApplication::processEvents();
        stallMeter.begin();
        sendMouse(area, QEvent::MouseButtonRelease, ink.last().last());
        while (window->handwriting.isRecognizing())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::processEvents();
        stalls.push_back(stallMeter.end());
    }
    if (tuning) {
        tune(sets);
        return 0;
    }

    const auto shareOf = [](int k, int of) {
        return QString::number(100.0 * k / std::max(of, 1), 'f', 1) + QLatin1Char('%');
    };
    const auto share = [&](int k) { return shareOf(k, n); };
    const QString count = QLocale(QLocale::English).toString(n);
    const QString sample = every > 1 ? QStringLiteral(" (one in %1)").arg(every) : QString();
    row(QStringLiteral("Handwriting, %1 GB2312 characters%2 from their medians: %3")
            .arg(count, sample, modelStep.name),
        QStringLiteral("first %1, in ten %2").arg(share(modelStep.first), share(modelStep.inTen)));
    row(QStringLiteral("Handwriting, the same in the window (Text6)"),
        QStringLiteral("first %1, in ten %2").arg(share(window10.first), share(window10.inTen)));

    const QString targets[] = { QStringLiteral("first ≥ 95%, in ten ≥ 98%"), {}, {}, {}, {},
        QStringLiteral("first ≥ 50%, in ten ≥ 70%"), QStringLiteral("first ≥ 88%"),
        QStringLiteral("first ≥ 93%") };
    for (size_t i = 0; i < sets.size(); ++i) {
        const Set &set = sets[i];
        row(QStringLiteral("Handwriting, seed %1, %2 (%3 characters): the pad / the model alone")
                .arg(seed)
                .arg(set.name, QLocale(QLocale::English).toString(set.n)),
            QStringLiteral(
                "first %1, in ten %2 / first %3, in ten %4; pen-up to candidates p50 %5, p99 %6")
                .arg(shareOf(set.first, set.n), shareOf(set.inTen, set.n),
                    shareOf(set.modelFirst, set.n), shareOf(set.modelInTen, set.n),
                    milliseconds(percentile(set.times, 0.5)),
                    milliseconds(percentile(set.times, 0.99))),
            targets[i]);
    }

    // As people write: 人 with the second stroke from the middle of the first; the usual wrong
    // orders of learners (the medians' order is the standard one).
    {
        QStringList places;
        const Ink person = medians(outlinesDir, QStringLiteral("人"), side);
        if (person.size() == 2) {
            const Stroke &first = person[0];
            Ink drawn { first, { first[first.size() / 2], person[1].last() } };
            const QStringList ranked
                = handwriting::recognize(recognizer, matcher, densified(drawn), side, known);
            places.append(QStringLiteral("人 %1").arg(ranked.indexOf(QStringLiteral("人")) + 1));
        }
        const std::pair<QString, std::vector<int>> wrongOrders[] = {
            { QStringLiteral("必"), { 3, 0, 1, 2, 4 } }, // 丿 first, then 心
            { QStringLiteral("火"), { 2, 3, 0, 1 } }, // 人 first, then the dots
            { QStringLiteral("出"), { 0, 1, 3, 4, 2 } }, // the long vertical last
            { QStringLiteral("方"), { 0, 1, 3, 2 } }, // 丿 before 𠃌
            { QStringLiteral("九"), { 1, 0 } }, { QStringLiteral("力"), { 1, 0 } },
            { QStringLiteral("万"), { 0, 2, 1 } },
            { QStringLiteral("田"), { 0, 1, 4, 2, 3 } }, // 口 closed before the inside
        };
        int inTen = 0;
        for (const auto &[character, order] : wrongOrders) {
            const Ink standard = medians(outlinesDir, character, side);
            if (standard.size() != qsizetype(order.size()))
                continue;
            Ink drawn;
            for (const int s : order)
                drawn.append(standard[s]);
            const QStringList ranked
                = handwriting::recognize(recognizer, matcher, densified(drawn), side, known);
            const qsizetype place = ranked.indexOf(character) + 1;
            inTen += place > 0;
            places.append(QStringLiteral("%1 %2").arg(character).arg(place));
        }
        row(QStringLiteral(
                "Handwriting as people write (place in the pad's list, 0 not in ten): 人 "
                "from the middle of 丿; 必 火 出 方 九 力 万 田 in a learner's order"),
            places.join(QStringLiteral(", ")) + QStringLiteral("; %1 of 8 in ten").arg(inTen),
            QStringLiteral("人 1; all in ten"));
    }

    const qsizetype slowest = std::max_element(times.begin(), times.end()) - times.begin();
    row(QStringLiteral("Handwriting, end of the last stroke to list and record shown in the "
                       "window, %1 characters")
            .arg(count),
        QStringLiteral("p50 %1, p99 %2 (max %3, %4)")
            .arg(milliseconds(percentile(times, 0.5)), milliseconds(percentile(times, 0.99)),
                milliseconds(percentile(times, 1.0)), timedCharacters.value(slowest)),
        QStringLiteral("p99 ≤ 30 ms"));
    row(QStringLiteral("Handwriting, the user-interface thread's longest stall while recognising "
                       "the last stroke in the window (gaps of a 1 ms timer), %1 characters")
            .arg(count),
        QStringLiteral("p50 %1, p99 %2 (max %3, %4)")
            .arg(milliseconds(percentile(stalls, 0.5)), milliseconds(percentile(stalls, 0.99)),
                milliseconds(percentile(stalls, 1.0)),
                timedCharacters.value(
                    std::max_element(stalls.begin(), stalls.end()) - stalls.begin())));
    row(QStringLiteral("Handwriting, of which the model's list alone (Zinnia, 100 candidates)"),
        QStringLiteral("p50 %1, p99 %2")
            .arg(milliseconds(percentile(modelTimes, 0.5)),
                milliseconds(percentile(modelTimes, 0.99))));
    row(QStringLiteral(
            "Handwriting, of pen-up to candidates in the sets: the matcher (%1 read of the "
            "prefilter's best, and the model's list) and the merged ranking")
            .arg(handwriting::Matcher::considered),
        QStringLiteral("p50 %1, p99 %2; processor time p50 %3, p99 %4")
            .arg(milliseconds(percentile(matcherTimes, 0.5)),
                milliseconds(percentile(matcherTimes, 0.99)),
                milliseconds(percentile(matcherCpu, 0.5)),
                milliseconds(percentile(matcherCpu, 0.99))),
        QStringLiteral("a few ms"));
    row(QStringLiteral(
            "Handwriting, the matcher's data read at the first recognition (%1 characters)")
            .arg(QLocale(QLocale::English).toString(matcher.size())),
        milliseconds(loadTime));
    if (missing > 0)
        row(QStringLiteral("Handwriting: characters without medians, left out"),
            QString::number(missing));
    confusables(recognizer, matcher, known, outlinesDir, side, seed);
    std::fflush(stdout);
    firstStroke(buildDir, outlinesDir, runs);
    std::fflush(stdout);
    return 0;
}
