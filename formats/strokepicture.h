// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "framegeometry.h"

#include <QImage>
#include <QList>
#include <QPainterPath>
#include <QRgb>
#include <QStringView>

#include <optional>

class QByteArray;

// The stroke-order pictures of Photo.mdb: one cell of the frame per step of writing, drawn from
// the stroke outlines of the outline package (one JSON file per character, `strokes` holding one
// SVG path per stroke in a 1024 x 1024 box whose y axis points up, baseline at y = 900 from the
// top).
namespace strokepicture {

inline constexpr QRgb background = 0xffffffff;
inline constexpr QRgb writtenColour = 0xff000000; // strokes written in earlier cells
inline constexpr QRgb newColour = 0xffff0000; // the strokes this cell adds
inline constexpr QRgb pendingColour = 0xffd6d6d6; // strokes still to come
// White pixels kept between a cell's outline and the box the character is fitted into.
inline constexpr int cellMargin = 2;
inline constexpr int outlineBoxSize = 1024;
inline constexpr int outlineBaseline = 900;

// Parses the path data subset the outline package uses: absolute M, L, Q, C and Z, numbers
// separated by white space or commas, a command letter repeated implicitly by further numbers
// (after M they are line ends). Anything else (relative or other commands, a missing number, a
// number that is not finite or lies far outside the box, drawing before the first M) gives
// nullopt.
std::optional<QPainterPath> parseSvgPath(QStringView data);

// The strokes of one outline file in writing order. A stroke whose path does not parse stays in
// the list as an empty path, so the numbering of the others is kept. nullopt when the text is
// not a JSON object with a `strokes` array.
std::optional<QList<QPainterPath>> readOutline(const QByteArray &json);

// The most an outline may hold to be drawn (by the picture box, in a practice sheet): more
// strokes than any character has (the most have 36), and path elements beyond several times the
// largest real outline (about 1,300). A larger one, as a hostile Photo.mdb may hold, would make
// the work of a sheet grow with the square of its strokes.
inline constexpr qsizetype maxStrokes = 64;
inline constexpr int maxOutlineElements = 4096;
bool isDrawable(const QList<QPainterPath> &strokes);

// How many strokes cell `cell` (0-based, in writing order) shows for a character of
// `strokeCount` strokes in a frame of `cellCount` cells; 0 for a cell that stays white.
// Up to cellCount strokes, cell i shows i + 1 strokes. With more strokes than cells, they are
// spread over all cells, cell i showing ceil((i + 1) * strokeCount / cellCount), so every cell
// adds at least one stroke and the last shows the whole character.
int strokesShownInCell(int cell, int strokeCount, int cellCount);

// The 1024 box mapped into a cell interior: fitted inside cellMargin, aspect ratio kept, centred.
// At a scale above 1 the interior and the margin are in pixels of a picture that many times larger.
QTransform cellTransform(const QRect &interior, int pictureScale = 1);

// The stroke-order picture (pictureSize, white, RGB32) of a character in the given frame: cell i
// shows its strokes over the character's later strokes in pendingColour, the strokes of earlier
// cells in writtenColour and the strokes cell i adds in newColour. Nothing is drawn outside the
// cell interiors, so the frame's outlines fall on white. At a scale above 1 the same picture is
// drawn with that many times the pixels each way (for screens of that device pixel ratio): every
// cell, margin and stroke scaled alike, so it shows the same strokes in finer detail.
QImage renderPicture(const QList<QPainterPath> &strokes, framegeometry::Frame frame, int scale = 1);

// The colours a stored picture may use: white, the three stroke colours and their mixtures in
// steps of a quarter, enough for the anti-aliased edges of strokes this small.
QList<QRgb> pictureColourTable();

// The picture in the colours of pictureColourTable() (Indexed8, each pixel its nearest colour):
// a third of the size as PNG. White and the three stroke colours stay exact.
QImage reduceColours(const QImage &picture);

} // namespace strokepicture
