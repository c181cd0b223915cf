// SPDX-License-Identifier: GPL-3.0-or-later
#include "programfolder.h"

#include "cardschema.h"
#include "form1.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringEncoder>
#include <QTest>

QImage fixturePicture(int seed)
{
    QImage image(385, 255, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillRect(QRect(10 + (seed * 37) % 300, 10 + (seed * 53) % 180, 40, 40), Qt::black);
    painter.fillRect(QRect(200, 100, 30, 20), QColor(255, 0, 0));
    return image;
}

QByteArray pngBytes(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

ProgramFolder::ProgramFolder() = default;

QString ProgramFolder::writeDatabase(
    const QList<CharacterRecord> &records, const QHash<QString, QByteArray> &outlines)
{
    const QString connection = QStringLiteral("programfolder-fixture");
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path() + QStringLiteral("/Photo.mdb"));
        if (!db.open())
            return db.lastError().text();
        QSqlQuery query(db);
        for (const QString &statement : photoschema::createTables()) {
            if (error.isEmpty() && !query.exec(statement))
                error = query.lastError().text();
        }
        if (error.isEmpty() && !photoschema::prepareRecordInsert(query))
            error = query.lastError().text();
        for (const CharacterRecord &r : records) {
            if (!error.isEmpty())
                break;
            photoschema::bindRecord(query, r);
            if (!query.exec())
                error = query.lastError().text();
        }
        if (error.isEmpty() && !outlines.isEmpty() && !photoschema::prepareOutlineInsert(query))
            error = query.lastError().text();
        for (auto it = outlines.cbegin(); it != outlines.cend() && error.isEmpty(); ++it) {
            photoschema::bindOutline(query, it.key(), it.value());
            if (!query.exec())
                error = query.lastError().text();
        }
        for (const QString &statement : photoschema::createIndexes()) {
            if (error.isEmpty() && !query.exec(statement))
                error = query.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return error;
}

void ProgramFolder::writeList2Bytes(const QByteArray &bytes)
{
    QFile file(path() + QStringLiteral("/LIST2.txt"));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

void ProgramFolder::writeList2(const QString &characters)
{
    QStringEncoder gbk("GBK");
    writeList2Bytes(gbk(QLatin1Char('"') + characters + QStringLiteral("\"\r\n")));
}

namespace {

// A reading: its pinyin, its words as "word pinyin" pairs, its meanings.
card::Reading reading(const QString &pinyin, const QList<std::pair<QString, QString>> &words,
    const QStringList &meanings)
{
    card::Reading out;
    out.pinyin = pinyin;
    for (const auto &[word, wordPinyin] : words)
        out.words.append(card::Word { word, wordPinyin });
    out.meanings = meanings;
    return out;
}

card::Card fixtureCard(const QString &character, const QList<card::Reading> &readings,
    const QString &radical, const QString &kangxiRadical, int strokes, const QString &structure,
    const QString &strokeNames, int level)
{
    card::Card out;
    out.character = character;
    out.readings = readings;
    out.radical = radical;
    out.kangxiRadical = kangxiRadical;
    out.strokes = strokes;
    out.strokesOutsideRadical = radical.isEmpty() ? -1 : strokes - 3; // as if every radical had 3
    out.structure = structure;
    out.strokeNames = strokeNames.split(u' ', Qt::SkipEmptyParts);
    out.level = level;
    return out;
}

} // namespace

const QList<card::Card> &fixtureCards()
{
    static const QList<card::Card> cards = [] {
        card::Card fa = fixtureCard(QStringLiteral("发"),
            { reading(QStringLiteral("fā"),
                  { { QStringLiteral("发展"), QStringLiteral("fāzhǎn") } },
                  { QStringLiteral("to send out") }),
                reading(QStringLiteral("fà"),
                    { { QStringLiteral("头发"), QStringLiteral("tóufa") } },
                    { QStringLiteral("hair") }) },
            QString(), QStringLiteral("又"), 5, QString(), QStringLiteral("撇折 撇 横撇 捺 点"), 0);
        fa.traditional = { card::Traditional { QStringLiteral("發"), QStringLiteral("send out") },
            card::Traditional { QStringLiteral("髮"), QStringLiteral("hair") } };
        return QList<card::Card> {
            fixtureCard(QStringLiteral("峰"),
                { reading(QStringLiteral("fēng"),
                    { { QStringLiteral("山峰"), QStringLiteral("shānfēng") },
                        { QStringLiteral("高峰"), QStringLiteral("gāofēng") } },
                    { QStringLiteral("peak"), QStringLiteral("summit") }) },
                QStringLiteral("山"), QStringLiteral("山"), 10, QStringLiteral("左右"),
                QStringLiteral("竖 竖折 竖 撇 横撇 点 横 横 横 竖"), 1),
            fixtureCard(QStringLiteral("中"),
                { reading(QStringLiteral("zhōng"),
                      { { QStringLiteral("中国"), QStringLiteral("Zhōngguó") } },
                      { QStringLiteral("within"), QStringLiteral("among") }),
                    reading(QStringLiteral("zhòng"),
                        { { QStringLiteral("中毒"), QStringLiteral("zhòngdú") } },
                        { QStringLiteral("to hit (the mark)") }) },
                QStringLiteral("丨"), QStringLiteral("丨"), 4, QStringLiteral("独体"),
                QStringLiteral("竖 横折 横 竖"), 1),
            fixtureCard(QStringLiteral("行"),
                { reading(QStringLiteral("xíng"),
                      { { QStringLiteral("行走"), QStringLiteral("xíngzǒu") } },
                      { QStringLiteral("to walk"), QStringLiteral("capable") }),
                    reading(QStringLiteral("háng"),
                        { { QStringLiteral("银行"), QStringLiteral("yínháng") } },
                        { QStringLiteral("row"), QStringLiteral("profession") }) },
                QStringLiteral("彳"), QStringLiteral("行"), 6, QStringLiteral("左右"),
                QStringLiteral("撇 撇 竖 横 横 竖钩"), 1),
            fixtureCard(QStringLiteral("呢"),
                { reading(QStringLiteral("ne"), {}, { QStringLiteral("particle") }),
                    reading(QStringLiteral("ní"),
                        { { QStringLiteral("呢子"), QStringLiteral("nízi") } },
                        { QStringLiteral("woollen cloth") }) },
                QStringLiteral("口"), QStringLiteral("口"), 8, QStringLiteral("左右"), QString(),
                1),
            fixtureCard(QStringLiteral("和"),
                { reading(QStringLiteral("hé"), {}, { QStringLiteral("and") }),
                    reading(QStringLiteral("hè"), {}, { QStringLiteral("to reply") }),
                    reading(QStringLiteral("huó"), {}, { QStringLiteral("to mix") }),
                    reading(QStringLiteral("huò"), {}, { QStringLiteral("to blend") }),
                    reading(QStringLiteral("hú"), {}, { QStringLiteral("to win (mahjong)") }) },
                QStringLiteral("口"), QStringLiteral("口"), 8, QStringLiteral("左右"), QString(),
                1),
            fa,
        };
    }();
    return cards;
}

const QList<card::RadicalForm> &fixtureRadicals()
{
    static const QList<card::RadicalForm> table = {
        { QStringLiteral("丨"), QString(), 1 },
        { QStringLiteral("又"), QString(), 2 },
        { QStringLiteral("人"), QString(), 2 },
        { QStringLiteral("亻"), QStringLiteral("人"), 2 },
        { QStringLiteral("口"), QString(), 3 },
        { QStringLiteral("山"), QString(), 3 },
        { QStringLiteral("彳"), QString(), 3 },
    };
    return table;
}

QString ProgramFolder::writeCards(
    const QList<card::Card> &cards, const QList<card::RadicalForm> &radicalTable)
{
    QString error;
    if (!cardschema::writeFile(path() + QStringLiteral("/card.db"), cards, radicalTable, &error))
        return error.isEmpty() ? QStringLiteral("card.db not written") : error;
    return QString();
}

std::unique_ptr<Form1> startedWindow(const ProgramFolder &folder, UrlOpener &opener)
{
    auto window = std::make_unique<Form1>(folder.path(), opener);
    window->show();
    if (QTest::qWaitForWindowExposed(window.get()))
        (void)QTest::qWaitFor([&] { return !window->Timer2.isActive(); }, 5000);
    return window;
}
