// SPDX-License-Identifier: GPL-3.0-or-later
#include "pinyinkey.h"

#include <QTest>

using OptionalKey = std::optional<QString>;
using OptionalSegment = std::optional<tables::Segment>;
Q_DECLARE_METATYPE(OptionalKey)
Q_DECLARE_METATYPE(OptionalSegment)

class PinyinKeyTest : public QObject {
    Q_OBJECT
private slots:
    void key_data();
    void key();
    void segment_data();
    void segment();
};

void PinyinKeyTest::key_data()
{
    QTest::addColumn<QString>("comboText");
    QTest::addColumn<QString>("syllable");
    QTest::addColumn<OptionalKey>("key");

    QTest::newRow("a") << "a"
                       << "a" << OptionalKey("a     ");
    QTest::newRow("ai") << "ai"
                        << "ai" << OptionalKey("ai    ");
    QTest::newRow("five letters") << "zhuan"
                                  << "zhuan" << OptionalKey("zhuan ");
    QTest::newRow("six letters unpadded") << "zhuang"
                                          << "zhuang" << OptionalKey("zhuang");
    QTest::newRow("spaces around") << " ai "
                                   << "ai" << OptionalKey("ai    ");
    QTest::newRow("spaces around six") << "  zhuang  "
                                       << "zhuang" << OptionalKey("zhuang");
    QTest::newRow("seven letters") << "zhuangx"
                                   << "zhuangx" << OptionalKey();
    QTest::newRow("empty") << ""
                           << "" << OptionalKey();
    QTest::newRow("spaces only") << "   "
                                 << "" << OptionalKey();
    QTest::newRow("upper case lowered") << "MA"
                                        << "MA" << OptionalKey("ma    ");
    QTest::newRow("lv") << "lv"
                        << "lv" << OptionalKey("lu    ");
    QTest::newRow("lü") << QStringLiteral("lü") << QStringLiteral("lü") << OptionalKey("lu    ");
    QTest::newRow("nü combining") << QStringLiteral("nü") << QStringLiteral("nü")
                                  << OptionalKey("nu    ");
    QTest::newRow("ma3") << "ma3"
                         << "ma3" << OptionalKey("ma    ");
    QTest::newRow("mǎ") << QStringLiteral("mǎ") << QStringLiteral("mǎ") << OptionalKey("ma    ");
    QTest::newRow("LǘE4 all at once")
        << QStringLiteral("LǘE4") << QStringLiteral("LǘE4") << OptionalKey("lue   ");
    QTest::newRow("seven with the tone digit") << "zhuang1"
                                               << "zhuang1" << OptionalKey("zhuang");
    QTest::newRow("6 is no tone") << "ma6"
                                  << "ma6" << OptionalKey("ma6   ");
    QTest::newRow("a digit alone is kept") << "3"
                                           << "3" << OptionalKey("3     ");
    QTest::newRow("inner space kept") << "a b"
                                      << "a b" << OptionalKey("a b   ");
    QTest::newRow("tab not trimmed") << "\ta"
                                     << "\ta" << OptionalKey("\ta    ");
    QTest::newRow("design-time text") << QStringLiteral("输入拼音") << QStringLiteral("输入拼音")
                                      << OptionalKey(QStringLiteral("输入拼音  "));
    QTest::newRow("z") << "z"
                       << "z" << OptionalKey("z     ");
    QTest::newRow("zh") << "zh"
                        << "zh" << OptionalKey("zh    ");
    QTest::newRow("zha") << "zha"
                         << "zha" << OptionalKey("zha   ");
}

void PinyinKeyTest::key()
{
    QFETCH(QString, comboText);
    QFETCH(QString, syllable);
    QFETCH(OptionalKey, key);
    QCOMPARE(syllableFromComboText(comboText), syllable);
    QCOMPARE(pinyinKey(comboText), key);
}

void PinyinKeyTest::segment_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<OptionalSegment>("segment");

    const struct {
        const char *letters;
        tables::Segment segment;
    } groups[] = {
        { "abcde", tables::Segment::Text1bh1 },
        { "fghijk", tables::Segment::Text1bh2 },
        { "lmnopq", tables::Segment::Text1bh3 },
        { "rstuvwx", tables::Segment::Text1bh4 },
        { "yz", tables::Segment::Text1bh5 },
    };
    for (const auto &group : groups) {
        for (const char *letter = group.letters; *letter; ++letter)
            QTest::addRow("%c", *letter)
                << QString::fromLatin1(letter, 1) + "     " << OptionalSegment(group.segment);
    }
    QTest::newRow("zhuang") << "zhuang" << OptionalSegment(tables::Segment::Text1bh5);
    QTest::newRow("upper A") << "A     " << OptionalSegment();
    QTest::newRow("upper Z") << "Z     " << OptionalSegment();
    QTest::newRow("digit") << "1     " << OptionalSegment();
    QTest::newRow("space first") << " a    " << OptionalSegment();
    QTest::newRow("u umlaut") << QStringLiteral("ü     ") << OptionalSegment();
    QTest::newRow("stroke search's character") << QStringLiteral("峰") << OptionalSegment();
    QTest::newRow("empty") << "" << OptionalSegment();
}

void PinyinKeyTest::segment()
{
    QFETCH(QString, key);
    QFETCH(OptionalSegment, segment);
    QCOMPARE(pinyinKeySegment(key), segment);
}

QTEST_GUILESS_MAIN(PinyinKeyTest)
#include "tst_pinyinkey.moc"
