// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "monkeyevents.h"

#include <QJsonObject>
#include <QList>
#include <QString>

#include <functional>

class ProgramFolder;
class QTextStream;

namespace monkey {

// The first broken invariant of a run: the event after which it was seen (-1: none), the
// invariant's name and what was seen.
struct Failure {
    int index = -1;
    QString invariant;
    QString detail;
};

// What a run went through, so that a passing run can show it did more than show empty boxes.
struct Stats {
    int events = 0;
    int lookupsFound = 0;
    int lookupsMissed = 0;
    int strokeSearches = 0;
    int strokeSearchesListing = 0;
    int pinyinSearches = 0;
    int pinyinSearchesListing = 0;
    int frameSteps = 0;
    int copies = 0;
    int addressesOpened = 0;
    int strokesDrawn = 0;
    int handwritingLists = 0; // recognitions that listed candidates
    int unreadableInk = 0; // draw events after which the pad said it cannot read the ink

    QJsonObject toJson() const;
    static Stats fromJson(const QJsonObject &object);
    QString summary() const;
};

struct RunResult {
    Failure failure;
    Stats stats;
    bool failed() const { return failure.index >= 0; }
};

// Copies Photo.mdb and LIST2.txt of the build into the folder, or, when the build has none, writes
// a small fixture database and list. Returns a line saying which was used.
QString prepareProgramFolder(ProgramFolder &folder);

// Starts a fresh main window over the folder as the program does, replays the events on it
// and checks the invariants after every event, stopping at the first one broken. progress is told
// each event's index before it runs; trace, when given, gets a line per event with the state it
// left. At the end the program's files must be as they were and nothing may have been added.
RunResult replay(const ProgramFolder &folder, const QList<Event> &events,
    const std::function<void(int)> &progress = {}, QTextStream *trace = nullptr);

} // namespace monkey
