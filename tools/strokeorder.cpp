// SPDX-License-Identifier: GPL-3.0-or-later
#include "strokeorder.h"

#include "strokekinds.h"

#include <QJsonArray>
#include <QLineF>
#include <QSet>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

namespace strokeorder {

namespace {

// A straight piece of a centre line: its direction in degrees (y up, 0 = rightwards, -90 =
// downwards) and its length.
struct Run {
    double angle;
    double length;
};

double angleOf(QPointF from, QPointF to)
{
    return std::atan2(to.y() - from.y(), to.x() - from.x()) * 180.0 / std::numbers::pi;
}

// The difference of two directions, in -180..180.
double turn(double from, double to)
{
    double d = to - from;
    while (d > 180)
        d -= 360;
    while (d < -180)
        d += 360;
    return d;
}

double distanceToSegment(QPointF p, QPointF a, QPointF b)
{
    const QPointF ab = b - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    const double t
        = length2 > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0) : 0.0;
    return QLineF(p, a + t * ab).length();
}

void simplify(
    const Median &points, qsizetype first, qsizetype last, double tolerance, QList<bool> &keep)
{
    double worst = 0;
    qsizetype at = -1;
    for (qsizetype i = first + 1; i < last; ++i) {
        const double d = distanceToSegment(points[i], points[first], points[last]);
        if (d > worst) {
            worst = d;
            at = i;
        }
    }
    if (at >= 0 && worst > tolerance) {
        keep[at] = true;
        simplify(points, first, at, tolerance, keep);
        simplify(points, at, last, tolerance, keep);
    }
}

double pathLength(const Median &points)
{
    double length = 0;
    for (qsizetype i = 1; i < points.size(); ++i)
        length += QLineF(points[i - 1], points[i]).length();
    return length;
}

// Turns smaller than this are a curve of one piece.
constexpr double cornerAngle = 55;
// A stroke shorter than this (of the 1024 box) is short: a 撇 or a 竖 may be drawn like a 点.
constexpr double shortStroke = 260;

// The straight pieces of a centre line, gentle bends smoothed away.
QList<Run> runs(const Median &median)
{
    QList<Run> out;
    if (median.size() < 2)
        return out;
    const double tolerance = std::max(14.0, 0.05 * pathLength(median));
    QList<bool> keep(median.size(), false);
    keep.front() = keep.back() = true;
    simplify(median, 0, median.size() - 1, tolerance, keep);
    Median points;
    for (qsizetype i = 0; i < median.size(); ++i) {
        if (keep[i])
            points.append(median[i]);
    }
    QList<Run> segments;
    double total = 0;
    for (qsizetype i = 1; i < points.size(); ++i) {
        const Run run { angleOf(points[i - 1], points[i]),
            QLineF(points[i - 1], points[i]).length() };
        if (run.length >= 1) {
            segments.append(run);
            total += run.length;
        }
    }
    // the brush's entry at the start and a flick at the end are no part of the stroke's shape (an
    // entry goes down to the right, where a 横 that turns goes right)
    while (segments.size() > 1
        && ((segments.front().length < 0.1 * total && segments.front().length < 25)
            || (segments.front().length < std::min(0.4 * total, 130.0)
                && ((segments.front().angle < -20 && segments.front().angle > -80)
                    || std::abs(segments.front().angle) > 120))))
        segments.removeFirst();
    double previous = 0;
    for (const Run &run : segments) {
        // a corner may be rounded over several points, each turning less than a corner
        if (!out.isEmpty() && std::abs(turn(previous, run.angle)) < cornerAngle
            && std::abs(turn(out.back().angle, run.angle)) < 70) {
            // one piece: its direction weighted by length
            Run &last = out.back();
            const double x = last.length * std::cos(last.angle * std::numbers::pi / 180)
                + run.length * std::cos(run.angle * std::numbers::pi / 180);
            const double y = last.length * std::sin(last.angle * std::numbers::pi / 180)
                + run.length * std::sin(run.angle * std::numbers::pi / 180);
            last.angle = std::atan2(y, x) * 180 / std::numbers::pi;
            last.length += run.length;
        } else {
            out.append(run);
        }
        previous = run.angle;
    }
    while (out.size() > 1
        && (out.back().length < std::min(0.1 * total, 45.0)
            || (out.back().length < std::min(0.25 * total, 45.0) && out.back().angle < -20
                && out.back().angle > -80 && std::abs(out[out.size() - 2].angle) < 30)))
        out.removeLast();
    return out;
}

constexpr int bit(char digit)
{
    return 1 << (digit - '0');
}

// A stroke of one direction.
StrokeKind straightKind(double a, double length)
{
    const bool isShort = length < shortStroke;
    if (a >= -30 && a <= 65)
        return { u'1', bit('1') | (a < 0 ? bit('4') : 0) }; // a 平捺 is drawn nearly level
    if (a > -62 && a < -30)
        return { u'4', bit('4') | (isShort && a < -55 ? bit('2') : 0) };
    if (a >= -82 && a <= -62)
        return { isShort || a > -70 ? u'4' : u'2', bit('2') | bit('4') };
    if (a > -98 && a < -82)
        return { u'2', bit('2') | (isShort || a < -90 ? bit('3') : 0) | (isShort ? bit('4') : 0) };
    if (a >= -120 && a <= -98)
        return { a > -108 ? u'2' : u'3', bit('2') | bit('3') | (isShort ? bit('4') : 0) };
    if (a < -120 || a > 150)
        return { u'3', bit('3') | (isShort ? bit('4') : 0) };
    // upwards: no stroke of the standard is written so
    return { u'1', bit('1') };
}

} // namespace

StrokeKind classify(const Median &median)
{
    const QList<Run> pieces = runs(median);
    if (pieces.isEmpty())
        return { u'4', bit('4') };
    double total = 0;
    for (const Run &r : pieces)
        total += r.length;
    if (pieces.size() == 1)
        return straightKind(pieces[0].angle, total);
    const Run &first = pieces.front();
    const Run &last = pieces.back();
    // a hook at the end of a 竖 (竖钩 counts as 竖), drawn alike a 弯钩
    if (pieces.size() == 2 && last.length < std::max(0.45 * total, 90.0) && first.angle <= -65
        && first.angle >= -125 && (last.angle > 100 || last.angle < -150))
        return { u'2', bit('2') | bit('5') };
    // a 提 with a long entry
    if (pieces.size() == 2 && last.angle > 15 && last.angle < 75 && first.length < 0.3 * total)
        return { u'1', bit('1') | bit('5') };
    // a curved 撇 (竖撇): down, then down to the left
    bool allDownLeft = true;
    for (const Run &r : pieces)
        allDownLeft = allDownLeft && (r.angle <= -70 || r.angle >= 175);
    if (allDownLeft)
        return { u'3', bit('3') | bit('2') };
    // a short stroke with a bend at its end is a 点 or a 撇 drawn with a flourish
    if (total < 120 && last.length < 0.25 * total)
        return { straightKind(first.angle, total).primary,
            straightKind(first.angle, total).accepted | bit('5') };
    return { u'5', bit('5') };
}

QString verdictName(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Agrees:
        return QStringLiteral("agrees");
    case Verdict::Order:
        return QStringLiteral("order");
    case Verdict::Kind:
        return QStringLiteral("kind");
    case Verdict::Count:
        return QStringLiteral("count");
    case Verdict::NoSequence:
        return QStringLiteral("no-sequence");
    }
    return QString();
}

namespace {

// The least-cost assignment of rows to columns of a square matrix (Hungarian method); returns
// the column of each row.
QList<int> assignment(const QList<QList<double>> &cost)
{
    const int n = int(cost.size());
    const double inf = std::numeric_limits<double>::infinity();
    QList<double> u(n + 1, 0), v(n + 1, 0), minv;
    QList<int> p(n + 1, 0), way(n + 1, 0);
    for (int i = 1; i <= n; ++i) {
        p[0] = i;
        int j0 = 0;
        minv = QList<double>(n + 1, inf);
        QList<bool> used(n + 1, false);
        do {
            used[j0] = true;
            const int i0 = p[j0];
            double delta = inf;
            int j1 = 0;
            for (int j = 1; j <= n; ++j) {
                if (used[j])
                    continue;
                const double cur = cost[i0 - 1][j - 1] - u[i0] - v[j];
                if (cur < minv[j]) {
                    minv[j] = cur;
                    way[j] = j0;
                }
                if (minv[j] < delta) {
                    delta = minv[j];
                    j1 = j;
                }
            }
            for (int j = 0; j <= n; ++j) {
                if (used[j]) {
                    u[p[j]] += delta;
                    v[j] -= delta;
                } else {
                    minv[j] -= delta;
                }
            }
            j0 = j1;
        } while (p[j0] != 0);
        do {
            const int j1 = way[j0];
            p[j0] = p[j1];
            j0 = j1;
        } while (j0);
    }
    QList<int> out(n, -1);
    for (int j = 1; j <= n; ++j)
        out[p[j] - 1] = j - 1;
    return out;
}

} // namespace

Check check(const QList<Median> &medians, const QString &classes)
{
    Check out;
    QList<StrokeKind> kinds;
    for (const Median &m : medians) {
        kinds.append(classify(m));
        out.drawn += kinds.back().primary;
    }
    if (classes.isEmpty()) {
        out.verdict = Verdict::NoSequence;
        return out;
    }
    if (classes.size() != medians.size()) {
        out.verdict = Verdict::Count;
        return out;
    }
    bool agrees = true;
    for (qsizetype i = 0; i < classes.size(); ++i)
        agrees = agrees && kinds[i].accepts(classes[i]);
    if (agrees) {
        out.verdict = Verdict::Agrees;
        return out;
    }
    // some other order of the drawn strokes: each source stroke on a drawn one that may be it
    constexpr double impossible = 1e6;
    QList<QList<double>> cost;
    for (qsizetype i = 0; i < classes.size(); ++i) {
        QList<double> row;
        for (qsizetype j = 0; j < kinds.size(); ++j)
            row.append(kinds[j].accepts(classes[i]) ? std::abs(double(i - j)) : impossible);
        cost.append(row);
    }
    const QList<int> chosen = assignment(cost);
    double total = 0;
    for (qsizetype i = 0; i < chosen.size(); ++i)
        total += cost[i][chosen[i]];
    if (total >= impossible) {
        out.verdict = Verdict::Kind;
        return out;
    }
    out.verdict = Verdict::Order;
    out.agreeing = chosen;
    return out;
}

QList<Median> medians(const QJsonObject &outline)
{
    QList<Median> out;
    for (const QJsonValue &stroke : outline.value(QLatin1String("medians")).toArray()) {
        Median m;
        for (const QJsonValue &point : stroke.toArray())
            m.append(QPointF(point.toArray().at(0).toDouble(), point.toArray().at(1).toDouble()));
        out.append(m);
    }
    return out;
}

QHash<QString, QList<int>> parseCorrections(const QByteArray &text, QString *error)
{
    QHash<QString, QList<int>> out;
    const QStringList lines = QString::fromUtf8(text).split(u'\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList fields = line.split(u'\t');
        auto bad = [&](const QString &why) {
            if (error)
                *error = QStringLiteral("line %1: %2").arg(n + 1).arg(why);
            return QHash<QString, QList<int>>();
        };
        if (fields.size() < 3 || fields[2].trimmed().isEmpty())
            return bad(QStringLiteral("character, order and rule are required"));
        if (fields[0].toUcs4().size() != 1)
            return bad(QStringLiteral("\"%1\" is not one character").arg(fields[0]));
        if (out.contains(fields[0]))
            return bad(QStringLiteral("%1 is listed twice").arg(fields[0]));
        QList<int> order;
        QSet<int> seen;
        for (const QString &item : fields[1].split(u' ', Qt::SkipEmptyParts)) {
            bool ok = false;
            const int index = item.toInt(&ok) - 1;
            if (!ok || index < 0 || seen.contains(index))
                return bad(QStringLiteral("the order of %1 is not a permutation").arg(fields[0]));
            seen.insert(index);
            order.append(index);
        }
        for (int index : order) {
            if (index >= order.size())
                return bad(QStringLiteral("the order of %1 is not a permutation").arg(fields[0]));
        }
        out.insert(fields[0], order);
    }
    return out;
}

QJsonObject reordered(const QJsonObject &outline, const QList<int> &order)
{
    const QJsonArray strokes = outline.value(QLatin1String("strokes")).toArray();
    const QJsonArray medianArray = outline.value(QLatin1String("medians")).toArray();
    if (strokes.size() != order.size()
        || (!medianArray.isEmpty() && medianArray.size() != order.size()))
        return outline;
    QJsonObject out = outline;
    QJsonArray newStrokes, newMedians;
    QHash<int, int> newIndex;
    for (qsizetype k = 0; k < order.size(); ++k) {
        newStrokes.append(strokes.at(order[k]));
        if (!medianArray.isEmpty())
            newMedians.append(medianArray.at(order[k]));
        newIndex.insert(order[k], int(k));
    }
    out.insert(QLatin1String("strokes"), newStrokes);
    if (!medianArray.isEmpty())
        out.insert(QLatin1String("medians"), newMedians);
    if (outline.contains(QLatin1String("radStrokes"))) {
        QList<int> radical;
        for (const QJsonValue &v : outline.value(QLatin1String("radStrokes")).toArray())
            radical.append(newIndex.value(v.toInt(), v.toInt()));
        std::sort(radical.begin(), radical.end());
        QJsonArray rad;
        for (int r : radical)
            rad.append(r);
        out.insert(QLatin1String("radStrokes"), rad);
    }
    return out;
}

QJsonObject corrected(const QJsonObject &outline, const QString &character,
    const QHash<QString, QList<int>> &corrections)
{
    const auto found = corrections.constFind(character);
    return found == corrections.constEnd() ? outline : reordered(outline, *found);
}

namespace {

// The largest turn at one point of the centre line, in degrees: a corner, where a curve spreads
// its turn over several points.
double sharpestTurn(const Median &m)
{
    double sharpest = 0;
    for (qsizetype i = 1; i + 1 < m.size(); ++i) {
        if (QLineF(m[i - 1], m[i]).length() < 1 || QLineF(m[i], m[i + 1]).length() < 1)
            continue;
        sharpest
            = std::max(sharpest, std::abs(turn(angleOf(m[i - 1], m[i]), angleOf(m[i], m[i + 1]))));
    }
    return sharpest;
}

QString nameOf(QChar letter, const Median &median)
{
    const QList<Run> pieces = runs(median);
    switch (letter.unicode()) {
    case 'j':
        return QStringLiteral("横");
    case 'i':
        return QStringLiteral("提");
    case 'f':
        return QStringLiteral("竖");
    case 'g':
        return QStringLiteral("竖钩");
    case 's':
        return QStringLiteral("撇");
    case 'k':
    case 'd':
        return QStringLiteral("点");
    case 'l':
        return QStringLiteral("捺");
    case 'c':
        return QStringLiteral("横折");
    case 'r':
        return QStringLiteral("横折钩");
    case 'n':
        return QStringLiteral("撇折");
    case 'z':
        return QStringLiteral("竖折折钩");
    case 't':
        return QStringLiteral("弯钩");
    case 'p':
        return QStringLiteral("横折提");
    case 'q':
        return QStringLiteral("横折折折");
    case 'h':
        return QStringLiteral("竖提");
    case 'm':
        return QStringLiteral("撇点");
    case 'u':
        return QStringLiteral("竖弯钩");
    case 'a':
        return QStringLiteral("横折折撇");
    case 'e': {
        // the hook of 横钩 is short, the 撇 of 横撇 about as long as the 横
        const bool hook = pieces.size() >= 2 && pieces.back().length < 0.45 * pieces.front().length;
        return hook ? QStringLiteral("横钩") : QStringLiteral("横撇");
    }
    case 'b':
        return sharpestTurn(median) >= 65 ? QStringLiteral("竖折") : QStringLiteral("竖弯");
    case 'v':
        return QStringLiteral("横折弯"); // 横折折 is rarer (凹): the classes file names it
    case 'w': {
        int rightwards = 0;
        for (const Run &r : pieces)
            rightwards += std::abs(r.angle) < 35 ? 1 : 0;
        return rightwards >= 2 ? QStringLiteral("横折折折钩") : QStringLiteral("横撇弯钩");
    }
    case 'x':
        return !pieces.isEmpty() && pieces.back().angle < -115 ? QStringLiteral("竖折撇")
                                                               : QStringLiteral("竖折折");
    case 'y': {
        const auto longest = std::max_element(pieces.begin(), pieces.end(),
            [](const Run &a, const Run &b) { return a.length < b.length; });
        return longest != pieces.end() && longest->angle < -40 ? QStringLiteral("斜钩")
                                                               : QStringLiteral("卧钩");
    }
    case 'o': {
        // 横折弯钩 (九 乙) bends to run right along the bottom, 横斜钩 (风 飞) goes straight down
        // to the right into its hook
        bool level = false;
        for (qsizetype i = 2; i < pieces.size(); ++i)
            level = level || std::abs(pieces[i].angle) < 35;
        return level ? QStringLiteral("横折弯钩") : QStringLiteral("横斜钩");
    }
    default:
        return QString();
    }
}

} // namespace

QStringList checkedNames(const QStringList &names, const QList<Median> &medians)
{
    QStringList out;
    for (qsizetype i = 0; i < medians.size(); ++i) {
        const QString name = names.value(i);
        out.append(
            !name.isEmpty() && classify(medians[i]).accepts(strokekinds::digitOfStrokeName(name))
                ? name
                : QString());
    }
    return out;
}

QStringList strokeNames(const QString &letters, const QList<Median> &medians)
{
    QStringList names;
    for (qsizetype i = 0; i < letters.size() && i < medians.size(); ++i)
        names.append(nameOf(letters[i], medians[i]));
    return checkedNames(names, medians);
}

} // namespace strokeorder

namespace strokeorder {

namespace {

// The box around a centre line, in the 1024 box (y up).
struct Box {
    double left = 0, right = 0, bottom = 0, top = 0;
    double centreX() const { return (left + right) / 2; }
    double centreY() const { return (bottom + top) / 2; }
    double width() const { return right - left; }
    double height() const { return top - bottom; }
};

Box boxOf(const Median &m)
{
    Box b;
    if (m.isEmpty())
        return b;
    b.left = b.right = m.front().x();
    b.bottom = b.top = m.front().y();
    for (const QPointF &p : m) {
        b.left = std::min(b.left, p.x());
        b.right = std::max(b.right, p.x());
        b.bottom = std::min(b.bottom, p.y());
        b.top = std::max(b.top, p.y());
    }
    return b;
}

// Strokes closer than this (of the 1024 box) touch.
constexpr double touching = 12;
// How far beside a stroke another one still stands over or under it.
constexpr double alignment = 25;
// A stroke no longer than this is drawn like a dot.
constexpr double dotLength = 200;

bool segmentsCross(QPointF p1, QPointF p2, QPointF q1, QPointF q2)
{
    auto side = [](QPointF a, QPointF b, QPointF c) {
        return (b.x() - a.x()) * (c.y() - a.y()) - (b.y() - a.y()) * (c.x() - a.x());
    };
    const double d1 = side(q1, q2, p1), d2 = side(q1, q2, p2);
    const double d3 = side(p1, p2, q1), d4 = side(p1, p2, q2);
    return ((d1 > 0) != (d2 > 0)) && ((d3 > 0) != (d4 > 0));
}

// Whether two centre lines cross.
bool crosses(const Median &a, const Median &b)
{
    for (qsizetype i = 1; i < a.size(); ++i) {
        for (qsizetype k = 1; k < b.size(); ++k) {
            if (segmentsCross(a[i - 1], a[i], b[k - 1], b[k]))
                return true;
        }
    }
    return false;
}

} // namespace

QList<PairFinding> sameKindOrder(const QList<Median> &medians, const QString &classes)
{
    QList<PairFinding> out;
    const qsizetype n = medians.size();
    if (classes.size() != n || n < 2)
        return out;
    QList<Box> boxes;
    QList<double> lengths;
    Box whole;
    for (qsizetype i = 0; i < n; ++i) {
        boxes.append(boxOf(medians[i]));
        lengths.append(pathLength(medians[i]));
        if (i == 0) {
            whole = boxes.back();
        } else {
            whole.left = std::min(whole.left, boxes.back().left);
            whole.right = std::max(whole.right, boxes.back().right);
            whole.bottom = std::min(whole.bottom, boxes.back().bottom);
            whole.top = std::max(whole.top, boxes.back().top);
        }
    }
    // 辶 and 廴 are written last: a wide level 捺 along the bottom ends the character, and the
    // strokes of the foot before it (its 横折折撇 and 点) stand at the left.
    qsizetype footFrom = n;
    if (n >= 3 && classes[n - 1] == u'4' && boxes[n - 1].width() > 0.5 * whole.width()
        && boxes[n - 1].bottom <= whole.bottom + touching) {
        footFrom = n - 1;
        while (footFrom > n - 3 && footFrom > 1
            && boxes[footFrom - 1].right <= boxes[n - 1].left + 0.35 * boxes[n - 1].width())
            --footFrom;
        if (footFrom == n - 1)
            footFrom = n; // no foot at the left: the 捺 of 走、是 or 之 alone
    }
    for (qsizetype i = 0; i < n; ++i) {
        const QChar kind = classes[i];
        if (kind < u'1' || kind > u'4')
            continue;
        for (qsizetype j = i + 1; j < n; ++j) {
            if (classes[j] != kind)
                continue;
            const Box &a = boxes[i];
            const Box &b = boxes[j];
            const bool stacked
                = (a.centreX() >= b.left - alignment && a.centreX() <= b.right + alignment)
                || (b.centreX() >= a.left - alignment && b.centreX() <= a.right + alignment);
            const bool sideBySide
                = (a.centreY() >= b.bottom - alignment && a.centreY() <= b.top + alignment)
                || (b.centreY() >= a.bottom - alignment && b.centreY() <= a.top + alignment);
            PairFinding f { int(i), int(j), QString(), QString() };
            if (b.bottom >= a.top - touching && stacked)
                f.rule = QStringLiteral("从上到下");
            else if (b.right <= a.left + touching && sideBySide)
                f.rule = QStringLiteral("从左到右");
            else
                continue;
            if (j >= footFrom && i < footFrom)
                f.exception = QStringLiteral("辶、廴 last");
            else if (f.rule == u"从左到右" && a.top > b.top + 0.4 * a.height())
                f.exception
                    = QStringLiteral("从上到下: the earlier begins well above the later (斤)");
            else if (f.rule == u"从左到右" && [&] {
                         for (qsizetype k = i + 1; k < j; ++k) {
                             if (classes[k] == u'1' && a.top >= boxes[k].centreY() + alignment
                                 && b.top <= boxes[k].centreY() + 2 * alignment)
                                 return true;
                         }
                         return false;
                     }())
                f.exception = QStringLiteral("止: what begins above a 横 before what begins at it");
            else if (f.rule == u"从左到右" && a.height() > 1.5 * b.height()
                && b.top <= a.top + touching && b.bottom >= a.bottom - touching)
                f.exception
                    = QStringLiteral("先中间后两边: the long middle stroke before the sides");
            else if (f.rule == u"从左到右" && (kind == u'3' || kind == u'4')
                && lengths[j] > 1.5 * lengths[i])
                f.exception = QStringLiteral("火: the short sides before the long middle stroke");
            else if (f.rule == u"从上到下" && kind == u'4'
                && (lengths[j] < dotLength || lengths[j] < 0.5 * lengths[i])
                && b.centreX() >= a.left)
                f.exception = QStringLiteral("犬 戈 叉: the 点 at the upper right or inside last");
            else if (f.rule == u"从上到下" && !medians[j].isEmpty()
                && medians[j].front().x() > a.right + alignment)
                f.exception = QStringLiteral("从左到右: the later begins right of the earlier");
            else if (kind == u'2' && [&] {
                         for (qsizetype k = i + 1; k < j; ++k) {
                             if (classes[k] == u'1' && crosses(medians[j], medians[k]))
                                 return true;
                         }
                         return false;
                     }())
                f.exception = QStringLiteral("先横后竖: the 竖 crosses 横s drawn before it");
            out.append(f);
        }
    }
    return out;
}

namespace {

constexpr int shapeSamples = 6;
using Shape = std::array<QPointF, shapeSamples>;

// The centre line at evenly spaced points along its length.
Shape resampled(const Median &m)
{
    Shape out {};
    if (m.isEmpty())
        return out;
    const double total = pathLength(m);
    qsizetype segment = 1;
    double walked = 0;
    for (int k = 0; k < shapeSamples; ++k) {
        const double at = total * k / (shapeSamples - 1);
        while (
            segment < m.size() - 1 && walked + QLineF(m[segment - 1], m[segment]).length() < at) {
            walked += QLineF(m[segment - 1], m[segment]).length();
            ++segment;
        }
        if (m.size() < 2) {
            out[k] = m.front();
            continue;
        }
        const double piece = QLineF(m[segment - 1], m[segment]).length();
        const double t = piece > 0 ? std::clamp((at - walked) / piece, 0.0, 1.0) : 0.0;
        out[k] = m[segment - 1] + t * (m[segment] - m[segment - 1]);
    }
    return out;
}

// The strokes of a run, placed in its box scaled to the unit square (a thin run keeps part of
// its proportions).
QList<Shape> normalised(const QList<Shape> &shapes, qsizetype from, qsizetype count)
{
    Box box;
    box.left = box.bottom = std::numeric_limits<double>::max();
    box.right = box.top = std::numeric_limits<double>::lowest();
    for (qsizetype i = from; i < from + count; ++i) {
        for (const QPointF &p : shapes[i]) {
            box.left = std::min(box.left, p.x());
            box.right = std::max(box.right, p.x());
            box.bottom = std::min(box.bottom, p.y());
            box.top = std::max(box.top, p.y());
        }
    }
    const double side = std::max({ box.width(), box.height(), 1.0 });
    const double sx = std::max(box.width(), 0.35 * side);
    const double sy = std::max(box.height(), 0.35 * side);
    QList<Shape> out;
    for (qsizetype i = from; i < from + count; ++i) {
        Shape s;
        for (int k = 0; k < shapeSamples; ++k)
            s[k]
                = QPointF((shapes[i][k].x() - box.left) / sx, (shapes[i][k].y() - box.bottom) / sy);
        out.append(s);
    }
    return out;
}

double shapeDistance(const Shape &a, const Shape &b)
{
    double sum = 0;
    for (int k = 0; k < shapeSamples; ++k)
        sum += QLineF(a[k], b[k]).length();
    return sum / shapeSamples;
}

// A run matches a component when its strokes lie this close (of the unit box) on average to the
// component's, and none further than the second.
constexpr double matchMean = 0.05;
constexpr double matchWorst = 0.12;

} // namespace

QList<ComponentSuspect> componentSuspects(const QMap<QString, QList<Median>> &drawn,
    const QHash<QString, QString> &classes, int minStrokes, int maxStrokes)
{
    struct Occurrence {
        QString character;
        int start;
        QList<int> relative; // the run's strokes (relative to start) in the component's order
    };
    QHash<QString, QList<Shape>> shapes;
    for (auto it = drawn.begin(); it != drawn.end(); ++it) {
        if (classes.value(it.key()).size() != it.value().size())
            continue;
        QList<Shape> s;
        for (const Median &m : it.value())
            s.append(resampled(m));
        shapes.insert(it.key(), s);
    }
    auto sortedClasses = [](QString s) {
        std::sort(s.begin(), s.end());
        return s;
    };
    // the components by their sorted classes, each with its strokes in its own box
    QHash<QString, QStringList> byClasses;
    QHash<QString, QList<Shape>> componentShapes;
    for (auto it = drawn.begin(); it != drawn.end(); ++it) {
        const qsizetype k = it.value().size();
        if (!shapes.contains(it.key()) || k < minStrokes || k > maxStrokes)
            continue;
        byClasses[sortedClasses(classes.value(it.key()))].append(it.key());
        componentShapes.insert(it.key(), normalised(shapes.value(it.key()), 0, k));
    }
    QMap<QString, QList<Occurrence>> occurrences;
    for (auto it = componentShapes.begin(); it != componentShapes.end(); ++it) {
        QList<int> identity;
        for (int i = 0; i < it.value().size(); ++i)
            identity.append(i);
        occurrences[it.key()].append({ it.key(), 0, identity });
    }
    constexpr double impossible = 1e6;
    // by character, so that the occurrences (and the report) come in one order
    for (auto drawnIt = drawn.begin(); drawnIt != drawn.end(); ++drawnIt) {
        const auto it = shapes.constFind(drawnIt.key());
        if (it == shapes.constEnd())
            continue;
        const QString &character = it.key();
        const QString cls = classes.value(character);
        const qsizetype n = it.value().size();
        for (qsizetype k = minStrokes; k <= std::min<qsizetype>(maxStrokes, n - 1); ++k) {
            for (qsizetype start = 0; start + k <= n; ++start) {
                const auto candidates = byClasses.constFind(sortedClasses(cls.mid(start, k)));
                if (candidates == byClasses.constEnd())
                    continue;
                const QList<Shape> run = normalised(it.value(), start, k);
                for (const QString &component : *candidates) {
                    const QList<Shape> &parts = componentShapes[component];
                    const QString componentClasses = classes.value(component);
                    QList<QList<double>> cost;
                    for (qsizetype i = 0; i < k; ++i) {
                        QList<double> row;
                        for (qsizetype j = 0; j < k; ++j)
                            row.append(componentClasses[i] == cls[start + j]
                                    ? shapeDistance(parts[i], run[j])
                                    : impossible);
                        cost.append(row);
                    }
                    const QList<int> chosen = assignment(cost);
                    double total = 0, worst = 0;
                    for (qsizetype i = 0; i < k; ++i) {
                        total += cost[i][chosen[i]];
                        worst = std::max(worst, cost[i][chosen[i]]);
                    }
                    if (worst > matchWorst || total / double(k) > matchMean)
                        continue;
                    occurrences[component].append({ character, int(start), chosen });
                }
            }
        }
    }
    QList<ComponentSuspect> out;
    for (auto it = occurrences.begin(); it != occurrences.end(); ++it) {
        QMap<QList<int>, int> counts;
        for (const Occurrence &o : it.value())
            ++counts[o.relative];
        if (counts.size() < 2)
            continue;
        // the usual order: the one most occurrences draw, the component's own on a tie
        QList<int> usual = it.value().front().relative;
        for (auto c = counts.begin(); c != counts.end(); ++c) {
            if (c.value() > counts.value(usual))
                usual = c.key();
        }
        const int same = counts.value(usual);
        const int other = int(it.value().size()) - same;
        if (same < 2 || same <= other)
            continue;
        for (const Occurrence &o : it.value()) {
            if (o.relative == usual)
                continue;
            // the run in the usual order: the component's stroke that it draws q-th
            ComponentSuspect s { o.character, it.key(), o.start, {}, same, other };
            QList<int> byPlace(usual.size());
            for (qsizetype i = 0; i < usual.size(); ++i)
                byPlace[usual[i]] = int(i);
            for (int i : byPlace)
                s.order.append(o.start + o.relative[i]);
            out.append(s);
        }
    }
    return out;
}

} // namespace strokeorder
