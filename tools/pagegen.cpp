// SPDX-License-Identifier: GPL-3.0-or-later
// pagegen: builds strokeorder/, the stroke-order pages that the program's links open, from the
// records of Photo.mdb, the outline files of the pinned outline package and the page sources.
//
//   pagegen --photo FILE --outlines DIR --pages DIR --hanzi-writer FILE --output DIR
//           [--corrections FILE] [--facts FILE]
//
// The corrections file (data/stroke-order.tsv) puts the strokes of the characters it lists in the
// standard's order, as in Photo.mdb; the facts file gives each stroke's name.
// Layout of the output (every page loads only files of this folder):
//   assets/                 script, style sheet, hanzi-writer, the list of characters
//   assets/pages/           the animation and practice pages; the address names the character
//   data/<hex>.js           one character's outline, stroke count, reading and stroke names (hex:
//                           its code point)
//   bsdh/post/<c>.html      link to assets/pages/animation.html, one per character
//   bscx/post/<c>.html      link to assets/pages/practice.html, one per character
//   bscx/index.html         the query page
//   licenses/               the outlines' and hanzi-writer's licences
// The character pages are symbolic links to the two shared pages, so that 9,500 characters cost
// a directory entry each rather than a file block. The folder is built beside the output and
// renamed over it at the end: a failed run leaves the previous pages as they were.

#include "factsfile.h"
#include "photoschema.h"
#include "strokeorder.h"
#include "toolsupport.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <cstdio>

using toolsupport::report;
using toolsupport::writeBytes;

namespace {

// What the pages take besides the records: the stroke-order corrections and the stroke names of
// the facts file ("" for a stroke without a name).
struct Extras {
    QHash<QString, QList<int>> corrections;
    QHash<QString, QStringList> strokeNames;
};

QByteArray readAll(const QString &fileName, bool *ok)
{
    QFile file(fileName);
    *ok = file.open(QIODevice::ReadOnly);
    if (!*ok)
        report(QStringLiteral("cannot read %1: %2").arg(fileName, file.errorString()));
    return *ok ? file.readAll() : QByteArray();
}

// The stroke names of the facts file by character; false (after reporting) on a malformed file.
bool readStrokeNames(
    const QString &fileName, const QByteArray &facts, QHash<QString, QStringList> &out)
{
    QString error;
    const std::optional<QList<factsfile::Row>> rows = factsfile::read(facts, &error);
    if (!rows) {
        report(QStringLiteral("%1: %2").arg(fileName, error));
        return false;
    }
    for (const factsfile::Row &row : *rows) {
        if (!row.strokeNames.isEmpty())
            out.insert(row.character, row.strokeNames);
    }
    return true;
}

// The records of Photo.mdb in table order, or an error text.
QString readRecords(const QString &fileName, QList<CharacterRecord> &records)
{
    if (!QFile::exists(fileName))
        return QStringLiteral("%1 does not exist").arg(fileName);
    const QString connection = QStringLiteral("pagegen");
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(fileName);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open()) {
            error = db.lastError().text();
        } else {
            QSqlQuery query(db);
            query.setForwardOnly(true);
            if (!query.exec(photoschema::selectRecords(false)))
                error = query.lastError().text();
            while (error.isEmpty() && query.next()) {
                CharacterRecord record = photoschema::recordAt(query, false);
                record.photo.clear(); // the pages draw from the outlines
                records.append(std::move(record));
            }
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return error;
}

bool copyFile(const QString &from, const QString &to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) {
        report(QStringLiteral("cannot read %1: %2").arg(from, source.errorString()));
        return false;
    }
    return writeBytes(to, source.readAll());
}

// A script that hands a JSON value to a function of the pages: "name(json);".
QByteArray callScript(const char *function, const QJsonValue &value)
{
    const QJsonDocument document
        = value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
    return QByteArray(function) + '(' + document.toJson(QJsonDocument::Compact) + ");\n";
}

// The data script of one character: the outline's strokes and medians in the corrected order
// (radical strokes left out, the pages do not use them) with the record's stroke count and
// reading and the strokes' names ("" where the facts have none).
bool writeCharacterData(const QDir &outlines, const CharacterRecord &record, const Extras &extras,
    const QString &fileName)
{
    QFile file(outlines.filePath(record.hz + QStringLiteral(".json")));
    if (!file.open(QIODevice::ReadOnly)) {
        report(QStringLiteral("cannot read the outline of %1").arg(record.hz));
        return false;
    }
    const QJsonObject outline = strokeorder::corrected(
        QJsonDocument::fromJson(file.readAll()).object(), record.hz, extras.corrections);
    const QJsonArray strokes = outline.value(QStringLiteral("strokes")).toArray();
    const QJsonArray medians = outline.value(QStringLiteral("medians")).toArray();
    if (strokes.isEmpty() || strokes.size() != medians.size()) {
        report(QStringLiteral("the outline of %1 is not readable").arg(record.hz));
        return false;
    }
    QJsonArray names;
    const QStringList known = extras.strokeNames.value(record.hz);
    for (qsizetype i = 0; i < strokes.size(); ++i)
        names.append(known.size() == strokes.size() ? known[i] : QString());
    const QJsonObject data { { QStringLiteral("character"), record.hz },
        { QStringLiteral("strokeCount"), record.BH.toInt() },
        { QStringLiteral("reading"), record.PY }, { QStringLiteral("strokes"), strokes },
        { QStringLiteral("medians"), medians }, { QStringLiteral("strokeNames"), names } };
    return writeBytes(fileName, callScript("zibrinCharacterData", data));
}

bool makeFolders(const QDir &root, const QStringList &paths)
{
    for (const QString &path : paths) {
        if (!root.mkpath(path)) {
            report(QStringLiteral("cannot make %1").arg(root.filePath(path)));
            return false;
        }
    }
    return true;
}

bool build(const QList<CharacterRecord> &records, const Extras &extras, const QDir &outlines,
    const QDir &pages, const QString &hanziWriter, const QDir &out)
{
    if (!makeFolders(out,
            { QStringLiteral("assets/pages"), QStringLiteral("data"), QStringLiteral("bsdh/post"),
                QStringLiteral("bscx/post"), QStringLiteral("licenses") }))
        return false;

    // the shared files
    const QStringList assets
        = pages.entryList({ QStringLiteral("*.js"), QStringLiteral("*.css") }, QDir::Files);
    for (const QString &name : assets) {
        if (!copyFile(pages.filePath(name), out.filePath(QStringLiteral("assets/") + name)))
            return false;
    }
    const QFileInfo hanziWriterFile(hanziWriter);
    const QDir hanziWriterPackage = hanziWriterFile.dir().filePath(QStringLiteral(".."));
    if (!copyFile(hanziWriter, out.filePath(QStringLiteral("assets/hanzi-writer.min.js")))
        || !copyFile(pages.filePath(QStringLiteral("animation.html")),
            out.filePath(QStringLiteral("assets/pages/animation.html")))
        || !copyFile(pages.filePath(QStringLiteral("practice.html")),
            out.filePath(QStringLiteral("assets/pages/practice.html")))
        || !copyFile(pages.filePath(QStringLiteral("query.html")),
            out.filePath(QStringLiteral("bscx/index.html")))
        || !copyFile(outlines.filePath(QStringLiteral("ARPHICPL.TXT")),
            out.filePath(QStringLiteral("licenses/ARPHICPL.TXT")))
        || !copyFile(hanziWriterPackage.filePath(QStringLiteral("LICENSE")),
            out.filePath(QStringLiteral("licenses/hanzi-writer-LICENSE"))))
        return false;

    QString characters;
    for (const CharacterRecord &record : records) {
        const QList<uint> ucs4 = record.hz.toUcs4();
        if (ucs4.size() != 1) {
            report(QStringLiteral("the record \"%1\" is not one character").arg(record.hz));
            return false;
        }
        const QString hex = QString::number(ucs4.first(), 16);
        if (!writeCharacterData(
                outlines, record, extras, out.filePath(QStringLiteral("data/%1.js").arg(hex))))
            return false;
        const QString page = record.hz + QStringLiteral(".html");
        if (!QFile::link(QStringLiteral("../../assets/pages/animation.html"),
                out.filePath(QStringLiteral("bsdh/post/") + page))
            || !QFile::link(QStringLiteral("../../assets/pages/practice.html"),
                out.filePath(QStringLiteral("bscx/post/") + page))) {
            report(QStringLiteral("cannot link the pages of %1").arg(record.hz));
            return false;
        }
        characters += record.hz;
    }
    // the query page's list of the characters that have pages
    return writeBytes(out.filePath(QStringLiteral("assets/characters.js")),
        callScript("zibrinCharacters", QJsonArray { characters }));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    toolsupport::setToolName("pagegen");
    QCommandLineParser parser;
    const QCommandLineOption photoOption(QStringLiteral("photo"),
        QStringLiteral("Photo.mdb, whose records get pages."), QStringLiteral("file"));
    const QCommandLineOption outlinesOption(QStringLiteral("outlines"),
        QStringLiteral("Folder of the outline files."), QStringLiteral("dir"));
    const QCommandLineOption pagesOption(QStringLiteral("pages"),
        QStringLiteral("Folder of the page sources."), QStringLiteral("dir"));
    const QCommandLineOption hanziWriterOption(QStringLiteral("hanzi-writer"),
        QStringLiteral("hanzi-writer's minified script."), QStringLiteral("file"));
    const QCommandLineOption outputOption(
        QStringLiteral("output"), QStringLiteral("The folder to write."), QStringLiteral("dir"));
    const QCommandLineOption correctionsOption(QStringLiteral("corrections"),
        QStringLiteral("The stroke-order corrections."), QStringLiteral("file"));
    const QCommandLineOption factsOption(QStringLiteral("facts"),
        QStringLiteral("The facts file, with the stroke names."), QStringLiteral("file"));
    if (!toolsupport::parseCommandLine(parser, QStringLiteral("Builds the stroke-order pages."),
            { photoOption, outlinesOption, pagesOption, hanziWriterOption, outputOption,
                correctionsOption, factsOption },
            { photoOption, outlinesOption, pagesOption, hanziWriterOption, outputOption }))
        return 2;

    QList<CharacterRecord> records;
    const QString error = readRecords(parser.value(photoOption), records);
    if (!error.isEmpty() || records.isEmpty()) {
        report(
            QStringLiteral("cannot read the records of %1: %2")
                .arg(parser.value(photoOption), error.isEmpty() ? QStringLiteral("none") : error));
        return 1;
    }

    Extras extras;
    bool ok = true;
    if (parser.isSet(correctionsOption)) {
        QString correctionError;
        extras.corrections = strokeorder::parseCorrections(
            readAll(parser.value(correctionsOption), &ok), &correctionError);
        if (!ok)
            return 1;
        if (!correctionError.isEmpty()) {
            report(QStringLiteral("%1: %2").arg(parser.value(correctionsOption), correctionError));
            return 1;
        }
    }
    if (parser.isSet(factsOption)) {
        const QByteArray facts = readAll(parser.value(factsOption), &ok);
        if (!ok || !readStrokeNames(parser.value(factsOption), facts, extras.strokeNames))
            return 1;
    }

    const QString output = QDir::cleanPath(QDir(parser.value(outputOption)).absolutePath());
    const bool built = toolsupport::replaceOutput(output, [&](const QString &partial) {
        return build(records, extras, QDir(parser.value(outlinesOption)),
            QDir(parser.value(pagesOption)), parser.value(hanziWriterOption), QDir(partial));
    });
    if (!built)
        return 1;
    std::printf("pagegen: pages of %lld characters in %s\n", static_cast<long long>(records.size()),
        qPrintable(output));
    return 0;
}
