// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// medians.bin, the handwriting matcher's data: the medians (centre lines) of every character's
// strokes with how common the character is. handwritinggen writes it, the matcher reads it.
// All numbers are unsigned bytes:
//   magic, then per character: its UTF-8 length and bytes, kFrequency (1 most common .. 5, 0
//   none), the level in the 2013 table of general standard characters (1 for 1-3500, 2 for
//   3501-6500, 3 beyond, 0 none), the stroke count, then per stroke its point count and the
//   points as x, y in a 256 box with y down.
namespace medianfile {

inline constexpr char magic[] = "ZHM1";
// The most a count byte holds: UTF-8 bytes of a character, strokes, points of a stroke.
inline constexpr int largestCount = 255;

struct Point {
    quint8 x = 0;
    quint8 y = 0;
};
using Stroke = std::vector<Point>;

struct Entry {
    QString character;
    quint8 frequency = 0;
    quint8 level = 0;
    std::vector<Stroke> strokes; // in writing order, each of one point or more
};

// The start of a file: the magic alone.
QByteArray header();
// Appends entry to a file begun with header(). An entry that does not fit the format (no
// character or one longer than largestCount bytes, no stroke, more than largestCount strokes, a
// stroke of no point or more than largestCount points) is left out; returns whether it went in.
bool append(QByteArray &file, const Entry &entry);

// The entries of a file in file order. A file without the magic gives none; one that breaks off
// (cut short, an entry without strokes or with an empty stroke) gives those before the break.
// Either way *error says what is wrong; it is empty for a sound file.
std::vector<Entry> read(const QByteArray &file, QString *error);

} // namespace medianfile
