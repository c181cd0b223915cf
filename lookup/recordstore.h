// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "photoschema.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QHash>
#include <QObject>
#include <QSqlQuery>
#include <QString>

#include <map>
#include <optional>

// Data1: the read-only record store over Photo.mdb (SQLite, table chunks). It keeps one current
// record; moving it emits currentChanged() before the move returns, so the bound controls follow
// synchronously.
//
// The file is data from outside and may be made to hurt. Only a plain table chunks is read (no
// view, no virtual table, no computed column), the file is opened immutable (nothing is ever
// created or changed beside it, whatever its journal mode), every query stops after
// queryBudgetMs, and a record with an oversized field is unusable.
class RecordStore : public QObject {
    Q_OBJECT
public:
    // The largest fields a usable record has, in UTF-16 code units for texts.
    static constexpr qsizetype maximumCharacterLength = 8; // hz: one character, as stored
    static constexpr qsizetype maximumStrokeCountLength = 3;
    static constexpr qsizetype maximumReadingLength = 64;
    static constexpr int maximumPhotoBytes = 4 * 1024 * 1024;
    static constexpr qsizetype maximumStrokeClassesLength = 64;
    // The time one query may run (open's checks, a find) before it is stopped as failed.
    static constexpr int queryBudgetMs = 500;

    explicit RecordStore(QObject *parent = nullptr);
    ~RecordStore() override;

    // Opens the file read-only and makes the first record of chunks current (an unusable one
    // stays unread). A missing, unreadable or malformed file, or a chunks that is no plain table
    // or has no record, leaves the store closed; returns whether it opened.
    bool open(const QString &databaseFile);
    bool isOpen() const;

    // Makes the first record (in table order) whose hz equals the character current. The
    // character is passed as a bound value: any text, quotes included, is safe. A first record
    // that is unusable (a field too large) is no match.
    void FindFirst(const QString &hz);
    // Whether the last FindFirst found nothing. True while the store is closed.
    bool NoMatch() const { return m_noMatch; }

    const CharacterRecord &current() const { return m_current; }

    // The strokes the picture of hz is drawn from, from table outlines beside chunks: the JSON
    // object {"strokes": [SVG path, ...]}. Empty where the file has no such table, no row for hz
    // or one larger than maxOutlineBytes. Leaves the current record and NoMatch as they are.
    QByteArray outline(const QString &hz) const;
    static constexpr qsizetype maxOutlineBytes = 1 << 20;

    // The stroke classes of the first record of hz (see CharacterRecord). Empty where the file
    // has no column classes, no record of hz or one whose classes are not 1-5 digits up to
    // maximumStrokeClassesLength. Leaves the current record and NoMatch as they are.
    QString strokeClasses(const QString &hz) const;

    // hz -> BH of every record (the first record of a character counts); empty while closed.
    QHash<QString, QString> strokeCounts() const;
    // hz -> stroke classes of every record whose classes are usable (as strokeClasses); empty
    // while closed or where the file has no column classes.
    QHash<QString, QString> allStrokeClasses() const;

signals:
    void currentChanged();

private:
    bool limitQueries();
    // Whether chunks is a plain table with the required columns; where the file's schema cannot
    // even be read, *why says so.
    bool chunksIsAPlainTable(QString *why);
    enum class Move {
        Moved, // the record found is current
        Unusable, // a record was found but a field is too large; the current record stays
        Failed, // no record, or the query failed
    };
    // Moves to the first record of hz, or of any character without one.
    Move moveTo(std::optional<QString> hz);
    // The statement for sql, prepared on first use and kept while the file is open; nullptr if
    // it cannot be prepared (the answer is kept too).
    QSqlQuery *statement(const QString &sql) const;
    // The first column of the first row of sql, a query with hz bound to its one placeholder;
    // invalid when it fails or finds nothing.
    QVariant valueFor(const QString &sql, const QString &hz) const;
    // hz -> the first record's value of `column`, in the file's order.
    QHash<QString, QString> firstValues(const char *column) const;
    void close();

    QString m_connection;
    bool m_hasStrokeClasses = false; // chunks has the column classes
    CharacterRecord m_current;
    bool m_noMatch = true;
    mutable QDeadlineTimer m_queryDeadline; // read by SQLite's progress handler
    mutable std::map<QString, std::optional<QSqlQuery>>
        m_statements; // by SQL text, see statement()
};
