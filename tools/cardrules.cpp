// SPDX-License-Identifier: GPL-3.0-or-later
#include "cardrules.h"

#include "factsfile.h"

#include <QRegularExpression>

#include <algorithm>

namespace cardrules {

namespace {

const QRegularExpression entryLine(QStringLiteral(R"(^(\S+) (\S+) \[([^\]]*)\] /(.*)/\s*$)"));

// A tag that keeps a word from a learner's card, or a word no card should show.
const QRegularExpression offensiveTag(
    QStringLiteral(R"(\([^()]*(?<!non-)\b(vulgar|offensive|derog\.?|derogatory|derogatorily|taboo|)"
                   R"(pejorative|pejoratively|disparaging|disparagingly)\b[^()]*\))"),
    QRegularExpression::CaseInsensitiveOption);
const QRegularExpression profanity(
    QStringLiteral(R"(\b(fuck\w*|shit\w*|cunt|bitch\w*|biyatch|whore|slut|prick|asshole)\b)"),
    QRegularExpression::CaseInsensitiveOption);
// "variant of", "old variant of", "Japanese variant of", an old pronunciation
const QRegularExpression variantSense(
    QStringLiteral(
        R"(^(\([^)]*\)\s*)?(\S+\s+){0,2}variant of\b|\(variant of\b|^(old|archaic|obsolete) (pronunciation|pr\.))"),
    QRegularExpression::CaseInsensitiveOption);
const QRegularExpression referenceSense(
    QStringLiteral(R"(^(\([^)]*\)\s*)?(used in|see( also)?)\b)"),
    QRegularExpression::CaseInsensitiveOption);
const QRegularExpression surnameSense(
    QStringLiteral(R"(^surname\b)"), QRegularExpression::CaseInsensitiveOption);
const QRegularExpression classifierSense(QStringLiteral(R"(^CL:)"));
// TRAD|SIMP[pin1 yin1] and WORD[pin1 yin1] as CC-CEDICT refers to another entry
const QRegularExpression pairReference(
    QStringLiteral(R"(([^\s|\[\]/,;]+)\|([^\s|\[\]/,;]+)\[[^\]]*\])"));
const QRegularExpression singleReference(QStringLiteral(R"(([^\s|\[\]/,;]+)\[[A-Za-z0-9:, ]+\])"));
const QRegularExpression pronunciationNote(
    QStringLiteral(R"(\s*\((Taiwan|also|old|Beijing|dialect) pr\.[^)]*\)|\s*\bTaiwan pr\..*$)"));
const QRegularExpression leadingTag(QStringLiteral(R"(^(\([^)]*\)\s*)+)"));

bool isOffensive(const QString &sense)
{
    return offensiveTag.match(sense).hasMatch() || profanity.match(sense).hasMatch();
}

bool isVariant(const QString &sense)
{
    return variantSense.match(sense).hasMatch();
}

bool isReference(const QString &sense)
{
    return referenceSense.match(sense).hasMatch();
}

bool isSurname(const QString &sense)
{
    return surnameSense.match(sense).hasMatch();
}

// Senses shown after the others: a surname, a variant, a pointer to the words that use it.
bool comesLast(const QString &sense)
{
    return isVariant(sense) || isReference(sense) || isSurname(sense);
}

// True when the entry says only that it is another form or reading of something else.
bool isVariantEntry(const DictionaryEntry &entry)
{
    return std::all_of(entry.senses.cbegin(), entry.senses.cend(),
        [](const QString &sense) { return isVariant(sense) || isReference(sense); });
}

bool isProperName(const DictionaryEntry &entry)
{
    return !entry.syllables.isEmpty() && !entry.syllables.first().isEmpty()
        && entry.syllables.first().front().isUpper();
}

// A sense as a card shows it: references to other entries by their simplified form alone,
// pronunciation notes left out.
QString cleanSense(QString sense)
{
    sense.replace(pairReference, QStringLiteral("\\2"));
    sense.replace(singleReference, QStringLiteral("\\1"));
    sense.replace(pronunciationNote, QString());
    return sense.simplified();
}

// The sense a traditional form stands for, short: "to send out" -> "send out".
QString shortSense(const QString &sense)
{
    QString text = cleanSense(sense);
    text.remove(leadingTag);
    text = text.section(u';', 0, 0).trimmed();
    if (text.startsWith(QStringLiteral("to ")))
        text = text.mid(3);
    return text;
}

bool isHanText(const QList<uint> &codePoints)
{
    return std::all_of(codePoints.cbegin(), codePoints.cend(),
        [](uint c) { return QChar::script(c) == QChar::Script_Han; });
}

QString fromCodePoint(char32_t c)
{
    return QString::fromUcs4(&c, 1);
}

QString normalisedReading(const QString &reading)
{
    return reading.normalized(QString::NormalizationForm_C).toLower();
}

// A Unihan value "loc:reading loc:reading" or "reading(count)" to its readings.
QStringList unihanReadings(const QString &value)
{
    QStringList readings;
    for (const QString &item : value.split(u' ', Qt::SkipEmptyParts)) {
        QString reading = item.section(u':', -1);
        reading = reading.section(u'(', 0, 0);
        if (!reading.isEmpty() && !readings.contains(normalisedReading(reading)))
            readings.append(normalisedReading(reading));
    }
    return readings;
}

void appendUnique(QStringList &list, const QString &item)
{
    if (!list.contains(item))
        list.append(item);
}

} // namespace

QList<DictionaryEntry> parseDictionary(const QString &text)
{
    QList<DictionaryEntry> entries;
    for (const QStringView line : QStringTokenizer(text, u'\n')) {
        if (line.startsWith(u'#'))
            continue;
        const QRegularExpressionMatch match = entryLine.match(line.toString());
        if (!match.hasMatch())
            continue;
        entries.append({ match.captured(1), match.captured(2),
            match.captured(3).split(u' ', Qt::SkipEmptyParts),
            match.captured(4).split(u'/', Qt::SkipEmptyParts) });
    }
    return entries;
}

QHash<QString, qint64> parseWordFrequencies(const QString &text)
{
    QHash<QString, qint64> frequencies;
    for (const QStringView line : QStringTokenizer(text, u'\n')) {
        const QList<QStringView> fields = line.split(u' ', Qt::SkipEmptyParts);
        bool numeric = false;
        const qint64 frequency = fields.size() >= 2 ? fields[1].toLongLong(&numeric) : 0;
        if (numeric)
            frequencies.insert(fields[0].toString(), frequency);
    }
    return frequencies;
}

void readUnihan(const QString &text, QHash<QString, UnihanFacts> &facts)
{
    for (const QStringView line : QStringTokenizer(text, u'\n')) {
        if (!line.startsWith(u"U+"))
            continue;
        const QList<QStringView> fields = line.split(u'\t');
        if (fields.size() < 3)
            continue;
        bool hex = false;
        const char32_t codePoint = fields[0].mid(2).toUInt(&hex, 16);
        if (!hex)
            continue;
        const QString value = fields[2].trimmed().toString();
        const QStringView field = fields[1];
        UnihanFacts *entry = nullptr;
        auto facts_ = [&]() -> UnihanFacts & {
            if (!entry)
                entry = &facts[fromCodePoint(codePoint)];
            return *entry;
        };
        if (field == u"kMandarin") {
            facts_().mandarin = unihanReadings(value);
        } else if (field == u"kHanyuPinlu") {
            for (const QString &item : value.split(u' ', Qt::SkipEmptyParts)) {
                const qsizetype open = item.indexOf(u'(');
                if (open > 0)
                    facts_().frequencies.append({ normalisedReading(item.left(open)),
                        item.mid(open + 1).chopped(1).toInt() });
            }
        } else if (field == u"kTGHZ2013") {
            facts_().standardReadings = unihanReadings(value);
        } else if (field == u"kXHC1983") {
            facts_().dictionaryReadings = unihanReadings(value);
        } else if (field == u"kDefinition") {
            facts_().definition = value;
        } else if (field == u"kTraditionalVariant" || field == u"kSemanticVariant") {
            QStringList &variants = field == u"kTraditionalVariant" ? facts_().traditionalVariants
                                                                    : facts_().semanticVariants;
            // "U+5F7F" or "U+5F7F<kMatthews:T"
            for (const QString &item : value.split(u' ', Qt::SkipEmptyParts))
                variants.append(fromCodePoint(item.section(u'<', 0, 0).mid(2).toUInt(nullptr, 16)));
        } else if (field == u"kTGH") {
            for (const QString &item : value.split(u' ', Qt::SkipEmptyParts)) {
                if (item.startsWith(QStringLiteral("2013:")))
                    facts_().standardListNumber = item.mid(5).toInt();
            }
        }
    }
}

std::optional<QList<Correction>> parseCorrections(const QString &text, QString *error)
{
    static const QStringList kinds = { QStringLiteral("order"), QStringLiteral("drop"),
        QStringLiteral("word"), QStringLiteral("hide"), QStringLiteral("lead") };
    QList<Correction> corrections;
    int number = 0;
    for (const QStringView line : QStringTokenizer(text, u'\n')) {
        ++number;
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList fields = line.toString().split(u'\t');
        if (fields.size() != 4 || !kinds.contains(fields[0]) || fields[1].isEmpty()
            || fields[2].trimmed().isEmpty() || fields[3].trimmed().isEmpty()) {
            *error
                = QStringLiteral("line %1: want kind, subject, value and reason, TAB-separated: %2")
                      .arg(number)
                      .arg(line);
            return std::nullopt;
        }
        QStringList values;
        for (const QString &value : fields[2].split(u' ', Qt::SkipEmptyParts))
            values.append(normalisedReading(value));
        corrections.append({ fields[0], fields[1], values, fields[3] });
    }
    return corrections;
}

QString markedSyllable(const QString &numbered)
{
    QString syllable = numbered;
    int tone = 5;
    if (!syllable.isEmpty() && syllable.back() >= u'1' && syllable.back() <= u'5') {
        tone = syllable.back().digitValue();
        syllable.chop(1);
    }
    syllable.replace(QStringLiteral("u:"), QStringLiteral("ü"));
    syllable.replace(QStringLiteral("U:"), QStringLiteral("Ü"));
    syllable.replace(u'v', QStringLiteral("ü"));
    if (tone == 5)
        return syllable;
    static const char16_t marks[] = { 0x0304, 0x0301, 0x030C, 0x0300 };
    const QString lower = syllable.toLower();
    qsizetype at = lower.indexOf(u'a');
    if (at < 0)
        at = lower.indexOf(u'e');
    if (at < 0 && lower.contains(QStringLiteral("ou")))
        at = lower.indexOf(u'o');
    if (at < 0) {
        for (qsizetype i = lower.size() - 1; i >= 0 && at < 0; --i) {
            if (QStringLiteral("iouü").contains(lower[i]))
                at = i;
        }
    }
    if (at < 0) // m, n, ng: the mark goes on the first letter
        at = 0;
    syllable.insert(at + 1, QChar(marks[tone - 1]));
    return syllable.normalized(QString::NormalizationForm_C);
}

QString joinedPinyin(const QStringList &markedSyllables)
{
    QString word;
    for (const QString &syllable : markedSyllables) {
        const QString bare = toneless(syllable);
        if (!word.isEmpty() && !syllable.isEmpty() && syllable.front().isUpper())
            word += u' '; // the next name of a proper name: "Shàn Xiàn"
        else if (!word.isEmpty() && !bare.isEmpty() && QStringLiteral("aoe").contains(bare.front()))
            word += u'\'';
        word += syllable;
    }
    return word;
}

QString toneless(const QString &marked)
{
    QString decomposed = marked.normalized(QString::NormalizationForm_D).toLower();
    decomposed.removeIf([](QChar c) {
        return c.unicode() >= 0x0300 && c.unicode() <= 0x036F && c.unicode() != 0x0308;
    });
    return decomposed.normalized(QString::NormalizationForm_C);
}

int standardLevel(int listNumber)
{
    if (listNumber <= 0 || listNumber > 8105)
        return 0;
    return listNumber <= 3500 ? 1 : listNumber <= 6500 ? 2 : 3;
}

std::optional<FactsRow> parseFactsRow(const QString &line)
{
    const std::optional<factsfile::Row> row = factsfile::parseLine(line);
    if (!row)
        return std::nullopt;
    // the card writes a stroke without a name as "-"
    QStringList names = row->strokeNames;
    for (QString &name : names) {
        if (name.isEmpty())
            name = QStringLiteral("-");
    }
    return FactsRow { row->character, row->strokeCount, names };
}

// A word that may go on a card, under one reading of its character.
struct CardBuilder::Candidate {
    QString word;
    QString pinyin;
    qint64 frequency = 0;
    bool properName = false;
    QString firstSense;
};

CardBuilder::CardBuilder(QList<DictionaryEntry> dictionary, QHash<QString, qint64> wordFrequencies,
    QHash<QString, UnihanFacts> unihan, QList<Correction> corrections,
    QHash<QString, QStringList> openccForms)
    : m_dictionary(std::move(dictionary))
    , m_frequencies(std::move(wordFrequencies))
    , m_unihan(std::move(unihan))
    , m_openccForms(std::move(openccForms))
{
    for (int i = 0; i < m_dictionary.size(); ++i) {
        const DictionaryEntry &entry = m_dictionary[i];
        const QList<uint> codePoints = entry.simplified.toUcs4();
        if (codePoints.size() == 1 && entry.syllables.size() == 1) {
            m_entriesOf[entry.simplified].append(i);
        } else if (codePoints.size() >= 2 && codePoints.size() <= longestWord
            && entry.syllables.size() == codePoints.size() && isHanText(codePoints)) {
            QSet<uint> seen;
            for (const uint c : codePoints) {
                if (!seen.contains(c))
                    m_wordsWith[c].append(i);
                seen.insert(c);
            }
        }
    }
    for (const Correction &correction : corrections) {
        if (correction.kind == u"order")
            m_readingOrder.insert(correction.subject, correction.values);
        else if (correction.kind == u"drop")
            m_droppedReadings[correction.subject].unite(
                QSet<QString>(correction.values.cbegin(), correction.values.cend()));
        else if (correction.kind == u"word")
            m_wordReading.insert(correction.subject, correction.values.value(0));
        else if (correction.kind == u"lead")
            m_leadWords.insert(correction.subject);
        else
            m_hiddenWords.insert(correction.subject);
    }
}

void CardBuilder::count(const QString &name, int by)
{
    m_figures.counts[name] += by;
}

void CardBuilder::note(const QString &list, const QString &line)
{
    m_figures.lists[list].append(line);
}

QStringList CardBuilder::unusedCorrections() const
{
    QStringList unused;
    for (auto it = m_readingOrder.cbegin(); it != m_readingOrder.cend(); ++it) {
        if (!m_usedCorrections.contains(QStringLiteral("order ") + it.key()))
            unused.append(QStringLiteral("order ") + it.key());
    }
    for (auto it = m_droppedReadings.cbegin(); it != m_droppedReadings.cend(); ++it) {
        for (const QString &reading : it.value()) {
            if (!m_usedCorrections.contains(QStringLiteral("drop %1 %2").arg(it.key(), reading)))
                unused.append(QStringLiteral("drop %1 %2").arg(it.key(), reading));
        }
    }
    for (const QString &word : m_hiddenWords) {
        if (!m_usedCorrections.contains(QStringLiteral("hide ") + word))
            unused.append(QStringLiteral("hide ") + word);
    }
    for (const QString &word : m_leadWords) {
        if (!m_usedCorrections.contains(QStringLiteral("lead ") + word))
            unused.append(QStringLiteral("lead ") + word);
    }
    for (auto it = m_wordReading.cbegin(); it != m_wordReading.cend(); ++it) {
        if (!m_usedCorrections.contains(QStringLiteral("word ") + it.key()))
            unused.append(QStringLiteral("word ") + it.key());
    }
    unused.sort();
    return unused;
}

QString CardBuilder::readingOfSyllable(const QString &syllable, const QString &traditional,
    const QStringList &readings, const QList<int> &ownEntries) const
{
    const QString marked = normalisedReading(markedSyllable(syllable));
    if (readings.contains(marked))
        return marked;
    const bool neutral = !syllable.back().isDigit() || syllable.back() == u'5';
    if (!neutral)
        return QString();
    // a neutral tone: the reading of the same sound, or of the same traditional form
    QStringList sameSound;
    for (const QString &reading : readings) {
        if (toneless(reading) == toneless(marked))
            sameSound.append(reading);
    }
    if (sameSound.size() <= 1)
        return sameSound.value(0);
    QStringList sameForm;
    for (const int i : ownEntries) {
        const DictionaryEntry &entry = m_dictionary[i];
        const QString reading = normalisedReading(markedSyllable(entry.syllables.first()));
        if (entry.traditional == traditional && sameSound.contains(reading)
            && !isVariantEntry(entry))
            appendUnique(sameForm, reading);
    }
    return sameForm.size() == 1 ? sameForm.first() : QString();
}

QHash<QString, QList<CardBuilder::Candidate>> CardBuilder::wordsOf(
    const QString &character, const QStringList &readings, const QList<int> &ownEntries)
{
    const uint codePoint = character.toUcs4().value(0);
    struct Listing {
        QList<std::pair<int, QString>> entries; // entry, reading of the character there
        QStringList variantReadings; // readings only variant entries give
        bool offensive = false;
    };
    QHash<QString, Listing> listings;
    // a character whose every sense is vulgar makes every word with it vulgar (屄)
    bool vulgarCharacter = !ownEntries.isEmpty();
    for (const int i : ownEntries) {
        const QStringList &senses = m_dictionary[i].senses;
        vulgarCharacter
            = vulgarCharacter && std::all_of(senses.cbegin(), senses.cend(), isOffensive);
    }
    QStringList order;
    for (const int i : m_wordsWith.value(codePoint)) {
        const DictionaryEntry &entry = m_dictionary[i];
        Listing &listing = listings[entry.simplified];
        if (listing.entries.isEmpty() && listing.variantReadings.isEmpty() && !listing.offensive)
            order.append(entry.simplified);
        if (std::any_of(entry.senses.cbegin(), entry.senses.cend(), isOffensive))
            listing.offensive = true;
        const qsizetype at = entry.simplified.toUcs4().indexOf(codePoint);
        const QString traditional = fromCodePoint(entry.traditional.toUcs4().value(at));
        const QString reading
            = readingOfSyllable(entry.syllables[at], traditional, readings, ownEntries);
        if (reading.isEmpty())
            continue;
        if (isVariantEntry(entry))
            appendUnique(listing.variantReadings, reading);
        else
            listing.entries.append({ i, reading });
    }

    QHash<QString, QList<Candidate>> byReading;
    for (const QString &word : std::as_const(order)) {
        const Listing &listing = listings[word];
        if (m_hiddenWords.contains(word)) {
            m_usedCorrections.insert(QStringLiteral("hide ") + word);
            note(QStringLiteral("offensive"), word + QStringLiteral(" (correction)"));
            continue;
        }
        if (listing.offensive || vulgarCharacter) {
            note(QStringLiteral("offensive"), word);
            continue;
        }
        if (listing.entries.isEmpty())
            continue;
        QStringList wordReadings;
        QStringList commonReadings; // of the entries that are not proper names
        for (const auto &[i, reading] : listing.entries) {
            appendUnique(wordReadings, reading);
            if (!isProperName(m_dictionary[i]))
                appendUnique(commonReadings, reading);
        }
        for (const QString &reading : listing.variantReadings) {
            if (!wordReadings.contains(reading))
                note(QStringLiteral("two-readings"),
                    QStringLiteral("%1\t%2\t%3 (a variant or old reading: %4)")
                        .arg(character, word, wordReadings.join(u' '), reading));
        }
        QString chosen = wordReadings.first();
        const qint64 frequency = m_frequencies.value(word);
        if (wordReadings.size() > 1) {
            QString rule;
            const QString corrected = normalisedReading(m_wordReading.value(word));
            if (!corrected.isEmpty() && wordReadings.contains(corrected)) {
                chosen = corrected;
                rule = QStringLiteral("correction");
                m_usedCorrections.insert(QStringLiteral("word ") + word);
            } else if (commonReadings.size() == 1) {
                chosen = commonReadings.first();
                rule = QStringLiteral("the other is a proper name");
            } else {
                // the reading of the character that is used more
                chosen = *std::min_element(wordReadings.cbegin(), wordReadings.cend(),
                    [&](const QString &a, const QString &b) {
                        return readings.indexOf(a) < readings.indexOf(b);
                    });
                rule = QStringLiteral("the character's more used reading");
            }
            note(QStringLiteral("two-readings"),
                QStringLiteral("%1\t%2\t%3 -> %4 (%5; word frequency %6)")
                    .arg(character, word, wordReadings.join(u' '), chosen, rule)
                    .arg(frequency));
            count(QStringLiteral("words listed under two readings"));
        }
        // the entry the word is shown from: a common word's before a proper name's
        const DictionaryEntry *shown = nullptr;
        for (const auto &[i, reading] : listing.entries) {
            if (reading == chosen
                && (!shown || (isProperName(*shown) && !isProperName(m_dictionary[i]))))
                shown = &m_dictionary[i];
        }
        QStringList syllables;
        for (const QString &syllable : shown->syllables)
            syllables.append(markedSyllable(syllable));
        QString firstSense;
        for (const QString &sense : shown->senses) {
            if (firstSense.isEmpty() && !comesLast(sense)
                && !classifierSense.match(sense).hasMatch())
                firstSense = cleanSense(sense);
        }
        const bool proper = !commonReadings.contains(chosen);
        byReading[chosen].append({ word, joinedPinyin(syllables), frequency, proper, firstSense });
    }
    for (auto it = byReading.begin(); it != byReading.end(); ++it) {
        std::sort(it->begin(), it->end(), [this](const Candidate &a, const Candidate &b) {
            const bool aLeads = m_leadWords.contains(a.word);
            if (aLeads != m_leadWords.contains(b.word))
                return aLeads;
            if (a.properName != b.properName)
                return !a.properName;
            if (a.frequency != b.frequency)
                return a.frequency > b.frequency;
            if (a.word.size() != b.word.size())
                return a.word.size() < b.word.size();
            return a.word < b.word;
        });
        for (const Candidate &c : std::as_const(*it)) {
            if (m_leadWords.contains(c.word))
                m_usedCorrections.insert(QStringLiteral("lead ") + c.word);
        }
        // proper names only where no other word is
        if (!it->first().properName)
            it->removeIf([](const Candidate &c) { return c.properName; });
    }
    return byReading;
}

QStringList CardBuilder::currentReadings(const QString &character, const QList<int> &ownEntries)
{
    const UnihanFacts facts = m_unihan.value(character);
    QStringList readings;
    if (!facts.standardReadings.isEmpty()) {
        readings = facts.standardReadings;
        count(QStringLiteral("readings from the 2013 standard dictionary (kTGHZ2013)"));
    } else if (!facts.dictionaryReadings.isEmpty() || !facts.mandarin.isEmpty()) {
        readings = facts.dictionaryReadings;
        for (const QString &reading : facts.mandarin)
            appendUnique(readings, reading);
        count(QStringLiteral("readings from kXHC1983 and kMandarin"));
    } else {
        for (const int i : ownEntries) {
            if (!isVariantEntry(m_dictionary[i]) && !isProperName(m_dictionary[i]))
                appendUnique(
                    readings, normalisedReading(markedSyllable(m_dictionary[i].syllables.first())));
        }
        if (!readings.isEmpty())
            count(QStringLiteral("readings from CC-CEDICT alone"));
    }
    for (const QString &dropped : m_droppedReadings.value(character)) {
        if (readings.removeAll(dropped) > 0)
            m_usedCorrections.insert(QStringLiteral("drop %1 %2").arg(character, dropped));
    }
    QStringList dictionaryOnly;
    for (const int i : ownEntries) {
        const DictionaryEntry &entry = m_dictionary[i];
        const QString reading = normalisedReading(markedSyllable(entry.syllables.first()));
        if (!isVariantEntry(entry) && !isProperName(entry) && !readings.contains(reading))
            appendUnique(dictionaryOnly, reading);
    }
    if (!dictionaryOnly.isEmpty() && !readings.isEmpty())
        note(QStringLiteral("CC-CEDICT readings not among the card's"),
            QStringLiteral("%1\t%2 (card: %3)")
                .arg(character, dictionaryOnly.join(u' '), readings.join(u' ')));
    return readings;
}

QStringList CardBuilder::orderedReadings(const QString &character, QStringList readings,
    const QHash<QString, QList<Candidate>> &wordsByReading) const
{
    const UnihanFacts facts = m_unihan.value(character);
    // most used first: how often the reading was met, then kMandarin's order, then how common
    // its words are
    auto metCount = [&](const QString &reading) {
        for (const auto &[pinyin, times] : facts.frequencies) {
            if (pinyin == reading)
                return times;
        }
        return -1;
    };
    auto wordFrequency = [&](const QString &reading) {
        qint64 sum = 0;
        for (const Candidate &word : wordsByReading.value(reading))
            sum += word.frequency;
        return sum;
    };
    std::stable_sort(readings.begin(), readings.end(), [&](const QString &a, const QString &b) {
        if (metCount(a) != metCount(b))
            return metCount(a) > metCount(b);
        const qsizetype ma
            = facts.mandarin.contains(a) ? facts.mandarin.indexOf(a) : facts.mandarin.size();
        const qsizetype mb
            = facts.mandarin.contains(b) ? facts.mandarin.indexOf(b) : facts.mandarin.size();
        if (ma != mb)
            return ma < mb;
        return wordFrequency(a) > wordFrequency(b);
    });
    return readings;
}

QStringList CardBuilder::correctedOrder(const QString &character, const QStringList &readings)
{
    const auto corrected = m_readingOrder.constFind(character);
    if (corrected == m_readingOrder.cend())
        return readings;
    QStringList wanted = *corrected;
    QStringList have = readings;
    std::sort(wanted.begin(), wanted.end());
    std::sort(have.begin(), have.end());
    if (wanted != have || *corrected == readings)
        return readings;
    note(QStringLiteral("corrected order"),
        QStringLiteral("%1\t%2 -> %3").arg(character, readings.join(u' '), corrected->join(u' ')));
    m_usedCorrections.insert(QStringLiteral("order ") + character);
    return *corrected;
}

QStringList CardBuilder::meaningsOf(const QString &reading, const QList<int> &ownEntries,
    const QList<Candidate> &words, bool *standIn)
{
    QStringList first;
    QStringList last;
    for (const bool proper : { false, true }) {
        for (const int i : ownEntries) {
            const DictionaryEntry &entry = m_dictionary[i];
            if (isProperName(entry) != proper
                || normalisedReading(markedSyllable(entry.syllables.first())) != reading)
                continue;
            for (const QString &sense : entry.senses) {
                if (isOffensive(sense)) {
                    count(QStringLiteral("offensive senses left out"));
                    continue;
                }
                if (classifierSense.match(sense).hasMatch())
                    continue;
                const QString clean = cleanSense(sense);
                if (clean.isEmpty() || first.contains(clean) || last.contains(clean))
                    continue;
                (comesLast(sense) ? last : first).append(clean);
            }
        }
    }
    *standIn = false;
    if (first.isEmpty() && !words.isEmpty()) {
        // only pointers elsewhere: the words that use the character say what it means
        for (const Candidate &word : words.mid(0, 3)) {
            first.append(word.firstSense.isEmpty()
                    ? QStringLiteral("used in %1").arg(word.word)
                    : QStringLiteral("used in %1, %2").arg(word.word, word.firstSense));
        }
        last.removeIf([](const QString &sense) { return isReference(sense); });
        *standIn = true;
    }
    return (first + last).mid(0, maximumMeanings);
}

QList<card::Traditional> CardBuilder::traditionalOf(
    const QString &character, const QList<int> &ownEntries)
{
    QStringList forms;
    QHash<QString, QString> senses;
    for (const int i : ownEntries) {
        const DictionaryEntry &entry = m_dictionary[i];
        if (isVariantEntry(entry)
            && std::none_of(entry.senses.cbegin(), entry.senses.cend(), isReference))
            continue;
        appendUnique(forms, entry.traditional);
        if (senses.value(entry.traditional).isEmpty() && !isProperName(entry)) {
            for (const QString &sense : entry.senses) {
                if (senses.value(entry.traditional).isEmpty() && !comesLast(sense)
                    && !isOffensive(sense) && !classifierSense.match(sense).hasMatch())
                    senses.insert(entry.traditional, shortSense(sense));
            }
        }
    }
    // a form that neither Unihan (as the character's traditional variant, or a semantic variant
    // of it or of its traditional variant) nor OpenCC confirms is another character that
    // CC-CEDICT files under it (妳 under 你, 栞 under 刊)
    const QStringList &unihanForms = m_unihan.value(character).traditionalVariants;
    QStringList known
        = unihanForms + m_unihan.value(character).semanticVariants + m_openccForms.value(character);
    for (const QString &form : unihanForms)
        known += m_unihan.value(form).semanticVariants;
    QStringList notUnihan;
    const bool fromDictionary = !forms.isEmpty();
    forms.removeIf([&](const QString &form) {
        const bool drop = form != character && !known.contains(form);
        if (drop)
            notUnihan.append(form);
        return drop;
    });
    if (!notUnihan.isEmpty())
        note(QStringLiteral(
                 "CC-CEDICT traditional forms left out, confirmed by neither Unihan nor OpenCC"),
            character + u'\t' + notUnihan.join(u' '));
    if (!fromDictionary) {
        for (const QString &form : unihanForms)
            appendUnique(forms, form);
        if (!forms.isEmpty())
            count(QStringLiteral("traditional forms from Unihan alone"));
        senses.clear();
    }
    QList<card::Traditional> traditional;
    // one other form with no sense kept by the simplified one: it covers every sense
    const bool oneForm = !forms.contains(character) && forms.size() == 1;
    for (const QString &form : forms) {
        if (form != character)
            traditional.append({ form, oneForm ? QString() : senses.value(form) });
    }
    return traditional;
}

card::Card CardBuilder::build(const FactsRow &row)
{
    card::Card card;
    card.character = row.character;
    card.strokes = row.strokes;
    card.strokeNames = row.strokeNames;
    const UnihanFacts facts = m_unihan.value(row.character);
    card.level = standardLevel(facts.standardListNumber);

    const QList<int> ownEntries = m_entriesOf.value(row.character);
    // the readings decide where the words go; the words order the readings no count orders
    const QStringList current = currentReadings(row.character, ownEntries);
    // a word listed under two readings goes under the one met more often, before corrections
    const QHash<QString, QList<Candidate>> words
        = wordsOf(row.character, orderedReadings(row.character, current, {}), ownEntries);
    const QStringList readings
        = correctedOrder(row.character, orderedReadings(row.character, current, words));
    if (!readings.isEmpty() && !facts.mandarin.isEmpty()
        && facts.mandarin.first() != readings.first())
        note(QStringLiteral("first reading differs from kMandarin"),
            QStringLiteral("%1\t%2 (kMandarin %3)")
                .arg(row.character, readings.first(), facts.mandarin.first()));
    bool anyMeaning = false;
    for (const QString &pinyin : std::as_const(readings)) {
        card::Reading reading;
        reading.pinyin = pinyin;
        const QList<Candidate> candidates = words.value(pinyin);
        for (const Candidate &word : candidates.mid(0, maximumWords))
            reading.words.append({ word.word, word.pinyin });
        bool standIn = false;
        reading.meanings = meaningsOf(pinyin, ownEntries, candidates, &standIn);
        if (standIn)
            count(QStringLiteral("readings whose meanings are the words using the character"));
        anyMeaning = anyMeaning || !reading.meanings.isEmpty();
        card.readings.append(reading);
    }
    if (!anyMeaning && !card.readings.isEmpty() && !facts.definition.isEmpty()) {
        for (const QString &sense : facts.definition.split(u';', Qt::SkipEmptyParts))
            card.readings.first().meanings.append(sense.trimmed());
        count(QStringLiteral("meanings from Unihan kDefinition"));
    }
    card.traditional = traditionalOf(row.character, ownEntries);
    return card;
}

} // namespace cardrules
