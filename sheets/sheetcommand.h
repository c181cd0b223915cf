// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dictationlayout.h"
#include "sheetlayout.h"

#include <QString>
#include <QStringList>

#include <optional>

// The practice sheet from the command line:
//   zibrin --practice-sheet 山水火 --output sheet.pdf [--grid tian|mi|square] [--cell MM]
//          [--tracing N] [--rows N] [--paper A4|A5|Letter] [--landscape] [--no-pinyin]
//          [--title TEXT] [--no-model] [--no-stroke-names] [--no-info] [--words N]
//          [--tracing-colour grey|red] [--keep-repeats] [--no-class-field]
//   zibrin --dictation-sheet "银行 快乐" --output d.pdf [--answers] [--grid ...] [--cell MM]
//          [--paper ...] [--landscape] [--title TEXT] [--no-class-field]
// It needs no display and writes nothing but the output file.
namespace sheets {

struct SheetCommand {
    QString characters; // or the words of the dictation sheet
    QString output;
    SheetOptions options;
    bool dictation = false; // --dictation-sheet: the 看拼音写词语 sheet
    DictationOptions dictationOptions;
    bool help = false; // --help: print the options, write nothing
};

// The command's arguments (the program's name first), or nullopt with *error saying what is
// wrong: an unknown option, a missing value or output, a value out of range.
std::optional<SheetCommand> parseSheetCommand(const QStringList &arguments, QString *error);

// The options as --help lists them.
QString sheetCommandHelp();

// The options that ask for the command: a practice sheet or a dictation sheet.
inline constexpr char practiceSheetOption[] = "--practice-sheet";
inline constexpr char dictationSheetOption[] = "--dictation-sheet";

// Runs the command with the program's arguments, under a QGuiApplication already made (on the
// offscreen platform: see app/display.h): reads Photo.mdb beside the program, names the
// characters it leaves out on standard error and writes the PDF ("-": to standard output).
// Returns the exit code: 0 written, 1 anything that stopped it (a message on standard error says
// what, what the user typed quoted with its control characters made visible).
int runPracticeSheetCommand(const QStringList &arguments);

} // namespace sheets
