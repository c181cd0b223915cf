#include "recordstore.h"

#include "datalog.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>

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
        db.setDatabaseName(info.absoluteFilePath());
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open()) {
            qCWarning(dataLog) << "record store: cannot open" << databaseFile
                               << db.lastError().text();
        } else if (!moveTo(QString(), QString())) {
            qCWarning(dataLog) << "record store: no first record in chunks of" << databaseFile;
            db.close();
        }
    }
    if (!isOpen()) {
        QSqlDatabase::removeDatabase(m_connection);
        return false;
    }
    return true;
}

bool RecordStore::isOpen() const
{
    return QSqlDatabase::contains(m_connection) && QSqlDatabase::database(m_connection, false).isOpen();
}

void RecordStore::FindFirst(const QString &hz)
{
    m_noMatch = !(isOpen() && moveTo(QStringLiteral(" WHERE hz = ?"), hz));
}

QHash<QString, QString> RecordStore::strokeCounts() const
{
    QHash<QString, QString> counts;
    if (!isOpen())
        return counts;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT hz, BH FROM chunks ORDER BY rowid")))
        return counts;
    while (query.next()) {
        const QString hz = query.value(0).toString();
        if (!counts.contains(hz))
            counts.insert(hz, query.value(1).toString());
    }
    return counts;
}

bool RecordStore::moveTo(const QString &whereClause, const QString &hz)
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    if (!query.prepare(QStringLiteral("SELECT hz, BH, PY, photo FROM chunks") + whereClause
                       + QStringLiteral(" ORDER BY rowid LIMIT 1"))) {
        qCWarning(dataLog) << "record store: cannot query chunks:" << query.lastError().text();
        return false;
    }
    if (!whereClause.isEmpty())
        query.addBindValue(hz);
    if (!query.exec()) {
        qCWarning(dataLog) << "record store: cannot move to" << hz << query.lastError().text();
        return false;
    }
    if (!query.next())
        return false;
    m_current.hz = query.value(0).toString();
    m_current.BH = query.value(1).toString();
    m_current.PY = query.value(2).toString();
    m_current.photo = query.value(3).toByteArray();
    emit currentChanged();
    return true;
}

QByteArray RecordStore::outline(const QString &hz) const
{
    if (!isOpen())
        return QByteArray();
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    if (!query.prepare(
            QStringLiteral("SELECT strokes FROM outlines WHERE hz = ? ORDER BY rowid LIMIT 1")))
        return QByteArray(); // a file without the table
    query.addBindValue(hz);
    if (!query.exec() || !query.next())
        return QByteArray();
    const QByteArray strokes = query.value(0).toByteArray();
    return strokes.size() > maxOutlineBytes ? QByteArray() : strokes;
}

void RecordStore::close()
{
    if (!QSqlDatabase::contains(m_connection))
        return;
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}
