// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>
#include <QString>

#include <array>

// The five stroke kinds of the stroke codes, the stroke classes and the stroke drop-downs, in the
// order of their digits 1 to 5.
namespace strokekinds {

struct Kind {
    char16_t digit; // '1'..'5', as the stroke codes and classes write it
    char16_t symbol; // as the stroke drop-downs show it
    char16_t name; // the kind's name
};

inline constexpr std::array<Kind, 5> kinds = { {
    { u'1', u'\u4E00', u'\u6A2A' }, // 一 横
    { u'2', u'\u4E28', u'\u7AD6' }, // 丨 竖
    { u'3', u'\u4E3F', u'\u6487' }, // 丿 撇
    { u'4', u'\u4E36', u'\u70B9' }, // 丶 点
    { u'5', u'\u4E59', u'\u6298' }, // 乙 折
} };

// The digit of a text that is exactly one kind's symbol, else '0'.
QChar digitOfSymbol(const QString &text);

// The kind of a stroke's own name (as the facts file names strokes): 横 提 -> 1, 竖 竖钩 -> 2,
// 撇 -> 3, 点 捺 -> 4, every other (turning) stroke -> 5.
QChar digitOfStrokeName(const QString &name);

} // namespace strokekinds
