// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheetlayout.h"

#include <QSet>

#include <algorithm>
#include <cmath>

namespace sheets {

namespace {

// White space, punctuation, symbols and control characters: no character of a sheet.
bool isSeparator(char32_t c)
{
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
        return true;
    default:
        return false;
    }
}

bool isHan(char32_t c)
{
    return QChar::script(c) == QChar::Script_Han;
}

// A letter of pinyin as typed after a character: Latin letters with or without tone marks, ü.
bool isPinyinLetter(char32_t c)
{
    return QChar::script(c) == QChar::Script_Latin && QChar::isLetter(c);
}

} // namespace

QList<SheetEntry> entriesOf(const QString &text, bool keepRepeats)
{
    QList<SheetEntry> out;
    QSet<char32_t> seen;
    const QList<uint> codes = text.toUcs4();
    for (qsizetype i = 0; i < codes.size(); ++i) {
        const char32_t c = codes[i];
        if (isSeparator(c))
            continue;
        // 长(cháng): a bracketed run of pinyin letters right after a Han character
        QString reading;
        qsizetype next = i + 1;
        if (isHan(c) && next < codes.size() && (codes[next] == u'(' || codes[next] == u'（')) {
            qsizetype end = next + 1;
            while (end < codes.size() && isPinyinLetter(codes[end]))
                ++end;
            if (end > next + 1 && end < codes.size()
                && (codes[end] == u')' || codes[end] == u'）')) {
                for (qsizetype k = next + 1; k < end; ++k) {
                    const char32_t letter = codes[k];
                    reading += QString::fromUcs4(&letter, 1);
                }
                next = end + 1;
            }
        }
        if (keepRepeats || !seen.contains(c)) {
            seen.insert(c);
            out.append(
                { QString::fromUcs4(&c, 1), reading.normalized(QString::NormalizationForm_C) });
        }
        i = next - 1;
    }
    return out;
}

QStringList charactersOf(const QString &text, bool keepRepeats)
{
    QStringList out;
    for (const SheetEntry &entry : entriesOf(text, keepRepeats))
        out.append(entry.hz);
    return out;
}

QStringList wordsOf(const QString &text)
{
    QStringList out;
    QString word;
    const auto flush = [&] {
        if (!word.isEmpty() && !out.contains(word))
            out.append(word);
        word.clear();
    };
    for (const char32_t c : text.toUcs4()) {
        if (isSeparator(c))
            flush();
        else
            word += QString::fromUcs4(&c, 1);
    }
    flush();
    return out;
}

double fourLineSpaceMm(double cellMm)
{
    return std::clamp(cellMm * 0.14, 2.0, 3.6);
}

QList<PinyinLetter> placePinyin(const QString &pinyin, const FourLines &lines)
{
    QList<PinyinLetter> out;
    // a letter and its marks: decomposed, the marks follow their letter
    const QString decomposed = pinyin.normalized(QString::NormalizationForm_D);
    for (const char32_t c : decomposed.toUcs4()) {
        int tone = 0;
        switch (c) {
        case 0x0304:
            tone = 1;
            break;
        case 0x0301:
            tone = 2;
            break;
        case 0x030c:
            tone = 3;
            break;
        case 0x0300:
            tone = 4;
            break;
        default:
            break;
        }
        if (tone || c == 0x0308) {
            if (out.isEmpty())
                continue;
            PinyinLetter &letter = out.last();
            if (tone) {
                letter.tone = tone;
                if (letter.dots == 1) // ì: the tone mark instead of the dot
                    letter.dots = 0;
            } else {
                letter.dots = 2;
            }
            continue;
        }
        PinyinLetter letter;
        letter.body = c;
        letter.topMm = lines.line(1);
        letter.bottomMm = lines.line(2);
        switch (c) {
        case u'a':
            letter.body = 0x0251; // ɑ
            break;
        case u'g':
            letter.body = 0x0261; // ɡ
            letter.bottomMm = lines.line(3);
            break;
        case u'i':
            letter.body = 0x0131; // ı, the dot drawn apart
            letter.dots = 1;
            break;
        case u'j':
            letter.body = 0x0237; // ȷ
            letter.dots = 1;
            letter.bottomMm = lines.line(3);
            break;
        case u'p':
        case u'q':
        case u'y':
            letter.bottomMm = lines.line(3);
            break;
        case u'b':
        case u'd':
        case u'f':
        case u'h':
        case u'k':
        case u'l':
            letter.topMm = lines.line(0);
            break;
        case u't':
            letter.topMm = lines.line(0) + lines.spaceMm / 3;
            break;
        default:
            if (QChar::isUpper(c))
                letter.topMm = lines.line(0);
            break;
        }
        out.append(letter);
    }
    return out;
}

double strokeNameSizeMm(double cellMm, int nameLength)
{
    if (nameLength <= 0)
        return 0;
    const double size = std::min(cellMm * strokeNameShare, cellMm * 0.9 / nameLength);
    return size + 1e-9 >= minStrokeNameMm ? size : 0;
}

QString infoText(const QString &radical, const QString &structure, int strokes)
{
    QStringList parts;
    if (!radical.isEmpty())
        parts.append(QStringLiteral("部首 %1").arg(radical));
    if (!structure.isEmpty())
        parts.append(structure);
    if (strokes > 0)
        parts.append(QStringLiteral("%1 画").arg(strokes));
    return parts.join(QStringLiteral(" · "));
}

double estimatedWidthMm(const QString &text, double sizeMm)
{
    double ems = 0;
    for (const char32_t c : text.toUcs4())
        ems += (isHan(c) || (c >= 0x3000 && c <= 0x30ff) || (c >= 0xff00 && c <= 0xffef)) ? 1.0
                                                                                          : 0.6;
    return ems * sizeMm;
}

QString infoLine(
    const QString &info, const QList<InfoWord> &words, int maxWords, double widthMm, double sizeMm)
{
    QString line = info;
    int taken = 0;
    for (const InfoWord &word : words) {
        if (taken >= maxWords)
            break;
        const QString item = word.pinyin.isEmpty()
            ? word.word
            : QStringLiteral("%1 %2").arg(word.word, word.pinyin);
        const QString longer = line.isEmpty() ? item : line + QStringLiteral("　") + item;
        if (estimatedWidthMm(longer, sizeMm) > widthMm)
            break;
        line = longer;
        ++taken;
    }
    return line;
}

double infoSizeMm(double cellMm)
{
    return std::clamp(cellMm * 0.16, 2.4, 3.6);
}

QString pageNumberText(int page, int pageCount)
{
    return QStringLiteral("第 %1 页 / 共 %2 页").arg(page + 1).arg(pageCount);
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

int rowsOfCharacter(int strokeCount, int columns, int tracing, int extraRows, bool model)
{
    columns = std::max(1, columns);
    const int cells = std::max(1, int(model) + std::max(0, strokeCount) + std::max(0, tracing));
    return (cells + columns - 1) / columns + std::max(0, extraRows);
}

Cell cellOf(int strokeCount, int tracing, int columns, int row, int column, bool model)
{
    if (row < 0 || column < 0 || column >= columns)
        return {};
    int index = row * columns + column;
    if (model && index == 0)
        return { CellKind::Model, strokeCount };
    index -= int(model);
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
    // the four lines hold the pinyin, and the info line beside it where pinyin is off
    if (options.pinyin || options.info) {
        out.fourLines.spaceMm = fourLineSpaceMm(out.cellMm);
        out.pinyinMm = 3 * out.fourLines.spaceMm + pinyinGapMm;
        if (!options.pinyin)
            out.fourLines.spaceMm = 0;
    }
    out.infoMm = options.info ? infoSizeMm(out.cellMm) : 0;
    out.words = options.info ? std::clamp(options.words, 0, maxWords) : 0;
    out.infoLeftMm = out.leftMm + out.cellMm + infoIndentMm;
    out.infoWidthMm = std::max(0.0, out.leftMm + out.columns * out.cellMm - out.infoLeftMm);
    const int tracing = std::clamp(options.tracing, 0, maxTracing);
    out.grid = options.grid;
    out.tracing = tracing;
    out.tracingColour = options.tracingColour;
    out.model = options.model;
    out.strokeNames = options.strokeNames;
    out.classField = options.classField;
    const int extraRows = std::clamp(options.extraRows, 0, maxExtraRows);
    for (const int strokes : strokeCounts)
        out.groupRows.append(
            rowsOfCharacter(strokes, out.columns, tracing, extraRows, options.model));
    out.pages = paginate(out.groupRows, out.headerTopMm + out.headerMm,
        out.paperMm.height() - pageMarginMm, out.cellMm, out.pinyinMm);
    return out;
}

} // namespace sheets
