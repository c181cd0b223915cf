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
    if (name == u"横" || name == u"提")
        return u'1';
    if (name == u"竖" || name == u"竖钩")
        return u'2';
    if (name == u"撇")
        return u'3';
    if (name == u"点" || name == u"捺")
        return u'4';
    return u'5';
}

} // namespace strokekinds
