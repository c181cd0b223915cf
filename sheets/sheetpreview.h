// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sheetcharacters.h"
#include "sheetlayout.h"

#include <QAbstractScrollArea>
#include <QHash>
#include <QImage>
#include <QSet>
#include <QThread>

#include <atomic>
#include <functional>
#include <memory>

namespace sheets {

// The dialog's preview of the sheet: its pages one under the other, as wide as the view. The
// pages are drawn on a thread of their own, those in view first, so that the window goes on
// answering while a long sheet is drawn; a newer sheet (setSheet) stops the drawing of an older
// one after its current page. Only the pages near the view are kept as pictures.
class SheetPreview : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit SheetPreview(QWidget *parent = nullptr);
    ~SheetPreview() override;

    // Shows this sheet instead of the last one; returns at once.
    void setSheet(const SheetOptions &options, const QList<SheetCharacter> &characters);
    // The same for a dictation sheet.
    void setDictation(const DictationOptions &options, const QList<DictationWord> &words);

    int pageCount() const;
    // Whether every page in view shows the last sheet given.
    bool isUpToDate() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // Either sheet, as the thread draws it.
    struct Sheet {
        QSizeF paperMm;
        int pageCount = 0;
        // Paints a page (the painter's origin the paper's top-left corner), on the thread.
        std::function<void(QPainter &painter, int page)> paintPage;
    };
    struct Picture {
        int generation = -1;
        QImage image;
    };

    QSize pageSize() const; // in the view's pixels
    QRect pageRect(int page) const; // in the viewport's coordinates
    QPair<int, int> pagesInView() const; // first and last, or (0, -1)
    void updateScrollBar();
    void request(int page);
    void pageDrawn(int generation, int page, const QImage &image);
    void present(std::shared_ptr<const Sheet> sheet); // instead of the last sheet
    // One page of the sheet as a picture of the given size in device pixels (on the thread).
    static QImage drawPage(const Sheet &sheet, int page, QSize pixels);

    std::shared_ptr<const Sheet> m_sheet;
    std::atomic<int> m_generation = 0; // of m_sheet: an older drawing stops at its next page
    std::atomic<int> m_firstWanted = 0; // pages outside these are not drawn
    std::atomic<int> m_lastWanted = -1;
    QHash<int, Picture> m_pictures; // page -> the last picture drawn of it
    QSet<int> m_requested; // of m_generation, at the current page size
    QThread m_thread;
    QObject *m_painter = nullptr; // lives in m_thread; its queued calls draw the pages
};

} // namespace sheets
