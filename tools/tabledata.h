// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// The rules that turn the open sources into the built-in tables and the facts file.
namespace tabledata {

// The 6,763 characters of GB2312 in code order (first byte 0xB0..0xF7, second 0xA1..0xFE).
QList<QString> gb2312Characters();

// Stroke letter of the stroke-order source -> stroke class digit: 横 j, 提 i -> 1; 竖 f, 竖钩 g
// -> 2; 撇 s -> 3; 点 k, 捺 l, d -> 4; every other letter is a turning stroke -> 5.
QChar strokeClass(QChar letter);
QString strokeClasses(const QString &letters);

// The five-digit stroke code: the classes of the first four strokes and of the last; with fewer
// than five strokes, all of them followed by "0"s. Empty for an empty sequence.
QString strokeCode(const QString &classes);

// A reading with tone marks -> the toneless syllable of the tables (ü written u): "lüè" -> "lue".
QString tonelessSyllable(const QString &reading);

// The map of the stroke-order source: the first JSON object of the bundle, character -> letters.
QHash<QString, QString> parseStrokeOrderBundle(const QByteArray &bundle);

// Readings of one character, from the fields of Unihan_Readings.txt.
struct Readings {
    QStringList TGHZ2013;
    QStringList XHC1983;
    QStringList Mandarin;

    // The standard's readings: kTGHZ2013 (the 2013 national standard), else kXHC1983, each
    // reading once in source order.
    QStringList standard() const;
    // The standard's readings, else kMandarin's.
    QStringList preferred() const;
    // The reading a record shows: the first kMandarin reading when the standard lists it (tone
    // included), else the standard's first reading; kMandarin's where there is no standard. Some
    // kMandarin readings are dated (卓 zhuō, where the standard reads zhuó).
    QString primary() const;
};
QHash<QString, Readings> parseUnihanReadings(const QByteArray &text);

struct TableRow {
    QString character;
    QString field; // five digits, or a syllable
    int gbIndex; // position in GB2312 code order
};

// Rows ordered by field, equal fields in GB2312 order.
void sortRows(QList<TableRow> &rows);

// The text of a stroke segment: "峰25232\r\n" per row.
QString strokeSegmentText(const QList<TableRow> &rows);
// The text of a pinyin segment: "峰feng  \r\n" per row, then the blank row of eight spaces.
QString pinyinSegmentText(const QList<TableRow> &rows);

} // namespace tabledata
