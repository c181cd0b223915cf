// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "segments.h"

#include <QString>

#include <array>
#include <optional>

// The stroke code of the five stroke drop-downs (Combo1..Combo5, first to fourth and last stroke):
// five digits, one per drop-down in order. A text counts as a stroke only when it is exactly one
// of the symbols 一 丨 丿 丶 乙, giving "1".."5"; any other text (" ", "", "1", "一一", " 一")
// gives "0".
QString strokeCode(const std::array<QString, 5> &comboTexts);

// The stroke-code segment searched for a code: Text1bh1w..Text1bh5w by its first digit "1".."5";
// none for a code beginning with "0" (the first drop-down holds no stroke) or with anything else.
std::optional<tables::Segment> strokeCodeSegment(const QString &code);
