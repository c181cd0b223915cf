// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QSize>
#include <QSizeF>

// The window's layout arithmetic in twips (1/1440 inch), free of widgets: from the design values
// and Label9's measured width to the positions and sizes the window is built with.
namespace layout {

// Design values the arithmetic reads (twips, relative to the container).
inline constexpr QSize image5Size { 5775, 3825 };
inline constexpr QPoint picture1Position { 96, 120 }; // in Frame1
inline constexpr QPoint frame1Position { 2160, 1620 };
inline constexpr int text6Height = 612;
inline constexpr QRect combo6Design { 288, 650, 1452, 3780 };
inline constexpr int label22Left = 2208;

struct Layout {
    QRect picture1; // in Frame1
    int line1X = 0; // Line1's X1 = X2, in Frame1
    int headingLeft = 0; // Label9, Label23, Label2
    int valueLeft = 0; // Label7, Label3, Label6, Label1, Label13
    QRect frame1;
    int text6Width = 0;
    int combo6Height = 0;
    QSize window; // outer size: border and title bar included
    QRect image1;
    QRect image6;
};

// The room between the widest column label and Frame1's right edge: what Label13 (1260 wide)
// leaves when the design fonts give Label9 its design width of 912.
inline constexpr int columnLabelRoom = 76;

// From Label9's width as measured. Frame1 is widened where a heading (at headingLeft) or a value
// or link label (at valueLeft) of the information column, as wide as given, would come closer
// than columnLabelRoom to its right edge; with the design fonts it never is.
Layout compute(int label9Width, int widestHeadingWidth = 0, int widestValueWidth = 0);

// The About banner: as wide as the dialog's outer width, and as high as that width divided by
// 5.69 (the bitmap's 404 / 71), the quotient taken in single precision.
QSizeF bannerSize(int dialogOuterWidth);

// Twips to pixels at the screen's logical dpi: 15 twips per pixel at 96 dpi. Positions and sizes
// are rounded each on their own.
struct TwipsScale {
    qreal dpiX = 96;
    qreal dpiY = 96;

    int x(qreal twips) const { return qRound(twips * dpiX / 1440); }
    int y(qreal twips) const { return qRound(twips * dpiY / 1440); }
    QRect rect(qreal left, qreal top, qreal width, qreal height) const
    {
        return QRect(x(left), y(top), x(width), y(height));
    }
    QRect rect(const QRect &twips) const
    {
        return rect(twips.x(), twips.y(), twips.width(), twips.height());
    }
    QSize size(const QSizeF &twips) const { return QSize(x(twips.width()), y(twips.height())); }
    int twipsX(int pixels) const { return qRound(pixels * 1440 / dpiX); }
};

} // namespace layout
