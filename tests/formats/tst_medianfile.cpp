// SPDX-License-Identifier: GPL-3.0-or-later
// The handwriting matcher's data file: what handwritinggen writes is what the matcher reads, and
// a broken file gives what comes before the break with a reason.
#include "medianfile.h"

#include <QTest>

namespace {

medianfile::Entry entry(const QString &character, std::vector<medianfile::Stroke> strokes)
{
    return { character, 3, 1, std::move(strokes) };
}

// 十 and 𠀀 (four UTF-8 bytes), written through append.
QByteArray soundFile()
{
    QByteArray file = medianfile::header();
    medianfile::append(file,
        entry(
            QStringLiteral("十"), { { { 10, 128 }, { 246, 128 } }, { { 128, 8 }, { 128, 250 } } }));
    medianfile::append(file, entry(QStringLiteral("𠀀"), { { { 0, 0 } } }));
    return file;
}

} // namespace

class MedianFileTest : public QObject {
    Q_OBJECT
private slots:
    void read_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("characters");
        QTest::addColumn<bool>("broken");
        const QByteArray sound = soundFile();
        QTest::newRow("sound") << sound << QStringList { "十", "𠀀" } << false;
        QTest::newRow("magic alone") << medianfile::header() << QStringList {} << false;
        QTest::newRow("another magic")
            << QByteArray("ZHM2") + sound.mid(4) << QStringList {} << true;
        QTest::newRow("empty") << QByteArray() << QStringList {} << true;
        QTest::newRow("cut in the last point") << sound.chopped(1) << QStringList { "十" } << true;
        QTest::newRow("cut after a character") << sound.left(4 + 1 + 3) << QStringList {} << true;
        QTest::newRow("an entry without strokes")
            << sound + QByteArray("\x03\xE5\x8F\xA3\x01\x01\x00", 7) << QStringList { "十", "𠀀" }
            << true;
        QTest::newRow("a stroke without points")
            << sound + QByteArray("\x03\xE5\x8F\xA3\x01\x01\x01\x00", 8)
            << QStringList { "十", "𠀀" } << true;
    }
    void read()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, characters);
        QFETCH(bool, broken);
        QString error;
        const std::vector<medianfile::Entry> entries = medianfile::read(file, &error);
        QStringList read;
        for (const medianfile::Entry &e : entries)
            read.append(e.character);
        QCOMPARE(read, characters);
        QCOMPARE(!error.isEmpty(), broken);
        if (characters.size() == 2) {
            const medianfile::Stroke &second = entries[0].strokes.at(1);
            QCOMPARE(entries[0].strokes.size(), size_t(2));
            QCOMPARE(second.size(), size_t(2));
            QCOMPARE(second[1].x, quint8(128));
            QCOMPARE(second[1].y, quint8(250));
            QCOMPARE(entries[1].frequency, quint8(3));
            QCOMPARE(entries[1].level, quint8(1));
        }
    }

    // What the format cannot hold stays out of the file rather than breaking it.
    void appendLeavesOutWhatDoesNotFit_data()
    {
        QTest::addColumn<QString>("character");
        QTest::addColumn<int>("strokes");
        QTest::addColumn<int>("points");
        QTest::newRow("no character") << QString() << 1 << 1;
        QTest::newRow("no stroke") << QStringLiteral("十") << 0 << 1;
        QTest::newRow("a stroke without points") << QStringLiteral("十") << 1 << 0;
        QTest::newRow("256 strokes") << QStringLiteral("十") << 256 << 1;
        QTest::newRow("256 points") << QStringLiteral("十") << 1 << 256;
    }
    void appendLeavesOutWhatDoesNotFit()
    {
        QFETCH(QString, character);
        QFETCH(int, strokes);
        QFETCH(int, points);
        QByteArray file = medianfile::header();
        QVERIFY(!medianfile::append(file,
            entry(character,
                std::vector<medianfile::Stroke>(
                    size_t(strokes), medianfile::Stroke(size_t(points))))));
        QCOMPARE(file, medianfile::header());
    }
};

QTEST_GUILESS_MAIN(MedianFileTest)
#include "tst_medianfile.moc"
