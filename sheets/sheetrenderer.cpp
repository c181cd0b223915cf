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

void paintGridRow(
    QPainter &painter, const SheetLayout &layout, Grid grid, double topMm, const Millimetres &)
{
    paintGridCells(painter, grid, layout.leftMm, topMm, layout.cellMm, layout.columns);
}

void paintStrokes(QPainter &painter, const QList<QPainterPath> &strokes, const Cell &cell,
    const QRectF &cellRect, QRgb tracing, double nameBandPx)
{
    if (cell.kind == CellKind::Empty)
        return;
    const double inset = cellRect.width() * cellInsetShare;
    QRectF interior = cellRect.adjusted(inset, inset, -inset, -inset);
    if (nameBandPx > 0) {
        // the picture shrinks above the stroke name, kept square and centred
        const double side = std::max(1.0, interior.height() - nameBandPx);
        interior = QRectF(interior.center().x() - side / 2, interior.top(), side, side);
    }
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setTransform(strokepicture::cellTransform(interior.toRect()), true);
    const int shown = std::min<int>(cell.strokes, int(strokes.size()));
    for (int s = 0; s < shown; ++s) {
        QRgb colour = tracing;
        if (cell.kind == CellKind::StrokeOrder)
            colour = s + 1 == shown ? strokepicture::newColour : strokepicture::writtenColour;
        else if (cell.kind == CellKind::Model)
            colour = modelColour;
        painter.setBrush(QColor::fromRgb(colour));
        painter.drawPath(strokes[s]);
    }
    painter.restore();
}

// The info line in the band beside the pinyin: from leftMm to rightMm, on baselineMm.
void paintInfo(QPainter &painter, const SheetLayout &layout, const SheetCharacter &character,
    double leftMm, double rightMm, double baselineMm, const Millimetres &mm)
{
    const QString text
        = infoLine(infoText(character.radical, character.structure, int(character.strokes.size())),
            character.words, layout.words, rightMm - leftMm, layout.infoMm);
    if (text.isEmpty())
        return;
    QFont font = sheetFont(mm(layout.infoMm));
    const double width = QFontMetricsF(font, painter.device()).horizontalAdvance(text);
    // the estimate let it in; the real type may still run a little longer
    if (width > mm(rightMm - leftMm))
        font.setPixelSize(std::max(1, int(font.pixelSize() * mm(rightMm - leftMm) / width)));
    painter.setFont(font);
    painter.setPen(QColor::fromRgb(textColour));
    painter.drawText(QPointF(mm(leftMm), mm(baselineMm)), text);
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

void paintGridCells(
    QPainter &painter, Grid grid, double leftMm, double topMm, double cellMm, int count)
{
    const Millimetres mm(*painter.device());
    const double left = leftMm;
    const double cell = cellMm;
    const double right = left + count * cell;
    const double bottom = topMm + cell;
    const QColor colour = QColor::fromRgb(gridColour);

    if (grid != Grid::Square) {
        QPen dashed(colour, mm(innerLineMm));
        dashed.setCapStyle(Qt::FlatCap);
        dashed.setDashPattern({ 6, 4 }); // in pen widths: 1.2 mm dashes, 0.8 mm gaps
        painter.setPen(dashed);
        const double middleY = topMm + cell / 2;
        painter.drawLine(mm.point(left, middleY), mm.point(right, middleY));
        for (int c = 0; c < count; ++c) {
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
    for (int c = 0; c <= count; ++c)
        painter.drawLine(mm.point(left + c * cell, topMm), mm.point(left + c * cell, bottom));
}

QRgb tracingColour(TracingColour colour)
{
    return colour == TracingColour::Red ? tracingRed : strokepicture::pendingColour;
}

void paintFourLines(QPainter &painter, const FourLines &lines, double leftMm, double widthMm)
{
    const Millimetres mm(*painter.device());
    QPen pen(QColor::fromRgb(fourLineColour), mm(fourLineMm));
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    for (int k = 0; k < 4; ++k)
        painter.drawLine(
            mm.point(leftMm, lines.line(k)), mm.point(leftMm + widthMm, lines.line(k)));
}

void paintPinyin(QPainter &painter, const QString &pinyin, const FourLines &lines, double centreXMm,
    double widthMm)
{
    const Millimetres mm(*painter.device());
    const QList<PinyinLetter> letters = placePinyin(pinyin, lines);
    if (letters.isEmpty() || lines.spaceMm <= 0)
        return;
    // the glyphs drawn large and mapped: the x-height fills the middle space
    QFont font = sheetFont(200, true);
    const QFontMetricsF metrics(font);
    QPainterPath x;
    x.addText(0, 0, font, QStringLiteral("x"));
    const double xHeight = x.boundingRect().height();
    if (xHeight <= 0)
        return;
    double scale = mm(lines.spaceMm) / xHeight;
    double total = 0;
    for (const PinyinLetter &letter : letters)
        total += metrics.horizontalAdvance(QString::fromUcs4(&letter.body, 1)) * scale;
    const double narrowing = std::min(1.0, mm(widthMm) / std::max(1.0, total));
    double pen = mm(centreXMm) - total * narrowing / 2;
    const double space = mm(lines.spaceMm);
    const QColor colour = QColor::fromRgb(textColour);
    painter.save();
    for (const PinyinLetter &letter : letters) {
        const QString body = QString::fromUcs4(&letter.body, 1);
        QPainterPath path;
        path.addText(0, 0, font, body);
        const QRectF box = path.boundingRect();
        const double sx = scale * narrowing;
        const double advance = metrics.horizontalAdvance(body) * sx;
        if (box.height() <= 0) {
            pen += advance;
            continue;
        }
        const double sy = (mm(letter.bottomMm) - mm(letter.topMm)) / box.height();
        const QTransform map(sx, 0, 0, sy, pen, mm(letter.topMm) - box.top() * sy);
        painter.fillPath(map.map(path), colour);
        const double cx = pen + box.center().x() * sx;
        pen += advance;
        // the dots and the tone mark in the top space
        const double top = mm(lines.line(0));
        const double bottom = mm(lines.line(1));
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        const double radius = space * 0.1;
        const double dotY
            = letter.dots == 2 && letter.tone ? bottom - space * 0.22 : bottom - space * 0.32;
        if (letter.dots == 1)
            painter.drawEllipse(QPointF(cx, dotY), radius, radius);
        if (letter.dots == 2) {
            painter.drawEllipse(QPointF(cx - space * 0.2, dotY), radius, radius);
            painter.drawEllipse(QPointF(cx + space * 0.2, dotY), radius, radius);
        }
        if (letter.tone) {
            const double markTop = top + space * 0.12;
            const double markBottom
                = letter.dots == 2 ? bottom - space * 0.45 : bottom - space * 0.18;
            const double half = space * 0.32;
            QPen stroke(colour, space * 0.11);
            stroke.setCapStyle(Qt::RoundCap);
            stroke.setJoinStyle(Qt::RoundJoin);
            painter.setPen(stroke);
            painter.setBrush(Qt::NoBrush);
            const double middle = (markTop + markBottom) / 2;
            switch (letter.tone) {
            case 1:
                painter.drawLine(QPointF(cx - half, middle), QPointF(cx + half, middle));
                break;
            case 2:
                painter.drawLine(
                    QPointF(cx - half * 0.5, markBottom), QPointF(cx + half * 0.5, markTop));
                break;
            case 3:
                painter.drawPolyline(QPolygonF({ QPointF(cx - half * 0.8, markTop),
                    QPointF(cx, markBottom), QPointF(cx + half * 0.8, markTop) }));
                break;
            case 4:
                painter.drawLine(
                    QPointF(cx - half * 0.5, markTop), QPointF(cx + half * 0.5, markBottom));
                break;
            default:
                break;
            }
        }
    }
    painter.restore();
    // the text itself, invisible, so the PDF can be searched and read back
    painter.save();
    QFont hidden = sheetFont(space, true);
    painter.setFont(hidden);
    painter.setPen(Qt::transparent);
    painter.drawText(QPointF(mm(centreXMm) - total * narrowing / 2, mm(lines.line(2))), pinyin);
    painter.restore();
}

void paintHeader(QPainter &painter, const QString &title, bool classField, double leftMm,
    double widthMm, double topMm)
{
    const Millimetres mm(*painter.device());
    double top = topMm;
    painter.setPen(QColor::fromRgb(textColour));
    if (!title.trimmed().isEmpty()) {
        painter.setFont(sheetFont(mm(titleBandMm * 0.6)));
        painter.drawText(
            mm.rect(leftMm, top, widthMm, titleBandMm), Qt::AlignCenter, title.trimmed());
        top += titleBandMm;
    }
    // 班级 ______   姓名 ________   日期 ________ , the lines as lines, on the baseline of the text
    const QFont font = sheetFont(mm(nameLineBandMm * 0.5));
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const double baseline = mm(top + nameLineBandMm * 0.75);
    QPen line(QColor::fromRgb(textColour), mm(0.25));
    double x = mm(leftMm);
    struct Field {
        QString label;
        double lineMm;
    };
    QList<Field> fields;
    if (classField)
        fields.append({ QStringLiteral("班级"), std::min(30.0, widthMm * 0.18) });
    fields.append({ QStringLiteral("姓名"), std::min(45.0, widthMm * (classField ? 0.26 : 0.4)) });
    fields.append({ QStringLiteral("日期"), std::min(35.0, widthMm * (classField ? 0.2 : 0.3)) });
    for (const Field &field : fields) {
        painter.setPen(QColor::fromRgb(textColour));
        painter.drawText(QPointF(x, baseline), field.label);
        x += metrics.horizontalAdvance(field.label) + mm(1.5);
        painter.setPen(line);
        painter.drawLine(
            QPointF(x, baseline + mm(0.5)), QPointF(x + mm(field.lineMm), baseline + mm(0.5)));
        x += mm(field.lineMm) + mm(5);
    }
}

void paintPageNumber(QPainter &painter, QSizeF paperMm, int page, int pageCount)
{
    const Millimetres mm(*painter.device());
    painter.setPen(QColor::fromRgb(textColour));
    painter.setFont(sheetFont(mm(3)));
    const double baseline = paperMm.height() - pageNumberBaselineMm;
    painter.drawText(mm.rect(0, baseline - 4, paperMm.width(), 5),
        Qt::AlignHCenter | Qt::AlignBottom, pageNumberText(page, pageCount));
}

void paintPage(QPainter &painter, const SheetLayout &layout, const QString &title,
    const QList<SheetCharacter> &characters, int page)
{
    if (page < 0 || page >= layout.pages.size())
        return;
    const Millimetres mm(*painter.device());
    painter.setRenderHint(QPainter::Antialiasing);
    const double width = layout.columns * layout.cellMm;
    paintHeader(painter, title, layout.classField, layout.leftMm, width, layout.headerTopMm);
    paintPageNumber(painter, layout.paperMm, page, int(layout.pages.size()));
    const Grid grid = layout.grid;
    const QRgb tracing = tracingColour(layout.tracingColour);
    for (const Slice &slice : layout.pages[page]) {
        if (slice.group < 0 || slice.group >= characters.size())
            continue;
        const SheetCharacter &character = characters[slice.group];
        const int strokeCount = int(character.strokes.size());
        if (slice.firstRow == 0 && layout.pinyinMm > 0) {
            const double bandTop = slice.topMm - layout.pinyinMm;
            FourLines lines = layout.fourLines;
            lines.topMm = bandTop;
            if (lines.spaceMm > 0 && !character.pinyin.isEmpty()) {
                paintFourLines(painter, lines, layout.leftMm, layout.cellMm);
                paintPinyin(painter, character.pinyin, lines, layout.leftMm + layout.cellMm / 2,
                    layout.cellMm * 0.92);
            }
            if (layout.infoMm > 0) {
                const double baseline = lines.spaceMm > 0
                    ? lines.line(2)
                    : slice.topMm - pinyinGapMm - layout.infoMm * 0.3;
                paintInfo(painter, layout, character, layout.infoLeftMm,
                    layout.infoLeftMm + layout.infoWidthMm, baseline, mm);
            }
        }
        for (int i = 0; i < slice.rowCount; ++i) {
            const double top = slice.topMm + i * layout.cellMm;
            paintGridRow(painter, layout, grid, top, mm);
            for (int c = 0; c < layout.columns; ++c) {
                const Cell cell = cellOf(strokeCount, layout.tracing, layout.columns,
                    slice.firstRow + i, c, layout.model);
                const QRectF rect
                    = mm.rect(layout.leftMm + c * layout.cellMm, top, layout.cellMm, layout.cellMm);
                // the stroke this cell adds, named in small type at its bottom where it fits
                double nameBand = 0;
                if (cell.kind == CellKind::StrokeOrder && layout.strokeNames
                    && cell.strokes <= character.strokeNames.size()) {
                    const QString name = character.strokeNames[cell.strokes - 1];
                    const double size = strokeNameSizeMm(layout.cellMm, int(name.size()));
                    if (size > 0) {
                        nameBand = mm(size * 1.15);
                        painter.setPen(QColor::fromRgb(textColour));
                        painter.setFont(sheetFont(mm(size)));
                        painter.drawText(QRectF(rect.left(), rect.bottom() - nameBand - mm(0.4),
                                             rect.width(), nameBand),
                            Qt::AlignHCenter | Qt::AlignBottom, name);
                    }
                }
                paintStrokes(painter, character.strokes, cell, rect, tracing, nameBand);
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

QString writePdfWith(const QString &path, const QPageLayout &page, const QString &title,
    const PaintPages &paint, const QString &programFolder, const PageProgress &progress,
    bool *cancelled)
{
    if (cancelled)
        *cancelled = false;
    const auto failed = [](const QString &reason) {
        qCWarning(sheetsLog).noquote() << "sheet:" << reason;
        return reason;
    };
    OutputFile file(programFolder);
    if (!file.openFor(path))
        return failed(file.errorText());
    PaintResult result = PaintResult::Failed;
    {
        QPdfWriter writer(&file);
        writer.setResolution(1200);
        writer.setPageLayout(page);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Zibrin"));
        result = paint(writer, progress);
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

QString writePdf(const QString &path, const SheetOptions &options,
    const QList<SheetCharacter> &characters, const QString &programFolder,
    const PageProgress &progress, bool *cancelled)
{
    return writePdfWith(
        path, pageLayout(options),
        options.title.trimmed().isEmpty() ? QStringLiteral("练字帖") : options.title.trimmed(),
        [&](QPagedPaintDevice &device, const PageProgress &told) {
            return paintSheet(device, options, characters, told);
        },
        programFolder, progress, cancelled);
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
