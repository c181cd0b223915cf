// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace pictures {

QImage framePicture(framegeometry::Frame frame)
{
    QImage image(framegeometry::pictureSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const QColor outline = QColor::fromRgb(framegeometry::outlineColour);
    for (const QRect &cell : framegeometry::cells(frame)) {
        const QRect box = cell.adjusted(-1, -1, 1, 1);
        painter.fillRect(QRect(box.left(), box.top(), box.width(), 1), outline);
        painter.fillRect(QRect(box.left(), box.bottom(), box.width(), 1), outline);
        painter.fillRect(QRect(box.left(), box.top(), 1, box.height()), outline);
        painter.fillRect(QRect(box.right(), box.top(), 1, box.height()), outline);
    }
    return image;
}

QImage backdropPanel(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor::fromRgb(surroundColour));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    const QRectF card = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(4.5, 4.5, -7.5, -7.5);
    constexpr qreal radius = 9;
    // the shadow: a few widening rounded rectangles, offset down and right, fading outwards
    painter.setPen(Qt::NoPen);
    for (int spread = 4; spread >= 0; --spread) {
        painter.setBrush(QColor(0, 0, 0, 14 + 6 * (4 - spread)));
        painter.drawRoundedRect(
            card.translated(2.5, 2.5).adjusted(-spread, -spread, spread, spread), radius + spread,
            radius + spread);
    }
    painter.setBrush(Qt::white);
    painter.setPen(QPen(QColor(96, 96, 96), 1));
    painter.drawRoundedRect(card, radius, radius);
    return image;
}

QImage windowIcon()
{
    QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    // the sheet, with a folded corner and lines of text
    QPainterPath sheet;
    sheet.moveTo(3.5, 1.5);
    sheet.lineTo(17.5, 1.5);
    sheet.lineTo(23.5, 7.5);
    sheet.lineTo(23.5, 29.5);
    sheet.lineTo(3.5, 29.5);
    sheet.closeSubpath();
    painter.setPen(QPen(QColor(112, 112, 112), 1));
    painter.setBrush(QColor(214, 214, 214));
    painter.drawPath(sheet);
    painter.drawLine(QPointF(17.5, 1.5), QPointF(17.5, 7.5));
    painter.drawLine(QPointF(17.5, 7.5), QPointF(23.5, 7.5));
    painter.setPen(QPen(QColor(150, 150, 150), 1));
    for (int y = 11; y <= 26; y += 3)
        painter.drawLine(QPointF(6, y + 0.5), QPointF(13, y + 0.5));

    // the handle, then the lens over it
    painter.setPen(QPen(QColor(20, 70, 200), 4.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(22, 21), QPointF(28.5, 28.5));
    painter.setPen(QPen(QColor(60, 60, 60), 2));
    painter.setBrush(QColor(190, 225, 255, 210));
    painter.drawEllipse(QPointF(16.5, 15.5), 7, 7);
    painter.setPen(QPen(QColor(255, 255, 255, 220), 1.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(QRectF(12, 11, 7, 7), 100 * 16, 80 * 16);
    return image;
}

QImage aboutBanner()
{
    QImage image(bannerSize, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient ground(0, 0, 0, bannerSize.height());
    ground.setColorAt(0, QColor(36, 104, 200));
    ground.setColorAt(1, QColor(8, 52, 140));
    painter.fillRect(image.rect(), ground);
    painter.setPen(QPen(QColor(255, 255, 255, 60), 1));
    painter.drawLine(0, 62, bannerSize.width(), 62);

    const QImage icon = windowIcon();
    painter.drawImage(QPoint(18, 19), icon);

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(30);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(
        QRect(62, 8, 330, 50), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Zibrin"));
    return image;
}

} // namespace pictures
