// SPDX-License-Identifier: GPL-3.0-or-later
#include "tabledata.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>

namespace tabledata {

QList<QString> gb2312Characters()
{
    QList<QString> out;
    for (int first = 0xB0; first <= 0xF7; ++first) {
        for (int second = 0xA1; second <= 0xFE; ++second) {
            // row 55 (0xD7) ends at 0xF9; the five places after it are empty in GB2312
            if (first == 0xD7 && second > 0xF9)
                continue;
            const char bytes[2] = { char(first), char(second) };
            QStringDecoder gbk("GBK");
            out.append(gbk(QByteArrayView(bytes, 2)));
        }
    }
    return out;
}

QChar strokeClass(QChar letter)
{
    switch (letter.unicode()) {
    case 'j':
    case 'i':
        return u'1';
    case 'f':
    case 'g':
        return u'2';
    case 's':
        return u'3';
    case 'k':
    case 'l':
    case 'd':
        return u'4';
    default:
        return u'5';
    }
}

QString strokeClasses(const QString &letters)
{
    QString out;
    for (QChar c : letters)
        out += strokeClass(c);
    return out;
}

QString strokeCode(const QString &classes)
{
    if (classes.size() >= 5)
        return classes.left(4) + classes.back();
    if (classes.isEmpty())
        return QString();
    return classes + QString(5 - classes.size(), u'0');
}

QString tonelessSyllable(const QString &reading)
{
    QString out;
    for (QChar c : reading.normalized(QString::NormalizationForm_D)) {
        if (c.category() != QChar::Mark_NonSpacing)
            out += c;
    }
    return out.toLower();
}

QHash<QString, QString> parseStrokeOrderBundle(const QByteArray &bundle)
{
    // the map stands in the bundle as JSON.parse('{"一":"j",...}')
    static const QByteArray opening = "JSON.parse('";
    const qsizetype start = bundle.indexOf(opening);
    if (start < 0)
        return {};
    const qsizetype from = start + opening.size();
    const qsizetype end = bundle.indexOf("')", from);
    if (end < 0)
        return {};
    const QJsonObject object = QJsonDocument::fromJson(bundle.mid(from, end - from)).object();
    QHash<QString, QString> out;
    for (auto it = object.begin(); it != object.end(); ++it)
        out.insert(it.key(), it.value().toString());
    return out;
}

namespace {

void appendOnce(QStringList &list, const QString &value)
{
    if (!value.isEmpty() && !list.contains(value))
        list.append(value);
}

// "131.140:háng 136.100:héng" or "xíng" -> the readings, without locations
QStringList readingValues(const QString &field)
{
    QStringList out;
    for (const QString &item : field.split(u' ', Qt::SkipEmptyParts)) {
        const QString value = item.mid(item.lastIndexOf(u':') + 1);
        for (const QString &reading : value.split(u',', Qt::SkipEmptyParts))
            appendOnce(out, reading);
    }
    return out;
}

} // namespace

QStringList Readings::standard() const
{
    return TGHZ2013.isEmpty() ? XHC1983 : TGHZ2013;
}

QStringList Readings::preferred() const
{
    const QStringList readings = standard();
    return readings.isEmpty() ? Mandarin : readings;
}

QString Readings::primary() const
{
    const QStringList readings = standard();
    if (!Mandarin.isEmpty() && (readings.isEmpty() || readings.contains(Mandarin.first())))
        return Mandarin.first();
    return readings.isEmpty() ? QString() : readings.first();
}

QHash<QString, Readings> parseUnihanReadings(const QByteArray &text)
{
    QHash<QString, Readings> out;
    for (const QByteArray &line : text.split('\n')) {
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> parts = line.trimmed().split('\t');
        if (parts.size() != 3 || !parts[0].startsWith("U+"))
            continue;
        bool ok = false;
        const char32_t codePoint = parts[0].mid(2).toUInt(&ok, 16);
        if (!ok)
            continue;
        QStringList *target = nullptr;
        Readings &readings = out[QString::fromUcs4(&codePoint, 1)];
        if (parts[1] == "kTGHZ2013")
            target = &readings.TGHZ2013;
        else if (parts[1] == "kXHC1983")
            target = &readings.XHC1983;
        else if (parts[1] == "kMandarin")
            target = &readings.Mandarin;
        if (target)
            *target = readingValues(QString::fromUtf8(parts[2]));
    }
    return out;
}

void sortRows(QList<TableRow> &rows)
{
    std::sort(rows.begin(), rows.end(), [](const TableRow &a, const TableRow &b) {
        if (a.field != b.field)
            return a.field < b.field;
        return a.gbIndex < b.gbIndex;
    });
}

QString strokeSegmentText(const QList<TableRow> &rows)
{
    QString out;
    for (const TableRow &row : rows)
        out += row.character + row.field + QLatin1String("\r\n");
    return out;
}

QString pinyinSegmentText(const QList<TableRow> &rows)
{
    QString out;
    for (const TableRow &row : rows)
        out += row.character + row.field.leftJustified(6, u' ') + QLatin1String("\r\n");
    return out + QString(8, u' ') + QLatin1String("\r\n");
}

} // namespace tabledata
