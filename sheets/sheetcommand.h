// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sheetoptions.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>

// The practice sheet from the command line:
//   zibrin --practice-sheet 山水火 --output sheet.pdf [--grid tian|mi|square] [--cell MM]
//          [--tracing N] [--rows N] [--paper A4|A5|Letter] [--landscape] [--no-pinyin]
//          [--title TEXT] [--no-model] [--no-stroke-names] [--no-info] [--words N]
//          [--tracing-colour grey|red] [--keep-repeats] [--no-class-field]
//   zibrin --dictation-sheet "银行 快乐" --output d.pdf [--answers] [--grid ...] [--cell MM]
//          [--paper ...] [--landscape] [--title TEXT] [--no-class-field] [--words-from-card]
// It needs no display and writes nothing but the output file.
namespace sheets {

struct SheetCommand {
    QString characters; // or the words of the dictation sheet
    QString output;
    bool dictation = false; // --dictation-sheet: the 看拼音写词语 sheet
    SheetSettings settings;
};

// --help's heading, with examples.
QString sheetCommandDescription();

// The command's options: the two that ask for a sheet, --output, and the sheets' options of
// sheetoptions.h.
QList<QCommandLineOption> sheetCommandOptions();

// The command from the parsed arguments, or nullopt with *error saying what is wrong: a missing
// output, a value out of range, both sheets at once.
std::optional<SheetCommand> readSheetCommand(const QCommandLineParser &parsed, QString *error);

// Runs the command under a QGuiApplication already made (on the offscreen platform: see
// app/display.h): reads Photo.mdb beside the program, names the characters it leaves out on
// standard error and writes the PDF ("-": to standard output). Returns the exit code: 0 written,
// 1 anything that stopped it (a message on standard error says what, what the user typed quoted
// with its control characters made visible).
int runSheetCommand(const SheetCommand &command);

} // namespace sheets
