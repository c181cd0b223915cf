// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheetrenderer.h"

#include "outputfile.h"
#include "sheetslog.h"
#include "strokepicture.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>

#include <algorithm>

namespace sheets {

namespace {

// Millimetres to the device's pixels.
class Millimetres {
public:
    explicit Millimetres(const QPaintDevice &device)
        : m_k(device.logicalDpiX() / 25.4)
    {
    }

    double operator()(double mm) const { return mm * m_k; }
    QPointF point(double x, double y) const { return QPointF(x * m_k, y * m_k); }
    QRectF rect(double x, double y, double w, double h) const
    {
        return QRectF(x * m_k, y * m_k, w * m_k, h * m_k);
    }

private:
    double m_k;
};

QFont sheetFont(double pixels, bool latin = false)
{
    QFont font;
    if (latin) {
        font.setFamilies({ QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans"),
            QStringLiteral("AR PL UMing CN") });
    } else {
        font.setFamilies({ QStringLiteral("宋体"), QStringLiteral("SimSun"),
            QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC") });
    }
    font.setPixelSize(std::max(1, qRound(pixels)));
    return font;
}

void paintHeader(
    QPainter &painter, const SheetLayout &layout, const QString &title, const Millimetres &mm)
{
    const double left = layout.leftMm;
    const double width = layout.columns * layout.cellMm;
    double top = layout.headerTopMm;
    painter.setPen(QColor::fromRgb(textColour));
    if (!title.trimmed().isEmpty()) {
        painter.setFont(sheetFont(mm(titleBandMm * 0.6)));
        painter.drawText(mm.rect(left, top, width, titleBandMm), Qt::AlignCenter, title.trimmed());
        top += titleBandMm;
    }
    // 姓名 ________   日期 ________ , the lines as lines, on the baseline of the text
    const QFont font = sheetFont(mm(nameLineBandMm * 0.5));
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const double baseline = mm(top + nameLineBandMm * 0.75);
    QPen line(QColor::fromRgb(textColour), mm(0.25));
    double x = mm(left);
    const struct {
        QString label;
        double lineMm;
    } fields[] = { { QStringLiteral("姓名"), std::min(50.0, width * 0.4) },
        { QStringLiteral("日期"), std::min(40.0, width * 0.3) } };
    for (const auto &field : fields) {
        painter.setPen(QColor::fromRgb(textColour));
        painter.drawText(QPointF(x, baseline), field.label);
        x += metrics.horizontalAdvance(field.label) + mm(1.5);
        painter.setPen(line);
        painter.drawLine(
            QPointF(x, baseline + mm(0.5)), QPointF(x + mm(field.lineMm), baseline + mm(0.5)));
        x += mm(field.lineMm) + mm(8);
    }
}

void paintGridRow(
    QPainter &painter, const SheetLayout &layout, Grid grid, double topMm, const Millimetres &mm)
{
    const double left = layout.leftMm;
    const double cell = layout.cellMm;
    const double right = left + layout.columns * cell;
    const double bottom = topMm + cell;
    const QColor colour = QColor::fromRgb(gridColour);

    if (grid != Grid::Square) {
        QPen dashed(colour, mm(innerLineMm));
        dashed.setCapStyle(Qt::FlatCap);
        dashed.setDashPattern({ 6, 4 }); // in pen widths: 1.2 mm dashes, 0.8 mm gaps
        painter.setPen(dashed);
        const double middleY = topMm + cell / 2;
        painter.drawLine(mm.point(left, middleY), mm.point(right, middleY));
        for (int c = 0; c < layout.columns; ++c) {
            const double x = left + c * cell;
            painter.drawLine(mm.point(x + cell / 2, topMm), mm.point(x + cell / 2, bottom));
            if (grid == Grid::Mi) {
                painter.drawLine(mm.point(x, topMm), mm.point(x + cell, bottom));
                painter.drawLine(mm.point(x + cell, topMm), mm.point(x, bottom));
            }
        }
    }
    QPen solid(colour, mm(outerLineMm));
    solid.setCapStyle(Qt::SquareCap);
    painter.setPen(solid);
    painter.drawLine(mm.point(left, topMm), mm.point(right, topMm));
    painter.drawLine(mm.point(left, bottom), mm.point(right, bottom));
    for (int c = 0; c <= layout.columns; ++c)
        painter.drawLine(mm.point(left + c * cell, topMm), mm.point(left + c * cell, bottom));
}

void paintStrokes(
    QPainter &painter, const QList<QPainterPath> &strokes, const Cell &cell, const QRectF &cellRect)
{
    if (cell.kind == CellKind::Empty)
        return;
    const double inset = cellRect.width() * cellInsetShare;
    const QRect interior = cellRect.adjusted(inset, inset, -inset, -inset).toRect();
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setTransform(strokepicture::cellTransform(interior), true);
    const int shown = std::min<int>(cell.strokes, int(strokes.size()));
    for (int s = 0; s < shown; ++s) {
        QRgb colour = strokepicture::pendingColour;
        if (cell.kind == CellKind::StrokeOrder)
            colour = s + 1 == shown ? strokepicture::newColour : strokepicture::writtenColour;
        painter.setBrush(QColor::fromRgb(colour));
        painter.drawPath(strokes[s]);
    }
    painter.restore();
}

} // namespace

QPageLayout pageLayout(const SheetOptions &options)
{
    QPageSize::PageSizeId id = QPageSize::A4;
    switch (options.paper) {
    case Paper::A4:
        id = QPageSize::A4;
        break;
    case Paper::A5:
        id = QPageSize::A5;
        break;
    case Paper::Letter:
        id = QPageSize::Letter;
        break;
    }
    return QPageLayout(QPageSize(id),
        options.landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
        QPageLayout::Millimeter);
}

void paintPage(QPainter &painter, const SheetLayout &layout, const QString &title,
    const QList<SheetCharacter> &characters, int page)
{
    if (page < 0 || page >= layout.pages.size())
        return;
    const Millimetres mm(*painter.device());
    painter.setRenderHint(QPainter::Antialiasing);
    paintHeader(painter, layout, title, mm);
    const Grid grid = layout.grid;
    for (const Slice &slice : layout.pages[page]) {
        if (slice.group < 0 || slice.group >= characters.size())
            continue;
        const SheetCharacter &character = characters[slice.group];
        const int strokeCount = int(character.strokes.size());
        if (slice.firstRow == 0 && layout.pinyinMm > 0 && !character.pinyin.isEmpty()) {
            painter.setPen(QColor::fromRgb(textColour));
            painter.setFont(sheetFont(mm(layout.pinyinMm * 0.62), true));
            painter.drawText(mm.rect(layout.leftMm, slice.topMm - layout.pinyinMm, layout.cellMm,
                                 layout.pinyinMm),
                Qt::AlignHCenter | Qt::AlignVCenter, character.pinyin);
        }
        for (int i = 0; i < slice.rowCount; ++i) {
            const double top = slice.topMm + i * layout.cellMm;
            paintGridRow(painter, layout, grid, top, mm);
            for (int c = 0; c < layout.columns; ++c) {
                const Cell cell
                    = cellOf(strokeCount, layout.tracing, layout.columns, slice.firstRow + i, c);
                paintStrokes(painter, character.strokes, cell,
                    mm.rect(layout.leftMm + c * layout.cellMm, top, layout.cellMm, layout.cellMm));
            }
        }
    }
}

PaintResult paintSheet(QPagedPaintDevice &device, const SheetOptions &options,
    const QList<SheetCharacter> &characters, const PageProgress &progress)
{
    QList<int> strokeCounts;
    for (const SheetCharacter &character : characters)
        strokeCounts.append(int(character.strokes.size()));
    const SheetLayout layout = layOut(options, strokeCounts);
    QPainter painter;
    if (!painter.begin(&device))
        return PaintResult::Failed;
    const int pages = int(layout.pages.size());
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage())
            return PaintResult::Failed;
        paintPage(painter, layout, options.title, characters, page);
        if (progress && !progress(page + 1, pages)) {
            painter.end();
            return PaintResult::Cancelled;
        }
    }
    return painter.end() ? PaintResult::Painted : PaintResult::Failed;
}

QString writePdf(const QString &path, const SheetOptions &options,
    const QList<SheetCharacter> &characters, const QString &programFolder,
    const PageProgress &progress, bool *cancelled)
{
    if (cancelled)
        *cancelled = false;
    const auto failed = [](const QString &reason) {
        qCWarning(sheetsLog).noquote() << "practice sheet:" << reason;
        return reason;
    };
    OutputFile file(programFolder);
    if (!file.openFor(path))
        return failed(file.errorText());
    PaintResult result = PaintResult::Failed;
    {
        QPdfWriter writer(&file);
        writer.setResolution(1200);
        writer.setPageLayout(pageLayout(options));
        writer.setTitle(
            options.title.trimmed().isEmpty() ? QStringLiteral("练字帖") : options.title.trimmed());
        writer.setCreator(QStringLiteral("Zibrin"));
        result = paintSheet(writer, options, characters, progress);
    }
    if (result != PaintResult::Painted) {
        file.cancel();
        if (result == PaintResult::Cancelled) {
            if (cancelled)
                *cancelled = true;
            return QString();
        }
        return failed(QStringLiteral("无法写入“%1”：PDF 没能画出来").arg(visibleText(path)));
    }
    if (!file.commit())
        return failed(file.errorText());
    return QString();
}

QString suggestedFileName(const QList<SheetCharacter> &characters)
{
    QString first;
    for (qsizetype i = 0; i < std::min<qsizetype>(4, characters.size()); ++i)
        first += characters[i].hz;
    return first.isEmpty() ? QStringLiteral("练字帖.pdf")
                           : QStringLiteral("练字帖-%1.pdf").arg(first);
}

} // namespace sheets
