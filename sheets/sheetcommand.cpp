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

struct Options {
    QCommandLineOption sheet { QStringLiteral("practice-sheet"),
        QStringLiteral("练字帖的汉字 / the characters of the sheet."),
        QStringLiteral("characters") };
    QCommandLineOption output { QStringLiteral("output"),
        QStringLiteral(
            "写入的 PDF 文件 / the PDF file to write (replaced; - for standard output)."),
        QStringLiteral("file") };
    QCommandLineOption grid { QStringLiteral("grid"),
        QStringLiteral("田字格、米字格或方格 / the grid (default tian)."),
        QStringLiteral("tian|mi|square") };
    QCommandLineOption cell { QStringLiteral("cell"),
        QStringLiteral("格子大小 / cell size in millimetres, %1-%2 (default 18).")
            .arg(minCellMm)
            .arg(maxCellMm),
        QStringLiteral("mm") };
    QCommandLineOption tracing { QStringLiteral("tracing"),
        QStringLiteral("描红的个数 / grey copies to trace, 0-%1 (default 3).").arg(maxTracing),
        QStringLiteral("n") };
    QCommandLineOption rows { QStringLiteral("rows"),
        QStringLiteral("每字后的空行 / empty rows after each character, 0-%1 "
                       "(default 1).")
            .arg(maxExtraRows),
        QStringLiteral("n") };
    QCommandLineOption paper { QStringLiteral("paper"),
        QStringLiteral("纸张 / the paper (default A4)."), QStringLiteral("A4|A5|Letter") };
    QCommandLineOption landscape { QStringLiteral("landscape"),
        QStringLiteral("横向 / landscape.") };
    QCommandLineOption noPinyin { QStringLiteral("no-pinyin"),
        QStringLiteral("不注拼音 / no pinyin above the characters.") };
    QCommandLineOption title { QStringLiteral("title"),
        QStringLiteral("标题 / the title, up to %1 characters (default 练字帖; empty for none).")
            .arg(maxTitleLength),
        QStringLiteral("text") };
    QCommandLineOption noModel { QStringLiteral("no-model"),
        QStringLiteral("不印范字 / no model character in black in the first cell.") };
    QCommandLineOption noStrokeNames { QStringLiteral("no-stroke-names"),
        QStringLiteral("不印笔画名称 / no stroke names under the stroke-order cells.") };
    QCommandLineOption noInfo { QStringLiteral("no-info"),
        QStringLiteral("不印部首、结构、笔画和组词 / no radical, structure, strokes and words.") };
    QCommandLineOption words { QStringLiteral("words"),
        QStringLiteral("组词的个数 / words with each character, 0-%1 (default %1).").arg(maxWords),
        QStringLiteral("n") };
    QCommandLineOption tracingColour { QStringLiteral("tracing-colour"),
        QStringLiteral("描红的颜色 / colour of the copies to trace (default grey)."),
        QStringLiteral("grey|red") };
    QCommandLineOption keepRepeats { QStringLiteral("keep-repeats"),
        QStringLiteral("保留重复的字 / a character typed twice is drilled twice.") };
    QCommandLineOption noClassField { QStringLiteral("no-class-field"),
        QStringLiteral("不印班级栏 / no 班级 field in the header.") };
    QCommandLineOption dictation { QStringLiteral("dictation-sheet"),
        QStringLiteral("看拼音写词语的词语 / the words of a dictation sheet (pinyin over empty "
                       "cells), separated by spaces or punctuation."),
        QStringLiteral("words") };
    QCommandLineOption answers { QStringLiteral("answers"),
        QStringLiteral("看拼音写词语：最后一页印答案 / dictation sheet: an answer page last.") };
    QCommandLineOption help { { QStringLiteral("h"), QStringLiteral("help") },
        QStringLiteral("列出选项 / lists these options.") };

    void addTo(QCommandLineParser &parser) const
    {
        parser.setApplicationDescription(QStringLiteral(
            "Zibrin 练字帖：笔顺、描红和空格，写成 PDF。\n"
            "Writes a practice sheet (stroke order, grey copies to trace, empty cells) as PDF.\n"
            "  zibrin --practice-sheet 山水火 --output sheet.pdf\n"
            "  zibrin --practice-sheet \"长(cháng)短\" --output sheet.pdf   (长 read cháng)\n"
            "看拼音写词语 / a dictation sheet:\n"
            "  zibrin --dictation-sheet \"银行 快乐 重新\" --output d.pdf --answers"));
        parser.addOptions({ sheet, output, grid, cell, tracing, rows, paper, landscape, noPinyin,
            title, noModel, noStrokeNames, noInfo, words, tracingColour, keepRepeats, noClassField,
            dictation, answers, help });
    }
};

// A whole number within [low, high], or nullopt.
std::optional<int> numberIn(const QString &text, int low, int high)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

void printError(const QString &message)
{
    std::fputs(qPrintable(QStringLiteral("zibrin: %1\n").arg(message)), stderr);
}

} // namespace

QString sheetCommandHelp()
{
    QCommandLineParser parser;
    Options().addTo(parser);
    return parser.helpText();
}

std::optional<SheetCommand> parseSheetCommand(const QStringList &arguments, QString *error)
{
    const Options o;
    QCommandLineParser parser;
    o.addTo(parser);
    const auto fail = [error](const QString &message) {
        if (error)
            *error = message;
        return std::nullopt;
    };
    SheetCommand command;
    // asked for anywhere, even where it would be taken for a value (--practice-sheet --help)
    for (const QString &argument : arguments.mid(1)) {
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            command.help = true;
            return command;
        }
    }
    if (!parser.parse(arguments))
        return fail(visibleText(parser.errorText()));
    if (parser.isSet(o.help)) {
        command.help = true;
        return command;
    }
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("unexpected argument: \"%1\"")
                        .arg(visibleText(parser.positionalArguments().constFirst())));
    command.dictation = parser.isSet(o.dictation);
    if (command.dictation && parser.isSet(o.sheet))
        return fail(QStringLiteral("--practice-sheet and --dictation-sheet: one sheet at a time"));
    command.characters = parser.value(command.dictation ? o.dictation : o.sheet);
    if (command.characters.size() > maxInputLength)
        return fail(QStringLiteral("--%1 takes at most %2 characters")
                        .arg(command.dictation ? QStringLiteral("dictation-sheet")
                                               : QStringLiteral("practice-sheet"))
                        .arg(maxInputLength));
    if (!parser.isSet(o.output) || parser.value(o.output).isEmpty())
        return fail(QStringLiteral("--output FILE is missing: the PDF file to write"));
    command.output = parser.value(o.output);

    SheetOptions &options = command.options;
    if (parser.isSet(o.grid)) {
        const QString grid = parser.value(o.grid).toLower();
        if (grid == QLatin1String("tian"))
            options.grid = Grid::Tian;
        else if (grid == QLatin1String("mi"))
            options.grid = Grid::Mi;
        else if (grid == QLatin1String("square"))
            options.grid = Grid::Square;
        else
            return fail(QStringLiteral("--grid must be tian, mi or square, not \"%1\"")
                            .arg(visibleText(parser.value(o.grid))));
    }
    const struct {
        const QCommandLineOption &option;
        int low;
        int high;
        int *value;
    } numbers[] = { { o.cell, minCellMm, maxCellMm, &options.cellMm },
        { o.tracing, 0, maxTracing, &options.tracing },
        { o.rows, 0, maxExtraRows, &options.extraRows }, { o.words, 0, maxWords, &options.words } };
    for (const auto &number : numbers) {
        if (!parser.isSet(number.option))
            continue;
        const auto value = numberIn(parser.value(number.option), number.low, number.high);
        if (!value)
            return fail(QStringLiteral("--%1 must be a whole number from %2 to %3, not \"%4\"")
                            .arg(number.option.names().constFirst())
                            .arg(number.low)
                            .arg(number.high)
                            .arg(visibleText(parser.value(number.option))));
        *number.value = *value;
    }
    if (parser.isSet(o.paper)) {
        const QString paper = parser.value(o.paper).toLower();
        if (paper == QLatin1String("a4"))
            options.paper = Paper::A4;
        else if (paper == QLatin1String("a5"))
            options.paper = Paper::A5;
        else if (paper == QLatin1String("letter"))
            options.paper = Paper::Letter;
        else
            return fail(QStringLiteral("--paper must be A4, A5 or Letter, not \"%1\"")
                            .arg(visibleText(parser.value(o.paper))));
    }
    options.landscape = parser.isSet(o.landscape);
    options.pinyin = !parser.isSet(o.noPinyin);
    if (parser.isSet(o.title)) {
        options.title = parser.value(o.title);
        if (options.title.size() > maxTitleLength)
            return fail(QStringLiteral("--title takes at most %1 characters").arg(maxTitleLength));
    }
    if (parser.isSet(o.tracingColour)) {
        const QString colour = parser.value(o.tracingColour).toLower();
        if (colour == QLatin1String("grey") || colour == QLatin1String("gray"))
            options.tracingColour = TracingColour::Grey;
        else if (colour == QLatin1String("red"))
            options.tracingColour = TracingColour::Red;
        else
            return fail(QStringLiteral("--tracing-colour must be grey or red, not \"%1\"")
                            .arg(parser.value(o.tracingColour)));
    }
    options.model = !parser.isSet(o.noModel);
    options.strokeNames = !parser.isSet(o.noStrokeNames);
    options.info = !parser.isSet(o.noInfo);
    options.keepRepeats = parser.isSet(o.keepRepeats);
    options.classField = !parser.isSet(o.noClassField);

    DictationOptions &dictation = command.dictationOptions;
    dictation.grid = options.grid;
    dictation.cellMm = options.cellMm;
    dictation.paper = options.paper;
    dictation.landscape = options.landscape;
    dictation.classField = options.classField;
    dictation.answers = parser.isSet(o.answers);
    if (parser.isSet(o.title))
        dictation.title = options.title;
    return command;
}

int runPracticeSheetCommand(const QStringList &arguments)
{
    // a file-size limit makes a write fail (and the old file stay) rather than end the program
    std::signal(SIGXFSZ, SIG_IGN);
    QString error;
    const auto command = parseSheetCommand(arguments, &error);
    if (!command) {
        printError(error + QStringLiteral(" (zibrin --practice-sheet --help lists the options)"));
        return 1;
    }
    if (command->help) {
        std::fputs(qPrintable(sheetCommandHelp()), stdout);
        return 0;
    }

    RecordStore store;
    const QString database = QCoreApplication::applicationDirPath() + QStringLiteral("/Photo.mdb");
    if (!store.open(database)) {
        printError(QStringLiteral("cannot read the character data %1").arg(database));
        return 1;
    }
    // radicals, structures, stroke names and words: the card data beside it, where there is one
    const card::CardStore cards(cardFileBeside(database));
    if (command->dictation) {
        const DictationWords words = loadWords(store, command->characters, &cards);
        if (!words.missing.isEmpty())
            printError(QStringLiteral("left out, no reading: %1").arg(words.missing.join(u' ')));
        if (words.usable.isEmpty()) {
            printError(QStringLiteral("no word to write: \"%1\" holds none with readings")
                           .arg(visibleText(command->characters)));
            return 1;
        }
        const QString writeError = writeDictationPdf(command->output, command->dictationOptions,
            words.usable, QCoreApplication::applicationDirPath());
        if (!writeError.isEmpty()) {
            printError(writeError);
            return 1;
        }
        return 0;
    }
    const SheetCharacters characters
        = loadCharacters(store, command->characters, command->options.keepRepeats, &cards);
    if (!characters.missing.isEmpty())
        printError(
            QStringLiteral("left out, no stroke data: %1").arg(characters.missing.join(u' ')));
    if (characters.usable.isEmpty()) {
        printError(QStringLiteral("no character to write: \"%1\" holds none with stroke data")
                       .arg(visibleText(command->characters)));
        return 1;
    }
    const QString writeError = writePdf(command->output, command->options, characters.usable,
        QCoreApplication::applicationDirPath());
    if (!writeError.isEmpty()) {
        printError(writeError);
        return 1;
    }
    return 0;
}

} // namespace sheets
