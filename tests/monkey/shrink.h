// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

#include <algorithm>
#include <functional>

// Shrinking a failing event list to a short one that still fails (delta debugging).
namespace monkey {

// First the shortest failing tail of the list (1, 2, 4, ... last items, each tried once, since
// most failures need only the last few events and the state they build), then chunks removed in
// halves, quarters, ... down to single items, keeping every removal after which the list still
// fails. stillFails is called at most budget times; *tries counts the calls. The list given must
// fail; the list returned fails too.
template<typename T>
QList<T> shrinkFailing(QList<T> failing, const std::function<bool(const QList<T> &)> &stillFails,
    int budget, int *tries)
{
    *tries = 0;
    auto attempt = [&](const QList<T> &candidate) {
        ++*tries;
        return stillFails(candidate);
    };
    for (qsizetype tail = 1; tail < failing.size() && *tries < budget; tail *= 2) {
        const QList<T> candidate = failing.mid(failing.size() - tail);
        if (attempt(candidate)) {
            failing = candidate;
            break;
        }
    }
    qsizetype parts = 2;
    while (failing.size() >= 2 && *tries < budget) {
        const qsizetype chunk = (failing.size() + parts - 1) / parts;
        bool removed = false;
        for (qsizetype start = 0; start < failing.size() && *tries < budget; start += chunk) {
            QList<T> candidate = failing.mid(0, start) + failing.mid(start + chunk);
            if (attempt(candidate)) {
                failing = candidate;
                parts = std::max<qsizetype>(parts - 1, 2);
                removed = true;
                break;
            }
        }
        if (!removed) {
            if (parts >= failing.size())
                break;
            parts = std::min(parts * 2, failing.size());
        }
    }
    return failing;
}

} // namespace monkey
