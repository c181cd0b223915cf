// SPDX-License-Identifier: GPL-3.0-or-later
#include "radicalindex.h"

#include "cardstore.h"

#include <QMap>
#include <QSet>

#include <algorithm>

namespace radical {

namespace {

// Commoner characters first within a stroke count: level 1, 2, 3 of the list, then the rest.
int levelRank(int level)
{
    return level == 0 ? 4 : level;
}

bool fewerStrokesOutside(const Listed &a, int levelA, const Listed &b, int levelB)
{
    if (a.strokesOutsideRadical != b.strokesOutsideRadical)
        return a.strokesOutsideRadical < b.strokesOutsideRadical;
    if (levelRank(levelA) != levelRank(levelB))
        return levelRank(levelA) < levelRank(levelB);
    return a.character < b.character;
}

// Sorts entries with their levels by the given order and returns the listed characters.
template<typename Less> QList<Listed> sorted(QList<std::pair<Listed, int>> rows, Less less)
{
    std::sort(rows.begin(), rows.end(), [&less](const auto &a, const auto &b) {
        return less(a.first, a.second, b.first, b.second);
    });
    QList<Listed> out;
    out.reserve(rows.size());
    for (const auto &row : rows)
        out.append(row.first);
    return out;
}

} // namespace

RadicalIndex::RadicalIndex(const card::CardStore &store)
    : m_store(store)
    , m_table(store.radicalTable())
{
    QHash<QString, QStringList> byMain; // main radical -> its forms, itself first
    for (const card::RadicalForm &row : std::as_const(m_table)) {
        byMain[row.main.isEmpty() ? row.form : row.main].append(row.form);
        m_strokes.insert(row.form, row.strokes);
    }
    for (const card::RadicalForm &row : std::as_const(m_table)) {
        QStringList &forms = m_forms[row.form];
        for (const QString &form : byMain.value(row.main.isEmpty() ? row.form : row.main)) {
            if (!forms.contains(form))
                forms.append(form);
        }
    }
}

bool RadicalIndex::isEmpty() const
{
    return m_table.isEmpty();
}

QList<StrokeGroup> RadicalIndex::radicalsByStrokes() const
{
    QMap<int, QList<Radical>> byStrokes;
    QHash<QString, std::pair<int, qsizetype>> place; // main radical -> its stroke count and index
    for (const card::RadicalForm &row : m_table) {
        if (!row.main.isEmpty())
            continue;
        QList<Radical> &radicals = byStrokes[row.strokes];
        place.insert(row.form, { row.strokes, radicals.size() });
        radicals.append({ row.form, {} });
    }
    for (const card::RadicalForm &row : m_table) {
        const auto it = place.constFind(row.main);
        if (row.main.isEmpty() || it == place.constEnd())
            continue;
        byStrokes[it->first][it->second].attachedForms.append(row.form);
    }
    QList<StrokeGroup> groups;
    for (auto it = byStrokes.cbegin(); it != byStrokes.cend(); ++it)
        groups.append({ it.key(), it.value() });
    return groups;
}

QStringList RadicalIndex::formsOf(const QString &form) const
{
    return m_forms.value(form);
}

QStringList RadicalIndex::partsOf(const QString &text)
{
    QStringList parts;
    for (const char32_t c : text.toUcs4()) {
        const QString part = QString::fromUcs4(&c, 1);
        if (part.at(0).isSpace() || part.at(0).isPunct() || parts.contains(part))
            continue;
        parts.append(part);
    }
    return parts;
}

Found RadicalIndex::filing(const QString &form, int limit) const
{
    Found found;
    const QStringList forms = formsOf(form);
    if (forms.isEmpty()) {
        found.unknown.append(form);
        return found;
    }
    QList<std::pair<Listed, int>> filed;
    QSet<QString> seen;
    for (const card::IndexEntry &entry : m_store.filedUnder(forms)) {
        filed.append(
            { { entry.character, entry.strokesOutsideRadical, true, entry.strokes }, entry.level });
        seen.insert(entry.character);
    }
    // Strokes outside the form the character has (字 under 子: 6 - 3; 信 under 讠 has 言: 9 - 7),
    // the form looked up first.
    QStringList order = forms;
    order.move(order.indexOf(form), 0);
    QList<std::pair<Listed, int>> containing;
    for (const QString &each : std::as_const(order)) {
        const int formStrokes = m_strokes.value(each, 0);
        // as many more as the filed ones, which it may list again
        const int wanted = limit > 0 ? limit + int(seen.size()) + 1 : 0;
        for (const card::IndexEntry &entry : m_store.containing({ { each } }, wanted)) {
            if (seen.contains(entry.character))
                continue;
            seen.insert(entry.character);
            containing.append({ { entry.character, std::max(0, entry.strokes - formStrokes), false,
                                    entry.strokes },
                entry.level });
        }
    }
    found.characters = sorted(filed, fewerStrokesOutside);
    QList<Listed> contained = sorted(containing, fewerStrokesOutside);
    if (limit > 0 && contained.size() > limit) {
        contained.resize(limit);
        found.cut = true;
    }
    found.characters += contained;
    return found;
}

Found RadicalIndex::withParts(const QString &text, int limit) const
{
    Found found;
    QList<QStringList> groups;
    QStringList filedForms;
    for (const QString &part : partsOf(text)) {
        QStringList forms = formsOf(part);
        if (forms.isEmpty()) {
            if (!m_store.isKnownPart(part)) {
                found.unknown.append(part);
                continue;
            }
            forms = { part };
        } else {
            filedForms += forms;
        }
        groups.append(forms);
    }
    if (groups.isEmpty() || !found.unknown.isEmpty())
        return found;
    QList<std::pair<Listed, int>> rows;
    const QList<card::IndexEntry> entries = m_store.containing(groups, limit > 0 ? limit + 1 : 0);
    found.cut = limit > 0 && entries.size() > limit;
    for (const card::IndexEntry &entry : entries.first(found.cut ? limit : entries.size())) {
        rows.append({ { entry.character, entry.strokesOutsideRadical,
                          filedForms.contains(entry.radical), entry.strokes },
            entry.level });
    }
    found.characters = sorted(rows, [](const Listed &a, int levelA, const Listed &b, int levelB) {
        if (a.strokes != b.strokes)
            return a.strokes < b.strokes;
        if (levelRank(levelA) != levelRank(levelB))
            return levelRank(levelA) < levelRank(levelB);
        return a.character < b.character;
    });
    return found;
}

} // namespace radical
