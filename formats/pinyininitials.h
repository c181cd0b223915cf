// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

// The pinyin segments Text1bh1..Text1bh5 by the first letter of their syllables: the alphabet in
// five groups. datagen files each syllable by its first letter, the pinyin search picks the
// segment of a key by its first character. No syllable begins with i, u or v: a key that does
// finds nothing in its segment.
namespace pinyininitials {

inline constexpr std::array<const char *, 5> groups
    = { "abcde", "fghijk", "lmnopq", "rstuvwx", "yz" };

} // namespace pinyininitials
