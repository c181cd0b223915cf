// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "framegeometry.h"

#include <QImage>
#include <QSize>

// The pictures the program carries, drawn by code at start-up.
namespace pictures {

// The writing-grid frame: 385 x 255, white, each cell outlined by a one-pixel line of
// RGB(192,192,192) just outside its interior.
QImage framePicture(framegeometry::Frame frame);

inline constexpr QSize pinyinBackdropSize { 132, 358 }; // Image1
inline constexpr QSize strokeBackdropSize { 542, 358 }; // Image6
inline constexpr QRgb surroundColour = 0xffe9e9e9; // RGB(233,233,233), the window's background

// A backdrop panel: a white card with curved corners, a thin dark outline and a soft grey shadow,
// on the window's background colour.
QImage backdropPanel(QSize size);

// The window icon, 32 x 32: a magnifying glass with a blue handle over a grey sheet of paper.
QImage windowIcon();

inline constexpr QSize bannerSize { 404, 71 };

// The About banner: the product name on a blue ground.
QImage aboutBanner();

} // namespace pictures
