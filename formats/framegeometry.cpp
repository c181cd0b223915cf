// SPDX-License-Identifier: GPL-3.0-or-later
#include "framegeometry.h"

namespace framegeometry {

namespace {

constexpr int columns[] = { 1, 66, 131, 196, 261, 326 };
constexpr int fullWidth = 58;
constexpr int narrowWidth = 37;

void addRow(QList<QRect> &out, int top, int height, int firstColumn = 0)
{
    for (int c = firstColumn; c < 6; ++c)
        out.append(QRect(columns[c], top, fullWidth, height));
}

} // namespace

Frame frameForStrokeCount(const QString &caption)
{
    if (caption == QLatin1String("30"))
        return Frame::Cells30;
    if (caption == QLatin1String("25"))
        return Frame::Cells25;
    if (caption == QLatin1String("26"))
        return Frame::Cells26;
    return Frame::Cells24;
}

int cellCount(Frame frame)
{
    switch (frame) {
    case Frame::Cells24:
        return 24;
    case Frame::Cells25:
        return 25;
    case Frame::Cells26:
        return 26;
    case Frame::Cells30:
        return 30;
    }
    return 24;
}

QList<QRect> cells(Frame frame)
{
    QList<QRect> out;
    switch (frame) {
    case Frame::Cells24:
        for (int top : { 1, 66, 131, 196 })
            addRow(out, top, fullWidth);
        break;
    case Frame::Cells25:
        // three narrow cells, then the last four full columns of the first row
        for (int left : { 1, 44, 87 })
            out.append(QRect(left, 1, narrowWidth, fullWidth));
        addRow(out, 1, fullWidth, 2);
        for (int top : { 66, 131, 196 })
            addRow(out, top, fullWidth);
        break;
    case Frame::Cells26:
        for (int left : { 1, 44, 87, 130, 174, 217 })
            out.append(QRect(left, 1, narrowWidth, fullWidth));
        addRow(out, 1, fullWidth, 4);
        for (int top : { 66, 131, 196 })
            addRow(out, top, fullWidth);
        break;
    case Frame::Cells30: {
        const int tops[] = { 1, 37, 78, 135, 196 };
        const int heights[] = { 28, 33, 49, 54, 58 };
        for (int r = 0; r < 5; ++r)
            addRow(out, tops[r], heights[r]);
        break;
    }
    }
    return out;
}

} // namespace framegeometry
