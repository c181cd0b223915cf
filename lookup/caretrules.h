// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Which character the input box and the result box look up, from their text and caret. Positions
// count UTF-16 code units as the boxes do; a character is one code unit, or a surrogate pair,
// which is never split, so a character outside the Basic Multilingual Plane is looked up whole.
namespace caretrules {

// The character that ends at position end (the one just before it).
QString characterBefore(const QString &text, qsizetype end);
// The character that starts at position start (the one just after it).
QString characterAfter(const QString &text, qsizetype start);

// Text5 changed: the last character of the text, trailing spaces, line ends and punctuation
// left aside (a character pasted with its line end, or with the full stop after it); nothing when
// the text is empty or only white space. A text of punctuation alone gives its last character.
QString inputBoxChangeCharacter(const QString &text);

// Text5 clicked or a key released there, caret p: the first character at p = 0, at the end the
// one inputBoxChangeCharacter gives, otherwise the one after the caret. Nothing for an empty
// text.
QString inputBoxCaretCharacter(const QString &text, qsizetype caret);

// Text6 key released, caret p: the character before the caret; nothing at p = 0.
QString resultBoxKeyCharacter(const QString &text, qsizetype caret);

// Text6 clicked: the selection that the click leaves (start, length). With no selection, the
// character after the caret; a single selected space moves back to the character before it (a
// space at the very start selects nothing). Any other selection stays as it is.
struct Selection {
    qsizetype start = 0;
    qsizetype length = 0;
};
Selection resultBoxClickSelection(const QString &text, Selection selection);

} // namespace caretrules
