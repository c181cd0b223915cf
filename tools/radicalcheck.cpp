// SPDX-License-Identifier: GPL-3.0-or-later
// zibrin-radicalcheck: files every character of characters.tsv under its modern radical and
// writes the check of the filing against a second opinion (the text radical-second-opinion.js
// makes from cnchar-radical) and against the Kangxi radical.

#include "radicalfiling.h"
#include "toolsupport.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <ranges>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    toolsupport::setToolName("radicalcheck");
    QCommandLineParser parser;
    const QCommandLineOption table(
        QStringLiteral("table"), QStringLiteral("radicals.tsv"), QStringLiteral("file"));
    const QCommandLineOption decomposition(QStringLiteral("decomposition"),
        QStringLiteral("cjk-decomp.txt.js of the hanzi package"), QStringLiteral("file"));
    const QCommandLineOption unihan(
        QStringLiteral("unihan"), QStringLiteral("Unihan_IRGSources.txt"), QStringLiteral("file"));
    const QCommandLineOption corrections(QStringLiteral("corrections"),
        QStringLiteral("radical-corrections.tsv"), QStringLiteral("file"));
    const QCommandLineOption facts(
        QStringLiteral("facts"), QStringLiteral("characters.tsv"), QStringLiteral("file"));
    const QCommandLineOption second(QStringLiteral("second-opinion"),
        QStringLiteral("character, radical and structure per line"), QStringLiteral("file"));
    const QCommandLineOption output(
        QStringLiteral("output"), QStringLiteral("the report"), QStringLiteral("file"));
    const QCommandLineOption show(QStringLiteral("show"),
        QStringLiteral("print the filing of these characters instead of the check"),
        QStringLiteral("characters"));
    const QList<QCommandLineOption> required { table, decomposition, unihan, corrections, facts };
    if (!toolsupport::parseCommandLine(parser,
            QStringLiteral(
                "Checks the radical filing of every character against a second opinion."),
            required + QList<QCommandLineOption> { second, output, show }, required))
        return 1;

    QHash<QString, int> strokes;
    QStringList characters;
    for (const QString &line :
        QString::fromUtf8(toolsupport::readFile(parser.value(facts))).split(u'\n')) {
        const QStringList f = line.split(u'\t');
        if (f.size() > 2 && !f.at(0).isEmpty()) {
            characters.append(f.at(0));
            strokes.insert(f.at(0), f.at(2).toInt());
        }
    }
    radicals::Filer filer;
    QString error;
    if (!filer.load(parser.value(table), parser.value(decomposition), parser.value(unihan),
            parser.value(corrections), strokes, &error))
        toolsupport::fail(error);
    if (parser.isSet(show)) {
        for (const QString &c : parser.value(show).toUcs4()
                | std::views::transform([](char32_t u) { return QString::fromUcs4(&u, 1); })) {
            const radicals::Filing f = filer.file(c);
            std::printf("%s\t%s\t康熙 %s\t%d\t%s\t%s\t%s\n", qPrintable(c), qPrintable(f.radical),
                qPrintable(f.kangxiRadical), f.strokesOutside, qPrintable(f.structure),
                qPrintable(f.parts.join(u' ')), qPrintable(f.note));
        }
        return 0;
    }
    if (!parser.isSet(second) || !parser.isSet(output))
        toolsupport::fail(
            QStringLiteral("--second-opinion and --output are required for the check"));
    const QString report = radicals::checkReport(filer, characters,
        radicals::parseSecondOpinion(toolsupport::readFile(parser.value(second))));
    return toolsupport::replaceFile(parser.value(output), report.toUtf8()) ? 0 : 1;
}
