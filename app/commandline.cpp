// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandline.h"

#include "cardcommand.h"
#include "outputfile.h"
#include "radicalcommand.h"
#include "sheetcommand.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace {

// The options that QGuiApplication, its X11 plugin and QApplication take out of the arguments
// themselves (Qt accepts them with one dash or two); the first ones take a value.
const QStringList &qtOptionsWithValue()
{
    static const QStringList options {
        QStringLiteral("platform"),
        QStringLiteral("platformpluginpath"),
        QStringLiteral("platformtheme"),
        QStringLiteral("plugin"),
        QStringLiteral("qwindowgeometry"),
        QStringLiteral("geometry"),
        QStringLiteral("qwindowtitle"),
        QStringLiteral("title"),
        QStringLiteral("qwindowicon"),
        QStringLiteral("icon"),
        QStringLiteral("display"),
        QStringLiteral("name"),
        QStringLiteral("visual"),
        QStringLiteral("session"),
        QStringLiteral("style"),
        QStringLiteral("stylesheet"),
        QStringLiteral("qmljsdebugger"),
    };
    return options;
}

const QStringList &qtFlags()
{
    static const QStringList flags {
        QStringLiteral("reverse"),
        QStringLiteral("sync"),
        QStringLiteral("nograb"),
        QStringLiteral("dograb"),
        QStringLiteral("widgetcount"),
        QStringLiteral("testability"),
    };
    return flags;
}

// The arguments without Qt's own options and their values; "--" ends the options. An option of
// the program's own (ownOptions) is kept even where Qt has one of the same name.
QStringList withoutQtOptions(const QStringList &arguments, const QStringList &ownOptions)
{
    QStringList kept { arguments.value(0) };
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--")) {
            kept += arguments.mid(i);
            break;
        }
        const qsizetype dashes = argument.startsWith(QLatin1String("--")) ? 2
            : argument.startsWith(u'-')                                   ? 1
                                                                          : 0;
        if (dashes > 0) {
            const QString name = argument.mid(dashes);
            const qsizetype equals = name.indexOf(u'=');
            if (ownOptions.contains(equals < 0 ? name : name.left(equals))) {
                kept += argument;
                continue;
            }
            if (qtOptionsWithValue().contains(equals < 0 ? name : name.left(equals))) {
                if (equals < 0)
                    ++i; // the value
                continue;
            }
            if (qtFlags().contains(name))
                continue;
        }
        kept += argument;
    }
    return kept;
}

// The program's own options and arguments, as --help lists them; returns the options' names.
QStringList describe(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Zibrin 查汉字：笔顺图、笔画数、拼音，按笔画或拼音查字。\n"
                       "Looks up simplified Chinese characters."));
    QStringList names = parser.addHelpOption().names() + parser.addVersionOption().names();
    names += QStringLiteral("help-all");
    parser.addPositionalArgument(QStringLiteral("character"),
        QStringLiteral("显示这个汉字，如同在输入框里输入。\n"
                       "Shows this character as if typed into the input box, in the running window "
                       "when the program runs already."),
        QStringLiteral("[character]"));
    return names;
}

// -h and --help, as the modes list them.
QCommandLineOption helpOption()
{
    return QCommandLineOption({ QStringLiteral("h"), QStringLiteral("help") },
        QStringLiteral("列出选项 / lists these options."));
}

// The mode one of whose triggers is among the arguments (alone or with its value after '='),
// the first such argument deciding; nullptr for none.
const CommandMode *modeAskedFor(const QStringList &arguments, std::span<const CommandMode> modes)
{
    for (const QString &argument : arguments.mid(1)) {
        for (const CommandMode &mode : modes) {
            for (const QString &trigger : mode.triggers) {
                const QString option = QStringLiteral("--") + trigger;
                if (argument == option || argument.startsWith(option + u'='))
                    return &mode;
            }
        }
    }
    return nullptr;
}

StartRequest readMode(const QStringList &arguments, const CommandMode &mode)
{
    StartRequest request;
    request.mode = &mode;
    // asked for anywhere, even where it would be taken for a value (--card --help)
    for (const QString &argument : arguments.mid(1)) {
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            request.action = StartRequest::Action::ShowHelp;
            return request;
        }
    }
    QCommandLineParser parser;
    parser.addOptions(mode.options());
    request.action = StartRequest::Action::Refuse;
    if (!parser.parse(arguments)) {
        request.error = sheets::visibleText(parser.errorText());
        return request;
    }
    request.command = mode.read(parser, &request.error);
    if (request.command.has_value())
        request.action = StartRequest::Action::RunMode;
    return request;
}

QString modeHelp(const CommandMode &mode)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(mode.description());
    parser.addOptions(mode.options());
    parser.addOption(helpOption());
    return parser.helpText();
}

} // namespace

std::span<const CommandMode> programModes()
{
    // a new mode is a line here
    static const CommandMode modes[] = {
        { { QStringLiteral("practice-sheet"), QStringLiteral("dictation-sheet") },
            QStringLiteral("zibrin --practice-sheet --help lists the options"),
            sheets::sheetCommandDescription, sheets::sheetCommandOptions,
            readMode<sheets::SheetCommand, sheets::readSheetCommand>,
            runMode<sheets::SheetCommand, sheets::runSheetCommand> },
        { { QStringLiteral("card") }, QStringLiteral("zibrin --card --help lists the options"),
            card::cardCommandDescription, card::cardCommandOptions,
            readMode<card::CardCommand, card::readCardCommand>,
            runMode<card::CardCommand, card::runCardCommand> },
        { { QStringLiteral("radical"), QStringLiteral("parts") },
            QStringLiteral("zibrin --radical --help lists the options"),
            radical::radicalCommandDescription, radical::radicalCommandOptions,
            readMode<radical::RadicalRequest, radical::readRadicalCommand>,
            runMode<radical::RadicalRequest, radical::runRadicalCommand> },
    };
    return modes;
}

StartRequest readCommandLine(const QStringList &arguments, std::span<const CommandMode> modes)
{
    if (const CommandMode *mode = modeAskedFor(arguments, modes))
        return readMode(arguments, *mode);
    QCommandLineParser parser;
    const QStringList ownOptions = describe(parser);
    StartRequest request;
    if (!parser.parse(withoutQtOptions(arguments, ownOptions))) {
        request.action = StartRequest::Action::Refuse;
        request.error = parser.errorText();
        return request;
    }
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        request.action = StartRequest::Action::ShowHelp;
        return request;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        request.action = StartRequest::Action::ShowVersion;
        return request;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1) {
        request.action = StartRequest::Action::Refuse;
        request.error = QStringLiteral("Too many arguments: one character to look up, or none.");
        return request;
    }
    if (!positional.isEmpty())
        request.typed = typedText(positional.constFirst());
    return request;
}

int answerWithoutWindow(const StartRequest &request, std::span<const CommandMode> modes)
{
    switch (request.action) {
    case StartRequest::Action::ShowHelp: {
        if (request.mode) {
            std::fputs(qPrintable(modeHelp(*request.mode)), stdout);
            return 0;
        }
        QCommandLineParser parser;
        describe(parser);
        std::fputs(qPrintable(parser.helpText()), stdout);
        // the other ways to run the program, without a window
        for (const CommandMode &mode : modes)
            std::fputs(qPrintable(QStringLiteral("\n") + modeHelp(mode)), stdout);
        return 0;
    }
    case StartRequest::Action::ShowVersion:
        std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()),
            qPrintable(QCoreApplication::applicationVersion()));
        return 0;
    case StartRequest::Action::Refuse:
        if (request.mode) {
            std::fputs(
                qPrintable(
                    QStringLiteral("zibrin: %1 (%2)\n").arg(request.error, request.mode->hint)),
                stderr);
            return 1;
        }
        std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()),
            qPrintable(request.error));
        return 1;
    case StartRequest::Action::OpenWindow:
    case StartRequest::Action::RunMode:
        break;
    }
    return 0;
}

QString typedText(const QString &text)
{
    QString typed;
    typed.reserve(text.size());
    for (const QChar c : text) {
        if (c != QChar::ReplacementCharacter && c.category() != QChar::Other_Control)
            typed += c;
    }
    return typed;
}
