// SPDX-License-Identifier: GPL-3.0-or-later
#include "cardschema.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

namespace cardschema {

namespace {

const QChar itemSeparator = u'\n';
const QChar pairSeparator = u'\t';

QString joinList(const QStringList &items)
{
    return items.join(itemSeparator);
}

QStringList splitList(const QString &text)
{
    return text.isEmpty() ? QStringList() : text.split(itemSeparator);
}

QString joinPairs(const QList<std::pair<QString, QString>> &pairs)
{
    QStringList lines;
    for (const auto &[first, second] : pairs)
        lines.append(first + pairSeparator + second);
    return joinList(lines);
}

// The pairs of a stored list; a line without a tab is a first half alone.
QList<std::pair<QString, QString>> splitPairs(const QString &text)
{
    QList<std::pair<QString, QString>> pairs;
    for (const QString &line : splitList(text)) {
        const qsizetype tab = line.indexOf(pairSeparator);
        pairs.append(
            tab < 0 ? std::pair(line, QString()) : std::pair(line.left(tab), line.mid(tab + 1)));
    }
    return pairs;
}

const QStringList createStatements = {
    QStringLiteral("CREATE TABLE info (key TEXT PRIMARY KEY, value TEXT NOT NULL) WITHOUT ROWID"),
    QStringLiteral("CREATE TABLE cards (character TEXT PRIMARY KEY, radical TEXT NOT NULL, "
                   "kangxi_radical TEXT NOT NULL, strokes INTEGER NOT NULL, "
                   "strokes_outside_radical INTEGER NOT NULL, structure TEXT NOT NULL, "
                   "stroke_names TEXT NOT NULL, traditional TEXT NOT NULL, level INTEGER NOT NULL, "
                   "parts TEXT NOT NULL) WITHOUT ROWID"),
    QStringLiteral("CREATE TABLE readings (character TEXT NOT NULL, position INTEGER NOT NULL, "
                   "pinyin TEXT NOT NULL, words TEXT NOT NULL, meanings TEXT NOT NULL, "
                   "PRIMARY KEY (character, position)) WITHOUT ROWID"),
    QStringLiteral("CREATE TABLE radicals (position INTEGER PRIMARY KEY, form TEXT NOT NULL, "
                   "main TEXT NOT NULL, strokes INTEGER NOT NULL)"),
    QStringLiteral("CREATE TABLE part_index (part TEXT NOT NULL, character TEXT NOT NULL, "
                   "PRIMARY KEY (part, character)) WITHOUT ROWID"),
};
const QString createRadicalIndex
    = QStringLiteral("CREATE INDEX cards_by_radical ON cards (radical)");

const QString insertInfo = QStringLiteral("INSERT INTO info (key, value) VALUES (?, ?)");
const QString insertCard = QStringLiteral(
    "INSERT INTO cards (character, radical, kangxi_radical, strokes, strokes_outside_radical, "
    "structure, stroke_names, traditional, level, parts) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
const QString insertReading = QStringLiteral(
    "INSERT INTO readings (character, position, pinyin, words, meanings) VALUES (?, ?, ?, ?, ?)");
const QString insertRadical
    = QStringLiteral("INSERT INTO radicals (position, form, main, strokes) VALUES (?, ?, ?, ?)");
const QString insertPart
    = QStringLiteral("INSERT OR IGNORE INTO part_index (part, character) VALUES (?, ?)");

const QString selectFormat = QStringLiteral("SELECT value FROM info WHERE key = 'format'");
const QString selectCard = QStringLiteral(
    "SELECT radical, kangxi_radical, strokes, strokes_outside_radical, structure, stroke_names, "
    "traditional, level, parts FROM cards WHERE character = ?");
const QString selectReadings = QStringLiteral(
    "SELECT pinyin, words, meanings FROM readings WHERE character = ? ORDER BY position");
const QString selectReadingPinyins
    = QStringLiteral("SELECT pinyin FROM readings WHERE character = ? ORDER BY position");
const QString selectRadicals
    = QStringLiteral("SELECT form, main, strokes FROM radicals ORDER BY position");
const QString entryColumns = QStringLiteral(
    "SELECT cards.character, radical, strokes, strokes_outside_radical, level FROM cards ");
// %1: as many placeholders as forms
const QString selectFiledUnder = entryColumns + QStringLiteral("WHERE radical IN (%1)");
const QString selectContaining = entryColumns + QStringLiteral("WHERE cards.character IN (%1)");
// %1: the limit
const QString selectFewestFirst = QStringLiteral(
    " ORDER BY strokes, CASE level WHEN 0 THEN 4 ELSE level END, cards.character LIMIT %1");
// %1: as many placeholders as the forms of one group; one per group, joined by INTERSECT
const QString selectHavingPart
    = QStringLiteral("SELECT character FROM part_index WHERE part IN (%1)");
const QString selectKnownPart
    = QStringLiteral("SELECT 1 WHERE EXISTS (SELECT 1 FROM part_index WHERE part = ?) "
                     "OR EXISTS (SELECT 1 FROM radicals WHERE form = ?)");

// Text as bound: never NULL, which the columns refuse.
QVariant text(const QString &value)
{
    return value.isNull() ? QVariant(QStringLiteral("")) : QVariant(value);
}

bool run(QSqlQuery &query, QString *error)
{
    if (query.exec())
        return true;
    *error = query.lastError().text();
    return false;
}

bool writeCard(QSqlQuery &cardRow, QSqlQuery &readingRow, const card::Card &card, QString *error)
{
    QList<std::pair<QString, QString>> traditional;
    for (const card::Traditional &form : card.traditional)
        traditional.append({ form.form, form.sense });
    cardRow.addBindValue(text(card.character));
    cardRow.addBindValue(text(card.radical));
    cardRow.addBindValue(text(card.kangxiRadical));
    cardRow.addBindValue(card.strokes);
    cardRow.addBindValue(card.strokesOutsideRadical);
    cardRow.addBindValue(text(card.structure));
    cardRow.addBindValue(text(joinList(card.strokeNames)));
    cardRow.addBindValue(text(joinPairs(traditional)));
    cardRow.addBindValue(card.level);
    cardRow.addBindValue(text(joinList(card.parts)));
    if (!run(cardRow, error))
        return false;
    for (qsizetype i = 0; i < card.readings.size(); ++i) {
        const card::Reading &reading = card.readings[i];
        QList<std::pair<QString, QString>> words;
        for (const card::Word &word : reading.words)
            words.append({ word.word, word.pinyin });
        readingRow.addBindValue(text(card.character));
        readingRow.addBindValue(int(i));
        readingRow.addBindValue(text(reading.pinyin));
        readingRow.addBindValue(text(joinPairs(words)));
        readingRow.addBindValue(text(joinList(reading.meanings)));
        if (!run(readingRow, error))
            return false;
    }
    return true;
}

bool writeIndex(QSqlQuery &radicalRow, QSqlQuery &partRow, const QList<card::Card> &cards,
    const QList<card::RadicalForm> &radicalTable, QString *error)
{
    for (qsizetype i = 0; i < radicalTable.size(); ++i) {
        radicalRow.addBindValue(int(i));
        radicalRow.addBindValue(text(radicalTable[i].form));
        radicalRow.addBindValue(text(radicalTable[i].main));
        radicalRow.addBindValue(radicalTable[i].strokes);
        if (!run(radicalRow, error))
            return false;
    }
    for (const card::Card &card : cards) {
        for (const QString &part : card.parts) {
            partRow.addBindValue(text(part));
            partRow.addBindValue(text(card.character));
            if (!run(partRow, error))
                return false;
        }
    }
    return true;
}

bool writeAll(QSqlDatabase &db, const QList<card::Card> &cards,
    const QList<card::RadicalForm> &radicalTable, QString *error)
{
    QSqlQuery query(db);
    for (const QString &statement : createStatements) {
        if (!query.exec(statement)) {
            *error = query.lastError().text();
            return false;
        }
    }
    if (!db.transaction()) {
        *error = db.lastError().text();
        return false;
    }
    QSqlQuery info(db);
    QSqlQuery cardRow(db);
    QSqlQuery readingRow(db);
    QSqlQuery radicalRow(db);
    QSqlQuery partRow(db);
    if (!info.prepare(insertInfo) || !cardRow.prepare(insertCard)
        || !readingRow.prepare(insertReading) || !radicalRow.prepare(insertRadical)
        || !partRow.prepare(insertPart)) {
        *error = db.lastError().text();
        return false;
    }
    info.addBindValue(QStringLiteral("format"));
    info.addBindValue(QString::number(formatVersion));
    if (!run(info, error))
        return false;
    for (const card::Card &card : cards) {
        if (!writeCard(cardRow, readingRow, card, error))
            return false;
    }
    if (!writeIndex(radicalRow, partRow, cards, radicalTable, error))
        return false;
    if (!db.commit() || !query.exec(createRadicalIndex) || !query.exec(QStringLiteral("VACUUM"))) {
        *error = db.lastError().text() + query.lastError().text();
        return false;
    }
    return true;
}

} // namespace

bool writeFile(const QString &path, const QList<card::Card> &cards, QString *error)
{
    return writeFile(path, cards, {}, error);
}

bool writeFile(const QString &path, const QList<card::Card> &cards,
    const QList<card::RadicalForm> &radicalTable, QString *error)
{
    if (QFileInfo::exists(path)) {
        *error = QStringLiteral("%1 exists already").arg(path);
        return false;
    }
    const QString connection
        = QStringLiteral("cardwriter-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    bool written = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        if (!db.open())
            *error = db.lastError().text();
        else
            written = writeAll(db, cards, radicalTable, error);
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return written;
}

bool hasFormat(const QSqlDatabase &db)
{
    QSqlQuery query(db);
    return query.exec(selectFormat) && query.next()
        && query.value(0).toString() == QString::number(formatVersion);
}

std::optional<card::Card> readCard(const QSqlDatabase &db, const QString &character)
{
    QSqlQuery row(db);
    row.setForwardOnly(true);
    if (!row.prepare(selectCard))
        return std::nullopt;
    row.addBindValue(character);
    if (!row.exec() || !row.next())
        return std::nullopt;
    card::Card card;
    card.character = character;
    card.radical = row.value(0).toString();
    card.kangxiRadical = row.value(1).toString();
    card.strokes = row.value(2).toInt();
    card.strokesOutsideRadical = card.radical.isEmpty() ? -1 : row.value(3).toInt();
    card.structure = row.value(4).toString();
    card.strokeNames = splitList(row.value(5).toString());
    for (const auto &[form, sense] : splitPairs(row.value(6).toString()))
        card.traditional.append({ form, sense });
    card.level = row.value(7).toInt();
    card.parts = splitList(row.value(8).toString());

    QSqlQuery readings(db);
    readings.setForwardOnly(true);
    if (!readings.prepare(selectReadings))
        return std::nullopt;
    readings.addBindValue(character);
    if (!readings.exec())
        return std::nullopt;
    while (readings.next()) {
        card::Reading reading;
        reading.pinyin = readings.value(0).toString();
        for (const auto &[word, pinyin] : splitPairs(readings.value(1).toString()))
            reading.words.append({ word, pinyin });
        reading.meanings = splitList(readings.value(2).toString());
        card.readings.append(reading);
    }
    if (card.readings.isEmpty())
        return std::nullopt;
    return card;
}

QStringList readReadings(const QSqlDatabase &db, const QString &character)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    QStringList pinyins;
    if (!query.prepare(selectReadingPinyins))
        return pinyins;
    query.addBindValue(character);
    if (!query.exec())
        return pinyins;
    while (query.next())
        pinyins.append(query.value(0).toString());
    return pinyins;
}

QList<card::RadicalForm> readRadicalTable(const QSqlDatabase &db)
{
    QList<card::RadicalForm> table;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(selectRadicals))
        return table; // a file made before the table
    while (query.next())
        table.append(
            { query.value(0).toString(), query.value(1).toString(), query.value(2).toInt() });
    return table;
}

namespace {

QString placeholders(qsizetype count)
{
    QStringList marks;
    marks.fill(QStringLiteral("?"), count);
    return marks.join(u',');
}

// The entries that statement (with its placeholders in place) selects for forms.
QList<card::IndexEntry> readEntries(
    const QSqlDatabase &db, const QString &statement, const QStringList &forms)
{
    QList<card::IndexEntry> entries;
    if (forms.isEmpty())
        return entries;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(statement))
        return entries;
    for (const QString &form : forms)
        query.addBindValue(form);
    if (!query.exec())
        return entries;
    while (query.next()) {
        card::IndexEntry entry;
        entry.character = query.value(0).toString();
        entry.radical = query.value(1).toString();
        entry.strokes = query.value(2).toInt();
        entry.strokesOutsideRadical = entry.radical.isEmpty() ? -1 : query.value(3).toInt();
        entry.level = query.value(4).toInt();
        entries.append(entry);
    }
    return entries;
}

} // namespace

QList<card::IndexEntry> readFiledUnder(const QSqlDatabase &db, const QStringList &forms)
{
    return readEntries(db, selectFiledUnder.arg(placeholders(forms.size())), forms);
}

QList<card::IndexEntry> readContaining(
    const QSqlDatabase &db, const QList<QStringList> &groups, int limit)
{
    QStringList selects;
    QStringList forms;
    for (const QStringList &group : groups) {
        if (group.isEmpty())
            return {};
        selects.append(selectHavingPart.arg(placeholders(group.size())));
        forms += group;
    }
    QString statement = selectContaining.arg(selects.join(QStringLiteral(" INTERSECT ")));
    if (limit > 0)
        statement += selectFewestFirst.arg(limit);
    return readEntries(db, statement, forms);
}

bool isKnownPart(const QSqlDatabase &db, const QString &text)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(selectKnownPart))
        return false;
    query.addBindValue(text);
    query.addBindValue(text);
    return query.exec() && query.next();
}

} // namespace cardschema
