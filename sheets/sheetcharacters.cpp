// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheetcharacters.h"

#include "recordstore.h"
#include "sheetlayout.h"
#include "strokepicture.h"

namespace sheets {

namespace {

std::optional<SheetCharacter> load(RecordStore &store, const QString &hz)
{
    store.FindFirst(hz);
    if (store.NoMatch())
        return std::nullopt;
    const QString pinyin = store.current().PY;
    const auto strokes = strokepicture::readOutline(store.outline(hz));
    // an outline beyond what a character has is left out, as one without strokes
    if (!strokes || strokes->isEmpty() || !strokepicture::isDrawable(*strokes))
        return std::nullopt;
    return SheetCharacter { hz, pinyin, *strokes };
}

} // namespace

bool loadIntoCache(RecordStore &store, const QString &text, LoadedCharacters &cache,
    int minimumCount, const QDeadlineTimer &deadline)
{
    int loaded = 0;
    for (const QString &hz : charactersOf(text)) {
        if (cache.contains(hz))
            continue;
        if (loaded >= minimumCount && deadline.hasExpired())
            return false;
        cache.insert(hz, load(store, hz));
        ++loaded;
    }
    return true;
}

SheetCharacters loadCharacters(RecordStore &store, const QString &text, LoadedCharacters *cache)
{
    SheetCharacters out;
    for (const QString &hz : charactersOf(text)) {
        std::optional<SheetCharacter> character;
        if (cache && cache->contains(hz)) {
            character = cache->value(hz);
        } else {
            character = load(store, hz);
            if (cache)
                cache->insert(hz, character);
        }
        if (character)
            out.usable.append(*character);
        else
            out.missing.append(hz);
    }
    return out;
}

} // namespace sheets
