// SPDX-License-Identifier: GPL-3.0-or-later
#include "medianfile.h"

namespace medianfile {

QByteArray header()
{
    return QByteArray(magic);
}

bool append(QByteArray &file, const Entry &entry)
{
    const QByteArray character = entry.character.toUtf8();
    if (character.isEmpty() || character.size() > largestCount || entry.strokes.empty()
        || entry.strokes.size() > size_t(largestCount))
        return false;
    for (const Stroke &stroke : entry.strokes) {
        if (stroke.empty() || stroke.size() > size_t(largestCount))
            return false;
    }
    file.append(char(character.size())).append(character);
    file.append(char(entry.frequency)).append(char(entry.level));
    file.append(char(entry.strokes.size()));
    for (const Stroke &stroke : entry.strokes) {
        file.append(char(stroke.size()));
        for (const Point &p : stroke)
            file.append(char(p.x)).append(char(p.y));
    }
    return true;
}

std::vector<Entry> read(const QByteArray &file, QString *error)
{
    std::vector<Entry> entries;
    error->clear();
    if (!file.startsWith(magic)) {
        *error
            = QStringLiteral("not a medians file (no %1 at its start)").arg(QLatin1String(magic));
        return entries;
    }
    const auto *bytes = reinterpret_cast<const quint8 *>(file.constData());
    const qsizetype size = file.size();
    qsizetype at = qsizetype(sizeof magic) - 1;
    const auto has = [&](qsizetype n) { return at + n <= size; };
    const auto brokenAt = [&](const QString &what) {
        *error
            = QStringLiteral("entry %1 at byte %2: %3").arg(entries.size() + 1).arg(at).arg(what);
    };
    while (at < size) {
        if (!has(1 + qsizetype(bytes[at])) || bytes[at] == 0) {
            brokenAt(QStringLiteral("no character"));
            break;
        }
        Entry entry;
        entry.character = QString::fromUtf8(file.constData() + at + 1, bytes[at]);
        at += 1 + bytes[at];
        if (!has(3)) {
            brokenAt(QStringLiteral("cut short"));
            break;
        }
        entry.frequency = bytes[at];
        entry.level = bytes[at + 1];
        const int strokeCount = bytes[at + 2];
        at += 3;
        for (int s = 0; s < strokeCount; ++s) {
            if (!has(1) || !has(1 + 2 * qsizetype(bytes[at])) || bytes[at] == 0)
                break;
            Stroke stroke(bytes[at]);
            for (size_t k = 0; k < stroke.size(); ++k)
                stroke[k] = { bytes[at + 1 + 2 * qsizetype(k)], bytes[at + 2 + 2 * qsizetype(k)] };
            at += 1 + 2 * qsizetype(stroke.size());
            entry.strokes.push_back(std::move(stroke));
        }
        if (strokeCount == 0 || entry.strokes.size() != size_t(strokeCount)) {
            brokenAt(QStringLiteral("a stroke of %1 is cut short or empty").arg(entry.character));
            break;
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

} // namespace medianfile
