// SPDX-License-Identifier: GPL-3.0-or-later
#include "strokekinds.h"

namespace strokekinds {

QChar digitOfSymbol(const QString &text)
{
    if (text.size() == 1) {
        for (const Kind &kind : kinds) {
            if (text.at(0) == QChar(kind.symbol))
                return QChar(kind.digit);
        }
    }
    return QLatin1Char('0');
}

QChar digitOfStrokeName(const QString &name)
{
    for (const Kind &kind : kinds) {
        if (name == QStringView(&kind.name, 1))
            return QChar(kind.digit);
    }
    // strokes with names of their own that count as one of the first four kinds
    if (name == u"提")
        return u'1';
    if (name == u"竖钩")
        return u'2';
    if (name == u"捺")
        return u'4';
    return u'5';
}

} // namespace strokekinds
