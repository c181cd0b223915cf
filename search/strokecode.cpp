// SPDX-License-Identifier: GPL-3.0-or-later
#include "strokecode.h"

namespace {

// The stroke symbols in the order of their digits 1 to 5.
constexpr std::array<char16_t, 5> strokeSymbols
    = { u'\u4E00', u'\u4E28', u'\u4E3F', u'\u4E36', u'\u4E59' };

QChar strokeDigit(const QString &comboText)
{
    if (comboText.size() == 1) {
        for (std::size_t i = 0; i < strokeSymbols.size(); ++i) {
            if (comboText.at(0) == QChar(strokeSymbols[i]))
                return QLatin1Char(char('1' + i));
        }
    }
    return QLatin1Char('0');
}

} // namespace

QString strokeCode(const std::array<QString, 5> &comboTexts)
{
    QString code;
    code.reserve(int(comboTexts.size()));
    for (const QString &text : comboTexts)
        code += strokeDigit(text);
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
