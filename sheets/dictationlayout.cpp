// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictationlayout.h"

#include <algorithm>
#include <cmath>

namespace sheets {

QList<WordRow> wrapWords(const QList<int> &wordLengths, double widthMm, double cellMm)
{
    constexpr double epsilon = 1e-6;
    QList<WordRow> rows { WordRow() };
    double x = 0; // where the next word's number would start
    // at least one cell a row, however narrow
    const int rowCells
        = std::max(1, int(std::floor((widthMm - dictationNumberMm) / cellMm + epsilon)));
    for (int word = 0; word < wordLengths.size(); ++word) {
        const int length = std::max(1, wordLengths[word]);
        const double need = dictationNumberMm + length * cellMm;
        double start = rows.last().isEmpty() ? 0 : x + dictationWordGapMm;
        if (start + need > widthMm + epsilon && !rows.last().isEmpty()) {
            rows.append(WordRow());
            start = 0;
        }
        if (length <= rowCells) {
            rows.last().append({ word, 0, length, start + dictationNumberMm, true });
            x = start + need;
            continue;
        }
        // longer than a row: on rows of its own, the cells lined up under the first
        for (int first = 0; first < length; first += rowCells) {
            if (first > 0)
                rows.append(WordRow());
            rows.last().append(
                { word, first, std::min(rowCells, length - first), dictationNumberMm, first == 0 });
        }
        rows.append(WordRow());
        x = 0;
    }
    if (rows.last().isEmpty())
        rows.removeLast();
    return rows;
}

DictationLayout layOutDictation(const DictationOptions &options, const QList<int> &wordLengths)
{
    DictationLayout out;
    out.paperMm = paperSizeMm(options.paper, options.landscape);
    out.cellMm = std::clamp(options.cellMm, minCellMm, maxCellMm);
    out.leftMm = pageMarginMm;
    out.widthMm = out.paperMm.width() - 2 * pageMarginMm;
    out.headerTopMm = pageMarginMm;
    out.headerMm = headerHeightMm(options.title);
    out.spaceMm = fourLineSpaceMm(out.cellMm);
    out.bandMm = 3 * out.spaceMm + pinyinGapMm;
    out.rowMm = out.bandMm + out.cellMm + dictationRowGapMm;
    out.grid = options.grid;
    out.classField = options.classField;
    out.answers = options.answers;
    out.rows = wrapWords(wordLengths, out.widthMm, out.cellMm);
    out.bodyTopMm = out.headerTopMm + out.headerMm;
    const double body = out.paperMm.height() - pageMarginMm - out.bodyTopMm + dictationRowGapMm;
    const int perPage = std::max(1, int(std::floor(body / out.rowMm + 1e-6)));
    for (int row = 0; row < out.rows.size(); ++row) {
        if (row % perPage == 0)
            out.pages.append(QList<int>());
        out.pages.last().append(row);
    }
    if (out.pages.isEmpty())
        out.pages.append(QList<int>());
    return out;
}

} // namespace sheets
