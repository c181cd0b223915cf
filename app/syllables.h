// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// The 400 pinyin syllables of Combo6, in the pinyin table's order: lower-case letters without
// tone, ü written u. The first 55 ("a" to "cuo") are added at window creation, the rest
// ("da" to "zuo") at start-up completion.
namespace syllables {

inline constexpr int firstBatch = 55;

const QStringList &all();

} // namespace syllables
