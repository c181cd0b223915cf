// SPDX-License-Identifier: GPL-3.0-or-later
#include "picturecopy.h"

#include "clicklabel.h"
#include "picturebox.h"

#include <QBuffer>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QTimer>

QPointF noticePosition(const QRectF &picture1, const QSizeF &label8)
{
    return QPointF((picture1.width() - label8.width()) / 2,
        picture1.height() + picture1.top() - label8.height() - 211);
}

QMimeData *pictureMimeData(const QImage &picture)
{
    auto *data = new QMimeData;
    data->setImageData(picture);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (picture.save(&buffer, "PNG"))
        data->setData(QStringLiteral("image/png"), png);
    return data;
}

PictureCopy::PictureCopy(const Controls &controls, QObject *parent)
    : QObject(parent)
    , c(controls)
{
    connect(c.Label1, &ClickLabel::pressed, this, &PictureCopy::Label1_MouseDown);
    connect(c.Timer3, &QTimer::timeout, this, &PictureCopy::Timer3_Timer);
}

void PictureCopy::Label1_MouseDown(Qt::MouseButton button)
{
    const QImage &picture
        = button == Qt::RightButton ? c.Picture1->storedPicture() : c.Picture1->image();
    // Nothing to copy: the clipboard keeps what it held, and no notice tells of a copy.
    if (picture.isNull())
        return;
    c.clipboard->clear();
    c.clipboard->setMimeData(pictureMimeData(picture)); // the clipboard owns it

    c.Label8->move(
        c.twipsToPixels(noticePosition(QRectF(*c.picture1Twips), QSizeF(c.label8Twips))));
    c.Label8->show();
    c.Timer3->start(); // restarts while the notice is shown
}

void PictureCopy::Timer3_Timer()
{
    c.Label8->hide();
    c.Timer3->stop();
}
