// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "recognizer.h"

#include <QEvent>
#include <QString>

class QWidget;

// How the points of a character's medians are placed in the writing area.
enum class MedianPoints {
    Exact, // scaled, fractions kept
    WholePixels, // scaled and rounded, as a mouse gives them
};

// A character written from the centre lines of its strokes (hanzi-writer-data's medians: a 1024
// box, y up, 900 at the top) in a writing area of the given side. outlinesDir holds one
// CHARACTER.json a character; empty if the character has none there.
handwriting::Ink medianInk(const QString &outlinesDir, const QString &character, qreal side,
    MedianPoints points = MedianPoints::Exact);

// One mouse event of the left button at a point in the area's pixels: the button held on a
// press and a move, released on a release.
void sendMouse(QWidget &area, QEvent::Type type, const QPointF &at);

// A stroke written with the left mouse button: a press at its first point, a move to every point
// (the first included), a release at its last.
void drawStroke(QWidget &area, const handwriting::Stroke &stroke);
