// SPDX-License-Identifier: GPL-3.0-or-later
#include "factsfile.h"
#include "framegeometry.h"
#include "pinyinkey.h"
#include "recordstore.h"
#include "strokepicture.h"
#include "tabledata.h"
#include "tablesearch.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString sourceDir()
{
    return qEnvironmentVariable("ZIBRIN_SOURCE_DIR", QStringLiteral(ZIBRIN_SOURCE_DIR));
}
QString buildDir()
{
    return qEnvironmentVariable("ZIBRIN_BUILD_DIR", QStringLiteral(ZIBRIN_BUILD_DIR));
}
QString outlineDir()
{
    return sourceDir() + QStringLiteral("/data/node_modules/hanzi-writer-data");
}

// All rows of chunks in table order; an empty list when the file cannot be read.
QList<CharacterRecord> readAll(const QString &fileName)
{
    QList<CharacterRecord> rows;
    const QString connection = QStringLiteral("photodb-test");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(fileName);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery query(db);
            query.setForwardOnly(true);
            if (query.exec(photoschema::selectRecords(true))) {
                while (query.next())
                    rows.append(photoschema::recordAt(query, true));
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return rows;
}

QByteArray contentsOf(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

uint codePoint(const QString &hz)
{
    const QList<uint> ucs4 = hz.toUcs4();
    return ucs4.size() == 1 ? ucs4.first() : 0;
}

// Whether a stored picture is a 385 x 255 PNG with ink only inside the cells of the frame of
// its stroke count; the failure as text otherwise.
QString checkPicture(const CharacterRecord &row)
{
    QImage picture;
    if (!picture.loadFromData(row.photo, "PNG"))
        return QStringLiteral("%1: photo is not a PNG").arg(row.hz);
    if (picture.size() != framegeometry::pictureSize)
        return QStringLiteral("%1: photo is %2 x %3")
            .arg(row.hz)
            .arg(picture.width())
            .arg(picture.height());
    picture = picture.convertToFormat(QImage::Format_RGB32);
    const QList<QRect> cells = framegeometry::cells(framegeometry::frameForStrokeCount(row.BH));
    QImage inkless(picture.size(), QImage::Format_RGB32);
    inkless.fill(Qt::black);
    for (const QRect &cell : cells)
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x)
                inkless.setPixel(x, y, 0xffffffff);
    int inked = 0;
    for (int y = 0; y < picture.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        const auto *mask = reinterpret_cast<const QRgb *>(inkless.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            if (line[x] == 0xffffffff)
                continue;
            if (mask[x] != 0xffffffff)
                return QStringLiteral("%1: ink at (%2, %3) outside the cells")
                    .arg(row.hz)
                    .arg(x)
                    .arg(y);
            ++inked;
        }
    }
    if (inked == 0)
        return QStringLiteral("%1: blank picture").arg(row.hz);
    return QString();
}

} // namespace

class TestPhotoDb : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    // the builder on a few characters
    void builderWritesRecordsInCodePointOrder();
    void builderIsReproducible();
    void builderRejectsABrokenFactsFile_data();
    void builderRejectsABrokenFactsFile();
    void buildersFollowTheStrokeOrderCorrections();
    // the Photo.mdb of this build
    void realDatabaseHasEveryOutlineCharacter();
    void realDatabaseHasAllOfGb2312();
    void realDatabaseFollowsTheFactsFile();
    void realPicturesStayInsideTheirCells();
    void realDatabaseThroughTheStore_data();
    void realDatabaseThroughTheStore();
    void realShownReadingIsSearchable_data();
    void realShownReadingIsSearchable();
    void licenceShippedBesideTheProgram();

private:
    int runBuilder(const QString &facts, const QString &output, const QString &only,
        QByteArray *errors = nullptr);

    QTemporaryDir m_dir;
    QString m_facts;
    QString m_real;
    QList<CharacterRecord> m_realRows;
};

// 我 is left out of the facts: its record takes the stroke count of its outline and no reading.
// 中 has a facts line but no reading.
static const char smallFacts[] = "峰\t2523541112\t10\tfēng\tfēng\n"
                                 "一\t1\t1\tyī\tyī\n"
                                 "中\t2512\t4\t\t\n"
                                 "爨\t321125125151145123412341344334\t30\tcuàn\tcuàn\n"
                                 "国\t25112141\t8\tguó\tguó\n";
static const char smallSelection[] = "峰一中我爨";

void TestPhotoDb::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_facts = m_dir.filePath(QStringLiteral("characters.tsv"));
    QFile facts(m_facts);
    QVERIFY(facts.open(QIODevice::WriteOnly));
    facts.write(smallFacts);
    facts.close();
    QVERIFY2(QFile::exists(outlineDir() + QStringLiteral("/峰.json")),
        "run tools/setup.sh to install the outline package");

    m_real = buildDir() + QStringLiteral("/Photo.mdb");
    QVERIFY2(QFile::exists(m_real),
        qPrintable(m_real + QStringLiteral(" is missing: build the target photo")));
    m_realRows = readAll(m_real);
    QVERIFY(!m_realRows.isEmpty());
}

int TestPhotoDb::runBuilder(
    const QString &facts, const QString &output, const QString &only, QByteArray *errors)
{
    QProcess builder;
    builder.start(QStringLiteral(ZIBRIN_PHOTOGEN),
        { QStringLiteral("--facts"), facts, QStringLiteral("--outlines"), outlineDir(),
            QStringLiteral("--output"), output, QStringLiteral("--only"), only });
    if (!builder.waitForFinished(120000) || builder.exitStatus() != QProcess::NormalExit)
        return -1;
    if (errors)
        *errors = builder.readAllStandardError();
    return builder.exitCode();
}

void TestPhotoDb::builderWritesRecordsInCodePointOrder()
{
    const QString output = m_dir.filePath(QStringLiteral("small.mdb"));
    QByteArray errors;
    QCOMPARE(runBuilder(m_facts, output, QString::fromUtf8(smallSelection), &errors), 0);
    const QList<CharacterRecord> rows = readAll(output);
    QStringList got;
    for (const CharacterRecord &r : rows)
        got << QStringList { r.hz, r.BH, r.PY, r.strokeClasses }.join(QLatin1Char(' '));
    // 国 has facts but is not selected; 我 has none, so no reading and no stroke classes
    const QStringList expected = { QStringLiteral("一 1 yī 1"), QStringLiteral("中 4  2512"),
        QStringLiteral("峰 10 fēng 2523541112"), QStringLiteral("我 7  "),
        QStringLiteral("爨 30 cuàn 321125125151145123412341344334") };
    QCOMPARE(got, expected);
    for (const CharacterRecord &r : rows) {
        const QString failure = checkPicture(r);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }
    QVERIFY(!QFile::exists(output + QStringLiteral(".part")));
}

void TestPhotoDb::builderIsReproducible()
{
    const QString first = m_dir.filePath(QStringLiteral("first.mdb"));
    const QString second = m_dir.filePath(QStringLiteral("second.mdb"));
    QCOMPARE(runBuilder(m_facts, first, QString::fromUtf8(smallSelection)), 0);
    QTest::qWait(1100); // a time stamp in the file would now differ
    QCOMPARE(runBuilder(m_facts, second, QString::fromUtf8(smallSelection)), 0);
    const QByteArray a = contentsOf(first);
    QVERIFY(!a.isEmpty());
    QVERIFY(a == contentsOf(second));
    // building over an existing file gives the same bytes again
    QCOMPARE(runBuilder(m_facts, second, QString::fromUtf8(smallSelection)), 0);
    QVERIFY(a == contentsOf(second));
}

void TestPhotoDb::builderRejectsABrokenFactsFile_data()
{
    QTest::addColumn<QByteArray>("facts");
    QTest::newRow("four columns") << QByteArray("峰\t2523541112\t10\tfēng\n");
    QTest::newRow("stroke count not a number") << QByteArray("峰\t2523541112\tten\tfēng\tfēng\n");
    QTest::newRow("two characters") << QByteArray("峰峰\t2523541112\t10\tfēng\tfēng\n");
    QTest::newRow("stroke classes not 1-5") << QByteArray("峰\t2523541116\t10\tfēng\tfēng\n");
    QTest::newRow("bad line after good ones") << QByteArray(smallFacts) + "\t\t\t\t\n";
}

// A broken facts file stops the build with a message and leaves the previous output alone.
void TestPhotoDb::builderRejectsABrokenFactsFile()
{
    QFETCH(QByteArray, facts);
    QTemporaryDir dir;
    const QString factsFile = dir.filePath(QStringLiteral("characters.tsv"));
    const QString output = dir.filePath(QStringLiteral("Photo.mdb"));
    QFile file(factsFile);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(facts);
    file.close();
    QFile previous(output);
    QVERIFY(previous.open(QIODevice::WriteOnly));
    previous.write("previous build");
    previous.close();
    QByteArray errors;
    const int exitCode = runBuilder(factsFile, output, QStringLiteral("峰"), &errors);
    QVERIFY(exitCode > 0);
    QVERIFY(errors.contains("malformed"));
    QCOMPARE(contentsOf(output), QByteArray("previous build"));
    QVERIFY(!QFile::exists(output + QStringLiteral(".part")));
}

// A correction of the drawn order: Photo.mdb's outline and picture and the page's data all draw
// 峰 with its first two strokes swapped and its last moved to the front.
void TestPhotoDb::buildersFollowTheStrokeOrderCorrections()
{
    QTemporaryDir dir;
    const QString corrections = dir.filePath(QStringLiteral("stroke-order.tsv"));
    QFile file(corrections);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("# fixture\n峰\t10 2 1 3 4 5 6 7 8 9\ta rule\n");
    file.close();
    const QList<int> order = { 9, 1, 0, 2, 3, 4, 5, 6, 7, 8 };
    QFile source(outlineDir() + QStringLiteral("/峰.json"));
    QVERIFY(source.open(QIODevice::ReadOnly));
    const QJsonObject outline = QJsonDocument::fromJson(source.readAll()).object();
    QJsonArray expectedStrokes, expectedMedians;
    for (int k : order) {
        expectedStrokes.append(outline.value(QLatin1String("strokes")).toArray().at(k));
        expectedMedians.append(outline.value(QLatin1String("medians")).toArray().at(k));
    }

    const QString output = dir.filePath(QStringLiteral("Photo.mdb"));
    QProcess builder;
    builder.start(QStringLiteral(ZIBRIN_PHOTOGEN),
        { QStringLiteral("--facts"), m_facts, QStringLiteral("--outlines"), outlineDir(),
            QStringLiteral("--output"), output, QStringLiteral("--only"), QStringLiteral("峰中"),
            QStringLiteral("--corrections"), corrections });
    QVERIFY(builder.waitForFinished(120000));
    QCOMPARE(builder.exitCode(), 0);

    // the stored outline, the one the sharp picture is drawn from
    QJsonArray stored;
    {
        QSqlDatabase db
            = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("corrections"));
        db.setDatabaseName(output);
        QVERIFY(db.open());
        QSqlQuery query(db);
        QVERIFY(query.prepare(photoschema::selectOutlineOf()));
        query.addBindValue(QStringLiteral("峰"));
        QVERIFY(query.exec() && query.next());
        stored = QJsonDocument::fromJson(query.value(0).toString().toUtf8())
                     .object()
                     .value(QLatin1String("strokes"))
                     .toArray();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("corrections"));
    QCOMPARE(stored, expectedStrokes);

    // the picture
    const QList<CharacterRecord> rows = readAll(output);
    QCOMPARE(rows.size(), 2);
    const CharacterRecord &feng = rows.at(1);
    QCOMPARE(feng.hz, QStringLiteral("峰"));
    const auto strokes = strokepicture::readOutline(
        QJsonDocument(QJsonObject { { QStringLiteral("strokes"), expectedStrokes } }).toJson());
    QVERIFY(strokes);
    const QImage expected = strokepicture::reduceColours(
        strokepicture::renderPicture(*strokes, framegeometry::frameForStrokeCount(feng.BH)))
                                .convertToFormat(QImage::Format_RGB32);
    QImage picture;
    QVERIFY(picture.loadFromData(feng.photo, "PNG"));
    QVERIFY(picture.convertToFormat(QImage::Format_RGB32) == expected);

    // the page's data: strokes and medians (the practice quiz's) in the same order
    const QString pages = dir.filePath(QStringLiteral("strokeorder"));
    QProcess pagegen;
    pagegen.start(QStringLiteral(ZIBRIN_PAGEGEN),
        { QStringLiteral("--photo"), output, QStringLiteral("--outlines"), outlineDir(),
            QStringLiteral("--pages"), sourceDir() + QStringLiteral("/pages"),
            QStringLiteral("--hanzi-writer"),
            sourceDir()
                + QStringLiteral("/data/node_modules/hanzi-writer/dist/hanzi-writer.min.js"),
            QStringLiteral("--output"), pages, QStringLiteral("--corrections"), corrections });
    QVERIFY(pagegen.waitForFinished(120000));
    QCOMPARE(pagegen.exitCode(), 0);
    QByteArray script = contentsOf(pages + QStringLiteral("/data/5cf0.js"));
    QVERIFY(script.startsWith("zibrinCharacterData(") && script.endsWith(");\n"));
    script = script.mid(int(qstrlen("zibrinCharacterData(")));
    script.chop(3);
    const QJsonObject data = QJsonDocument::fromJson(script).object();
    QCOMPARE(data.value(QLatin1String("strokes")).toArray(), expectedStrokes);
    QCOMPARE(data.value(QLatin1String("medians")).toArray(), expectedMedians);
}

void TestPhotoDb::realDatabaseHasEveryOutlineCharacter()
{
    QVERIFY(m_realRows.size() >= 9500);
    QSet<QString> stored;
    uint previous = 0;
    for (const CharacterRecord &r : m_realRows) {
        const uint cp = codePoint(r.hz);
        QVERIFY2(
            cp > previous, qPrintable(r.hz)); // one character each, in code point order, no twice
        previous = cp;
        stored.insert(r.hz);
    }
    const QStringList files
        = QDir(outlineDir()).entryList({ QStringLiteral("*.json") }, QDir::Files);
    int outlines = 0;
    for (const QString &name : files) {
        const QString hz = name.chopped(5);
        if (codePoint(hz) == 0)
            continue;
        ++outlines;
        QVERIFY2(stored.contains(hz), qPrintable(hz));
    }
    QCOMPARE(m_realRows.size(), outlines);
}

void TestPhotoDb::realDatabaseHasAllOfGb2312()
{
    QSet<QString> stored;
    for (const CharacterRecord &r : m_realRows)
        stored.insert(r.hz);
    QStringDecoder gb2312("GB2312");
    QVERIFY(gb2312.isValid());
    int characters = 0;
    QStringList missing;
    for (int high = 0xB0; high <= 0xF7; ++high) {
        for (int low = 0xA1; low <= 0xFE; ++low) {
            const char bytes[] = { char(high), char(low) };
            const QString hz = gb2312.decode(QByteArrayView(bytes, 2));
            // D7FA..D7FE are unassigned: U+FFFD or a private-use code, depending on the converter
            if (hz.size() != 1 || hz == QStringLiteral("\uFFFD")
                || hz[0].category() == QChar::Other_PrivateUse)
                continue;
            ++characters;
            if (!stored.contains(hz))
                missing << hz;
        }
    }
    QCOMPARE(characters, 6763);
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char(' '))));
}

// BH, PY and the stroke classes come from the facts file; a character it lacks keeps its
// outline's stroke count.
void TestPhotoDb::realDatabaseFollowsTheFactsFile()
{
    QFile file(sourceDir() + QStringLiteral("/data/characters.tsv"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QString error;
    const std::optional<QList<factsfile::Row>> rows = factsfile::read(file.readAll(), &error);
    QVERIFY2(rows, qPrintable(error));
    QHash<QString, factsfile::Row> facts;
    for (const factsfile::Row &row : *rows)
        facts.insert(row.character, row);
    QVERIFY(facts.size() >= 6763);
    int fromFacts = 0;
    for (const CharacterRecord &r : m_realRows) {
        const auto found = facts.constFind(r.hz);
        if (found == facts.constEnd()) {
            QVERIFY2(r.PY.isEmpty() && r.strokeClasses.isEmpty(), qPrintable(r.hz));
            continue;
        }
        ++fromFacts;
        QVERIFY2(r.BH == QString::number(found->strokeCount),
            qPrintable(r.hz + QLatin1Char(' ') + r.BH));
        QVERIFY2(r.PY == found->primaryReading, qPrintable(r.hz + QLatin1Char(' ') + r.PY));
        QVERIFY2(r.strokeClasses == found->strokeClasses,
            qPrintable(r.hz + QLatin1Char(' ') + r.strokeClasses));
    }
    QVERIFY(fromFacts >= 6763);
}

// Every picture with a frame of its own, and a spread of the others.
void TestPhotoDb::realPicturesStayInsideTheirCells()
{
    int checked = 0;
    for (qsizetype i = 0; i < m_realRows.size(); ++i) {
        const CharacterRecord &r = m_realRows[i];
        if (i % 17 != 0 && r.BH.toInt() < 24)
            continue;
        const QString failure = checkPicture(r);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        ++checked;
    }
    QVERIFY(checked > 500);
}

void TestPhotoDb::realDatabaseThroughTheStore_data()
{
    QTest::addColumn<QString>("hz");
    QTest::addColumn<QString>("BH");
    QTest::addColumn<QString>("PY");
    QTest::newRow("峰") << "峰"
                        << "10"
                        << "fēng";
    QTest::newRow("一") << "一"
                        << "1"
                        << "yī";
    QTest::newRow("中") << "中"
                        << "4"
                        << "zhōng";
    QTest::newRow("我") << "我"
                        << "7"
                        << "wǒ";
    QTest::newRow("爨") << "爨"
                        << "30"
                        << "cuàn";
    // kMandarin's dated readings give way to the 2013 standard's
    QTest::newRow("卓") << "卓"
                        << "8"
                        << "zhuó";
    QTest::newRow("框") << "框"
                        << "10"
                        << "kuàng";
    QTest::newRow("帧") << "帧"
                        << "9"
                        << "zhēn";
    QTest::newRow("quote") << "'" << QString() << QString();
    QTest::newRow("emoji") << "😀" << QString() << QString();
    QTest::newRow("Latin letter") << "a" << QString() << QString();
}

void TestPhotoDb::realDatabaseThroughTheStore()
{
    QFETCH(QString, hz);
    QFETCH(QString, BH);
    QFETCH(QString, PY);
    const QByteArray before
        = QCryptographicHash::hash(contentsOf(m_real), QCryptographicHash::Sha256);
    {
        RecordStore store;
        QVERIFY(store.open(m_real));
        QCOMPARE(store.current().hz, m_realRows.first().hz);
        store.FindFirst(hz);
        QCOMPARE(store.NoMatch(), BH.isEmpty());
        if (!BH.isEmpty()) {
            QCOMPARE(store.current().hz, hz);
            QCOMPARE(store.current().BH, BH);
            QCOMPARE(store.current().PY, PY);
            QImage picture;
            QVERIFY(picture.loadFromData(store.current().photo, "PNG"));
            QCOMPARE(picture.size(), framegeometry::pictureSize);
        }
    }
    QCOMPARE(QCryptographicHash::hash(contentsOf(m_real), QCryptographicHash::Sha256), before);
}

// For every GB2312 character with a record, the pinyin search lists it under the syllable of the
// reading it shows: unless that syllable is none of the 400, or the character is a component that
// the table leaves without a row.
void TestPhotoDb::realShownReadingIsSearchable_data()
{
    QTest::addColumn<QString>("hz");
    QTest::addColumn<QString>("syllable");
    const auto lines = [](const QString &name) {
        QFile file(sourceDir() + QStringLiteral("/data/") + name);
        QSet<QString> out;
        if (file.open(QIODevice::ReadOnly)) {
            for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
                if (!line.trimmed().isEmpty() && !line.startsWith(QLatin1Char('#')))
                    out.insert(line.trimmed());
            }
        }
        return out;
    };
    const QSet<QString> components = lines(QStringLiteral("components-without-reading.txt"));
    const QSet<QString> syllables = lines(QStringLiteral("syllables.txt"));
    QVERIFY(!components.isEmpty());
    QCOMPARE(syllables.size(), 400);
    QHash<QString, QString> shown;
    for (const CharacterRecord &r : m_realRows)
        shown.insert(r.hz, r.PY);
    int rows = 0;
    for (const QString &hz : tabledata::gb2312Characters()) {
        const QString syllable = tabledata::tonelessSyllable(shown.value(hz));
        if (shown.contains(hz) && !components.contains(hz) && syllables.contains(syllable)) {
            QTest::newRow(qPrintable(hz + QLatin1Char(' ') + shown.value(hz))) << hz << syllable;
            ++rows;
        }
    }
    QVERIFY(rows > 6700);
}

void TestPhotoDb::realShownReadingIsSearchable()
{
    QFETCH(QString, hz);
    QFETCH(QString, syllable);
    const auto key = pinyinKey(syllable);
    const auto segment = key ? pinyinKeySegment(*key) : std::nullopt;
    QVERIFY2(segment, qPrintable(syllable));
    static QHash<QString, QString> listed; // the result box of each key searched
    if (!listed.contains(*key)) {
        TableSearch search;
        QString box;
        segmentSearch(
            search, tables::segmentText(*segment), [&] { return *key; }, [&] { return box; },
            [&](const QString &text) { box = text; });
        listed.insert(*key, box);
    }
    QVERIFY2(listed.value(*key).contains(hz + QLatin1Char(' ')),
        qPrintable(syllable + QStringLiteral(": ") + listed.value(*key)));
}

void TestPhotoDb::licenceShippedBesideTheProgram()
{
    const QByteArray shipped = contentsOf(buildDir() + QStringLiteral("/ARPHICPL.TXT"));
    QVERIFY(shipped.startsWith("ARPHIC PUBLIC LICENSE"));
    QCOMPARE(shipped, contentsOf(outlineDir() + QStringLiteral("/ARPHICPL.TXT")));
}

QTEST_GUILESS_MAIN(TestPhotoDb)
#include "tst_photodb.moc"
