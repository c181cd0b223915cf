// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "framegeometry.h"

#include <QByteArray>
#include <QImage>
#include <QLabel>
#include <QWidget>

#include <functional>

// Picture1: the stroke-order picture box, holding the stored picture and the image it shows.
//
// The stored picture is the record's photo as delivered (null when the bytes are empty or not a
// picture). The image is what the box shows and what a copy with frame takes: the stored picture
// on white at the box size, into which the frame step later combines the frame picture.
//
// On a screen of device pixel ratio above 1 the box shows a sharp image instead, when the record
// comes with the strokes its picture was drawn from: the picture drawn anew at that many times the
// pixels (the ratio rounded up), with the frame combined in at the same resolution. The stored
// picture and the image, and so every copy, stay at one pixel per pixel of the box.
//
// A photo is decoded, and the image built from it, when first needed (painted, combined with the
// frame, copied, read), not when it is delivered: a record that is never shown, such as the one
// made current when the store opens, costs no decoding.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    // The largest picture decoded, per side, as its header gives it: the box shows 385 x 255.
    static constexpr int maximumPictureSide = 4096;

    explicit PictureBox(QWidget *parent = nullptr);

    const QImage &storedPicture() const;
    const QImage &image() const;
    // The image the box shows at the given device pixel ratio (rounded up): the sharp image where
    // there is one, else a null image, and the box shows image() scaled up.
    QImage sharpImage(qreal devicePixelRatio) const;

    // Takes the photo bytes as the new picture, decoded when first needed: PNG, or any format Qt
    // reads whose header gives a size of at most maximumPictureSide a side (anything else is no
    // picture); the same bytes as the last decoded photo are not decoded again. outline gives the
    // JSON object of the strokes it was drawn from (RecordStore::outline), or empty bytes where
    // there are none; it is asked once, when a sharp image is first needed. frame is the frame
    // the picture was drawn in.
    using OutlineSource = std::function<QByteArray()>;
    void setPhoto(const QByteArray &bytes, const OutlineSource &outline = {},
        framegeometry::Frame frame = framegeometry::Frame::Cells24);
    // Takes a new stored picture, without strokes, rebuilds the image from it and emits
    // changed(), also when the picture equals the previous one: every delivery is a new picture.
    void setPicture(const QImage &picture);

    // The frame step: each pixel of the image becomes the bitwise AND of itself and the frame
    // pixel at the same place, from the top-left corner, one to one, over the box size (where the
    // frame is smaller, the rest of the image is left as it is). The sharp image takes the frame
    // with each of its pixels repeated to the same size, so the outlines fall on the same cells.
    void andCombine(const QImage &frame);

    // The clipboard notice, drawn on top of the picture.
    QLabel Label8 { this };

signals:
    void changed();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // The stored picture, or the photo bytes it is decoded from when first needed.
    void takePicture(const QImage &picture, const QByteArray &photo = QByteArray());
    // A hidden box gets no resize events, so the image follows the box size when it is used.
    void fitImage() const;
    void rebuildImage() const;
    void decode() const;

    mutable QByteArray m_photo; // bytes delivered and not decoded yet
    mutable QImage m_stored;
    mutable QByteArray m_decodedFrom; // the bytes m_stored was decoded from
    mutable QImage m_image;
    mutable bool m_imageBehind = true; // a new picture has not reached the image yet
    mutable OutlineSource m_outlineSource; // not asked yet
    mutable QByteArray m_outline;
    framegeometry::Frame m_outlineFrame = framegeometry::Frame::Cells24;
    QImage m_combinedFrame; // the frame of the last frame step since the picture came; null before
    mutable QImage m_sharp; // drawn on first use at one device pixel ratio, null until then
};
