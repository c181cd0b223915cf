// SPDX-License-Identifier: GPL-3.0-or-later
#include "strokepicture.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPen>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace strokepicture {

namespace {

// Coordinates further than this outside the 1024 box are taken for a broken file.
constexpr double coordinateLimit = 100000.0;

// Reads the numbers and command letters of SVG path data, one token at a time.
class PathScanner {
public:
    explicit PathScanner(QStringView data)
        : m_data(data)
    {
    }

    void skipSeparators()
    {
        while (
            m_pos < m_data.size() && (m_data[m_pos].isSpace() || m_data[m_pos] == QLatin1Char(',')))
            ++m_pos;
    }

    bool atEnd()
    {
        skipSeparators();
        return m_pos >= m_data.size();
    }

    // Whether the next token starts a number (rather than a command letter).
    bool atNumber()
    {
        skipSeparators();
        if (m_pos >= m_data.size())
            return false;
        const QChar c = m_data[m_pos];
        return c.isDigit() || c == QLatin1Char('-') || c == QLatin1Char('+')
            || c == QLatin1Char('.');
    }

    QChar takeCommand() { return m_data[m_pos++]; }

    // sign? (digits ("." digits?)? | "." digits) (("e" | "E") sign? digits)?
    std::optional<double> takeNumber()
    {
        skipSeparators();
        const qsizetype start = m_pos;
        if (m_pos < m_data.size()
            && (m_data[m_pos] == QLatin1Char('-') || m_data[m_pos] == QLatin1Char('+')))
            ++m_pos;
        const qsizetype integerDigits = skipDigits();
        qsizetype fractionDigits = 0;
        if (m_pos < m_data.size() && m_data[m_pos] == QLatin1Char('.')) {
            ++m_pos;
            fractionDigits = skipDigits();
        }
        if (integerDigits == 0 && fractionDigits == 0)
            return std::nullopt;
        if (m_pos < m_data.size()
            && (m_data[m_pos] == QLatin1Char('e') || m_data[m_pos] == QLatin1Char('E'))) {
            qsizetype p = m_pos + 1;
            if (p < m_data.size()
                && (m_data[p] == QLatin1Char('-') || m_data[p] == QLatin1Char('+')))
                ++p;
            if (p < m_data.size() && m_data[p].isDigit()) {
                m_pos = p;
                skipDigits();
            }
        }
        bool ok = false;
        const double value = m_data.sliced(start, m_pos - start).toDouble(&ok);
        if (!ok || !std::isfinite(value) || std::abs(value) > coordinateLimit)
            return std::nullopt;
        return value;
    }

    std::optional<QPointF> takePoint()
    {
        const auto x = takeNumber();
        if (!x)
            return std::nullopt;
        const auto y = takeNumber();
        if (!y)
            return std::nullopt;
        return QPointF(*x, *y);
    }

private:
    qsizetype skipDigits()
    {
        const qsizetype start = m_pos;
        while (m_pos < m_data.size() && m_data[m_pos].unicode() >= '0'
            && m_data[m_pos].unicode() <= '9')
            ++m_pos;
        return m_pos - start;
    }

    QStringView m_data;
    qsizetype m_pos = 0;
};

// The points one segment of the command takes: L 1, Q 2, C 3; M is handled on its own.
int pointsPerSegment(QChar command)
{
    switch (command.unicode()) {
    case 'L':
        return 1;
    case 'Q':
        return 2;
    case 'C':
        return 3;
    default:
        return 0;
    }
}

} // namespace

std::optional<QPainterPath> parseSvgPath(QStringView data)
{
    PathScanner scanner(data);
    QPainterPath path;
    bool started = false;
    while (!scanner.atEnd()) {
        if (scanner.atNumber())
            return std::nullopt; // a number where a command letter must stand
        const QChar command = scanner.takeCommand();
        if (command == QLatin1Char('Z')) {
            if (!started)
                return std::nullopt;
            path.closeSubpath();
            continue;
        }
        if (command == QLatin1Char('M')) {
            const auto to = scanner.takePoint();
            if (!to)
                return std::nullopt;
            path.moveTo(*to);
            started = true;
            while (scanner.atNumber()) { // further pairs are implicit line ends
                const auto lineEnd = scanner.takePoint();
                if (!lineEnd)
                    return std::nullopt;
                path.lineTo(*lineEnd);
            }
            continue;
        }
        const int count = pointsPerSegment(command);
        if (count == 0 || !started)
            return std::nullopt;
        do {
            QPointF p[3];
            for (int i = 0; i < count; ++i) {
                const auto point = scanner.takePoint();
                if (!point)
                    return std::nullopt;
                p[i] = *point;
            }
            if (count == 1)
                path.lineTo(p[0]);
            else if (count == 2)
                path.quadTo(p[0], p[1]);
            else
                path.cubicTo(p[0], p[1], p[2]);
        } while (scanner.atNumber());
    }
    if (!started)
        return std::nullopt;
    return path;
}

std::optional<QList<QPainterPath>> readOutline(const QByteArray &json)
{
    const QJsonDocument document = QJsonDocument::fromJson(json);
    if (!document.isObject())
        return std::nullopt;
    const QJsonValue strokes = document.object().value(QLatin1String("strokes"));
    if (!strokes.isArray())
        return std::nullopt;
    QList<QPainterPath> out;
    for (const QJsonValue &stroke : strokes.toArray()) {
        const QString data = stroke.toString();
        out.append(parseSvgPath(data).value_or(QPainterPath()));
    }
    return out;
}

bool isDrawable(const QList<QPainterPath> &strokes)
{
    if (strokes.size() > maxStrokes)
        return false;
    int elements = 0;
    for (const QPainterPath &stroke : strokes)
        elements += stroke.elementCount();
    return elements <= maxOutlineElements;
}

int strokesShownInCell(int cell, int strokeCount, int cellCount)
{
    if (cell < 0 || cell >= cellCount || strokeCount <= 0)
        return 0;
    if (strokeCount <= cellCount)
        return cell < strokeCount ? cell + 1 : 0;
    // ceil((cell + 1) * strokeCount / cellCount) in integers
    return ((cell + 1) * strokeCount + cellCount - 1) / cellCount;
}

QTransform cellTransform(const QRect &interior, int pictureScale)
{
    const int margin = cellMargin * pictureScale;
    const QRectF box = QRectF(interior).adjusted(margin, margin, -margin, -margin);
    const double scale = std::max(0.0, std::min(box.width(), box.height())) / outlineBoxSize;
    const double left = box.left() + (box.width() - outlineBoxSize * scale) / 2;
    const double top = box.top() + (box.height() - outlineBoxSize * scale) / 2;
    // (x, y) in the box, y up, becomes (left + s x, top + s (900 - y))
    return QTransform(scale, 0, 0, -scale, left, top + outlineBaseline * scale);
}

namespace {

// Below this size (in pixels) of the fitted box the strokes, about a fifteenth of the box wide,
// thin out to their anti-aliased edges; there each stroke gets an outline of emboldenWidth pixels.
constexpr double emboldenBelow = 40.0;
constexpr double emboldenWidth = 0.8;

void drawStroke(
    QPainter &painter, const QPainterPath &stroke, QRgb colour, bool embolden, int scale)
{
    const QColor c = QColor::fromRgb(colour);
    if (embolden) {
        QPen pen(c, emboldenWidth * scale);
        pen.setCosmetic(true); // width in pixels, whatever the transform
        pen.setJoinStyle(Qt::RoundJoin);
        painter.setPen(pen);
    } else {
        painter.setPen(Qt::NoPen);
    }
    painter.setBrush(c);
    painter.drawPath(stroke);
}

} // namespace

QImage renderPicture(const QList<QPainterPath> &strokes, framegeometry::Frame frame, int scale)
{
    scale = std::max(1, scale);
    QImage image(framegeometry::pictureSize * scale, QImage::Format_RGB32);
    image.fill(background);
    const QList<QRect> cells = framegeometry::cells(frame);
    const int strokeCount = int(strokes.size());
    const int cellCount = int(cells.size());

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    int shownBefore = 0;
    for (int cell = 0; cell < cellCount; ++cell) {
        const int shown = strokesShownInCell(cell, strokeCount, cellCount);
        if (shown == 0)
            break;
        const QRect interior(cells[cell].topLeft() * scale, cells[cell].size() * scale);
        painter.resetTransform(); // the clip rectangle is given in picture pixels
        painter.setClipRect(interior);
        const QTransform transform = cellTransform(interior, scale);
        painter.setTransform(transform);
        const bool embolden = transform.m11() * outlineBoxSize / scale < emboldenBelow;
        // later strokes first, so the written and the new ones lie on top of them
        for (int s = shown; s < strokeCount; ++s)
            drawStroke(painter, strokes[s], pendingColour, embolden, scale);
        for (int s = 0; s < shownBefore; ++s)
            drawStroke(painter, strokes[s], writtenColour, embolden, scale);
        for (int s = shownBefore; s < shown; ++s)
            drawStroke(painter, strokes[s], newColour, embolden, scale);
        shownBefore = shown;
    }
    return image;
}

QList<QRgb> pictureColourTable()
{
    constexpr int steps = 4;
    const QRgb inks[] = { background, writtenColour, newColour, pendingColour };
    QList<QRgb> out;
    for (int a = 0; a <= steps; ++a) {
        for (int b = 0; a + b <= steps; ++b) {
            for (int c = 0; a + b + c <= steps; ++c) {
                const int weights[] = { a, b, c, steps - a - b - c };
                int rgb[3] = { 0, 0, 0 };
                for (int i = 0; i < 4; ++i) {
                    rgb[0] += weights[i] * qRed(inks[i]);
                    rgb[1] += weights[i] * qGreen(inks[i]);
                    rgb[2] += weights[i] * qBlue(inks[i]);
                }
                const QRgb colour = qRgb((rgb[0] + steps / 2) / steps, (rgb[1] + steps / 2) / steps,
                    (rgb[2] + steps / 2) / steps);
                if (!out.contains(colour))
                    out.append(colour);
            }
        }
    }
    return out;
}

QImage reduceColours(const QImage &picture)
{
    static const QList<QRgb> colours = pictureColourTable();
    return picture.convertToFormat(QImage::Format_Indexed8, colours);
}

} // namespace strokepicture
