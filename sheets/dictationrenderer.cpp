// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictationrenderer.h"

#include "sheetrenderer.h"

#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>

namespace sheets {

namespace {

QFont textFont(double pixels)
{
    QFont font;
    font.setFamilies({ QStringLiteral("宋体"), QStringLiteral("SimSun"),
        QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC") });
    font.setPixelSize(std::max(1, qRound(pixels)));
    return font;
}

void paintAnswers(
    QPainter &painter, const DictationLayout &layout, const QList<DictationWord> &words, double k)
{
    painter.setPen(QColor::fromRgb(textColour));
    painter.setFont(textFont(8 * k));
    painter.drawText(
        QRectF(layout.leftMm * k, layout.headerTopMm * k, layout.widthMm * k, titleBandMm * k),
        Qt::AlignCenter, QStringLiteral("答案"));
    QStringList items;
    for (int i = 0; i < words.size(); ++i)
        items.append(QStringLiteral("%1. %2").arg(i + 1).arg(words[i].word));
    painter.setFont(textFont(6 * k));
    const double top = layout.headerTopMm + titleBandMm + headerGapMm;
    painter.drawText(QRectF(layout.leftMm * k, top * k, layout.widthMm * k,
                         (layout.paperMm.height() - pageMarginMm - top) * k),
        Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, items.join(QStringLiteral("　　")));
}

} // namespace

QPageLayout pageLayout(const DictationOptions &options)
{
    SheetOptions sheet;
    sheet.paper = options.paper;
    sheet.landscape = options.landscape;
    return pageLayout(sheet);
}

void paintDictationPage(QPainter &painter, const DictationLayout &layout, const QString &title,
    const QList<DictationWord> &words, int page)
{
    if (page < 0 || page >= layout.pageCount())
        return;
    const double k = painter.device()->logicalDpiX() / 25.4;
    painter.setRenderHint(QPainter::Antialiasing);
    paintPageNumber(painter, layout.paperMm, page, layout.pageCount());
    if (page >= layout.pages.size()) {
        paintAnswers(painter, layout, words, k);
        return;
    }
    paintHeader(
        painter, title, layout.classField, layout.leftMm, layout.widthMm, layout.headerTopMm);
    const QList<int> &rows = layout.pages[page];
    for (int i = 0; i < rows.size(); ++i) {
        const double bandTop = layout.bodyTopMm + i * layout.rowMm;
        const double cellTop = bandTop + layout.bandMm;
        for (const WordPiece &piece : layout.rows[rows[i]]) {
            if (piece.word < 0 || piece.word >= words.size())
                continue;
            const double left = layout.leftMm + piece.leftMm;
            const double width = piece.count * layout.cellMm;
            const FourLines lines { bandTop, layout.spaceMm };
            paintFourLines(painter, lines, left, width);
            if (piece.numbered) {
                paintPinyin(painter, words[piece.word].pinyin, lines, left + width / 2,
                    std::max(width, layout.cellMm * 2) - 1);
                painter.setPen(QColor::fromRgb(textColour));
                painter.setFont(textFont(4 * k));
                painter.drawText(QRectF((left - dictationNumberMm) * k, cellTop * k,
                                     (dictationNumberMm - 1) * k, layout.cellMm * k),
                    Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("%1.").arg(piece.word + 1));
            }
            paintGridCells(painter, layout.grid, left, cellTop, layout.cellMm, piece.count);
        }
    }
}

PaintResult paintDictation(QPagedPaintDevice &device, const DictationOptions &options,
    const QList<DictationWord> &words, const PageProgress &progress)
{
    QList<int> lengths;
    for (const DictationWord &word : words)
        lengths.append(int(word.word.toUcs4().size()));
    const DictationLayout layout = layOutDictation(options, lengths);
    QPainter painter;
    if (!painter.begin(&device))
        return PaintResult::Failed;
    const int pages = layout.pageCount();
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage())
            return PaintResult::Failed;
        paintDictationPage(painter, layout, options.title, words, page);
        if (progress && !progress(page + 1, pages)) {
            painter.end();
            return PaintResult::Cancelled;
        }
    }
    return painter.end() ? PaintResult::Painted : PaintResult::Failed;
}

QString writeDictationPdf(const QString &path, const DictationOptions &options,
    const QList<DictationWord> &words, const QString &programFolder, const PageProgress &progress,
    bool *cancelled)
{
    return writePdfWith(
        path, pageLayout(options),
        options.title.trimmed().isEmpty() ? QStringLiteral("看拼音写词语")
                                          : options.title.trimmed(),
        [&](QPagedPaintDevice &device, const PageProgress &told) {
            return paintDictation(device, options, words, told);
        },
        programFolder, progress, cancelled);
}

QString suggestedDictationFileName(const QList<DictationWord> &words)
{
    return words.isEmpty() ? QStringLiteral("看拼音写词语.pdf")
                           : QStringLiteral("看拼音写词语-%1.pdf").arg(words.first().word);
}

} // namespace sheets
