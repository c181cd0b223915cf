// SPDX-License-Identifier: GPL-3.0-or-later
// The character lookup and display on the real main window, over a fixture database.
#include "cardwindow.h"
#include "form1.h"
#include "programfolder.h"
#include "radicaldialog.h"

#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QTest>

#include <algorithm>

namespace {

const QList<CharacterRecord> &records()
{
    static const QList<CharacterRecord> rows = {
        { QStringLiteral("中"), QStringLiteral("4"), QStringLiteral("zhōng"),
            pngBytes(fixturePicture(1)) },
        { QStringLiteral("国"), QStringLiteral("8"), QStringLiteral("guó"),
            pngBytes(fixturePicture(2)) },
        { QStringLiteral("峰"), QStringLiteral("10"), QStringLiteral("fēng"),
            pngBytes(fixturePicture(3)) },
        { QStringLiteral("一"), QStringLiteral("1"), QStringLiteral("yī"), QByteArray() },
        { QStringLiteral("甲"), QStringLiteral("25"), QStringLiteral("jiǎ"),
            pngBytes(fixturePicture(4)) },
        { QStringLiteral("乙"), QStringLiteral("26"), QStringLiteral("yǐ"),
            pngBytes(fixturePicture(5)) },
        { QStringLiteral("丙"), QStringLiteral("27"), QStringLiteral("bǐng"),
            pngBytes(fixturePicture(6)) },
        { QStringLiteral("爨"), QStringLiteral("30"), QStringLiteral("cuàn"),
            pngBytes(fixturePicture(7)) },
        { QStringLiteral("丁"), QStringLiteral("31"), QStringLiteral("dīng"),
            pngBytes(fixturePicture(8)) },
        { QStringLiteral("𠀀"), QStringLiteral("5"), QStringLiteral("qiū"),
            pngBytes(fixturePicture(9)) },
        { QStringLiteral("x"), QStringLiteral("2"), QString(), QByteArray("not a picture") },
        { QStringLiteral("和"), QStringLiteral("8"), QStringLiteral("hé"),
            pngBytes(fixturePicture(10)) },
        { QStringLiteral("呢"), QStringLiteral("8"), QStringLiteral("ne"),
            pngBytes(fixturePicture(11)) },
    };
    return rows;
}

} // namespace

class LookupWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void openShowsFirstRecordHidden();
    void inputBoxChange_data();
    void inputBoxChange();
    void inputBoxCaret_data();
    void inputBoxCaret();
    void inputBoxRealClick();
    void resultBoxClick();
    void resultBoxDraggedSelection();
    void resultBoxKeyUp();
    void frameChoice_data();
    void frameChoice();
    void frameStepAndsPixels();
    void copyBeforeFrameStepHasNoFrame();
    void emptyPhotoShowsFrameOnWhite();
    void emptyingResultBoxHidesAll();
    void notice();
    void animationLink();
    void animationLinkBeforeList2();
    void brokenDatabase_data();
    void brokenDatabase();
    void oddRecords();
    void sharpPictureAtTwiceThePixels();
    void pictureBombIsNotDecoded();
    void sameRecordIsDecodedOnce();
    void pasteWithTrailingCharacters_data();
    void pasteWithTrailingCharacters();
    void largePastesAreBounded();
    void panelReadings_data();
    void panelReadings();
    void cardWindow_data();
    void cardWindow();
    void radicalIndex_data();
    void radicalIndex();

private:
    // Types the text into Text5 as one assignment, as a paste does.
    void setInput(const QString &text) { m_window->Text5.setText(text); }
    bool recordControlsVisible(bool withLabel13 = false) const;
    bool recordControlsHidden() const;
    void waitForFrameStep() { QTRY_VERIFY(!m_window->Timer1.isActive()); }

    std::unique_ptr<ProgramFolder> m_folder;
    RecordingOpener m_opener;
    std::unique_ptr<Form1> m_window;
};

void LookupWindowTest::init()
{
    m_folder = std::make_unique<ProgramFolder>();
    QCOMPARE(m_folder->writeDatabase(records()), QString());
    QCOMPARE(m_folder->writeCards(), QString());
    m_folder->writeList2(QStringLiteral("中国峰一"));
    m_window = startedWindow(*m_folder, m_opener);
    QVERIFY(!m_window->Timer2.isActive());
}

void LookupWindowTest::cleanup()
{
    m_window.reset();
    m_folder.reset();
}

bool LookupWindowTest::recordControlsVisible(bool withLabel13) const
{
    const Form1 &w = *m_window;
    bool all = !w.Picture1.isHidden();
    for (const QWidget *l : std::initializer_list<const QWidget *> { &w.Label23, &w.Label2,
             &w.Label9, &w.Label3, &w.Label6, &w.Label1, &w.Label7, &w.Label24 })
        all = all && !l->isHidden();
    return all && (!withLabel13 || !w.Label13.isHidden());
}

bool LookupWindowTest::recordControlsHidden() const
{
    const Form1 &w = *m_window;
    bool all = w.Picture1.isHidden();
    for (const QWidget *l : std::initializer_list<const QWidget *> { &w.Label23, &w.Label2,
             &w.Label9, &w.Label3, &w.Label6, &w.Label1, &w.Label7, &w.Label13, &w.Label24 })
        all = all && l->isHidden();
    return all;
}

void LookupWindowTest::openShowsFirstRecordHidden()
{
    // the first record is current and bound, and its stroke count chose the frame
    QCOMPARE(m_window->Label10, QStringLiteral("中"));
    QCOMPARE(m_window->Label2kk, QStringLiteral("中"));
    QCOMPARE(m_window->Label7.text(), QStringLiteral("4"));
    QCOMPARE(m_window->Label3.text(), QStringLiteral("zhōng"));
    QCOMPARE(m_window->Picture1.storedPicture(), fixturePicture(1));
    QCOMPARE(m_window->Image5, m_window->Image2);
    QVERIFY(recordControlsHidden());
    QVERIFY(m_window->Label4.isHidden());
}

void LookupWindowTest::inputBoxChange_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("current"); // Label10 afterwards
    QTest::addColumn<bool>("shown");
    QTest::newRow("last of several") << "中国"
                                     << "国" << true;
    QTest::newRow("no record") << "我"
                               << "中" << false;
    QTest::newRow("quote") << "'"
                           << "中" << false;
    QTest::newRow("quote pair") << "''"
                                << "中" << false;
    QTest::newRow("sql text") << "x' OR '1'='1"
                              << "中" << false;
    QTest::newRow("emoji") << "😀"
                           << "中" << false;
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << "中" << false;
    QTest::newRow("not a picture") << "x"
                                   << "x" << true;
    QTest::newRow("pasted with its line end") << "峰\n"
                                              << "峰" << true;
    QTest::newRow("pasted with a full stop") << "峰。"
                                             << "峰" << true;
    QTest::newRow("pasted with a space") << "峰 "
                                         << "峰" << true;
    QTest::newRow("punctuation alone") << "。"
                                       << "中" << false;
}

void LookupWindowTest::inputBoxChange()
{
    QFETCH(QString, text);
    QFETCH(QString, current);
    QFETCH(bool, shown);

    setInput(text);
    QCOMPARE(m_window->Label10, current);
    QCOMPARE(recordControlsVisible(), shown);
    if (!shown)
        QVERIFY(text.trimmed().isEmpty() ? recordControlsHidden() || !recordControlsVisible()
                                         : recordControlsHidden());
}

void LookupWindowTest::inputBoxCaret_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<bool>("keyUp"); // else Click
    QTest::addColumn<QString>("current");
    QTest::addColumn<bool>("shown");
    QTest::newRow("click between") << "中国" << 1 << false << "国" << true;
    QTest::newRow("click in spaces: nothing") << "   " << 1 << false << "峰" << true;
    QTest::newRow("key in spaces looks up a space") << "   " << 1 << true << "峰" << false;
}

void LookupWindowTest::inputBoxCaret()
{
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(bool, keyUp);
    QFETCH(QString, current);
    QFETCH(bool, shown);

    setInput(QStringLiteral("峰"));
    {
        // the text goes in without its own change handling, as if it had been there before
        QSignalBlocker quiet(&m_window->Text5);
        m_window->Text5.setText(text);
    }
    m_window->Text5.setCursorPosition(caret);
    if (keyUp)
        QTest::keyRelease(&m_window->Text5, Qt::Key_Right);
    else
        emit m_window->Text5.clicked();
    QCOMPARE(m_window->Label10, current);
    QCOMPARE(recordControlsVisible(), shown);
}

void LookupWindowTest::inputBoxRealClick()
{
    setInput(QStringLiteral("中国"));
    m_window->Text5.setFocus();
    // far left puts the caret before 中, far right after 国
    QTest::mouseClick(
        &m_window->Text5, Qt::LeftButton, {}, QPoint(1, m_window->Text5.height() / 2));
    QCOMPARE(m_window->Label10, QStringLiteral("中"));
    QTest::mouseClick(&m_window->Text5, Qt::LeftButton, {},
        QPoint(m_window->Text5.width() - 2, m_window->Text5.height() / 2));
    QCOMPARE(m_window->Label10, QStringLiteral("国"));
}

void LookupWindowTest::resultBoxClick()
{
    ResultBox &box = m_window->Text6;
    box.setText(QStringLiteral("中 国 "));
    QVERIFY(recordControlsVisible());
    QCOMPARE(box.toolTip(), QStringLiteral("点击汉字得到笔画，拼音信息。"));

    // a click just right of 中, on the space, selects and looks up 中
    QTextCursor at(box.document());
    at.setPosition(1);
    const QRect caret = box.cursorRect(at);
    QTest::mouseClick(box.viewport(), Qt::LeftButton, {}, caret.center() + QPoint(2, 0));
    QCOMPARE(box.textCursor().selectedText(), QStringLiteral("中"));
    QCOMPARE(m_window->Label10, QStringLiteral("中"));

    // at the end of the text nothing is selected; the display follows the last find
    setInput(QStringLiteral("我")); // no record
    QVERIFY(recordControlsHidden());
    QTest::mouseClick(box.viewport(), Qt::LeftButton, {},
        QPoint(box.viewport()->width() - 3, box.viewport()->height() - 3));
    QVERIFY(!box.textCursor().hasSelection());
    QCOMPARE(m_window->Label10, QStringLiteral("中"));
    QVERIFY(recordControlsHidden());
}

void LookupWindowTest::resultBoxDraggedSelection()
{
    ResultBox &box = m_window->Text6;
    box.setText(QStringLiteral("中 国 峰 "));
    setInput(QStringLiteral("我")); // the last find found nothing
    QTextCursor selection(box.document());
    selection.setPosition(0);
    selection.setPosition(3, QTextCursor::KeepAnchor);
    box.setTextCursor(selection);
    emit box.clicked();
    QCOMPARE(box.textCursor().selectedText(), QStringLiteral("中 国"));
    QCOMPARE(m_window->Label10, QStringLiteral("中")); // 我 has none: the current record stayed
    QVERIFY(recordControlsHidden());

    setInput(QStringLiteral("峰"));
    box.setTextCursor(selection);
    emit box.clicked();
    QCOMPARE(m_window->Label10, QStringLiteral("峰"));
    QVERIFY(recordControlsVisible());
}

// A key released in the result box looks up the character before the caret.
void LookupWindowTest::resultBoxKeyUp()
{
    m_window->Text6.setText(QStringLiteral("中 国 "));
    setInput(QStringLiteral("峰"));
    QTextCursor cursor = m_window->Text6.textCursor();
    cursor.setPosition(3);
    m_window->Text6.setTextCursor(cursor);
    QTest::keyRelease(&m_window->Text6, Qt::Key_Left);
    QCOMPARE(m_window->Label10, QStringLiteral("国"));
}

void LookupWindowTest::frameChoice_data()
{
    QTest::addColumn<QString>("character");
    QTest::addColumn<int>("frame");
    QTest::newRow("25") << "甲" << 25;
    QTest::newRow("26") << "乙" << 26;
    QTest::newRow("27 gets 24 cells") << "丙" << 24;
    QTest::newRow("30") << "爨" << 30;
    QTest::newRow("31 gets 24 cells") << "丁" << 24;
    QTest::newRow("10") << "峰" << 24;
}

void LookupWindowTest::frameChoice()
{
    QFETCH(QString, character);
    QFETCH(int, frame);

    setInput(QStringLiteral("爨")); // start from another frame than the expected one
    if (frame == 30)
        setInput(QStringLiteral("甲"));
    setInput(character);
    const QImage expected = frame == 25 ? m_window->Image25
        : frame == 26                   ? m_window->Image26
        : frame == 30                   ? m_window->Image30
                                        : m_window->Image2;
    QCOMPARE(m_window->Image5, expected);
}

void LookupWindowTest::frameStepAndsPixels()
{
    setInput(QStringLiteral("峰"));
    QVERIFY(m_window->Timer1.isActive());
    waitForFrameStep();
    const QImage stored = m_window->Picture1.storedPicture().convertToFormat(QImage::Format_RGB32);
    const QImage frame = m_window->Image5.convertToFormat(QImage::Format_RGB32);
    const QImage shown = m_window->Picture1.image();
    QCOMPARE(shown.size(), QSize(385, 255));
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb expected = (stored.pixel(x, y) & frame.pixel(x, y)) | 0xff000000;
            if ((shown.pixel(x, y) | 0xff000000) != expected)
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
        }
    }
    // the grey outline darkened the white, and black stayed black
    QCOMPARE(QColor(shown.pixel(0, 0)), QColor(192, 192, 192));
}

void LookupWindowTest::copyBeforeFrameStepHasNoFrame()
{
    setInput(QStringLiteral("峰"));
    QCOMPARE(m_window->Picture1.image().convertToFormat(QImage::Format_RGB32),
        fixturePicture(3).convertToFormat(QImage::Format_RGB32));
    waitForFrameStep();
    QVERIFY(m_window->Picture1.image() != fixturePicture(3));
}

void LookupWindowTest::emptyPhotoShowsFrameOnWhite()
{
    setInput(QStringLiteral("一"));
    QVERIFY(recordControlsVisible());
    waitForFrameStep();
    QCOMPARE(m_window->Picture1.image().convertToFormat(QImage::Format_RGB32),
        m_window->Image2.convertToFormat(QImage::Format_RGB32));
    // the notice lies beneath the shown picture
    QVERIFY(!m_window->Label4.isHidden());
    QVERIFY(m_window->Picture1.geometry().contains(m_window->Label4.geometry()));
    QCOMPARE(m_window->Frame1.childAt(m_window->Label4.geometry().center()), &m_window->Picture1);
}

void LookupWindowTest::emptyingResultBoxHidesAll()
{
    m_window->Text6.setText(QStringLiteral("中 "));
    setInput(QStringLiteral("中"));
    waitForFrameStep();
    QVERIFY(recordControlsVisible(true));
    m_window->Text6.setText(QString());
    QVERIFY(recordControlsHidden());
    QCOMPARE(m_window->Text6.toolTip(), QString());
}

void LookupWindowTest::notice()
{
    // before the first frame step a lookup without record leaves the panel empty
    setInput(QStringLiteral("我"));
    QVERIFY(m_window->Label4.isHidden());
    setInput(QStringLiteral("峰"));
    waitForFrameStep();
    setInput(QStringLiteral("我"));
    QVERIFY(recordControlsHidden());
    QVERIFY(!m_window->Label4.isHidden());
    QCOMPARE(m_window->Label4.text(), QStringLiteral("数据库里没有此字符的笔划图"));
}

void LookupWindowTest::animationLink()
{
    QCOMPARE(m_window->Text1, QStringLiteral("中国峰一"));
    setInput(QStringLiteral("峰"));
    QVERIFY(m_window->Label13.isHidden()); // the frame step decides
    waitForFrameStep();
    QVERIFY(!m_window->Label13.isHidden());
    setInput(QStringLiteral("甲"));
    waitForFrameStep();
    QVERIFY(m_window->Label13.isHidden());
}

void LookupWindowTest::animationLinkBeforeList2()
{
    // a window whose start-up completion has not run yet: Text1 is still empty
    Form1 early(m_folder->path(), m_opener);
    QVERIFY(early.Timer2.isActive());
    early.Timer2.stop(); // hold its first tick while the lookup runs
    early.Text5.setText(QStringLiteral("峰"));
    QVERIFY(!early.Picture1.isHidden());
    QTRY_VERIFY(!early.Timer1.isActive());
    QVERIFY(early.Label13.isHidden());
}

void LookupWindowTest::brokenDatabase_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("present");
    QTest::newRow("missing") << QByteArray() << false;
    QTest::newRow("empty file") << QByteArray() << true;
    QTest::newRow("not SQLite") << QByteArray("Standard Jet DB\0\0\0 not really", 30) << true;
    QTest::newRow("truncated") << QByteArray() << true; // filled from a real database below
}

void LookupWindowTest::brokenDatabase()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, present);

    ProgramFolder folder;
    folder.writeList2(QStringLiteral("峰"));
    if (QTest::currentDataTag() == QLatin1String("truncated")) {
        QCOMPARE(folder.writeDatabase(records()), QString());
        QFile real(folder.path() + QStringLiteral("/Photo.mdb"));
        QVERIFY(real.open(QIODevice::ReadOnly));
        content = real.read(real.size() / 3);
    }
    if (present) {
        QFile file(folder.path() + QStringLiteral("/Photo.mdb"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    RecordingOpener opener;
    std::unique_ptr<Form1> window = startedWindow(folder, opener);
    QVERIFY(window->isVisible());
    QVERIFY(!window->Data1.isOpen());
    window->Text5.setText(QStringLiteral("峰"));
    QVERIFY(window->Picture1.isHidden());
    window->Text6.setText(QStringLiteral("峰 "));
    window->Text6.setTextCursor(QTextCursor(window->Text6.document()));
    emit window->Text6.clicked();
    QVERIFY(window->Picture1.isHidden());
    QVERIFY(window->Data1.NoMatch());
}

void LookupWindowTest::oddRecords()
{
    // a photo of 100 MB (more than a usable record has), a PNG cut short, and a record of empty
    // fields
    QByteArray huge(100 * 1024 * 1024, '\x89');
    huge.replace(0, 8, QByteArray("\x89PNG\r\n\x1a\n", 8));
    const QByteArray cut = pngBytes(fixturePicture(1)).left(200);
    ProgramFolder folder;
    QCOMPARE(folder.writeDatabase(
                 { { QStringLiteral("大"), QStringLiteral("3"), QStringLiteral("dà"), huge },
                     { QStringLiteral("小"), QStringLiteral("3"), QStringLiteral("xiǎo"), cut },
                     { QStringLiteral("空"), QString(), QString(), QByteArray() } }),
        QString());
    huge.clear();
    folder.writeList2(QStringLiteral("大小"));
    RecordingOpener opener;
    std::unique_ptr<Form1> window = startedWindow(folder, opener);
    window->Text5.setText(QStringLiteral("大"));
    QVERIFY(recordControlsHidden());
    for (const QString &c : { QStringLiteral("小"), QStringLiteral("空") }) {
        window->Text5.setText(c);
        QCOMPARE(window->Label10, c);
        QVERIFY(!window->Picture1.isHidden());
        QTRY_VERIFY(!window->Timer1.isActive());
        // nothing readable: the white box with the frame lines
        QCOMPARE(window->Picture1.image().convertToFormat(QImage::Format_RGB32),
            window->Image2.convertToFormat(QImage::Format_RGB32));
    }
    QCOMPARE(window->Label7.text(), QString());
}

namespace {

// How many of the inked pixels (not white) are none of the three stroke colours: the
// anti-aliased edges, which a picture drawn at twice the pixels has half as many of, for its size.
double edgeShare(const QImage &image)
{
    int inked = 0;
    int edges = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y) | 0xff000000;
            if (p == 0xffffffff || p == 0xffc0c0c0)
                continue;
            ++inked;
            edges += p != 0xff000000 && p != 0xffff0000 && p != 0xffd6d6d6;
        }
    }
    return inked ? double(edges) / inked : 1.0;
}

// How many of the 2 x 2 blocks with ink are not of one colour: none in a picture scaled up by
// repeating its pixels.
double mixedBlockShare(const QImage &image)
{
    int inked = 0;
    int mixed = 0;
    for (int y = 0; y + 1 < image.height(); y += 2) {
        for (int x = 0; x + 1 < image.width(); x += 2) {
            const QRgb block[] = { image.pixel(x, y), image.pixel(x + 1, y), image.pixel(x, y + 1),
                image.pixel(x + 1, y + 1) };
            if (std::all_of(std::begin(block), std::end(block),
                    [](QRgb p) { return (p | 0xff000000) == 0xffffffff; }))
                continue;
            ++inked;
            mixed += !std::all_of(
                std::begin(block), std::end(block), [&](QRgb p) { return p == block[0]; });
        }
    }
    return inked ? double(mixed) / inked : 0.0;
}

} // namespace

// A picture bomb: a small progressive JPEG whose header claims 5600 x 5600 pixels. Decoded, it
// would take 120 MB and, with many scans, a minute.
namespace {

QByteArray jpegClaiming(QSize size)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    if (!writer.write(fixturePicture(1).scaled(16, 16)))
        return QByteArray();
    const qsizetype frame
        = bytes.indexOf(QByteArray("\xff\xc2", 2)); // start of a progressive frame
    if (frame < 0)
        return QByteArray();
    // marker, length (2), precision (1), then height and width (2 each, big-endian)
    bytes[frame + 5] = char(size.height() >> 8);
    bytes[frame + 6] = char(size.height() & 0xff);
    bytes[frame + 7] = char(size.width() >> 8);
    bytes[frame + 8] = char(size.width() & 0xff);
    return bytes;
}

} // namespace

// 峰 of the built Photo.mdb at a device pixel ratio of 2: the box shows the picture drawn at 770 x
// 510 with the frame combined in at that size, the same strokes and cells as the 385 x 255
// picture, which the copies keep taking.
void LookupWindowTest::sharpPictureAtTwiceThePixels()
{
    ProgramFolder folder;
    QVERIFY(QFile::copy(QStringLiteral(ZIBRIN_BUILD_DIR "/Photo.mdb"),
        folder.path() + QStringLiteral("/Photo.mdb")));
    folder.writeList2(QStringLiteral("峰"));
    std::unique_ptr<Form1> window = startedWindow(folder, m_opener);
    window->Text5.setText(QStringLiteral("峰"));
    // painted on a screen of ratio 2 before the frame step, and again after it
    QPixmap screen(window->Picture1.size() * 2);
    screen.setDevicePixelRatio(2);
    window->Picture1.render(&screen);
    QTRY_VERIFY(!window->Timer1.isActive());
    window->Picture1.render(&screen);
    const PictureBox &box = window->Picture1;
    QCOMPARE(box.size(), QSize(385, 255));
    QCOMPARE(box.storedPicture().size(), QSize(385, 255));
    const QImage image = box.image().convertToFormat(QImage::Format_RGB32);
    QVERIFY(box.sharpImage(1).isNull());

    const QImage sharp = box.sharpImage(2).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(sharp.size(), QSize(770, 510));
    QCOMPARE(sharp.devicePixelRatio(), 2.0);
    QCOMPARE(screen.toImage().convertToFormat(QImage::Format_RGB32), sharp);

    // the frame at twice the pixels: each outline two pixels wide, on the same cells
    for (const QPoint &outline : { QPoint(0, 0), QPoint(65, 30), QPoint(30, 65) }) {
        for (int dy = 0; dy < 2; ++dy)
            for (int dx = 0; dx < 2; ++dx)
                QCOMPARE(sharp.pixel(outline * 2 + QPoint(dx, dy)) & 0xffffff,
                    image.pixel(outline) & 0xffffff);
    }
    // the same strokes: each 2 x 2 block averages to the pixel of the 385 x 255 picture
    qint64 difference = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            for (int shift : { 16, 8, 0 }) { // red, green, blue
                int sum = 0;
                for (int d = 0; d < 4; ++d)
                    sum += (sharp.pixel(2 * x + d % 2, 2 * y + d / 2) >> shift) & 0xff;
                difference += qAbs(sum / 4 - int((image.pixel(x, y) >> shift) & 0xff));
            }
        }
    }
    const double meanDifference = double(difference) / (image.width() * image.height() * 3);
    QVERIFY2(meanDifference < 3, qPrintable(QString::number(meanDifference)));
    // in finer detail: sharper edges than the picture scaled up, smoothly or by repeated pixels
    QVERIFY2(mixedBlockShare(sharp) > 0.2, qPrintable(QString::number(mixedBlockShare(sharp))));
    const double sharpEdges = edgeShare(sharp);
    const double scaledEdges
        = edgeShare(image.scaled(770, 510, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    QVERIFY2(sharpEdges < 0.75 * scaledEdges,
        qPrintable(QStringLiteral("%1 %2").arg(sharpEdges).arg(scaledEdges)));
}

void LookupWindowTest::pictureBombIsNotDecoded()
{
    const QByteArray bomb = jpegClaiming(QSize(5600, 5600));
    QVERIFY(!bomb.isEmpty());
    QBuffer buffer;
    buffer.setData(bomb);
    QCOMPARE(QImageReader(&buffer).size(), QSize(5600, 5600));

    ProgramFolder folder;
    QCOMPARE(folder.writeDatabase({ { QStringLiteral("中"), QStringLiteral("4"),
                                        QStringLiteral("zhōng"), pngBytes(fixturePicture(1)) },
                 { QStringLiteral("炸"), QStringLiteral("9"), QStringLiteral("zhà"), bomb } }),
        QString());
    folder.writeList2(QStringLiteral("中"));
    RecordingOpener opener;
    std::unique_ptr<Form1> window = startedWindow(folder, opener);
    window->Text5.setText(QStringLiteral("炸"));
    QCOMPARE(window->Label10, QStringLiteral("炸"));
    QVERIFY(!window->Picture1.isHidden());
    QVERIFY(window->Picture1.storedPicture().isNull());
    QTRY_VERIFY(!window->Timer1.isActive());
    // the white box with the frame lines, as for a photo that is no picture
    QCOMPARE(window->Picture1.image().convertToFormat(QImage::Format_RGB32),
        window->Image2.convertToFormat(QImage::Format_RGB32));
}

// Pasting a character looks it up on the change and again on each key release: the picture of the
// record already shown is not decoded again, another record's is.
void LookupWindowTest::sameRecordIsDecodedOnce()
{
    Form1 &w = *m_window;
    w.Text5.setFocus();
    setInput(QStringLiteral("峰"));
    const qint64 decoded = w.Picture1.storedPicture().cacheKey();
    QCOMPARE(w.Picture1.storedPicture(), fixturePicture(3));
    QTest::keyClick(&w.Text5, Qt::Key_End);
    QTest::keyClick(&w.Text5, Qt::Key_Control);
    QCOMPARE(w.Label10, QStringLiteral("峰"));
    QCOMPARE(w.Picture1.storedPicture().cacheKey(), decoded);

    setInput(QStringLiteral("峰国"));
    QCOMPARE(w.Picture1.storedPicture(), fixturePicture(2));
    setInput(QStringLiteral("峰"));
    QVERIFY(w.Picture1.storedPicture().cacheKey() != decoded);
    QCOMPARE(w.Picture1.storedPicture(), fixturePicture(3));
}

// Pasted with Ctrl+V, a character with what came after it on the clipboard: the change and the
// key release at the end of the text both look up the character.
void LookupWindowTest::pasteWithTrailingCharacters_data()
{
    QTest::addColumn<QString>("clipboard");
    QTest::newRow("line end") << QStringLiteral("国\n");
    QTest::newRow("full stop") << QStringLiteral("国。");
    QTest::newRow("space") << QStringLiteral("国 ");
    QTest::newRow("several characters") << QStringLiteral("峰国");
}

void LookupWindowTest::pasteWithTrailingCharacters()
{
    QFETCH(QString, clipboard);
    Form1 &w = *m_window;
    QGuiApplication::clipboard()->setText(clipboard);
    w.Text5.setFocus();
    QTest::keyClick(&w.Text5, Qt::Key_V, Qt::ControlModifier);
    QVERIFY(w.Text5.text().startsWith(clipboard.first(1)));
    QCOMPARE(w.Label10, QStringLiteral("国"));
    QVERIFY(recordControlsVisible());
}

// A paste takes no more than the box holds, and pasting over and over keeps no growing history:
// every step of Qt's undo history keeps the text it removed and inserted.
void LookupWindowTest::largePastesAreBounded()
{
    Form1 &w = *m_window;
    QGuiApplication::clipboard()->setText(QString(70000, u'中'));
    QTest::keyClick(&w.Text6, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.Text6.text().size(), ResultBox::maximumLength);
    QVERIFY(w.Text6.document()->isUndoAvailable());
    for (int round = 0; round < 10; ++round) {
        for (QWidget *box : std::initializer_list<QWidget *> { &w.Text5, &w.Text6 }) {
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        }
    }
    QCOMPARE(w.Text6.text().size(), ResultBox::maximumLength);
    QCOMPARE(w.Text5.text().size(), w.Text5.maxLength());
    QVERIFY(w.Text6.document()->availableUndoSteps() <= 4);
    int steps = 0;
    for (; w.Text5.isUndoAvailable() && steps < 20; ++steps)
        w.Text5.undo();
    QVERIFY(steps <= 4);
}

// Every reading of the character in the panel, most used first; the stored one where card.db has
// none. Five readings still end inside Frame1.
void LookupWindowTest::panelReadings_data()
{
    QTest::addColumn<QString>("character");
    QTest::addColumn<QString>("pinyin");
    QTest::newRow("one") << "峰"
                         << "fēng";
    QTest::newRow("two") << "中"
                         << "zhōng zhòng";
    QTest::newRow("most used first, whatever is stored") << "呢"
                                                         << "ne ní";
    QTest::newRow("five") << "和"
                          << "hé hè huó huò hú";
    QTest::newRow("no card: as stored") << "国"
                                        << "guó";
}

void LookupWindowTest::panelReadings()
{
    QFETCH(QString, character);
    QFETCH(QString, pinyin);
    setInput(character);
    QCOMPARE(m_window->Label3.text(), pinyin);
    QVERIFY(recordControlsVisible());
    const QRect shown = m_window->Label3.geometry();
    QVERIFY(shown.right() < m_window->Frame1.width());
    QVERIFY(shown.bottom() < m_window->Label2.y());
}

// 字卡 or Ctrl+I open the card of the shown character beside the window; it follows the lookups,
// a character of a word is shown in the window, Esc closes it and it opens again where it was.
void LookupWindowTest::cardWindow_data()
{
    QTest::addColumn<bool>("byKey");
    QTest::newRow("字卡") << false;
    QTest::newRow("Ctrl+I") << true;
}

void LookupWindowTest::cardWindow()
{
    QFETCH(bool, byKey);
    Form1 &w = *m_window;
    QVERIFY(!w.characterCard.cardWindow());
    setInput(QStringLiteral("峰"));
    waitForFrameStep();
    if (byKey) {
        QTest::keyClick(&w.Text5, Qt::Key_I, Qt::ControlModifier);
    } else {
        QVERIFY(!w.Label24.isHidden());
        QTest::mouseClick(&w.Label24, Qt::LeftButton);
    }
    CardWindow *card = w.characterCard.cardWindow();
    QVERIFY(card);
    QVERIFY(QTest::qWaitForWindowExposed(card));
    QCOMPARE(card->windowTitle(), QStringLiteral("字卡：峰"));
    QVERIFY(card->text.toPlainText().contains(QStringLiteral("山峰 shānfēng")));
    QCOMPARE(card->frameGeometry().top(), w.frameGeometry().top());
    QVERIFY(card->screen()->availableGeometry().contains(card->geometry()));
    QCOMPARE(w.Text5.text(), QStringLiteral("峰")); // the window's input stays as it was

    setInput(QStringLiteral("中"));
    QCOMPARE(card->windowTitle(), QStringLiteral("字卡：中"));
    QVERIFY(card->text.toPlainText().contains(QStringLiteral("zhòng")));

    // 国 of 中国, clicked: shown in the window, and the card follows although it has none for it
    const int at = int(card->text.toPlainText().indexOf(QStringLiteral("中国")));
    QVERIFY(at > 0);
    QTextCursor cursor(card->text.document());
    cursor.setPosition(at + 1);
    const QPoint onGuo = card->text.cursorRect(cursor).center() + QPoint(4, 0);
    QTest::mouseClick(card->text.viewport(), Qt::LeftButton, {}, onGuo);
    QCOMPARE(w.Label10, QStringLiteral("国"));
    QVERIFY(recordControlsVisible());
    QCOMPARE(card->windowTitle(), QStringLiteral("字卡：国"));
    QCOMPARE(card->text.toPlainText(), QStringLiteral("字卡里没有“国”。"));

    const QPoint movedTo = card->pos() + QPoint(30, 20);
    card->move(movedTo);
    QTest::keyClick(&card->text, Qt::Key_Escape);
    QVERIFY(card->isHidden());
    setInput(QStringLiteral("峰")); // closed, it follows nothing
    QCOMPARE(card->windowTitle(), QStringLiteral("字卡：国"));
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w.Text5, Qt::Key_I, Qt::ControlModifier);
    QVERIFY(card->isVisible());
    QCOMPARE(card, w.characterCard.cardWindow());
    QCOMPARE(card->windowTitle(), QStringLiteral("字卡：峰"));
    QCOMPARE(card->pos(), movedTo);
}

// 部首 or Ctrl+R open 部首检字 with the parts field focused; a radical chosen lists its
// characters, and Enter on one shows it in the window as if typed, the open card following.
void LookupWindowTest::radicalIndex_data()
{
    QTest::addColumn<bool>("byKey");
    QTest::newRow("部首") << false;
    QTest::newRow("Ctrl+R") << true;
}

void LookupWindowTest::radicalIndex()
{
    QFETCH(bool, byKey);
    Form1 &w = *m_window;
    setInput(QStringLiteral("峰"));
    waitForFrameStep();
    QTest::mouseClick(&w.Label24, Qt::LeftButton);
    CardWindow *card = w.characterCard.cardWindow();
    QVERIFY(card);
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    if (byKey)
        QTest::keyClick(&w.Text5, Qt::Key_R, Qt::ControlModifier);
    else
        QTest::mouseClick(&w.Command11, Qt::LeftButton);
    RadicalDialog *dialog = w.radicalIndex.dialog();
    QVERIFY(dialog);
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QCOMPARE(dialog->windowTitle(), QStringLiteral("部首检字"));
    QTRY_COMPARE(QApplication::focusWidget(), &dialog->parts);
    QVERIFY(dialog->characters.itemTexts().isEmpty());

    const QList<QListWidgetItem *> kou
        = dialog->radicals.findItems(QStringLiteral("口"), Qt::MatchExactly);
    QCOMPARE(kou.size(), 1);
    QTest::mouseClick(dialog->radicals.viewport(), Qt::LeftButton, {},
        dialog->radicals.visualItemRect(kou.first()).center());
    QCOMPARE(dialog->characters.itemTexts(),
        QStringList({ QStringLiteral("呢"), QStringLiteral("和") }));

    dialog->characters.setFocus();
    QTest::keyClick(&dialog->characters, Qt::Key_Right);
    QCOMPARE(dialog->characters.currentItem()->text(), QStringLiteral("和"));
    QTest::keyClick(&dialog->characters, Qt::Key_Return);
    QCOMPARE(w.Text5.text(), QStringLiteral("和"));
    QCOMPARE(w.Label10, QStringLiteral("和"));
    QVERIFY(recordControlsVisible());
    QCOMPARE(card->windowTitle(), QStringLiteral("字卡：和"));
    QVERIFY(dialog->isVisible()); // non-modal: it stays open for the next character
    QTest::keyClick(&dialog->characters, Qt::Key_Escape);
    QVERIFY(dialog->isHidden());
}

QTEST_MAIN(LookupWindowTest)
#include "tst_lookupwindow.moc"
