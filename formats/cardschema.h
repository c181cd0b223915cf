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
// cards is indexed on radical, for the radical index; the parts are a list in cards (a table of
// them, indexed on the part, would add a third to the file).
// A list is stored as its items joined by line feeds; a pair (word and pinyin, form and sense) as
// its two halves joined by a tab. No item holds either character.
namespace cardschema {

inline constexpr int formatVersion = 1;

// Writes the cards into a new SQLite file at path (which must not exist yet). On failure returns
// false with the reason in *error.
bool writeFile(const QString &path, const QList<card::Card> &cards, QString *error);

// True when db is a card file of this format.
bool hasFormat(const QSqlDatabase &db);

// The card of character; nullopt when the file has none or it has no reading.
std::optional<card::Card> readCard(const QSqlDatabase &db, const QString &character);

// The readings of character, most used first; empty when it has no card.
QStringList readReadings(const QSqlDatabase &db, const QString &character);

} // namespace cardschema
