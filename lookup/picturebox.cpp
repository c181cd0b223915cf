#include "picturebox.h"

#include <QPainter>

PictureBox::PictureBox(QWidget *parent)
    : QWidget(parent)
{
    Label8.setObjectName(QStringLiteral("Label8"));
    rebuildImage();
}

void PictureBox::setPhoto(const QByteArray &bytes)
{
    QImage picture;
    if (!bytes.isEmpty())
        picture.loadFromData(bytes);
    setPicture(picture);
}

void PictureBox::setPicture(const QImage &picture)
{
    m_stored = picture;
    rebuildImage();
    update();
    emit changed();
}

const QImage &PictureBox::image() const
{
    fitImage();
    return m_image;
}

void PictureBox::andCombine(const QImage &frame)
{
    fitImage();
    const QRect area = m_image.rect() & frame.rect();
    if (area.isEmpty())
        return;
    {
        QPainter painter(&m_image);
        painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        painter.drawImage(area.topLeft(), frame.convertToFormat(QImage::Format_RGB32), area);
    }
    update();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    fitImage();
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_image);
}

void PictureBox::fitImage() const
{
    if (m_image.size() != size())
        rebuildImage();
}

void PictureBox::rebuildImage() const
{
    m_image = QImage(size(), QImage::Format_RGB32);
    m_image.fill(Qt::white);
    if (!m_stored.isNull() && !m_image.isNull()) {
        QPainter painter(&m_image);
        painter.drawImage(QPoint(0, 0), m_stored);
    }
}
