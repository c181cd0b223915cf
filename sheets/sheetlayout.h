// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QSizeF>
#include <QString>
#include <QStringList>

// The practice sheet's layout rules, free of widgets and painting: what the sheet holds, where
// its cells lie on the page and which page each row group goes to. All lengths in millimetres.
namespace sheets {

enum class Grid { Tian, Mi, Square }; // 田字格, 米字格, 方格
enum class Paper { A4, A5, Letter };
enum class TracingColour { Grey, Red }; // the copies to trace: light grey, or light red (描红)

inline constexpr int minCellMm = 10;
inline constexpr int maxCellMm = 30;
inline constexpr int maxTracing = 10;
inline constexpr int maxExtraRows = 5;
inline constexpr int maxInputLength = 300; // characters typed or pasted into the characters field
inline constexpr int maxTitleLength = 40; // the title: more than a line of the widest paper holds
inline constexpr double pageMarginMm = 12;
inline constexpr double groupGapMm = 2; // between two row groups
inline constexpr double titleBandMm = 12;
inline constexpr double nameLineBandMm = 8; // 班级 ____ 姓名 ____ 日期 ____
inline constexpr double headerGapMm = 4; // between the header and the first row group
inline constexpr int maxWords = 3; // 组词 on a character's info line
inline constexpr double pinyinGapMm = 1; // between the four lines and the cells beneath
inline constexpr double minStrokeNameMm = 1.5; // smaller stroke names are left out
inline constexpr double strokeNameShare = 0.15; // a stroke name's type size, of the cell
inline constexpr double pageNumberBaselineMm = 6; // from the paper's bottom edge
inline constexpr double infoIndentMm = 2; // between the pinyin's cell and the info line

// What the sheet is to look like; the defaults are the dialog's.
struct SheetOptions {
    Grid grid = Grid::Tian;
    int cellMm = 18;
    int tracing = 3; // light grey copies to trace, after the stroke-order cells
    int extraRows = 1; // empty rows after each character's rows
    Paper paper = Paper::A4;
    bool landscape = false;
    bool pinyin = true;
    QString title = QStringLiteral("练字帖");
    bool model = true; // 范字: the whole character in black in the first cell
    bool strokeNames = true; // each stroke-order cell's stroke name in small type
    bool info = true; // 部首 · 结构 · 笔画 and the words beside the pinyin
    int words = maxWords; // 组词 on the info line, 0-maxWords
    TracingColour tracingColour = TracingColour::Grey;
    bool keepRepeats = false; // 保留重复的字: a character typed twice is drilled twice
    bool classField = true; // 班级 ____ in the header
};

// One character of the text, and the reading the teacher wrote after it (长(cháng)), or empty.
struct SheetEntry {
    QString hz;
    QString reading;

    bool operator==(const SheetEntry &) const = default;
};

// The characters of typed or pasted text in order, as charactersOf, each once unless
// keepRepeats; a reading in brackets right after a character (长(cháng), 长（zhǎng）) is that
// character's, the brackets and the reading are no characters.
QList<SheetEntry> entriesOf(const QString &text, bool keepRepeats = false);

// The words of typed or pasted text for the dictation sheet: runs of letters and digits between
// white space, punctuation and symbols, each once, in order.
QStringList wordsOf(const QString &text);

// The four lines of 四线三格: lines k = 0..3 at topMm + k * spaceMm. Pinyin's small letters stand
// in the middle space, ascenders reach the top line, descenders the bottom line, tone marks
// and the dots of i, j and ü sit in the top space.
struct FourLines {
    double topMm = 0;
    double spaceMm = 0;
    double line(int k) const { return topMm + k * spaceMm; }
};

// One of the three spaces for cells of cellMm.
double fourLineSpaceMm(double cellMm);

// One letter of pinyin as it is written on the four lines: its body (a as ɑ, g as ɡ, i and j
// without their dot, ü as u), the body's top and bottom, its tone (1-4, 0 none) and the dots
// above it (1 for i and j without a tone mark, 2 for ü).
struct PinyinLetter {
    char32_t body = 0;
    double topMm = 0;
    double bottomMm = 0;
    int tone = 0;
    int dots = 0;
};

// The letters of a pinyin text with tone marks (one syllable or a word, yínháng), placed on the
// lines. Capitals and b d f h k l reach the top line, t two thirds of the way up the top space,
// g j p q y the bottom line; others and the rest stand in the middle space.
QList<PinyinLetter> placePinyin(const QString &pinyin, const FourLines &lines);

// A stroke name's type size inside the bottom of a cell of cellMm, or 0 where a name of
// nameLength characters does not fit at minStrokeNameMm.
double strokeNameSizeMm(double cellMm, int nameLength);

// A word of the card with its reading, for the info line.
struct InfoWord {
    QString word;
    QString pinyin;
};

// "部首 山 · 左右 · 10 画"; an unknown radical or structure is left out.
QString infoText(const QString &radical, const QString &structure, int strokes);

// The width of text in type of sizeMm, estimated: a CJK character one em, anything else 0.6 em.
double estimatedWidthMm(const QString &text, double sizeMm);

// The info text and the first of the words (at most maxWords) that fit within widthMm at sizeMm,
// "部首 山 · 左右 · 10 画　山峰 shānfēng　高峰 gāofēng"; the info text alone where no word fits.
QString infoLine(
    const QString &info, const QList<InfoWord> &words, int maxWords, double widthMm, double sizeMm);

// The info line's type size for a band over cells of cellMm.
double infoSizeMm(double cellMm);

// "第 1 页 / 共 3 页", page counted from 0.
QString pageNumberText(int page, int pageCount);

// The characters of typed or pasted text, each once, in order of first appearance: white space,
// punctuation, symbols and control characters are dropped. A character beyond the Basic
// Multilingual Plane is one item (two UTF-16 code units).
QStringList charactersOf(const QString &text, bool keepRepeats = false);

// The paper's size, turned for landscape.
QSizeF paperSizeMm(Paper paper, bool landscape);

// How many cells of cellMm fit across paperWidthMm between two margins of marginMm; at least 1.
int cellsPerRow(double paperWidthMm, double marginMm, double cellMm);

// The header's height: the title band (only where there is a title), the line for class, name
// and date, and the gap beneath.
double headerHeightMm(const QString &title);

enum class CellKind { StrokeOrder, Tracing, Empty, Model };

struct Cell {
    CellKind kind = CellKind::Empty;
    int strokes = 0; // strokes shown by a stroke-order cell: the last of them is the new one
};

// One character's cells in reading order: the 范字 where model is on, a stroke-order cell per
// stroke (cell k shows the first k strokes), running on into the next row where the character
// has more strokes than a row has cells, then `tracing` copies to trace, then empty cells to the
// end of the row, then extraRows empty rows.
int rowsOfCharacter(int strokeCount, int columns, int tracing, int extraRows, bool model = false);
Cell cellOf(int strokeCount, int tracing, int columns, int row, int column, bool model = false);

// One piece of a row group on a page: rows [firstRow, firstRow + rowCount) of the group, the
// first of them at topMm from the paper's top edge (a pinyin band lies above it where firstRow
// is 0 and pinyin is on).
struct Slice {
    int group = 0;
    int firstRow = 0;
    int rowCount = 0;
    double topMm = 0;

    bool operator==(const Slice &) const = default;
};
using Page = QList<Slice>;

// The whole sheet: the grid's place and the pages.
struct SheetLayout {
    QSizeF paperMm;
    double leftMm = 0; // the grid's left edge, centred on the paper
    double headerTopMm = 0;
    double headerMm = 0;
    int columns = 1;
    double cellMm = 0;
    double pinyinMm = 0; // the band above each character's rows, 0 where pinyin and info are off
    FourLines fourLines; // the band's lines, topMm from the band's top; spaceMm 0: no pinyin
    double infoMm = 0; // the info line's type size, 0 where it is off
    double infoLeftMm = 0; // the info line's room in the band: right of the first cell
    double infoWidthMm = 0;
    int words = 0; // 组词 on the info line
    Grid grid = Grid::Tian;
    int tracing = 0; // copies to trace per character
    TracingColour tracingColour = TracingColour::Grey;
    bool model = false;
    bool strokeNames = false;
    bool classField = true;
    QList<int> groupRows; // rows per character
    QList<Page> pages;
};

// Lays row groups out top to bottom, page by page, under the header each page has. A group
// that does not fit under the last one starts a new page; only a group taller than a whole page
// is split, at row boundaries, and then it starts on a page of its own.
QList<Page> paginate(const QList<int> &groupRows, double bodyTopMm, double bodyBottomMm,
    double cellMm, double pinyinMm);

// The layout for characters of the given stroke counts (each at least 1).
SheetLayout layOut(const SheetOptions &options, const QList<int> &strokeCounts);

} // namespace sheets
