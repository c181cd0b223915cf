// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout.h"
#include "tests.h"

#include <QTest>

// The layout arithmetic in twips and its conversion to pixels.
class LayoutTest : public QObject {
    Q_OBJECT
private slots:
    void workedExample()
    {
        const layout::Layout l = layout::compute(912);
        QCOMPARE(l.picture1, QRect(96, 120, 5775, 3825));
        QCOMPARE(l.line1X, 6137);
        QCOMPARE(l.headingLeft, 6303);
        QCOMPARE(l.valueLeft, 6423);
        QCOMPARE(l.frame1, QRect(2160, 1620, 7759, 4047));
        QCOMPARE(l.text6Width, 7759);
        QCOMPARE(l.combo6Height, 5044);
        QCOMPARE(l.window, QSize(10269, 6467));
        QCOMPARE(l.image1, QRect(108, 470, 1812, 5419));
        QCOMPARE(l.image6, QRect(2028, 470, 8119, 5419));
    }

    // Only Label9's width moves anything: the width of the panel, the result box, the right
    // backdrop and the window follow it one to one; heights stay.
    void label9WidthMovesTheRightEdge()
    {
        const layout::Layout narrow = layout::compute(912);
        const layout::Layout wide = layout::compute(1032);
        QCOMPARE(wide.frame1.width() - narrow.frame1.width(), 120);
        QCOMPARE(wide.text6Width - narrow.text6Width, 120);
        QCOMPARE(wide.image6.width() - narrow.image6.width(), 120);
        QCOMPARE(wide.window.width() - narrow.window.width(), 120);
        QCOMPARE(wide.window.height(), narrow.window.height());
        QCOMPARE(wide.image1, narrow.image1);
        QCOMPARE(wide.headingLeft, narrow.headingLeft);
    }

    // The widest heading or link label widens the panel only where it would come closer than the
    // design's room to the right edge; with the design fonts nothing changes.
    void widestColumnLabel_data()
    {
        QTest::addColumn<int>("label9Width");
        QTest::addColumn<int>("widestHeading");
        QTest::addColumn<int>("widestValue");
        QTest::addColumn<int>("frame1Width");
        QTest::newRow("design widths: Label2 1350, Label13 1260") << 912 << 1350 << 1260 << 7759;
        QTest::newRow("Label9 narrower than designed") << 840 << 1260 << 1260 << 6423 + 1260 + 76;
        QTest::newRow("a wide heading") << 912 << 1500 << 1260 << 6303 + 1500 + 76;
        QTest::newRow("no column labels measured") << 912 << 0 << 0 << 7759;
    }
    void widestColumnLabel()
    {
        QFETCH(int, label9Width);
        QFETCH(int, widestHeading);
        QFETCH(int, widestValue);
        QFETCH(int, frame1Width);
        const layout::Layout l = layout::compute(label9Width, widestHeading, widestValue);
        QCOMPARE(l.frame1.width(), frame1Width);
        QCOMPARE(l.text6Width, frame1Width);
        QCOMPARE(l.window.width(), 2160 + frame1Width + 350);
    }

    void bannerSize_data()
    {
        QTest::addColumn<int>("outerWidth");
        QTest::addColumn<double>("height");
        // width / 5.69 in single precision
        QTest::newRow("design client width") << 6225 << 1094.0246;
        QTest::newRow("with a 4-pixel frame at 96 dpi") << 6345 << 1115.1142;
        QTest::newRow("the bitmap's own width") << 6060 << 1065.0264;
    }
    void bannerSize()
    {
        QFETCH(int, outerWidth);
        QFETCH(double, height);
        const QSizeF banner = layout::bannerSize(outerWidth);
        QCOMPARE(banner.width(), double(outerWidth));
        QVERIFY2(qAbs(banner.height() - height) < 0.001,
            qPrintable(QString::number(banner.height(), 'f', 6)));
        // the quotient is a float, not a double
        QCOMPARE(banner.height(), double(float(banner.height())));
    }

    void twipsToPixels_data()
    {
        QTest::addColumn<qreal>("dpi");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("96 dpi, Frame1")
            << qreal(96) << QRect(2160, 1620, 7759, 4047) << QRect(144, 108, 517, 270);
        QTest::newRow("96 dpi, Picture1")
            << qreal(96) << QRect(96, 120, 5775, 3825) << QRect(6, 8, 385, 255);
        QTest::newRow("120 dpi, Picture1")
            << qreal(120) << QRect(96, 120, 5775, 3825) << QRect(8, 10, 481, 319);
        QTest::newRow("144 dpi, window")
            << qreal(144) << QRect(0, 0, 10269, 6467) << QRect(0, 0, 1027, 647);
    }
    void twipsToPixels()
    {
        QFETCH(qreal, dpi);
        QFETCH(QRect, twips);
        QFETCH(QRect, pixels);
        const layout::TwipsScale scale { dpi, dpi };
        QCOMPARE(scale.rect(twips), pixels);
    }
};

int runLayoutTests(int argc, char *argv[])
{
    LayoutTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_layout.moc"
