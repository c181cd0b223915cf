// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QStringList>

// The window's typeface, "宋体", as a family list: the name, its Latin name, and the Song-style
// faces that stand in for it where it is not installed. Without one of them the Chinese text
// would fall back to a Latin face and render badly.
inline QFont songti(qreal points, bool bold = false, bool underline = false)
{
    QFont font;
    font.setFamilies({ QStringLiteral("宋体"), QStringLiteral("SimSun"),
        QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC") });
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

// The windows' default font: the Chinese desktop's dialog font, 宋体 9 pt.
inline QFont defaultFont()
{
    return songti(9);
}
