// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheetlayout.h"

#include <QSet>

#include <algorithm>
#include <cmath>

namespace sheets {

QStringList charactersOf(const QString &text)
{
    QStringList out;
    QSet<char32_t> seen;
    for (const char32_t c : text.toUcs4()) {
        switch (QChar::category(c)) {
        case QChar::Separator_Space:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Other_Surrogate:
        case QChar::Other_NotAssigned:
        case QChar::Punctuation_Connector:
        case QChar::Punctuation_Dash:
        case QChar::Punctuation_Open:
        case QChar::Punctuation_Close:
        case QChar::Punctuation_InitialQuote:
        case QChar::Punctuation_FinalQuote:
        case QChar::Punctuation_Other:
        case QChar::Symbol_Math:
        case QChar::Symbol_Currency:
        case QChar::Symbol_Modifier:
        case QChar::Symbol_Other:
            continue;
        default:
            break;
        }
        if (seen.contains(c))
            continue;
        seen.insert(c);
        out.append(QString::fromUcs4(&c, 1));
    }
    return out;
}

QSizeF paperSizeMm(Paper paper, bool landscape)
{
    QSizeF size;
    switch (paper) {
    case Paper::A4:
        size = QSizeF(210, 297);
        break;
    case Paper::A5:
        size = QSizeF(148, 210);
        break;
    case Paper::Letter:
        size = QSizeF(215.9, 279.4);
        break;
    }
    return landscape ? size.transposed() : size;
}

int cellsPerRow(double paperWidthMm, double marginMm, double cellMm)
{
    if (cellMm <= 0)
        return 1;
    // a hair of tolerance, so 186 mm take exactly ten cells of 18.6 mm
    const double fit = std::floor((paperWidthMm - 2 * marginMm) / cellMm + 1e-9);
    return std::max(1, int(fit));
}

double headerHeightMm(const QString &title)
{
    return (title.trimmed().isEmpty() ? 0.0 : titleBandMm) + nameLineBandMm + headerGapMm;
}

int rowsOfCharacter(int strokeCount, int columns, int tracing, int extraRows)
{
    columns = std::max(1, columns);
    const int cells = std::max(1, std::max(0, strokeCount) + std::max(0, tracing));
    return (cells + columns - 1) / columns + std::max(0, extraRows);
}

Cell cellOf(int strokeCount, int tracing, int columns, int row, int column)
{
    if (row < 0 || column < 0 || column >= columns)
        return {};
    const int index = row * columns + column;
    if (index < strokeCount)
        return { CellKind::StrokeOrder, index + 1 };
    if (index < strokeCount + tracing)
        return { CellKind::Tracing, strokeCount };
    return {};
}

QList<Page> paginate(const QList<int> &groupRows, double bodyTopMm, double bodyBottomMm,
    double cellMm, double pinyinMm)
{
    QList<Page> pages { Page() };
    double y = bodyTopMm; // where the next group's pinyin band (or first row) would start
    const double bodyHeight = bodyBottomMm - bodyTopMm;
    // a little tolerance for rounding: a group that ends exactly on the bottom fits
    constexpr double epsilon = 1e-6;
    for (int group = 0; group < groupRows.size(); ++group) {
        const int rows = groupRows[group];
        const double height = pinyinMm + rows * cellMm;
        double top = pages.last().isEmpty() ? y : y + groupGapMm;
        if (top + height > bodyBottomMm + epsilon && !pages.last().isEmpty()) {
            pages.append(Page());
            top = bodyTopMm;
        }
        if (height <= bodyHeight + epsilon || top + height <= bodyBottomMm + epsilon) {
            pages.last().append({ group, 0, rows, top + pinyinMm });
            y = top + height;
            continue;
        }
        // taller than a page: as many rows as fit on each page, on pages of its own
        int firstRow = 0;
        double rowTop = top + pinyinMm;
        while (firstRow < rows) {
            const int fit
                = std::max(1, int(std::floor((bodyBottomMm - rowTop) / cellMm + epsilon)));
            const int count = std::min(fit, rows - firstRow);
            pages.last().append({ group, firstRow, count, rowTop });
            firstRow += count;
            y = rowTop + count * cellMm;
            if (firstRow < rows) {
                pages.append(Page());
                rowTop = bodyTopMm;
            }
        }
        if (group + 1 < groupRows.size()) {
            pages.append(Page());
            y = bodyTopMm;
        }
    }
    return pages;
}

SheetLayout layOut(const SheetOptions &options, const QList<int> &strokeCounts)
{
    SheetLayout out;
    out.paperMm = paperSizeMm(options.paper, options.landscape);
    out.cellMm = std::clamp(options.cellMm, minCellMm, maxCellMm);
    out.columns = cellsPerRow(out.paperMm.width(), pageMarginMm, out.cellMm);
    out.leftMm = (out.paperMm.width() - out.columns * out.cellMm) / 2;
    out.headerTopMm = pageMarginMm;
    out.headerMm = headerHeightMm(options.title);
    out.pinyinMm = options.pinyin ? pinyinBandMm : 0;
    const int tracing = std::clamp(options.tracing, 0, maxTracing);
    out.grid = options.grid;
    out.tracing = tracing;
    const int extraRows = std::clamp(options.extraRows, 0, maxExtraRows);
    for (const int strokes : strokeCounts)
        out.groupRows.append(rowsOfCharacter(strokes, out.columns, tracing, extraRows));
    out.pages = paginate(out.groupRows, out.headerTopMm + out.headerMm,
        out.paperMm.height() - pageMarginMm, out.cellMm, out.pinyinMm);
    return out;
}

} // namespace sheets
