// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "segments.h"

#include <QString>

#include <optional>

// The syllable typed or picked in the pinyin list: its text without leading and trailing spaces
// (U+0020 only). An empty syllable is no entry at all.
QString syllableFromComboText(const QString &comboText);

// The syllable as the table writes it, from the way people type it: upper case lowered, tone
// marks (precomposed or combining) dropped from the letters, one tone digit 1-5 after a letter
// dropped at the end, and v and ü read as u ("lv", "lü" are "lu"). Anything else is kept as it is.
QString tablePinyin(const QString &syllable);

// The six-column pinyin key for a syllable entry (the text is trimmed, then read by tablePinyin):
// a syllable of 1 to 5 characters padded with spaces to six, one of exactly six as is. None for
// an empty syllable or one longer than six, which leaves the last key in place.
std::optional<QString> pinyinKey(const QString &comboText);

// The pinyin segment searched for a key, by its first character (untrimmed), by exact,
// case-sensitive membership in the initial groups of pinyininitials: Text1bh1..Text1bh5. The
// groups are disjoint, so at most one applies; any other first character (upper case, digit,
// space) or an empty key selects none.
std::optional<tables::Segment> pinyinKeySegment(const QString &key);
