// SPDX-License-Identifier: GPL-3.0-or-later
#include "addresses.h"
#include "form1.h"
#include "framegeometry.h"
#include "picturecopy.h"
#include "programfolder.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QStringEncoder>
#include <QTest>
#include <QUrl>

#include <memory>

namespace {

// Stroke-picture stand-ins: a pale yellow ground, so that the frame's grey shows where it is
// combined in, and a black bar through the first row of cells.
QImage photoOf(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(255, 255, 200));
    QPainter(&image).fillRect(QRect(0, 20, size.width(), 10), Qt::black);
    return image;
}

const QString ah = QStringLiteral("啊");
const QString feng = QStringLiteral("峰");
const QString zhong = QStringLiteral("中");
const QImage ahPhoto = photoOf(framegeometry::pictureSize);
const QImage fengPhoto = photoOf(QSize(200, 120)); // smaller than the box

QImage rgb(const QImage &image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage clipboardImage()
{
    return qvariant_cast<QImage>(QGuiApplication::clipboard()->mimeData()->imageData());
}

QImage clipboardPng()
{
    return QImage::fromData(
        QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("image/png")), "PNG");
}

// A pixel on the outline of the first cell of the 24-cell frame, which a stroke count of 10 gets.
QPoint outlinePixel()
{
    return framegeometry::cells(framegeometry::Frame::Cells24)
        .constFirst()
        .adjusted(-1, -1, 1, 1)
        .topLeft();
}

} // namespace

// Copying the stroke-order picture and opening the web pages, on the real main window.
class CopyAndLinksTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void noticePositionInTwips();

    void copyTakesThePicture_data();
    void copyTakesThePicture();
    void rightCopyWithoutStoredPictureCopiesNothing();
    void noticeSitsCentredNearTheLowerEdge();
    void noticeEndsAfterTimer3AndASecondCopyRestartsIt();

    void linksOpenTheirAddresses_data();
    void linksOpenTheirAddresses();
    void label5FollowsThePicturesOwnVisibility();
    void doubleClickIsOneClick_data();
    void doubleClickIsOneClick();

private:
    // The window after start-up completion, shown, with the character looked up through the
    // input box; the frame step has run when framed is true.
    void lookUp(const QString &character, bool framed = true);

    ProgramFolder m_folder;
    RecordingOpener m_opener;
    std::unique_ptr<Form1> m_form;
};

void CopyAndLinksTest::initTestCase()
{
    QCOMPARE(
        m_folder.writeDatabase({
            { ah, QStringLiteral("10"), QStringLiteral("a"), pngBytes(ahPhoto) },
            { feng, QStringLiteral("10"), QStringLiteral("fēng"), pngBytes(fengPhoto) },
            { zhong, QStringLiteral("4"), QStringLiteral("zhōng"), QByteArray() }, // no picture
        }),
        QString());
    m_folder.writeList2Bytes(QStringEncoder("GBK")(QStringLiteral("\"啊峰\",其余\r\n")));
}

void CopyAndLinksTest::init()
{
    m_opener.opened.clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    m_form = std::make_unique<Form1>(m_folder.path(), m_opener);
    m_form->Timer2_Timer();
    QCOMPARE(m_form->Text1, QStringLiteral("啊峰"));
}

void CopyAndLinksTest::cleanup()
{
    m_form.reset();
}

void CopyAndLinksTest::lookUp(const QString &character, bool framed)
{
    Form1 &form = *m_form;
    if (!form.isVisible()) {
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
    }
    form.Text5.setText(character);
    QVERIFY(!form.Picture1.isHidden());
    QCOMPARE(form.Label10, character);
    QVERIFY(form.Label1.isVisible());
    if (framed)
        QTRY_VERIFY(!form.Timer1.isActive()); // the frame step switches Timer1 off
    else
        QVERIFY(form.Timer1.isActive());
}

void CopyAndLinksTest::noticePositionInTwips()
{
    // Picture1 and Label8 at their design sizes
    QCOMPARE(noticePosition(QRectF(96, 120, 5775, 3825), QSizeF(4320, 540)), QPointF(727.5, 3194));
    // Picture1's top offset in Frame1 moves the notice down inside the picture
    QCOMPARE(noticePosition(QRectF(0, 0, 5775, 3825), QSizeF(4320, 540)), QPointF(727.5, 3074));
}

void CopyAndLinksTest::copyTakesThePicture_data()
{
    QTest::addColumn<QString>("character");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("framed");
    QTest::addColumn<bool>("withFrame");

    QTest::newRow("left, framed") << ah << Qt::LeftButton << true << true;
    QTest::newRow("middle, framed") << ah << Qt::MiddleButton << true << true;
    QTest::newRow("right, framed") << ah << Qt::RightButton << true << false;
    QTest::newRow("left, before the frame step") << ah << Qt::LeftButton << false << true;
    QTest::newRow("right, before the frame step") << ah << Qt::RightButton << false << false;
    QTest::newRow("left, small picture") << feng << Qt::LeftButton << true << true;
    QTest::newRow("right, small picture") << feng << Qt::RightButton << true << false;
}

void CopyAndLinksTest::copyTakesThePicture()
{
    QFETCH(QString, character);
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, framed);
    QFETCH(bool, withFrame);

    lookUp(character, framed);
    if (QTest::currentTestFailed())
        return;
    Form1 &form = *m_form;
    QTest::mousePress(&form.Label1, button);
    // on the press, not the release
    QVERIFY(form.Label8.isVisible());

    const QImage photo = character == ah ? ahPhoto : fengPhoto;
    const QImage copied = clipboardImage();
    QVERIFY(!copied.isNull());
    QVERIFY(
        QGuiApplication::clipboard()->mimeData()->formats().contains(QStringLiteral("image/png")));
    QCOMPARE(rgb(clipboardPng()), rgb(copied));
    QVERIFY(!QGuiApplication::clipboard()->mimeData()->hasText()); // emptied first

    if (!withFrame) {
        QCOMPARE(rgb(copied), rgb(photo));
        QCOMPARE(rgb(copied), rgb(form.Picture1.storedPicture()));
        return;
    }
    QCOMPARE(copied.size(), framegeometry::pictureSize);
    QCOMPARE(rgb(copied), rgb(form.Picture1.image()));
    const QPoint outline = outlinePixel();
    const QRgb ground = photo.pixel(outline);
    QCOMPARE(ground, qRgb(255, 255, 200));
    // the frame's grey ANDed into the ground, or the ground alone before the frame step
    QCOMPARE(copied.pixel(outline), framed ? QRgb(ground & framegeometry::outlineColour) : ground);
    if (character == feng) { // beyond the stored picture: the box's white
        const QPoint inLastCell
            = framegeometry::cells(framegeometry::Frame::Cells24).constLast().center();
        QVERIFY(!photo.rect().contains(inLastCell));
        QCOMPARE(copied.pixel(inLastCell), qRgb(255, 255, 255));
    }
}

void CopyAndLinksTest::rightCopyWithoutStoredPictureCopiesNothing()
{
    lookUp(zhong);
    if (QTest::currentTestFailed())
        return;
    Form1 &form = *m_form;
    QVERIFY(form.Picture1.storedPicture().isNull());

    // nothing to give: the clipboard keeps what it held, and no notice tells of a copy
    QTest::mousePress(&form.Label1, Qt::RightButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    QVERIFY(form.Label8.isHidden());
    QVERIFY(!form.Timer3.isActive());

    // the white box with the frame lines is still there to copy with the left button
    QTest::mousePress(&form.Label1, Qt::LeftButton);
    const QImage copied = clipboardImage();
    QCOMPARE(copied.pixel(outlinePixel()), framegeometry::outlineColour);
    QCOMPARE(
        copied.pixel(framegeometry::cells(framegeometry::Frame::Cells24).constFirst().center()),
        qRgb(255, 255, 255));
}

void CopyAndLinksTest::noticeSitsCentredNearTheLowerEdge()
{
    lookUp(ah);
    if (QTest::currentTestFailed())
        return;
    Form1 &form = *m_form;
    QVERIFY(form.Label8.isHidden());
    QTest::mousePress(&form.Label1, Qt::LeftButton);

    QCOMPARE(form.Label8.parentWidget(), &form.Picture1);
    const layout::TwipsScale &s = form.twips;
    QCOMPARE(form.Label8.geometry(), QRect(s.x(727.5), s.y(3194), s.x(4320), s.y(540)));
    if (s.dpiX == 96 && s.dpiY == 96)
        QCOMPARE(form.Label8.geometry(), QRect(49, 213, 288, 36));
    // inside the picture, centred, its lower edge a few pixels above the picture's
    const QRect notice = form.Label8.geometry();
    QVERIFY(form.Picture1.rect().contains(notice));
    QVERIFY(qAbs(notice.center().x() - form.Picture1.rect().center().x()) <= 1);
    QVERIFY(form.Picture1.height() - notice.bottom() <= s.y(211));
    // on top: what is seen at the notice's centre is the notice
    QCOMPARE(form.Picture1.childAt(notice.center()), &form.Label8);
}

void CopyAndLinksTest::noticeEndsAfterTimer3AndASecondCopyRestartsIt()
{
    lookUp(ah);
    if (QTest::currentTestFailed())
        return;
    Form1 &form = *m_form;
    QCOMPARE(form.Timer3.interval(), 2555);
    QVERIFY(!form.Timer3.isActive());

    QTest::mousePress(&form.Label1, Qt::LeftButton);
    QVERIFY(form.Timer3.isActive());
    // a second copy well into the notice's time starts the 2555 ms again
    QTRY_VERIFY_WITH_TIMEOUT(form.Timer3.remainingTime() < 1500, 10000);
    QVERIFY(form.Label8.isVisible());
    QTest::mousePress(&form.Label1, Qt::RightButton);
    QVERIFY(form.Timer3.remainingTime() > 1500);
    QVERIFY(form.Label8.isVisible());

    // Timer3's tick hides the notice and switches itself off
    QTRY_VERIFY_WITH_TIMEOUT(form.Label8.isHidden(), 10000);
    QVERIFY(!form.Timer3.isActive());
    // the clipboard keeps the picture after the notice has gone
    QCOMPARE(rgb(clipboardImage()), rgb(ahPhoto));
}

void CopyAndLinksTest::linksOpenTheirAddresses_data()
{
    QTest::addColumn<QString>("character");
    QTest::addColumn<QString>("link");
    QTest::addColumn<QByteArray>("address");

    // the pages beside the program
    const QByteArray strokeOrder
        = QUrl::fromLocalFile(m_folder.path() + "/strokeorder").toEncoded();
    QTest::newRow("Label13 ah") << ah << "Label13" << strokeOrder + "/bsdh/post/%E5%95%8A.html";
    QTest::newRow("Label5 ah") << ah << "Label5" << strokeOrder + "/bscx/post/%E5%95%8A.html";
    QTest::newRow("Label6 ah") << ah << "Label6"
                               << QByteArray("https://hanyu.baidu.com/s?wd=%E5%95%8A");
    QTest::newRow("Label13 empty") << QString() << "Label13" << strokeOrder + "/bsdh/post/.html";
    QTest::newRow("Label5 empty") << QString() << "Label5" << strokeOrder + "/bscx/post/.html";
    QTest::newRow("Label6 empty") << QString() << "Label6"
                                  << QByteArray("https://hanyu.baidu.com/s?wd=");
}

void CopyAndLinksTest::linksOpenTheirAddresses()
{
    QFETCH(QString, character);
    QFETCH(QString, link);
    QFETCH(QByteArray, address);

    lookUp(ah);
    if (QTest::currentTestFailed())
        return;
    Form1 &form = *m_form;
    QVERIFY(form.Label13.isVisible()); // 啊 is in LIST2.txt
    // the links read the bound captions, not the input box
    form.Label10 = character;
    form.Label2kk = character;
    form.Text5.blockSignals(true);
    form.Text5.setText(QStringLiteral("中"));
    form.Text5.blockSignals(false);

    auto *label = form.findChild<ClickLabel *>(link);
    QVERIFY(label);
    // a press alone opens nothing; the click is the press and release over the label
    QTest::mousePress(label, Qt::LeftButton);
    QVERIFY(m_opener.opened.isEmpty());
    QTest::mouseRelease(label, Qt::LeftButton);
    QCOMPARE(m_opener.opened.size(), 1);
    QCOMPARE(m_opener.opened.constFirst().toEncoded(), address);
    QVERIFY(form.isVisible());
}

void CopyAndLinksTest::label5FollowsThePicturesOwnVisibility()
{
    Form1 &form = *m_form;
    const QByteArray strokeOrder
        = QUrl::fromLocalFile(m_folder.path() + "/strokeorder").toEncoded();

    // before any record: the picture is hidden
    form.Label10 = ah;
    form.onlineLookups.Label5_Click();
    // the window not shown yet, the picture made visible: its own property counts
    form.Picture1.show();
    form.onlineLookups.Label5_Click();
    QCOMPARE(m_opener.opened.size(), 2);
    QCOMPARE(m_opener.opened.at(0).toEncoded(), strokeOrder + "/bscx");
    QCOMPARE(m_opener.opened.at(1).toEncoded(), strokeOrder + "/bscx/post/%E5%95%8A.html");

    // on screen: a character without record hides the picture
    m_opener.opened.clear();
    lookUp(ah);
    if (QTest::currentTestFailed())
        return;
    form.Text5.setText(QStringLiteral("无"));
    QVERIFY(form.Picture1.isHidden());
    QTest::mouseClick(&form.Label5, Qt::LeftButton);
    QCOMPARE(m_opener.opened.size(), 1);
    QCOMPARE(m_opener.opened.constFirst().toEncoded(), strokeOrder + "/bscx");
}

void CopyAndLinksTest::doubleClickIsOneClick_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<int>("opened");
    QTest::newRow("Label1") << "Label1" << 0;
    QTest::newRow("Label5") << "Label5" << 1;
    QTest::newRow("Label6") << "Label6" << 1;
    QTest::newRow("Label13") << "Label13" << 1;
}

// As the desktop reports a double click: press, release, double click (the second press), release.
void CopyAndLinksTest::doubleClickIsOneClick()
{
    QFETCH(QString, link);
    QFETCH(int, opened);

    lookUp(ah);
    if (QTest::currentTestFailed())
        return;
    auto *label = m_form->findChild<ClickLabel *>(link);
    QVERIFY(label);
    QSignalSpy presses(label, &ClickLabel::pressed);
    const QPointF inside(2, 2);
    const QPointF global = label->mapToGlobal(inside);
    const std::pair<QEvent::Type, Qt::MouseButtons> sequence[] = {
        { QEvent::MouseButtonPress, Qt::LeftButton },
        { QEvent::MouseButtonRelease, Qt::NoButton },
        { QEvent::MouseButtonDblClick, Qt::LeftButton },
        { QEvent::MouseButtonRelease, Qt::NoButton },
    };
    for (const auto &[type, buttons] : sequence) {
        QMouseEvent event(type, inside, global, Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(label, &event);
    }
    QCOMPARE(presses.size(), 1);
    QCOMPARE(m_opener.opened.size(), opened);

    // the next single click counts again
    QTest::mouseClick(label, Qt::LeftButton);
    QCOMPARE(presses.size(), 2);
    QCOMPARE(m_opener.opened.size(), opened * 2);
}

QTEST_MAIN(CopyAndLinksTest)
#include "tst_copyandlinks.moc"
