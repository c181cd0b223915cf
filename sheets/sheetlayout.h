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

inline constexpr int minCellMm = 10;
inline constexpr int maxCellMm = 30;
inline constexpr int maxTracing = 10;
inline constexpr int maxExtraRows = 5;
inline constexpr int maxInputLength = 300; // characters typed or pasted into the characters field
inline constexpr int maxTitleLength = 40; // the title: more than a line of the widest paper holds
inline constexpr double pageMarginMm = 12;
inline constexpr double groupGapMm = 2; // between two row groups
inline constexpr double pinyinBandMm = 6; // above a row group's first row, where pinyin is on
inline constexpr double titleBandMm = 12;
inline constexpr double nameLineBandMm = 8; // 姓名 ____ 日期 ____
inline constexpr double headerGapMm = 4; // between the header and the first row group

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
};

// The characters of typed or pasted text, each once, in order of first appearance: white space,
// punctuation, symbols and control characters are dropped. A character beyond the Basic
// Multilingual Plane is one item (two UTF-16 code units).
QStringList charactersOf(const QString &text);

// The paper's size, turned for landscape.
QSizeF paperSizeMm(Paper paper, bool landscape);

// How many cells of cellMm fit across paperWidthMm between two margins of marginMm; at least 1.
int cellsPerRow(double paperWidthMm, double marginMm, double cellMm);

// The header's height: the title band (only where there is a title), the line for name and date,
// and the gap beneath.
double headerHeightMm(const QString &title);

enum class CellKind { StrokeOrder, Tracing, Empty };

struct Cell {
    CellKind kind = CellKind::Empty;
    int strokes = 0; // strokes shown by a stroke-order cell: the last of them is the new one
};

// One character's cells in reading order: a stroke-order cell per stroke (cell k shows the first
// k strokes), running on into the next row where the character has more strokes than a row has
// cells, then `tracing` copies to trace, then empty cells to the end of the row, then extraRows
// empty rows.
int rowsOfCharacter(int strokeCount, int columns, int tracing, int extraRows);
Cell cellOf(int strokeCount, int tracing, int columns, int row, int column);

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
    double pinyinMm = 0; // the pinyin band's height, 0 where pinyin is off
    Grid grid = Grid::Tian;
    int tracing = 0; // copies to trace per character
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
