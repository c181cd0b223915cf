// SPDX-License-Identifier: GPL-3.0-or-later
// The practice sheet's layout rules, GUI-less.
#include "sheetlayout.h"

#include <QTest>

using namespace sheets;

namespace {

// "group.firstRow+rowCount" per slice, slices split by spaces, pages by " / ".
QString describe(const QList<Page> &pages)
{
    QStringList out;
    for (const Page &page : pages) {
        QStringList slices;
        for (const Slice &slice : page)
            slices.append(QStringLiteral("%1.%2+%3")
                              .arg(slice.group)
                              .arg(slice.firstRow)
                              .arg(slice.rowCount));
        out.append(slices.join(u' '));
    }
    return out.join(QStringLiteral(" / "));
}

QString describe(const Cell &cell)
{
    switch (cell.kind) {
    case CellKind::StrokeOrder:
        return QStringLiteral("order %1").arg(cell.strokes);
    case CellKind::Tracing:
        return QStringLiteral("tracing");
    case CellKind::Empty:
        return QStringLiteral("empty");
    }
    return QString();
}

} // namespace

class SheetLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void cellsPerRow_data()
    {
        QTest::addColumn<Paper>("paper");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<int>("cellMm");
        QTest::addColumn<int>("columns");
        QTest::addColumn<double>("leftMm");
        // 12 mm margins each side; the grid is centred in what is left
        QTest::newRow("A4 18 mm") << Paper::A4 << false << 18 << 10 << 15.0;
        QTest::newRow("A4 20 mm") << Paper::A4 << false << 20 << 9 << 15.0;
        QTest::newRow("A4 landscape 10 mm") << Paper::A4 << true << 10 << 27 << 13.5;
        QTest::newRow("A5 30 mm") << Paper::A5 << false << 30 << 4 << 14.0;
        QTest::newRow("A5 landscape 30 mm") << Paper::A5 << true << 30 << 6 << 15.0;
        QTest::newRow("Letter 18 mm") << Paper::Letter << false << 18 << 10 << 17.95;
        QTest::newRow("Letter landscape 13 mm") << Paper::Letter << true << 13 << 19 << 16.2;
    }
    void cellsPerRow()
    {
        QFETCH(Paper, paper);
        QFETCH(bool, landscape);
        QFETCH(int, cellMm);
        QFETCH(int, columns);
        QFETCH(double, leftMm);
        SheetOptions options;
        options.paper = paper;
        options.landscape = landscape;
        options.cellMm = cellMm;
        const SheetLayout layout = layOut(options, {});
        QCOMPARE(layout.columns, columns);
        QVERIFY2(qAbs(layout.leftMm - leftMm) < 1e-6, qPrintable(QString::number(layout.leftMm)));
        QVERIFY(layout.leftMm >= pageMarginMm);
    }

    // Exactly filled, and a page too narrow for even one cell within the margins.
    void cellsPerRowAtTheEdges()
    {
        QCOMPARE(sheets::cellsPerRow(210, 12, 18.6), 10);
        QCOMPARE(sheets::cellsPerRow(40, 12, 30), 1);
    }

    void cells_data()
    {
        QTest::addColumn<int>("strokes");
        QTest::addColumn<int>("tracing");
        QTest::addColumn<int>("extraRows");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("firstCells"); // of the first two rows, ten columns each
        const auto cells = [](std::initializer_list<const char *> texts) {
            QStringList out;
            for (const char *text : texts)
                out.append(QString::fromLatin1(text));
            return out;
        };
        // 永: five strokes, three copies, two empty cells, one empty row
        QTest::newRow("five strokes")
            << 5 << 3 << 1 << 2
            << cells({ "order 1", "order 2", "order 3", "order 4", "order 5", "tracing", "tracing",
                   "tracing", "empty", "empty", "empty", "empty", "empty", "empty", "empty",
                   "empty", "empty", "empty", "empty", "empty" });
        // more strokes than cells: the order runs on into the next row, the copies after it
        QTest::newRow("twelve strokes wrap")
            << 12 << 3 << 1 << 3
            << cells({ "order 1", "order 2", "order 3", "order 4", "order 5", "order 6", "order 7",
                   "order 8", "order 9", "order 10", "order 11", "order 12", "tracing", "tracing",
                   "tracing", "empty", "empty", "empty", "empty", "empty" });
        // copies that do not fit the row spill over into the next
        QTest::newRow("copies spill over")
            << 8 << 4 << 0 << 2
            << cells({ "order 1", "order 2", "order 3", "order 4", "order 5", "order 6", "order 7",
                   "order 8", "tracing", "tracing", "tracing", "tracing", "empty", "empty", "empty",
                   "empty", "empty", "empty", "empty", "empty" });
        QTest::newRow("row filled exactly")
            << 8 << 2 << 0 << 1
            << cells({ "order 1", "order 2", "order 3", "order 4", "order 5", "order 6", "order 7",
                   "order 8", "tracing", "tracing", "empty", "empty", "empty", "empty", "empty",
                   "empty", "empty", "empty", "empty", "empty" });
        QTest::newRow("no copies, five empty rows")
            << 1 << 0 << 5 << 6
            << cells({ "order 1", "empty", "empty", "empty", "empty", "empty", "empty", "empty",
                   "empty", "empty", "empty", "empty", "empty", "empty", "empty", "empty", "empty",
                   "empty", "empty", "empty" });
    }
    void cells()
    {
        QFETCH(int, strokes);
        QFETCH(int, tracing);
        QFETCH(int, extraRows);
        QFETCH(int, rows);
        QFETCH(QStringList, firstCells);
        constexpr int columns = 10;
        QCOMPARE(rowsOfCharacter(strokes, columns, tracing, extraRows), rows);
        QStringList actual;
        for (int i = 0; i < firstCells.size(); ++i)
            actual.append(describe(cellOf(strokes, tracing, columns, i / columns, i % columns)));
        QCOMPARE(actual, firstCells);
    }

    void paginate_data()
    {
        QTest::addColumn<QList<int>>("groupRows");
        QTest::addColumn<double>("cellMm");
        QTest::addColumn<double>("pinyinMm");
        QTest::addColumn<QString>("pages");
        // the body runs from 0 to 100 mm; groups are 2 mm apart
        QTest::newRow("all on one page") << QList<int> { 2, 2 } << 10.0 << 6.0 << "0.0+2 1.0+2";
        // 54 + 2 + 44 = 100: the second group ends on the bottom edge
        QTest::newRow("ends on the bottom") << QList<int> { 5, 4 } << 10.0 << 4.0 << "0.0+5 1.0+4";
        // 58 + 2 + 58 > 100: the second group moves whole to the next page
        QTest::newRow("group moves whole")
            << QList<int> { 5, 5, 1 } << 10.0 << 8.0 << "0.0+5 / 1.0+5 2.0+1";
        QTest::newRow("pinyin band counts")
            << QList<int> { 4, 4 } << 10.0 << 10.0 << "0.0+4 / 1.0+4";
        // taller than a page: split at rows, alone on its pages
        QTest::newRow("group taller than a page")
            << QList<int> { 2, 5, 1 } << 30.0 << 0.0 << "0.0+2 / 1.0+3 / 1.3+2 / 2.0+1";
        QTest::newRow("no characters") << QList<int> {} << 18.0 << 6.0 << "";
    }
    void paginate()
    {
        QFETCH(QList<int>, groupRows);
        QFETCH(double, cellMm);
        QFETCH(double, pinyinMm);
        QFETCH(QString, pages);
        const QList<Page> result = sheets::paginate(groupRows, 0, 100, cellMm, pinyinMm);
        QCOMPARE(describe(result), pages);
        for (const Page &page : result) {
            for (const Slice &slice : page) {
                QVERIFY(slice.topMm - (slice.firstRow == 0 ? pinyinMm : 0) >= -1e-9);
                QVERIFY(slice.topMm + slice.rowCount * cellMm <= 100 + 1e-9);
            }
        }
    }

    // A lesson of 60 five-stroke characters on A4 with the defaults: a header of 24 mm under the
    // 12 mm margin, groups of 6 + 2 x 18 mm, 2 mm apart, five to a page.
    void lessonOfSixty()
    {
        const SheetLayout layout = layOut(SheetOptions(), QList<int>(60, 5));
        QCOMPARE(layout.pages.size(), 12);
        int next = 0;
        for (const Page &page : layout.pages) {
            QCOMPARE(page.size(), 5);
            for (const Slice &slice : page) {
                QCOMPARE(slice.group, next++);
                QCOMPARE(slice.firstRow, 0);
                QCOMPARE(slice.rowCount, 2);
            }
            QCOMPARE(page.first().topMm, 12.0 + 24.0 + 6.0);
        }
    }

    void headerHeight_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<double>("height");
        QTest::newRow("title") << QStringLiteral("练字帖") << 24.0;
        QTest::newRow("no title") << QString() << 12.0;
        QTest::newRow("blank title") << QStringLiteral("  ") << 12.0;
    }
    void headerHeight()
    {
        QFETCH(QString, title);
        QFETCH(double, height);
        QCOMPARE(headerHeightMm(title), height);
    }

    void charactersOf_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("characters");
        QTest::newRow("spaces and punctuation") << QStringLiteral(" 山，水。\t火！\n（木）“土”、")
                                                << QStringList { "山", "水", "火", "木", "土" };
        QTest::newRow("repeats") << QStringLiteral("山水山水火")
                                 << QStringList { "山", "水", "火" };
        QTest::newRow("beyond the BMP") << QStringLiteral("𠀀山𠀀") << QStringList { "𠀀", "山" };
        // letters and digits stay, to be named as characters without a record
        QTest::newRow("letters stay") << QStringLiteral("a山1+") << QStringList { "a", "山", "1" };
        QTest::newRow("nothing") << QStringLiteral(" ，。 ") << QStringList {};
    }
    void charactersOf()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, characters);
        QCOMPARE(sheets::charactersOf(text), characters);
    }
};

QTEST_GUILESS_MAIN(SheetLayoutTest)
#include "tst_sheetlayout.moc"
