// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures.h"
#include "tests.h"

#include <QSet>
#include <QTest>

using framegeometry::Frame;

Q_DECLARE_METATYPE(framegeometry::Frame)

namespace {

constexpr QRgb white = 0xffffffff;
constexpr QRgb grey = 0xffc0c0c0;

} // namespace

// The pictures drawn at start-up.
class PicturesTest : public QObject {
    Q_OBJECT
private slots:
    void framePicture_data()
    {
        QTest::addColumn<Frame>("frame");
        QTest::addColumn<int>("cells");
        QTest::newRow("Image2") << Frame::Cells24 << 24;
        QTest::newRow("Image25") << Frame::Cells25 << 25;
        QTest::newRow("Image26") << Frame::Cells26 << 26;
        QTest::newRow("Image30") << Frame::Cells30 << 30;
    }

    // Pixel for pixel: grey exactly on the one-pixel ring around each cell interior, white
    // everywhere else (interiors and gaps).
    void framePicture()
    {
        QFETCH(Frame, frame);
        QFETCH(int, cells);
        const QImage image = pictures::framePicture(frame);
        QCOMPARE(image.size(), QSize(385, 255));
        const QList<QRect> interiors = framegeometry::cells(frame);
        QCOMPARE(interiors.size(), cells);

        QSet<quint32> ring;
        for (const QRect &cell : interiors) {
            const QRect box = cell.adjusted(-1, -1, 1, 1);
            for (int x = box.left(); x <= box.right(); ++x) {
                ring.insert(quint32(x) << 16 | quint32(box.top()));
                ring.insert(quint32(x) << 16 | quint32(box.bottom()));
            }
            for (int y = box.top(); y <= box.bottom(); ++y) {
                ring.insert(quint32(box.left()) << 16 | quint32(y));
                ring.insert(quint32(box.right()) << 16 | quint32(y));
            }
        }
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb expected = ring.contains(quint32(x) << 16 | quint32(y)) ? grey : white;
                if (image.pixel(x, y) != expected)
                    QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) is %3")
                                         .arg(x)
                                         .arg(y)
                                         .arg(image.pixel(x, y), 8, 16)));
            }
        }
    }

    // The full-width columns as drawn: interiors 58 wide starting at x = 1, 66, ..., 326, with
    // 5-pixel white gaps between the outlines.
    void frameColumns()
    {
        const QImage image = pictures::framePicture(Frame::Cells24);
        const int y = 30; // inside the first row
        QList<int> outlines;
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == grey)
                outlines.append(x);
        }
        QCOMPARE(outlines, (QList<int> { 0, 59, 65, 124, 130, 189, 195, 254, 260, 319, 325, 384 }));
    }

    // The 30-cell frame's rows are interiors 28, 33, 49, 54, 58 high at y = 1, 37, 78, 135, 196.
    void frame30Rows()
    {
        const QImage image = pictures::framePicture(Frame::Cells30);
        const int x = 30; // inside the first column
        QList<int> outlines;
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixel(x, y) == grey)
                outlines.append(y);
        }
        QCOMPARE(outlines, (QList<int> { 0, 29, 36, 70, 77, 127, 134, 189, 195, 254 }));
    }

    void backdropPanel_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("Image1") << pictures::pinyinBackdropSize;
        QTest::newRow("Image6") << pictures::strokeBackdropSize;
    }
    // A white card on the window's grey, with a darker outline and a shadow to the lower right.
    void backdropPanel()
    {
        QFETCH(QSize, size);
        const QImage image = pictures::backdropPanel(size);
        QCOMPARE(image.size(), size);
        QCOMPARE(image.pixel(0, 0), QColor(233, 233, 233).rgb());
        QCOMPARE(image.pixel(size.width() / 2, size.height() / 2), white);
        // along the middle row, left to right: grey surround, dark outline, white inside
        const int y = size.height() / 2;
        QCOMPARE(qGray(image.pixel(0, y)), 233);
        int darkest = 255;
        for (int x = 0; x < 10; ++x)
            darkest = qMin(darkest, qGray(image.pixel(x, y)));
        QVERIFY2(darkest < 140, qPrintable(QString::number(darkest)));
        // the shadow: right of the card darker than left of it
        QVERIFY(qGray(image.pixel(size.width() - 3, y)) < qGray(image.pixel(1, y)));
    }

    void windowIconAndBanner()
    {
        const QImage icon = pictures::windowIcon();
        QCOMPARE(icon.size(), QSize(32, 32));
        // the handle at the lower right is blue
        const QColor handle = icon.pixelColor(26, 26);
        QVERIFY(handle.blue() > 150 && handle.red() < 100);

        const QImage banner = pictures::aboutBanner();
        QCOMPARE(banner.size(), QSize(404, 71));
        const QColor ground = banner.pixelColor(400, 4);
        QVERIFY(ground.blue() > 120 && ground.red() < 80);
        // the name is written in white somewhere on it
        bool lettering = false;
        for (int x = 62; x < 250 && !lettering; ++x)
            lettering = banner.pixelColor(x, 35) == QColor(Qt::white);
        QVERIFY(lettering);
    }
};

int runPictureTests(int argc, char *argv[])
{
    PicturesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_pictures.moc"
