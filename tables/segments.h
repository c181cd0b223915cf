// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The ten segments of the built-in tables, each one text of fixed-width rows ending in CR LF:
// Text1bh1w..Text1bh5w hold the stroke-code rows (character + five digits) by the code's first
// digit; Text1bh1..Text1bh5 the pinyin rows (character + syllable padded to six columns) for the
// initials a-e, f-k, l-q, r-x, y-z, each closed by a blank row of eight spaces.
namespace tables {

enum class Segment {
    Text1bh1w,
    Text1bh2w,
    Text1bh3w,
    Text1bh4w,
    Text1bh5w,
    Text1bh1,
    Text1bh2,
    Text1bh3,
    Text1bh4,
    Text1bh5,
};

inline constexpr int segmentCount = 10;

// The segment's name, which is also the name of its file in tables/segments/.
QString segmentName(Segment segment);

// The segment's text, read once from the program's resources.
const QString &segmentText(Segment segment);

} // namespace tables
