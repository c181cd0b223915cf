// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheetcharacters.h"

#include "recordstore.h"
#include "sheetlayout.h"
#include "strokepicture.h"

namespace sheets {

SheetCharacters loadCharacters(RecordStore &store, const QString &text)
{
    SheetCharacters out;
    for (const QString &hz : charactersOf(text)) {
        store.FindFirst(hz);
        if (store.NoMatch()) {
            out.missing.append(hz);
            continue;
        }
        const QString pinyin = store.current().PY;
        const auto strokes = strokepicture::readOutline(store.outline(hz));
        if (!strokes || strokes->isEmpty()) {
            out.missing.append(hz);
            continue;
        }
        out.usable.append({ hz, pinyin, *strokes });
    }
    return out;
}

} // namespace sheets
