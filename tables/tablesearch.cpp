// SPDX-License-Identifier: GPL-3.0-or-later
#include "tablesearch.h"

#include <algorithm>

namespace {

// Whether the occurrence of a key of length n at offset at fills a whole field: it starts right
// after a row's character and ends at the row's CR LF (or the end of the text).
bool isWholeField(const QString &segment, qsizetype at, qsizetype n)
{
    const bool rowStart = at == 1 || (at >= 2 && segment.at(at - 2) == u'\n');
    const QChar before = at >= 1 ? segment.at(at - 1) : QChar();
    const qsizetype end = at + n;
    const bool rowEnd = end == segment.size() || segment.at(end) == u'\r';
    return rowStart && rowEnd && before != u'\r' && before != u'\n';
}

} // namespace

void TableSearch::TextSearch(const QString &segment, const QString &key)
{
    qsizetype from = std::clamp<qsizetype>(position, 0, segment.size());
    qsizetype at = -1;
    if (!key.isEmpty() && !key.contains(u'\r') && !key.contains(u'\n')) {
        while ((at = segment.indexOf(key, from, Qt::CaseSensitive)) >= 0
            && !isWholeField(segment, at, key.size()))
            from = at + 1;
    }
    if (at < 0) {
        position = 0;
        Label1bh = QStringLiteral("0");
        return;
    }
    Label1bh = QStringLiteral("1");
    Label2bh = segment.at(at - 1);
    // the row after the match: skip the key and the CR LF that ends its row
    position = int(std::min<qsizetype>(at + key.size() + 2, segment.size()));
}

void segmentSearch(TableSearch &search, const QString &segment, const std::function<QString()> &key,
    const std::function<QString()> &result, const std::function<void(const QString &)> &setResult)
{
    setResult(QString());
    for (;;) {
        search.TextSearch(segment, key());
        if (search.Label1bh != QLatin1String("1"))
            return;
        setResult(result() + search.Label2bh + QLatin1Char(' '));
    }
}
