// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheetcharacters.h"

#include "cardstore.h"
#include "recordstore.h"
#include "sheetlayout.h"
#include "strokepicture.h"

#include <QDir>
#include <QFileInfo>

namespace sheets {

namespace {

// The character's most common reading: the card's first, else the record's (the store's current
// record is moved).
QString commonReading(RecordStore &store, const card::CardStore *cards, const QString &hz)
{
    if (cards) {
        const QStringList readings = cards->readings(hz);
        if (!readings.isEmpty())
            return readings.first();
    }
    store.FindFirst(hz);
    return store.NoMatch() ? QString()
                           : store.current().PY.section(u' ', 0, 0, QString::SectionSkipEmpty);
}

// The key of an entry in a LoadedCharacters cache: the character, and the reading chosen.
QString cacheKey(const SheetEntry &entry)
{
    return entry.reading.isEmpty() ? entry.hz : entry.hz + u'(' + entry.reading + u')';
}

std::optional<SheetCharacter> load(
    RecordStore &store, const card::CardStore *cards, const SheetEntry &entry)
{
    const QString &hz = entry.hz;
    store.FindFirst(hz);
    if (store.NoMatch())
        return std::nullopt;
    const QString pinyin = entry.reading.isEmpty() ? store.current().PY : entry.reading;
    const auto strokes = strokepicture::readOutline(store.outline(hz));
    // an outline beyond what a character has is left out, as one without strokes
    if (!strokes || strokes->isEmpty() || !strokepicture::isDrawable(*strokes))
        return std::nullopt;
    SheetCharacter character;
    character.hz = hz;
    character.pinyin = pinyin;
    character.strokes = *strokes;
    if (const auto card = cards ? cards->card(hz) : std::nullopt) {
        if (entry.reading.isEmpty() && !card->readings.isEmpty())
            character.pinyin = card->readings.first().pinyin;
        // names for other strokes than the outline's would name the wrong cells
        if (card->strokeNames.size() == character.strokes.size())
            character.strokeNames = card->strokeNames;
        character.radical = card->radical;
        character.structure = card->structure;
        for (const card::Reading &reading : card->readings) {
            if (reading.pinyin != character.pinyin)
                continue;
            for (const card::Word &word : reading.words)
                character.words.append({ word.word, word.pinyin });
        }
    }
    return character;
}

} // namespace

bool loadIntoCache(RecordStore &store, const QString &text, LoadedCharacters &cache,
    int minimumCount, const QDeadlineTimer &deadline, const card::CardStore *cards)
{
    int loaded = 0;
    for (const SheetEntry &entry : entriesOf(text, true)) {
        const QString key = cacheKey(entry);
        if (cache.contains(key))
            continue;
        if (loaded >= minimumCount && deadline.hasExpired())
            return false;
        cache.insert(key, load(store, cards, entry));
        ++loaded;
    }
    return true;
}

QString cardFileBeside(const QString &databaseFile)
{
    return QFileInfo(databaseFile).dir().filePath(QStringLiteral("card.db"));
}

SheetCharacters loadCharacters(RecordStore &store, const QString &text, bool keepRepeats,
    const card::CardStore *cards, LoadedCharacters *cache)
{
    SheetCharacters out;
    for (const SheetEntry &entry : entriesOf(text, keepRepeats)) {
        const QString key = cacheKey(entry);
        std::optional<SheetCharacter> character;
        if (cache && cache->contains(key)) {
            character = cache->value(key);
        } else {
            character = load(store, cards, entry);
            if (cache)
                cache->insert(key, character);
        }
        if (character)
            out.usable.append(*character);
        else
            out.missing.append(entry.hz);
    }
    return out;
}

DictationWords loadWords(RecordStore &store, const QString &text, const card::CardStore *cards)
{
    DictationWords out;
    for (const QString &word : wordsOf(text)) {
        // the word as the cards of its characters list it
        QString pinyin;
        const QList<uint> codes = word.toUcs4();
        for (qsizetype i = 0; cards && codes.size() > 1 && i < codes.size() && pinyin.isEmpty();
             ++i) {
            const char32_t code = codes[i];
            const auto card = cards->card(QString::fromUcs4(&code, 1));
            if (!card)
                continue;
            for (const card::Reading &reading : card->readings) {
                for (const card::Word &listed : reading.words) {
                    if (listed.word == word && pinyin.isEmpty())
                        pinyin = listed.pinyin;
                }
            }
        }
        if (!pinyin.isEmpty()) {
            out.usable.append({ word, pinyin });
            continue;
        }
        bool known = true;
        for (const char32_t c : codes) {
            const QString reading = commonReading(store, cards, QString::fromUcs4(&c, 1));
            if (reading.isEmpty()) {
                known = false;
                break;
            }
            pinyin += reading;
        }
        if (known)
            out.usable.append({ word, pinyin });
        else
            out.missing.append(word);
    }
    return out;
}

QString firstCardWords(const QString &text, const card::CardStore &cards, QStringList *without)
{
    QStringList words;
    for (const QString &character : charactersOf(text)) {
        const std::optional<card::Card> found = cards.card(character);
        if (found && !found->readings.isEmpty() && !found->readings.first().words.isEmpty())
            words.append(found->readings.first().words.first().word);
        else if (without)
            without->append(character);
    }
    return words.join(u' ');
}

} // namespace sheets
