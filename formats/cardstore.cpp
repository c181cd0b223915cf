// SPDX-License-Identifier: GPL-3.0-or-later
#include "cardstore.h"

#include "cardschema.h"

#include <QFileInfo>
#include <QLoggingCategory>
#include <QSqlDatabase>
#include <QSqlError>
#include <QUrl>
#include <QUuid>

// zibrin.card: why the card file cannot be read.
Q_LOGGING_CATEGORY(cardLog, "zibrin.card", QtWarningMsg)

namespace card {

CardStore::CardStore(QString path)
    : m_path(std::move(path))
    , m_connection(QStringLiteral("card-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
}

CardStore::~CardStore()
{
    if (m_state == State::NotOpened)
        return;
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

bool CardStore::ensureOpen() const
{
    if (m_state != State::NotOpened)
        return m_state == State::Open;
    m_state = State::Broken;
    // QSQLITE would create a missing file; a read-only open must never do that.
    const QFileInfo info(m_path);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    if (!info.isFile() || !info.isReadable()) {
        qCWarning(cardLog) << "card store: no readable file" << m_path;
        return false;
    }
    // immutable: no lock, journal, -wal or -shm file is made or read beside the file
    db.setDatabaseName(QUrl::fromLocalFile(info.absoluteFilePath()).toString(QUrl::FullyEncoded)
        + QStringLiteral("?immutable=1"));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI"));
    if (!db.open()) {
        qCWarning(cardLog) << "card store: cannot open" << m_path << db.lastError().text();
        return false;
    }
    if (!cardschema::hasFormat(db)) {
        qCWarning(cardLog) << "card store: not a card file of format" << cardschema::formatVersion
                           << m_path;
        db.close();
        return false;
    }
    m_state = State::Open;
    return true;
}

bool CardStore::isAvailable() const
{
    return ensureOpen();
}

std::optional<Card> CardStore::card(const QString &character) const
{
    if (!ensureOpen())
        return std::nullopt;
    return cardschema::readCard(QSqlDatabase::database(m_connection, false), character);
}

QStringList CardStore::readings(const QString &character) const
{
    if (!ensureOpen())
        return {};
    return cardschema::readReadings(QSqlDatabase::database(m_connection, false), character);
}

QList<RadicalForm> CardStore::radicalTable() const
{
    if (!ensureOpen())
        return {};
    return cardschema::readRadicalTable(QSqlDatabase::database(m_connection, false));
}

QList<IndexEntry> CardStore::filedUnder(const QStringList &forms) const
{
    if (!ensureOpen())
        return {};
    return cardschema::readFiledUnder(QSqlDatabase::database(m_connection, false), forms);
}

QList<IndexEntry> CardStore::containing(const QList<QStringList> &groups, int limit) const
{
    if (!ensureOpen())
        return {};
    return cardschema::readContaining(QSqlDatabase::database(m_connection, false), groups, limit);
}

bool CardStore::isKnownPart(const QString &text) const
{
    if (!ensureOpen())
        return false;
    return cardschema::isKnownPart(QSqlDatabase::database(m_connection, false), text);
}

} // namespace card
