// SPDX-License-Identifier: GPL-3.0-or-later
// The card's rules that need judgement, on small CC-CEDICT, jieba and Unihan snippets, and the
// card file written through its schema and read back by the store.
#include "cardrules.h"
#include "cardschema.h"
#include "cardstore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using cardrules::CardBuilder;

namespace {

const char dictionary[] = R"(# CC-CEDICT
行 行 [hang2] /(bound form) row; line/(bound form) line of business; trade/
行 行 [heng2] /used in 道行[dao4 heng2]/
行 行 [xing2] /(bound form) to walk; to go/capable; competent/
銀行 银行 [yin2 hang2] /bank/CL:家[jia1],個|个[ge4]/
行走 行走 [xing2 zou3] /to walk/
行業 行业 [hang2 ye4] /industry; business/
恆生銀行 恒生银行 [Heng2 sheng1 Yin2 hang2] /Hang Seng Bank/
重 重 [chong2] /to repeat/again/
重 重 [zhong4] /heavy/serious/
重新 重新 [chong2 xin1] /again; once more/
重要 重要 [zhong4 yao4] /important/
重點 重点 [chong2 dian3] /to recount (e.g. results of election)/
重點 重点 [zhong4 dian3] /important point; main point/
重重 重重 [chong2 chong2] /layer upon layer/
重重 重重 [zhong4 zhong4] /heavily/
玻 玻 [bo1] /see 玻璃[bo1 li5]/
玻璃 玻璃 [bo1 li5] /glass/CL:張|张[zhang1]/
發 发 [fa1] /to send out/to issue/
髮 发 [fa4] /hair/
頭髮 头发 [tou2 fa5] /hair (on the head)/
發展 发展 [fa1 zhan3] /to develop/
發騷 发骚 [fa1 sao1] /(derog.) to act flirtatiously/
乹 干 [gan1] /old variant of 乾|干[gan1]/
一 一 [yi1] /one/single/
弌 一 [yi1] /one (formal)/
單 单 [Shan4] /surname Shan/
單 单 [chan2] /used in 單于|单于[chan2 yu2]/
單 单 [dan1] /single/bill; list/
單于 单于 [chan2 yu2] /king of the Xiongnu/
單縣 单县 [Shan4 Xian4] /Shan County in Shandong/
簡單 简单 [jian3 dan1] /simple/
)";

const char frequencies[]
    = "银行 7684 n\n行走 1241 v\n行业 4830 n\n重新 8297 a\n重要 37557 a\n"
      "重点 12694 n\n重重 1032 d\n玻璃 2165 n\n头发 2200 n\n发展 20000 v\n发骚 3 v\n"
      "简单 9000 a\n单于 120 nr\n";

const char unihan[] = "U+884C\tkHanyuPinlu\txíng(2943) háng(218)\n"
                      "U+884C\tkTGHZ2013\t131.140:háng 136.100:héng 408.120:xíng\n"
                      "U+884C\tkTGH\t2013:483\n"
                      "U+91CD\tkHanyuPinlu\tzhòng(1823) chóng(329)\n"
                      "U+91CD\tkTGHZ2013\t047.150:chóng 481.090:zhòng\n"
                      "U+73BB\tkTGHZ2013\t026.020:bō\n"
                      "U+53D1\tkTGHZ2013\t090.010:fā 090.100:fà\n"
                      "U+53D1\tkTraditionalVariant\tU+767C U+9AEE\n"
                      "U+5355\tkTraditionalVariant\tU+5355 U+55AE\n"
                      "U+4E00\tkTGHZ2013\t405.010:yī\n"
                      "U+4E00\tkTGH\t2013:1\n"
                      "U+5355\tkTGHZ2013\t036.140:chán 064.090:dān 325.010:shàn\n"
                      "U+5355\tkHanyuPinlu\tdān(603)\n"
                      "U+4E36\tkMandarin\tzhǔ\n"
                      "U+4E36\tkDefinition\tdot; Kangxi radical 3\n";

const char corrections[] = "# kind\tsubject\tvalue\treason\n"
                           "drop\t行\théng\tonly in 道行\n"
                           "word\t重重\tchóng\tlayer upon layer is the common word\n";

CardBuilder fixtureBuilder()
{
    QHash<QString, cardrules::UnihanFacts> facts;
    cardrules::readUnihan(QString::fromUtf8(unihan), facts);
    QString error;
    const auto parsed = cardrules::parseCorrections(QString::fromUtf8(corrections), &error);
    if (!parsed)
        qFatal("fixture corrections: %s", qPrintable(error));
    return CardBuilder(cardrules::parseDictionary(QString::fromUtf8(dictionary)),
        cardrules::parseWordFrequencies(QString::fromUtf8(frequencies)), facts, *parsed);
}

card::Card fixtureCard(const QString &character)
{
    CardBuilder builder = fixtureBuilder();
    return builder.build({ character, 6, {} });
}

// "pinyin: word word | pinyin: word" for a card's readings and words.
QString wordsByReading(const card::Card &card)
{
    QStringList readings;
    for (const card::Reading &reading : card.readings) {
        QStringList words;
        for (const card::Word &word : reading.words)
            words.append(word.word + u'/' + word.pinyin);
        readings.append(reading.pinyin + u':' + words.join(u' '));
    }
    return readings.join(QStringLiteral(" | "));
}

} // namespace

class CardTest : public QObject {
    Q_OBJECT

private slots:
    void readingsAndWords_data();
    void readingsAndWords();
    void meanings_data();
    void meanings();
    void traditional_data();
    void traditional();
    void staleCorrection();
    void syllables_data();
    void syllables();
    void storeReadsWhatTheSchemaWrote();
    void storeWithoutUsableFile_data();
    void storeWithoutUsableFile();
};

void CardTest::readingsAndWords_data()
{
    QTest::addColumn<QString>("character");
    QTest::addColumn<QString>("expected");
    // 多音字: each word under its reading, most used reading first, a dropped reading gone, the
    // bank's proper name left out where common words exist
    QTest::newRow("行: 银行 under háng, 行走 under xíng") << QStringLiteral(
        "行") << QStringLiteral("xíng:行走/xíngzǒu | háng:银行/yínháng 行业/hángyè");
    // a word listed under two readings: the more used reading, unless a correction says otherwise
    QTest::newRow("重: 重点 both ways goes to zhòng, 重重 corrected to chóng")
        << QStringLiteral("重")
        << QStringLiteral(
               "zhòng:重要/zhòngyào 重点/zhòngdiǎn | chóng:重新/chóngxīn 重重/chóngchóng");
    // a neutral tone goes to the reading its traditional form has; a derogatory word is left out
    QTest::newRow("发: 头发 under fà by 髮, 发骚 left out")
        << QStringLiteral("发") << QStringLiteral("fā:发展/fāzhǎn | fà:头发/tóufa");
    // proper names only where no other word is
    QTest::newRow("单: 单县 only under shàn") << QStringLiteral(
        "单") << QStringLiteral("dān:简单/jiǎndān | chán:单于/chányú | shàn:单县/Shàn Xiàn");
    QTest::newRow("丶: a reading from kMandarin, no word")
        << QStringLiteral("丶") << QStringLiteral("zhǔ:");
    QTest::newRow("乹: no reading, no card") << QStringLiteral("乹") << QString();
}

void CardTest::readingsAndWords()
{
    QFETCH(QString, character);
    QFETCH(QString, expected);
    QCOMPARE(wordsByReading(fixtureCard(character)), expected);
}

void CardTest::meanings_data()
{
    QTest::addColumn<QString>("character");
    QTest::addColumn<QStringList>("expected"); // the meanings of each reading, "; "-joined
    QTest::newRow("行: a sense per reading")
        << QStringLiteral("行")
        << QStringList { QStringLiteral("(bound form) to walk; to go; capable; competent"),
               QStringLiteral("(bound form) row; line; (bound form) line of business; trade") };
    QTest::newRow("玻: only a pointer, the word stands in")
        << QStringLiteral("玻") << QStringList { QStringLiteral("used in 玻璃, glass") };
    QTest::newRow("单: surname last, the pointer replaced by the word")
        << QStringLiteral("单")
        << QStringList { QStringLiteral("single; bill; list"),
               QStringLiteral("used in 单于, king of the Xiongnu"),
               QStringLiteral("used in 单县, Shan County in Shandong; surname Shan") };
    QTest::newRow("丶: nothing in the dictionary, Unihan's definition")
        << QStringLiteral("丶") << QStringList { QStringLiteral("dot; Kangxi radical 3") };
}

void CardTest::meanings()
{
    QFETCH(QString, character);
    QFETCH(QStringList, expected);
    QStringList meanings;
    for (const card::Reading &reading : fixtureCard(character).readings)
        meanings.append(reading.meanings.join(QStringLiteral("; ")));
    QCOMPARE(meanings, expected);
}

void CardTest::traditional_data()
{
    QTest::addColumn<QString>("character");
    QTest::addColumn<QString>("expected");
    QTest::newRow("发: a form per sense")
        << QStringLiteral("发") << QStringLiteral("發 send out; 髮 hair");
    QTest::newRow("单: one form for every sense") << QStringLiteral("单") << QStringLiteral("單 ");
    QTest::newRow("一: the same form, another character under it left out")
        << QStringLiteral("一") << QString();
}

void CardTest::traditional()
{
    QFETCH(QString, character);
    QFETCH(QString, expected);
    QStringList forms;
    for (const card::Traditional &form : fixtureCard(character).traditional)
        forms.append(form.form + u' ' + form.sense);
    QCOMPARE(forms.join(QStringLiteral("; ")), expected);
}

void CardTest::staleCorrection()
{
    CardBuilder builder = fixtureBuilder();
    builder.build({ QStringLiteral("行"), 6, {} });
    // 重重's correction is used only when 重 is built
    QCOMPARE(builder.unusedCorrections(), QStringList { QStringLiteral("word 重重") });
    QString error;
    QVERIFY(!cardrules::parseCorrections(QStringLiteral("word\t重重\tchóng\n"), &error));
    QVERIFY(error.contains(QStringLiteral("line 1")));
}

void CardTest::syllables_data()
{
    QTest::addColumn<QStringList>("numbered");
    QTest::addColumn<QString>("expected");
    QTest::newRow("apostrophe before a vowel")
        << QStringList { "xi1", "an1" } << QStringLiteral("xī'ān");
    QTest::newRow("ü and the mark on it")
        << QStringList { "lu:4", "se4" } << QStringLiteral("lǜsè");
    QTest::newRow("ou marks o, iu marks u")
        << QStringList { "gou3", "jiu3" } << QStringLiteral("gǒujiǔ");
    QTest::newRow("neutral tone unmarked")
        << QStringList { "tou2", "fa5" } << QStringLiteral("tóufa");
    QTest::newRow("a syllable without vowel") << QStringList { "m2" } << QStringLiteral("ḿ");
}

void CardTest::syllables()
{
    QFETCH(QStringList, numbered);
    QFETCH(QString, expected);
    QStringList marked;
    for (const QString &syllable : numbered)
        marked.append(cardrules::markedSyllable(syllable));
    QCOMPARE(cardrules::joinedPinyin(marked), expected);
}

void CardTest::storeReadsWhatTheSchemaWrote()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("card.db"));
    card::Card written = fixtureCard(QStringLiteral("发"));
    written.radical = QStringLiteral("又");
    written.kangxiRadical = QStringLiteral("又");
    written.strokesOutsideRadical = 3;
    written.structure = QStringLiteral("独体");
    written.strokeNames = QStringList { QStringLiteral("撇折"), QStringLiteral("撇") };
    written.parts = QStringList { QStringLiteral("又"), QStringLiteral("𠂇") };
    card::Card outsideBmp { QStringLiteral("𠀀"), { { QStringLiteral("qiū"), {}, {} } } };
    QString error;
    QVERIFY2(cardschema::writeFile(path, { written, outsideBmp }, &error), qPrintable(error));
    QVERIFY(!cardschema::writeFile(path, {}, &error)); // never over a file

    const card::CardStore store(path);
    const std::optional<card::Card> read = store.card(QStringLiteral("发"));
    QVERIFY(read);
    QCOMPARE(read->character, written.character);
    QCOMPARE(wordsByReading(*read), wordsByReading(written));
    QCOMPARE(read->readings.at(1).meanings, written.readings.at(1).meanings);
    QCOMPARE(read->radical, written.radical);
    QCOMPARE(read->strokes, 6);
    QCOMPARE(read->strokesOutsideRadical, 3);
    QCOMPARE(read->structure, written.structure);
    QCOMPARE(read->strokeNames, written.strokeNames);
    QCOMPARE(read->traditional.size(), 2);
    QCOMPARE(read->traditional.at(1).form, QStringLiteral("髮"));
    QCOMPARE(read->traditional.at(1).sense, QStringLiteral("hair"));
    QCOMPARE(read->parts, written.parts);
    QCOMPARE(store.readings(QStringLiteral("发")),
        (QStringList { QStringLiteral("fā"), QStringLiteral("fà") }));

    const std::optional<card::Card> other = store.card(QStringLiteral("𠀀"));
    QVERIFY(other);
    QCOMPARE(other->strokesOutsideRadical, -1); // no radical
    QVERIFY(other->traditional.isEmpty());
    QVERIFY(!store.card(QStringLiteral("无")));
    QVERIFY(store.readings(QStringLiteral("无")).isEmpty());
}

void CardTest::storeWithoutUsableFile_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file
    QTest::newRow("missing") << QByteArray();
    QTest::newRow("not SQLite") << QByteArray("card.db\n");
    // SQLite, but not of this format
    QTest::newRow("other format") << QByteArray("other");
}

void CardTest::storeWithoutUsableFile()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("card.db"));
    if (content == "other") {
        QString error;
        QVERIFY(cardschema::writeFile(path, {}, &error));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll();
        bytes.replace("format", "fxrmat"); // the info row's key
        QVERIFY(file.seek(0) && file.write(bytes) == bytes.size());
    } else if (!content.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    }
    const card::CardStore store(path);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^card store: ")));
    QVERIFY(!store.isAvailable());
    QVERIFY(!store.card(QStringLiteral("发")));
    QVERIFY(store.readings(QStringLiteral("发")).isEmpty());
    QCOMPARE(QFile::exists(path), !content.isEmpty()); // a read never makes the file
}

QTEST_GUILESS_MAIN(CardTest)
#include "tst_card.moc"
