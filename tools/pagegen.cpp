// pagegen: builds strokeorder/, the stroke-order pages that the program's links open, from the
// records of Photo.mdb, the outline files of the pinned outline package and the page sources.
//
//   pagegen --photo FILE --outlines DIR --pages DIR --hanzi-writer FILE --output DIR
//
// Layout of the output (every page loads only files of this folder):
//   assets/                 script, style sheet, hanzi-writer, the list of characters
//   assets/pages/           the animation and practice pages; the address names the character
//   data/<hex>.js           one character's outline, stroke count and reading (hex: its code point)
//   bsdh/post/<c>.html      link to assets/pages/animation.html, one per character
//   bscx/post/<c>.html      link to assets/pages/practice.html, one per character
//   bscx/index.html         the query page
//   licenses/               the outlines' and hanzi-writer's licences
// The character pages are symbolic links to the two shared pages, so that 9,500 characters cost
// a directory entry each rather than a file block. The folder is built beside the output and
// renamed over it at the end: a failed run leaves the previous pages as they were.

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

namespace {

void report(const QString &text)
{
    std::fprintf(stderr, "pagegen: %s\n", qPrintable(text));
}

struct Record {
    QString hz;
    QString BH;
    QString PY;
};

// The records of Photo.mdb in table order, or an error text.
QString readRecords(const QString &fileName, QList<Record> &records)
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
            if (!query.exec(QStringLiteral("SELECT hz, BH, PY FROM chunks ORDER BY rowid")))
                error = query.lastError().text();
            while (error.isEmpty() && query.next())
                records.append({ query.value(0).toString(), query.value(1).toString(),
                    query.value(2).toString() });
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return error;
}

bool writeFile(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size()
        && file.flush())
        return true;
    report(QStringLiteral("cannot write %1: %2").arg(fileName, file.errorString()));
    return false;
}

bool copyFile(const QString &from, const QString &to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) {
        report(QStringLiteral("cannot read %1: %2").arg(from, source.errorString()));
        return false;
    }
    return writeFile(to, source.readAll());
}

// A script that hands a JSON value to a function of the pages: "name(json);".
QByteArray callScript(const char *function, const QJsonValue &value)
{
    const QJsonDocument document
        = value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
    return QByteArray(function) + '(' + document.toJson(QJsonDocument::Compact) + ");\n";
}

// The data script of one character: the outline's strokes and medians (radical strokes left
// out, the pages do not use them) with the record's stroke count and reading.
bool writeCharacterData(const QDir &outlines, const Record &record, const QString &fileName)
{
    QFile file(outlines.filePath(record.hz + QStringLiteral(".json")));
    if (!file.open(QIODevice::ReadOnly)) {
        report(QStringLiteral("cannot read the outline of %1").arg(record.hz));
        return false;
    }
    const QJsonObject outline = QJsonDocument::fromJson(file.readAll()).object();
    const QJsonArray strokes = outline.value(QStringLiteral("strokes")).toArray();
    const QJsonArray medians = outline.value(QStringLiteral("medians")).toArray();
    if (strokes.isEmpty() || strokes.size() != medians.size()) {
        report(QStringLiteral("the outline of %1 is not readable").arg(record.hz));
        return false;
    }
    const QJsonObject data { { QStringLiteral("character"), record.hz },
        { QStringLiteral("strokeCount"), record.BH.toInt() },
        { QStringLiteral("reading"), record.PY }, { QStringLiteral("strokes"), strokes },
        { QStringLiteral("medians"), medians } };
    return writeFile(fileName, callScript("zibrinCharacterData", data));
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

bool build(const QList<Record> &records, const QDir &outlines, const QDir &pages,
    const QString &hanziWriter, const QDir &out)
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
    for (const Record &record : records) {
        const QList<uint> ucs4 = record.hz.toUcs4();
        if (ucs4.size() != 1) {
            report(QStringLiteral("the record \"%1\" is not one character").arg(record.hz));
            return false;
        }
        const QString hex = QString::number(ucs4.first(), 16);
        if (!writeCharacterData(
                outlines, record, out.filePath(QStringLiteral("data/%1.js").arg(hex))))
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
    return writeFile(out.filePath(QStringLiteral("assets/characters.js")),
        callScript("zibrinCharacters", QJsonArray { characters }));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Builds the stroke-order pages."));
    parser.addHelpOption();
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
    parser.addOptions(
        { photoOption, outlinesOption, pagesOption, hanziWriterOption, outputOption });
    parser.process(app);
    for (const QCommandLineOption &option :
        { photoOption, outlinesOption, pagesOption, hanziWriterOption, outputOption }) {
        if (!parser.isSet(option)) {
            report(QStringLiteral(
                "--photo, --outlines, --pages, --hanzi-writer and --output are required"));
            return 2;
        }
    }

    QList<Record> records;
    const QString error = readRecords(parser.value(photoOption), records);
    if (!error.isEmpty() || records.isEmpty()) {
        report(
            QStringLiteral("cannot read the records of %1: %2")
                .arg(parser.value(photoOption), error.isEmpty() ? QStringLiteral("none") : error));
        return 1;
    }

    const QString output = QDir::cleanPath(QDir(parser.value(outputOption)).absolutePath());
    const QString partial = output + QStringLiteral(".part");
    QDir(partial).removeRecursively();
    if (!build(records, QDir(parser.value(outlinesOption)), QDir(parser.value(pagesOption)),
            parser.value(hanziWriterOption), QDir(partial))) {
        QDir(partial).removeRecursively();
        return 1;
    }
    QFileInfo old(output);
    if ((old.isSymLink() && !QFile::remove(output))
        || (old.isDir() && !QDir(output).removeRecursively()) || !QDir().rename(partial, output)) {
        report(QStringLiteral("cannot replace %1").arg(output));
        return 1;
    }
    std::printf("pagegen: pages of %lld characters in %s\n", static_cast<long long>(records.size()),
        qPrintable(output));
    return 0;
}
