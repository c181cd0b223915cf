// SPDX-License-Identifier: GPL-3.0-or-later
// The handwriting pad on the real main window, over a fixture Photo.mdb and the installed model.
#include "form1.h"
#include "handwritinginput.h"
#include "handwritingpad.h"
#include "programfolder.h"

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

// A stroke drawn, then the pad's candidates waited for.
void drawAndWait(Form1 &form, QWidget &area, const Stroke &stroke)
{
    drawStroke(area, stroke);
    QTRY_VERIFY(!form.handwriting.isRecognizing());
}

// A scribble: 30 turns back and forth across the area, about 150 points.
Stroke scribble()
{
    Stroke stroke;
    for (int pass = 0; pass <= 30; ++pass) {
        for (int i = 0; i < 5; ++i)
            stroke.append(QPointF(pass % 2 ? 260 - 44 * i : 40 + 44 * i, 40 + 7 * pass + i));
    }
    return stroke;
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

        drawStroke(area, horizontal);
        QVERIFY(form->handwriting.isRecognizing());
        QTRY_VERIFY2(
            form->Text6.text().startsWith(QStringLiteral("一 ")), qPrintable(form->Text6.text()));
        QCOMPARE(form->Label10, QStringLiteral("一"));

        drawAndWait(*form, area, vertical);
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
        QTRY_VERIFY(!form->handwriting.isRecognizing());
        QVERIFY2(
            form->Text6.text().startsWith(QStringLiteral("一 ")), qPrintable(form->Text6.text()));
        QCOMPARE(form->Label10, QStringLiteral("一"));

        QTest::mouseClick(&pad->clearButton, Qt::LeftButton);
        QVERIFY(pad->writingArea.ink().isEmpty());
        QCOMPARE(form->Text6.text(), QString());
        QVERIFY(form->Picture1.isHidden());

        // The pad takes strokes while the last one is recognised; the list is the newest ink's.
        drawStroke(area, horizontal);
        drawStroke(area, vertical);
        QCOMPARE(pad->writingArea.ink().size(), 2);
        QTRY_VERIFY(!form->handwriting.isRecognizing());
        QVERIFY2(
            form->Text6.text().startsWith(QStringLiteral("十 ")), qPrintable(form->Text6.text()));

        // Opening again keeps the one pad.
        QTest::mouseClick(&form->Command9, Qt::LeftButton);
        QCOMPARE(form->findChildren<handwriting::HandwritingPad *>().size(), 1);
    }

    // Emptied by 重写 or by taking back its only stroke, the pad leaves the window as it was
    // before the first stroke: no "no picture" notice where nothing was shown, the record that
    // was shown shown again.
    void emptiedPad_data()
    {
        QTest::addColumn<QString>("typed"); // into the input box before the pad opens
        QTest::addColumn<bool>("byClear"); // else 退一笔
        QTest::newRow("nothing shown, 重写") << QString() << true;
        QTest::newRow("nothing shown, 退一笔") << QString() << false;
        QTest::newRow("十 shown, 重写") << QStringLiteral("十") << true;
        QTest::newRow("十 shown, 退一笔") << QStringLiteral("十") << false;
    }

    void emptiedPad()
    {
        QFETCH(QString, typed);
        QFETCH(bool, byClear);
        RecordingOpener opener;
        const std::unique_ptr<Form1> form = startedWindow(*folder, opener);
        form->Text5.setText(typed);
        QTRY_VERIFY(!form->Timer1.isActive());
        const QString character = form->Label10;
        const bool shown = form->Picture1.isVisible();
        QCOMPARE(shown, !typed.isEmpty());
        const bool notice = form->Label4.isVisible();

        QTest::mouseClick(&form->Command9, Qt::LeftButton);
        handwriting::HandwritingPad *pad = form->handwriting.pad();
        drawAndWait(*form, pad->writingArea, horizontal);
        QCOMPARE(form->Label10, QStringLiteral("一"));
        QTest::mouseClick(byClear ? &pad->clearButton : &pad->takeBackButton, Qt::LeftButton);
        QVERIFY(pad->writingArea.ink().isEmpty());
        QTRY_VERIFY(!form->Timer1.isActive());
        QCOMPARE(form->Text6.text(), QString());
        QCOMPARE(form->Label10, character);
        QCOMPARE(form->Picture1.isVisible(), shown);
        QCOMPARE(form->Label7.isVisible(), shown);
        QCOMPARE(form->Label4.isVisible(), notice);
    }

    // Esc closes the pad; its ink is there when it opens again.
    void escapeCloses()
    {
        RecordingOpener opener;
        const std::unique_ptr<Form1> form = startedWindow(*folder, opener);
        QTest::mouseClick(&form->Command9, Qt::LeftButton);
        handwriting::HandwritingPad *pad = form->handwriting.pad();
        drawAndWait(*form, pad->writingArea, horizontal);
        QTest::keyClick(&pad->clearButton, Qt::Key_Escape); // from a child: the pad takes it
        QVERIFY(pad->isHidden());
        QTest::mouseClick(&form->Command9, Qt::LeftButton);
        QVERIFY(pad->isVisible());
        QCOMPARE(pad->writingArea.ink().size(), 1);
    }

    // Ink that cannot be read: a scribble, or more strokes than any character has. No candidates
    // and a note in the pad; the pad takes further strokes, and 退一笔 or 重写 make it read again.
    void unreadableInk_data()
    {
        QTest::addColumn<QList<Stroke>>("extra");
        QTest::addColumn<QString>("note");
        QTest::addColumn<int>("takeBacks"); // 退一笔 clicks that make the ink readable again
        QTest::newRow("scribble") << QList<Stroke> { scribble() }
                                  << QStringLiteral("无法识别，请重写") << 1;
        QTest::newRow("a stroke after the scribble")
            << QList<Stroke> { scribble(), horizontal } << QStringLiteral("无法识别，请重写") << 2;
        QList<Stroke> taps;
        for (int i = 0; i < 47; ++i)
            taps.append(Stroke { QPointF(20 + 5 * i, 280) });
        QTest::newRow("49 strokes") << taps << QStringLiteral("笔画太多，请退一笔或重写") << 1;
    }

    void unreadableInk()
    {
        QFETCH(QList<Stroke>, extra);
        QFETCH(QString, note);
        QFETCH(int, takeBacks);
        RecordingOpener opener;
        const std::unique_ptr<Form1> form = startedWindow(*folder, opener);
        QTest::mouseClick(&form->Command9, Qt::LeftButton);
        handwriting::HandwritingPad *pad = form->handwriting.pad();
        QWidget &area = pad->writingArea;
        drawAndWait(*form, area, horizontal);
        drawAndWait(*form, area, vertical);
        QVERIFY(form->Text6.text().startsWith(QStringLiteral("十 ")));
        QVERIFY(pad->inkNote.isHidden());

        for (const Stroke &stroke : extra)
            drawAndWait(*form, area, stroke);
        QCOMPARE(pad->writingArea.ink().size(), 2 + extra.size());
        QCOMPARE(form->Text6.text(), QString());
        QVERIFY(pad->inkNote.isVisible());
        QCOMPARE(pad->inkNote.text(), note);

        for (int i = 0; i < takeBacks; ++i)
            QTest::mouseClick(&pad->takeBackButton, Qt::LeftButton);
        QVERIFY(pad->inkNote.isHidden());
        QVERIFY2(form->handwriting.isRecognizing(), "the ink is read again");
        QTRY_VERIFY(!form->handwriting.isRecognizing());

        drawAndWait(*form, area, scribble());
        QVERIFY(pad->inkNote.isVisible());
        QTest::mouseClick(&pad->clearButton, Qt::LeftButton);
        QVERIFY(pad->inkNote.isHidden());
        drawAndWait(*form, area, horizontal);
        drawAndWait(*form, area, vertical);
        QVERIFY2(
            form->Text6.text().startsWith(QStringLiteral("十 ")), qPrintable(form->Text6.text()));
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
        drawStroke(pad->writingArea,
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
