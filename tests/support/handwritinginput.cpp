// SPDX-License-Identifier: GPL-3.0-or-later
#include "handwritinginput.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMouseEvent>
#include <QWidget>

#include <cmath>

handwriting::Ink medianInk(
    const QString &outlinesDir, const QString &character, qreal side, MedianPoints points)
{
    QFile file(outlinesDir + QLatin1Char('/') + character + QStringLiteral(".json"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    handwriting::Ink ink;
    const qreal scale = side / 1024;
    for (const QJsonValue &median :
        QJsonDocument::fromJson(file.readAll()).object().value(u"medians").toArray()) {
        handwriting::Stroke stroke;
        for (const QJsonValue &point : median.toArray()) {
            const QJsonArray xy = point.toArray();
            const qreal x = xy.at(0).toDouble() * scale, y = (900 - xy.at(1).toDouble()) * scale;
            if (points == MedianPoints::WholePixels)
                stroke.append(QPointF(std::round(x), std::round(y)));
            else
                stroke.append(QPointF(x, y));
        }
        ink.append(stroke);
    }
    return ink;
}

void sendMouse(QWidget &area, QEvent::Type type, const QPointF &at)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held
        = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, area.mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&area, &event);
}

void drawStroke(QWidget &area, const handwriting::Stroke &stroke)
{
    sendMouse(area, QEvent::MouseButtonPress, stroke.first());
    for (const QPointF &point : stroke)
        sendMouse(area, QEvent::MouseMove, point);
    sendMouse(area, QEvent::MouseButtonRelease, stroke.last());
}
