// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sheetcharacters.h"
#include "sheetlayout.h"

#include <QList>
#include <QPageLayout>
#include <QRgb>
#include <QString>

#include <functional>

class QPagedPaintDevice;
class QPainter;

// The practice sheet drawn as vectors: every stroke a path from the stored outlines, every grid
// line a line, the text as text.
namespace sheets {

inline constexpr QRgb gridColour = 0xff72bf78; // the light green of school exercise books
inline constexpr QRgb textColour = 0xff333333; // title, name and date, pinyin
inline constexpr QRgb modelColour = 0xff000000; // the 范字
inline constexpr QRgb tracingRed = 0xfff5a3a3; // 描红: the copies to trace in light red
inline constexpr QRgb fourLineColour = 0xff9ccfa0; // the lines of 四线三格, lighter than the grid
inline constexpr double fourLineMm = 0.15;
inline constexpr double cellInsetShare = 0.08; // white kept between a cell's edge and its character
inline constexpr double outerLineMm = 0.35; // the cells' edges
inline constexpr double innerLineMm = 0.2; // the dashed guide lines inside a cell

// The paper and orientation of the options, no margins: the sheet keeps its own.
QPageLayout pageLayout(const SheetOptions &options);

// Paints one page of the layout; the painter's origin is the paper's top-left corner, in the
// device's pixels.
void paintPage(QPainter &painter, const SheetLayout &layout, const QString &title,
    const QList<SheetCharacter> &characters, int page);

// Told after each page painted (pages done, pages in all); returns false to stop.
using PageProgress = std::function<bool(int done, int total)>;

enum class PaintResult { Painted, Failed, Cancelled };

// Paints every page onto a device already set to pageLayout(options) (a QPrinter in full-page
// mode, or a QPdfWriter). Failed when the device cannot be painted on; Cancelled when progress
// asked to stop.
PaintResult paintSheet(QPagedPaintDevice &device, const SheetOptions &options,
    const QList<SheetCharacter> &characters, const PageProgress &progress = {});

// The colour of the copies to trace.
QRgb tracingColour(TracingColour colour);

// Paints pinyin on the four lines (in mm from the paper's top-left corner), centred on
// centreXMm and narrowed to fit within widthMm.
void paintPinyin(QPainter &painter, const QString &pinyin, const FourLines &lines, double centreXMm,
    double widthMm);

// Paints count cells of the grid in a row, from leftMm and topMm.
void paintGridCells(
    QPainter &painter, Grid grid, double leftMm, double topMm, double cellMm, int count);

// Paints the four lines across [leftMm, leftMm + widthMm].
void paintFourLines(QPainter &painter, const FourLines &lines, double leftMm, double widthMm);

// Paints the header: title, 班级 ____ (where classField) 姓名 ____ 日期 ____, between leftMm and
// leftMm + widthMm from topMm down.
void paintHeader(QPainter &painter, const QString &title, bool classField, double leftMm,
    double widthMm, double topMm);

// Paints "第 1 页 / 共 3 页" centred under the body of a page of paperMm.
void paintPageNumber(QPainter &painter, QSizeF paperMm, int page, int pageCount);

// Paints every page of a sheet onto a device set to its page layout, telling progress.
using PaintPages = std::function<PaintResult(QPagedPaintDevice &, const PageProgress &)>;

// Writes a PDF file of the given page layout and title, its pages painted by paint, through an
// OutputFile (see outputfile.h): the old file stays as it was unless the whole new one was
// written; "-" is the standard output. programFolder's own data is never replaced. Returns an
// error message in Chinese, or an empty text; *cancelled tells a write stopped by progress (no
// message then). Both sheets are written through it.
QString writePdfWith(const QString &path, const QPageLayout &page, const QString &title,
    const PaintPages &paint, const QString &programFolder, const PageProgress &progress = {},
    bool *cancelled = nullptr);

// Writes the practice sheet as a PDF file through writePdfWith.
QString writePdf(const QString &path, const SheetOptions &options,
    const QList<SheetCharacter> &characters, const QString &programFolder,
    const PageProgress &progress = {}, bool *cancelled = nullptr);

// "练字帖-<the first few characters>.pdf"
QString suggestedFileName(const QList<SheetCharacter> &characters);

} // namespace sheets
