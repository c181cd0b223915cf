// SPDX-License-Identifier: GPL-3.0-or-later
#include "recordstore.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

// A record of the fixture at its place in the table.
struct Row {
    qint64 rowid;
    CharacterRecord record;
};

// The fixture, in table order. Rows are inserted in another order, so only an ordering by rowid
// finds the first of two records of one character.
const QList<Row> &fixtureRows()
{
    static const QList<Row> rows = {
        { 3,
            { QStringLiteral("中"), QStringLiteral("4"), QStringLiteral("zhōng"),
                QByteArray("photo of 中"), QStringLiteral("2512") } },
        { 5, { QStringLiteral("一"), QStringLiteral("1"), QStringLiteral("yī"), QByteArray() } },
        { 8,
            { QStringLiteral("峰"), QStringLiteral("10"), QStringLiteral("fēng"),
                QByteArray(3000, '\x89'), QStringLiteral("2523541112") } },
        { 9,
            { QStringLiteral("国"), QStringLiteral("8"), QStringLiteral("guó"),
                QByteArray("first 国"), QStringLiteral("25112141") } },
        { 12,
            { QStringLiteral("𠀀"), QStringLiteral("5"), QStringLiteral("qiū"),
                QByteArray("non-BMP"), QString(65, u'1') } },
        { 13,
            { QStringLiteral("a"), QStringLiteral("1"), QString(), QByteArray("latin"),
                QStringLiteral("1a") } },
        { 20,
            { QStringLiteral("国"), QStringLiteral("88"), QStringLiteral("second"),
                QByteArray("second 国"), QStringLiteral("1") } },
        { 21,
            { QStringLiteral("爨"), QStringLiteral("30"), QStringLiteral("cuàn"),
                QByteArray(5000, 'x'), QString(64, u'5') } },
    };
    return rows;
}

// Runs the statements on a new SQLite file and inserts the rows into chunks; returns an error
// text or an empty one.
QString makeDatabase(
    const QString &fileName, const QStringList &statements, const QList<Row> &rows = {})
{
    const QString connection = QStringLiteral("fixture");
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(fileName);
        if (!db.open())
            return db.lastError().text();
        QSqlQuery query(db);
        for (const QString &statement : statements)
            if (error.isEmpty() && !query.exec(statement))
                error = statement + QStringLiteral(": ") + query.lastError().text();
        query.prepare(QStringLiteral(
            "INSERT INTO chunks (rowid, hz, BH, PY, photo, classes) VALUES (?, ?, ?, ?, ?, ?)"));
        const auto text
            = [](const QString &value) { return value.isNull() ? QStringLiteral("") : value; };
        for (qsizetype i = rows.size() - 1; error.isEmpty() && i >= 0; --i) {
            const CharacterRecord &r = rows[i].record;
            for (const QVariant &v : { QVariant(rows[i].rowid), QVariant(r.hz), QVariant(r.BH),
                     QVariant(text(r.PY)), QVariant(r.photo.isNull() ? QByteArray("") : r.photo),
                     QVariant(text(r.strokeClasses)) })
                query.addBindValue(v);
            if (!query.exec())
                error = query.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return error;
}

// The program's tables and indexes.
const QStringList chunksSchema = photoschema::createTables() + photoschema::createIndexes();

// The program's table chunks with other columns, as an older or a broken file has it.
QString chunksWith(const QString &columns)
{
    const QString statement = photoschema::createTables().first();
    return statement.left(statement.indexOf(u'(') + 1) + columns + u')';
}

QByteArray sha256Of(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result();
}

bool writeFile(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(bytes) == bytes.size();
}

// The messages of the category zibrin.data written while a store opens the file, with the
// category switched on or left as it is by default.
QStringList dataMessagesOpening(const QString &file, const QString &filterRules = QString())
{
    static QStringList messages;
    messages.clear();
    if (!filterRules.isEmpty())
        QLoggingCategory::setFilterRules(filterRules);
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext &context, const QString &message) {
            if (QByteArrayView(context.category) == "zibrin.data")
                messages.append(message);
        });
    RecordStore store;
    store.open(file);
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules(QString());
    return messages;
}

} // namespace

class TestRecordStore : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void openMakesTheFirstRecordCurrent();
    void noMatchBeforeAnyFind();
    void findFirst_data();
    void findFirst();
    void findsAgainAfterAMiss();
    void recordWithAFieldTooLargeIsUnusable();
    void strokeClasses_data();
    void strokeClasses();
    void readsAFileWithoutStrokeClasses();
    void openFails_data();
    void openFails();
    void reopensAfterAFailedOpen();
    void neverWritesTheFile();
    void leavesNothingBesideAWalFile_data();
    void leavesNothingBesideAWalFile();

private:
    QTemporaryDir m_dir;
    QString m_fixture;
    QByteArray m_fixtureBytes;
};

void TestRecordStore::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_fixture = m_dir.filePath(QStringLiteral("Photo.mdb"));
    // a page size of 1 KiB spreads the few records over several pages, so cutting the file loses
    // some
    QStringList statements = chunksSchema;
    statements.prepend(QStringLiteral("PRAGMA page_size = 1024"));
    const QString error = makeDatabase(m_fixture, statements, fixtureRows());
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QFile file(m_fixture);
    QVERIFY(file.open(QIODevice::ReadOnly));
    m_fixtureBytes = file.readAll();
    QVERIFY(m_fixtureBytes.size() > 8 * 1024);
}

void TestRecordStore::openMakesTheFirstRecordCurrent()
{
    RecordStore store;
    QSignalSpy changed(&store, &RecordStore::currentChanged);
    QVERIFY(store.open(m_fixture));
    QVERIFY(store.isOpen());
    QCOMPARE(changed.count(), 1); // before open returned
    QCOMPARE(store.current().hz, QStringLiteral("中"));
    QCOMPARE(store.current().BH, QStringLiteral("4"));
    QCOMPARE(store.current().PY, QStringLiteral("zhōng"));
    QCOMPARE(store.current().photo, QByteArray("photo of 中"));
}

void TestRecordStore::noMatchBeforeAnyFind()
{
    RecordStore closed;
    QVERIFY(closed.NoMatch());
    closed.FindFirst(QStringLiteral("中"));
    QVERIFY(closed.NoMatch());
}

void TestRecordStore::findFirst_data()
{
    QTest::addColumn<QString>("hz");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("BH");
    QTest::addColumn<QString>("PY");
    QTest::addColumn<QByteArray>("photo");

    for (const Row &row : fixtureRows()) {
        if (row.rowid == 20)
            continue; // the second 国 is never found
        const CharacterRecord &r = row.record;
        QTest::newRow(qPrintable(QStringLiteral("hit ") + r.hz))
            << r.hz << true << r.BH << r.PY << r.photo;
    }
    const auto miss = [](const char *name, const QString &hz) {
        QTest::newRow(name) << hz << false << QString() << QString() << QByteArray();
    };
    miss("character not stored", QStringLiteral("我"));
    miss("quote", QStringLiteral("'"));
    miss("quote injection", QStringLiteral("' OR '1'='1"));
    miss("double quote", QStringLiteral("\""));
    miss("percent", QStringLiteral("%"));
    miss("emoji", QStringLiteral("😀"));
    miss("other non-BMP", QStringLiteral("𠀁"));
    miss("half of a surrogate pair", QString(QChar(0xD840)));
    miss("empty", QString());
    miss("space", QStringLiteral(" "));
    miss("upper-case twin", QStringLiteral("A"));
    miss("two characters", QStringLiteral("中国"));
    miss("character with a space", QStringLiteral("中 "));
    miss("NUL", QString(QChar(0)));
}

void TestRecordStore::findFirst()
{
    QFETCH(QString, hz);
    QFETCH(bool, found);
    QFETCH(QString, BH);
    QFETCH(QString, PY);
    QFETCH(QByteArray, photo);

    RecordStore store;
    QVERIFY(store.open(m_fixture));
    QSignalSpy changed(&store, &RecordStore::currentChanged);
    store.FindFirst(hz);
    QCOMPARE(store.NoMatch(), !found);
    QCOMPARE(changed.count(), found ? 1 : 0);
    if (!found)
        return;
    QCOMPARE(store.current().hz, hz);
    QCOMPARE(store.current().BH, BH);
    QCOMPARE(store.current().PY, PY);
    QCOMPARE(store.current().photo, photo);
    QCOMPARE(store.current().strokeClasses, store.strokeClasses(hz));
}

void TestRecordStore::findsAgainAfterAMiss()
{
    RecordStore store;
    QVERIFY(store.open(m_fixture));
    store.FindFirst(QStringLiteral("'"));
    QVERIFY(store.NoMatch());
    store.FindFirst(QStringLiteral("峰"));
    QVERIFY(!store.NoMatch());
    QCOMPARE(store.current().BH, QStringLiteral("10"));
    store.FindFirst(QStringLiteral("😀"));
    QVERIFY(store.NoMatch());
    store.FindFirst(QStringLiteral("一"));
    QVERIFY(!store.NoMatch());
    QCOMPARE(store.current().PY, QStringLiteral("yī"));
}

// Fields no record of the program's has: found, they count as no match; at their limits they are
// read.
void TestRecordStore::recordWithAFieldTooLargeIsUnusable()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("Photo.mdb"));
    const CharacterRecord atLimits { QStringLiteral("丁"), QStringLiteral("100"), QString(64, u'd'),
        QByteArray(RecordStore::maximumPhotoBytes, 'p') };
    const QString error = makeDatabase(file, chunksSchema,
        {
            fixtureRows().first(),
            { 11,
                { QStringLiteral("甲"), QStringLiteral("1234"), QStringLiteral("jiǎ"),
                    QByteArray() } },
            { 12, { QStringLiteral("乙"), QStringLiteral("1"), QString(65, u'y'), QByteArray() } },
            { 13,
                { QStringLiteral("丙"), QStringLiteral("5"), QStringLiteral("bǐng"),
                    QByteArray(RecordStore::maximumPhotoBytes + 1, 'p') } },
            { 14, { QString(9, u'戊'), QStringLiteral("5"), QStringLiteral("wù"), QByteArray() } },
            { 15, atLimits },
        });
    QVERIFY2(error.isEmpty(), qPrintable(error));

    RecordStore store;
    QVERIFY(store.open(file));
    for (const QString &hz :
        { QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙"), QString(9, u'戊') }) {
        store.FindFirst(hz);
        QVERIFY2(store.NoMatch(), qPrintable(hz.left(1)));
    }
    store.FindFirst(atLimits.hz);
    QVERIFY(!store.NoMatch());
    QCOMPARE(store.current().BH, atLimits.BH);
    QCOMPARE(store.current().PY, atLimits.PY);
    QCOMPARE(store.current().photo, atLimits.photo);
}

void TestRecordStore::strokeClasses_data()
{
    QTest::addColumn<QString>("hz");
    QTest::addColumn<QString>("classes");
    QTest::newRow("stored") << "峰"
                            << "2523541112";
    QTest::newRow("of the first of two records") << "国"
                                                 << "25112141";
    QTest::newRow("none stored") << "一"
                                 << "";
    QTest::newRow("at the longest") << "爨" << QString(64, u'5');
    QTest::newRow("too long") << "𠀀"
                              << "";
    QTest::newRow("not only 1-5") << "a"
                                  << "";
    QTest::newRow("character not stored") << "我"
                                          << "";
    QTest::newRow("quote") << "'"
                           << "";
}

// The stroke classes are read without moving: the current record and NoMatch stay.
void TestRecordStore::strokeClasses()
{
    QFETCH(QString, hz);
    QFETCH(QString, classes);
    RecordStore store;
    QCOMPARE(store.strokeClasses(QStringLiteral("峰")), QString()); // closed
    QVERIFY(store.open(m_fixture));
    store.FindFirst(QStringLiteral("峰"));
    QSignalSpy changed(&store, &RecordStore::currentChanged);
    QCOMPARE(store.strokeClasses(hz), classes);
    QCOMPARE(store.strokeClasses(hz), classes); // the statement kept runs again
    QCOMPARE(changed.count(), 0);
    QCOMPARE(store.current().hz, QStringLiteral("峰"));
    QVERIFY(!store.NoMatch());
}

// A Photo.mdb written before the stroke classes: the records are read, the classes are empty.
void TestRecordStore::readsAFileWithoutStrokeClasses()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("Photo.mdb"));
    const QString error = makeDatabase(file,
        { chunksWith(QStringLiteral("hz TEXT, BH TEXT, PY TEXT, photo BLOB")),
            QStringLiteral("INSERT INTO chunks VALUES ('中', '4', 'zhōng', x'00')"),
            QStringLiteral("INSERT INTO chunks VALUES ('峰', '10', 'fēng', x'01')") });
    QVERIFY2(error.isEmpty(), qPrintable(error));
    RecordStore store;
    QVERIFY(store.open(file));
    store.FindFirst(QStringLiteral("峰"));
    QVERIFY(!store.NoMatch());
    QCOMPARE(store.current().BH, QStringLiteral("10"));
    QCOMPARE(store.current().strokeClasses, QString());
    QCOMPARE(store.strokeClasses(QStringLiteral("峰")), QString());
}

void TestRecordStore::openFails_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing file") << "missing";
    QTest::newRow("directory") << "directory";
    QTest::newRow("empty file") << "empty";
    QTest::newRow("text file") << "text";
    QTest::newRow("cut to 100 bytes") << "cut 100";
    QTest::newRow("cut to one page") << "cut 1024";
    QTest::newRow("cut to half") << "cut half";
    QTest::newRow("header garbled") << "garbled header";
    QTest::newRow("no table chunks") << "no chunks";
    QTest::newRow("chunks without photo") << "no photo column";
    QTest::newRow("chunks empty") << "no rows";
    // chunks must be a table of its own: a view or a computed column runs what the file says
    QTest::newRow("chunks an endless recursive view") << "recursive view";
    QTest::newRow("chunks a view of a table") << "view";
    QTest::newRow("generated columns") << "generated columns";
    QTest::newRow("a stored generated column") << "stored generated column";
#ifdef Q_OS_UNIX
    QTest::newRow("named pipe") << "fifo";
#endif
}

// Each broken file leaves the store closed, without a record and without a word (but for the
// maintainer's log); every find then reports no match.
void TestRecordStore::openFails()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("Photo.mdb"));
    if (kind == QLatin1String("directory")) {
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Photo.mdb")));
    } else if (kind == QLatin1String("empty")) {
        QVERIFY(writeFile(file, QByteArray()));
    } else if (kind == QLatin1String("text")) {
        QVERIFY(writeFile(file, QByteArray("hz\tBH\tPY\n中\t4\tzhōng\n").repeated(200)));
    } else if (kind.startsWith(QLatin1String("cut "))) {
        const QString size = kind.mid(4);
        const qsizetype n
            = size == QLatin1String("half") ? m_fixtureBytes.size() / 2 : size.toInt();
        QVERIFY(writeFile(file, m_fixtureBytes.left(n)));
    } else if (kind == QLatin1String("garbled header")) {
        QByteArray bytes = m_fixtureBytes;
        bytes.replace(0, 16, QByteArray(16, 'Z'));
        QVERIFY(writeFile(file, bytes));
    } else if (kind == QLatin1String("no chunks")) {
        const QString error = makeDatabase(file,
            { QStringLiteral("CREATE TABLE photos (hz TEXT, BH TEXT, PY TEXT, photo BLOB)"),
                QStringLiteral("INSERT INTO photos VALUES ('中', '4', 'zhōng', x'00')") });
        QVERIFY2(error.isEmpty(), qPrintable(error));
    } else if (kind == QLatin1String("no photo column")) {
        const QString error = makeDatabase(file,
            { chunksWith(QStringLiteral("hz TEXT, BH TEXT, PY TEXT")),
                QStringLiteral("INSERT INTO chunks VALUES ('中', '4', 'zhōng')") });
        QVERIFY2(error.isEmpty(), qPrintable(error));
    } else if (kind == QLatin1String("no rows")) {
        const QString error = makeDatabase(file, chunksSchema);
        QVERIFY2(error.isEmpty(), qPrintable(error));
    } else if (kind == QLatin1String("recursive view")) {
        // no row ever passes the condition, so the first one is looked for without end
        const QString error = makeDatabase(file,
            { QStringLiteral(
                "CREATE VIEW chunks AS WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 "
                "FROM n) "
                "SELECT '中' AS hz, '4' AS BH, 'zhōng' AS PY, NULL AS photo FROM n WHERE i < 0") });
        QVERIFY2(error.isEmpty(), qPrintable(error));
    } else if (kind == QLatin1String("view")) {
        const QString error = makeDatabase(file,
            { QStringLiteral("CREATE TABLE rows (hz TEXT, BH TEXT, PY TEXT, photo BLOB)"),
                QStringLiteral("INSERT INTO rows VALUES ('中', '4', 'zhōng', NULL)"),
                QStringLiteral("CREATE VIEW chunks AS SELECT * FROM rows") });
        QVERIFY2(error.isEmpty(), qPrintable(error));
    } else if (kind.endsWith(QLatin1String("generated columns"))) {
        // 300 MB of text and 900 MB of zeros from an 8 KB file
        const QString error = makeDatabase(file,
            { chunksWith(QStringLiteral("hz TEXT, BH TEXT, PY TEXT GENERATED ALWAYS AS "
                                        "(printf('%.*c', 300000000, 'x')), "
                                        "photo BLOB GENERATED ALWAYS AS (zeroblob(900000000))")),
                QStringLiteral("INSERT INTO chunks (hz, BH) VALUES ('中', '4')") });
        QVERIFY2(error.isEmpty(), qPrintable(error));
    } else if (kind == QLatin1String("stored generated column")) {
        const QString error = makeDatabase(file,
            { chunksWith(QStringLiteral("hz TEXT, BH TEXT, PY TEXT, photo BLOB GENERATED "
                                        "ALWAYS AS (x'00') STORED")),
                QStringLiteral("INSERT INTO chunks (hz, BH, PY) VALUES ('中', '4', 'zhōng')") });
        QVERIFY2(error.isEmpty(), qPrintable(error));
#ifdef Q_OS_UNIX
    } else if (kind == QLatin1String("fifo")) {
        // opening a pipe for reading would wait for a writer for ever
        QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
#endif
    }
    const QStringList before
        = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);

    RecordStore store;
    QSignalSpy changed(&store, &RecordStore::currentChanged);
    QVERIFY(!store.open(file));
    QVERIFY(!store.isOpen());
    QCOMPARE(changed.count(), 0);
    for (const QString &hz : { QStringLiteral("中"), QStringLiteral("峰"), QStringLiteral("'") }) {
        store.FindFirst(hz);
        QVERIFY(store.NoMatch());
    }
    QCOMPARE(changed.count(), 0);
    // the reason goes to zibrin.data, whose warnings are on unless switched off
    QVERIFY(!dataMessagesOpening(file).isEmpty());
    QCOMPARE(dataMessagesOpening(file, QStringLiteral("zibrin.data.warning=false")), QStringList());
    // nothing created beside it, a missing file included
    QCOMPARE(
        QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System), before);
}

void TestRecordStore::reopensAfterAFailedOpen()
{
    RecordStore store;
    QVERIFY(store.open(m_fixture));
    store.FindFirst(QStringLiteral("峰"));
    QVERIFY(!store.NoMatch());
    QVERIFY(!store.open(m_dir.filePath(QStringLiteral("absent.mdb"))));
    QVERIFY(!store.isOpen());
    store.FindFirst(QStringLiteral("峰"));
    QVERIFY(store.NoMatch());
    QVERIFY(store.open(m_fixture));
    QCOMPARE(store.current().hz, QStringLiteral("中"));
    store.FindFirst(QStringLiteral("峰"));
    QVERIFY(!store.NoMatch());
}

void TestRecordStore::neverWritesTheFile()
{
    const QByteArray hash = sha256Of(m_fixture);
    QVERIFY(!hash.isEmpty());
    const QDateTime modified = QFileInfo(m_fixture).lastModified();
    const QStringList files
        = QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    {
        RecordStore store;
        QVERIFY(store.open(m_fixture));
        for (const Row &r : fixtureRows())
            store.FindFirst(r.record.hz);
        store.FindFirst(QStringLiteral("'); DELETE FROM chunks; --"));
        QVERIFY(store.NoMatch());
        QVERIFY(store.open(m_fixture)); // reopening closes the first connection
    }
    QCOMPARE(sha256Of(m_fixture), hash);
    QCOMPARE(QFileInfo(m_fixture).lastModified(), modified);
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), files);
    RecordStore again;
    QVERIFY(again.open(m_fixture));
    again.FindFirst(QStringLiteral("爨"));
    QVERIFY(!again.NoMatch());
}

void TestRecordStore::leavesNothingBesideAWalFile_data()
{
    QTest::addColumn<bool>("leftOverShm");
    QTest::newRow("WAL file alone") << false;
    QTest::newRow("WAL file with a left-over -shm") << true;
}

// A read-only open of a WAL-mode file would make Photo.mdb-wal and Photo.mdb-shm beside it and
// rewrite an -shm that is there.
void TestRecordStore::leavesNothingBesideAWalFile()
{
    QFETCH(bool, leftOverShm);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("Photo.mdb"));
    QStringList statements = chunksSchema;
    statements.prepend(QStringLiteral("PRAGMA journal_mode = WAL"));
    const QString error = makeDatabase(file, statements, fixtureRows());
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QFile header(file);
    QVERIFY(header.open(QIODevice::ReadOnly));
    QCOMPARE(header.read(20).mid(18, 2), QByteArray("\x02\x02")); // WAL read and write versions
    header.close();
    if (leftOverShm)
        QVERIFY(writeFile(file + QStringLiteral("-shm"), QByteArray(32768, '\x5a')));

    const auto listing = [&dir] {
        QStringList files;
        for (const QString &name :
            QDir(dir.path())
                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
            files << name + u' ' + QString::fromLatin1(sha256Of(dir.filePath(name)).toHex());
        return files;
    };
    const QStringList before = listing();
    {
        RecordStore store;
        QVERIFY(store.open(file));
        store.FindFirst(QStringLiteral("峰"));
        QVERIFY(!store.NoMatch());
        QCOMPARE(store.current().BH, QStringLiteral("10"));
        QCOMPARE(listing(), before); // while open, too
    }
    QCOMPARE(listing(), before);
}

QTEST_GUILESS_MAIN(TestRecordStore)
#include "tst_recordstore.moc"
