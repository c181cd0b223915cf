// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "card.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace card {
class CardStore;
}

// The radical index (部首检字), widget-free, over the card store: the radical table grouped by
// stroke count, the characters of a radical and the characters that contain given parts.
namespace radical {

// A main radical of the table with its attached forms (言 with 讠).
struct Radical {
    QString form;
    QStringList attachedForms;
};

// The main radicals of one stroke count, in table order.
struct StrokeGroup {
    int strokes = 0;
    QList<Radical> radicals;
};

// A character as a list shows it.
struct Listed {
    QString character;
    // strokes outside the radical looked up (filed here: as filed; containing it: total strokes
    // minus the part's); for a part search, outside the character's own radical; -1 unknown
    int strokesOutsideRadical = -1;
    bool filedHere = false; // filed under the radical (or under one of the parts)
    int strokes = 0; // total strokes
};

// What a look-up found; unknown holds the forms the index does not know (then the list is empty).
struct Found {
    QList<Listed> characters;
    QStringList unknown;
    bool cut = false; // the limit left some characters out
};

class RadicalIndex {
public:
    // Reads the radical table from the store (which must outlive the index); an index over a
    // store without the table knows no radical and no part.
    explicit RadicalIndex(const card::CardStore &store);

    bool isEmpty() const;
    QList<StrokeGroup> radicalsByStrokes() const;
    // Every form of the radicals form belongs to (讠: 言 讠 訁; 阝: 邑 阜 and theirs); empty for
    // a form not in the table.
    QStringList formsOf(const QString &form) const;

    // The characters filed under the radical of form (any of its forms), by strokes outside it,
    // then those that only contain one of its forms, by strokes outside that form; with a limit,
    // no more of the latter than that, those of fewest strokes.
    Found filing(const QString &form, int limit = 0) const;

    // The characters containing every part of text (its characters, white space and punctuation
    // left out; a radical stands for all its forms), fewest strokes first; with a limit, no more
    // than that.
    Found withParts(const QString &text, int limit = 0) const;

    // The parts of a typed or pasted text: its characters without white space or punctuation.
    static QStringList partsOf(const QString &text);

private:
    const card::CardStore &m_store;
    QList<card::RadicalForm> m_table;
    QHash<QString, QStringList> m_forms; // form -> every form of its radicals
    QHash<QString, int> m_strokes; // form -> its strokes
};

} // namespace radical
