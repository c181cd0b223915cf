// The handwriting pad on the real main window, over a fixture Photo.mdb and the installed model.
#include "form1.h"
#include "handwritingpad.h"
#include "programfolder.h"

#include <QMouseEvent>
#include <QTest>

#include <memory>

using handwriting::Stroke;

namespace {

QList<CharacterRecord> fixtureRecords()
{
    const QStringList rows[] = {
        { QStringLiteral("一"), QStringLiteral("1"), QStringLiteral("yī") },
        { QStringLiteral("二"), QStringLiteral("2"), QStringLiteral("èr") },
        { QStringLiteral("十"), QStringLiteral("2"), QStringLiteral("shí") },
        { QStringLiteral("干"), QStringLiteral("3"), QStringLiteral("gàn") },
        { QStringLiteral("土"), QStringLiteral("3"), QStringLiteral("tǔ") },
        { QStringLiteral("人"), QStringLiteral("2"), QStringLiteral("rén") },
    };
    QList<CharacterRecord> records;
    int seed = 0;
    for (const QStringList &row : rows)
        records.append({ row.at(0), row.at(1), row.at(2), pngBytes(fixturePicture(seed++)) });
    return records;
}

// A stroke written with the left mouse button, in the area's pixels.
void draw(QWidget &area, const Stroke &stroke)
{
    const auto send = [&](QEvent::Type type, const QPointF &at) {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons held
            = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, area.mapToGlobal(at), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&area, &event);
    };
    send(QEvent::MouseButtonPress, stroke.first());
    for (const QPointF &point : stroke)
        send(QEvent::MouseMove, point);
    send(QEvent::MouseButtonRelease, stroke.last());
}

// The strokes of 十 in a 300 pixel square.
const Stroke horizontal { { 40, 130 }, { 150, 126 }, { 260, 130 } };
const Stroke vertical { { 150, 30 }, { 150, 150 }, { 148, 275 } };

} // namespace

class TestHandwritingPad : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        qunsetenv("ZIBRIN_HANDWRITING_MODEL");
        folder = std::make_unique<ProgramFolder>();
        QCOMPARE(folder->writeDatabase(fixtureRecords()), QString());
        folder->writeList2(QStringLiteral("十"));
    }

    void cleanup() { qunsetenv("ZIBRIN_HANDWRITING_MODEL"); }

    // Strokes in, candidates and the first one's record out; take-back and clear.
    void writeTakeBackClear()
    {
        RecordingOpener opener;
        const std::unique_ptr<Form1> form = startedWindow(*folder, opener);
        QTest::mouseClick(&form->Command9, Qt::LeftButton);
        handwriting::HandwritingPad *pad = form->handwriting.pad();
        QVERIFY(pad);
        QVERIFY(pad->isVisible());
        QVERIFY(pad->modelMissing.isHidden());
        QWidget &area = pad->writingArea;
        QCOMPARE(area.size(), QSize(300, 300)); // 96 dpi offscreen

        draw(area, horizontal);
        QVERIFY2(
            form->Text6.text().startsWith(QStringLiteral("一 ")), qPrintable(form->Text6.text()));
        QCOMPARE(form->Label10, QStringLiteral("一"));

        draw(area, vertical);
        const QString listed = form->Text6.text();
        QVERIFY2(listed.startsWith(QStringLiteral("十 ")), qPrintable(listed));
        // each candidate followed by one space, and only characters with a record
        QCOMPARE(listed.size() % 2, 0);
        for (qsizetype i = 0; i < listed.size(); i += 2) {
            QCOMPARE(listed.at(i + 1), QLatin1Char(' '));
            QVERIFY2(QStringLiteral("一二十干土人").contains(listed.at(i)), qPrintable(listed));
        }
        QCOMPARE(form->Label10, QStringLiteral("十"));
        QCOMPARE(form->Label7.text(), QStringLiteral("2"));
        QVERIFY(form->Picture1.isVisible());
        QVERIFY(form->Label7.isVisible());
        // the frame step decides Label13: 十 is in LIST2.txt
        QTRY_VERIFY(form->Label13.isVisible());

        // A stroke search leaves the ink alone.
        form->Combo1.setEditText(QStringLiteral("一"));
        form->strokeSearch.bian();
        QCOMPARE(pad->writingArea.ink().size(), 2);

        QTest::mouseClick(&pad->takeBackButton, Qt::LeftButton);
        QCOMPARE(pad->writingArea.ink().size(), 1);
        QVERIFY2(
            form->Text6.text().startsWith(QStringLiteral("一 ")), qPrintable(form->Text6.text()));
        QCOMPARE(form->Label10, QStringLiteral("一"));

        QTest::mouseClick(&pad->clearButton, Qt::LeftButton);
        QVERIFY(pad->writingArea.ink().isEmpty());
        QCOMPARE(form->Text6.text(), QString());
        QVERIFY(form->Picture1.isHidden());

        // Opening again keeps the one pad.
        QTest::mouseClick(&form->Command9, Qt::LeftButton);
        QCOMPARE(form->findChildren<handwriting::HandwritingPad *>().size(), 1);
    }

    // Without the model the pad says so, takes no ink, and the window works as before.
    void missingModel()
    {
        qputenv("ZIBRIN_HANDWRITING_MODEL",
            QFile::encodeName(folder->path() + QStringLiteral("/no.model")));
        RecordingOpener opener;
        const std::unique_ptr<Form1> form = startedWindow(*folder, opener);
        QTest::mouseClick(&form->Command9, Qt::LeftButton);
        handwriting::HandwritingPad *pad = form->handwriting.pad();
        QVERIFY(pad && pad->isVisible());
        QVERIFY(pad->modelMissing.isVisible());
        QCOMPARE(pad->modelMissing.text(), QStringLiteral("手写识别模型未安装"));
        QVERIFY(!pad->writingArea.isEnabled());
        draw(pad->writingArea,
            horizontal); // a disabled widget gets no mouse events: nothing happens
        QCOMPARE(form->Text6.text(), QString());

        form->Text5.setText(QStringLiteral("十"));
        QCOMPARE(form->Label10, QStringLiteral("十"));
        QVERIFY(form->Picture1.isVisible());
    }

private:
    std::unique_ptr<ProgramFolder> folder;
};

QTEST_MAIN(TestHandwritingPad)
#include "tst_handwritingpad.moc"
