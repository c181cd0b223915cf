// SPDX-License-Identifier: GPL-3.0-or-later
#include "segments.h"

#include "datalog.h"

#include <QFile>

#include <array>

namespace tables {

QString segmentName(Segment segment)
{
    static const char *const names[segmentCount] = {
        "Text1bh1w",
        "Text1bh2w",
        "Text1bh3w",
        "Text1bh4w",
        "Text1bh5w",
        "Text1bh1",
        "Text1bh2",
        "Text1bh3",
        "Text1bh4",
        "Text1bh5",
    };
    return QString::fromLatin1(names[static_cast<int>(segment)]);
}

const QString &segmentText(Segment segment)
{
    static const std::array<QString, segmentCount> texts = [] {
        std::array<QString, segmentCount> out;
        for (int i = 0; i < segmentCount; ++i) {
            QFile file(
                QStringLiteral(":/segments/") + segmentName(Segment(i)) + QStringLiteral(".txt"));
            if (file.open(QIODevice::ReadOnly))
                out[i] = QString::fromUtf8(file.readAll());
            else
                qCWarning(dataLog)
                    << "table segment" << file.fileName() << "is missing:" << file.errorString();
        }
        return out;
    }();
    return texts[static_cast<int>(segment)];
}

} // namespace tables
