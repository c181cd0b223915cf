// SPDX-License-Identifier: GPL-3.0-or-later
// Any stroke list to the recogniser: it answers with a bounded list or none, within a memory
// budget, and what it hands to Zinnia keeps the bounds of recognizer.h.
//
// Input: a byte for the list's length, a byte for the writing area's side, then operations:
//   0x00            a new stroke
//   0x01 x y        a point, x and y little-endian int16 pixels (far outside the area too)
//   0x02 x y        a point, x and y little-endian doubles (NaN, infinities, huge values)
//   0x03 n          the current stroke's points repeated n more times
//   0x04 n          the current stroke copied n times as new strokes
// other bytes are skipped. The points are capped at 300,000 in all.
#include "ranking.h"
#include "recognizer.h"

#include <QCoreApplication>

#include <sys/resource.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

using namespace handwriting;

namespace {

// The resident size the process may reach at its peak: the model's 27 MiB in memory and Qt's own
// (about 40 MiB in all), with AddressSanitizer's quarantine of freed memory (256 MiB) under
// libFuzzer, are far below; a stroke that made Zinnia run away would ask for gigabytes.
constexpr long memoryBudgetKiB = 768 * 1024;
constexpr qsizetype pointCap = 300000;

template<typename T> bool take(const uint8_t *&data, const uint8_t *end, T *value)
{
    if (end - data < qsizetype(sizeof(T)))
        return false;
    std::memcpy(value, data, sizeof(T));
    data += sizeof(T);
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const Recognizer recognizer(defaultModelFile());
    if (!recognizer.isAvailable())
        std::abort(); // the installed model is the fuzzer's ground

    const uint8_t *at = data;
    const uint8_t *end = data + size;
    uint8_t countByte = 10;
    uint8_t sideByte = 100;
    take(at, end, &countByte);
    take(at, end, &sideByte);
    const int count = int(countByte) - 10;
    const qreal sides[] = { 300, std::numeric_limits<qreal>::quiet_NaN(), 0, -5, 1e300 };
    const qreal side = sideByte < 5 ? sides[sideByte] : qreal(sideByte) * 3;

    Ink ink;
    qsizetype points = 0;
    uint8_t op = 0;
    while (take(at, end, &op) && points < pointCap) {
        if (op == 0x00) {
            ink.append(Stroke {});
        } else if (op == 0x01) {
            int16_t x = 0, y = 0;
            if (!take(at, end, &x) || !take(at, end, &y))
                break;
            if (ink.isEmpty())
                ink.append(Stroke {});
            ink.last().append(QPointF(x, y));
            ++points;
        } else if (op == 0x02) {
            double x = 0, y = 0;
            if (!take(at, end, &x) || !take(at, end, &y))
                break;
            if (ink.isEmpty())
                ink.append(Stroke {});
            ink.last().append(QPointF(x, y));
            ++points;
        } else if (op == 0x03 || op == 0x04) {
            uint8_t n = 0;
            if (!take(at, end, &n) || ink.isEmpty())
                continue;
            const Stroke stroke = ink.last();
            for (int i = 0; i < n && points + stroke.size() <= pointCap; ++i) {
                if (op == 0x03)
                    ink.last().append(stroke);
                else
                    ink.append(stroke);
                points += stroke.size();
            }
        }
    }

    const InkVerdict verdict = inkVerdict(ink, side);
    const QList<QList<QPoint>> strokes = modelStrokes(ink, side);
    if (verdict != InkVerdict::Readable && !strokes.isEmpty())
        std::abort();
    if (strokes.size() > maxStrokes)
        std::abort();
    for (const QList<QPoint> &stroke : strokes) {
        if (stroke.size() < 2 || stroke.size() > maxStrokeCorners + 2)
            std::abort();
        for (const QPoint &p : stroke) {
            if (p.x() < 0 || p.x() > 300 || p.y() < 0 || p.y() > 300)
                std::abort();
        }
    }

    const QList<Candidate> candidates = recognizer.classify(ink, side, count);
    if (candidates.size() > std::max(count, 0) || (strokes.isEmpty() && !candidates.isEmpty()))
        std::abort();
    // the pad's own path: thinned ink, only when readable, ranked with the stroke classes
    if (verdict == InkVerdict::Readable) {
        const Ink thinned = thinnedInk(ink);
        for (const Stroke &stroke : thinned) {
            if (stroke.isEmpty() || stroke.size() > maxStrokePoints)
                std::abort();
        }
        if (recognize(recognizer, thinned, side, {}).size() != 0) // nothing is known
            std::abort();
    }

    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    if (usage.ru_maxrss > memoryBudgetKiB)
        std::abort();
    return 0;
}
