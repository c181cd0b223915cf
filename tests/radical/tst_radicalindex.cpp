// SPDX-License-Identifier: GPL-3.0-or-later
// The radical index over a small card.db written by the card file's own writer: the filing of a
// radical (filed here first, then containing it), the part search, and the command's output.
#include "cardschema.h"
#include "cardstore.h"
#include "radicalcommand.h"
#include "radicalindex.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <memory>

using namespace radical;

namespace {

card::Card indexCard(const QString &character, const QString &radical, int strokes,
    int strokesOutside, const QString &parts, int level = 1)
{
    card::Card c;
    c.character = character;
    c.readings = { card::Reading { QStringLiteral("a"), {}, {} } };
    c.radical = radical;
    c.strokes = strokes;
    c.strokesOutsideRadical = strokesOutside;
    c.level = level;
    c.parts = parts.split(u' ', Qt::SkipEmptyParts);
    return c;
}

// As the decomposition gives them: every level of parts, the table's forms among them.
QList<card::Card> fixture()
{
    return {
        indexCard(QStringLiteral("字"), QStringLiteral("宀"), 6, 3, QStringLiteral("宀 子")),
        indexCard(QStringLiteral("宁"), QStringLiteral("宀"), 5, 2, QStringLiteral("宀 丁")),
        indexCard(QStringLiteral("孩"), QStringLiteral("子"), 9, 6, QStringLiteral("子 亥")),
        indexCard(QStringLiteral("子"), QStringLiteral("子"), 3, 0, QString()),
        indexCard(QStringLiteral("说"), QStringLiteral("讠"), 9, 7, QStringLiteral("讠 兑 口")),
        indexCard(QStringLiteral("警"), QStringLiteral("言"), 19, 12, QStringLiteral("敬 言 口")),
        indexCard(QStringLiteral("信"), QStringLiteral("亻"), 9, 7, QStringLiteral("亻 言 口")),
        indexCard(QStringLiteral("相"), QStringLiteral("木"), 9, 5, QStringLiteral("木 目")),
        indexCard(QStringLiteral("想"), QStringLiteral("心"), 13, 9, QStringLiteral("相 木 目 心")),
        indexCard(
            QStringLiteral("箱"), QStringLiteral("⺮"), 15, 9, QStringLiteral("⺮ 相 木 目"), 2),
        indexCard(
            QStringLiteral("湘"), QStringLiteral("氵"), 12, 9, QStringLiteral("氵 相 木 目"), 2),
        indexCard(QStringLiteral("情"), QStringLiteral("忄"), 11, 8, QStringLiteral("忄 青 月")),
        indexCard(QStringLiteral("请"), QStringLiteral("讠"), 10, 8, QStringLiteral("讠 青 月")),
        indexCard(QStringLiteral("领"), QStringLiteral("页"), 11, 5, QStringLiteral("令 页")),
    };
}

QList<card::RadicalForm> fixtureTable()
{
    return {
        { QStringLiteral("人"), QString(), 2 },
        { QStringLiteral("亻"), QStringLiteral("人"), 2 },
        { QStringLiteral("讠"), QStringLiteral("言"), 2 }, // before its main form: no order assumed
        { QStringLiteral("子"), QString(), 3 },
        { QStringLiteral("宀"), QString(), 3 },
        { QStringLiteral("氵"), QStringLiteral("水"), 3 },
        { QStringLiteral("木"), QString(), 4 },
        { QStringLiteral("水"), QString(), 4 },
        { QStringLiteral("心"), QString(), 4 },
        { QStringLiteral("忄"), QStringLiteral("心"), 3 },
        { QStringLiteral("目"), QString(), 5 },
        { QStringLiteral("言"), QString(), 7 },
    };
}

// "字 3 filed" per character, in the order found.
QStringList described(const Found &found)
{
    QStringList out;
    for (const Listed &listed : found.characters)
        out.append(QStringLiteral("%1 %2 %3")
                       .arg(listed.character)
                       .arg(listed.strokesOutsideRadical)
                       .arg(listed.filedHere ? QStringLiteral("filed") : QStringLiteral("has")));
    return out;
}

} // namespace

class TestRadicalIndex : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        const QString path = m_dir.filePath(QStringLiteral("card.db"));
        QString error;
        QVERIFY2(cardschema::writeFile(path, fixture(), fixtureTable(), &error), qPrintable(error));
        m_store = std::make_unique<card::CardStore>(path);
        m_index = std::make_unique<RadicalIndex>(*m_store);
    }

    // The table by stroke count, each attached form beside its main radical, wherever it stands.
    void radicalsByStrokes()
    {
        QStringList shown;
        for (const StrokeGroup &group : m_index->radicalsByStrokes()) {
            QStringList radicals;
            for (const Radical &r : group.radicals)
                radicals.append(r.form + r.attachedForms.join(QString()));
            shown.append(QStringLiteral("%1:%2").arg(group.strokes).arg(radicals.join(u',')));
        }
        QCOMPARE(shown,
            QStringList({ QStringLiteral("2:人亻"), QStringLiteral("3:子,宀"),
                QStringLiteral("4:木,水氵,心忄"), QStringLiteral("5:目"),
                QStringLiteral("7:言讠") }));
    }

    void filing_data()
    {
        QTest::addColumn<QString>("radical");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("filed here, by strokes outside")
            << QStringLiteral("宀") << 0
            << QStringList { QStringLiteral("宁 2 filed"), QStringLiteral("字 3 filed") };
        QTest::newRow("a character under a part it has")
            << QStringLiteral("子") << 0
            << QStringList { QStringLiteral("子 0 filed"), QStringLiteral("孩 6 filed"),
                   QStringLiteral("字 3 has") };
        // 说 and 请 are filed under 讠, 警 under 言: one radical; 信 only has 言 (7 strokes)
        QTest::newRow("a main radical finds its attached form's characters")
            << QStringLiteral("言") << 0
            << QStringList { QStringLiteral("说 7 filed"), QStringLiteral("请 8 filed"),
                   QStringLiteral("警 12 filed"), QStringLiteral("信 2 has") };
        QTest::newRow("an attached form finds its main radical's characters")
            << QStringLiteral("讠") << 0
            << QStringList { QStringLiteral("说 7 filed"), QStringLiteral("请 8 filed"),
                   QStringLiteral("警 12 filed"), QStringLiteral("信 2 has") };
        // the limit is on the characters that only contain it: every filed one stays
        QTest::newRow("a limit on those containing it") << QStringLiteral(
            "木") << 1 << QStringList { QStringLiteral("相 5 filed"), QStringLiteral("湘 8 has") };
    }

    void filing()
    {
        QFETCH(QString, radical);
        QFETCH(int, limit);
        QFETCH(QStringList, expected);
        const Found found = m_index->filing(radical, limit);
        QVERIFY(found.unknown.isEmpty());
        QCOMPARE(described(found), expected);
    }

    void withParts_data()
    {
        QTest::addColumn<QString>("parts");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QString>("expected"); // characters in order
        QTest::addColumn<QStringList>("unknown");
        QTest::newRow("two parts, fewest strokes first")
            << QStringLiteral("木目") << 0 << QStringLiteral("相湘想箱") << QStringList();
        QTest::newRow("a limit keeps the fewest strokes")
            << QStringLiteral("木目") << 2 << QStringLiteral("相湘") << QStringList();
        QTest::newRow("spaces and punctuation between parts")
            << QStringLiteral(" 目，木 ") << 0 << QStringLiteral("相湘想箱") << QStringList();
        QTest::newRow("a part that is no radical")
            << QStringLiteral("青") << 0 << QStringLiteral("请情") << QStringList();
        QTest::newRow("a radical stands for its attached forms")
            << QStringLiteral("心") << 0 << QStringLiteral("情想") << QStringList();
        QTest::newRow("parts no character has together")
            << QStringLiteral("令木") << 0 << QString() << QStringList();
        QTest::newRow("an unknown part")
            << QStringLiteral("木X") << 0 << QString() << QStringList { QStringLiteral("X") };
    }

    void withParts()
    {
        QFETCH(QString, parts);
        QFETCH(int, limit);
        QFETCH(QString, expected);
        QFETCH(QStringList, unknown);
        const Found found = m_index->withParts(parts, limit);
        QString characters;
        for (const Listed &listed : found.characters)
            characters += listed.character;
        QCOMPARE(characters, expected);
        QCOMPARE(found.unknown, unknown);
        QCOMPARE(found.cut, limit > 0);
    }

    // The command: JSON fields as listed, an unknown radical or part refused with status 1.
    void command_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("output"); // JSON, or what the message must hold
        QTest::newRow("radical as JSON")
            << QStringList { QStringLiteral("--radical"), QStringLiteral("子"),
                   QStringLiteral("--json") }
            << 0
            << QStringLiteral(
                   R"([{"character":"子","filed_here":true,"strokes_outside_radical":0},)"
                   R"({"character":"孩","filed_here":true,"strokes_outside_radical":6},)"
                   R"({"character":"字","filed_here":false,"strokes_outside_radical":3}])");
        QTest::newRow("parts as JSON: filed under one of them")
            << QStringList { QStringLiteral("--parts"), QStringLiteral("木目"),
                   QStringLiteral("--json") }
            << 0
            << QStringLiteral(
                   R"([{"character":"相","filed_here":true,"strokes_outside_radical":5},)"
                   R"({"character":"湘","filed_here":false,"strokes_outside_radical":9},)"
                   R"({"character":"想","filed_here":false,"strokes_outside_radical":9},)"
                   R"({"character":"箱","filed_here":false,"strokes_outside_radical":9}])");
        QTest::newRow("a part that is no radical of the table")
            << QStringList { QStringLiteral("--radical"), QStringLiteral("青") } << 1
            << QStringLiteral("“青”不是部首");
        QTest::newRow("an unknown part") << QStringList { QStringLiteral("--parts"),
            QStringLiteral("木Q") } << 1 << QStringLiteral("不认识的部件：Q");
    }

    void command()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, output);
        RadicalRequest request;
        request.what = arguments.at(0) == QLatin1String("--radical") ? RadicalRequest::What::Radical
                                                                     : RadicalRequest::What::Parts;
        request.text = arguments.at(1);
        request.json = arguments.contains(QStringLiteral("--json"));
        QString outText;
        QString errText;
        QTextStream out(&outText);
        QTextStream err(&errText);
        QCOMPARE(printRadical(*m_index, request, out, err), status);
        if (status == 0) {
            QVERIFY(errText.isEmpty());
            QCOMPARE(QString::fromUtf8(
                         QJsonDocument::fromJson(outText.toUtf8()).toJson(QJsonDocument::Compact)),
                output);
        } else {
            QVERIFY(outText.isEmpty());
            QVERIFY2(errText.contains(output), qPrintable(errText));
        }
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<card::CardStore> m_store;
    std::unique_ptr<RadicalIndex> m_index;
};

QTEST_GUILESS_MAIN(TestRadicalIndex)
#include "tst_radicalindex.moc"
