// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dictationlayout.h"

#include <QList>
#include <QPageLayout>
#include <QString>

class QPagedPaintDevice;
class QPainter;

// The 看拼音写词语 sheet drawn as vectors, on the practice sheet's header, grid and four lines.
namespace sheets {

// A word of the dictation sheet and its reading, syllables joined (yínháng).
struct DictationWord {
    QString word;
    QString pinyin;
};

QPageLayout pageLayout(const DictationOptions &options);

// Paints one page: the word pages first, then the answer page where asked for.
void paintDictationPage(QPainter &painter, const DictationLayout &layout, const QString &title,
    const QList<DictationWord> &words, int page);

bool paintDictation(
    QPagedPaintDevice &device, const DictationOptions &options, const QList<DictationWord> &words);

// Writes the sheet as a PDF file, as writePdf does. Returns an error message, or an empty text.
QString writeDictationPdf(
    const QString &path, const DictationOptions &options, const QList<DictationWord> &words);

// "看拼音写词语-<the first word>.pdf"
QString suggestedDictationFileName(const QList<DictationWord> &words);

} // namespace sheets
