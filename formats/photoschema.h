// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QSqlQuery;

// One character's record in Photo.mdb (a row of table chunks): the character, its stroke count
// and primary reading as shown, its stroke-order picture (PNG bytes; may be empty) and its stroke
// classes, one digit 1-5 per stroke in writing order (empty where the file predates them or the
// facts have none).
struct CharacterRecord {
    QString hz;
    QString BH;
    QString PY;
    QByteArray photo;
    QString strokeClasses {};
};

// Photo.mdb's layout, the one place that says which tables, columns and indexes the file has and
// how they are written and read. photogen and the test fixtures write it through these
// statements; the record store, pagegen and the tests read it through them.
//   chunks (hz, BH, PY, photo, classes)  the records, in code point order
//   outlines (hz, strokes)               each character's strokes as the JSON object
//                                        {"strokes": [SVG path, ...]}
// Files written before the stroke classes lack the column classes; readers take them as empty.
namespace photoschema {

// The columns of chunks that hold CharacterRecord::BH and CharacterRecord::strokeClasses.
inline constexpr char strokeCountColumn[] = "BH";
inline constexpr char strokeClassesColumn[] = "classes";

// The columns of chunks every usable file has, lower case (the column names compare so).
QStringList requiredRecordColumns();

// The statements that make the empty tables; the indexes come after the rows are in.
QStringList createTables();
QStringList createIndexes();

// Prepares query to insert records and outlines, and binds one row's values.
bool prepareRecordInsert(QSqlQuery &query);
void bindRecord(QSqlQuery &query, const CharacterRecord &record);
bool prepareOutlineInsert(QSqlQuery &query);
void bindOutline(QSqlQuery &query, const QString &hz, const QByteArray &strokes);

// The reads. A record's columns come as recordAt takes them: hz, BH, PY, photo, then classes
// where asked for (a file that predates them has no such column).
// Every record in table order.
QString selectRecords(bool withStrokeClasses);
// The first record in table order: of the character bound to the statement's one placeholder,
// or of any character.
QString selectFirstRecord(bool ofBoundCharacter, bool withStrokeClasses);
// The record at the query's current row, of a statement above.
CharacterRecord recordAt(const QSqlQuery &query, bool withStrokeClasses);

// hz and one column (strokeCountColumn, strokeClassesColumn) of every record in table order.
QString selectColumnOfRecords(const char *column);
// The stroke classes of the first record of the bound character.
QString selectStrokeClassesOf();
// The strokes column of the first outline of the bound character.
QString selectOutlineOf();

// What the file says chunks is: the type and sql of each schema entry of that name (any case),
// and the columns with their hidden flags (name, hidden, ...).
QString selectRecordTableEntries();
QString recordTableColumns();

} // namespace photoschema
