// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "recognizer.h"

#include <QByteArray>
#include <QHash>

#include <array>
#include <limits>
#include <vector>

namespace handwriting {

// How a drawing reads as one character: the cost of the best way found for the drawn strokes to
// stand for the character's strokes (the mean distance per drawn stroke, in character heights,
// with the penalties of MatchPenalties), and what that way took.
struct Reading {
    double cost = std::numeric_limits<double>::infinity();
    int joins = 0; // the character's strokes that a drawn stroke stood for beyond its first
    int swaps = 0; // adjacent pairs drawn the other way round
    int missing = 0; // the character's strokes left undrawn
    int extra = 0; // drawn strokes left over
    bool reordered = false; // read in an order of its own (one drawn stroke to one stroke)
    // The drawn strokes' classes in the character's order, '0' for a stroke that a joined drawn
    // stroke stands for; missing strokes have none, extra ones come last.
    QString classes;
};

// The elastic matcher: reads a drawing against the medians of every character of its data,
// whatever the stroke count or order. A drawn stroke may stand for two or three adjacent strokes
// of the character written without lifting the pen, two adjacent strokes may come swapped, and
// when the counts are near, any order is tried at a price per pair out of order.
// Thread-safe once built: every method is const and keeps nothing.
class Matcher {
public:
    static constexpr int points = 12; // per stroke, after resampling by length
    static constexpr int considered = 60; // by the prefilter, read in full by match()

    struct Point {
        float x = 0;
        float y = 0;
    };
    using Resampled = std::array<Point, points>;

    // A drawing prepared for matching: its strokes normalised and resampled, its features.
    struct Drawing {
        std::vector<Resampled> strokes;
        std::array<float, 64> features {};
        QString classes; // of each stroke, as strokeClass gives them
        float aspect = 1; // the ink's width over its height, before normalising
    };

    struct Match {
        QString character;
        Reading reading;
    };

    // The data in medianfile's format. A broken file gives the characters before the break (none
    // without the magic) and a warning in the log.
    explicit Matcher(const QByteArray &data);
    // The program's data, parsed at the first call (thread-safe).
    static const Matcher &shared();

    qsizetype size() const { return qsizetype(m_entries.size()); }

    // Empty strokes and points that are not numbers are left out; `side` is the writing area's.
    static Drawing prepare(const Ink &ink, qreal side);

    // The `count` characters that read best, cheapest first; of the prefilter's best
    // `considered` by features and stroke count.
    QList<Match> match(const Drawing &drawing, int count) const;
    // One character; an infinite cost when it has no medians here.
    Reading read(const Drawing &drawing, const QString &character) const;

    // How common the character is, 0 (unknown or rare) to 1 (among the most common): Unihan's
    // kFrequency, and for the characters without one their level in the 2013 standard table.
    double commonness(const QString &character) const;

    // How far apart the medians of two characters lie once normalised: the mean distance between
    // their strokes, in character heights; what the matcher cannot tell apart comes near 0.
    // Infinite unless both have medians here with as many strokes, none of them further apart than
    // strokeLimit (characters that share all but one part are not alike).
    double twinDistance(const QString &a, const QString &b, double strokeLimit) const;
    // How far the drawing's proportions are from the character's: |ln| of the ratio of their
    // widths over heights, each held within 1/4..4. 0 when the character has no medians here.
    double aspectMismatch(const Drawing &drawing, const QString &character) const;

private:
    struct Entry {
        QString character;
        quint8 frequency = 0;
        quint8 level = 0;
        quint16 strokeCount = 0;
        quint32 firstStroke = 0; // into m_strokes
        float aspect = 1; // width over height of the medians as the data places them
        std::array<float, 64> features {};
    };
    using Quantised = std::array<quint8, 2 * points>;

    Reading read(const Drawing &drawing, const Entry &entry) const;

    std::vector<Entry> m_entries;
    std::vector<Quantised> m_strokes; // normalised into 0..255
    QHash<QString, int> m_index;
};

} // namespace handwriting
