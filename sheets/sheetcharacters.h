// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDeadlineTimer>
#include <QHash>
#include <QList>
#include <QPainterPath>
#include <QString>
#include <QStringList>

#include <optional>

class RecordStore;

namespace sheets {

// One character of a sheet: its reading and its strokes in writing order (1024 box, y up).
struct SheetCharacter {
    QString hz;
    QString pinyin;
    QList<QPainterPath> strokes;
};

struct SheetCharacters {
    QList<SheetCharacter> usable;
    QStringList missing; // characters of the text without a record or without stroke outlines
};

// What was found of each character looked up: nullopt for one left out.
using LoadedCharacters = QHash<QString, std::optional<SheetCharacter>>;

// The characters of the text (charactersOf) looked up in the store: the record's reading and
// the outline it is drawn from. Moves the store's current record. With a cache, a character
// looked up before is taken from it (the dialog, at each key typed).
SheetCharacters loadCharacters(
    RecordStore &store, const QString &text, LoadedCharacters *cache = nullptr);

// Looks up characters of the text not yet in the cache, at least minimumCount of them and then
// until the deadline; returns whether every character of the text is in the cache now (then
// loadCharacters with that cache reads nothing). The dialog reads a long paste so, a slice at a
// time, and stays responsive.
bool loadIntoCache(RecordStore &store, const QString &text, LoadedCharacters &cache,
    int minimumCount, const QDeadlineTimer &deadline);

} // namespace sheets
