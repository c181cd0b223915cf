// SPDX-License-Identifier: GPL-3.0-or-later
#include "pinyininitials.h"
#include "radicalfiling.h"
#include "segments.h"
#include "strokeorder.h"
#include "tabledata.h"
#include "tablesearch.h"

#include <QFile>
#include <QJsonArray>
#include <QRegularExpression>
#include <QSet>
#include <QStringEncoder>
#include <QTest>

using tables::Segment;

namespace {

QStringList rowsOf(const QString &text)
{
    QStringList rows = text.split(QStringLiteral("\r\n"));
    rows.removeLast(); // the text ends with the CR LF of its last row
    return rows;
}

// All characters the segment search lists for the key, as the result box would hold them.
QString search(TableSearch &state, Segment segment, const QString &key)
{
    QString box;
    segmentSearch(
        state, tables::segmentText(segment), [&] { return key; }, [&] { return box; },
        [&](const QString &text) { box = text; });
    return box;
}

QString spaced(const QString &characters)
{
    QString out;
    for (QChar c : characters)
        out += c + QLatin1Char(' ');
    return out;
}

QStringList syllableList()
{
    QFile file(QStringLiteral(ZIBRIN_SOURCE_DIR "/data/syllables.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList out;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n'))
        if (!line.isEmpty() && !line.startsWith(u'#'))
            out.append(line);
    return out;
}

// A small piece of the modern radical table, of the decomposition and of kRSUnicode.
const char *const fixtureRadicals = "# number form strokes main also\n"
                                    "2\t丨\t1\t\t㇑\n"
                                    "7\t厂\t2\t\t\n"
                                    "30\t艹\t3\t\t\n"
                                    "37\t口\t3\t\t\n"
                                    "38\t囗\t3\t\t\n"
                                    "39\t山\t3\t\t\n"
                                    "43\t夕\t3\t\t\n"
                                    "47\t门\t3\t\t\n"
                                    "48\t宀\t3\t\t\n"
                                    "49\t辶\t3\t\t\n"
                                    "54\t子\t3\t\t\n"
                                    "56\t女\t3\t\t\n"
                                    "64\t木\t4\t\t\n"
                                    "70\t戈\t4\t\t\n"
                                    "74\t攴\t4\t\t\n"
                                    "74\t攵\t4\t攴\t⺙\n"
                                    "79\t牛\t4\t\t\n"
                                    "79\t牜\t4\t牛\t\n"
                                    "77\t水\t4\t\t\n"
                                    "77\t氵\t3\t水\t\n"
                                    "94\t方\t4\t\t\n"
                                    "98\t心\t4\t\t\n"
                                    "105\t目\t5\t\t\n"
                                    "128\t页\t6\t\t\n"
                                    "166\t言\t7\t\t\n"
                                    "166\t讠\t2\t言\t\n";
const char *const fixtureDecomposition = "module.exports = `字:d(宀,子)\n"
                                         "峰:a(山,夆)\n"
                                         "国:s(囗,玉)\n"
                                         "说:a(讠,兑)\n"
                                         "相:a(木,目)\n"
                                         "想:d(相,心)\n"
                                         "我:a/m(手,戈)\n"
                                         "中:lock(口,丨)\n"
                                         "司:str(㇆,𠮛)\n"
                                         "边:sbl(辶,力)\n"
                                         "问:st(门,口)\n"
                                         "品:r3tr(口)\n"
                                         "政:a(正,⺙)\n"
                                         "顺:a(川,页)\n"
                                         "湖:a(氵,胡)\n"
                                         "名:stl(夕,口)\n"
                                         "胡:a(古,月)\n"
                                         "川:r3a(丨)\n"
                                         "莫:d(艹,日,大)\n"
                                         "墓:d(莫,土)\n"
                                         "厚:stl(37492,子)\n"
                                         "37492:stl(厂,日)\n"
                                         "周:st(田,口)\n"
                                         "口:mc(囗)\n"
                                         "物:a(牛,勿)`;\n";
const char *const fixtureUnihan = "U+5B57\tkRSUnicode\t39.3\n"
                                  "U+6211\tkRSUnicode\t62.3\n"
                                  "U+8BF4\tkRSUnicode\t149'.7\n"
                                  "U+4E2D\tkRSUnicode\t2.3\n"
                                  "U+6E56\tkRSUnicode\t85.9\n";
const char *const fixtureCorrections
    = "# character field value reason\n"
      "周\tradical\t-\tthe decomposition draws the outside as 田\n"
      "名\tstructure\t上下\tthe decomposition reads 夕 around 口\n";

radicals::Filer fixtureFiler()
{
    const QHash<QString, int> strokes = { { QStringLiteral("字"), 6 }, { QStringLiteral("峰"), 10 },
        { QStringLiteral("国"), 8 }, { QStringLiteral("说"), 9 }, { QStringLiteral("想"), 13 },
        { QStringLiteral("口"), 3 }, { QStringLiteral("我"), 7 }, { QStringLiteral("墓"), 13 } };
    radicals::Filer filer;
    QString error;
    if (!filer.loadTexts(QString::fromUtf8(fixtureRadicals),
            QString::fromUtf8(fixtureDecomposition), QString::fromUtf8(fixtureUnihan),
            QString::fromUtf8(fixtureCorrections), strokes, &error))
        qWarning("%s", qPrintable(error));
    return filer;
}

} // namespace

class TablesTest : public QObject {
    Q_OBJECT
private slots:
    void strokeSegment_data();
    void strokeSegment();
    void strokeTableCoversGb2312Once();
    void pinyinSegment_data();
    void pinyinSegment();
    void pinyinTableSyllables();
    void segmentsAreGbkText();
    void segmentSearch_data();
    void segmentSearch();
    void textSearchState_data();
    void textSearchState();
    void repeatedSearchStartsAtTop();
    void strokeOrderCheck_data();
    void strokeOrderCheck();
    void strokeOrderCorrections_data();
    void strokeOrderCorrections();
    void strokeNamesFollowTheDrawnKind();
    void radicalFiling_data();
    void radicalFiling();
    void radicalTableRejects_data();
    void radicalTableRejects();
    void radicalCheckCountsFormsAsTheirRadical();
    void sameKindOrder_data();
    void sameKindOrder();
    void componentOrderAcrossCharacters();
};

void TablesTest::strokeSegment_data()
{
    QTest::addColumn<int>("segment");
    QTest::addColumn<int>(
        "expectedRows"); // the original table's counts; the sources differ a little
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::newRow("Text1bh1w") << 0 << 1962 << QStringLiteral("一10000")
                               << QStringLiteral("瓦15540");
    QTest::newRow("Text1bh2w") << 1 << 1091 << QStringLiteral("丨20000")
                               << QStringLiteral("髋25545");
    QTest::newRow("Text1bh3w") << 2 << 1555 << QStringLiteral("丿30000")
                               << QStringLiteral("馔35554");
    QTest::newRow("Text1bh4w") << 3 << 1508 << QStringLiteral("丶40000")
                               << QStringLiteral("诶45544");
    QTest::newRow("Text1bh5w") << 4 << 647 << QStringLiteral("乙50000")
                               << QStringLiteral("鸶55551");
}

void TablesTest::strokeSegment()
{
    QFETCH(int, segment);
    QFETCH(int, expectedRows);
    QFETCH(QString, first);
    QFETCH(QString, last);

    const QString text = tables::segmentText(Segment(segment));
    QVERIFY(text.endsWith(QStringLiteral("\r\n")));
    const QStringList rows = rowsOf(text);
    QVERIFY2(qAbs(rows.size() - expectedRows) <= 10, qPrintable(QString::number(rows.size())));
    QCOMPARE(rows.first(), first);
    QCOMPARE(rows.last(), last);

    // a character, then five digits; a "0" only after the last stroke; ascending codes
    static const QRegularExpression row(
        QStringLiteral("^.[1-5](?:[1-5]{4}|[1-5]{3}0|[1-5]{2}00|[1-5]000|0000)$"));
    const QChar digit = QChar(u'1' + segment);
    QString previous;
    for (const QString &r : rows) {
        QVERIFY2(r.size() == 6 && row.match(r).hasMatch(), qPrintable(r));
        QCOMPARE(r.at(1), digit);
        QVERIFY2(r.mid(1) >= previous, qPrintable(r));
        previous = r.mid(1);
    }
}

void TablesTest::strokeTableCoversGb2312Once()
{
    QHash<QString, int> seen;
    for (int s = 0; s < 5; ++s)
        for (const QString &r : rowsOf(tables::segmentText(Segment(s))))
            ++seen[r.left(1)];
    const QList<QString> gb = tabledata::gb2312Characters();
    QCOMPARE(gb.size(), 6763);
    QCOMPARE(seen.size(), 6763);
    for (const QString &c : gb)
        QVERIFY2(seen.value(c) == 1, qPrintable(c));
}

void TablesTest::pinyinSegment_data()
{
    QTest::addColumn<int>("segment");
    QTest::addColumn<QString>("initials");
    QTest::addColumn<QString>("first");
    const auto initials = [](int g) { return QString::fromLatin1(pinyininitials::groups[g]); };
    QTest::newRow("Text1bh1") << 5 << initials(0) << QStringLiteral("啊a     ");
    QTest::newRow("Text1bh2") << 6 << initials(1) << QStringLiteral("发fa    ");
    QTest::newRow("Text1bh3") << 7 << initials(2) << QStringLiteral("垃la    ");
    QTest::newRow("Text1bh4") << 8 << initials(3) << QStringLiteral("然ran   ");
    QTest::newRow("Text1bh5") << 9 << initials(4) << QStringLiteral("压ya    ");
}

void TablesTest::pinyinSegment()
{
    QFETCH(int, segment);
    QFETCH(QString, initials);
    QFETCH(QString, first);

    QStringList rows = rowsOf(tables::segmentText(Segment(segment)));
    QCOMPARE(rows.takeLast(), QString(8, u' ')); // the blank row closes the segment
    QCOMPARE(rows.first(), first);
    static const QRegularExpression row(QStringLiteral("^.[a-z]{1,6} *$"));
    QString previous;
    QSet<QString> pairs;
    for (const QString &r : rows) {
        QVERIFY2(r.size() == 7 && row.match(r).hasMatch(), qPrintable(r));
        const QString syllable = r.mid(1).trimmed();
        QVERIFY2(initials.contains(syllable.at(0)), qPrintable(r));
        QVERIFY2(syllable >= previous, qPrintable(r));
        QVERIFY2(!pairs.contains(r), qPrintable(r)); // one row per character and reading
        pairs.insert(r);
        previous = syllable;
    }
}

void TablesTest::pinyinTableSyllables()
{
    QStringList inTable;
    QSet<QString> characters;
    for (int s = 5; s < 10; ++s) {
        for (const QString &r : rowsOf(tables::segmentText(Segment(s)))) {
            const QString syllable = r.mid(1).trimmed();
            if (!syllable.isEmpty() && (inTable.isEmpty() || inTable.last() != syllable))
                inTable.append(syllable);
            characters.insert(r.left(1));
        }
    }
    QCOMPARE(inTable, syllableList());
    QCOMPARE(inTable.size(), 400);
    // a component without a reading of its own has no row; everyday characters do
    for (const QString &c : { QStringLiteral("刂"), QStringLiteral("氵"), QStringLiteral("艹") })
        QVERIFY2(!characters.contains(c), qPrintable(c));
    QVERIFY(characters.contains(QStringLiteral("啊")));
    QVERIFY(characters.size() > 6700);
}

void TablesTest::segmentsAreGbkText()
{
    // every row character is a GB2312 character: two GBK bytes in 0xB0..0xF7 / 0xA1..0xFE
    for (int s = 0; s < tables::segmentCount; ++s) {
        const QString text = tables::segmentText(Segment(s));
        for (const QString &r : rowsOf(text)) {
            if (r.trimmed().isEmpty())
                continue;
            QStringEncoder gbk("GBK");
            const QByteArray bytes = gbk(r.left(1));
            QVERIFY2(bytes.size() == 2 && uchar(bytes[0]) >= 0xB0 && uchar(bytes[0]) <= 0xF7
                    && uchar(bytes[1]) >= 0xA1 && uchar(bytes[1]) <= 0xFE,
                qPrintable(tables::segmentName(Segment(s)) + r));
        }
    }
}

void TablesTest::segmentSearch_data()
{
    QTest::addColumn<int>("segment");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    auto stroke = [](int digit) { return digit - 1; };
    QTest::newRow("25232 峰") << stroke(2) << "25232" << spaced(QStringLiteral("峰刿峁峤峥嵛"));
    QTest::newRow("10000 一") << stroke(1) << "10000" << spaced(QStringLiteral("一"));
    QTest::newRow("20000 丨") << stroke(2) << "20000" << spaced(QStringLiteral("丨"));
    QTest::newRow("30000 丿") << stroke(3) << "30000" << spaced(QStringLiteral("丿"));
    QTest::newRow("40000 丶") << stroke(4) << "40000" << spaced(QStringLiteral("丶"));
    QTest::newRow("50000 乙") << stroke(5) << "50000" << spaced(QStringLiteral("乙"));
    QTest::newRow("12000 in GB2312 order")
        << stroke(1) << "12000" << spaced(QStringLiteral("丁十"));
    QTest::newRow("25000 冂") << stroke(2) << "25000" << spaced(QStringLiteral("冂"));
    QTest::newRow("25100 口 囗") << stroke(2) << "25100" << spaced(QStringLiteral("口囗"));
    QTest::newRow("11134 in GB2312 order")
        << stroke(1) << "11134" << spaced(QStringLiteral("蠢秦寿泰奏焘"));
    QTest::newRow("0 before a stroke") << stroke(1) << "10200" << QString();
    QTest::newRow("wrong segment") << stroke(2) << "12000" << QString();
    QTest::newRow("last row of a segment")
        << stroke(5) << "55551" << spaced(QStringLiteral("丝鸶"));
    QTest::newRow("syllable a") << 5 << "a     " << spaced(QStringLiteral("啊阿吖嗄腌锕"));
    QTest::newRow("zhuang unpadded")
        << 9 << "zhuang" << spaced(QStringLiteral("幢桩庄装妆撞壮状奘戆"));
    QTest::newRow("empty key") << 5 << "" << QString();
    QTest::newRow("eight spaces") << 5 << "        " << QString();
    QTest::newRow("key shorter than a field") << stroke(1) << "1000" << QString();
    QTest::newRow("unpadded syllable") << 5 << "a" << QString();
    QTest::newRow("upper-case key") << 5 << "A     " << QString();
}

void TablesTest::segmentSearch()
{
    QFETCH(int, segment);
    QFETCH(QString, key);
    QFETCH(QString, expected);

    TableSearch state;
    const QString found = search(state, Segment(segment), key);
    QCOMPARE(found, expected);
    QCOMPARE(state.position, 0); // every segment search ends on the miss that resets it
    QCOMPARE(state.Label1bh, QStringLiteral("0"));
}

void TablesTest::textSearchState_data()
{
    QTest::addColumn<QString>("segment");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("startPosition");
    QTest::addColumn<QString>("flag");
    QTest::addColumn<QString>("character");
    QTest::addColumn<int>("position");
    const QString rows = QStringLiteral("一10000\r\n十12000\r\n丁12000\r\n");
    QTest::newRow("first match") << rows << "12000" << 0 << "1"
                                 << "十" << 16;
    QTest::newRow("resumes after CR LF") << rows << "12000" << 16 << "1"
                                         << "丁" << 24;
    QTest::newRow("last row: position at end") << rows << "12000" << 16 << "1"
                                               << "丁" << int(rows.size());
    QTest::newRow("empty rest") << rows << "12000" << int(rows.size()) << "0"
                                << "Label2" << 0;
    QTest::newRow("miss keeps Label2bh") << rows << "10200" << 0 << "0"
                                         << "Label2" << 0;
    QTest::newRow("match at offset 0") << rows << "一1" << 0 << "0"
                                       << "Label2" << 0;
    QTest::newRow("empty key") << rows << "" << 0 << "0"
                               << "Label2" << 0;
    QTest::newRow("position past the end") << rows << "10000" << 1000 << "0"
                                           << "Label2" << 0;
    QTest::newRow("negative position") << rows << "10000" << -5 << "1"
                                       << "一" << 8;
    QTest::newRow("empty segment") << QString() << "10000" << 0 << "0"
                                   << "Label2" << 0;
    QTest::newRow("key longer than text") << QStringLiteral("一1") << "10000" << 0 << "0"
                                          << "Label2" << 0;
    QTest::newRow("inside a field") << rows << "0000" << 0 << "0"
                                    << "Label2" << 0;
    QTest::newRow("no row end after the key") << QStringLiteral("一10000") << "10000" << 0 << "1"
                                              << "一" << 6;
}

void TablesTest::textSearchState()
{
    QFETCH(QString, segment);
    QFETCH(QString, key);
    QFETCH(int, startPosition);
    QFETCH(QString, flag);
    QFETCH(QString, character);
    QFETCH(int, position);

    TableSearch state;
    state.position = startPosition;
    state.TextSearch(segment, key);
    QCOMPARE(state.Label1bh, flag);
    QCOMPARE(state.Label2bh, character);
    QCOMPARE(state.position, position);
}

void TablesTest::repeatedSearchStartsAtTop()
{
    TableSearch state;
    const QString first = search(state, Segment::Text1bh2w, QStringLiteral("25124"));
    QCOMPARE(first.size(), 116 * 2); // the largest code: 116 characters
    QCOMPARE(search(state, Segment::Text1bh2w, QStringLiteral("25124")), first);
    // a match found in one segment leaves Label2bh for the next miss in another
    search(state, Segment::Text1bh1w, QStringLiteral("10000"));
    state.TextSearch(tables::segmentText(Segment::Text1bh3w), QStringLiteral("10000"));
    QCOMPARE(state.Label2bh, QStringLiteral("一"));
}

// Centre lines as the outline package gives them (1024 box, y up), with the brush's entry.
static const strokeorder::Median level
    = { { 150, 520 }, { 180, 505 }, { 500, 505 }, { 870, 512 } }; // 横
static const strokeorder::Median upright
    = { { 500, 860 }, { 525, 840 }, { 515, 500 }, { 512, 100 } }; // 竖
static const strokeorder::Median steepFall
    = { { 500, 860 }, { 492, 600 }, { 470, 300 }, { 440, 100 } }; // 撇 drawn nearly upright
static const strokeorder::Median falling
    = { { 480, 520 }, { 600, 380 }, { 720, 250 }, { 850, 120 } }; // 捺
static const strokeorder::Median turning
    = { { 200, 700 }, { 780, 720 }, { 770, 400 }, { 760, 150 } }; // 横折

void TablesTest::strokeOrderCheck_data()
{
    QTest::addColumn<QList<strokeorder::Median>>("medians");
    QTest::addColumn<QString>("classes");
    QTest::addColumn<int>("verdict");
    QTest::addColumn<QList<int>>("agreeing");
    using V = strokeorder::Verdict;
    using Medians = QList<strokeorder::Median>;
    // 十 drawn 横 then 竖, and the other way round: the check finds the order that agrees
    QTest::newRow("right order") << Medians { level, upright } << QStringLiteral("12")
                                 << int(V::Agrees) << QList<int> {};
    QTest::newRow("permuted") << Medians { upright, level } << QStringLiteral("12") << int(V::Order)
                              << QList<int> { 1, 0 };
    QTest::newRow("three permuted") << Medians { turning, upright, level } << QStringLiteral("125")
                                    << int(V::Order) << QList<int> { 2, 1, 0 };
    // 人 with its 撇 drawn like a 竖: a kind ambiguity, no order fault
    QTest::newRow("kind ambiguity") << Medians { steepFall, falling } << QStringLiteral("34")
                                    << int(V::Agrees) << QList<int> {};
    QTest::newRow("ambiguity permuted") << Medians { falling, steepFall } << QStringLiteral("34")
                                        << int(V::Order) << QList<int> { 1, 0 };
    QTest::newRow("kinds differ") << Medians { level, upright } << QStringLiteral("15")
                                  << int(V::Kind) << QList<int> {};
    QTest::newRow("counts differ")
        << Medians { level, upright } << QStringLiteral("121") << int(V::Count) << QList<int> {};
    QTest::newRow("no sequence") << Medians { level } << QStringLiteral("") << int(V::NoSequence)
                                 << QList<int> {};
}

void TablesTest::strokeOrderCheck()
{
    QFETCH(QList<strokeorder::Median>, medians);
    QFETCH(QString, classes);
    QFETCH(int, verdict);
    QFETCH(QList<int>, agreeing);
    const strokeorder::Check check = strokeorder::check(medians, classes);
    QCOMPARE(strokeorder::verdictName(check.verdict),
        strokeorder::verdictName(strokeorder::Verdict(verdict)));
    QCOMPARE(check.agreeing, agreeing);
    QCOMPARE(check.drawn.size(), medians.size());
}

void TablesTest::strokeOrderCorrections_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QList<int>>("order"); // of 十, empty for a refused file
    QTest::newRow("swap") << QByteArray("# comment\n十\t2 1\t先横后竖\n") << QList<int> { 1, 0 };
    QTest::newRow("no rule") << QByteArray("十\t2 1\n") << QList<int> {};
    QTest::newRow("index twice") << QByteArray("十\t1 1\trule\n") << QList<int> {};
    QTest::newRow("index beyond") << QByteArray("十\t1 3\trule\n") << QList<int> {};
    QTest::newRow("two characters") << QByteArray("十一\t2 1\trule\n") << QList<int> {};
    QTest::newRow("listed twice") << QByteArray("十\t2 1\trule\n十\t1 2\trule\n") << QList<int> {};
}

// The file's order, and the outline object put in it: strokes, medians and radical strokes.
void TablesTest::strokeOrderCorrections()
{
    QFETCH(QByteArray, file);
    QFETCH(QList<int>, order);
    QString error;
    const QHash<QString, QList<int>> corrections = strokeorder::parseCorrections(file, &error);
    QCOMPARE(corrections.value(QStringLiteral("十")), order);
    QCOMPARE(error.isEmpty(), !order.isEmpty());
    if (order.isEmpty())
        return;
    const QJsonObject outline { { QStringLiteral("strokes"),
                                    QJsonArray {
                                        QStringLiteral("M 1 1 Z"), QStringLiteral("M 2 2 Z") } },
        { QStringLiteral("medians"), QJsonArray { QJsonArray { 1 }, QJsonArray { 2 } } },
        { QStringLiteral("radStrokes"), QJsonArray { 0 } } };
    const QJsonObject out = strokeorder::corrected(outline, QStringLiteral("十"), corrections);
    QCOMPARE(out.value(QLatin1String("strokes")).toArray(),
        (QJsonArray { QStringLiteral("M 2 2 Z"), QStringLiteral("M 1 1 Z") }));
    QCOMPARE(out.value(QLatin1String("medians")).toArray(),
        (QJsonArray { QJsonArray { 2 }, QJsonArray { 1 } }));
    QCOMPARE(out.value(QLatin1String("radStrokes")).toArray(), QJsonArray { 1 });
    QCOMPARE(strokeorder::corrected(outline, QStringLiteral("一"), corrections), outline);
}

// The source's letters give the names; a name the drawn stroke cannot be is left out, and a
// letter of two names is told by the shape.
void TablesTest::strokeNamesFollowTheDrawnKind()
{
    QCOMPARE(strokeorder::strokeNames(QStringLiteral("jf"), { level, upright }),
        (QStringList { QStringLiteral("横"), QStringLiteral("竖") }));
    QCOMPARE(strokeorder::strokeNames(QStringLiteral("fj"), { level, upright }),
        (QStringList { QString(), QString() }));
    const strokeorder::Median hook = { { 200, 700 }, { 780, 720 }, { 700, 640 } }; // 横钩
    const strokeorder::Median sweep
        = { { 200, 700 }, { 700, 720 }, { 500, 500 }, { 250, 250 } }; // 横撇
    QCOMPARE(strokeorder::strokeNames(QStringLiteral("ee"), { hook, sweep }),
        (QStringList { QStringLiteral("横钩"), QStringLiteral("横撇") }));
}

void TablesTest::radicalFiling_data()
{
    QTest::addColumn<QString>("character");
    QTest::addColumn<QString>("radical");
    QTest::addColumn<int>("strokesOutside");
    QTest::addColumn<QString>("structure");
    QTest::addColumn<QString>("kangxi");
    QTest::addColumn<QString>("parts");

    QTest::newRow("itself a radical") << QStringLiteral("口") << QStringLiteral("口") << 0
                                      << QStringLiteral("独体") << QString() << QString();
    QTest::newRow("top over bottom")
        << QStringLiteral("字") << QStringLiteral("宀") << 3 << QStringLiteral("上下")
        << QStringLiteral("子") << QStringLiteral("宀 子");
    QTest::newRow("left over right")
        << QStringLiteral("峰") << QStringLiteral("山") << 7 << QStringLiteral("左右") << QString()
        << QStringLiteral("山 夆");
    QTest::newRow("outside over inside")
        << QStringLiteral("国") << QStringLiteral("囗") << 5 << QStringLiteral("全包围")
        << QString() << QStringLiteral("囗 玉");
    QTest::newRow("attached form")
        << QStringLiteral("说") << QStringLiteral("讠") << 7 << QStringLiteral("左右")
        << QStringLiteral("讠") << QStringLiteral("讠 兑");
    QTest::newRow("top no radical: bottom")
        << QStringLiteral("想") << QStringLiteral("心") << 9 << QStringLiteral("上下") << QString()
        << QStringLiteral("相 木 目 心");
    QTest::newRow("top of the top")
        << QStringLiteral("墓") << QStringLiteral("艹") << 10 << QStringLiteral("上下") << QString()
        << QStringLiteral("莫 艹 日 大 土");
    QTest::newRow("outside of the outside")
        << QStringLiteral("厚") << QStringLiteral("厂") << -1 << QStringLiteral("半包围(左上)")
        << QString() << QStringLiteral("厂 日 子");
    QTest::newRow("decomposition's other code point")
        << QStringLiteral("政") << QStringLiteral("攵") << -1 << QStringLiteral("左右") << QString()
        << QStringLiteral("正 ⺙ 攵");
    QTest::newRow("a stroke inside a part is no part")
        << QStringLiteral("顺") << QStringLiteral("页") << -1 << QStringLiteral("左右") << QString()
        << QStringLiteral("川 丨 页");
    QTest::newRow("three across, Kangxi radical in another form")
        << QStringLiteral("湖") << QStringLiteral("氵") << -1 << QStringLiteral("左中右")
        << QStringLiteral("氵") << QStringLiteral("氵 胡 古 月");
    QTest::newRow("corrected structure")
        << QStringLiteral("名") << QStringLiteral("夕") << -1 << QStringLiteral("上下") << QString()
        << QStringLiteral("夕 口");
    QTest::newRow("meshed: the Kangxi radical's part")
        << QStringLiteral("我") << QStringLiteral("戈") << 3 << QStringLiteral("独体")
        << QStringLiteral("戈") << QStringLiteral("手 戈");
    QTest::newRow("interlocked") << QStringLiteral("中") << QStringLiteral("丨") << -1
                                 << QStringLiteral("独体") << QStringLiteral("丨")
                                 << QStringLiteral("口 丨");
    QTest::newRow("undecided") << QStringLiteral("司") << QString() << -1
                               << QStringLiteral("半包围(右上)") << QString()
                               << QStringLiteral("𠮛");
    QTest::newRow("corrected to undecided")
        << QStringLiteral("周") << QString() << -1 << QStringLiteral("半包围(上三)") << QString()
        << QStringLiteral("田 口");
    QTest::newRow("half enclosure, left and bottom")
        << QStringLiteral("边") << QStringLiteral("辶") << -1 << QStringLiteral("半包围(左下)")
        << QString() << QStringLiteral("辶 力");
    QTest::newRow("half enclosure, three sides open below")
        << QStringLiteral("问") << QStringLiteral("门") << -1 << QStringLiteral("半包围(上三)")
        << QString() << QStringLiteral("门 口");
    QTest::newRow("three of one") << QStringLiteral("品") << QStringLiteral("口") << -1
                                  << QStringLiteral("品字形") << QString() << QStringLiteral("口");
}

void TablesTest::radicalFiling()
{
    QFETCH(QString, character);
    QFETCH(QString, radical);
    QFETCH(int, strokesOutside);
    QFETCH(QString, structure);
    QFETCH(QString, kangxi);
    QFETCH(QString, parts);

    const radicals::Filing f = fixtureFiler().file(character);
    QCOMPARE(f.radical, radical);
    QCOMPARE(f.strokesOutside, strokesOutside);
    QCOMPARE(f.structure, structure);
    QCOMPARE(f.kangxiRadical, kangxi);
    QCOMPARE(f.parts.join(u' '), parts);
    QVERIFY(!f.note.isEmpty());
}

void TablesTest::radicalTableRejects_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("corrections");
    const QString table = QString::fromUtf8(fixtureRadicals);
    QTest::newRow("attached form before its radical")
        << QStringLiteral("1\t讠\t2\t言\t\n") << QString();
    QTest::newRow("radical listed twice")
        << table + QStringLiteral("200\t口\t3\t\t\n") << QString();
    QTest::newRow("no stroke count") << QStringLiteral("1\t一\t\t\t\n") << QString();
    QTest::newRow("correction to no radical")
        << table << QStringLiteral("字\tradical\t龠\tnot in the table\n");
    QTest::newRow("correction without a reason") << table << QStringLiteral("字\tradical\t子\t\n");
}

void TablesTest::radicalTableRejects()
{
    QFETCH(QString, table);
    QFETCH(QString, corrections);
    radicals::Filer filer;
    QString error;
    QVERIFY(!filer.loadTexts(table, QString::fromUtf8(fixtureDecomposition),
        QString::fromUtf8(fixtureUnihan), corrections, {}, &error));
    QVERIFY(!error.isEmpty());
}

// The check counts a character filed under an attached form (牛 and 牜) as agreeing.
void TablesTest::radicalCheckCountsFormsAsTheirRadical()
{
    const QHash<QString, radicals::SecondOpinion> other = radicals::parseSecondOpinion(
        "# character radical structure\n物\t牜\t左右结构\n字\t子\t上下结构\n说\t讠\t左右结构\n");
    const QString report = radicals::checkReport(fixtureFiler(),
        { QStringLiteral("物"), QStringLiteral("字"), QStringLiteral("说"), QStringLiteral("司") },
        other);
    QVERIFY2(report.contains(QStringLiteral("\nundecided: 1\n")), qPrintable(report));
    QVERIFY2(report.contains(QStringLiteral("\nagree: 2\ndisagree: 1\n")), qPrintable(report));
    QVERIFY2(report.contains(QStringLiteral("\n字\t宀\t子\t")), qPrintable(report));
    QVERIFY2(report.contains(QStringLiteral("\nstructure agrees: 3\n")), qPrintable(report));
}

// Strokes of one kind: a fault where the order goes against their places, none where an
// exception's rule explains it.
void TablesTest::sameKindOrder_data()
{
    QTest::addColumn<QList<strokeorder::Median>>("medians");
    QTest::addColumn<QString>("classes");
    QTest::addColumn<QString>("faults"); // "earlier>later" of each fault, 1-based
    QTest::addColumn<int>("excused");
    using Medians = QList<strokeorder::Median>;
    const strokeorder::Median top = { { 250, 700 }, { 750, 705 } };
    const strokeorder::Median bottom = { { 150, 200 }, { 850, 205 } };
    // 出's top: the long middle 竖, then the short one at the upper right
    const strokeorder::Median middle = { { 500, 850 }, { 505, 100 } };
    const strokeorder::Median side = { { 780, 650 }, { 775, 400 } };
    // 犬: the 捺, then the 点 at the upper right
    const strokeorder::Median sweep = { { 520, 600 }, { 700, 350 }, { 880, 120 } };
    const strokeorder::Median dot = { { 640, 800 }, { 700, 740 } };
    QTest::newRow("二 right") << Medians { top, bottom } << QStringLiteral("11") << QString() << 0;
    QTest::newRow("二 swapped") << Medians { bottom, top } << QStringLiteral("11")
                                << QStringLiteral("1>2") << 0;
    QTest::newRow("出 right") << Medians { middle, side } << QStringLiteral("22") << QString() << 0;
    QTest::newRow("出 swapped") << Medians { side, middle } << QStringLiteral("22")
                                << QStringLiteral("1>2") << 0;
    QTest::newRow("犬 dot last") << Medians { sweep, dot } << QStringLiteral("44") << QString()
                                 << 1;
    QTest::newRow("kinds differ") << Medians { bottom, top } << QStringLiteral("14") << QString()
                                  << 0;
}

void TablesTest::sameKindOrder()
{
    QFETCH(QList<strokeorder::Median>, medians);
    QFETCH(QString, classes);
    QFETCH(QString, faults);
    QFETCH(int, excused);
    QStringList found;
    int explained = 0;
    for (const strokeorder::PairFinding &f : strokeorder::sameKindOrder(medians, classes)) {
        if (f.exception.isEmpty())
            found.append(QStringLiteral("%1>%2").arg(f.earlier + 1).arg(f.later + 1));
        else
            ++explained;
    }
    QCOMPARE(found.join(u' '), faults);
    QCOMPARE(explained, excused);
}

// A component drawn in one order alone and in two characters, and in another in a third,
// smaller and elsewhere in its box: the third is the suspect, with its strokes in the usual
// order.
void TablesTest::componentOrderAcrossCharacters()
{
    auto placed = [](const strokeorder::Median &m, double scale, QPointF offset) {
        strokeorder::Median out;
        for (const QPointF &p : m)
            out.append(p * scale + offset);
        return out;
    };
    const strokeorder::Median top = { { 250, 700 }, { 750, 705 } };
    const strokeorder::Median upright = { { 500, 800 }, { 505, 150 } };
    const strokeorder::Median bottom = { { 150, 200 }, { 850, 205 } };
    const strokeorder::Median far = { { 100, 860 }, { 160, 780 } }; // a 点 beside the component
    const QList<strokeorder::Median> component = { top, upright, bottom };
    QMap<QString, QList<strokeorder::Median>> drawn;
    drawn.insert(QStringLiteral("土"), component);
    drawn.insert(QStringLiteral("圡"), component + QList<strokeorder::Median> { far });
    drawn.insert(QStringLiteral("坔"),
        QList<strokeorder::Median> { far, placed(top, 0.5, { 400, 0 }),
            placed(upright, 0.5, { 400, 0 }), placed(bottom, 0.5, { 400, 0 }) });
    // the 横 below drawn first
    drawn.insert(QStringLiteral("圠"),
        QList<strokeorder::Median> { far, placed(bottom, 0.6, { 300, 100 }),
            placed(upright, 0.6, { 300, 100 }), placed(top, 0.6, { 300, 100 }) });
    const QHash<QString, QString> classes = { { QStringLiteral("土"), QStringLiteral("121") },
        { QStringLiteral("圡"), QStringLiteral("1214") },
        { QStringLiteral("坔"), QStringLiteral("4121") },
        { QStringLiteral("圠"), QStringLiteral("4121") } };
    const QList<strokeorder::ComponentSuspect> suspects
        = strokeorder::componentSuspects(drawn, classes);
    QCOMPARE(suspects.size(), 1);
    QCOMPARE(suspects[0].character, QStringLiteral("圠"));
    QCOMPARE(suspects[0].component, QStringLiteral("土"));
    QCOMPARE(suspects[0].order, (QList<int> { 3, 2, 1 }));
    QCOMPARE(suspects[0].same, 3);
    QCOMPARE(suspects[0].other, 1);
}

QTEST_GUILESS_MAIN(TablesTest)
#include "tst_tables.moc"
