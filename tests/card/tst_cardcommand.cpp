// SPDX-License-Identifier: GPL-3.0-or-later
// The card from the command line: the cards printed as text and JSON over a fixture card.db (its
// options are read by the program's one command line, tests/app/tst_commandline.cpp).
#include "cardcommand.h"
#include "cardstore.h"
#include "programfolder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <QTextStream>

namespace {

struct Printed {
    int status = -1;
    QString out;
    QString err;
};

Printed print(const QString &cardFile, const QString &characters, bool json = false)
{
    const card::CardStore store(cardFile);
    Printed printed;
    QTextStream out(&printed.out);
    QTextStream err(&printed.err);
    printed.status = card::printCards(store, { characters, json }, out, err);
    return printed;
}

} // namespace

class CardCommandTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QCOMPARE(m_folder.writeCards(), QString());
        m_cardFile = m_folder.path() + QStringLiteral("/card.db");
    }

    void plainText()
    {
        const Printed p = print(m_cardFile, "行");
        QCOMPARE(p.status, 0);
        QCOMPARE(p.err, QString());
        QCOMPARE(p.out,
            QStringLiteral("行 xíng háng\n"
                           "部首：彳（部首外 3 画） · 结构：左右 · 笔画：6 · 等级：一级\n"
                           "康熙部首：行\n"
                           "笔顺：撇 撇 竖 横 横 竖钩\n"
                           "\n"
                           "xíng\n"
                           "  组词：行走 xíngzǒu\n"
                           "  释义：to walk; capable\n"
                           "\n"
                           "háng\n"
                           "  组词：银行 yínháng\n"
                           "  释义：row; profession\n"));
    }

    // What the data leaves open is null; a list of cards for several characters, one for each
    // with a card, in the order asked, while the others are named on the standard error.
    void json_data()
    {
        QTest::addColumn<QString>("characters");
        QTest::addColumn<QStringList>("printed");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("err");
        QTest::newRow("one: an object") << "发" << QStringList { "发" } << 0 << "";
        QTest::newRow("several: a list, spaces left out")
            << " 中 峰" << QStringList { "中", "峰" } << 0 << "";
        QTest::newRow("one without a card among others")
            << "中x峰" << QStringList { "中", "峰" } << 1
            << "zibrin: 没有“x”的字卡 / no card for x\n";
        QTest::newRow("outside the BMP, without a card")
            << "𠀀" << QStringList {} << 1 << "zibrin: 没有“𠀀”的字卡 / no card for 𠀀\n";
    }
    void json()
    {
        QFETCH(QString, characters);
        QFETCH(QStringList, printed);
        QFETCH(int, status);
        QFETCH(QString, err);
        const Printed p = print(m_cardFile, characters, true);
        QCOMPARE(p.status, status);
        QCOMPARE(p.err, err);
        if (printed.isEmpty()) {
            QCOMPARE(p.out, QString());
            return;
        }
        QJsonParseError parseError;
        const QJsonDocument document = QJsonDocument::fromJson(p.out.toUtf8(), &parseError);
        QCOMPARE(parseError.error, QJsonParseError::NoError);
        QCOMPARE(document.isObject(), characters.trimmed().size() == 1);
        const QJsonArray cards
            = document.isObject() ? QJsonArray { document.object() } : document.array();
        QStringList listed;
        for (const QJsonValue &card : cards)
            listed.append(card[u"character"].toString());
        QCOMPARE(listed, printed);
    }

    void jsonFields()
    {
        const Printed p = print(m_cardFile, "发", true);
        const QJsonObject fa = QJsonDocument::fromJson(p.out.toUtf8()).object();
        QCOMPARE(QStringList(fa.keys()),
            QStringList(
                { "character", "kangxi_radical", "level", "radical", "readings", "stroke_names",
                    "strokes", "strokes_outside_radical", "structure", "traditional" }));
        QVERIFY(fa[u"radical"].isNull());
        QVERIFY(fa[u"strokes_outside_radical"].isNull());
        QVERIFY(fa[u"structure"].isNull());
        QVERIFY(fa[u"level"].isNull());
        QCOMPARE(fa[u"kangxi_radical"].toString(), QStringLiteral("又"));
        QCOMPARE(fa[u"strokes"].toInt(), 5);
        QCOMPARE(fa[u"stroke_names"].toArray().first().toString(), QStringLiteral("撇折"));
        const QJsonArray traditional = fa[u"traditional"].toArray();
        QCOMPARE(traditional.size(), 2);
        QCOMPARE(traditional.at(1)[u"form"].toString(), QStringLiteral("髮"));
        QCOMPARE(traditional.at(1)[u"sense"].toString(), QStringLiteral("hair"));
        const QJsonArray readings = fa[u"readings"].toArray();
        QCOMPARE(readings.size(), 2);
        QCOMPARE(readings.at(1)[u"pinyin"].toString(), QStringLiteral("fà"));
        QCOMPARE(readings.at(1)[u"words"][0][u"word"].toString(), QStringLiteral("头发"));
        QCOMPARE(readings.at(1)[u"words"][0][u"pinyin"].toString(), QStringLiteral("tóufa"));
        QCOMPARE(readings.at(1)[u"meanings"].toArray(), QJsonArray { "hair" });

        const QJsonObject feng
            = QJsonDocument::fromJson(print(m_cardFile, "峰", true).out.toUtf8()).object();
        QCOMPARE(feng[u"level"].toInt(), 1);
        QCOMPARE(feng[u"strokes_outside_radical"].toInt(), 7);
        QCOMPARE(feng[u"traditional"].toArray(), QJsonArray());
    }

    // A missing or broken file: every character is without a card, the message names each.
    void unreadableFile()
    {
        const Printed p = print(m_folder.path() + QStringLiteral("/none.db"), "中峰");
        QCOMPARE(p.status, 1);
        QCOMPARE(p.out, QString());
        QCOMPARE(p.err.count(u'\n'), 2);
    }

private:
    ProgramFolder m_folder;
    QString m_cardFile;
};

QTEST_GUILESS_MAIN(CardCommandTest)
#include "tst_cardcommand.moc"
