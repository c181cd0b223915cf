#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>

// One row of table chunks: the character, its stroke count and primary reading as shown, and its
// stroke-order picture (PNG bytes; may be empty).
struct CharacterRecord
{
    QString hz;
    QString BH;
    QString PY;
    QByteArray photo;
};

// Data1: the read-only record store over Photo.mdb (SQLite, table chunks). It keeps one current
// record; moving it emits currentChanged() before the move returns, so the bound controls follow
// synchronously.
class RecordStore : public QObject
{
    Q_OBJECT
public:
    explicit RecordStore(QObject *parent = nullptr);
    ~RecordStore() override;

    // Opens the file read-only and makes the first record of chunks current. A missing,
    // unreadable or malformed file leaves the store closed; returns whether it opened.
    bool open(const QString &databaseFile);
    bool isOpen() const;

    // Makes the first record (in table order) whose hz equals the character current. The
    // character is passed as a bound value: any text, quotes included, is safe.
    void FindFirst(const QString &hz);
    // Whether the last FindFirst found nothing. True while the store is closed.
    bool NoMatch() const { return m_noMatch; }

    const CharacterRecord &current() const { return m_current; }

    // The strokes the picture of hz is drawn from, from table outlines beside chunks: the JSON
    // object {"strokes": [SVG path, ...]}. Empty where the file has no such table, no row for hz
    // or one larger than maxOutlineBytes. Leaves the current record and NoMatch as they are.
    QByteArray outline(const QString &hz) const;
    static constexpr qsizetype maxOutlineBytes = 1 << 20;

    // hz -> BH of every record (the first record of a character counts); empty while closed.
    QHash<QString, QString> strokeCounts() const;

signals:
    void currentChanged();

private:
    bool moveTo(const QString &whereClause, const QString &hz);
    void close();

    QString m_connection;
    CharacterRecord m_current;
    bool m_noMatch = true;
};
