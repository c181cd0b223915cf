// SPDX-License-Identifier: GPL-3.0-or-later
#include "recordstore.h"

#include "datalog.h"

#include <QFileInfo>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>
#include <QUuid>

#include <sqlite3.h>

namespace {

// SQLite's progress handler: a non-zero answer stops the running statement.
int stopWhenLate(void *deadline)
{
    return static_cast<const QDeadlineTimer *>(deadline)->hasExpired() ? 1 : 0;
}

// SQLite's virtual machine steps between two looks at the clock.
constexpr int stepsBetweenChecks = 1000;

// The file as an SQLite URI, immutable: no lock, no journal, no -wal or -shm file is made, read
// or changed; the main file alone is read.
QString immutableUri(const QString &absolutePath)
{
    return QUrl::fromLocalFile(absolutePath).toString(QUrl::FullyEncoded)
        + QStringLiteral("?immutable=1");
}

// The classes as stored, or empty where they are not a short string of the digits 1-5.
QString usableStrokeClasses(const QString &classes)
{
    if (classes.size() > RecordStore::maximumStrokeClassesLength)
        return QString();
    for (const QChar c : classes) {
        if (c < u'1' || c > u'5')
            return QString();
    }
    return classes;
}

} // namespace

RecordStore::RecordStore(QObject *parent)
    : QObject(parent)
    , m_connection(QStringLiteral("Data1-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
}

RecordStore::~RecordStore()
{
    close();
}

bool RecordStore::open(const QString &databaseFile)
{
    close();
    // QSQLITE would create a missing file; a read-only open must never do that.
    const QFileInfo info(databaseFile);
    if (!info.isFile() || !info.isReadable()) {
        qCWarning(dataLog) << "record store: no readable file" << databaseFile;
        return false;
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
        db.setDatabaseName(immutableUri(info.absoluteFilePath()));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI"));
        if (!db.open()) {
            qCWarning(dataLog) << "record store: cannot open" << databaseFile
                               << db.lastError().text();
        } else if (QString why; !limitQueries() || !chunksIsAPlainTable(&why)) {
            qCWarning(dataLog).noquote()
                << "record store:" << databaseFile << "is not usable:"
                << (why.isEmpty() ? QStringLiteral("chunks is not a plain table") : why);
            db.close();
        } else if (moveTo(std::nullopt) == Move::Failed) {
            // an unusable first record is one record lost, not the file
            qCWarning(dataLog) << "record store: no first record in chunks of" << databaseFile;
            db.close();
        }
    }
    if (!isOpen()) {
        m_statements.clear();
        QSqlDatabase::removeDatabase(m_connection);
        return false;
    }
    return true;
}

bool RecordStore::isOpen() const
{
    return QSqlDatabase::contains(m_connection)
        && QSqlDatabase::database(m_connection, false).isOpen();
}

void RecordStore::FindFirst(const QString &hz)
{
    m_noMatch = !(isOpen() && moveTo(hz) == Move::Moved);
}

QHash<QString, QString> RecordStore::strokeCounts() const
{
    return firstValues(photoschema::strokeCountColumn);
}

QHash<QString, QString> RecordStore::allStrokeClasses() const
{
    if (!m_hasStrokeClasses)
        return {};
    QHash<QString, QString> classes = firstValues(photoschema::strokeClassesColumn);
    for (auto it = classes.begin(); it != classes.end();) {
        *it = usableStrokeClasses(*it);
        it = it->isEmpty() ? classes.erase(it) : std::next(it);
    }
    return classes;
}

QHash<QString, QString> RecordStore::firstValues(const char *column) const
{
    QHash<QString, QString> values;
    if (!isOpen())
        return values;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    m_queryDeadline.setRemainingTime(queryBudgetMs);
    if (!query.exec(photoschema::selectColumnOfRecords(column)))
        return values;
    while (query.next()) {
        const QString hz = query.value(0).toString();
        if (!values.contains(hz))
            values.insert(hz, query.value(1).toString());
    }
    return values;
}

// Every statement stops once its deadline has passed; no text or blob larger than a photo is ever
// read into memory (a larger one fails the query).
bool RecordStore::limitQueries()
{
    const QVariant handle = QSqlDatabase::database(m_connection, false).driver()->handle();
    if (qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return false;
    sqlite3 *db = *static_cast<sqlite3 *const *>(handle.constData());
    if (!db)
        return false;
    sqlite3_progress_handler(db, stepsBetweenChecks, stopWhenLate, &m_queryDeadline);
    sqlite3_limit(db, SQLITE_LIMIT_LENGTH, maximumPhotoBytes);
    return true;
}

// chunks must be a table of its own: a view runs whatever query the file defines (a recursive
// one never ends), and a generated or hidden column computes whatever the file says at each read.
bool RecordStore::chunksIsAPlainTable(QString *why)
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    m_queryDeadline.setRemainingTime(queryBudgetMs);
    if (!query.exec(photoschema::selectRecordTableEntries())) {
        *why = query.lastError().text(); // not an SQLite file, or a damaged one
        return false;
    }
    int entries = 0;
    while (query.next()) {
        ++entries;
        const QString sql = query.value(1).toString().simplified();
        if (query.value(0).toString() != QLatin1String("table")
            || sql.startsWith(QLatin1String("CREATE VIRTUAL"), Qt::CaseInsensitive))
            return false;
    }
    if (entries != 1)
        return false;

    m_queryDeadline.setRemainingTime(queryBudgetMs);
    if (!query.exec(photoschema::recordTableColumns()))
        return false;
    QSet<QString> columns;
    const int name = query.record().indexOf(QStringLiteral("name"));
    const int hidden = query.record().indexOf(QStringLiteral("hidden"));
    if (name < 0 || hidden < 0)
        return false;
    while (query.next()) {
        if (query.value(hidden).toInt() != 0)
            return false;
        columns.insert(query.value(name).toString().toLower());
    }
    for (const QString &wanted : photoschema::requiredRecordColumns()) {
        if (!columns.contains(wanted))
            return false;
    }
    // a file written before the stroke classes is read without them
    m_hasStrokeClasses
        = columns.contains(QString::fromLatin1(photoschema::strokeClassesColumn).toLower());
    return true;
}

RecordStore::Move RecordStore::moveTo(std::optional<QString> hz)
{
    QSqlQuery *query
        = statement(photoschema::selectFirstRecord(hz.has_value(), m_hasStrokeClasses));
    if (!query)
        return Move::Failed;
    if (hz)
        query->bindValue(0, *hz);
    m_queryDeadline.setRemainingTime(queryBudgetMs);
    const bool found = query->exec() && query->next();
    std::optional<CharacterRecord> record;
    if (found) {
        record = photoschema::recordAt(*query, m_hasStrokeClasses);
        record->strokeClasses = usableStrokeClasses(record->strokeClasses);
    }
    const QSqlError error = query->lastError();
    query->finish(); // the statement is reset for its next run
    if (!record) {
        // SQLite refuses to read a value over its length limit
        if (error.isValid())
            qCWarning(dataLog) << "record store: cannot move to" << hz.value_or(QString())
                               << error.text();
        return error.nativeErrorCode() == QString::number(SQLITE_TOOBIG) ? Move::Unusable
                                                                         : Move::Failed;
    }
    if (record->hz.size() > maximumCharacterLength || record->BH.size() > maximumStrokeCountLength
        || record->PY.size() > maximumReadingLength || record->photo.size() > maximumPhotoBytes) {
        qCWarning(dataLog) << "record store: a field of" << record->hz.left(8) << "is too long";
        return Move::Unusable;
    }
    m_current = std::move(*record);
    emit currentChanged();
    return Move::Moved;
}

QByteArray RecordStore::outline(const QString &hz) const
{
    // outlines may be a view, too; a file without the table has no statement
    const QByteArray strokes = valueFor(photoschema::selectOutlineOf(), hz).toByteArray();
    return strokes.size() > maxOutlineBytes ? QByteArray() : strokes;
}

QString RecordStore::strokeClasses(const QString &hz) const
{
    if (!m_hasStrokeClasses)
        return QString();
    return usableStrokeClasses(valueFor(photoschema::selectStrokeClassesOf(), hz).toString());
}

QVariant RecordStore::valueFor(const QString &sql, const QString &hz) const
{
    if (!isOpen())
        return QVariant();
    QSqlQuery *query = statement(sql);
    if (!query)
        return QVariant();
    query->bindValue(0, hz);
    m_queryDeadline.setRemainingTime(queryBudgetMs);
    QVariant value;
    if (query->exec() && query->next())
        value = query->value(0);
    query->finish();
    return value;
}

QSqlQuery *RecordStore::statement(const QString &sql) const
{
    auto found = m_statements.find(sql);
    if (found == m_statements.end()) {
        QSqlQuery query(QSqlDatabase::database(m_connection, false));
        query.setForwardOnly(true);
        m_queryDeadline.setRemainingTime(queryBudgetMs);
        std::optional<QSqlQuery> prepared;
        if (query.prepare(sql))
            prepared = std::move(query);
        else
            qCWarning(dataLog) << "record store: cannot prepare" << sql << query.lastError().text();
        found = m_statements.emplace(sql, std::move(prepared)).first;
    }
    return found->second ? &*found->second : nullptr;
}

void RecordStore::close()
{
    m_statements.clear(); // before the connection they run on
    m_hasStrokeClasses = false;
    if (!QSqlDatabase::contains(m_connection))
        return;
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}
