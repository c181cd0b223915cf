// SPDX-License-Identifier: GPL-3.0-or-later
// The picture checks of the end-to-end tests, on the real X display:
//   screencheck grab OUT.png                        the whole screen
//   screencheck expect PHOTO.mdb CHARACTER OUT.png  the character's stored picture with its frame
//   screencheck find SCREEN.png NEEDLE.png          is NEEDLE somewhere in SCREEN, pixel for pixel?
//   screencheck same A.png B.png                    do two pictures have the same pixels?
//   screencheck label TEXT POINTS OUT.png           TEXT as the panel's values show it: 宋体 at
//                                                   POINTS, blue on white
#include "fonts.h"
#include "framegeometry.h"
#include "photoschema.h"
#include "pictures.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <cstdio>

namespace {

QImage rgb(const QImage &image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

bool matchesAt(const QImage &haystack, const QImage &needle, int x0, int y0)
{
    for (int y = 0; y < needle.height(); ++y) {
        const auto *a = reinterpret_cast<const QRgb *>(haystack.constScanLine(y0 + y)) + x0;
        const auto *b = reinterpret_cast<const QRgb *>(needle.constScanLine(y));
        for (int x = 0; x < needle.width(); ++x) {
            if ((a[x] & 0xffffff) != (b[x] & 0xffffff))
                return false;
        }
    }
    return true;
}

int find(const QImage &haystack, const QImage &needle)
{
    for (int y = 0; y + needle.height() <= haystack.height(); ++y) {
        for (int x = 0; x + needle.width() <= haystack.width(); ++x) {
            if (matchesAt(haystack, needle, x, y)) {
                std::printf("found at %d,%d\n", x, y);
                return 0;
            }
        }
    }
    std::printf("not found\n");
    return 1;
}

int expect(const QString &database, const QString &character, const QString &out)
{
    QString strokeCount;
    QByteArray photo;
    {
        QSqlDatabase db
            = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("expect"));
        db.setDatabaseName(database);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        QSqlQuery query(db);
        if (!db.open() || !query.prepare(photoschema::selectFirstRecord(true, false)))
            return 2;
        query.addBindValue(character);
        if (!query.exec() || !query.next())
            return 2;
        const CharacterRecord record = photoschema::recordAt(query, false);
        strokeCount = record.BH;
        photo = record.photo;
    }
    QImage picture(framegeometry::pictureSize, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.drawImage(0, 0, QImage::fromData(photo));
    painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    painter.drawImage(
        0, 0, rgb(pictures::framePicture(framegeometry::frameForStrokeCount(strokeCount))));
    painter.end();
    return picture.save(out) ? 0 : 2;
}

int label(const QString &text, qreal points, const QString &out)
{
    QLabel label;
    label.setTextFormat(Qt::PlainText);
    label.setText(text);
    label.setFont(songti(points));
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    palette.setColor(QPalette::Window, Qt::white);
    label.setPalette(palette);
    label.setAutoFillBackground(true);
    label.adjustSize();
    return label.grab().save(out) ? 0 : 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == QLatin1String("grab")) {
        const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
        return screen.save(args[2]) ? 0 : 2;
    }
    if (args.size() == 5 && args[1] == QLatin1String("expect"))
        return expect(args[2], args[3], args[4]);
    if (args.size() == 4 && args[1] == QLatin1String("find"))
        return find(rgb(QImage(args[2])), rgb(QImage(args[3])));
    if (args.size() == 4 && args[1] == QLatin1String("same")) {
        const QImage a = rgb(QImage(args[2]));
        const QImage b = rgb(QImage(args[3]));
        const bool same = !a.isNull() && a.size() == b.size() && matchesAt(a, b, 0, 0);
        std::printf(same ? "same\n" : "different\n");
        return same ? 0 : 1;
    }
    if (args.size() == 5 && args[1] == QLatin1String("label"))
        return label(args[2], args[3].toDouble(), args[4]);
    std::fprintf(stderr,
        "usage: screencheck grab OUT | expect DB CHARACTER OUT | find SCREEN NEEDLE "
        "| same A B | label TEXT POINTS OUT\n");
    return 2;
}
