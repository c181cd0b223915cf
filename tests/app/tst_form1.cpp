// SPDX-License-Identifier: GPL-3.0-or-later
#include "form1.h"
#include "form16.h"
#include "pictures.h"
#include "programfolder.h"
#include "qttranslation.h"
#include "segments.h"
#include "sheetdialog.h"
#include "tests.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QSignalSpy>
#include <QStringEncoder>
#include <QTest>

#include <optional>

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A stroke-order picture stand-in: white with a black bar across the first row of cells.
QImage barPicture()
{
    QImage image(385, 255, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter(&image).fillRect(QRect(0, 20, 385, 10), Qt::black);
    return image;
}

// The syllables as the pinyin table has them: the distinct fields of its rows, in table order.
QStringList syllablesOfThePinyinTable()
{
    QStringList out;
    using tables::Segment;
    for (Segment segment : { Segment::Text1bh1, Segment::Text1bh2, Segment::Text1bh3,
             Segment::Text1bh4, Segment::Text1bh5 }) {
        for (const QString &row : tables::segmentText(segment).split(QStringLiteral("\r\n"))) {
            const QString syllable = row.mid(1).trimmed();
            if (!syllable.isEmpty() && (out.isEmpty() || out.constLast() != syllable))
                out.append(syllable);
        }
    }
    return out;
}

QStringList items(const QComboBox &box)
{
    QStringList out;
    for (int i = 0; i < box.count(); ++i)
        out.append(box.itemText(i));
    return out;
}

// What is clipped of the labels of a shown window, as text: a label less than 2 pixels inside its
// container's contents or smaller than its caption needs, an underlined label whose underline is
// not on screen (no row below the baseline blue across 90% of the caption's width).
QStringList clippedLabels(QWidget &window)
{
    QStringList out;
    const QImage shot = window.grab().toImage();
    const qreal ratio = shot.devicePixelRatio();
    for (QLabel *label : window.findChildren<QLabel *>()) {
        const QString name = label->objectName();
        if (!label->isVisible() || name.isEmpty() || name.startsWith(QLatin1String("Image"))
            || name.startsWith(QLatin1String("qt_")))
            continue;
        const QRect room = label->parentWidget()->contentsRect().adjusted(2, 2, -2, -2);
        if (!room.contains(label->geometry()))
            out << QStringLiteral("%1 at (%2, %3, %4 x %5) outside (%6, %7, %8 x %9)")
                       .arg(name)
                       .arg(label->x())
                       .arg(label->y())
                       .arg(label->width())
                       .arg(label->height())
                       .arg(room.x())
                       .arg(room.y())
                       .arg(room.width())
                       .arg(room.height());
        const int neededHeight = label->wordWrap() ? label->heightForWidth(label->width())
                                                   : label->sizeHint().height();
        if (label->height() < neededHeight
            || (!label->wordWrap() && label->width() < label->sizeHint().width()))
            out << name + QStringLiteral(" smaller than its caption");
        if (!label->font().underline())
            continue;
        const QPoint topLeft = label->mapTo(&window, QPoint(0, 0));
        const int left = qRound(topLeft.x() * ratio);
        const int width = int(label->fontMetrics().horizontalAdvance(label->text()) * ratio);
        bool underlined = false;
        for (int y = qRound((topLeft.y() + label->fontMetrics().ascent()) * ratio);
             y < qRound((topLeft.y() + label->height()) * ratio) && !underlined; ++y) {
            int blue = 0;
            for (int x = left; x < left + width; ++x) {
                const QRgb pixel = shot.pixel(x, y);
                blue += qBlue(pixel) - qRed(pixel) >= 80 && qBlue(pixel) - qGreen(pixel) >= 80;
            }
            underlined = blue >= width * 9 / 10;
        }
        if (!underlined)
            out << name + QStringLiteral(" shows no underline");
    }
    return out;
}

const QStringList strokeSymbols = { QStringLiteral("一"), QStringLiteral("丨"),
    QStringLiteral("丿"), QStringLiteral("丶"), QStringLiteral("乙") };

} // namespace

// The main window: its controls, start-up and layout.
class Form1Test : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_dir.emplace();
        QStringEncoder gbk("GBK");
        m_dir->writeList2Bytes(gbk(QStringLiteral("\"峰中国\",其余\r\n下一行\r\n")));
    }

    void controlsCarryTheirNames()
    {
        Form1 form(m_dir->path(), m_opener);
        const char *const widgets[] = {
            "Command2",
            "Label15",
            "Text5",
            "Label5",
            "Line2",
            "Image1",
            "Combo6",
            "Image6",
            "Label22",
            "Combo1",
            "Combo2",
            "Combo3",
            "Combo4",
            "Combo5",
            "Command8",
            "Command9",
            "Command10",
            "Command11",
            "Text6",
            "Frame1",
            "Picture1",
            "Label8",
            "Line1",
            "Label9",
            "Label7",
            "Label23",
            "Label3",
            "Label2",
            "Label6",
            "Label1",
            "Label13",
            "Label4",
        };
        for (const char *name : widgets)
            QVERIFY2(form.findChild<QWidget *>(QLatin1String(name)), name);
        for (const char *name : { "Text2bh", "Text2bhw", "Text4" })
            QVERIFY2(form.findChild<TextCell *>(QLatin1String(name)), name);
        for (const char *name : { "Timer1", "Timer2", "Timer3" })
            QVERIFY2(form.findChild<QTimer *>(QLatin1String(name)), name);
        QVERIFY(form.findChild<RecordStore *>(QStringLiteral("Data1")));

        // containers: the panel holds the picture and the column, the picture holds the notice
        QCOMPARE(form.Picture1.parentWidget(), &form.Frame1);
        QCOMPARE(form.Label8.parentWidget(), &form.Picture1);
        for (QWidget *label :
            std::initializer_list<QWidget *> { &form.Label9, &form.Label13, &form.Label4 })
            QCOMPARE(label->parentWidget(), &form.Frame1);
        // Picture1 above the labels of the panel, Label8 above the picture
        const QObjectList stack = form.Frame1.children();
        QVERIFY(stack.indexOf(&form.Picture1) > stack.indexOf(&form.Label4));
        QVERIFY(stack.indexOf(&form.Picture1) > stack.indexOf(&form.Label13));
    }

    void designTexts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("toolTip");
        const auto row = [](const char *name, const QString &text, const QString &tip = QString()) {
            QTest::newRow(name) << QString::fromLatin1(name) << text << tip;
        };
        row("Command2", QStringLiteral("关于"));
        row("Label15", QStringLiteral("输入查询汉字:"));
        row("Text5", QString());
        row("Label5", QStringLiteral("在线查询笔顺（可手写输入)"));
        row("Combo6", QStringLiteral("输入拼音"));
        row("Label22", QStringLiteral("笔画输入："));
        row("Combo1", QStringLiteral(" "), QStringLiteral("第一笔画"));
        row("Combo2", QStringLiteral(" "), QStringLiteral("第二笔画"));
        row("Combo3", QStringLiteral(" "), QStringLiteral("第三笔画"));
        row("Combo4", QStringLiteral(" "), QStringLiteral("第四笔画"));
        row("Combo5", QStringLiteral(" "), QStringLiteral("最后一笔画"));
        row("Command8", QStringLiteral("?"), QStringLiteral("帮助"));
        row("Command9", QStringLiteral("手写"), QStringLiteral("手写输入"));
        row("Command10", QStringLiteral("字帖"), QStringLiteral("打印或保存练字帖"));
        row("Command11", QStringLiteral("部首"),
            QStringLiteral("部首检字：按部首或部件查字（Ctrl+R）"));
        row("Text6", QString());
        row("Label8",
            QStringLiteral(
                "此汉字的笔画图已经加入剪贴板，您可以在图像编辑器、文字处理软件中粘贴。"));
        row("Label9", QStringLiteral("〖笔画〗"));
        row("Label7", QStringLiteral("Label7"));
        row("Label23", QStringLiteral("〖拼音〗"));
        row("Label3", QStringLiteral("Label3"));
        row("Label2", QStringLiteral("〖百度查询〗"));
        row("Label6", QStringLiteral("读音、释义等"));
        row("Label1", QStringLiteral("< 复制笔画图"),
            QStringLiteral("鼠标左键点击带框复制，右键点击不带框复制。"));
        row("Label13", QStringLiteral("笔顺动画、读音"));
        row("Label4", QStringLiteral("数据库里没有此字符的笔划图"));
    }
    void designTexts()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, toolTip);
        Form1 form(m_dir->path(), m_opener);
        QWidget *widget = form.findChild<QWidget *>(name);
        QVERIFY(widget);
        QString shown;
        if (auto *label = qobject_cast<QLabel *>(widget))
            shown = label->text();
        else if (auto *button = qobject_cast<QPushButton *>(widget))
            shown = button->text();
        else if (auto *box = qobject_cast<QComboBox *>(widget))
            shown = box->currentText();
        else if (auto *combo = qobject_cast<SimpleCombo *>(widget))
            shown = combo->currentText();
        else if (auto *edit = qobject_cast<QLineEdit *>(widget))
            shown = edit->text();
        else if (auto *result = qobject_cast<ResultBox *>(widget))
            shown = result->text();
        else
            QFAIL("unexpected kind of control");
        QCOMPARE(shown, text);
        QCOMPARE(widget->toolTip(), toolTip);
    }

    // What a handler sees before the first tick of Timer2.
    void beforeTheFirstTick()
    {
        Form1 form(m_dir->path(), m_opener);
        QVERIFY(form.Timer2.isActive());
        QCOMPARE(form.Timer2.interval(), 11);
        QVERIFY(!form.Timer1.isActive());
        QVERIFY(!form.Timer3.isActive());
        QCOMPARE(form.Combo6.count(), 55);
        QCOMPARE(form.Combo6.itemText(0), QStringLiteral("a"));
        QCOMPARE(form.Combo6.itemText(54), QStringLiteral("cuo"));
        for (QComboBox *box :
            { &form.Combo1, &form.Combo2, &form.Combo3, &form.Combo4, &form.Combo5 })
            QCOMPARE(box->count(), 0);
        QVERIFY(form.Text1.isEmpty());
        QVERIFY(form.Text2bhw.text().isEmpty());
        QVERIFY(form.Text2bh.text().isEmpty());
        QVERIFY(form.Text4.text().isEmpty());
        QCOMPARE(form.Label20, QStringLiteral("Label20"));
        QCOMPARE(form.tableSearch.Label1bh, QStringLiteral("0"));
        QCOMPARE(form.tableSearch.Label2bh, QStringLiteral("Label2"));
        QVERIFY(form.Image5.isNull());
    }

    void firstTickCompletesStartUp()
    {
        Form1 form(m_dir->path(), m_opener);
        QComboBox *const boxes[]
            = { &form.Combo1, &form.Combo2, &form.Combo3, &form.Combo4, &form.Combo5 };
        std::vector<std::unique_ptr<QSignalSpy>> changes;
        for (QComboBox *box : boxes)
            changes.push_back(std::make_unique<QSignalSpy>(box, &QComboBox::editTextChanged));

        QTRY_VERIFY(!form.Timer2.isActive());

        QCOMPARE(items(form.Combo1), strokeSymbols);
        for (QComboBox *box : { &form.Combo2, &form.Combo3, &form.Combo4, &form.Combo5 })
            QCOMPARE(items(*box), strokeSymbols + QStringList { QStringLiteral(" ") });
        // the drop-downs keep their text and raise no change while filled
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(boxes[i]->currentText(), QStringLiteral(" "));
            QCOMPARE(changes[i]->count(), 0);
        }

        QCOMPARE(form.Combo6.count(), 400);
        QCOMPARE(form.Combo6.itemText(54), QStringLiteral("cuo"));
        QCOMPARE(form.Combo6.itemText(55), QStringLiteral("da"));
        QStringList syllables;
        for (int i = 0; i < form.Combo6.count(); ++i)
            syllables.append(form.Combo6.itemText(i));
        QCOMPARE(syllables, syllablesOfThePinyinTable());
        QCOMPARE(form.Combo6.currentText(), QStringLiteral("输入拼音"));

        QCOMPARE(form.Text1, QStringLiteral("峰中国"));
    }

    // Text typed into a drop-down before the lists are filled stays as typed.
    void typedStrokeTextSurvivesTheFill()
    {
        Form1 form(m_dir->path(), m_opener);
        form.Combo3.setEditText(QStringLiteral("丿x"));
        QTRY_VERIFY(!form.Timer2.isActive());
        QCOMPARE(form.Combo3.currentText(), QStringLiteral("丿x"));
        QCOMPARE(form.Combo3.count(), 6);
    }

    void list2Failure_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QString>("says");
        QTest::newRow("missing") << false << QStringLiteral("找不到");
        QTest::newRow("empty") << true << QStringLiteral("末尾");
    }
    // The failure is reported once, naming the file; the lists had been filled before.
    void list2Failure()
    {
        QFETCH(bool, exists);
        QFETCH(QString, says);
        const QString list2 = m_dir->path() + QStringLiteral("/LIST2.txt");
        QVERIFY(QFile::remove(list2));
        if (exists)
            writeFile(list2, QByteArray());

        Form1 form(m_dir->path(), m_opener);
        QSignalSpy failed(&form, &Form1::list2Failed);
        QTRY_COMPARE(failed.count(), 1);
        const QString message = failed.at(0).at(0).toString();
        QVERIFY2(message.contains(QDir::toNativeSeparators(list2)), qPrintable(message));
        QVERIFY2(message.contains(says), qPrintable(message));
        QVERIFY(!form.Timer2.isActive());
        QCOMPARE(form.Combo6.count(), 400);
        QCOMPARE(form.Combo5.count(), 6);
        QVERIFY(form.Text1.isEmpty());
        // start-up completion runs once only
        QTest::qWait(60);
        QCOMPARE(failed.count(), 1);
    }

    // Without Photo.mdb the window is made and shown as usual, the record column hidden.
    void withoutPhotoDatabase()
    {
        Form1 form(m_dir->path(), m_opener);
        QVERIFY(!form.Data1.isOpen());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTRY_VERIFY(!form.Timer2.isActive());
        QVERIFY(form.isVisible());
        for (QWidget *hidden : std::initializer_list<QWidget *> { &form.Picture1, &form.Label9,
                 &form.Label7, &form.Label23, &form.Label3, &form.Label2, &form.Label6,
                 &form.Label1, &form.Label13, &form.Label4, &form.Label8 })
            QVERIFY2(!hidden->isVisible(), qPrintable(hidden->objectName()));
        for (QWidget *shown :
            std::initializer_list<QWidget *> { &form.Text5, &form.Text6, &form.Combo6, &form.Combo1,
                &form.Frame1, &form.Image1, &form.Image6, &form.Label5, &form.Line2, &form.Line1 })
            QVERIFY2(shown->isVisible(), qPrintable(shown->objectName()));
        QVERIFY(!form.Picture1.Label8.isVisible());
    }

    // The store's first record, then each record found, reaches the bound controls.
    void recordBinding()
    {
        // 峰 with a picture, 中 without
        QCOMPARE(m_dir->writeDatabase({ { QStringLiteral("峰"), QStringLiteral("10"),
                                            QStringLiteral("fēng"), pngBytes(barPicture()) },
                     { QStringLiteral("中"), QStringLiteral("4"), QStringLiteral("zhōng"),
                         QByteArray() } }),
            QString());
        Form1 form(m_dir->path(), m_opener);
        QVERIFY(form.Data1.isOpen());
        QCOMPARE(form.Label10, QStringLiteral("峰"));
        QCOMPARE(form.Label2kk, QStringLiteral("峰"));
        QCOMPARE(form.Label7.text(), QStringLiteral("10"));
        QCOMPARE(form.Label3.text(), QStringLiteral("fēng"));
        QCOMPARE(form.Label7.size(), form.Label7.sizeHint());
        QCOMPARE(form.Picture1.storedPicture().size(), QSize(385, 255));
        QCOMPARE(form.Picture1.image().pixel(100, 25), qRgb(0, 0, 0));

        QSignalSpy pictures(&form.Picture1, &PictureBox::changed);
        form.Data1.FindFirst(QStringLiteral("中"));
        QVERIFY(!form.Data1.NoMatch());
        QCOMPARE(form.Label10, QStringLiteral("中"));
        QCOMPARE(form.Label7.text(), QStringLiteral("4"));
        QCOMPARE(form.Label3.text(), QStringLiteral("zhōng"));
        QCOMPARE(pictures.count(), 1);
        QVERIFY(form.Picture1.storedPicture().isNull());
        QCOMPARE(form.Picture1.image().pixel(100, 25), qRgb(255, 255, 255));

        // a character without record leaves the controls on the last record
        form.Data1.FindFirst(QStringLiteral("国"));
        QVERIFY(form.Data1.NoMatch());
        QCOMPARE(form.Label10, QStringLiteral("中"));
        QCOMPARE(pictures.count(), 1);
    }

    void layoutInPixels()
    {
        Form1 form(m_dir->path(), m_opener);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const layout::TwipsScale &px = form.twips;
        const layout::Layout &l = form.windowLayout;

        // the arithmetic was fed with Label9's measured width, and the widest heading and link
        const auto widest = [&](std::initializer_list<const QLabel *> labels) {
            int width = 0;
            for (const QLabel *label : labels)
                width = std::max(width, px.twipsX(label->width()));
            return width;
        };
        QCOMPARE(l.frame1,
            layout::compute(px.twipsX(form.Label9.width()),
                widest({ &form.Label9, &form.Label23, &form.Label2 }),
                widest({ &form.Label6, &form.Label1, &form.Label13 }))
                .frame1);
        QCOMPARE(form.Picture1.geometry(), px.rect(l.picture1));
        QCOMPARE(form.Frame1.geometry(), px.rect(l.frame1));
        QCOMPARE(form.Text6.geometry(), px.rect(2160, 990, l.text6Width, 612));
        QCOMPARE(form.Combo6.geometry(), px.rect(288, 650, 1452, l.combo6Height));
        QCOMPARE(form.Image1.geometry(), px.rect(l.image1));
        QCOMPARE(form.Image6.geometry(), px.rect(l.image6));
        QCOMPARE(form.Line1.x(), px.x(l.line1X));
        for (QWidget *heading : { &form.Label9, &form.Label23, &form.Label2 })
            QCOMPARE(heading->x(), px.x(l.headingLeft));
        for (QWidget *value : std::initializer_list<QWidget *> {
                 &form.Label7, &form.Label3, &form.Label6, &form.Label1, &form.Label13 })
            QCOMPARE(value->x(), px.x(l.valueLeft));
        QCOMPARE(form.Combo1.geometry(), px.rect(3072, 672, 855, 300));
        QCOMPARE(form.Combo5.geometry(), px.rect(6750, 684, 855, 300));

        if (qFuzzyCompare(px.dpiX, 96.0) && qFuzzyCompare(px.dpiY, 96.0)) {
            QCOMPARE(form.Picture1.size(), QSize(385, 255));
            QCOMPARE(form.Picture1.image().size(), QSize(385, 255));
        }
        // the outer size is the layout's, as far as the platform reports the frame
        QCOMPARE(form.frameGeometry().size(), px.size(QSizeF(l.window)));
        QCOMPARE(form.minimumSize(), form.maximumSize());
        QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(form.windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(!form.windowIcon().isNull());
        QCOMPARE(form.windowTitle(), QStringLiteral("Zibrin"));

        const QPoint centre = form.screen()->availableGeometry().center();
        QVERIFY(qAbs(form.frameGeometry().center().x() - centre.x()) <= 1);
        QVERIFY(qAbs(form.frameGeometry().center().y() - centre.y()) <= 1);
    }

    void tabOrder()
    {
        Form1 form(m_dir->path(), m_opener);
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTRY_COMPARE(QApplication::focusWidget(), &form.Text5);

        const QList<QWidget *> expected = { &form.Command2, &form.Combo5, &form.Combo4,
            &form.Combo3, &form.Combo2, &form.Combo1, &form.Command8, &form.Command9,
            &form.Command10, &form.Command11, &form.Combo6, &form.Text6, &form.Text5 };
        const auto control = [&](QWidget *focus) {
            for (QWidget *w = focus; w; w = w->parentWidget()) {
                if (expected.contains(w))
                    return w;
            }
            return focus;
        };
        for (QWidget *next : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(control(QApplication::focusWidget())->objectName(), next->objectName());
        }
        // and back
        for (qsizetype i = expected.size() - 2; i >= 0; --i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
            QCOMPARE(
                control(QApplication::focusWidget())->objectName(), expected.at(i)->objectName());
        }
    }

    // Every control the user can see has a name for assistive tools: its caption, or its
    // tooltip or role where it has none.
    void accessibleNames()
    {
        Form1 form(m_dir->path(), m_opener);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QList<QWidget *> controls = form.findChildren<QWidget *>();
        int checked = 0;
        for (QWidget *widget : controls) {
            if (widget->objectName().isEmpty()
                || widget->objectName().startsWith(QLatin1String("qt_")))
                continue;
            QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
            QVERIFY(face);
            // a combo box's name on this platform is its text; the set name is its label
            const QString name = face->text(QAccessible::Name).trimmed().isEmpty()
                ? widget->accessibleName()
                : face->text(QAccessible::Name);
            QVERIFY2(!name.trimmed().isEmpty(), qPrintable(widget->objectName()));
            ++checked;
        }
        QVERIFY(checked >= 29);
    }

    // Nothing clipped, with a record and its links shown, and in the About dialog; the suite runs
    // at a scale of 1 and of 2.
    void labelsUnclipped()
    {
        QCOMPARE(m_dir->writeDatabase({ { QStringLiteral("峰"), QStringLiteral("10"),
                     QStringLiteral("fēng"), pngBytes(barPicture()) } }),
            QString());
        const std::unique_ptr<Form1> form = startedWindow(*m_dir, m_opener);
        form->Text5.setText(QStringLiteral("峰"));
        QTRY_VERIFY(form->Label13.isVisible());
        QVERIFY(form->Label6.isVisible() && form->Label1.isVisible() && form->Label3.isVisible());
        form->Label8.show(); // the copy notice, as a copy shows it
        QStringList clipped = clippedLabels(*form);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral("; "))));

        Form16 about(form.get());
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QVERIFY(about.Label4.isVisible());
        clipped = clippedLabels(about);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral("; "))));
    }

    // The sheet button: Command9's size, as far from it as it is from Command8, inside the
    // panel's width (部首, with no room left there, ends the top row); it opens the dialog for the
    // record shown (峰 has no outlines here).
    void sheetButtonBesideHandwriting()
    {
        QCOMPARE(m_dir->writeDatabase({ { QStringLiteral("峰"), QStringLiteral("10"),
                     QStringLiteral("fēng"), pngBytes(barPicture()) } }),
            QString());
        const std::unique_ptr<Form1> form = startedWindow(*m_dir, m_opener);
        QCOMPARE(form->Command10.size(), form->Command9.size());
        QCOMPARE(form->Command10.y(), form->Command9.y());
        QCOMPARE(form->Command10.x() - form->Command9.geometry().right(),
            form->Command9.x() - form->Command8.geometry().right());
        QVERIFY(form->Command10.geometry().right() <= form->Frame1.geometry().right());
        QCOMPARE(form->Command10.font(), form->Command9.font());
        // 部首: its size, at the end of the top row, inside the window and clear of the link
        QCOMPARE(form->Command11.size(), form->Command10.size());
        QCOMPARE(form->Command11.font(), form->Command10.font());
        QVERIFY(form->Command11.x() > form->Label5.geometry().right());
        QVERIFY(form->Command11.x() > form->Line2.geometry().right());
        QVERIFY(form->rect().contains(form->Command11.geometry()));

        form->Text5.setText(QStringLiteral("峰"));
        QTest::mouseClick(&form->Command10, Qt::LeftButton);
        sheets::SheetDialog *dialog = form->sheet.dialog();
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("练字帖"));
        QCOMPARE(dialog->characters.text(), QStringLiteral("峰"));
        QVERIFY(dialog->missing.text().contains(QStringLiteral("峰")));
        QCOMPARE(form->Data1.current().hz, QStringLiteral("峰"));

        // with no record shown, the dialog starts empty
        dialog->close();
        QTRY_VERIFY(!form->sheet.dialog());
        form->Text5.setText(QStringLiteral("国"));
        QVERIFY(form->Picture1.isHidden());
        QTest::mouseClick(&form->Command10, Qt::LeftButton);
        QVERIFY(form->sheet.dialog());
        QCOMPARE(form->sheet.dialog()->characters.text(), QString());
    }

    // Qt's own texts read Chinese whatever the desktop's language: the help box's one button,
    // with no icon, and the input box's context menu (Qt writes undo 撤消, a variant of 撤销).
    void qtTextsInChinese()
    {
        QVERIFY(installQtChineseTranslation(*qApp));
        const std::unique_ptr<Form1> form = startedWindow(*m_dir, m_opener);
        QString button;
        bool iconless = false;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            button = box->buttons().size() == 1 ? box->buttons().first()->text() : QString();
            iconless = box->icon() == QMessageBox::NoIcon && box->iconPixmap().isNull()
                && box->buttons().size() == 1 && box->buttons().first()->icon().isNull();
            box->reject();
        });
        QTest::mouseClick(&form->Command8, Qt::LeftButton);
        QCOMPARE(button, QStringLiteral("确定"));
        QVERIFY(iconless);

        const std::unique_ptr<QMenu> menu(form->Text5.createStandardContextMenu());
        QStringList actions;
        for (const QAction *action : menu->actions())
            actions
                << action->text().section(QLatin1Char('('), 0, 0).section(QLatin1Char('\t'), 0, 0);
        for (const QString &expected : { QStringLiteral("撤消"), QStringLiteral("剪切"),
                 QStringLiteral("复制"), QStringLiteral("粘贴") })
            QVERIFY2(actions.contains(expected), qPrintable(actions.join(QLatin1Char(' '))));
    }

    // The frame step's combination: the AND of picture and frame, pixel by pixel.
    void pictureBoxAndCombine()
    {
        PictureBox box;
        box.resize(385, 255);
        QSignalSpy changed(&box, &PictureBox::changed);
        box.setPicture(barPicture());
        QCOMPARE(changed.count(), 1);
        QCOMPARE(box.image().pixel(0, 0), qRgb(255, 255, 255));

        const QImage frame = pictures::framePicture(framegeometry::Frame::Cells24);
        box.andCombine(frame);
        QCOMPARE(box.image().pixel(0, 0), qRgb(192, 192, 192)); // white AND grey
        QCOMPARE(box.image().pixel(30, 30), qRgb(255, 255, 255)); // white AND white
        QCOMPARE(box.image().pixel(0, 25), qRgb(0, 0, 0)); // black AND grey
        QCOMPARE(box.image().pixel(30, 25), qRgb(0, 0, 0)); // black AND white
        // the stored picture keeps no frame
        QCOMPARE(box.storedPicture().pixel(0, 0), qRgb(255, 255, 255));

        // a new picture starts without frame
        box.setPicture(barPicture());
        QCOMPARE(changed.count(), 2);
        QCOMPARE(box.image().pixel(0, 0), qRgb(255, 255, 255));

        // bytes that are no picture give a white box with a null stored picture
        box.setPhoto(QByteArray("not a picture"));
        QVERIFY(box.storedPicture().isNull());
        QCOMPARE(box.image().pixel(30, 25), qRgb(255, 255, 255));
    }

private:
    std::optional<ProgramFolder> m_dir;
    RecordingOpener m_opener;
};

int runForm1Tests(int argc, char *argv[])
{
    Form1Test test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_form1.moc"
