// SPDX-License-Identifier: GPL-3.0-or-later
#include "factsfile.h"

#include <algorithm>

namespace factsfile {

namespace {

// The field order of a line.
enum Field { Character, StrokeClasses, StrokeCount, Readings, PrimaryReading, StrokeNames, Fields };

// A stroke without a name is written so.
constexpr char16_t unnamed = u'-';

} // namespace

QByteArray line(const Row &row)
{
    QStringList names = row.strokeNames;
    for (QString &name : names) {
        if (name.isEmpty())
            name = QString(QChar(unnamed));
    }
    QStringList fields(Fields);
    fields[Character] = row.character;
    fields[StrokeClasses] = row.strokeClasses;
    fields[StrokeCount] = QString::number(row.strokeCount);
    fields[Readings] = row.readings.join(u' ');
    fields[PrimaryReading] = row.primaryReading;
    fields[StrokeNames] = names.join(u' ');
    return (fields.join(u'\t') + u'\n').toUtf8();
}

std::optional<Row> parseLine(QStringView line)
{
    if (line.endsWith(u'\r'))
        line.chop(1);
    const QList<QStringView> fields = line.split(u'\t');
    if (fields.size() != Fields && fields.size() != Fields - 1)
        return std::nullopt;
    Row row;
    row.character = fields[Character].toString();
    if (row.character.toUcs4().size() != 1)
        return std::nullopt;
    bool numeric = false;
    row.strokeCount = fields[StrokeCount].toInt(&numeric);
    if (!numeric || row.strokeCount <= 0 || fields[StrokeCount] != QString::number(row.strokeCount))
        return std::nullopt;
    row.strokeClasses = fields[StrokeClasses].toString();
    if (!std::all_of(row.strokeClasses.cbegin(), row.strokeClasses.cend(),
            [](QChar c) { return c >= u'1' && c <= u'5'; }))
        return std::nullopt;
    row.readings = fields[Readings].toString().split(u' ', Qt::SkipEmptyParts);
    row.primaryReading = fields[PrimaryReading].toString();
    if (fields.size() == Fields) {
        row.strokeNames = fields[StrokeNames].toString().split(u' ', Qt::SkipEmptyParts);
        for (QString &name : row.strokeNames) {
            if (name == QChar(unnamed))
                name.clear();
        }
    }
    return row;
}

std::optional<QList<Row>> read(const QByteArray &text, QString *error)
{
    QList<Row> rows;
    const QString all = QString::fromUtf8(text);
    qsizetype number = 0;
    for (const QStringView line : QStringView(all).split(u'\n')) {
        ++number;
        if (line.isEmpty() || line == u"\r")
            continue;
        std::optional<Row> row = parseLine(line);
        if (!row) {
            *error = QStringLiteral("line %1: malformed line").arg(number);
            return std::nullopt;
        }
        rows.append(std::move(*row));
    }
    return rows;
}

} // namespace factsfile
