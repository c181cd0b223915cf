// SPDX-License-Identifier: GPL-3.0-or-later
#include "recognizer.h"

#include "handwritinglog.h"

#include <QFile>
#include <QFileInfo>
#include <QPoint>
#include <QtEndian>

#include <zinnia.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace handwriting {

namespace {

// The side of the square the points are handed over in; the model was trained on this scale.
constexpr int modelSide = 300;

// The model format (Zinnia's DIC_MAGIC_ID and DIC_VERSION), little-endian: the file's size xor
// the magic, the version, the number of entries; then each entry: the character (16 bytes, NUL
// terminated), its bias (float), its weights as (int index, float value) pairs ended by index -1.
constexpr quint32 modelMagic = 0xef71821u;
constexpr quint32 modelVersion = 1;
constexpr qint64 headerSize = 12;
constexpr qint64 characterSize = 16;
constexpr qint64 nodeSize = 8;
constexpr qint64 smallestEntry = characterSize + 4 + nodeSize;
constexpr qint64 largestModel = qint64(512) << 20;

quint32 readWord(const char *at)
{
    quint32 word;
    std::memcpy(&word, at, sizeof word);
    return qFromLittleEndian(word);
}

float readFloat(const char *at)
{
    const quint32 word = readWord(at);
    float value;
    std::memcpy(&value, &word, sizeof value);
    return value;
}

// Whether Zinnia can take the bytes as a model without reading outside them or allocating for
// entries that are not there: the size in the header is the real one, the entries fit, each
// character ends in its 16 bytes, all numbers are finite and the last entry ends the file.
bool isSoundModel(const QByteArray &bytes)
{
    const qint64 size = bytes.size();
    if (size < headerSize)
        return false;
    const char *data = bytes.constData();
    if ((readWord(data) ^ modelMagic) != quint64(size) || readWord(data + 4) != modelVersion)
        return false;
    const quint32 entries = readWord(data + 8);
    if (entries == 0 || entries > (size - headerSize) / smallestEntry)
        return false;
    qint64 at = headerSize;
    for (quint32 i = 0; i < entries; ++i) {
        if (size - at < smallestEntry || !std::memchr(data + at, 0, characterSize))
            return false;
        at += characterSize;
        if (!std::isfinite(readFloat(data + at)))
            return false;
        at += 4;
        for (;;) {
            if (size - at < nodeSize)
                return false;
            const qint32 index = qint32(readWord(data + at));
            if (!std::isfinite(readFloat(data + at + 4)))
                return false;
            at += nodeSize;
            if (index == -1)
                break;
        }
    }
    return at == size;
}

// The finite points of a stroke on the model's grid, repeats dropped, at most maxStrokePoints.
QList<QPoint> gridPoints(const Stroke &stroke, qreal scale)
{
    const auto toModel = [scale](qreal v) {
        return int(std::lround(std::clamp(v * scale, 0.0, qreal(modelSide))));
    };
    QList<QPoint> points;
    for (const QPointF &point : stroke) {
        if (!std::isfinite(point.x()) || !std::isfinite(point.y()))
            continue;
        const QPoint p(toModel(point.x()), toModel(point.y()));
        if (points.isEmpty() || points.last() != p)
            points.append(p);
    }
    if (points.size() > maxStrokePoints) {
        QList<QPoint> even;
        even.reserve(maxStrokePoints);
        const qsizetype last = points.size() - 1;
        for (qsizetype i = 0; i < maxStrokePoints; ++i)
            even.append(points[i * last / (maxStrokePoints - 1)]);
        points = even;
    }
    return points;
}

// The indices of the stroke's ends and corners, in order, by Zinnia's own rule and arithmetic
// (floats over the points divided by the side); empty when there are more than maxStrokeCorners.
QList<qsizetype> cornerIndices(const QList<QPoint> &points)
{
    struct Node {
        float x, y;
    };
    QList<Node> nodes;
    nodes.reserve(points.size());
    for (const QPoint &p : points)
        nodes.append({ float(1.0 * p.x() / modelSide), float(1.0 * p.y() / modelSide) });

    QList<qsizetype> kept { 0 };
    if (nodes.size() > 1)
        kept.append(nodes.size() - 1);
    QList<std::pair<qsizetype, qsizetype>> parts { { 0, nodes.size() - 1 } };
    while (!parts.isEmpty()) {
        const auto [first, last] = parts.takeLast();
        if (last - first < 2)
            continue;
        const Node &f = nodes[first];
        const Node &l = nodes[last];
        const float a = l.x - f.x;
        const float b = l.y - f.y;
        const float c = l.y * f.x - l.x * f.y;
        float furthest = -1;
        qsizetype best = first;
        for (qsizetype i = first; i < last; ++i) {
            const float d = std::fabs((a * nodes[i].y) - (b * nodes[i].x) + c);
            if (d > furthest) {
                furthest = d;
                best = i;
            }
        }
        if (!(furthest * furthest / (a * a + b * b) > cornerTolerance))
            continue;
        if (kept.size() - 2 >= maxStrokeCorners)
            return {};
        kept.append(best);
        parts.append({ first, best });
        parts.append({ best, last });
    }
    std::sort(kept.begin(), kept.end());
    return kept;
}

int strokesWithPoints(const Ink &ink)
{
    int strokes = 0;
    for (const Stroke &stroke : ink) {
        strokes += std::any_of(stroke.cbegin(), stroke.cend(),
            [](const QPointF &p) { return std::isfinite(p.x()) && std::isfinite(p.y()); });
    }
    return strokes;
}

} // namespace

InkVerdict inkVerdict(const Ink &ink, qreal side)
{
    if (strokesWithPoints(ink) > maxStrokes)
        return InkVerdict::TooManyStrokes;
    if (!(side > 0) || !std::isfinite(side))
        return InkVerdict::Readable;
    for (const Stroke &stroke : ink) {
        const QList<QPoint> points = gridPoints(stroke, modelSide / side);
        if (!points.isEmpty() && cornerIndices(points).isEmpty())
            return InkVerdict::WildStroke;
    }
    return InkVerdict::Readable;
}

Ink thinnedInk(const Ink &ink)
{
    Ink thinned;
    for (const Stroke &stroke : ink) {
        Stroke points;
        for (const QPointF &p : stroke) {
            if (std::isfinite(p.x()) && std::isfinite(p.y()))
                points.append(p);
        }
        if (points.isEmpty())
            continue;
        if (points.size() > maxStrokePoints) {
            Stroke even;
            even.reserve(maxStrokePoints);
            const qsizetype last = points.size() - 1;
            for (qsizetype i = 0; i < maxStrokePoints; ++i)
                even.append(points[i * last / (maxStrokePoints - 1)]);
            points = even;
        }
        thinned.append(points);
    }
    return thinned;
}

QList<QList<QPoint>> modelStrokes(const Ink &ink, qreal side)
{
    QList<QList<QPoint>> strokes;
    if (!(side > 0) || !std::isfinite(side) || strokesWithPoints(ink) > maxStrokes)
        return strokes;
    for (const Stroke &stroke : ink) {
        const QList<QPoint> points = gridPoints(stroke, modelSide / side);
        if (points.isEmpty())
            continue;
        const QList<qsizetype> corners = cornerIndices(points);
        if (corners.isEmpty())
            return {};
        QList<QPoint> reduced;
        for (qsizetype i : corners)
            reduced.append(points[i]);
        if (reduced.size()
            == 1) // a tap: a dot of one point is a stroke without direction to Zinnia
            reduced.append(reduced.first());
        strokes.append(reduced);
    }
    return strokes;
}

QString defaultModelFile()
{
    return qEnvironmentVariable("ZIBRIN_HANDWRITING_MODEL",
        QStringLiteral("/usr/share/tegaki/models/zinnia/handwriting-zh_CN.model"));
}

Recognizer::Recognizer(const QString &modelFile)
    : m_recognizer(zinnia::Recognizer::create())
    , m_character(zinnia::Character::create())
{
    // Read, not mapped: a mapped file cut short under the program ends it with SIGBUS. The header's
    // size is checked against the file's before the whole file is read.
    QFile file(modelFile);
    if (!QFileInfo(modelFile).isFile() || !file.open(QIODevice::ReadOnly)) {
        qCWarning(handwritingLog) << "model: no readable file" << modelFile;
        return;
    }
    const qint64 size = file.size();
    const QByteArray header = file.peek(headerSize);
    if (size > largestModel || header.size() < headerSize
        || (readWord(header.constData()) ^ modelMagic) != quint64(size)) {
        qCWarning(handwritingLog) << "model: its header does not give the file's size" << modelFile;
        return;
    }
    m_model = file.read(size);
    if (!isSoundModel(m_model)) {
        qCWarning(handwritingLog) << "model: its entries do not fit the file" << modelFile;
        m_model.clear();
        return;
    }
    m_available = m_recognizer->open(m_model.constData(), size_t(m_model.size()))
        && m_recognizer->size() > 0;
    if (!m_available)
        qCWarning(handwritingLog) << "model: Zinnia cannot open" << modelFile;
}

Recognizer::~Recognizer() = default;

QList<Candidate> Recognizer::classify(const Ink &ink, qreal side, int count) const
{
    QList<Candidate> candidates;
    if (!m_available || count <= 0)
        return candidates;
    const QList<QList<QPoint>> strokes = modelStrokes(ink, side);
    if (strokes.isEmpty())
        return candidates;

    const std::lock_guard lock(m_busy);
    m_character->clear();
    m_character->set_width(modelSide);
    m_character->set_height(modelSide);
    for (qsizetype id = 0; id < strokes.size(); ++id) {
        for (const QPoint &p : strokes[id])
            m_character->add(size_t(id), p.x(), p.y());
    }
    const std::unique_ptr<zinnia::Result> result(
        m_recognizer->classify(*m_character, size_t(count)));
    if (!result)
        return candidates;
    candidates.reserve(qsizetype(result->size()));
    for (size_t i = 0; i < result->size(); ++i)
        candidates.append({ QString::fromUtf8(result->value(i)), double(result->score(i)) });
    return candidates;
}

} // namespace handwriting
