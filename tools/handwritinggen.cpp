// SPDX-License-Identifier: GPL-3.0-or-later
// Builds the handwriting matcher's data: the medians (centre lines) of the strokes of every
// character of the facts file that has an outline, with how common the character is.
//
// handwritinggen --facts characters.tsv --outlines hanzi-writer-data/ --corrections
// stroke-order.tsv
//                --frequency Unihan_DictionaryLikeData.txt --levels Unihan_OtherMappings.txt
//                --output medians.bin
//
// The output, all numbers unsigned bytes unless said:
//   "ZHM1", then per character: its UTF-8 length and bytes, kFrequency (1 most common .. 5, 0
//   none), the level of the 2013 table of general standard characters by kTGH's number (1 for
//   1-3500, 2 for 3501-6500, 3 beyond, 0 none), the stroke count, then per stroke its point count
//   and the points as x, y in a 256 box with y down (the medians' 1024 box, 900 at the top).
// The characters come in the facts file's order, so the output is reproducible; their strokes in
// the corrected order the pictures draw.

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

    QByteArray out("ZHM1");
    int written = 0;
    for (const QByteArray &line : toolsupport::readFile(parser.value(facts)).split('\n')) {
        const QByteArray character = line.left(line.indexOf('\t'));
        if (character.isEmpty() || character.size() > 255)
            continue;
        QFile file(parser.value(outlines) + QLatin1Char('/') + QString::fromUtf8(character)
            + QStringLiteral(".json"));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QJsonArray medians = strokeorder::corrected(
            QJsonDocument::fromJson(file.readAll()).object(), QString::fromUtf8(character), orders)
                                       .value(u"medians")
                                       .toArray();
        if (medians.isEmpty() || medians.size() > 255)
            continue;
        const char32_t code = QString::fromUtf8(character).toUcs4().value(0);
        const int freq = std::clamp(frequencies.value(code).toInt(), 0, 5);
        int level = 0;
        if (const QByteArray value = tgh.value(code); value.startsWith("2013:")) {
            const int number = value.mid(5).toInt();
            level = number <= 0 ? 0 : number <= 3500 ? 1 : number <= 6500 ? 2 : 3;
        }
        out.append(char(character.size())).append(character);
        out.append(char(freq)).append(char(level)).append(char(medians.size()));
        for (const QJsonValue &median : medians) {
            const QJsonArray points = median.toArray();
            const qsizetype n = std::min<qsizetype>(points.size(), 255);
            out.append(char(n));
            for (qsizetype i = 0; i < n; ++i) {
                const QJsonArray xy = points[i].toArray();
                out.append(char(toByte(xy.at(0).toDouble())));
                out.append(char(toByte(900 - xy.at(1).toDouble())));
            }
        }
        ++written;
    }
    if (written == 0)
        toolsupport::fail(QStringLiteral("no character with medians"));

    if (!toolsupport::replaceFile(parser.value(output), out))
        return 1;
    return 0;
}
