// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QTextStream;

// The radical index from the command line:
//   zibrin --radical 宀 [--json]     the characters filed under 宀, then those containing it
//   zibrin --parts 木目 [--json]     the characters containing every part
// It needs no display and reads card.db beside the program.
namespace radical {

class RadicalIndex;

struct RadicalRequest {
    enum class What { Radical, Parts };
    What what = What::Radical;
    QString text; // the radical, or the parts
    bool json = false; // --json: a list of {character, strokes_outside_radical, filed_here}
    bool help = false; // --help: print the options only
};

// The options that ask for the command.
inline constexpr char radicalOption[] = "--radical";
inline constexpr char partsOption[] = "--parts";

// The command's arguments (the program's name first), or nullopt with *error saying what is
// wrong: an unknown option, both or neither of --radical and --parts, an empty value.
std::optional<RadicalRequest> parseRadicalCommand(const QStringList &arguments, QString *error);

// The options as --help lists them.
QString radicalCommandHelp();

// Writes what the request finds to out, or a message to err. Returns the exit code: 0 found
// (an empty list included), 1 an unknown radical or part, or no radical index.
int printRadical(
    const RadicalIndex &index, const RadicalRequest &request, QTextStream &out, QTextStream &err);

// Runs the command with the program's arguments, under the application made for a mode without a
// display (see app/display.h). Returns the exit code.
int runRadicalCommand(const QStringList &arguments);

} // namespace radical
