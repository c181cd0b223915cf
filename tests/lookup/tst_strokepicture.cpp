// SPDX-License-Identifier: GPL-3.0-or-later
#include "framegeometry.h"
#include "strokepicture.h"

#include <QFile>
#include <QTest>

using framegeometry::Frame;

namespace {

QString outlineDir()
{
    return qEnvironmentVariable("ZIBRIN_SOURCE_DIR", QStringLiteral(ZIBRIN_SOURCE_DIR))
        + QStringLiteral("/data/node_modules/hanzi-writer-data/");
}

std::optional<QList<QPainterPath>> outlineOf(const QString &character)
{
    QFile file(outlineDir() + character + QStringLiteral(".json"));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return strokepicture::readOutline(file.readAll());
}

QPainterPath polygonPath(std::initializer_list<QPointF> points, bool close = true)
{
    QPainterPath path;
    bool first = true;
    for (const QPointF &p : points) {
        if (first)
            path.moveTo(p);
        else
            path.lineTo(p);
        first = false;
    }
    if (close)
        path.closeSubpath();
    return path;
}

bool isRed(QRgb c)
{
    return qRed(c) >= 200 && qGreen(c) <= 90 && qBlue(c) <= 90;
}
bool isDark(QRgb c)
{
    return qRed(c) <= 100 && qGreen(c) <= 100 && qBlue(c) <= 100;
}

int countPixels(const QImage &image, const QRect &area, bool (*match)(QRgb))
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += match(image.pixel(x, y)) ? 1 : 0;
    return n;
}

// Whether a twentieth or more of the ink in the area has exactly the pending colour. Inside a
// stroke still to come every pixel has it; the anti-aliased edges of the other strokes hit it by
// chance, about one pixel in a hundred.
bool showsPendingStrokes(const QImage &image, const QRect &area)
{
    const int ink = countPixels(image, area, [](QRgb c) { return c != strokepicture::background; });
    const int pending
        = countPixels(image, area, [](QRgb c) { return c == strokepicture::pendingColour; });
    return pending * 20 >= ink;
}

// The first pixel that is not white and lies outside every cell interior, or (-1, -1).
QPoint inkOutsideCells(const QImage &image, const QList<QRect> &cells)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == strokepicture::background)
                continue;
            const QPoint p(x, y);
            if (std::none_of(
                    cells.begin(), cells.end(), [&](const QRect &r) { return r.contains(p); }))
                return p;
        }
    }
    return QPoint(-1, -1);
}

QList<int> shownPerCell(int strokeCount, int cellCount)
{
    QList<int> out;
    for (int i = 0; i < cellCount; ++i)
        out.append(strokepicture::strokesShownInCell(i, strokeCount, cellCount));
    return out;
}

QList<int> oneToN(int n, int cellCount)
{
    QList<int> out;
    for (int i = 0; i < cellCount; ++i)
        out.append(i < n ? i + 1 : 0);
    return out;
}

} // namespace

class TestStrokePicture : public QObject {
    Q_OBJECT

private slots:
    void parsesPathData_data();
    void parsesPathData();
    void rejectsMalformedPathData_data();
    void rejectsMalformedPathData();
    void prefixesOfARealStrokeNeverLeaveIt();
    void readsOutlineFiles_data();
    void readsOutlineFiles();
    void strokesShownPerCell_data();
    void strokesShownPerCell();
    void mappingAddsAtLeastOneStrokePerCell();
    void cellTransformFitsTheBoxInsideTheMargin_data();
    void cellTransformFitsTheBoxInsideTheMargin();
    void drawingIsClippedToCellInteriors_data();
    void drawingIsClippedToCellInteriors();
    void realCharacters_data();
    void realCharacters();
    void reducedColoursKeepTheStrokeColours();
};

void TestStrokePicture::parsesPathData_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<QPainterPath>("expected");

    const QPainterPath square = polygonPath({ { 0, 0 }, { 10, 0 }, { 10, 10 } });
    QTest::newRow("spaces") << "M 0 0 L 10 0 L 10 10 Z" << square;
    QTest::newRow("commas, no spaces") << "M0,0L10,0L10,10Z" << square;
    QTest::newRow("repeated L") << "M 0 0 L 10 0 10 10 Z" << square;
    QTest::newRow("implicit lines after M") << "M 0 0 10 0 10 10 Z" << square;
    QTest::newRow("exponent and fraction") << "M 0 0 L 1e1 0 L 10.0 1.0E+1 Z" << square;
    QTest::newRow("surrounding blanks") << "\t M 0 0 L 10 0 L 10 10 Z \n" << square;
    QTest::newRow("open path") << "M 0 0 L 10 0 L 10 10"
                               << polygonPath({ { 0, 0 }, { 10, 0 }, { 10, 10 } }, false);
    QTest::newRow("signs run numbers together")
        << "M-5-5L.5.5L+3-2Z" << polygonPath({ { -5, -5 }, { 0.5, 0.5 }, { 3, -2 } });

    QPainterPath quad;
    quad.moveTo(238, 382);
    quad.quadTo(251, 634, 267, 694);
    quad.quadTo(271, 706, 250, 720);
    quad.cubicTo(194, 335, 236, 352, 238, 382);
    quad.closeSubpath();
    QTest::newRow("Q, repeated Q, C")
        << "M 238 382 Q 251 634 267 694 271 706 250 720 C 194 335 236 352 238 382 Z" << quad;

    QPainterPath two = polygonPath({ { 0, 0 }, { 1, 0 }, { 1, 1 } });
    two.addPath(polygonPath({ { 5, 5 }, { 6, 5 }, { 6, 6 } }));
    QTest::newRow("two subpaths") << "M 0 0 L 1 0 L 1 1 Z M 5 5 L 6 5 L 6 6 Z" << two;
}

void TestStrokePicture::parsesPathData()
{
    QFETCH(QString, data);
    QFETCH(QPainterPath, expected);
    const auto path = strokepicture::parseSvgPath(data);
    QVERIFY(path.has_value());
    QCOMPARE(path->elementCount(), expected.elementCount());
    for (int i = 0; i < expected.elementCount(); ++i) {
        QCOMPARE(path->elementAt(i).type, expected.elementAt(i).type);
        QCOMPARE(QPointF(path->elementAt(i)), QPointF(expected.elementAt(i)));
    }
}

void TestStrokePicture::rejectsMalformedPathData_data()
{
    QTest::addColumn<QString>("data");
    QTest::newRow("empty") << "";
    QTest::newRow("blanks") << "  \n ";
    QTest::newRow("Z alone") << "Z";
    QTest::newRow("line before move") << "L 0 0 L 1 1";
    QTest::newRow("number first") << "0 0 L 1 1";
    QTest::newRow("move without y") << "M 0";
    QTest::newRow("line without y") << "M 0 0 L 10";
    QTest::newRow("Q with one point") << "M 0 0 Q 1 1";
    QTest::newRow("C with two points and a half") << "M 0 0 C 1 2 3 4 5";
    QTest::newRow("number after Z") << "M 0 0 L 1 1 Z 5 5";
    QTest::newRow("relative commands") << "m 0 0 l 1 1 z";
    QTest::newRow("H") << "M 0 0 H 10";
    QTest::newRow("arc") << "M 0 0 A 5 5 0 0 1 10 10";
    QTest::newRow("letter in number") << "M 0 0 L 1x 1";
    QTest::newRow("lone sign") << "M - 0";
    QTest::newRow("lone point") << "M . 0";
    QTest::newRow("not a number") << "M nan 0";
    QTest::newRow("infinite") << "M 1e999 0";
    QTest::newRow("far outside the box") << "M 0 0 L 1e9 0 L 0 1 Z";
    QTest::newRow("non-ASCII digits") << QString::fromUtf8("M ١ ٢");
    QTest::newRow("CJK") << QString::fromUtf8("峰");
}

void TestStrokePicture::rejectsMalformedPathData()
{
    QFETCH(QString, data);
    QVERIFY(!strokepicture::parseSvgPath(data).has_value());
}

// Cutting a path anywhere gives nothing or the path read so far: only the segment that was cut
// may differ from the whole path.
void TestStrokePicture::prefixesOfARealStrokeNeverLeaveIt()
{
    const auto strokes = outlineOf(QStringLiteral("峰"));
    QVERIFY2(strokes.has_value(), "run tools/setup.sh to install the outline package");
    QFile file(outlineDir() + QStringLiteral("峰.json"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString whole = QString::fromUtf8(file.readAll()).section(QLatin1Char('"'), 3, 3);
    QVERIFY(whole.startsWith(QLatin1String("M ")));
    const auto full = strokepicture::parseSvgPath(whole);
    QVERIFY(full.has_value());
    QCOMPARE(full->elementCount(), strokes->first().elementCount());
    int parsed = 0;
    for (qsizetype n = 0; n <= whole.size(); ++n) {
        const auto prefix = strokepicture::parseSvgPath(QStringView(whole).left(n));
        if (!prefix)
            continue;
        ++parsed;
        const QByteArray where = QByteArray::number(n);
        QVERIFY2(prefix->elementCount() <= full->elementCount(), where);
        for (int i = 0; i + 3 < prefix->elementCount(); ++i)
            QVERIFY2(QPointF(prefix->elementAt(i)) == QPointF(full->elementAt(i)), where);
    }
    QVERIFY(parsed > 0);
    QVERIFY(parsed < whole.size());
}

void TestStrokePicture::readsOutlineFiles_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<int>("strokes"); // -1: not readable
    QTest::addColumn<QList<int>>("empty"); // strokes left out

    QTest::newRow("two strokes") << QByteArray(
        R"({"strokes": ["M 0 0 L 1 0 L 1 1 Z", "M 5 5 L 6 6 L 5 6 Z"], "medians": []})")
                                 << 2 << QList<int> {};
    QTest::newRow("malformed second stroke")
        << QByteArray(R"({"strokes": ["M 0 0 L 1 0 L 1 1 Z", "M 5 x", "M 5 5 L 6 6 L 5 6 Z"]})")
        << 3 << QList<int> { 1 };
    QTest::newRow("stroke not a string")
        << QByteArray(R"({"strokes": [17, "M 0 0 L 1 1 L 0 1 Z"]})") << 2 << QList<int> { 0 };
    QTest::newRow("no strokes") << QByteArray(R"({"strokes": []})") << 0 << QList<int> {};
    QTest::newRow("strokes missing") << QByteArray(R"({"medians": []})") << -1 << QList<int> {};
    QTest::newRow("strokes not an array")
        << QByteArray(R"({"strokes": "M 0 0"})") << -1 << QList<int> {};
    QTest::newRow("array at top") << QByteArray(R"(["M 0 0 L 1 1 Z"])") << -1 << QList<int> {};
    QTest::newRow("not JSON") << QByteArray("M 0 0 L 1 1 Z") << -1 << QList<int> {};
    QTest::newRow("cut short") << QByteArray(R"({"strokes": ["M 0 0 L 1 1 Z", "M 5 5)") << -1
                               << QList<int> {};
    QTest::newRow("empty file") << QByteArray() << -1 << QList<int> {};
}

void TestStrokePicture::readsOutlineFiles()
{
    QFETCH(QByteArray, json);
    QFETCH(int, strokes);
    QFETCH(QList<int>, empty);
    const auto outline = strokepicture::readOutline(json);
    QCOMPARE(outline.has_value(), strokes >= 0);
    if (!outline)
        return;
    QCOMPARE(outline->size(), strokes);
    for (int i = 0; i < strokes; ++i)
        QCOMPARE(outline->at(i).isEmpty(), empty.contains(i));
}

void TestStrokePicture::strokesShownPerCell_data()
{
    QTest::addColumn<int>("strokeCount");
    QTest::addColumn<int>("cellCount");
    QTest::addColumn<QList<int>>("shown");

    QTest::newRow("no strokes") << 0 << 24 << QList<int>(24, 0);
    QTest::newRow("1 of 24") << 1 << 24 << oneToN(1, 24);
    QTest::newRow("10 of 24") << 10 << 24 << oneToN(10, 24);
    QTest::newRow("24 of 24") << 24 << 24 << oneToN(24, 24);
    QTest::newRow("25 of 25") << 25 << 25 << oneToN(25, 25);
    QTest::newRow("26 of 26") << 26 << 26 << oneToN(26, 26);
    QTest::newRow("30 of 30") << 30 << 30 << oneToN(30, 30);
    QTest::newRow("27 over 24") << 27 << 24
                                << QList<int> { 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15, 16, 17,
                                       18, 20, 21, 22, 23, 24, 25, 26, 27 };
    QTest::newRow("31 over 24") << 31 << 24
                                << QList<int> { 2, 3, 4, 6, 7, 8, 10, 11, 12, 13, 15, 16, 17, 19,
                                       20, 21, 22, 24, 25, 26, 28, 29, 30, 31 };
    QTest::newRow("48 over 24") << 48 << 24
                                << QList<int> { 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28,
                                       30, 32, 34, 36, 38, 40, 42, 44, 46, 48 };
}

void TestStrokePicture::strokesShownPerCell()
{
    QFETCH(int, strokeCount);
    QFETCH(int, cellCount);
    QFETCH(QList<int>, shown);
    QCOMPARE(shownPerCell(strokeCount, cellCount), shown);
    QCOMPARE(strokepicture::strokesShownInCell(-1, strokeCount, cellCount), 0);
    QCOMPARE(strokepicture::strokesShownInCell(cellCount, strokeCount, cellCount), 0);
}

void TestStrokePicture::mappingAddsAtLeastOneStrokePerCell()
{
    for (int cells : { 24, 25, 26, 30 }) {
        for (int n = 1; n <= 80; ++n) {
            const QList<int> shown = shownPerCell(n, cells);
            const int used = std::min(n, cells);
            const QString where = QStringLiteral("%1 strokes, %2 cells").arg(n).arg(cells);
            QVERIFY2(shown[used - 1] == n, qPrintable(where));
            for (int i = 0; i < cells; ++i) {
                const int before = i == 0 ? 0 : shown[i - 1];
                if (i < used)
                    QVERIFY2(shown[i] > before && shown[i] <= n, qPrintable(where));
                else
                    QVERIFY2(shown[i] == 0, qPrintable(where));
            }
        }
    }
}

void TestStrokePicture::cellTransformFitsTheBoxInsideTheMargin_data()
{
    QTest::addColumn<QRect>("interior");
    QTest::newRow("full cell") << QRect(1, 1, 58, 58);
    QTest::newRow("narrow cell") << QRect(44, 1, 37, 58);
    QTest::newRow("shortest row of the 30 frame") << QRect(326, 1, 58, 28);
}

void TestStrokePicture::cellTransformFitsTheBoxInsideTheMargin()
{
    QFETCH(QRect, interior);
    const QTransform t = strokepicture::cellTransform(interior);
    // corners of the 1024 box, y pointing up with the top at 900
    const QPointF topLeft = t.map(QPointF(0, 900));
    const QPointF bottomRight = t.map(QPointF(1024, 900 - 1024));
    const QRectF box = QRectF(interior).adjusted(strokepicture::cellMargin,
        strokepicture::cellMargin, -strokepicture::cellMargin, -strokepicture::cellMargin);
    QVERIFY(topLeft.x() < bottomRight.x());
    QVERIFY(topLeft.y() < bottomRight.y()); // y turned to point down
    QVERIFY(box.adjusted(-1e-9, -1e-9, 1e-9, 1e-9).contains(QRectF(topLeft, bottomRight)));
    // square, and touching the margin on the shorter side
    QCOMPARE(bottomRight.x() - topLeft.x(), bottomRight.y() - topLeft.y());
    QCOMPARE(bottomRight.x() - topLeft.x(), std::min(box.width(), box.height()));
    // centred
    QCOMPARE(topLeft.x() - box.left(), box.right() - bottomRight.x());
    QCOMPARE(topLeft.y() - box.top(), box.bottom() - bottomRight.y());
}

// A stroke far larger than the box still leaves the outlines and gaps white.
void TestStrokePicture::drawingIsClippedToCellInteriors_data()
{
    QTest::addColumn<Frame>("frame");
    QTest::addColumn<int>("strokeCount");
    QTest::newRow("24 cells, 24 strokes") << Frame::Cells24 << 24;
    QTest::newRow("24 cells, 31 strokes") << Frame::Cells24 << 31;
    QTest::newRow("25 cells") << Frame::Cells25 << 25;
    QTest::newRow("26 cells") << Frame::Cells26 << 26;
    QTest::newRow("30 cells") << Frame::Cells30 << 30;
}

void TestStrokePicture::drawingIsClippedToCellInteriors()
{
    QFETCH(Frame, frame);
    QFETCH(int, strokeCount);
    QPainterPath huge;
    huge.addRect(-50000, -50000, 100000, 100000);
    const QList<QPainterPath> strokes(strokeCount, huge);
    const QImage picture = strokepicture::renderPicture(strokes, frame);
    QCOMPARE(picture.size(), framegeometry::pictureSize);
    const QList<QRect> cells = framegeometry::cells(frame);
    QCOMPARE(inkOutsideCells(picture, cells), QPoint(-1, -1));
    // and every interior is covered up to its edge
    for (const QRect &cell : cells) {
        QVERIFY(picture.pixel(cell.topLeft()) != strokepicture::background);
        QVERIFY(picture.pixel(cell.bottomRight()) != strokepicture::background);
    }
}

void TestStrokePicture::realCharacters_data()
{
    QTest::addColumn<QString>("character");
    QTest::addColumn<int>("strokeCount");
    const QList<std::pair<const char *, int>> characters = {
        { "一", 1 },
        { "中", 4 },
        { "我", 7 },
        { "峰", 10 },
        { "⺀", 2 },
        { "囔", 25 },
        { "矚", 26 },
        { "纜", 27 },
        { "鬱", 29 },
        { "爨", 30 },
        { "鱻", 33 },
    };
    for (const auto &[character, strokes] : characters)
        QTest::newRow(character) << QString::fromUtf8(character) << strokes;
}

// The pictures as stored: strokes only inside the cells of the frame of their stroke count, the
// new strokes of each cell in red, no black in the first cell, strokes still to come in the first
// but not in the last used cell, white cells after it.
void TestStrokePicture::realCharacters()
{
    QFETCH(QString, character);
    QFETCH(int, strokeCount);
    const auto strokes = outlineOf(character);
    QVERIFY2(strokes.has_value(), "run tools/setup.sh to install the outline package");
    QCOMPARE(strokes->size(), strokeCount);
    QVERIFY(std::none_of(
        strokes->begin(), strokes->end(), [](const QPainterPath &p) { return p.isEmpty(); }));

    const Frame frame = framegeometry::frameForStrokeCount(QString::number(strokeCount));
    const QList<QRect> cells = framegeometry::cells(frame);
    const int used = std::min<int>(strokeCount, int(cells.size()));
    const QImage rendered = strokepicture::renderPicture(*strokes, frame);
    const QImage reduced = strokepicture::reduceColours(rendered);
    QCOMPARE(reduced.format(), QImage::Format_Indexed8);

    for (const QImage &picture : { rendered, reduced }) {
        QCOMPARE(picture.size(), framegeometry::pictureSize);
        QCOMPARE(inkOutsideCells(picture, cells), QPoint(-1, -1));
        for (int k = 0; k < cells.size(); ++k) {
            const QRect &cell = cells[k];
            const QString where = QStringLiteral("cell %1").arg(k + 1);
            if (k >= used) {
                QVERIFY2(countPixels(
                             picture, cell, [](QRgb c) { return c != strokepicture::background; })
                        == 0,
                    qPrintable(where));
                continue;
            }
            QVERIFY2(countPixels(picture, cell, isRed) > 0, qPrintable(where));
            QCOMPARE(countPixels(picture, cell, isDark) > 0, k > 0);
            // Only the full colours tell the pending grey apart, and only in cells large enough for
            // strokes wider than their anti-aliased edges (not the top rows of the 30-cell frame).
            const bool large = std::min(cell.width(), cell.height()) >= 37;
            if (picture.format() == QImage::Format_RGB32 && large && (k == 0 || k == used - 1))
                QVERIFY2(showsPendingStrokes(picture, cell) == (k < used - 1), qPrintable(where));
        }
    }
}

void TestStrokePicture::reducedColoursKeepTheStrokeColours()
{
    const QList<QRgb> table = strokepicture::pictureColourTable();
    QVERIFY(table.size() <= 256);
    for (QRgb c : { strokepicture::background, strokepicture::writtenColour,
             strokepicture::newColour, strokepicture::pendingColour })
        QVERIFY(table.contains(c));
    QImage picture(4, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, strokepicture::background);
    picture.setPixel(1, 0, strokepicture::writtenColour);
    picture.setPixel(2, 0, strokepicture::newColour);
    picture.setPixel(3, 0, strokepicture::pendingColour);
    const QImage reduced = strokepicture::reduceColours(picture);
    for (int x = 0; x < 4; ++x)
        QCOMPARE(reduced.pixel(x, 0), picture.pixel(x, 0));
}

QTEST_GUILESS_MAIN(TestStrokePicture)
#include "tst_strokepicture.moc"
