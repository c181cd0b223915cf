// SPDX-License-Identifier: GPL-3.0-or-later
#include "ranking.h"

#include <QLineF>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace handwriting {

namespace {

double degrees(const QPointF &from, const QPointF &to)
{
    return std::atan2(to.y() - from.y(), to.x() - from.x()) * 180.0 / std::numbers::pi;
}

double distanceToLine(const QPointF &p, const QPointF &a, const QPointF &b)
{
    const double length = QLineF(a, b).length();
    if (length == 0)
        return QLineF(a, p).length();
    return std::abs((b.x() - a.x()) * (a.y() - p.y()) - (a.x() - p.x()) * (b.y() - a.y())) / length;
}

// Douglas-Peucker: the corners of the polyline points[first..last] that lie further than
// tolerance from the simplified line, appended to out (the first point is not).
void simplify(const Stroke &points, qsizetype first, qsizetype last, double tolerance, Stroke &out)
{
    double furthest = -1;
    qsizetype at = first;
    for (qsizetype i = first + 1; i < last; ++i) {
        const double d = distanceToLine(points[i], points[first], points[last]);
        if (d > furthest) {
            furthest = d;
            at = i;
        }
    }
    if (furthest > tolerance) {
        simplify(points, first, at, tolerance, out);
        simplify(points, at, last, tolerance, out);
    } else {
        out.append(points[last]);
    }
}

// The class of a straight stroke by its direction in degrees, y pointing down.
QChar directionClass(double angle)
{
    if (angle >= -90 && angle <= 30)
        return u'1';
    if (angle > 30 && angle <= 60)
        return u'4';
    if (angle > 60 && angle <= 110)
        return u'2';
    return u'3';
}

} // namespace

KnownCharacters knownCharacters(const QHash<QString, QString> &recordStrokeCounts,
    const QHash<QString, QString> &recordStrokeClasses)
{
    KnownCharacters known;
    known.reserve(recordStrokeCounts.size());
    for (auto it = recordStrokeCounts.cbegin(); it != recordStrokeCounts.cend(); ++it)
        known.insert(it.key(), { it.value().toInt(), recordStrokeClasses.value(it.key()) });
    return known;
}

QChar strokeClass(const Stroke &stroke, qreal side)
{
    Stroke points;
    for (const QPointF &p : stroke) {
        if (std::isfinite(p.x()) && std::isfinite(p.y()))
            points.append(p);
    }
    double length = 0;
    for (qsizetype i = 1; i < points.size(); ++i)
        length += QLineF(points[i - 1], points[i]).length();
    if (length == 0 || !std::isfinite(length))
        return u'4'; // a tap

    // The long parts: segments of the simplified line that make a quarter of the length or more;
    // the entry and exit flicks of a brush or a hand fall away.
    Stroke corners { points.first() };
    simplify(points, 0, points.size() - 1, 0.1 * length, corners);
    QList<QLineF> parts;
    for (qsizetype i = 1; i < corners.size(); ++i) {
        if (QLineF(corners[i - 1], corners[i]).length() >= 0.25 * length)
            parts.append(QLineF(corners[i - 1], corners[i]));
    }
    if (parts.isEmpty())
        parts.append(QLineF(points.first(), points.last()));
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const double turn = std::remainder(
            degrees(parts[i].p1(), parts[i].p2()) - degrees(parts[i - 1].p1(), parts[i - 1].p2()),
            360.0);
        if (std::abs(turn) > 60)
            return u'5';
    }

    QChar kind = directionClass(degrees(parts.first().p1(), parts.last().p2()));
    const double overall = degrees(points.first(), points.last());
    if (kind == u'2' && overall > 100)
        kind = u'3'; // a left-falling stroke that starts straight down
    if (length < 0.127 * side && (kind == u'2' || (kind == u'1' && overall > 15 && overall <= 60)))
        kind = u'4'; // short: a dot
    return kind;
}

int strokeOrderDistance(const QString &drawn, const QString &known)
{
    QList<int> previous(known.size() + 1);
    for (qsizetype j = 0; j <= known.size(); ++j)
        previous[j] = int(j);
    QList<int> row(known.size() + 1);
    for (qsizetype i = 1; i <= drawn.size(); ++i) {
        row[0] = int(i);
        for (qsizetype j = 1; j <= known.size(); ++j)
            row[j] = std::min({ previous[j] + 1, row[j - 1] + 1,
                previous[j - 1] + (drawn[i - 1] != known[j - 1] && drawn[i - 1] != u'0') });
        std::swap(previous, row);
    }
    return previous[known.size()];
}

QList<Evidence> gatherEvidence(const QList<Candidate> &modelList, const Matcher::Drawing &drawing,
    const Matcher &matcher, const KnownCharacters &known, int fromMatcher)
{
    QList<Evidence> evidence;
    if (drawing.strokes.empty())
        return evidence;
    double lowest = 0;
    for (const Candidate &candidate : modelList)
        lowest = std::min(lowest, candidate.score);
    QHash<QString, qsizetype> at;
    const auto add
        = [&](const QString &character, double score, bool listed, const Reading *reading) {
              const auto it = known.constFind(character);
              if (it == known.cend() || at.contains(character))
                  return;
              Evidence e { character, score, listed,
                  reading ? *reading : matcher.read(drawing, character), 0,
                  matcher.commonness(character), matcher.aspectMismatch(drawing, character), {} };
              if (!it->strokeClasses.isEmpty())
                  e.orderDistance = strokeOrderDistance(e.reading.classes, it->strokeClasses);
              if (!std::isfinite(e.reading.cost)) { // no medians: the model's word alone
                  e.reading.cost = 1;
                  e.reading.classes.clear();
              }
              at.insert(character, evidence.size());
              evidence.append(e);
          };
    for (const Candidate &candidate :
        modelList.first(std::min(modelList.size(), qsizetype(modelRead))))
        add(candidate.character, candidate.score, true, nullptr);
    if (fromMatcher > 0) {
        for (const Matcher::Match &match : matcher.match(drawing, fromMatcher))
            add(match.character, lowest, false, &match.reading);
    }
    // twins read alike, so only pairs of near costs are compared
    for (qsizetype i = 0; i < evidence.size(); ++i) {
        for (qsizetype j = i + 1; j < evidence.size(); ++j) {
            if (std::abs(evidence[i].reading.cost - evidence[j].reading.cost) >= twinLimit)
                continue;
            const double distance
                = matcher.twinDistance(evidence[i].character, evidence[j].character, twinLimit);
            if (std::isfinite(distance)) {
                evidence[i].twins.append({ j, distance });
                evidence[j].twins.append({ i, distance });
            }
        }
    }
    return evidence;
}

namespace {

// Whether `a` goes before its twin `b`: the more common, unless the ink clearly shows the rarer.
bool twinFirst(const Evidence &a, const Evidence &b, double distance, const MergedWeights &weights)
{
    if (a.commonness == b.commonness)
        return false;
    const bool aCommon = a.commonness > b.commonness;
    const Evidence &common = aCommon ? a : b, &rare = aCommon ? b : a;
    const bool rareShown = common.reading.cost - rare.reading.cost > weights.shapeClear * distance
        || common.aspectMismatch - rare.aspectMismatch > weights.aspectClear;
    return aCommon != rareShown;
}

} // namespace

QStringList rankEvidence(const QList<Evidence> &evidence, const MergedWeights &weights, int count)
{
    QList<std::pair<double, qsizetype>> scored;
    scored.reserve(evidence.size());
    for (qsizetype i = 0; i < evidence.size(); ++i) {
        const Evidence &e = evidence[i];
        const double score = weights.model * e.modelScore - (e.listed ? 0 : weights.unlisted)
            - weights.shape * e.reading.cost
            - weights.strokeCount * (e.reading.missing + e.reading.extra)
            - weights.strokeOrder * e.orderDistance + weights.common * e.commonness;
        scored.append({ -score, i });
    }
    std::stable_sort(scored.begin(), scored.end(),
        [](const auto &a, const auto &b) { return a.first < b.first; });

    // Twins in the order twinFirst gives them: the later of a pair, at most twinReach places
    // below, moves before the earlier. Three twins need not order consistently, so each place
    // takes a bounded number of moves.
    constexpr qsizetype twinReach = 2;
    if (weights.shapeClear > 0) {
        for (qsizetype at = 0; at < scored.size() && at < count; ++at) {
            for (qsizetype moves = 0; moves < scored.size(); ++moves) {
                const Evidence &here = evidence[scored[at].second];
                qsizetype by = -1;
                for (const Evidence::Twin &twin : here.twins) {
                    const qsizetype k = std::find_if(scored.cbegin() + at + 1, scored.cend(),
                                            [&](const auto &s) { return s.second == twin.index; })
                        - scored.cbegin();
                    if (k < scored.size() && k <= at + twinReach
                        && twinFirst(evidence[twin.index], here, twin.distance, weights)
                        && (by < 0 || k < by))
                        by = k;
                }
                if (by < 0)
                    break;
                std::rotate(scored.begin() + at, scored.begin() + by, scored.begin() + by + 1);
            }
        }
    }

    QStringList best;
    for (const auto &[score, i] : scored) {
        if (best.size() >= count)
            break;
        best.append(evidence[i].character);
    }
    return best;
}

QStringList recognize(const Recognizer &recognizer, const Matcher &matcher, const Ink &ink,
    qreal side, const KnownCharacters &known)
{
    // ink too wild for the model is not matched either: the pad says it cannot be read
    if (!recognizer.isAvailable() || inkVerdict(ink, side) != InkVerdict::Readable)
        return {};
    const Matcher::Drawing drawing = Matcher::prepare(ink, side);
    if (drawing.strokes.empty())
        return {};
    return rankEvidence(gatherEvidence(recognizer.classify(ink, side, listLength), drawing, matcher,
                            known, matcherLength),
        padWeights, shownCandidates);
}

QStringList recognize(
    const Recognizer &recognizer, const Ink &ink, qreal side, const KnownCharacters &known)
{
    return recognize(recognizer, Matcher::shared(), ink, side, known);
}

} // namespace handwriting
