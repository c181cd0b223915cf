// SPDX-License-Identifier: GPL-3.0-or-later
#include "urlencode.h"

namespace {

void appendByte(QString &out, unsigned byte)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    out += QLatin1Char('%');
    out += QLatin1Char(hex[(byte >> 4) & 0xF]);
    out += QLatin1Char(hex[byte & 0xF]);
}

bool isAsciiAlphanumeric(char16_t unit)
{
    return (unit >= u'0' && unit <= u'9') || (unit >= u'A' && unit <= u'Z')
        || (unit >= u'a' && unit <= u'z');
}

} // namespace

QString UrlEncodeUtf8(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;

    QString out;
    out.reserve((end - begin) * 9);
    for (qsizetype i = begin; i < end; ++i) {
        const char16_t unit = text.at(i).unicode();
        if (unit <= 0xFF) {
            if (isAsciiAlphanumeric(unit))
                out += QChar(unit);
            else
                appendByte(out, unit);
        } else {
            appendByte(out, 0xE0 | (unit >> 12));
            appendByte(out, 0x80 | ((unit >> 6) & 0x3F));
            appendByte(out, 0x80 | (unit & 0x3F));
        }
    }
    return out;
}
