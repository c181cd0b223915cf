// SPDX-License-Identifier: GPL-3.0-or-later
// Any drop-down and combo texts: the stroke code is five digits 0-5 with a segment exactly when
// it begins with 1-5; a pinyin key, when there is one, is six characters with at most one group.
#include "fuzzinput.h"
#include "pinyinkey.h"
#include "strokecode.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QList<QString> texts = fuzzTexts(data, size, 6);
    const QString code = strokeCode({ texts[0], texts[1], texts[2], texts[3], texts[4] });
    if (code.size() != 5)
        std::abort();
    for (QChar c : code)
        if (c < u'0' || c > u'5')
            std::abort();
    if (strokeCodeSegment(code).has_value() != (code[0] != u'0'))
        std::abort();

    if (const std::optional<QString> key = pinyinKey(texts[5])) {
        if (key->size() != 6 || *key == QString(6, u' ') || key->at(0) == u' ')
            std::abort();
        pinyinKeySegment(*key);
    }
    return 0;
}
