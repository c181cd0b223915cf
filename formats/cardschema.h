// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "card.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class QSqlDatabase;

// card.db's layout, the one place that says which tables and columns the file has and how a card
// is laid out in them. cardgen and the test fixtures write it through writeFile; the card store
// reads it through readCard and readReadings.
//   info (key, value)                         "format": formatVersion
//   cards (character, radical, kangxi_radical, strokes, strokes_outside_radical, structure,
//          stroke_names, traditional, level, parts)
//   readings (character, position, pinyin, words, meanings)   position 0 is the most used
//   radicals (position, form, main, strokes)  the radical table in its order, each main radical
//                                             followed by its attached forms (阝 under 邑 and 阜)
//   part_index (part, character)              every part of every card, for the radical index
// cards is indexed on radical, for the radical index; the parts are also a list in cards. A file
// without the last two tables (made before them) still reads as cards; its radical index is
// empty.
// A list is stored as its items joined by line feeds; a pair (word and pinyin, form and sense) as
// its two halves joined by a tab. No item holds either character.
namespace cardschema {

inline constexpr int formatVersion = 1;

// Writes the cards into a new SQLite file at path (which must not exist yet). On failure returns
// false with the reason in *error.
bool writeFile(const QString &path, const QList<card::Card> &cards, QString *error);
// The same with the radical table, for the radical index.
bool writeFile(const QString &path, const QList<card::Card> &cards,
    const QList<card::RadicalForm> &radicalTable, QString *error);

// True when db is a card file of this format.
bool hasFormat(const QSqlDatabase &db);

// The card of character; nullopt when the file has none or it has no reading.
std::optional<card::Card> readCard(const QSqlDatabase &db, const QString &character);

// The readings of character, most used first; empty when it has no card.
QStringList readReadings(const QSqlDatabase &db, const QString &character);

// The radical table in its order; empty when the file has none.
QList<card::RadicalForm> readRadicalTable(const QSqlDatabase &db);

// The characters filed under any of forms, in no set order.
QList<card::IndexEntry> readFiledUnder(const QSqlDatabase &db, const QStringList &forms);

// The characters that have, for every group, one of its forms among their parts (想 has 木 and
// one of 心 忄 ⺗), in no set order. Empty for no group. With a limit, only that many: those of
// fewest strokes, commoner first (level 1, 2, 3, then none), then by code point.
QList<card::IndexEntry> readContaining(
    const QSqlDatabase &db, const QList<QStringList> &groups, int limit = 0);

// Whether text is a part of some character or a form of the radical table.
bool isKnownPart(const QSqlDatabase &db, const QString &text);

} // namespace cardschema
