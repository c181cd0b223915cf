// SPDX-License-Identifier: GPL-3.0-or-later
#include "strokecode.h"

#include <QTest>

using ComboTexts = std::array<QString, 5>;
using OptionalSegment = std::optional<tables::Segment>;
Q_DECLARE_METATYPE(ComboTexts)
Q_DECLARE_METATYPE(OptionalSegment)

class StrokeCodeTest : public QObject {
    Q_OBJECT
private slots:
    void strokeCode_data();
    void strokeCode();
    void segment_data();
    void segment();
};

void StrokeCodeTest::strokeCode_data()
{
    QTest::addColumn<ComboTexts>("texts");
    QTest::addColumn<QString>("code");

    const QString heng = QStringLiteral("一"), shu = QStringLiteral("丨"),
                  pie = QStringLiteral("丿"), dian = QStringLiteral("丶"),
                  zhe = QStringLiteral("乙"), blank = QStringLiteral(" ");

    QTest::newRow("feng, the help's example") << ComboTexts { shu, zhe, shu, pie, shu } << "25232";
    QTest::newRow("all five kinds") << ComboTexts { heng, shu, pie, dian, zhe } << "12345";
    QTest::newRow("heng then blanks") << ComboTexts { heng, blank, blank, blank, blank } << "10000";
    QTest::newRow("heng shu") << ComboTexts { heng, shu, blank, blank, blank } << "12000";
    QTest::newRow("shu zhe") << ComboTexts { shu, zhe, blank, blank, blank } << "25000";
    QTest::newRow("shu zhe heng") << ComboTexts { shu, zhe, heng, blank, blank } << "25100";
    QTest::newRow("pie heng") << ComboTexts { pie, heng, blank, blank, blank } << "31000";
    QTest::newRow("blank between strokes")
        << ComboTexts { heng, blank, shu, blank, blank } << "10200";
    QTest::newRow("only the last stroke")
        << ComboTexts { blank, blank, blank, blank, dian } << "00004";
    QTest::newRow("empty first") << ComboTexts { QString(), shu, zhe, blank, blank } << "02500";
    QTest::newRow("all empty") << ComboTexts {} << "00000";
    QTest::newRow("typed digit") << ComboTexts { QStringLiteral("1"), shu, blank, blank, blank }
                                 << "02000";
    QTest::newRow("typed letter") << ComboTexts { heng, QStringLiteral("a"), shu, blank, blank }
                                  << "10200";
    QTest::newRow("two symbols") << ComboTexts { heng + heng, shu, blank, blank, blank } << "02000";
    QTest::newRow("symbol after space")
        << ComboTexts { " " + heng, shu, blank, blank, blank } << "02000";
    QTest::newRow("symbol before space")
        << ComboTexts { heng, shu + " ", blank, blank, blank } << "10000";
    // look-alikes that are not the five symbols: U+4E85 亅, U+2F00 ⼀, U+FF5C ｜
    QTest::newRow("look-alikes") << ComboTexts { QStringLiteral("亅"), QStringLiteral("⼀"),
        QStringLiteral("｜"), dian, zhe }
                                 << "00045";
}

void StrokeCodeTest::strokeCode()
{
    QFETCH(ComboTexts, texts);
    QFETCH(QString, code);
    QCOMPARE(::strokeCode(texts), code);
}

void StrokeCodeTest::segment_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<OptionalSegment>("segment");

    QTest::newRow("1") << "10000" << OptionalSegment(tables::Segment::Text1bh1w);
    QTest::newRow("2") << "25232" << OptionalSegment(tables::Segment::Text1bh2w);
    QTest::newRow("3") << "31000" << OptionalSegment(tables::Segment::Text1bh3w);
    QTest::newRow("4") << "41000" << OptionalSegment(tables::Segment::Text1bh4w);
    QTest::newRow("5") << "51000" << OptionalSegment(tables::Segment::Text1bh5w);
    QTest::newRow("0 first") << "02500" << OptionalSegment();
    QTest::newRow("all 0") << "00000" << OptionalSegment();
    QTest::newRow("empty") << "" << OptionalSegment();
    QTest::newRow("6 first") << "60000" << OptionalSegment();
}

void StrokeCodeTest::segment()
{
    QFETCH(QString, code);
    QFETCH(OptionalSegment, segment);
    QCOMPARE(strokeCodeSegment(code), segment);
}

QTEST_GUILESS_MAIN(StrokeCodeTest)
#include "tst_strokecode.moc"
