#pragma once

#include <QByteArray>
#include <QImage>
#include <QLabel>
#include <QWidget>

// Picture1: the stroke-order picture box, holding the stored picture and the image it shows.
//
// The stored picture is the record's photo as delivered (null when the bytes are empty or not a
// picture). The image is what the box shows and what a copy with frame takes: the stored picture
// on white at the box size, into which the frame step later combines the frame picture.
class PictureBox : public QWidget
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);

    const QImage &storedPicture() const { return m_stored; }
    const QImage &image() const;

    // Decodes the photo bytes (PNG, or any format Qt reads) and takes them as the new picture.
    void setPhoto(const QByteArray &bytes);
    // Takes a new stored picture, rebuilds the image from it and emits changed(), also when the
    // picture equals the previous one: every delivery is a new picture.
    void setPicture(const QImage &picture);

    // The frame step: each pixel of the image becomes the bitwise AND of itself and the frame
    // pixel at the same place, from the top-left corner, one to one, over the box size (where the
    // frame is smaller, the rest of the image is left as it is).
    void andCombine(const QImage &frame);

    // The clipboard notice, drawn on top of the picture.
    QLabel Label8{this};

signals:
    void changed();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // A hidden box gets no resize events, so the image follows the box size when it is used.
    void fitImage() const;
    void rebuildImage() const;

    QImage m_stored;
    mutable QImage m_image;
};
