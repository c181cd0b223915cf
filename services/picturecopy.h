// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <Qt>

#include <functional>

class ClickLabel;
class PictureBox;
class QClipboard;
class QImage;
class QLabel;
class QMimeData;
class QTimer;

// Where the clipboard notice goes inside Picture1, in twips, from Picture1's place in Frame1 and
// the notice's size: Top = Picture1.Height + Picture1.Top - Label8.Height - 211,
// Left = (Picture1.Width - Label8.Width) / 2. Picture1's top offset counts although the notice
// lies inside the picture; with the design sizes that puts it 91 twips above the lower edge.
QPointF noticePosition(const QRectF &picture1, const QSizeF &label8);

// A picture for the clipboard: the image itself, and its PNG bytes as "image/png" so that paint
// programs and word processors on every platform find a format they paste.
QMimeData *pictureMimeData(const QImage &picture);

// Stroke-picture copy: the copy link's mouse press and the end of the clipboard notice, both
// connected here.
class PictureCopy : public QObject {
    Q_OBJECT
public:
    struct Controls {
        ClickLabel *Label1 = nullptr; // the link "< 复制笔画图": a press copies
        PictureBox *Picture1 = nullptr; // the picture copied, with its frame or without
        QLabel *Label8 = nullptr; // the notice, inside Picture1
        QTimer *Timer3 = nullptr; // 2555 ms: hides the notice
        QClipboard *clipboard = nullptr; // where the copy goes
        const QRect *picture1Twips = nullptr; // Picture1 in Frame1 as laid out, twips
        QSize label8Twips; // the notice's design size, twips
        std::function<QPoint(const QPointF &)> twipsToPixels; // the window's scale
    };

    explicit PictureCopy(const Controls &controls, QObject *parent = nullptr);

    // Any button but the right one copies the image with its frame, the right button the stored
    // picture without it; without a picture to give (a record with no stored picture) nothing is
    // copied and no notice shows. The notice shows for Timer3's interval, counted from the last
    // copy.
    void Label1_MouseDown(Qt::MouseButton button);
    void Timer3_Timer();

private:
    Controls c;
};
