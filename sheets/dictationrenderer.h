// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dictationlayout.h"
#include "sheetrenderer.h"

#include <QList>
#include <QPageLayout>
#include <QString>

class QPagedPaintDevice;
class QPainter;

// The 看拼音写词语 sheet drawn as vectors, on the practice sheet's header, grid and four lines.
namespace sheets {

QPageLayout pageLayout(const DictationOptions &options);

// Paints one page: the word pages first, then the answer page where asked for.
void paintDictationPage(QPainter &painter, const DictationLayout &layout, const QString &title,
    const QList<DictationWord> &words, int page);

// Paints every page onto a device already set to pageLayout(options), as paintSheet does.
PaintResult paintDictation(QPagedPaintDevice &device, const DictationOptions &options,
    const QList<DictationWord> &words, const PageProgress &progress = {});

// Writes the sheet as a PDF file, as writePdf does (through writePdfWith).
QString writeDictationPdf(const QString &path, const DictationOptions &options,
    const QList<DictationWord> &words, const QString &programFolder,
    const PageProgress &progress = {}, bool *cancelled = nullptr);

// "看拼音写词语-<the first word>.pdf"
QString suggestedDictationFileName(const QList<DictationWord> &words);

} // namespace sheets
