// SPDX-License-Identifier: GPL-3.0-or-later
#include "photoschema.h"

#include <QSqlQuery>

namespace photoschema {

QStringList requiredRecordColumns()
{
    return { QStringLiteral("hz"), QStringLiteral("bh"), QStringLiteral("py"),
        QStringLiteral("photo") };
}

QStringList createTables()
{
    return { QStringLiteral("CREATE TABLE chunks (hz TEXT NOT NULL, BH TEXT NOT NULL, "
                            "PY TEXT NOT NULL, photo BLOB NOT NULL, classes TEXT NOT NULL)"),
        QStringLiteral("CREATE TABLE outlines (hz TEXT NOT NULL, strokes TEXT NOT NULL)") };
}

QStringList createIndexes()
{
    return { QStringLiteral("CREATE INDEX chunks_hz ON chunks (hz)"),
        QStringLiteral("CREATE INDEX outlines_hz ON outlines (hz)") };
}

bool prepareRecordInsert(QSqlQuery &query)
{
    return query.prepare(
        QStringLiteral("INSERT INTO chunks (hz, BH, PY, photo, classes) VALUES (?, ?, ?, ?, ?)"));
}

// '' rather than NULL for a missing text or picture: the columns are NOT NULL.
void bindRecord(QSqlQuery &query, const CharacterRecord &record)
{
    const auto text
        = [](const QString &value) { return value.isNull() ? QStringLiteral("") : value; };
    query.addBindValue(text(record.hz));
    query.addBindValue(text(record.BH));
    query.addBindValue(text(record.PY));
    query.addBindValue(record.photo.isNull() ? QByteArray("") : record.photo);
    query.addBindValue(text(record.strokeClasses));
}

bool prepareOutlineInsert(QSqlQuery &query)
{
    return query.prepare(QStringLiteral("INSERT INTO outlines (hz, strokes) VALUES (?, ?)"));
}

void bindOutline(QSqlQuery &query, const QString &hz, const QByteArray &strokes)
{
    query.addBindValue(hz);
    query.addBindValue(QString::fromUtf8(strokes));
}

namespace {

QString recordColumns(bool withStrokeClasses)
{
    return withStrokeClasses ? QStringLiteral("hz, BH, PY, photo, classes")
                             : QStringLiteral("hz, BH, PY, photo");
}

} // namespace

QString selectRecords(bool withStrokeClasses)
{
    return QStringLiteral("SELECT %1 FROM chunks ORDER BY rowid")
        .arg(recordColumns(withStrokeClasses));
}

QString selectFirstRecord(bool ofBoundCharacter, bool withStrokeClasses)
{
    return QStringLiteral("SELECT %1 FROM chunks%2 ORDER BY rowid LIMIT 1")
        .arg(recordColumns(withStrokeClasses),
            ofBoundCharacter ? QStringLiteral(" WHERE hz = ?") : QString());
}

CharacterRecord recordAt(const QSqlQuery &query, bool withStrokeClasses)
{
    return CharacterRecord { query.value(0).toString(), query.value(1).toString(),
        query.value(2).toString(), query.value(3).toByteArray(),
        withStrokeClasses ? query.value(4).toString() : QString() };
}

QString selectColumnOfRecords(const char *column)
{
    return QStringLiteral("SELECT hz, %1 FROM chunks ORDER BY rowid").arg(QLatin1String(column));
}

QString selectStrokeClassesOf()
{
    return QStringLiteral("SELECT classes FROM chunks WHERE hz = ? ORDER BY rowid LIMIT 1");
}

QString selectOutlineOf()
{
    return QStringLiteral("SELECT strokes FROM outlines WHERE hz = ? ORDER BY rowid LIMIT 1");
}

QString selectRecordTableEntries()
{
    return QStringLiteral(
        "SELECT type, sql FROM sqlite_master WHERE name = 'chunks' COLLATE NOCASE");
}

QString recordTableColumns()
{
    return QStringLiteral("PRAGMA table_xinfo(chunks)");
}

} // namespace photoschema
