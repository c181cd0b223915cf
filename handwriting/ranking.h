#pragma once

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

// The characters with a record: hz -> BH as the record store holds them, joined with the stroke
// classes of the program's stroke-order list. A BH that is not a number counts as 0.
KnownCharacters knownCharacters(const QHash<QString, QString> &recordStrokeCounts);

// The stroke class digit ('1'..'5') of one drawn stroke, from its shape: a corner between two long
// parts makes a turning stroke (a short hook at the end of a vertical does not); otherwise the
// direction from start to end, and for short strokes the length, decide. `side` is the side of
// the writing area the points lie in.
QChar strokeClass(const Stroke &stroke, qreal side);
QString strokeClasses(const Ink &ink, qreal side);

// The number of stroke classes to insert, delete or change to turn one sequence into the other.
int strokeOrderDistance(const QString &drawn, const QString &known);

// How the recogniser's list is reordered: its score less these penalties.
struct RankingWeights {
    double strokeCount = 0; // per stroke of difference between the ink and the record's BH
    double strokeOrder = 0; // per step of strokeOrderDistance between ink and character
};

// The recogniser's candidates that have a record, reordered by score less the penalties (equal
// scores keep the recogniser's order), at most `count`.
QStringList rankCandidates(const QList<Candidate> &candidates, const Ink &ink, qreal side,
    const KnownCharacters &known, const RankingWeights &weights, int count);

} // namespace handwriting

namespace handwriting {

// The list the pad offers: the model's longer list of listLength, ranked with padWeights,
// cut to shownCandidates.
constexpr int listLength = 100;
constexpr int shownCandidates = 10;
constexpr RankingWeights padWeights { .strokeCount = 0.5, .strokeOrder = 1.0 };

// The characters for the ink, best first: at most ten, all with a record. Empty when the
// recogniser is not available or the ink has no points.
QStringList recognize(
    const Recognizer &recognizer, const Ink &ink, qreal side, const KnownCharacters &known);

} // namespace handwriting
