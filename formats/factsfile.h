// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The facts file, data/characters.tsv: one line per character, by code point, written by datagen
// and read by the data tools and the tests. UTF-8, LF, no header; the fields are separated by TAB:
//   character  stroke classes  stroke count  readings  primary reading  stroke names
// The stroke names field may be left out (a line of five fields has no names).
namespace factsfile {

struct Row {
    QString character; // one code point
    QString strokeClasses; // one digit 1-5 per stroke in writing order; empty where unknown
    int strokeCount = 0; // positive
    QStringList readings; // with tone marks, the preferred first
    QString primaryReading; // the reading a record shows; may be empty
    // Each stroke's name in writing order (撇 竖 横折 ...), "" for a stroke without one; empty
    // where none is known.
    QStringList strokeNames;
};

// The line of a row, its LF included.
QByteArray line(const Row &row);

// The row of one line (without its LF; a CR at its end is dropped), or nullopt when the line is
// not a facts line: five or six fields, one code point, a positive stroke count written as a
// plain number, stroke classes of the digits 1-5 alone.
std::optional<Row> parseLine(QStringView line);

// Every row of a file's text, empty lines skipped. A line that is no facts line stops the reading:
// nullopt, and *error names the line by its number.
std::optional<QList<Row>> read(const QByteArray &text, QString *error);

} // namespace factsfile
