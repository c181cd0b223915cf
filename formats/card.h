// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// One character's card: what a lesson on a new character teaches (readings with their words and
// meanings, radical, structure, strokes, traditional forms, level), as stored in card.db.
namespace card {

struct Word {
    QString word; // 银行
    QString pinyin; // yínháng (tone marks, syllables joined as in a dictionary)
};

struct Reading {
    QString pinyin; // háng (tone marks)
    QList<Word> words; // up to 8, most common first
    QStringList meanings; // English, most common sense first
};

struct Traditional {
    QString form; // 發
    QString sense; // "send out" (empty when the form covers every sense)
};

struct Card {
    QString character; // one character (may be outside the BMP)
    QList<Reading> readings {}; // most used first; never empty in a stored card
    QString radical {}; // the modern table's radical (宀); empty: no rule decides
    QString kangxiRadical {}; // Kangxi radical from kRSUnicode (子); may equal radical
    int strokes = 0; // total strokes
    int strokesOutsideRadical = -1; // -1 when radical is empty
    // 独体 左右 左中右 上下 上中下 半包围(左上) 全包围 品字形 ...; empty: unknown
    QString structure {};
    QStringList strokeNames {}; // 撇 竖 横折 ... in writing order (from characters.tsv)
    QList<Traditional> traditional {}; // empty when the traditional form is the same
    int level = 0; // 1, 2 or 3 of the 2013 general standard list; 0: not in it
    QStringList parts {}; // the components the decomposition knows (for the radical index)
};

// One form of the modern radical table: a main radical (言) or one of its attached forms (讠).
struct RadicalForm {
    QString form;
    QString main; // empty for a main radical; the main radical of an attached form
    int strokes = 0;
};

// A character as the radical index lists it.
struct IndexEntry {
    QString character;
    QString radical; // as filed; empty when no rule decides
    int strokes = 0; // total strokes
    int strokesOutsideRadical = -1; // -1 when radical is empty
    int level = 0; // 1, 2 or 3 of the 2013 list; 0: not in it
};

} // namespace card
