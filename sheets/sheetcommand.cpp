// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheetcommand.h"

#include "cardstore.h"
#include "dictationrenderer.h"
#include "outputfile.h"
#include "recordstore.h"
#include "sheetcharacters.h"
#include "sheetrenderer.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>

#include <csignal>
#include <cstdio>

namespace sheets {

namespace {

const QCommandLineOption practiceSheet { QStringLiteral("practice-sheet"),
    QStringLiteral("练字帖的汉字 / the characters of the sheet."), QStringLiteral("characters") };
const QCommandLineOption dictationSheet { QStringLiteral("dictation-sheet"),
    QStringLiteral("看拼音写词语的词语 / the words of a dictation sheet (pinyin over empty "
                   "cells), separated by spaces or punctuation."),
    QStringLiteral("words") };
const QCommandLineOption output { QStringLiteral("output"),
    QStringLiteral("写入的 PDF 文件 / the PDF file to write (replaced; - for standard output)."),
    QStringLiteral("file") };

void printError(const QString &message)
{
    std::fputs(qPrintable(QStringLiteral("zibrin: %1\n").arg(message)), stderr);
}

} // namespace

QString sheetCommandDescription()
{
    return QStringLiteral(
        "Zibrin 练字帖：笔顺、描红和空格，写成 PDF。\n"
        "Writes a practice sheet (stroke order, grey copies to trace, empty cells) as PDF.\n"
        "  zibrin --practice-sheet 山水火 --output sheet.pdf\n"
        "  zibrin --practice-sheet \"长(cháng)短\" --output sheet.pdf   (长 read cháng)\n"
        "看拼音写词语 / a dictation sheet:\n"
        "  zibrin --dictation-sheet \"银行 快乐 重新\" --output d.pdf --answers");
}

QList<QCommandLineOption> sheetCommandOptions()
{
    QList<QCommandLineOption> options { practiceSheet, dictationSheet, output };
    for (const SheetOption &option : sheetOptionTable()) {
        options.append(QCommandLineOption(
            QLatin1String(option.name), option.helpText(), QLatin1String(option.valueName)));
    }
    return options;
}

std::optional<SheetCommand> readSheetCommand(const QCommandLineParser &parser, QString *error)
{
    const auto fail = [error](const QString &message) {
        if (error)
            *error = message;
        return std::nullopt;
    };
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("unexpected argument: \"%1\"")
                        .arg(visibleText(parser.positionalArguments().constFirst())));
    SheetCommand command;
    command.dictation = parser.isSet(dictationSheet);
    if (command.dictation && parser.isSet(practiceSheet))
        return fail(QStringLiteral("--practice-sheet and --dictation-sheet: one sheet at a time"));
    command.characters = parser.value(command.dictation ? dictationSheet : practiceSheet);
    if (command.characters.size() > maxInputLength)
        return fail(QStringLiteral("--%1 takes at most %2 characters")
                        .arg(command.dictation ? QStringLiteral("dictation-sheet")
                                               : QStringLiteral("practice-sheet"))
                        .arg(maxInputLength));
    if (!parser.isSet(output) || parser.value(output).isEmpty())
        return fail(QStringLiteral("--output FILE is missing: the PDF file to write"));
    command.output = parser.value(output);
    for (const SheetOption &option : sheetOptionTable()) {
        const QString name = QLatin1String(option.name);
        if (!parser.isSet(name))
            continue;
        const QVariant value = option.read(parser.value(name), error);
        if (!value.isValid())
            return std::nullopt;
        option.set(command.settings, value);
    }
    return command;
}

int runSheetCommand(const SheetCommand &command)
{
    // a file-size limit makes a write fail (and the old file stay) rather than end the program
    std::signal(SIGXFSZ, SIG_IGN);

    RecordStore store;
    const QString database = QCoreApplication::applicationDirPath() + QStringLiteral("/Photo.mdb");
    if (!store.open(database)) {
        printError(QStringLiteral("cannot read the character data %1").arg(database));
        return 1;
    }
    // radicals, structures, stroke names and words: the card data beside it, where there is one
    const card::CardStore cards(cardFileBeside(database));
    if (command.dictation) {
        QString text = command.characters;
        if (command.settings.wordsFromCard) {
            QStringList without;
            text = firstCardWords(text, cards, &without);
            if (!without.isEmpty())
                printError(
                    QStringLiteral("left out, no word on the card: %1").arg(without.join(u' ')));
        }
        const DictationWords words = loadWords(store, text, &cards);
        if (!words.missing.isEmpty())
            printError(QStringLiteral("left out, no reading: %1").arg(words.missing.join(u' ')));
        if (words.usable.isEmpty()) {
            printError(QStringLiteral("no word to write: \"%1\" holds none with readings")
                           .arg(visibleText(command.characters)));
            return 1;
        }
        const QString writeError = writeDictationPdf(command.output, command.settings.dictation,
            words.usable, QCoreApplication::applicationDirPath());
        if (!writeError.isEmpty()) {
            printError(writeError);
            return 1;
        }
        return 0;
    }
    const SheetCharacters characters
        = loadCharacters(store, command.characters, command.settings.practice.keepRepeats, &cards);
    if (!characters.missing.isEmpty())
        printError(
            QStringLiteral("left out, no stroke data: %1").arg(characters.missing.join(u' ')));
    if (characters.usable.isEmpty()) {
        printError(QStringLiteral("no character to write: \"%1\" holds none with stroke data")
                       .arg(visibleText(command.characters)));
        return 1;
    }
    const QString writeError = writePdf(command.output, command.settings.practice,
        characters.usable, QCoreApplication::applicationDirPath());
    if (!writeError.isEmpty()) {
        printError(writeError);
        return 1;
    }
    return 0;
}

} // namespace sheets
