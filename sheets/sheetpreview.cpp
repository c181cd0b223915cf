// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheetpreview.h"

#include "dictationrenderer.h"
#include "sheetrenderer.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace sheets {

namespace {

constexpr int gapPx = 10; // around and between the pages
constexpr int keptAround = 2; // pictures kept of pages this far out of view
const QColor backdrop(0x80, 0x80, 0x80);

// A copy of the characters of a page of the layout that shares no path with the original.
// A path keeps lazily made caches for drawing: the preview's thread draws from such a copy, so
// that it never shares a path with the user-interface thread, which may be saving or printing
// the same characters.
QList<SheetCharacter> ownCharacters(
    const SheetLayout &layout, const QList<SheetCharacter> &characters, int page)
{
    QList<SheetCharacter> own(characters.size());
    if (page < 0 || page >= layout.pages.size())
        return own;
    for (const Slice &slice : layout.pages[page]) {
        if (slice.group < 0 || slice.group >= characters.size())
            continue;
        const SheetCharacter &character = characters[slice.group];
        SheetCharacter &copy = own[slice.group];
        if (!copy.strokes.isEmpty())
            continue; // copied for an earlier slice of the page
        copy = character;
        copy.strokes.clear();
        for (const QPainterPath &stroke : character.strokes) {
            QPainterPath path;
            path.addPath(stroke); // a copy of the elements, not a share
            path.setFillRule(stroke.fillRule());
            copy.strokes.append(path);
        }
    }
    return own;
}

} // namespace

SheetPreview::SheetPreview(QWidget *parent)
    : QAbstractScrollArea(parent)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalScrollBar()->setSingleStep(20);
    m_painter = new QObject;
    m_painter->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_painter, &QObject::deleteLater);
    m_thread.setObjectName(QStringLiteral("sheet preview"));
    m_thread.start(QThread::LowPriority);
}

QImage SheetPreview::drawPage(const Sheet &sheet, int page, QSize pixels)
{
    QImage image(pixels, QImage::Format_RGB32);
    image.fill(Qt::white);
    // the paper's width fills the picture: the resolution follows
    const int dotsPerMetre = qRound(pixels.width() / (sheet.paperMm.width() / 1000.0));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    QPainter painter(&image);
    sheet.paintPage(painter, page);
    return image;
}

SheetPreview::~SheetPreview()
{
    ++m_generation; // the page being drawn is the last
    m_thread.quit();
    m_thread.wait();
}

void SheetPreview::setSheet(const SheetOptions &options, const QList<SheetCharacter> &characters)
{
    QList<int> strokeCounts;
    for (const SheetCharacter &character : characters)
        strokeCounts.append(int(character.strokes.size()));
    auto layout = std::make_shared<const SheetLayout>(layOut(options, strokeCounts));
    auto sheet = std::make_shared<Sheet>();
    sheet->paperMm = layout->paperMm;
    sheet->pageCount = int(layout->pages.size());
    sheet->paintPage = [layout, title = options.title, characters](QPainter &painter, int page) {
        paintPage(painter, *layout, title, ownCharacters(*layout, characters, page), page);
    };
    present(std::move(sheet));
}

void SheetPreview::setDictation(const DictationOptions &options, const QList<DictationWord> &words)
{
    QList<int> lengths;
    for (const DictationWord &word : words)
        lengths.append(int(word.word.toUcs4().size()));
    auto layout = std::make_shared<const DictationLayout>(layOutDictation(options, lengths));
    auto sheet = std::make_shared<Sheet>();
    sheet->paperMm = layout->paperMm;
    sheet->pageCount = layout->pageCount();
    sheet->paintPage = [layout, title = options.title, words](QPainter &painter, int page) {
        paintDictationPage(painter, *layout, title, words, page);
    };
    present(std::move(sheet));
}

void SheetPreview::present(std::shared_ptr<const Sheet> sheet)
{
    m_sheet = std::move(sheet);
    ++m_generation;
    m_requested.clear();
    // pictures of pages the new sheet does not have are dropped; the others stay until redrawn
    const int pages = pageCount();
    for (auto it = m_pictures.begin(); it != m_pictures.end();)
        it = it.key() >= pages ? m_pictures.erase(it) : std::next(it);
    updateScrollBar();
    viewport()->update();
}

int SheetPreview::pageCount() const
{
    return m_sheet ? m_sheet->pageCount : 0;
}

QSize SheetPreview::pageSize() const
{
    if (!m_sheet)
        return QSize();
    const QSizeF paper = m_sheet->paperMm;
    const int width = std::max(40, viewport()->width() - 2 * gapPx);
    return QSize(width, std::max(1, qRound(width * paper.height() / paper.width())));
}

QRect SheetPreview::pageRect(int page) const
{
    const QSize size = pageSize();
    return QRect(
        QPoint(gapPx, gapPx + page * (size.height() + gapPx) - verticalScrollBar()->value()), size);
}

QPair<int, int> SheetPreview::pagesInView() const
{
    const int pages = pageCount();
    if (pages == 0)
        return { 0, -1 };
    const int step = pageSize().height() + gapPx;
    const int top = verticalScrollBar()->value();
    const int first = std::clamp((top - gapPx) / step, 0, pages - 1);
    const int last = std::clamp((top + viewport()->height()) / step, first, pages - 1);
    return { first, last };
}

void SheetPreview::updateScrollBar()
{
    const int pages = pageCount();
    const int total = gapPx + pages * (pageSize().height() + gapPx);
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setRange(0, std::max(0, total - viewport()->height()));
}

bool SheetPreview::isUpToDate() const
{
    const auto [first, last] = pagesInView();
    const QSize pixels = pageSize() * devicePixelRatioF();
    for (int page = first; page <= last; ++page) {
        const auto it = m_pictures.constFind(page);
        if (it == m_pictures.cend() || it->generation != m_generation || it->image.size() != pixels)
            return false;
    }
    return true;
}

void SheetPreview::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), backdrop);
    const auto [first, last] = pagesInView();
    m_firstWanted = first - keptAround;
    m_lastWanted = last + keptAround;
    const QSize pixels = pageSize() * devicePixelRatioF();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int page = first; page <= last; ++page) {
        const QRect rect = pageRect(page);
        const auto it = m_pictures.constFind(page);
        if (it == m_pictures.cend()) {
            painter.fillRect(rect, Qt::white);
        } else {
            painter.drawImage(rect, it->image);
        }
        if (it == m_pictures.cend() || it->generation != m_generation || it->image.size() != pixels)
            request(page);
    }
    // the pictures of pages far from the view go
    for (auto it = m_pictures.begin(); it != m_pictures.end();) {
        const bool near = it.key() >= first - keptAround && it.key() <= last + keptAround;
        it = near ? std::next(it) : m_pictures.erase(it);
    }
}

void SheetPreview::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    m_requested.clear();
    updateScrollBar();
}

void SheetPreview::scrollContentsBy(int, int)
{
    viewport()->update();
}

void SheetPreview::request(int page)
{
    if (m_requested.contains(page) || !m_sheet)
        return;
    m_requested.insert(page);
    const int generation = m_generation;
    const QSize pixels = pageSize() * devicePixelRatioF();
    const std::shared_ptr<const Sheet> sheet = m_sheet;
    QMetaObject::invokeMethod(
        m_painter,
        [this, sheet, generation, page, pixels] {
            // a newer sheet, or a page scrolled far away: not drawn
            QImage image;
            if (generation == m_generation && page >= m_firstWanted && page <= m_lastWanted)
                image = drawPage(*sheet, page, pixels);
            QMetaObject::invokeMethod(
                this, [this, generation, page, image] { pageDrawn(generation, page, image); },
                Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

void SheetPreview::pageDrawn(int generation, int page, const QImage &image)
{
    if (generation != m_generation)
        return;
    m_requested.remove(page);
    if (image.isNull()) {
        viewport()->update(); // asked for again if it is in view by now
        return;
    }
    QImage shown = image;
    shown.setDevicePixelRatio(devicePixelRatioF());
    m_pictures.insert(page, { generation, shown });
    viewport()->update();
}

} // namespace sheets
