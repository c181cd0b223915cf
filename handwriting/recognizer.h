// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <memory>
#include <mutex>

namespace zinnia {
class Character;
class Recognizer;
} // namespace zinnia

namespace handwriting {

// One stroke: the points of the pen from down to up, in the writing area's pixels (y down).
using Stroke = QList<QPointF>;
// The strokes of one character in writing order.
using Ink = QList<Stroke>;

// One entry of the recogniser's list: the character and its score (higher is better).
struct Candidate {
    QString character;
    double score = 0;
};

// What recognition is given, whatever is drawn.
//
// Zinnia finds a stroke's corners by splitting it at the point furthest from its chord, again and
// again, and numbers the parts as a binary heap (part i splits into 2i+1 and 2i+2) in a vector
// sized by the highest number. A stroke that keeps splitting near one end, as a zig-zag does,
// needs about 2^corners entries of 16 bytes: a scribble of 30 turns asks for 2^31 (measured: 16
// turns 4 MiB, 20 turns 64 MiB, 24 turns 1 GiB and 11 s, 25 and more std::bad_alloc under a 2 GiB
// address limit). Its features use only the first 51 parts. So every stroke is reduced to its
// corners by the same rule before Zinnia sees it (what Zinnia would find is unchanged), and a
// stroke with more corners than maxStrokeCorners is not handed over at all: Zinnia's vector then
// stays below 2^(maxStrokeCorners + 1) entries (2 MiB), whatever its rounding.
//
// Corners: a point whose squared distance from the chord of its part exceeds cornerTolerance in
// units of the writing area's side (Zinnia's rule: about 3.2% of the side, 9.5 of 300 pixels).
constexpr float cornerTolerance = 0.001f;
// The strokes of GB2312's 6,763 characters, written from hanzi-writer-data's medians, have at most
// 7 corners (110,617 strokes: 4 with 7, 40 with 6); the same strokes resampled every 2 pixels
// with 1.5 pixels of jitter, scaled, sheared and turned by up to 15%, at most 8 (two random
// seeds). Twice that. A very shaky hand reaches it: with 3 pixels of jitter at every point, 83 of
// the 110,617 strokes have more than 16 corners and are not read.
constexpr int maxStrokeCorners = 16;
// A stroke's points, after rounding to the model's grid and dropping repeats, are taken at even
// steps beyond this many (a pen at 1,000 Hz for a second; the corners cost O(points x corners)).
constexpr int maxStrokePoints = 1024;
// The most strokes of one character that are recognised. GB2312's most is 33 (hanzi-writer-data);
// Zinnia's time grows with the strokes (one feature block each; measured for three-point strokes
// on a busy machine: 1 stroke 22 ms, 36 strokes 147 ms, 48 strokes 178 ms, 500 strokes 754 ms),
// and it numbers the strokes' features in blocks of 1,000 from 0 and their moves from 100,000, so
// past 100 strokes the two would mix.
constexpr int maxStrokes = 48;

// Whether ink can go to the recogniser.
enum class InkVerdict {
    Readable, // also: no points at all (then nothing is recognised)
    WildStroke, // a stroke has more than maxStrokeCorners corners
    TooManyStrokes, // more than maxStrokes strokes with points
};

// The verdict on ink drawn in a square writing area of side `side`.
InkVerdict inkVerdict(const Ink &ink, qreal side);

// The ink as a recognition function may take it: points that are not numbers dropped, strokes
// left without points dropped, each stroke at most maxStrokePoints points (taken at even steps,
// first and last kept).
Ink thinnedInk(const Ink &ink);

// The strokes as the recogniser hands them to Zinnia: in a square of modelSide (300) with points
// outside moved to its edge, rounded, repeats dropped, reduced to the ends and corners; a
// one-point stroke twice (a dot without direction). Empty when the ink is not readable.
QList<QList<QPoint>> modelStrokes(const Ink &ink, qreal side);

// The simplified-Chinese model where Debian installs it; ZIBRIN_HANDWRITING_MODEL names another
// file (the tests use it for a missing model).
QString defaultModelFile();

// The Zinnia recogniser over one model file, read into memory at construction: a file changed
// afterwards cannot affect it. A model that is missing, unreadable, larger than 512 MiB, or whose
// header or entries do not match the file's size, leaves it not available: every classification
// is then empty.
class Recognizer {
public:
    explicit Recognizer(const QString &modelFile);
    ~Recognizer();
    Recognizer(const Recognizer &) = delete;
    Recognizer &operator=(const Recognizer &) = delete;

    bool isAvailable() const { return m_available; }

    // The model's candidates for the ink drawn in a square writing area of side `side`, best
    // first, at most `count`; none for ink that is not readable (inkVerdict). Empty strokes are
    // skipped and a one-point stroke counts as a dot; points outside the area are moved to its
    // edge, points that are not numbers are dropped.
    QList<Candidate> classify(const Ink &ink, qreal side, int count) const;

private:
    QByteArray m_model; // the model file's bytes; Zinnia points into them
    std::unique_ptr<zinnia::Recognizer> m_recognizer;
    std::unique_ptr<zinnia::Character> m_character; // reused, under m_busy
    mutable std::mutex m_busy; // classify may be called from any thread
    bool m_available = false;
};

} // namespace handwriting
