// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "card.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace card {

// Read access to card.db: opened on the first call, read-only; a missing or broken file gives
// std::nullopt for every character and one warning in the log.
class CardStore {
public:
    explicit CardStore(QString path); // path of card.db
    ~CardStore();
    CardStore(const CardStore &) = delete;
    CardStore &operator=(const CardStore &) = delete;

    std::optional<Card> card(const QString &character) const;
    // every reading of a character, most used first, without words or meanings (cheap; the
    // window's pinyin panel uses it); empty when unknown
    QStringList readings(const QString &character) const;
    bool isAvailable() const; // opens the file if not yet open

    // The radical index (empty for a file made without it): the radical table in its order, the
    // characters filed under any of forms, those that have for every group one of its forms among
    // their parts (with a limit, those of fewest strokes), and whether a text is a part or radical
    // the file knows.
    QList<RadicalForm> radicalTable() const;
    QList<IndexEntry> filedUnder(const QStringList &forms) const;
    QList<IndexEntry> containing(const QList<QStringList> &groups, int limit = 0) const;
    bool isKnownPart(const QString &text) const;

private:
    enum class State { NotOpened, Open, Broken };
    bool ensureOpen() const;

    QString m_path;
    QString m_connection; // this store's own Qt SQL connection name
    mutable State m_state = State::NotOpened;
};

} // namespace card
