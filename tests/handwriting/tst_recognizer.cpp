// SPDX-License-Identifier: GPL-3.0-or-later
#include "handwritinginput.h"
#include "matcher.h"
#include "ranking.h"
#include "recognitionworker.h"
#include "recognizer.h"
#include "recordstore.h"

#include <QDir>
#include <QFile>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

using namespace handwriting;

namespace {

constexpr qreal side = 300;

// A character written from the centre lines of its strokes.
Ink medians(const QString &character)
{
    return medianInk(
        QStringLiteral(ZIBRIN_SOURCE_DIR "/data/node_modules/hanzi-writer-data"), character, side);
}

// The ink scaled about its centre so that its larger side spans `span` of the area, centred.
Ink spanning(const Ink &ink, qreal span)
{
    QPointF low(side, side), high(0, 0);
    for (const Stroke &stroke : ink) {
        for (const QPointF &p : stroke) {
            low = QPointF(std::min(low.x(), p.x()), std::min(low.y(), p.y()));
            high = QPointF(std::max(high.x(), p.x()), std::max(high.y(), p.y()));
        }
    }
    const QRectF box(low, high);
    const qreal scale = span * side / std::max(box.width(), box.height());
    Ink out = ink;
    for (Stroke &stroke : out) {
        for (QPointF &p : stroke)
            p = QPointF(side / 2, side / 2) + (p - box.center()) * scale;
    }
    return out;
}

// A stroke back and forth across the area: turns + 1 straight passes from left to right and back,
// going down, with `between` points on each pass between its corners.
Stroke zigzag(int turns, int between)
{
    Stroke stroke;
    const int passes = turns + 1;
    for (int p = 0; p <= passes; ++p) {
        const QPointF corner(p % 2 ? 260 : 40, 40 + 220.0 * p / passes);
        if (p > 0) {
            const QPointF from = stroke.last();
            for (int i = 1; i <= between; ++i)
                stroke.append(from + (corner - from) * i / (between + 1));
        }
        stroke.append(corner);
    }
    return stroke;
}

// count taps spread over the area.
Ink taps(int count)
{
    Ink ink;
    for (int i = 0; i < count; ++i)
        ink.append(Stroke { QPointF(30 + (i * 37) % 240, 30 + (i * 53) % 240) });
    return ink;
}

// The model's bytes with the header's size made to match.
QByteArray withSize(QByteArray model)
{
    const quint32 word = quint32(model.size()) ^ 0xef71821u;
    for (int i = 0; i < 4; ++i)
        model[i] = char(word >> (8 * i));
    return model;
}

} // namespace

class TestRecognizer : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        RecordStore store;
        QVERIFY(store.open(QStringLiteral(ZIBRIN_BUILD_DIR "/Photo.mdb")));
        known = knownCharacters(store.strokeCounts(), store.allStrokeClasses());
        QVERIFY(known.size() > 6763);
        QCOMPARE(known.value(QStringLiteral("峰")).strokeCount, 10);
        QCOMPARE(known.value(QStringLiteral("峰")).strokeClasses, QStringLiteral("2523541112"));
        QVERIFY(QFile::exists(defaultModelFile()));
        QVERIFY(!medians(QStringLiteral("十")).isEmpty());
    }

    // expected: the first candidate and any characters that must follow it in the list, or "*"
    // for any list of known characters, or "" for none.
    void recognize_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<Ink>("ink");
        QTest::addColumn<bool>("withoutTen"); // the known characters lack 十
        QTest::addColumn<QString>("expected");
        QTest::addColumn<InkVerdict>("verdict");
        const QString installed = defaultModelFile();
        const InkVerdict readable = InkVerdict::Readable;
        const qreal huge = 1e12;
        const qreal nan = std::numeric_limits<qreal>::quiet_NaN();

        QTest::newRow("one stroke: 乙") << installed << medians(QStringLiteral("乙")) << false
                                        << QStringLiteral("乙") << readable;
        QTest::newRow("ten strokes: 峰") << installed << medians(QStringLiteral("峰")) << false
                                         << QStringLiteral("峰") << readable;
        QTest::newRow("twenty strokes: 籍") << installed << medians(QStringLiteral("籍")) << false
                                            << QStringLiteral("籍") << readable;
        // Characters that differ by size or proportion: 口 first at three sizes, and each drawn
        // as its medians place it first, its twin in the list.
        for (const qreal span : { 0.5, 0.7, 0.9 }) {
            QTest::addRow("box at %d%%: 口, then 囗", int(span * 100))
                << installed << spanning(medians(QStringLiteral("口")), span) << false
                << QStringLiteral("口囗") << readable;
            // as a hand draws a box: 丨, 𠃍 and 一 meeting at square corners
            const qreal a = side * (1 - span) / 2, b = side - a;
            QTest::addRow("square box of 丨 𠃍 一 at %d%%: 口, then 囗", int(span * 100))
                << installed
                << Ink { { { a, a }, { a, b } }, { { a, a }, { b, a }, { b, b } },
                       { { a, b }, { b, b } } }
                << false << QStringLiteral("口囗") << readable;
        }
        for (const QString &pair : { QStringLiteral("囗口"), QStringLiteral("曰日"),
                 QStringLiteral("末未"), QStringLiteral("士土") }) {
            QTest::addRow(
                "%s from its medians: then %s", qPrintable(pair.first(1)), qPrintable(pair.last(1)))
                << installed << medians(pair.first(1)) << false << pair << readable;
        }
        QTest::newRow("no record: 十 not offered") << installed << medians(QStringLiteral("十"))
                                                   << true << QStringLiteral("*") << readable;
        QTest::newRow("missing model")
            << QStringLiteral("/nonexistent/handwriting.model") << medians(QStringLiteral("十"))
            << false << QString() << readable;
        QTest::newRow("model not a file")
            << QDir::tempPath() << medians(QStringLiteral("十")) << false << QString() << readable;
        QTest::newRow("no strokes") << installed << Ink() << false << QString() << readable;
        QTest::newRow("empty strokes")
            << installed << Ink { {}, {} } << false << QString() << readable;
        QTest::newRow("one-point stroke") << installed << Ink { { QPointF(150, 150) } } << false
                                          << QStringLiteral("*") << readable;
        QTest::newRow("absurd coordinates: 十 stretched far out")
            << installed
            << Ink { { QPointF(-huge, 150), QPointF(nan, 150), QPointF(huge, 150) },
                   { QPointF(150, -huge), QPointF(150, huge) } }
            << false << QStringLiteral("十") << readable;

        // The bounds at their limits, and past them: nothing reaches Zinnia that makes it run away.
        const Stroke line { { 40, 150 }, { 260, 150 } };
        QTest::newRow("scribble: 30 turns, 156 points")
            << installed << Ink { zigzag(30, 4) } << false << QString() << InkVerdict::WildStroke;
        QTest::newRow("corners: 16")
            << installed << Ink { zigzag(16, 4) } << false << QStringLiteral("*") << readable;
        QTest::newRow("corners: 17")
            << installed << Ink { zigzag(17, 4) } << false << QString() << InkVerdict::WildStroke;
        QTest::newRow("corners: 17 in the third stroke")
            << installed << Ink { line, line, zigzag(17, 0) } << false << QString()
            << InkVerdict::WildStroke;
        QTest::newRow("corners: 16, 100,000 points")
            << installed << Ink { zigzag(16, 6000) } << false << QStringLiteral("*") << readable;
        QTest::newRow("strokes: 48")
            << installed << taps(48) << false << QStringLiteral("*") << readable;
        QTest::newRow("strokes: 49")
            << installed << taps(49) << false << QString() << InkVerdict::TooManyStrokes;
        Ink withEmpty = taps(48);
        withEmpty.append({ Stroke {}, Stroke { QPointF(nan, nan) } });
        QTest::newRow("strokes: 48 and two without points")
            << installed << withEmpty << false << QStringLiteral("*") << readable;
    }

    void recognize()
    {
        QFETCH(QString, model);
        QFETCH(Ink, ink);
        QFETCH(bool, withoutTen);
        QFETCH(QString, expected);
        QFETCH(InkVerdict, verdict);
        QCOMPARE(inkVerdict(ink, side), verdict);
        KnownCharacters offered = known;
        if (withoutTen)
            offered.remove(QStringLiteral("十"));

        const Recognizer recognizer(model);
        QCOMPARE(recognizer.isAvailable(), model == defaultModelFile());
        const QStringList candidates = handwriting::recognize(recognizer, ink, side, offered);
        QVERIFY2(candidates.size() <= 10, qPrintable(candidates.join(u' ')));
        if (expected.isEmpty()) {
            QVERIFY2(candidates.isEmpty(), qPrintable(candidates.join(u' ')));
            return;
        }
        QVERIFY(!candidates.isEmpty());
        for (const QString &candidate : candidates)
            QVERIFY2(offered.contains(candidate), qPrintable(candidate));
        if (expected != u'*') {
            QCOMPARE(candidates.first(), expected.first(1));
            for (const QChar following : expected.mid(1))
                QVERIFY2(candidates.contains(following), qPrintable(candidates.join(u' ')));
        }
    }

    // The matcher reads strokes written without lifting the pen, or in another order, as the
    // character's strokes: from the drawn medians' strokes, in this order, joining those in a +.
    void matcher_data()
    {
        QTest::addColumn<QString>("character");
        QTest::addColumn<QString>("order");
        QTest::addColumn<int>("joins");
        QTest::addColumn<int>("swaps");
        QTest::addColumn<bool>("reordered");
        QTest::newRow("口: 丨 and 𠃍 joined")
            << QStringLiteral("口") << QStringLiteral("0+1 2") << 1 << 0 << false;
        QTest::newRow("日: the middle and bottom 一 joined")
            << QStringLiteral("日") << QStringLiteral("0 1 2+3") << 1 << 0 << false;
        QTest::newRow("十: 丨 before 一")
            << QStringLiteral("十") << QStringLiteral("1 0") << 0 << 1 << false;
        QTest::newRow("田: 口 closed before the inside")
            << QStringLiteral("田") << QStringLiteral("0 1 4 2 3") << 0 << 0 << true;
    }

    void matcher()
    {
        QFETCH(QString, character);
        QFETCH(QString, order);
        QFETCH(int, joins);
        QFETCH(int, swaps);
        QFETCH(bool, reordered);
        const Ink standard = medians(character);
        Ink ink;
        for (const QString &part : order.split(u' ')) {
            Stroke stroke;
            for (const QString &index : part.split(u'+'))
                stroke += standard.value(index.toInt());
            ink.append(stroke);
        }
        const Matcher &matcher = Matcher::shared();
        QVERIFY(matcher.size() > 9000);
        const QList<Matcher::Match> matches = matcher.match(Matcher::prepare(ink, side), 10);
        QVERIFY(!matches.isEmpty());
        QCOMPARE(matches.first().character, character);
        QCOMPARE(matches.first().reading.joins, joins);
        QCOMPARE(matches.first().reading.swaps, swaps);
        QCOMPARE(matches.first().reading.reordered, reordered);
        QCOMPARE(matches.first().reading.missing + matches.first().reading.extra, 0);
        const Recognizer recognizer(defaultModelFile());
        QCOMPARE(handwriting::recognize(recognizer, ink, side, known).value(0), character);
    }

    // Data cut short or not the matcher's keeps the characters read before the break, or none.
    void matcherData_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("some");
        QVERIFY(Matcher::shared().size() > 0); // the resource is registered by then
        QFile file(QStringLiteral(":/handwriting/medians.bin"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray full = file.readAll();
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("not the matcher's") << QByteArray("ZHM0") + full.mid(4) << false;
        QTest::newRow("cut short") << full.left(300) << true;
        QTest::newRow("a stroke count beyond the data") << QByteArray::fromHex("5a484d31"
                                                                               "0161"
                                                                               "0000ff"
                                                                               "02")
                                                        << false;
    }

    void matcherData()
    {
        QFETCH(QByteArray, data);
        QFETCH(bool, some);
        const Matcher matcher(data);
        QCOMPARE(matcher.size() > 0, some);
        QVERIFY(matcher.size() < Matcher::shared().size());
        const Matcher::Drawing drawing = Matcher::prepare(medians(QStringLiteral("十")), side);
        QVERIFY(matcher.match(drawing, 10).size() <= matcher.size());
    }

    // A model file that Zinnia cannot read leaves the recogniser not available.
    void unreadableModel_data()
    {
        QTest::addColumn<QByteArray>("content");
        QFile model(defaultModelFile());
        QVERIFY(model.open(QIODevice::ReadOnly));
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("text") << QByteArray("not a model\n");
        QTest::newRow("cut short") << model.read(4096);
        model.seek(0);
        const QByteArray whole = model.readAll();
        QByteArray huge = whole;
        huge[8] = huge[9] = huge[10] = char(0xff);
        huge[11] = char(0x7f);
        QTest::newRow("claims 2^31-1 entries") << huge;
        QTest::newRow("last entry cut, size made to match") << withSize(whole.chopped(6));
        QTest::newRow("one byte more, size made to match") << withSize(whole + QByteArray(1, 0));
    }

    void unreadableModel()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("model")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        const Recognizer recognizer(file.fileName());
        QVERIFY(!recognizer.isAvailable());
        QVERIFY(recognizer.classify(medians(QStringLiteral("十")), side, 10).isEmpty());
    }

    // The model is read at construction: the file cut short or overwritten afterwards changes
    // nothing (a mapped file would end the program with SIGBUS at the next classification).
    void modelChangedUnderneath_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("cut short") << QByteArray(4096, 'x');
        QTest::newRow("emptied") << QByteArray();
    }

    void modelChangedUnderneath()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("model"));
        QVERIFY(QFile::copy(defaultModelFile(), path));
        const Recognizer recognizer(path);
        QVERIFY(recognizer.isAvailable());
        const Ink ten = medians(QStringLiteral("十"));
        const QList<Candidate> before = recognizer.classify(ten, side, 10);
        QVERIFY(!before.isEmpty());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite | QIODevice::Truncate)); // in place, not renamed
        file.write(content);
        file.close();
        const QList<Candidate> after = recognizer.classify(ten, side, 10);
        QCOMPARE(after.size(), before.size());
        QCOMPARE(after.first().character, before.first().character);
    }

    // The worker over a stand-in function that answers with the number of strokes and holds the
    // first call until told: requests made meanwhile replace each other, only the newest is
    // delivered, a cancel drops what is on its way, and a function that throws gives no list.
    void workerDeliversOnlyTheNewest()
    {
        QSemaphore started;
        QSemaphore gate;
        QList<qsizetype> calls; // written by the worker thread, read after the gate
        RecognitionWorker worker([&](const Ink &ink) {
            calls.append(ink.size());
            started.release();
            if (calls.size() == 1)
                gate.acquire();
            if (ink.size() == 9)
                throw std::bad_alloc();
            return QStringList { QString::number(ink.size()) };
        });
        QSignalSpy delivered(&worker, &RecognitionWorker::recognized);

        QCOMPARE(worker.request(taps(1)), quint64(1));
        QVERIFY(started.tryAcquire(1, 5000)); // the first call is running
        worker.request(taps(2));
        const quint64 third = worker.request(taps(3));
        QVERIFY(worker.isBusy());
        gate.release();
        QTRY_COMPARE(delivered.size(), 1);
        QCOMPARE(delivered.at(0).at(0).toULongLong(), third);
        QCOMPARE(delivered.at(0).at(1).toStringList(), QStringList { QStringLiteral("3") });
        QVERIFY(started.tryAcquire(1, 5000));
        QCOMPARE(calls, (QList<qsizetype> { 1, 3 }));
        QVERIFY(!worker.isBusy());

        worker.request(taps(4));
        worker.cancel();
        QVERIFY(!worker.isBusy());
        const quint64 last = worker.request(taps(9));
        QTRY_COMPARE(delivered.size(), 2);
        QCOMPARE(delivered.at(1).at(0).toULongLong(), last);
        QCOMPARE(delivered.at(1).at(1).toStringList(), QStringList());
        QVERIFY(!worker.isBusy());
        QTest::qWait(50); // the cancelled request's result, had it come, would be here by now
        QCOMPARE(delivered.size(), 2);
    }

    // The class of a drawn stroke (y down): the digits of the stroke-code tables.
    void strokeClass_data()
    {
        QTest::addColumn<Stroke>("stroke");
        QTest::addColumn<QString>("expected");
        QTest::newRow("horizontal")
            << Stroke { { 30, 150 }, { 150, 148 }, { 270, 152 } } << QStringLiteral("1");
        QTest::newRow("rising") << Stroke { { 60, 200 }, { 160, 130 } } << QStringLiteral("1");
        QTest::newRow("vertical with a hook")
            << Stroke { { 150, 30 }, { 150, 250 }, { 130, 265 } } << QStringLiteral("2");
        QTest::newRow("left-falling") << Stroke { { 200, 40 }, { 190, 120 }, { 140, 200 },
            { 60, 260 } } << QStringLiteral("3");
        QTest::newRow("dot") << Stroke { { 140, 40 }, { 160, 65 } } << QStringLiteral("4");
        QTest::newRow("turning: right, then down")
            << Stroke { { 60, 60 }, { 240, 60 }, { 240, 240 } } << QStringLiteral("5");
        QTest::newRow("a tap") << Stroke { { 100, 100 } } << QStringLiteral("4");
    }

    void strokeClass()
    {
        QFETCH(Stroke, stroke);
        QFETCH(QString, expected);
        QCOMPARE(QString(handwriting::strokeClass(stroke, side)), expected);
    }

private:
    KnownCharacters known;
};

QTEST_GUILESS_MAIN(TestRecognizer)
#include "tst_recognizer.moc"
