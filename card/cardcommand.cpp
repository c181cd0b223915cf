// SPDX-License-Identifier: GPL-3.0-or-later
#include "cardcommand.h"

#include "cardstore.h"
#include "cardtext.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTextStream>

#include <cstdio>

namespace card {

namespace {

// Longer input is no list of characters to look up but a mistake.
constexpr qsizetype maxCharacters = 1000;

const QCommandLineOption cardOption { QStringLiteral("card"),
    QStringLiteral("打印这些汉字的字卡 / prints the card of each character."),
    QStringLiteral("characters") };
const QCommandLineOption jsonOption { QStringLiteral("json"),
    QStringLiteral("以 JSON 打印（多个汉字时为列表）/ prints JSON (a list for several "
                   "characters).") };

// The characters of the text, white space left out.
QStringList charactersOf(const QString &text)
{
    QStringList out = textCharacters(text);
    out.removeIf([](const QString &c) { return c.at(0).isSpace(); });
    return out;
}

} // namespace

QString cardCommandDescription()
{
    return QStringLiteral("Zibrin 字卡：读音、部首、结构、笔画、组词、释义、繁体。\n"
                          "Prints the character card: readings, radical, structure, strokes, "
                          "words, meanings, traditional forms.\n"
                          "  zibrin --card 峰 [--json]");
}

QList<QCommandLineOption> cardCommandOptions()
{
    return { cardOption, jsonOption };
}

std::optional<CardCommand> readCardCommand(const QCommandLineParser &parser, QString *error)
{
    const auto fail = [error](const QString &message) {
        if (error)
            *error = message;
        return std::nullopt;
    };
    CardCommand command;
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("多余的参数 / unexpected argument: %1")
                        .arg(parser.positionalArguments().constFirst()));
    command.characters = parser.value(cardOption);
    command.json = parser.isSet(jsonOption);
    if (charactersOf(command.characters).isEmpty())
        return fail(QStringLiteral("--card 后面缺少汉字 / --card needs one character or more"));
    if (command.characters.size() > maxCharacters)
        return fail(QStringLiteral("--card 最多 %1 个字 / --card takes at most %1 characters")
                        .arg(maxCharacters));
    return command;
}

int printCards(
    const CardStore &store, const CardCommand &command, QTextStream &out, QTextStream &err)
{
    const QStringList characters = charactersOf(command.characters);
    int status = 0;
    QJsonArray cards;
    bool first = true;
    for (const QString &character : characters) {
        const std::optional<Card> found = store.card(character);
        if (!found) {
            err << QStringLiteral("zibrin: 没有“%1”的字卡 / no card for %1\n").arg(character);
            status = 1;
            continue;
        }
        if (command.json) {
            cards.append(jsonObject(*found));
            continue;
        }
        if (!first)
            out << u'\n';
        out << plainText(*found);
        first = false;
    }
    if (command.json && !cards.isEmpty()) {
        const QJsonDocument document = characters.size() == 1
            ? QJsonDocument(cards.first().toObject())
            : QJsonDocument(cards);
        out << QString::fromUtf8(document.toJson(QJsonDocument::Indented));
    }
    out.flush();
    err.flush();
    return status;
}

int runCardCommand(const CardCommand &command)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QString file = QCoreApplication::applicationDirPath() + QStringLiteral("/card.db");
    const CardStore store(file);
    if (!store.isAvailable()) {
        err << QStringLiteral("zibrin: 无法读取字卡数据 / cannot read the card data %1\n")
                   .arg(file);
        return 1;
    }
    return printCards(store, command, out, err);
}

} // namespace card
