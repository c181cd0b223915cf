// SPDX-License-Identifier: GPL-3.0-or-later
#include "picturebox.h"

#include "datalog.h"
#include "strokepicture.h"

#include <QBuffer>
#include <QImageReader>
#include <QPaintEngine>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// The pixels of destination inside its top-left area of source's size become the bitwise AND of
// themselves and the source pixel at the same place (SRCAND), pixel for pixel whatever the
// images' device pixel ratios.
void andInto(QImage &destination, const QImage &source)
{
    const QRect area = destination.rect() & source.rect();
    if (area.isEmpty())
        return;
    const qreal ratio = destination.devicePixelRatio();
    destination.setDevicePixelRatio(1);
    {
        QImage pixels = source.convertToFormat(QImage::Format_RGB32);
        pixels.setDevicePixelRatio(1);
        QPainter painter(&destination);
        painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        painter.drawImage(area.topLeft(), pixels, area);
    }
    destination.setDevicePixelRatio(ratio);
}

// A whole number of device pixels per pixel of the box: the ratio rounded up, at most 4.
int pixelsPerPixel(qreal devicePixelRatio)
{
    return std::clamp(int(std::ceil(devicePixelRatio - 0.001)), 1, 4);
}

// The frame with each of its pixels repeated scale times each way, for an image drawn at that
// many device pixels per pixel.
QImage scaledFrame(const QImage &frame, int scale)
{
    return frame.scaled(frame.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

QImage decodedPhoto(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QImage();
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (size.isEmpty() || size.width() > PictureBox::maximumPictureSide
        || size.height() > PictureBox::maximumPictureSide)
        return QImage();
    return reader.read();
}

} // namespace

PictureBox::PictureBox(QWidget *parent)
    : QWidget(parent)
{
    Label8.setObjectName(QStringLiteral("Label8"));
    rebuildImage();
}

void PictureBox::setPhoto(
    const QByteArray &bytes, const OutlineSource &outline, framegeometry::Frame frame)
{
    m_outlineSource = outline;
    m_outline.clear();
    m_outlineFrame = frame;
    // a lookup of the character already shown delivers the same bytes again: not decoded twice
    if (!bytes.isEmpty() && bytes == m_decodedFrom)
        takePicture(m_stored);
    else
        takePicture(QImage(), bytes);
}

void PictureBox::setPicture(const QImage &picture)
{
    m_outlineSource = nullptr;
    m_outline.clear();
    m_decodedFrom.clear();
    m_photo.clear();
    takePicture(picture);
}

void PictureBox::takePicture(const QImage &picture, const QByteArray &photo)
{
    m_photo = photo;
    m_stored = picture;
    m_combinedFrame = QImage();
    m_sharp = QImage();
    m_imageBehind = true;
    update();
    emit changed();
}

const QImage &PictureBox::storedPicture() const
{
    decode();
    return m_stored;
}

const QImage &PictureBox::image() const
{
    fitImage();
    return m_image;
}

QImage PictureBox::sharpImage(qreal devicePixelRatio) const
{
    const int scale = pixelsPerPixel(devicePixelRatio);
    if (scale == 1 || storedPicture().isNull())
        return QImage();
    if (m_outlineSource) {
        m_outline = m_outlineSource();
        m_outlineSource = nullptr;
    }
    if (m_outline.isEmpty())
        return QImage();
    if (!m_sharp.isNull() && m_sharp.size() == size() * scale)
        return m_sharp;
    m_sharp = QImage();
    const auto strokes = strokepicture::readOutline(m_outline);
    if (!strokes || !strokepicture::isDrawable(*strokes) || size().isEmpty())
        return QImage();
    QImage sharp(size() * scale, QImage::Format_RGB32);
    sharp.fill(Qt::white);
    {
        QPainter painter(&sharp);
        painter.drawImage(
            QPoint(0, 0), strokepicture::renderPicture(*strokes, m_outlineFrame, scale));
    }
    if (!m_combinedFrame.isNull())
        andInto(sharp, scaledFrame(m_combinedFrame, scale));
    sharp.setDevicePixelRatio(scale);
    m_sharp = sharp;
    return m_sharp;
}

void PictureBox::andCombine(const QImage &frame)
{
    fitImage();
    if ((m_image.rect() & frame.rect()).isEmpty())
        return;
    andInto(m_image, frame);
    m_combinedFrame = frame;
    if (!m_sharp.isNull()) {
        andInto(m_sharp, scaledFrame(frame, int(m_sharp.devicePixelRatio())));
    }
    update();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    fitImage();
    QPainter painter(this);
    // the ratio of what is painted on: the window's backing store, or the target of a render()
    const QPaintDevice *target
        = painter.paintEngine() ? painter.paintEngine()->paintDevice() : nullptr;
    const QImage sharp = sharpImage(target ? target->devicePixelRatioF() : devicePixelRatioF());
    if (sharp.isNull()) {
        painter.drawImage(QPoint(0, 0), m_image);
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform); // where the ratio is not whole
    painter.drawImage(QRectF(QPointF(0, 0), QSizeF(size())), sharp);
}

void PictureBox::fitImage() const
{
    if (m_imageBehind || m_image.size() != size())
        rebuildImage();
}

void PictureBox::rebuildImage() const
{
    decode();
    m_imageBehind = false;
    m_image = QImage(size(), QImage::Format_RGB32);
    m_image.fill(Qt::white);
    if (!m_stored.isNull() && !m_image.isNull()) {
        QPainter painter(&m_image);
        painter.drawImage(QPoint(0, 0), m_stored);
    }
}

void PictureBox::decode() const
{
    if (m_photo.isEmpty())
        return;
    m_stored = decodedPhoto(m_photo);
    if (m_stored.isNull())
        qCWarning(dataLog) << "picture: cannot decode" << m_photo.size() << "bytes";
    m_decodedFrom = m_photo;
    m_photo.clear();
}
