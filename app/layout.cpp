// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout.h"

#include <algorithm>

namespace layout {

Layout compute(int label9Width, int widestHeadingWidth, int widestValueWidth)
{
    Layout out;
    out.picture1 = QRect(picture1Position, image5Size);
    out.line1X = out.picture1.left() + out.picture1.width() + 266;
    out.headingLeft = out.line1X + 166;
    out.valueLeft = out.line1X + 286;

    const int frame1Width = std::max({ out.headingLeft + label9Width + 544,
        out.headingLeft + widestHeadingWidth + columnLabelRoom,
        out.valueLeft + widestValueWidth + columnLabelRoom });
    out.frame1
        = QRect(frame1Position.x(), frame1Position.y(), frame1Width, out.picture1.height() + 222);
    out.text6Width = out.frame1.width();
    out.combo6Height = out.frame1.top() + out.frame1.height() - text6Height - 11;
    out.window = QSize(
        out.frame1.left() + out.frame1.width() + 350, out.frame1.top() + out.frame1.height() + 800);

    const int image1Top = combo6Design.top() - 180;
    const int image6Height = out.frame1.top() + out.frame1.height() - image1Top + 222;
    out.image1
        = QRect(combo6Design.left() - 180, image1Top, combo6Design.width() + 360, image6Height);
    out.image6 = QRect(label22Left - 180, image1Top, out.frame1.width() + 360, image6Height);
    return out;
}

QSizeF bannerSize(int dialogOuterWidth)
{
    const float height = float(dialogOuterWidth) / 5.69f;
    return QSizeF(dialogOuterWidth, height);
}

} // namespace layout
