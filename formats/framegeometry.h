// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRect>
#include <QRgb>
#include <QSize>
#include <QString>

// The writing-grid frames: which frame a stroke count gets, and where its cells lie. The frame
// pictures and the stroke-order pictures of Photo.mdb are both drawn from these cells, so the grey
// outlines of a frame fall exactly on the borders of the picture's cells.
namespace framegeometry {

enum class Frame { Cells24, Cells25, Cells26, Cells30 };

inline constexpr QSize pictureSize { 385, 255 };
inline constexpr QRgb outlineColour = 0xffc0c0c0; // RGB(192,192,192)

// The frame for a stroke count as shown in Label7: "30", "25" and "26" get their own frames,
// every other caption (27, 31, empty, ...) the 24-cell frame. The caption is compared as text.
Frame frameForStrokeCount(const QString &strokeCountCaption);

int cellCount(Frame frame);

// Cell interiors in writing order (row by row, left to right). Each cell's one-pixel outline lies
// on the pixels just outside its interior: interior.adjusted(-1, -1, 1, 1).
QList<QRect> cells(Frame frame);

} // namespace framegeometry
