// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

// TextSearch over one segment text, with the state both searches share: the search position and
// the two outcome captions (Label1bh: "1" found / "0" not; Label2bh: the character found).
class TableSearch {
public:
    // Finds the next occurrence of key at or after the search position and reports the character
    // just before it, the character of the row whose field holds the key. A miss resets the
    // position to 0 and leaves Label2bh as it was. Only whole-field occurrences count (right
    // after a row's character, up to its CR LF): an empty key, a key shorter than a field or one
    // that would stand at the start of a row finds nothing, as it is no row's field.
    void TextSearch(const QString &segment, const QString &key);

    int position = 0;
    QString Label1bh = QStringLiteral("0");
    QString Label2bh = QStringLiteral("Label2");
};

// The segment search of the hidden buttons: empties the result box, then appends every character
// found for the key, each followed by one space. The key and the result box are read afresh on
// every pass, and every assignment goes through setResult, so the box's change handling runs
// inside the loop, once per assignment.
void segmentSearch(TableSearch &search, const QString &segment, const std::function<QString()> &key,
    const std::function<QString()> &result, const std::function<void(const QString &)> &setResult);
