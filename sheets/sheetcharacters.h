// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPainterPath>
#include <QString>
#include <QStringList>

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

// The characters of the text (charactersOf) looked up in the store: the record's reading and
// the outline it is drawn from. Moves the store's current record.
SheetCharacters loadCharacters(RecordStore &store, const QString &text);

} // namespace sheets
