// SPDX-License-Identifier: GPL-3.0-or-later
#include "matcher.h"

#include "handwritinglog.h"
#include "medianfile.h"
#include "ranking.h"

#include <QFile>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace handwriting {

namespace {

using Point = Matcher::Point;
using Resampled = Matcher::Resampled;
using Polyline = std::vector<Point>;

// The prices of the ways a drawing may depart from the medians, in character heights per stroke.
constexpr double joinPenalty = 0.02; // per stroke of the character beyond the first of a drawn one
constexpr double swapPenalty = 0.03; // per adjacent pair swapped
constexpr double missingPenalty = 0.22; // per stroke of the character not drawn
constexpr double extraPenalty = 0.22; // per drawn stroke left over
constexpr double reorderPenalty = 0.02; // for reading in an order of its own
constexpr double inversionPenalty = 0.03; // per pair out of order then

// The strokes' bounding box.
struct Bounds {
    float left = std::numeric_limits<float>::max(), top = left;
    float right = std::numeric_limits<float>::lowest(), bottom = right;
    float width() const { return right - left; }
    float height() const { return bottom - top; }
};

Bounds boundsOf(const std::vector<Polyline> &strokes)
{
    Bounds b;
    for (const Polyline &stroke : strokes) {
        for (const Point &p : stroke) {
            b.left = std::min(b.left, p.x);
            b.right = std::max(b.right, p.x);
            b.top = std::min(b.top, p.y);
            b.bottom = std::max(b.bottom, p.y);
        }
    }
    return b;
}

// Into a unit square: the bounding box's centre to (0.5, 0.5), each axis scaled to fill it, but
// no axis stretched to more than 2.5 times the other's scale (a flat 一 stays flat).
std::vector<Polyline> normalised(const std::vector<Polyline> &strokes)
{
    const Bounds b = boundsOf(strokes);
    const float width = b.width(), height = b.height();
    const float longer = std::max({ width, height, 1e-6f });
    const float sx = 1 / std::max(width, 0.4f * longer);
    const float sy = 1 / std::max(height, 0.4f * longer);
    const float cx = (b.left + b.right) / 2, cy = (b.top + b.bottom) / 2;
    std::vector<Polyline> out = strokes;
    for (Polyline &stroke : out) {
        for (Point &p : stroke)
            p = { (p.x - cx) * sx + 0.5f, (p.y - cy) * sy + 0.5f };
    }
    return out;
}

// Width over height of the strokes' bounding box, held within 1/4..4 (a flat 一 is not infinitely
// wide).
float aspectOf(const std::vector<Polyline> &strokes)
{
    const Bounds b = boundsOf(strokes);
    const float width = b.width(), height = b.height();
    if (!(width > 0) && !(height > 0))
        return 1;
    const float longer = std::max(width, height);
    return std::clamp(std::max(width, longer / 4) / std::max(height, longer / 4), 0.25f, 4.0f);
}

float distance(const Point &a, const Point &b)
{
    const float dx = a.x - b.x, dy = a.y - b.y;
    return std::sqrt(dx * dx + dy * dy);
}

// `points` points evenly spaced along the polyline's length, its ends included.
Resampled resampled(const Point *line, size_t size)
{
    Resampled out;
    if (size == 0)
        return out;
    float length = 0;
    for (size_t i = 1; i < size; ++i)
        length += distance(line[i - 1], line[i]);
    if (size == 1 || length <= 0) {
        out.fill(line[0]);
        return out;
    }
    const float step = length / (Matcher::points - 1);
    out[0] = line[0];
    size_t segment = 1;
    float before = 0; // length up to line[segment - 1]
    float piece = distance(line[0], line[1]);
    for (int k = 1; k < Matcher::points - 1; ++k) {
        const float at = k * step;
        while (segment + 1 < size && before + piece < at) {
            before += piece;
            ++segment;
            piece = distance(line[segment - 1], line[segment]);
        }
        const float t = piece > 0 ? std::clamp((at - before) / piece, 0.0f, 1.0f) : 0.0f;
        const Point &a = line[segment - 1], &b = line[segment];
        out[size_t(k)] = { a.x + t * (b.x - a.x), a.y + t * (b.y - a.y) };
    }
    out[Matcher::points - 1] = line[size - 1];
    return out;
}

// Where the ink runs and which way: a 4 x 4 grid of the square by 4 directions (0, 45, 90, 135
// degrees, either way along), each segment's length shared out between the neighbouring cells
// and directions; the whole sums to 1.
std::array<float, 64> features(const std::vector<Resampled> &strokes)
{
    std::array<float, 64> f {};
    float total = 0;
    for (const Resampled &stroke : strokes) {
        for (int k = 1; k < Matcher::points; ++k) {
            const Point &a = stroke[size_t(k - 1)], &b = stroke[size_t(k)];
            const float length = distance(a, b);
            if (length <= 0)
                continue;
            float angle = std::atan2(b.y - a.y, b.x - a.x);
            if (angle < 0)
                angle += float(std::numbers::pi);
            const float d = angle / float(std::numbers::pi / 4); // 0..4
            const int d0 = int(d) % 4, d1 = (d0 + 1) % 4;
            const float dw = d - std::floor(d);
            const float u = std::clamp((a.x + b.x) / 2 * 4 - 0.5f, 0.0f, 3.0f);
            const float v = std::clamp((a.y + b.y) / 2 * 4 - 0.5f, 0.0f, 3.0f);
            const int u0 = std::min(int(u), 2), v0 = std::min(int(v), 2);
            const float uw = u - u0, vw = v - v0;
            for (int cu = 0; cu < 2; ++cu) {
                for (int cv = 0; cv < 2; ++cv) {
                    const float w = length * (cu ? uw : 1 - uw) * (cv ? vw : 1 - vw);
                    const int cell = ((v0 + cv) * 4 + u0 + cu) * 4;
                    f[size_t(cell + d0)] += w * (1 - dw);
                    f[size_t(cell + d1)] += w * dw;
                }
            }
            total += length;
        }
    }
    if (total > 0) {
        for (float &x : f)
            x /= total;
    }
    return f;
}

std::vector<Resampled> resampledAll(const std::vector<Polyline> &strokes)
{
    std::vector<Resampled> out;
    out.reserve(strokes.size());
    for (const Polyline &stroke : strokes)
        out.push_back(resampled(stroke.data(), stroke.size()));
    return out;
}

// The mean distance between corresponding points.
double strokeDistance(const Resampled &a, const Resampled &b)
{
    float sum = 0;
    for (size_t k = 0; k < size_t(Matcher::points); ++k)
        sum += distance(a[k], b[k]);
    return sum / Matcher::points;
}

// Strokes first..first+count-1 as one, joined by the straight moves of the pen between them.
Resampled joined(const std::vector<Resampled> &strokes, size_t first, size_t count)
{
    Polyline line;
    line.reserve(count * Matcher::points);
    for (size_t s = first; s < first + count; ++s)
        line.insert(line.end(), strokes[s].begin(), strokes[s].end());
    return resampled(line.data(), line.size());
}

// The minimum-cost assignment of rows to columns of a square matrix (Hungarian method);
// column of each row.
std::vector<int> assignment(const std::vector<double> &cost, int n)
{
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<double> u(size_t(n + 1)), v(size_t(n + 1));
    std::vector<int> p(size_t(n + 1)), way(size_t(n + 1));
    for (int i = 1; i <= n; ++i) {
        p[0] = i;
        int j0 = 0;
        std::vector<double> minv(size_t(n + 1), inf);
        std::vector<bool> used(size_t(n + 1), false);
        do {
            used[size_t(j0)] = true;
            const int i0 = p[size_t(j0)];
            double delta = inf;
            int j1 = 0;
            for (int j = 1; j <= n; ++j) {
                if (used[size_t(j)])
                    continue;
                const double cur
                    = cost[size_t((i0 - 1) * n + j - 1)] - u[size_t(i0)] - v[size_t(j)];
                if (cur < minv[size_t(j)]) {
                    minv[size_t(j)] = cur;
                    way[size_t(j)] = j0;
                }
                if (minv[size_t(j)] < delta) {
                    delta = minv[size_t(j)];
                    j1 = j;
                }
            }
            for (int j = 0; j <= n; ++j) {
                if (used[size_t(j)]) {
                    u[size_t(p[size_t(j)])] += delta;
                    v[size_t(j)] -= delta;
                } else {
                    minv[size_t(j)] -= delta;
                }
            }
            j0 = j1;
        } while (p[size_t(j0)] != 0);
        do {
            const int j1 = way[size_t(j0)];
            p[size_t(j0)] = p[size_t(j1)];
            j0 = j1;
        } while (j0 != 0);
    }
    std::vector<int> columnOf(size_t(n), -1);
    for (int j = 1; j <= n; ++j) {
        if (p[size_t(j)] > 0)
            columnOf[size_t(p[size_t(j)] - 1)] = j - 1;
    }
    return columnOf;
}

} // namespace

Matcher::Matcher(const QByteArray &data)
{
    QString error;
    std::vector<medianfile::Entry> entries = medianfile::read(data, &error);
    if (!error.isEmpty())
        qCWarning(handwritingLog) << "matcher: medians:" << error;
    for (medianfile::Entry &read : entries) {
        Entry entry;
        entry.character = std::move(read.character);
        entry.frequency = read.frequency;
        entry.level = read.level;
        std::vector<Polyline> strokes;
        for (const medianfile::Stroke &median : read.strokes) {
            Polyline stroke;
            for (const medianfile::Point &p : median)
                stroke.push_back({ float(p.x), float(p.y) });
            strokes.push_back(std::move(stroke));
        }
        const std::vector<Resampled> normal = resampledAll(normalised(strokes));
        entry.aspect = aspectOf(strokes);
        entry.strokeCount = quint16(normal.size());
        entry.firstStroke = quint32(m_strokes.size());
        entry.features = features(normal);
        for (const Resampled &stroke : normal) {
            Quantised q;
            for (size_t k = 0; k < size_t(points); ++k) {
                q[2 * k] = quint8(std::lround(std::clamp(stroke[k].x, 0.0f, 1.0f) * 255));
                q[2 * k + 1] = quint8(std::lround(std::clamp(stroke[k].y, 0.0f, 1.0f) * 255));
            }
            m_strokes.push_back(q);
        }
        m_index.insert(entry.character, int(m_entries.size()));
        m_entries.push_back(std::move(entry));
    }
}

const Matcher &Matcher::shared()
{
    static const Matcher matcher = [] {
        QFile file(QStringLiteral(":/handwriting/medians.bin"));
        if (!file.open(QIODevice::ReadOnly)) {
            qCWarning(handwritingLog) << "matcher: no medians:" << file.errorString();
            return Matcher(medianfile::header()); // empty, without a second warning
        }
        return Matcher(file.readAll());
    }();
    return matcher;
}

Matcher::Drawing Matcher::prepare(const Ink &ink, qreal side)
{
    Drawing drawing;
    if (!(side > 0) || !std::isfinite(side))
        return drawing;
    // In units of the writing area's side, points outside it moved to its edge: whatever the
    // ink holds, the arithmetic below stays within float's range.
    const auto inArea = [side](qreal v) { return float(std::clamp(v / side, 0.0, 1.0)); };
    std::vector<Polyline> strokes;
    for (const Stroke &stroke : ink) {
        Polyline line;
        for (const QPointF &p : stroke) {
            if (std::isfinite(p.x()) && std::isfinite(p.y()))
                line.push_back({ inArea(p.x()), inArea(p.y()) });
        }
        if (line.empty())
            continue;
        strokes.push_back(std::move(line));
        drawing.classes.append(strokeClass(stroke, side));
    }
    if (strokes.empty())
        return drawing;
    drawing.aspect = aspectOf(strokes);
    drawing.strokes = resampledAll(normalised(strokes));
    drawing.features = features(drawing.strokes);
    return drawing;
}

double Matcher::commonness(const QString &character) const
{
    const auto it = m_index.constFind(character);
    if (it == m_index.cend())
        return 0;
    const Entry &entry = m_entries[size_t(*it)];
    static constexpr double byFrequency[] = { 0, 1.0, 0.8, 0.65, 0.5, 0.4 };
    static constexpr double byLevel[] = { 0, 0.4, 0.2, 0.1 };
    return std::max(
        byFrequency[std::min<int>(entry.frequency, 5)], byLevel[std::min<int>(entry.level, 3)]);
}

double Matcher::twinDistance(const QString &a, const QString &b, double strokeLimit) const
{
    const double apart = std::numeric_limits<double>::infinity();
    const auto ia = m_index.constFind(a), ib = m_index.constFind(b);
    if (ia == m_index.cend() || ib == m_index.cend())
        return apart;
    const Entry &ea = m_entries[size_t(*ia)], &eb = m_entries[size_t(*ib)];
    if (ea.strokeCount != eb.strokeCount || ea.strokeCount == 0)
        return apart;
    double total = 0;
    for (size_t s = 0; s < ea.strokeCount; ++s) {
        const Quantised &qa = m_strokes[ea.firstStroke + s], &qb = m_strokes[eb.firstStroke + s];
        double sum = 0;
        for (size_t k = 0; k < size_t(points); ++k)
            sum += std::hypot(qa[2 * k] - qb[2 * k], qa[2 * k + 1] - qb[2 * k + 1]) / 255.0;
        if (sum / points > strokeLimit)
            return apart;
        total += sum / points;
    }
    return total / ea.strokeCount;
}

double Matcher::aspectMismatch(const Drawing &drawing, const QString &character) const
{
    const auto it = m_index.constFind(character);
    if (it == m_index.cend())
        return 0;
    return std::abs(std::log(double(drawing.aspect) / m_entries[size_t(*it)].aspect));
}

Reading Matcher::read(const Drawing &drawing, const QString &character) const
{
    const auto it = m_index.constFind(character);
    if (it == m_index.cend())
        return {};
    return read(drawing, m_entries[size_t(*it)]);
}

Reading Matcher::read(const Drawing &drawing, const Entry &entry) const
{
    const int n = int(drawing.strokes.size());
    const int m = entry.strokeCount;
    if (n == 0 || m == 0)
        return {};
    std::vector<Resampled> known(static_cast<size_t>(m));
    for (int j = 0; j < m; ++j) {
        const Quantised &q = m_strokes[entry.firstStroke + size_t(j)];
        for (size_t k = 0; k < size_t(points); ++k)
            known[size_t(j)][k] = { q[2 * k] / 255.0f, q[2 * k + 1] / 255.0f };
    }

    // cost[k][i * m + j]: drawn stroke i as the strokes j..j+k of the character
    std::array<std::vector<double>, 3> cost;
    for (int k = 0; k < 3; ++k)
        cost[size_t(k)].assign(size_t(n * m), std::numeric_limits<double>::infinity());
    for (int j = 0; j < m; ++j) {
        const Resampled one = known[size_t(j)];
        const Resampled two = j + 1 < m ? joined(known, size_t(j), 2) : Resampled();
        const Resampled three = j + 2 < m ? joined(known, size_t(j), 3) : Resampled();
        for (int i = 0; i < n; ++i) {
            const Resampled &drawn = drawing.strokes[size_t(i)];
            cost[0][size_t(i * m + j)] = strokeDistance(drawn, one);
            if (j + 1 < m)
                cost[1][size_t(i * m + j)] = strokeDistance(drawn, two) + joinPenalty;
            if (j + 2 < m)
                cost[2][size_t(i * m + j)] = strokeDistance(drawn, three) + 2 * joinPenalty;
        }
    }

    // In the character's order: best[i][j] reads drawn strokes 0..i-1 as strokes 0..j-1.
    enum Step : quint8 { None, One, Two, Three, Swap, Missing, Extra };
    const int w = m + 1;
    std::vector<double> best(size_t((n + 1) * w), std::numeric_limits<double>::infinity());
    std::vector<quint8> step(size_t((n + 1) * w), None);
    best[0] = 0;
    for (int i = 0; i <= n; ++i) {
        for (int j = 0; j <= m; ++j) {
            double &here = best[size_t(i * w + j)];
            quint8 &how = step[size_t(i * w + j)];
            const auto offer = [&](double value, Step s) {
                if (value < here) {
                    here = value;
                    how = s;
                }
            };
            if (j > 0)
                offer(best[size_t(i * w + j - 1)] + missingPenalty, Missing);
            if (i > 0) {
                offer(best[size_t((i - 1) * w + j)] + extraPenalty, Extra);
                for (int k = 1; k <= 3 && k <= j; ++k)
                    offer(best[size_t((i - 1) * w + j - k)]
                            + cost[size_t(k - 1)][size_t((i - 1) * m + j - k)],
                        Step(k));
            }
            if (i > 1 && j > 1)
                offer(best[size_t((i - 2) * w + j - 2)] + cost[0][size_t((i - 2) * m + j - 1)]
                        + cost[0][size_t((i - 1) * m + j - 2)] + swapPenalty,
                    Swap);
        }
    }
    Reading reading;
    reading.cost = best[size_t(n * w + m)];
    {
        QString classes;
        QString extras;
        int i = n, j = m;
        while (i > 0 || j > 0) {
            switch (step[size_t(i * w + j)]) {
            case One:
                classes.prepend(drawing.classes[i - 1]);
                --i;
                --j;
                break;
            case Two:
            case Three: {
                const int k = step[size_t(i * w + j)];
                reading.joins += k - 1;
                classes.prepend(QString(k, u'0'));
                --i;
                j -= k;
                break;
            }
            case Swap:
                ++reading.swaps;
                classes.prepend(QString(drawing.classes[i - 2]) + drawing.classes[i - 1]);
                i -= 2;
                j -= 2;
                break;
            case Missing:
                ++reading.missing;
                --j;
                break;
            case Extra:
                ++reading.extra;
                extras.prepend(drawing.classes[i - 1]);
                --i;
                break;
            default:
                i = j = 0;
            }
        }
        reading.classes = classes + extras;
    }

    // Any order, one drawn stroke to one stroke, when the counts are near.
    if (std::abs(n - m) <= 1 && n >= 3 && n <= 16) {
        const int size = std::max(n, m);
        std::vector<double> square(size_t(size * size));
        for (int i = 0; i < size; ++i) {
            for (int j = 0; j < size; ++j)
                square[size_t(i * size + j)] = i >= n ? missingPenalty
                    : j >= m                          ? extraPenalty
                                                      : cost[0][size_t(i * m + j)];
        }
        const std::vector<int> columnOf = assignment(square, size);
        double total = reorderPenalty;
        int inversions = 0;
        for (int i = 0; i < size; ++i) {
            total += square[size_t(i * size + columnOf[size_t(i)])];
            for (int i2 = i + 1; i2 < n && i < n; ++i2)
                inversions += columnOf[size_t(i2)] < m && columnOf[size_t(i)] < m
                    && columnOf[size_t(i2)] < columnOf[size_t(i)];
        }
        total += inversionPenalty * inversions;
        if (total < reading.cost) {
            Reading free;
            free.cost = total;
            free.reordered = true;
            std::vector<int> drawnFor(size_t(m), -1);
            for (int i = 0; i < n; ++i) {
                if (columnOf[size_t(i)] < m)
                    drawnFor[size_t(columnOf[size_t(i)])] = i;
                else
                    ++free.extra;
            }
            for (int j = 0; j < m; ++j) {
                if (drawnFor[size_t(j)] >= 0)
                    free.classes.append(drawing.classes[drawnFor[size_t(j)]]);
                else
                    ++free.missing;
            }
            reading = free;
        }
    }
    reading.cost /= n;
    return reading;
}

QList<Matcher::Match> Matcher::match(const Drawing &drawing, int count) const
{
    QList<Match> matches;
    const int n = int(drawing.strokes.size());
    if (n == 0 || count <= 0 || m_entries.empty())
        return matches;
    std::vector<std::pair<float, int>> near;
    near.reserve(m_entries.size());
    for (size_t e = 0; e < m_entries.size(); ++e) {
        const Entry &entry = m_entries[e];
        float score = 0;
        for (size_t k = 0; k < 64; ++k)
            score += std::abs(entry.features[k] - drawing.features[k]);
        const int more = entry.strokeCount - n; // joins make the drawing short
        score += more >= 0 ? 0.02f * std::min(more, 2) + 0.08f * std::max(more - 2, 0)
                           : 0.1f * float(-more);
        near.emplace_back(score, int(e));
    }
    const size_t keep = std::min(near.size(), size_t(std::max(considered, count)));
    std::partial_sort(near.begin(), near.begin() + qsizetype(keep), near.end());
    matches.reserve(qsizetype(keep));
    for (size_t k = 0; k < keep; ++k) {
        const Entry &entry = m_entries[size_t(near[k].second)];
        matches.append({ entry.character, read(drawing, entry) });
    }
    std::stable_sort(matches.begin(), matches.end(),
        [](const Match &a, const Match &b) { return a.reading.cost < b.reading.cost; });
    if (matches.size() > count)
        matches.resize(count);
    return matches;
}

} // namespace handwriting
