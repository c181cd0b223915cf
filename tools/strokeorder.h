// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QPointF>
#include <QString>
#include <QStringList>

// The drawn stroke order of the outline package checked against the stroke-order source, and the
// curated corrections of the drawn order that every data builder applies.
namespace strokeorder {

// A stroke's centre line as the outline package gives it: points in the 1024 box, y pointing up.
using Median = QList<QPointF>;

// How a drawn stroke reads: its likeliest stroke class ('1'..'5') and every class it may be
// without an order fault (bit 1 << digit), as where a short 撇 is drawn like a 点.
struct StrokeKind {
    QChar primary;
    int accepted = 0;
    bool accepts(QChar digit) const { return accepted & (1 << (digit.unicode() - '0')); }
};
StrokeKind classify(const Median &median);

enum class Verdict {
    Agrees, // every drawn stroke may be the source's stroke at its place
    Order, // not in the drawn order, but in another order of the same strokes
    Kind, // in no order: the kinds differ (classifier noise or a different form)
    Count, // the stroke counts differ
    NoSequence, // the source has no sequence for the character
};
QString verdictName(Verdict verdict);

struct Check {
    Verdict verdict = Verdict::NoSequence;
    QString drawn; // the primary class of each drawn stroke
    QList<int> agreeing; // Order: drawn stroke (0-based) for each stroke of the source
};
// The drawn strokes against the source's classes ("1".."5" per stroke). For Order, `agreeing`
// moves the strokes as little as possible (least total displacement).
Check check(const QList<Median> &medians, const QString &classes);

// The order of strokes of one kind, which the classes cannot show. Each pair of strokes of the
// same class whose drawn order goes against a positional writing rule: `later` would go before
// `earlier` by `rule`. `exception` names the known exception that explains the pair (the pair is
// then no fault), empty for a suspect.
struct PairFinding {
    int earlier = 0; // 0-based drawn strokes
    int later = 0;
    QString rule;
    QString exception;
};
// The medians in their drawn order and each stroke's class (the source's, where the check
// agrees). Classes 1-4 only: a turning stroke (5) has no place that says its order.
QList<PairFinding> sameKindOrder(const QList<Median> &medians, const QString &classes);

// A run of consecutive strokes of a character that draws another character's strokes (a
// component) in another order than the component alone or most characters holding it.
struct ComponentSuspect {
    QString character;
    QString component;
    int start = 0; // the first stroke of the run, 0-based
    QList<int> order; // the run's strokes (0-based, of the character) in the usual order
    int same = 0; // the characters (the component alone included) that draw it in the usual order
    int other = 0; // and those that draw it otherwise
};
// Compares each component's internal order across the characters that draw it as a run of
// consecutive strokes. A run is matched to a component by class and by the shape and place of
// each stroke's centre line within the run's box; the component's usual order is the one most
// of its occurrences draw. `drawn` holds the medians in drawn order, `classes` one class per
// stroke; components have `minStrokes` to `maxStrokes` strokes.
QList<ComponentSuspect> componentSuspects(const QMap<QString, QList<Median>> &drawn,
    const QHash<QString, QString> &classes, int minStrokes = 3, int maxStrokes = 8);

// The medians of an outline object.
QList<Median> medians(const QJsonObject &outline);

// The corrections file: character TAB the corrected order as the 1-based indices of the
// outline's strokes TAB the rule; "#" starts a comment line. Returns character -> 0-based order;
// on a malformed line (not one character, not a permutation, a character twice) an empty hash
// and the reason in *error.
QHash<QString, QList<int>> parseCorrections(const QByteArray &text, QString *error);

// The outline object with its strokes and medians in `order` (order[k] is the source index of
// the k-th stroke) and radStrokes renumbered. Unchanged when the order does not fit the strokes.
QJsonObject reordered(const QJsonObject &outline, const QList<int> &order);
// The outline object of `character` with its correction applied, if the file has one.
QJsonObject corrected(const QJsonObject &outline, const QString &character,
    const QHash<QString, QList<int>> &corrections);

// The stroke names of the national standard for a character: `letters` are the stroke-order
// source's letters (or already names, see below) in writing order, `medians` the drawn strokes
// in the same order. A letter the source gives two names (e 横撇|横钩 ...) is told apart by the
// drawn shape. A name whose class the drawn stroke cannot be is left empty.
QStringList strokeNames(const QString &letters, const QList<Median> &medians);
// The same from names that are already given (the curated classes file), checked likewise.
QStringList checkedNames(const QStringList &names, const QList<Median> &medians);

} // namespace strokeorder
