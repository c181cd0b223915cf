#include "pinyinkey.h"

#include <array>

namespace {

constexpr qsizetype keyWidth = 6;

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

std::optional<QString> pinyinKey(const QString &comboText)
{
    const QString syllable = syllableFromComboText(comboText);
    if (syllable.isEmpty() || syllable.size() > keyWidth)
        return std::nullopt;
    return syllable.leftJustified(keyWidth, QLatin1Char(' '));
}

std::optional<tables::Segment> pinyinKeySegment(const QString &key)
{
    struct Group
    {
        const char *letters;
        tables::Segment segment;
    };
    static constexpr std::array<Group, 5> groups = {{
        {"abcde", tables::Segment::Text1bh1},
        {"fghijk", tables::Segment::Text1bh2},
        {"lmnopq", tables::Segment::Text1bh3},
        {"rstuvwx", tables::Segment::Text1bh4},
        {"yz", tables::Segment::Text1bh5},
    }};
    if (key.isEmpty())
        return std::nullopt;
    const QChar first = key.at(0);
    for (const Group &group : groups) {
        if (QLatin1String(group.letters).contains(first, Qt::CaseSensitive))
            return group.segment;
    }
    return std::nullopt;
}
