// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "card.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

class QUrl;

// The character card written out, free of widgets: as plain text and JSON for the command line,
// as rich text for the card window, and the readings as the panel of the main window shows them.
namespace card {

// Plain text, one fact a line: the character; its readings; 部首 · 结构 · 笔画 · 等级; the Kangxi
// radical where it differs; the stroke names; the traditional forms; then each reading with its
// words and meanings. Ends with a line break.
QString plainText(const Card &card);

// The keys character, readings [{pinyin, words [{word, pinyin}], meanings}], radical,
// kangxi_radical, strokes, strokes_outside_radical, structure, stroke_names, traditional
// [{form, sense}], level. What the data leaves open is null: an empty radical or structure,
// strokes outside no radical, level 0 (not in the list of general standard characters).
QJsonObject jsonObject(const Card &card);

// The card window's rich text. Every character of a word is a link (see linkedCharacter); all
// text is escaped.
QString html(const Card &card);
// The character a link of html() shows; empty for any other address.
QString linkedCharacter(const QUrl &link);

// The panel's pinyin: every reading separated by a space, those whose syllable (read as a
// search reads it: no tone, ü as u) is the searched one first, the others after, each group in
// its order. The stored reading alone where the card has no readings.
QString panelPinyin(
    const QStringList &readings, const QString &storedReading, const QString &searchedSyllable);

// The characters of a text, a surrogate pair taken as one.
QStringList textCharacters(const QString &text);

} // namespace card
