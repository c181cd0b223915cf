// SPDX-License-Identifier: GPL-3.0-or-later
#include "pinyinkey.h"

#include "pinyininitials.h"

#include <array>

namespace {

constexpr qsizetype keyWidth = 6;

bool isCombiningMark(QChar c)
{
    return c.unicode() >= 0x0300 && c.unicode() <= 0x036f;
}

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// A Latin letter with marks (ǎ, ǘ, Ü) as its base letter; any other character as it is.
QChar baseLetter(QChar c)
{
    if (c.unicode() < 0x80 || c.script() != QChar::Script_Latin)
        return c;
    const QString decomposed = QString(c).normalized(QString::NormalizationForm_D);
    if (decomposed.size() < 2 || !isAsciiLetter(decomposed.at(0)))
        return c;
    for (qsizetype i = 1; i < decomposed.size(); ++i) {
        if (!isCombiningMark(decomposed.at(i)))
            return c;
    }
    return decomposed.at(0);
}

} // namespace

QString syllableFromComboText(const QString &comboText)
{
    qsizetype begin = 0;
    qsizetype end = comboText.size();
    while (begin < end && comboText.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && comboText.at(end - 1) == QLatin1Char(' '))
        --end;
    return comboText.mid(begin, end - begin);
}

QString tablePinyin(const QString &syllable)
{
    QString letters;
    letters.reserve(syllable.size());
    for (const QChar typed : syllable) {
        if (isCombiningMark(typed) && !letters.isEmpty() && isAsciiLetter(letters.back()))
            continue; // a tone mark or the diaeresis typed after its letter
        QChar c = baseLetter(typed);
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
        if (c == u'v')
            c = u'u';
        letters.append(c);
    }
    if (letters.size() >= 2 && letters.back() >= u'1' && letters.back() <= u'5'
        && isAsciiLetter(letters.at(letters.size() - 2)))
        letters.chop(1);
    return letters;
}

std::optional<QString> pinyinKey(const QString &comboText)
{
    const QString syllable = tablePinyin(syllableFromComboText(comboText));
    if (syllable.isEmpty() || syllable.size() > keyWidth)
        return std::nullopt;
    return syllable.leftJustified(keyWidth, QLatin1Char(' '));
}

std::optional<tables::Segment> pinyinKeySegment(const QString &key)
{
    if (key.isEmpty())
        return std::nullopt;
    const QChar first = key.at(0);
    for (std::size_t g = 0; g < pinyininitials::groups.size(); ++g) {
        if (QLatin1String(pinyininitials::groups[g]).contains(first, Qt::CaseSensitive))
            return tables::Segment(int(tables::Segment::Text1bh1) + int(g));
    }
    return std::nullopt;
}
