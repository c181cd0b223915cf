// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "matcher.h"
#include "recognizer.h"

#include <QHash>

namespace handwriting {

// What the program holds about a character it can look up: the stroke count of its record (BH)
// and its stroke classes in writing order, one digit each: 1 horizontal or rising, 2 vertical,
// 3 left-falling, 4 dot or right-falling, 5 turning (empty when unknown).
struct KnownCharacter {
    int strokeCount = 0;
    QString strokeClasses;
};
using KnownCharacters = QHash<QString, KnownCharacter>;

// The characters with a record: hz -> BH and hz -> stroke classes as the record store holds them
// (strokeCounts, allStrokeClasses). A BH that is not a number counts as 0.
KnownCharacters knownCharacters(const QHash<QString, QString> &recordStrokeCounts,
    const QHash<QString, QString> &recordStrokeClasses);

// The stroke class digit ('1'..'5') of one drawn stroke, from its shape: a corner between two long
// parts makes a turning stroke (a short hook at the end of a vertical does not); otherwise the
// direction from start to end, and for short strokes the length, decide. `side` is the side of
// the writing area the points lie in.
QChar strokeClass(const Stroke &stroke, qreal side);

// The number of stroke classes to insert, delete or change to turn one sequence into the other;
// a '0' in the drawn sequence (a stroke read as part of a joined one) matches any class.
int strokeOrderDistance(const QString &drawn, const QString &known);

} // namespace handwriting

namespace handwriting {

// The list the pad offers: the model's longer list of listLength (its first modelRead) merged
// with the matcher's first matcherLength, ranked with padWeights, cut to shownCandidates.
constexpr int listLength = 100;
constexpr int matcherLength = 40;
constexpr int modelRead = 50; // of the model's list, the first read by the matcher and merged
constexpr int shownCandidates = 10;

// What is known of one candidate of the merged list.
struct Evidence {
    QString character;
    double modelScore = 0; // the model's score; the lowest of its list when not listed
    bool listed = false; // in the model's list
    Reading reading; // the matcher's
    int orderDistance = 0; // strokeOrderDistance of the reading's classes and the character's
    double commonness = 0;
    double aspectMismatch = 0; // Matcher::aspectMismatch of the ink and the character
    // The other candidates whose medians are twins of this one's: every stroke within twinLimit
    // (Matcher::twinDistance), alike but for proportions, size or a detail a hand does not keep.
    struct Twin {
        qsizetype index; // into the same list
        double distance; // Matcher::twinDistance
    };
    QList<Twin> twins;
};

// Medians whose every stroke lies closer than this to its fellow (in character heights) make
// twins.
constexpr double twinLimit = 0.15;

// How the merged list is ordered: the sum of these times the evidence, highest first.
struct MergedWeights {
    double model = 0; // times the model's score
    double unlisted = 0; // less, for a character not in the model's list
    double shape = 0; // less, times the matcher's cost
    double strokeCount = 0; // less, per stroke missing or left over in the matcher's reading
    double strokeOrder = 0; // less, per step of the reading's orderDistance
    double common = 0; // plus, times the commonness
    // Between twins, whatever their scores, the more common goes first unless the ink clearly
    // shows the rarer: its reading is cheaper than the common one's by more than shapeClear times
    // the distance between their medians, or its proportions fit the ink better by more than
    // aspectClear (of aspectMismatch). Zero shapeClear leaves twins to the score.
    double shapeClear = 0;
    double aspectClear = 0;
};
constexpr MergedWeights padWeights { .model = 1.0,
    .unlisted = 0.22,
    .shape = 20.0,
    .strokeCount = 0.3,
    .strokeOrder = 0.3,
    .common = 0.5,
    .shapeClear = 0.7,
    .aspectClear = 0.2 };

// The candidates of the model's first modelRead and of the matcher's first `fromMatcher` that
// have a record, each read by the matcher: the model's order first, then the matcher's.
QList<Evidence> gatherEvidence(const QList<Candidate> &modelList, const Matcher::Drawing &drawing,
    const Matcher &matcher, const KnownCharacters &known, int fromMatcher);
QStringList rankEvidence(const QList<Evidence> &evidence, const MergedWeights &weights, int count);

// The characters for the ink, best first: at most ten, all with a record. Empty when the
// recogniser is not available, the ink has no points or is not readable (inkVerdict). Thread-safe:
// the recogniser serialises its own use, the rest keeps no state.
QStringList recognize(const Recognizer &recognizer, const Matcher &matcher, const Ink &ink,
    qreal side, const KnownCharacters &known);
// The same over the program's matcher data (Matcher::shared()).
QStringList recognize(
    const Recognizer &recognizer, const Ink &ink, qreal side, const KnownCharacters &known);

} // namespace handwriting
