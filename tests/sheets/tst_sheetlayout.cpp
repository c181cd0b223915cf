// SPDX-License-Identifier: GPL-3.0-or-later
// The practice sheet's layout rules, GUI-less.
#include "dictationlayout.h"
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
    case CellKind::Model:
        return QStringLiteral("model");
    }
    return QString();
}

// "word+count@leftMm" per piece where the word starts ("word.first+count@leftMm" for the rest of a
// longer word), pieces split by spaces, rows by " / ".
QString describe(const QList<WordRow> &rows)
{
    QStringList out;
    for (const WordRow &row : rows) {
        QStringList pieces;
        for (const WordPiece &piece : row) {
            const QString word = piece.numbered
                ? QString::number(piece.word)
                : QStringLiteral("%1.%2").arg(piece.word).arg(piece.firstCharacter);
            pieces.append(QStringLiteral("%1+%2@%3").arg(word).arg(piece.count).arg(piece.leftMm));
        }
        out.append(pieces.join(u' '));
    }
    return out.join(QStringLiteral(" / "));
}

// Each letter's body and the lines it spans ("ɡ1-3"), then ^tone and :dots where it has them.
QString describe(const QList<PinyinLetter> &letters, const FourLines &lines)
{
    QStringList out;
    for (const PinyinLetter &letter : letters) {
        QString text = QStringLiteral("%1%2-%3")
                           .arg(QString::fromUcs4(&letter.body, 1))
                           .arg((letter.topMm - lines.topMm) / lines.spaceMm, 0, 'g', 3)
                           .arg((letter.bottomMm - lines.topMm) / lines.spaceMm, 0, 'g', 3);
        if (letter.tone)
            text += QStringLiteral("^%1").arg(letter.tone);
        if (letter.dots)
            text += QStringLiteral(":%1").arg(letter.dots);
        out.append(text);
    }
    return out.join(u' ');
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
        QTest::addColumn<bool>("model");
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
                   "empty", "empty", "empty", "empty", "empty" })
            << false;
        // more strokes than cells: the order runs on into the next row, the copies after it
        QTest::newRow("twelve strokes wrap")
            << 12 << 3 << 1 << 3
            << cells({ "order 1", "order 2", "order 3", "order 4", "order 5", "order 6", "order 7",
                   "order 8", "order 9", "order 10", "order 11", "order 12", "tracing", "tracing",
                   "tracing", "empty", "empty", "empty", "empty", "empty" })
            << false;
        // copies that do not fit the row spill over into the next
        QTest::newRow("copies spill over")
            << 8 << 4 << 0 << 2
            << cells({ "order 1", "order 2", "order 3", "order 4", "order 5", "order 6", "order 7",
                   "order 8", "tracing", "tracing", "tracing", "tracing", "empty", "empty", "empty",
                   "empty", "empty", "empty", "empty", "empty" })
            << false;
        QTest::newRow("row filled exactly")
            << 8 << 2 << 0 << 1
            << cells({ "order 1", "order 2", "order 3", "order 4", "order 5", "order 6", "order 7",
                   "order 8", "tracing", "tracing", "empty", "empty", "empty", "empty", "empty",
                   "empty", "empty", "empty", "empty", "empty" })
            << false;
        QTest::newRow("no copies, five empty rows")
            << 1 << 0 << 5 << 6
            << cells({ "order 1", "empty", "empty", "empty", "empty", "empty", "empty", "empty",
                   "empty", "empty", "empty", "empty", "empty", "empty", "empty", "empty", "empty",
                   "empty", "empty", "empty" })
            << false;
        // the 范字 first: the row that was filled exactly runs over by one
        QTest::newRow("model first")
            << 8 << 2 << 0 << 2
            << cells({ "model", "order 1", "order 2", "order 3", "order 4", "order 5", "order 6",
                   "order 7", "order 8", "tracing", "tracing", "empty", "empty", "empty", "empty",
                   "empty", "empty", "empty", "empty", "empty" })
            << true;
    }
    void cells()
    {
        QFETCH(int, strokes);
        QFETCH(int, tracing);
        QFETCH(int, extraRows);
        QFETCH(int, rows);
        QFETCH(QStringList, firstCells);
        QFETCH(bool, model);
        constexpr int columns = 10;
        QCOMPARE(rowsOfCharacter(strokes, columns, tracing, extraRows, model), rows);
        QStringList actual;
        for (int i = 0; i < firstCells.size(); ++i)
            actual.append(
                describe(cellOf(strokes, tracing, columns, i / columns, i % columns, model)));
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
            QCOMPARE(page.first().topMm, 12.0 + 24.0 + layout.pinyinMm);
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

    // The band of 四线三格 grows with the cells, within bounds; each letter stands on the lines
    // as pinyin is written: ascenders to the top line, descenders to the bottom line, the tone
    // mark and dots in the top space, ɑ and ɡ single-storey.
    void fourLines_data()
    {
        QTest::addColumn<int>("cellMm");
        QTest::addColumn<QString>("pinyin");
        QTest::addColumn<double>("bandMm"); // the four lines and the gap under them
        QTest::addColumn<QString>("letters");
        QTest::newRow("bǐng, 18 mm") << 18 << QStringLiteral("bǐng") << 3 * 2.52 + 1
                                     << QStringLiteral("b0-2 ı1-2^3 n1-2 ɡ1-3");
        QTest::newRow("qiáng, 10 mm") << 10 << QStringLiteral("qiáng") << 7.0
                                      << QStringLiteral("q1-3 ı1-2:1 ɑ1-2^2 n1-2 ɡ1-3");
        QTest::newRow("lǜ and jué, 30 mm") << 30 << QStringLiteral("lǜjué") << 3 * 3.6 + 1
                                           << QStringLiteral("l0-2 u1-2^4:2 ȷ1-3:1 u1-2 e1-2^2");
        QTest::newRow("Tā, t shorter") << 20 << QStringLiteral("Tātā") << 3 * 2.8 + 1
                                       << QStringLiteral("T0-2 ɑ1-2^1 t0.333-2 ɑ1-2^1");
    }
    void fourLines()
    {
        QFETCH(int, cellMm);
        QFETCH(QString, pinyin);
        QFETCH(double, bandMm);
        QFETCH(QString, letters);
        SheetOptions options;
        options.cellMm = cellMm;
        const SheetLayout layout = layOut(options, { 5 });
        QVERIFY2(
            qAbs(layout.pinyinMm - bandMm) < 1e-9, qPrintable(QString::number(layout.pinyinMm)));
        QCOMPARE(3 * layout.fourLines.spaceMm + pinyinGapMm, layout.pinyinMm);
        const FourLines lines { 40, layout.fourLines.spaceMm };
        QCOMPARE(describe(placePinyin(pinyin, lines), lines), letters);
    }

    // The info line takes the words that fit beside the pinyin: fewer on A5 and in large cells.
    void infoLine_data()
    {
        QTest::addColumn<Paper>("paper");
        QTest::addColumn<int>("cellMm");
        QTest::addColumn<int>("words");
        QTest::addColumn<int>("shown");
        QTest::newRow("A4 18 mm") << Paper::A4 << 18 << 3 << 3;
        QTest::newRow("A5 18 mm") << Paper::A5 << 18 << 3 << 2;
        QTest::newRow("A5 30 mm") << Paper::A5 << 30 << 3 << 1;
        QTest::newRow("A5 12 mm") << Paper::A5 << 12 << 3 << 3;
        QTest::newRow("A4, one asked") << Paper::A4 << 18 << 1 << 1;
        QTest::newRow("A4, none asked") << Paper::A4 << 18 << 0 << 0;
    }
    void infoLine()
    {
        QFETCH(Paper, paper);
        QFETCH(int, cellMm);
        QFETCH(int, words);
        QFETCH(int, shown);
        SheetOptions options;
        options.paper = paper;
        options.cellMm = cellMm;
        options.words = words;
        const SheetLayout layout = layOut(options, { 10 });
        const QList<InfoWord> cardWords { { QStringLiteral("山峰"), QStringLiteral("shānfēng") },
            { QStringLiteral("高峰"), QStringLiteral("gāofēng") },
            { QStringLiteral("顶峰"), QStringLiteral("dǐngfēng") },
            { QStringLiteral("峰会"), QStringLiteral("fēnghuì") } };
        const QString info = infoText(QStringLiteral("山"), QStringLiteral("左右"), 10);
        QCOMPARE(info, QStringLiteral("部首 山 · 左右 · 10 画"));
        const QString line
            = sheets::infoLine(info, cardWords, layout.words, layout.infoWidthMm, layout.infoMm);
        QVERIFY(line.startsWith(info));
        QCOMPARE(line.count(QStringLiteral("峰")), shown);
        QVERIFY2(estimatedWidthMm(line, layout.infoMm) <= layout.infoWidthMm,
            qPrintable(QString::number(estimatedWidthMm(line, layout.infoMm))));
        // within the grid, right of the first cell
        QVERIFY(layout.infoLeftMm >= layout.leftMm + layout.cellMm);
        QVERIFY(layout.infoLeftMm + layout.infoWidthMm
            <= layout.leftMm + layout.columns * layout.cellMm + 1e-9);
        if (shown < words && shown < cardWords.size()) {
            const QString longer
                = sheets::infoLine(info, cardWords, layout.words, 1e6, layout.infoMm);
            QVERIFY(estimatedWidthMm(longer.left(line.size() + 12), layout.infoMm)
                > layout.infoWidthMm);
        }
    }

    // Words go after each other while they fit; a four-character word that does not goes to the
    // next row, and a word longer than a whole row runs over rows of its own.
    void wrapWords_data()
    {
        QTest::addColumn<Paper>("paper");
        QTest::addColumn<int>("cellMm");
        QTest::addColumn<QList<int>>("lengths");
        QTest::addColumn<QString>("rows");
        // A4: 186 mm across; a word of two at 18 mm takes 7 + 36 mm, 4 mm apart
        QTest::newRow("A4 four words wrap the fourth")
            << Paper::A4 << 18 << QList<int> { 2, 2, 2, 4 } << "0+2@7 1+2@54 2+2@101 / 3+4@7";
        QTest::newRow("A4 four characters fit")
            << Paper::A4 << 18 << QList<int> { 2, 4 } << "0+2@7 1+4@54";
        // A5: 124 mm across
        QTest::newRow("A5 four characters wrap")
            << Paper::A5 << 18 << QList<int> { 2, 2, 4 } << "0+2@7 1+2@54 / 2+4@7";
        QTest::newRow("A5 30 mm: longer than a row")
            << Paper::A5 << 30 << QList<int> { 1, 4, 1 } << "0+1@7 / 1+3@7 / 1.3+1@7 / 2+1@7";
    }
    void wrapWords()
    {
        QFETCH(Paper, paper);
        QFETCH(int, cellMm);
        QFETCH(QList<int>, lengths);
        QFETCH(QString, rows);
        DictationOptions options;
        options.paper = paper;
        options.cellMm = cellMm;
        const DictationLayout layout = layOutDictation(options, lengths);
        QCOMPARE(describe(layout.rows), rows);
        for (const WordRow &row : layout.rows) {
            for (const WordPiece &piece : row)
                QVERIFY(piece.leftMm + piece.count * layout.cellMm <= layout.widthMm + 1e-9);
        }
    }

    // Every page says which it is of how many; the answer page counts.
    void pageNumbers_data()
    {
        QTest::addColumn<bool>("dictation");
        QTest::addColumn<int>("items");
        QTest::addColumn<bool>("answers");
        QTest::addColumn<int>("pages");
        QTest::newRow("one character") << false << 1 << false << 1;
        QTest::newRow("sixty characters") << false << 60 << false << 12;
        // four words of two a row, eight rows of 30.56 mm a page
        QTest::newRow("32 words") << true << 32 << false << 1;
        QTest::newRow("33 words") << true << 33 << false << 2;
        QTest::newRow("33 words and answers") << true << 33 << true << 3;
    }
    void pageNumbers()
    {
        QFETCH(bool, dictation);
        QFETCH(int, items);
        QFETCH(bool, answers);
        QFETCH(int, pages);
        int count = 0;
        if (dictation) {
            DictationOptions options;
            options.answers = answers;
            count = layOutDictation(options, QList<int>(items, 2)).pageCount();
        } else {
            count = int(layOut(SheetOptions(), QList<int>(items, 5)).pages.size());
        }
        QCOMPARE(count, pages);
        QCOMPARE(pageNumberText(0, count), QStringLiteral("第 1 页 / 共 %1 页").arg(pages));
        QCOMPARE(
            pageNumberText(count - 1, count), QStringLiteral("第 %1 页 / 共 %1 页").arg(pages));
    }

    // A reading in brackets after a character is its own; repeats are kept when asked for.
    void entriesOf_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("keepRepeats");
        QTest::addColumn<QString>("entries");
        QTest::newRow("reading") << QStringLiteral("长(cháng)短") << false
                                 << QStringLiteral("长(cháng) 短");
        QTest::newRow("full-width brackets")
            << QStringLiteral("长（zhǎng）大") << false << QStringLiteral("长(zhǎng) 大");
        QTest::newRow("not a reading")
            << QStringLiteral("长(短)") << false << QStringLiteral("长 短");
        QTest::newRow("repeats dropped")
            << QStringLiteral("处处长(cháng)长") << false << QStringLiteral("处 长(cháng)");
        QTest::newRow("repeats kept") << QStringLiteral("处处") << true << QStringLiteral("处 处");
    }
    void entriesOf()
    {
        QFETCH(QString, text);
        QFETCH(bool, keepRepeats);
        QFETCH(QString, entries);
        QStringList actual;
        for (const SheetEntry &entry : sheets::entriesOf(text, keepRepeats))
            actual.append(entry.reading.isEmpty()
                    ? entry.hz
                    : QStringLiteral("%1(%2)").arg(entry.hz, entry.reading));
        QCOMPARE(actual.join(u' '), entries);
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
