// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sheetlayout.h"

#include <QList>
#include <QSizeF>
#include <QString>

// The layout rules of the 看拼音写词语 sheet (dictation: each word's pinyin on the four lines
// above one empty cell per character; the pupils write the characters), free of widgets and
// painting. All lengths in millimetres.
namespace sheets {

inline constexpr double dictationNumberMm = 7; // "12." left of a word's cells
inline constexpr double dictationWordGapMm = 4; // between one word's cells and the next number
inline constexpr double dictationRowGapMm = 4; // between a row's cells and the next row's band

// A word of the dictation sheet and its reading, syllables joined (yínháng).
struct DictationWord {
    QString word;
    QString pinyin;
};

// What the dictation sheet is to look like; the defaults are the dialog's.
struct DictationOptions {
    Grid grid = Grid::Tian;
    int cellMm = 18;
    Paper paper = Paper::A4;
    bool landscape = false;
    QString title = QStringLiteral("看拼音写词语");
    bool classField = true; // 班级 ____ in the header
    bool answers = false; // a last page with the words in characters, for the teacher
};

// Cells [firstCharacter, firstCharacter + count) of one word on a row, their left edge leftMm
// from the grid's left edge; numbered where the word starts.
struct WordPiece {
    int word = 0;
    int firstCharacter = 0;
    int count = 0;
    double leftMm = 0;
    bool numbered = true;

    bool operator==(const WordPiece &) const = default;
};
using WordRow = QList<WordPiece>;

// The words, of the given lengths in characters, in rows of widthMm: each word a number and
// its cells, after the previous word and a gap where it fits, else on the next row; a word
// longer than a whole row goes on across rows of its own.
QList<WordRow> wrapWords(const QList<int> &wordLengths, double widthMm, double cellMm);

struct DictationLayout {
    QSizeF paperMm;
    double leftMm = 0; // the rows' left edge
    double widthMm = 0;
    double headerTopMm = 0;
    double headerMm = 0;
    double cellMm = 0;
    double bandMm = 0; // the four lines and the gap above each row's cells
    double rowMm = 0; // from one row's band to the next
    double spaceMm = 0; // of the four lines
    Grid grid = Grid::Tian;
    bool classField = true;
    QList<WordRow> rows;
    QList<QList<int>> pages; // the rows of each page, by index into rows
    bool answers = false; // an answer page follows the pages
    double bodyTopMm = 0; // the first row's band on every page
    int pageCount() const { return int(pages.size()) + (answers ? 1 : 0); }
};

DictationLayout layOutDictation(const DictationOptions &options, const QList<int> &wordLengths);

} // namespace sheets
