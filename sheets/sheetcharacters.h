// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dictationlayout.h"
#include "sheetlayout.h"

#include <QDeadlineTimer>
#include <QHash>
#include <QList>
#include <QPainterPath>
#include <QString>
#include <QStringList>

#include <optional>

class RecordStore;

namespace card {
class CardStore;
}

namespace sheets {

// One character of a sheet: its reading and its strokes in writing order (1024 box, y up), and
// what its info line and stroke-order cells print where the character card knows it.
struct SheetCharacter {
    QString hz;
    QString pinyin;
    QList<QPainterPath> strokes;
    QStringList strokeNames; // 撇 竖 横折 ... in writing order; empty: unknown
    QString radical; // empty: unknown
    QString structure; // 左右 ...; empty: unknown
    QList<InfoWord> words; // 组词 with the reading taught, most common first
};

struct SheetCharacters {
    QList<SheetCharacter> usable;
    QStringList missing; // characters of the text without a record or without stroke outlines
};

// What was found of each entry looked up (cacheKey): nullopt for one left out.
using LoadedCharacters = QHash<QString, std::optional<SheetCharacter>>;

// The characters of the text (entriesOf) looked up in the store: the outline each is drawn
// from, and its reading: the one written after the character, else the card's most common,
// else the record's. Where cards is given and knows the character, its stroke names, radical,
// structure and the words of the reading taught come from its card. Moves the store's current
// record. With a cache, an entry looked up before is taken from it (the dialog, at each key
// typed); a cache serves one card store only.
SheetCharacters loadCharacters(RecordStore &store, const QString &text, bool keepRepeats = false,
    const card::CardStore *cards = nullptr, LoadedCharacters *cache = nullptr);

// Looks up entries of the text not yet in the cache, at least minimumCount of them and then
// until the deadline; returns whether every entry of the text is in the cache now (then
// loadCharacters with that cache reads nothing). The dialog reads a long paste so, a slice at a
// time, and stays responsive.
bool loadIntoCache(RecordStore &store, const QString &text, LoadedCharacters &cache,
    int minimumCount, const QDeadlineTimer &deadline, const card::CardStore *cards = nullptr);

// card.db beside Photo.mdb.
QString cardFileBeside(const QString &databaseFile);

struct DictationWords {
    QList<DictationWord> usable;
    QStringList missing; // words with a character the store has no reading of
};

// The words of the text (wordsOf) with their readings: the reading of the word among the words
// on its characters' cards (银行 yínháng), else each character's most common reading (the
// card's, else the record's), syllables joined. Moves the store's current record.
DictationWords loadWords(
    RecordStore &store, const QString &text, const card::CardStore *cards = nullptr);

// The dictation sheet's words when they are "the card's first words for these characters": for
// each character of the text (charactersOf), the first word of its most used reading on its
// card, joined by spaces for loadWords. The characters whose card has no word (or that have no
// card) are added to *without.
QString firstCardWords(const QString &text, const card::CardStore &cards, QStringList *without);

} // namespace sheets
