// Builds the ten table segments and the facts file from the pinned open sources and the curated
// files in data/. Output is byte-for-byte reproducible.
//
// datagen --order cnchar.order.min.js --unihan Unihan_Readings.txt --outlines hanzi-writer-data/
//         --data data/ --segments tables/segments/ --facts data/characters.tsv

#include "tabledata.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>

#include <cstdio>
#include <cstdlib>

using namespace tabledata;

namespace {

[[noreturn]] void fail(const QString &message)
{
    std::fprintf(stderr, "datagen: %s\n", qPrintable(message));
    std::exit(1);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    return file.readAll();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        fail(QStringLiteral("cannot write %1").arg(path));
}

// Curated text files: one entry per line, TAB-separated fields, "#" starts a comment line.
QList<QStringList> readCurated(const QString &path)
{
    QList<QStringList> out;
    for (const QString &line : QString::fromUtf8(readFile(path)).split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty() && !trimmed.startsWith(u'#'))
            out.append(trimmed.split(u'\t'));
    }
    return out;
}

// Stroke counts of the outline data: one JSON file per character with a "strokes" array.
QMap<QString, int> outlineStrokeCounts(const QString &dir)
{
    QMap<QString, int> out;
    const QStringList files = QDir(dir).entryList({QStringLiteral("*.json")}, QDir::Files);
    for (const QString &name : files) {
        const QString character = name.chopped(5);
        if (character.toUcs4().size() != 1)
            continue;
        const QJsonObject object = QJsonDocument::fromJson(readFile(dir + u'/' + name)).object();
        if (object.contains(QLatin1String("strokes")))
            out.insert(character, int(object.value(QLatin1String("strokes")).toArray().size()));
    }
    return out;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption order(QStringLiteral("order"), QStringLiteral("stroke-order bundle"), QStringLiteral("file"));
    const QCommandLineOption unihan(QStringLiteral("unihan"), QStringLiteral("Unihan_Readings.txt"), QStringLiteral("file"));
    const QCommandLineOption outlines(QStringLiteral("outlines"), QStringLiteral("outline JSON folder"), QStringLiteral("dir"));
    const QCommandLineOption data(QStringLiteral("data"), QStringLiteral("curated data folder"), QStringLiteral("dir"));
    const QCommandLineOption segments(QStringLiteral("segments"), QStringLiteral("output folder of the segments"), QStringLiteral("dir"));
    const QCommandLineOption facts(QStringLiteral("facts"), QStringLiteral("output facts file"), QStringLiteral("file"));
    parser.addOptions({order, unihan, outlines, data, segments, facts});
    parser.process(app);
    for (const auto &option : {order, unihan, outlines, data, segments, facts}) {
        if (!parser.isSet(option))
            fail(QStringLiteral("--%1 is required").arg(option.names().first()));
    }
    const QString dataDir = parser.value(data);

    // Stroke classes: the source's letters, mended and completed by the curated file.
    QHash<QString, QString> classes;
    const QHash<QString, QString> letters = parseStrokeOrderBundle(readFile(parser.value(order)));
    if (letters.size() < 6000)
        fail(QStringLiteral("the stroke-order bundle holds only %1 characters").arg(letters.size()));
    for (auto it = letters.begin(); it != letters.end(); ++it)
        classes.insert(it.key(), strokeClasses(it.value()));
    for (const QStringList &entry : readCurated(dataDir + QStringLiteral("/stroke-classes.tsv")))
        classes.insert(entry.value(0), entry.value(1));

    const QHash<QString, Readings> readings = parseUnihanReadings(readFile(parser.value(unihan)));
    const QMap<QString, int> outlineCounts = outlineStrokeCounts(parser.value(outlines));

    // Extra readings of the curated file: listed by the pinyin table, never shown as the reading.
    QHash<QString, QStringList> extraReadings;
    for (const QStringList &entry : readCurated(dataDir + QStringLiteral("/extra-readings.tsv")))
        extraReadings[entry.value(0)].append(entry.value(1));

    QSet<QString> withoutReading;
    for (const QStringList &entry : readCurated(dataDir + QStringLiteral("/components-without-reading.txt")))
        withoutReading.insert(entry.value(0));
    QStringList syllables;
    for (const QStringList &entry : readCurated(dataDir + QStringLiteral("/syllables.txt")))
        syllables.append(entry.value(0));
    const QSet<QString> syllableSet(syllables.begin(), syllables.end());

    // The tables cover GB2312.
    const QList<QString> gb = gb2312Characters();
    QList<TableRow> strokeRows[5];
    QList<TableRow> pinyinRows[5];
    QSet<QString> usedSyllables;
    for (int i = 0; i < gb.size(); ++i) {
        const QString &c = gb[i];
        const QString code = strokeCode(classes.value(c));
        if (code.isEmpty() || code[0] < u'1' || code[0] > u'5')
            fail(QStringLiteral("no stroke order for %1").arg(c));
        strokeRows[code[0].unicode() - '1'].append({c, code, i});

        if (withoutReading.contains(c))
            continue;
        // the readings of the table, the shown one (already among them where a standard lists
        // the character) and the curated extras
        const Readings r = readings.value(c);
        QStringList seen;
        for (const QString &reading : r.preferred() + QStringList{r.primary()} + extraReadings.value(c)) {
            const QString syllable = tonelessSyllable(reading);
            if (!syllableSet.contains(syllable) || seen.contains(syllable))
                continue;
            seen.append(syllable);
            usedSyllables.insert(syllable);
            for (int s = 0; s < 5; ++s) {
                if (QByteArray(pinyinSegmentInitials[s]).contains(char(syllable[0].unicode())))
                    pinyinRows[s].append({c, syllable, i});
            }
        }
    }
    if (usedSyllables.size() != syllables.size())
        fail(QStringLiteral("%1 of the %2 syllables have no character").arg(syllables.size() - usedSyllables.size()).arg(syllables.size()));

    const QString segmentDir = parser.value(segments);
    for (int s = 0; s < 5; ++s) {
        sortRows(strokeRows[s]);
        sortRows(pinyinRows[s]);
        writeFile(QStringLiteral("%1/Text1bh%2w.txt").arg(segmentDir).arg(s + 1), strokeSegmentText(strokeRows[s]).toUtf8());
        writeFile(QStringLiteral("%1/Text1bh%2.txt").arg(segmentDir).arg(s + 1), pinyinSegmentText(pinyinRows[s]).toUtf8());
    }

    // The facts file: every GB2312 character and every character with outlines, by code point.
    QMap<uint, QString> characters;
    for (const QString &c : gb)
        characters.insert(c.toUcs4().value(0), c);
    for (auto it = outlineCounts.begin(); it != outlineCounts.end(); ++it)
        characters.insert(it.key().toUcs4().value(0), it.key());
    QByteArray out;
    for (const QString &c : characters) {
        const QString strokeClassesOfC = classes.value(c);
        const int count = outlineCounts.value(c, int(strokeClassesOfC.size()));
        const Readings r = readings.value(c);
        QStringList listed = r.preferred();
        for (const QString &extra : extraReadings.value(c)) {
            if (!listed.contains(extra))
                listed.append(extra);
        }
        out += (QStringList{c, strokeClassesOfC, QString::number(count), listed.join(u' '), r.primary()}.join(u'\t') + u'\n').toUtf8();
    }
    writeFile(parser.value(facts), out);
    return 0;
}
