// SPDX-License-Identifier: GPL-3.0-or-later
#include "strokecode.h"

#include "strokekinds.h"

QString strokeCode(const std::array<QString, 5> &comboTexts)
{
    QString code;
    code.reserve(int(comboTexts.size()));
    for (const QString &text : comboTexts)
        code += strokekinds::digitOfSymbol(text);
    return code;
}

std::optional<tables::Segment> strokeCodeSegment(const QString &code)
{
    static constexpr std::array<tables::Segment, 5> segments = {
        tables::Segment::Text1bh1w,
        tables::Segment::Text1bh2w,
        tables::Segment::Text1bh3w,
        tables::Segment::Text1bh4w,
        tables::Segment::Text1bh5w,
    };
    if (code.isEmpty())
        return std::nullopt;
    const char16_t first = code.at(0).unicode();
    if (first < u'1' || first > u'5')
        return std::nullopt;
    return segments[first - u'1'];
}
