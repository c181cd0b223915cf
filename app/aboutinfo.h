// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLatin1String>
#include <QStringList>

// What the About dialog says of the program's licence and of the data it is built from
// (data/ATTRIBUTION.md): each source, what it gives and its licence.
namespace aboutinfo {

inline constexpr QLatin1String licence("GPL-3.0-or-later");

// The program's version as the build names it (the project's version in CMakeLists.txt).
QString version();

inline QStringList dataSources()
{
    return {
        QStringLiteral("笔顺：cnchar-order（MIT）"),
        QStringLiteral("字形：hanzi-writer-data（Arphic Public License）"),
        QStringLiteral("读音、字频：Unicode Unihan（Unicode License）"),
        QStringLiteral("笔顺页：hanzi-writer（MIT）"),
    };
}

} // namespace aboutinfo
