// SPDX-License-Identifier: GPL-3.0-or-later
#include "radicalcommand.h"

#include "cardstore.h"
#include "radicalindex.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

namespace radical {

namespace {

// Longer input is no list of parts but a mistake.
constexpr qsizetype maxText = 100;

const QCommandLineOption radicalOption { QStringLiteral("radical"),
    QStringLiteral(
        "列出这个部首的字，按部外笔画分组，再列出含有它的字 / lists the characters filed "
        "under the radical by strokes outside it, then those containing it."),
    QStringLiteral("radical") };
const QCommandLineOption partsOption { QStringLiteral("parts"),
    QStringLiteral("列出含有所有这些部件的字，笔画少的在前 / lists the characters containing "
                   "every part, fewest strokes first."),
    QStringLiteral("parts") };
const QCommandLineOption jsonOption { QStringLiteral("json"),
    QStringLiteral("以 JSON 列表打印 / prints a JSON list of {character, "
                   "strokes_outside_radical, filed_here}.") };

QString strokesHeading(int strokes)
{
    return strokes < 0 ? QStringLiteral("笔画不明") : QStringLiteral("%1 画").arg(strokes);
}

// Lines of "heading：characters", a heading each time the stroke count changes.
void printGroups(const QList<Listed> &characters, bool byStrokesOutside, QTextStream &out)
{
    int current = -2;
    for (const Listed &listed : characters) {
        const int strokes = byStrokesOutside ? listed.strokesOutsideRadical : listed.strokes;
        if (strokes != current) {
            if (current != -2)
                out << u'\n';
            out << strokesHeading(strokes) << QStringLiteral("：");
            current = strokes;
        } else {
            out << u' ';
        }
        out << listed.character;
    }
    if (current != -2)
        out << u'\n';
}

void printJson(const QList<Listed> &characters, QTextStream &out)
{
    QJsonArray list;
    for (const Listed &listed : characters) {
        list.append(QJsonObject {
            { QStringLiteral("character"), listed.character },
            { QStringLiteral("strokes_outside_radical"), listed.strokesOutsideRadical },
            { QStringLiteral("filed_here"), listed.filedHere },
        });
    }
    out << QString::fromUtf8(QJsonDocument(list).toJson(QJsonDocument::Indented));
}

} // namespace

QString radicalCommandDescription()
{
    return QStringLiteral("Zibrin 部首检字：按部首或部件查字。\n"
                          "Finds characters by their radical or by their parts.\n"
                          "  zibrin --radical 宀 [--json]\n"
                          "  zibrin --parts 木目 [--json]");
}

QList<QCommandLineOption> radicalCommandOptions()
{
    return { radicalOption, partsOption, jsonOption };
}

std::optional<RadicalRequest> readRadicalCommand(const QCommandLineParser &parser, QString *error)
{
    const auto fail = [error](const QString &message) {
        if (error)
            *error = message;
        return std::nullopt;
    };
    RadicalRequest request;
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("多余的参数 / unexpected argument: %1")
                        .arg(parser.positionalArguments().constFirst()));
    if (parser.isSet(radicalOption) == parser.isSet(partsOption))
        return fail(QStringLiteral("--radical 和 --parts 只能用一个 / give --radical or --parts"));
    const bool byRadical = parser.isSet(radicalOption);
    request.what = byRadical ? RadicalRequest::What::Radical : RadicalRequest::What::Parts;
    request.text = parser.value(byRadical ? radicalOption : partsOption).trimmed();
    request.json = parser.isSet(jsonOption);
    if (RadicalIndex::partsOf(request.text).isEmpty())
        return fail(QStringLiteral("缺少部首或部件 / no radical or part given"));
    if (request.text.size() > maxText)
        return fail(QStringLiteral("最多 %1 个字符 / at most %1 characters").arg(maxText));
    if (byRadical && RadicalIndex::partsOf(request.text).size() > 1)
        return fail(QStringLiteral("--radical 只查一个部首，几个部件请用 --parts / --radical takes "
                                   "one radical; use --parts for several parts"));
    return request;
}

int printRadical(
    const RadicalIndex &index, const RadicalRequest &request, QTextStream &out, QTextStream &err)
{
    if (index.isEmpty()) {
        err << QStringLiteral("zibrin: 字卡数据里没有部首检字表 / the card data has no radical "
                              "index\n");
        err.flush();
        return 1;
    }
    const bool byRadical = request.what == RadicalRequest::What::Radical;
    const QString asked = byRadical ? RadicalIndex::partsOf(request.text).constFirst() : QString();
    const Found found = byRadical ? index.filing(asked) : index.withParts(request.text);
    if (!found.unknown.isEmpty()) {
        const QString list = found.unknown.join(QStringLiteral("、"));
        err << (byRadical
                ? QStringLiteral("zibrin: “%1”不是部首，部件请用 --parts / %1 is no radical of the "
                                 "table; --parts finds parts\n")
                      .arg(list)
                : QStringLiteral("zibrin: 不认识的部件：%1 / unknown part: %1\n").arg(list));
        err.flush();
        return 1;
    }
    if (request.json) {
        printJson(found.characters, out);
    } else if (byRadical) {
        const auto contained = std::find_if(found.characters.cbegin(), found.characters.cend(),
            [](const Listed &listed) { return !listed.filedHere; });
        out << QStringLiteral("%1 部（部外笔画）\n").arg(asked);
        printGroups(QList<Listed>(found.characters.cbegin(), contained), true, out);
        if (contained != found.characters.cend()) {
            out << QStringLiteral("\n含有“%1”的字（部外笔画）\n").arg(asked);
            printGroups(QList<Listed>(contained, found.characters.cend()), true, out);
        }
    } else {
        out << QStringLiteral("含有 %1 的字（总笔画）\n")
                   .arg(RadicalIndex::partsOf(request.text).join(u' '));
        printGroups(found.characters, false, out);
    }
    out.flush();
    return 0;
}

int runRadicalCommand(const RadicalRequest &request)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QString file = QCoreApplication::applicationDirPath() + QStringLiteral("/card.db");
    const card::CardStore store(file);
    if (!store.isAvailable()) {
        err << QStringLiteral("zibrin: 无法读取字卡数据 / cannot read the card data %1\n")
                   .arg(file);
        return 1;
    }
    return printRadical(RadicalIndex(store), request, out, err);
}

} // namespace radical
