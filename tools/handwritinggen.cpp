// SPDX-License-Identifier: GPL-3.0-or-later
// Builds the handwriting matcher's data: the medians (centre lines) of the strokes of every
// character of the facts file that has an outline, with how common the character is.
//
// handwritinggen --facts characters.tsv --outlines hanzi-writer-data/ --corrections
// stroke-order.tsv
//                --frequency Unihan_DictionaryLikeData.txt --levels Unihan_OtherMappings.txt
//                --output medians.bin
//
// The output is in the format of formats/medianfile.h: the level comes from kTGH's number, the
// points from the medians' 1024 box (900 at the top) scaled to the file's 256 box.
// The characters come in the facts file's order, so the output is reproducible; their strokes in
// the corrected order the pictures draw.

#include "factsfile.h"
#include "medianfile.h"
#include "strokeorder.h"
#include "toolsupport.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// "U+4EBA<tab>kFrequency<tab>1" lines of one Unihan field: code point -> value.
QHash<char32_t, QByteArray> unihanField(const QByteArray &text, const QByteArray &field)
{
    QHash<char32_t, QByteArray> values;
    for (const QByteArray &line : text.split('\n')) {
        const QList<QByteArray> parts = line.split('\t');
        if (parts.size() < 3 || parts[1] != field || !parts[0].startsWith("U+"))
            continue;
        bool ok = false;
        const uint code = parts[0].mid(2).toUInt(&ok, 16);
        if (ok)
            values.insert(char32_t(code), parts[2].trimmed());
    }
    return values;
}

quint8 toByte(double v)
{
    return quint8(std::clamp(std::lround(v * 256.0 / 1024.0), 0L, 255L));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    toolsupport::setToolName("handwritinggen");
    QCommandLineParser parser;
    const QCommandLineOption facts(
        QStringLiteral("facts"), QStringLiteral("characters.tsv"), QStringLiteral("file"));
    const QCommandLineOption outlines(QStringLiteral("outlines"),
        QStringLiteral("hanzi-writer-data folder"), QStringLiteral("folder"));
    const QCommandLineOption frequency(QStringLiteral("frequency"),
        QStringLiteral("Unihan_DictionaryLikeData.txt"), QStringLiteral("file"));
    const QCommandLineOption levels(QStringLiteral("levels"),
        QStringLiteral("Unihan_OtherMappings.txt"), QStringLiteral("file"));
    const QCommandLineOption corrections(
        QStringLiteral("corrections"), QStringLiteral("stroke-order.tsv"), QStringLiteral("file"));
    const QCommandLineOption output(
        QStringLiteral("output"), QStringLiteral("medians.bin"), QStringLiteral("file"));
    const QList<QCommandLineOption> options { facts, outlines, frequency, levels, corrections,
        output };
    if (!toolsupport::parseCommandLine(parser,
            QStringLiteral(
                "Writes the handwriting matcher's medians and how common each character is."),
            options, options))
        return 1;

    const QHash<char32_t, QByteArray> frequencies
        = unihanField(toolsupport::readFile(parser.value(frequency)), "kFrequency");
    const QHash<char32_t, QByteArray> tgh
        = unihanField(toolsupport::readFile(parser.value(levels)), "kTGH");
    QString error;
    const QHash<QString, QList<int>> orders
        = strokeorder::parseCorrections(toolsupport::readFile(parser.value(corrections)), &error);
    if (!error.isEmpty())
        toolsupport::fail(QStringLiteral("%1: %2").arg(parser.value(corrections), error));

    QByteArray out = medianfile::header();
    int written = 0;
    const std::optional<QList<factsfile::Row>> rows
        = factsfile::read(toolsupport::readFile(parser.value(facts)), &error);
    if (!rows)
        toolsupport::fail(QStringLiteral("%1: %2").arg(parser.value(facts), error));
    for (const factsfile::Row &row : *rows) {
        const QString &character = row.character;
        QFile file(parser.value(outlines) + QLatin1Char('/') + character + QStringLiteral(".json"));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QJsonArray medians = strokeorder::corrected(
            QJsonDocument::fromJson(file.readAll()).object(), character, orders)
                                       .value(u"medians")
                                       .toArray();
        medianfile::Entry entry;
        entry.character = character;
        const char32_t code = entry.character.toUcs4().value(0);
        entry.frequency = quint8(std::clamp(frequencies.value(code).toInt(), 0, 5));
        if (const QByteArray value = tgh.value(code); value.startsWith("2013:")) {
            const int number = value.mid(5).toInt();
            entry.level = number <= 0 ? 0 : number <= 3500 ? 1 : number <= 6500 ? 2 : 3;
        }
        for (const QJsonValue &median : medians) {
            const QJsonArray points = median.toArray();
            const qsizetype n = std::min<qsizetype>(points.size(), medianfile::largestCount);
            medianfile::Stroke stroke;
            for (qsizetype i = 0; i < n; ++i) {
                const QJsonArray xy = points[i].toArray();
                stroke.push_back(
                    { toByte(xy.at(0).toDouble()), toByte(900 - xy.at(1).toDouble()) });
            }
            entry.strokes.push_back(std::move(stroke));
        }
        if (medianfile::append(out, entry))
            ++written;
    }
    if (written == 0)
        toolsupport::fail(QStringLiteral("no character with medians"));

    if (!toolsupport::replaceFile(parser.value(output), out))
        return 1;
    return 0;
}
