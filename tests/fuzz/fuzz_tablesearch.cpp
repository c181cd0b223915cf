// SPDX-License-Identifier: GPL-3.0-or-later
// Any segment text, any key: TextSearch never reads outside the text, keeps its position inside
// it, and the segment search always ends.
#include "fuzzinput.h"
#include "segments.h"
#include "tablesearch.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QList<QString> texts = fuzzTexts(data, size, 3);
    // the fuzzed segment, and the fuzzed key against a real segment as well
    const QString segments[]
        = { texts[0], tables::segmentText(tables::Segment(size % tables::segmentCount)) };
    for (const QString &segment : segments) {
        TableSearch search;
        QString box;
        int passes = 0;
        segmentSearch(
            search, segment, [&] { return texts[1]; }, [&] { return box; },
            [&](const QString &text) {
                if (++passes > segment.size() + 2)
                    std::abort(); // the loop must end
                box = text;
            });
        if (search.position != 0 || search.Label1bh != QLatin1String("0"))
            std::abort();
        search.position = int(texts[2].size()) * 7 - 3;
        search.TextSearch(segment, texts[1]);
        if (search.position < 0 || search.position > segment.size())
            std::abort();
        if (search.Label1bh == QLatin1String("1") && search.Label2bh.size() != 1)
            std::abort();
    }
    return 0;
}
