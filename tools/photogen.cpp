// SPDX-License-Identifier: GPL-3.0-or-later
// photogen: builds Photo.mdb, the character records with their stroke-order pictures, from the
// facts file data/characters.tsv and the outline files of the pinned outline package.
//
//   photogen --facts FILE --outlines DIR --output FILE [--corrections FILE] [--only CHARACTERS]
//            [--jobs N]
//
// The corrections file (data/stroke-order.tsv) puts the strokes of the characters it lists in the
// standard's order: the pictures and the stored outlines both follow it.
// One record per outline file whose name is one character, in code point order. The output is
// the same bytes on every run: fixed PNG settings, no time stamps, the database written to a
// temporary file, vacuumed and then renamed over the output.
//
// The tables are those of formats/photoschema.h: beside the records (with the stroke classes of
// the facts file) each character's strokes as the JSON object {"strokes": [SVG path, ...]} of the
// outline package, from which the program draws the picture anew at the resolution of a
// high-density screen.

#include "factsfile.h"
#include "framegeometry.h"
#include "photoschema.h"
#include "strokeorder.h"
#include "strokepicture.h"
#include "toolsupport.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QImageWriter>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

using toolsupport::report;

namespace {

// Columns of one facts line that the records take.
struct Facts {
    QString strokeClasses;
    QString strokeCount;
    QString reading;
};

// A record being built, with what its building found.
struct Record {
    char32_t codePoint = 0;
    CharacterRecord row;
    QByteArray outline; // {"strokes": [...]}, compact JSON
    QStringList warnings;
    bool failed = false;
};

// PNG level 9 (quality 0): the bytes depend only on the pixels and these settings.
constexpr int pngQuality = 0;
constexpr int dotsPerMeter = 3780; // 96 dpi

// The single code point of a text, or 0 when the text is not exactly one character.
char32_t singleCodePoint(const QString &text)
{
    const QList<uint> ucs4 = text.toUcs4();
    return ucs4.size() == 1 ? char32_t(ucs4.first()) : 0;
}

// The facts file's rows by code point. Returns false (after reporting the line) on a malformed
// line.
bool readFacts(const QString &fileName, QHash<char32_t, Facts> &out)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        report(QStringLiteral("cannot read %1: %2").arg(fileName, file.errorString()));
        return false;
    }
    QString error;
    const std::optional<QList<factsfile::Row>> rows = factsfile::read(file.readAll(), &error);
    if (!rows) {
        report(QStringLiteral("%1: %2").arg(fileName, error));
        return false;
    }
    for (const factsfile::Row &row : *rows) {
        out.insert(char32_t(row.character.toUcs4().constFirst()),
            Facts { row.strokeClasses, QString::number(row.strokeCount), row.primaryReading });
    }
    return true;
}

QByteArray encodePng(QImage image)
{
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setQuality(pngQuality);
    if (!writer.write(image))
        return QByteArray();
    return bytes;
}

// Reads one outline file and fills in the picture; runs on a worker thread.
void buildRecord(const QDir &outlines, const QHash<char32_t, Facts> &facts,
    const QHash<QString, QList<int>> &corrections, Record &record)
{
    QFile file(outlines.filePath(record.row.hz + QStringLiteral(".json")));
    if (!file.open(QIODevice::ReadOnly)) {
        record.warnings.append(QStringLiteral("cannot read the outline of %1").arg(record.row.hz));
        record.failed = true;
        return;
    }
    const QByteArray source = file.readAll();
    const QJsonDocument document = QJsonDocument::fromJson(source);
    const QByteArray json = document.isObject()
        ? QJsonDocument(strokeorder::corrected(document.object(), record.row.hz, corrections))
              .toJson(QJsonDocument::Compact)
        : source;
    const auto strokes = strokepicture::readOutline(json);
    if (!strokes) {
        record.warnings.append(
            QStringLiteral("the outline of %1 is not readable").arg(record.row.hz));
        record.failed = true;
        return;
    }
    for (qsizetype s = 0; s < strokes->size(); ++s) {
        if (strokes->at(s).isEmpty())
            record.warnings.append(QStringLiteral("%1: stroke %2 has a malformed path; left out")
                                       .arg(record.row.hz)
                                       .arg(s + 1));
    }
    const auto found = facts.constFind(record.codePoint);
    if (found != facts.constEnd()) {
        record.row.BH = found->strokeCount;
        record.row.PY = found->reading;
        record.row.strokeClasses = found->strokeClasses;
        if (record.row.BH != QString::number(strokes->size()))
            record.warnings.append(
                QStringLiteral("%1: the facts give %2 strokes, the outline has %3")
                    .arg(record.row.hz, record.row.BH)
                    .arg(strokes->size()));
    } else {
        record.row.BH = QString::number(strokes->size());
    }
    const QJsonValue strokePaths
        = QJsonDocument::fromJson(json).object().value(QLatin1String("strokes"));
    record.outline = QJsonDocument(QJsonObject { { QStringLiteral("strokes"), strokePaths } })
                         .toJson(QJsonDocument::Compact);
    const QImage picture = strokepicture::reduceColours(
        strokepicture::renderPicture(*strokes, framegeometry::frameForStrokeCount(record.row.BH)));
    record.row.photo = encodePng(picture);
    if (record.row.photo.isEmpty()) {
        record.warnings.append(
            QStringLiteral("%1: the picture could not be encoded").arg(record.row.hz));
        record.failed = true;
    }
}

// Renders all records on `jobs` threads; each thread takes the next unclaimed index, so the
// order of the records is that of the list whatever the timing.
void buildRecords(const QDir &outlines, const QHash<char32_t, Facts> &facts,
    const QHash<QString, QList<int>> &corrections, std::vector<Record> &records, unsigned jobs)
{
    std::atomic<size_t> next { 0 };
    auto work = [&] {
        for (size_t i = next++; i < records.size(); i = next++)
            buildRecord(outlines, facts, corrections, records[i]);
    };
    std::vector<std::jthread> threads;
    for (unsigned t = 1; t < jobs; ++t)
        threads.emplace_back(work);
    work();
}

bool exec(QSqlQuery &query, const QString &statement)
{
    if (query.exec(statement))
        return true;
    report(QStringLiteral("%1: %2").arg(statement, query.lastError().text()));
    return false;
}

bool writeDatabase(const QString &fileName, const std::vector<Record> &records)
{
    const QString connection = QStringLiteral("photogen");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(fileName);
        if (!db.open()) {
            report(QStringLiteral("cannot create %1: %2").arg(fileName, db.lastError().text()));
        } else {
            QSqlQuery query(db);
            // Large pages hold the pictures (about 3 KB each) with little slack; the file is
            // temporary until renamed, so it needs no journal.
            ok = exec(query, QStringLiteral("PRAGMA page_size = 65536"))
                && exec(query, QStringLiteral("PRAGMA journal_mode = OFF"))
                && exec(query, QStringLiteral("PRAGMA synchronous = OFF"));
            for (const QString &statement : photoschema::createTables())
                ok = ok && exec(query, statement);
            ok = ok && db.transaction();
            if (ok && !photoschema::prepareRecordInsert(query)) {
                report(query.lastError().text());
                ok = false;
            }
            for (size_t i = 0; ok && i < records.size(); ++i) {
                const CharacterRecord &r = records[i].row;
                photoschema::bindRecord(query, r);
                if (!query.exec()) {
                    report(QStringLiteral("insert %1: %2").arg(r.hz, query.lastError().text()));
                    ok = false;
                }
            }
            QSqlQuery outlines(db);
            if (ok && !photoschema::prepareOutlineInsert(outlines)) {
                report(outlines.lastError().text());
                ok = false;
            }
            for (size_t i = 0; ok && i < records.size(); ++i) {
                photoschema::bindOutline(outlines, records[i].row.hz, records[i].outline);
                if (!outlines.exec()) {
                    report(QStringLiteral("insert the outline of %1: %2")
                               .arg(records[i].row.hz, outlines.lastError().text()));
                    ok = false;
                }
            }
            outlines.finish();
            ok = ok && db.commit();
            query.finish();
            for (const QString &statement : photoschema::createIndexes())
                ok = ok && exec(query, statement);
            ok = ok && exec(query, QStringLiteral("VACUUM"));
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    toolsupport::setToolName("photogen");
    QCommandLineParser parser;
    const QCommandLineOption factsOption(
        QStringLiteral("facts"), QStringLiteral("The facts file."), QStringLiteral("file"));
    const QCommandLineOption outlinesOption(QStringLiteral("outlines"),
        QStringLiteral("Folder of the outline files."), QStringLiteral("dir"));
    const QCommandLineOption outputOption(
        QStringLiteral("output"), QStringLiteral("The database to write."), QStringLiteral("file"));
    const QCommandLineOption onlyOption(QStringLiteral("only"),
        QStringLiteral("Build only these characters."), QStringLiteral("text"));
    const QCommandLineOption jobsOption(
        QStringLiteral("jobs"), QStringLiteral("Rendering threads."), QStringLiteral("n"));
    const QCommandLineOption correctionsOption(QStringLiteral("corrections"),
        QStringLiteral("The stroke-order corrections."), QStringLiteral("file"));
    if (!toolsupport::parseCommandLine(parser,
            QStringLiteral("Builds Photo.mdb from the facts file and the stroke outlines."),
            { factsOption, outlinesOption, outputOption, onlyOption, jobsOption,
                correctionsOption },
            { factsOption, outlinesOption, outputOption }))
        return 2;
    unsigned jobs = std::max(1u, std::thread::hardware_concurrency());
    if (parser.isSet(jobsOption))
        jobs = std::max(1u, parser.value(jobsOption).toUInt());

    QHash<char32_t, Facts> facts;
    if (!readFacts(parser.value(factsOption), facts))
        return 1;

    QHash<QString, QList<int>> corrections;
    if (parser.isSet(correctionsOption)) {
        QFile file(parser.value(correctionsOption));
        QString error;
        if (!file.open(QIODevice::ReadOnly)) {
            report(QStringLiteral("cannot read %1: %2").arg(file.fileName(), file.errorString()));
            return 1;
        }
        corrections = strokeorder::parseCorrections(file.readAll(), &error);
        if (!error.isEmpty()) {
            report(QStringLiteral("%1: %2").arg(file.fileName(), error));
            return 1;
        }
    }

    const QDir outlines(parser.value(outlinesOption));
    QSet<char32_t> only;
    for (uint c : parser.value(onlyOption).toUcs4())
        only.insert(char32_t(c));
    std::vector<Record> records;
    const QStringList names = outlines.entryList({ QStringLiteral("*.json") }, QDir::Files);
    for (const QString &name : names) {
        const QString hz = name.chopped(5);
        const char32_t codePoint = singleCodePoint(hz);
        if (codePoint == 0 || (parser.isSet(onlyOption) && !only.contains(codePoint)))
            continue; // package.json and the like
        Record record;
        record.codePoint = codePoint;
        record.row.hz = hz;
        records.push_back(std::move(record));
    }
    if (records.empty()) {
        report(QStringLiteral("no outline files in %1").arg(outlines.path()));
        return 1;
    }
    std::sort(records.begin(), records.end(),
        [](const Record &a, const Record &b) { return a.codePoint < b.codePoint; });

    buildRecords(outlines, facts, corrections, records, jobs);
    bool failed = false;
    for (const Record &r : records) {
        for (const QString &warning : r.warnings)
            report(warning);
        failed = failed || r.failed;
    }
    if (failed)
        return 1;

    const QString output = parser.value(outputOption);
    return toolsupport::replaceOutput(output,
               [&records](const QString &partial) { return writeDatabase(partial, records); })
        ? 0
        : 1;
}
