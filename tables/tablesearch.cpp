#include "tablesearch.h"

#include <algorithm>

void TableSearch::TextSearch(const QString &segment, const QString &key)
{
    const qsizetype from = std::clamp<qsizetype>(position, 0, segment.size());
    const qsizetype at = key.isEmpty() ? -1 : segment.indexOf(key, from, Qt::CaseSensitive);
    if (at <= 0) {
        position = 0;
        Label1bh = QStringLiteral("0");
        return;
    }
    Label1bh = QStringLiteral("1");
    Label2bh = segment.at(at - 1);
    // the row after the match: skip the key and the CR LF that ends its row
    position = int(qMin<qsizetype>(at + key.size() + 2, segment.size()));
}

void segmentSearch(TableSearch &search, const QString &segment, const std::function<QString()> &key,
                   const std::function<QString()> &result,
                   const std::function<void(const QString &)> &setResult)
{
    setResult(QString());
    for (;;) {
        search.TextSearch(segment, key());
        if (search.Label1bh != QLatin1String("1"))
            return;
        setResult(result() + search.Label2bh + QLatin1Char(' '));
    }
}
