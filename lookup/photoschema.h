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

// Photo.mdb's layout, the one place that says which tables, columns and indexes the file has.
// photogen and the test fixtures write it through these statements; the record store and pagegen
// read it.
//   chunks (hz, BH, PY, photo, classes)  the records, in code point order
//   outlines (hz, strokes)               each character's strokes as the JSON object
//                                        {"strokes": [SVG path, ...]}
// Files written before the stroke classes lack the column classes; readers take them as empty.
namespace photoschema {

// The column of chunks that holds CharacterRecord::strokeClasses.
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

} // namespace photoschema
