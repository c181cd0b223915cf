// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
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
};

// --help's heading, with examples.
QString radicalCommandDescription();

// The command's options, --radical and --parts among them.
QList<QCommandLineOption> radicalCommandOptions();

// The command from the parsed arguments, or nullopt with *error saying what is wrong: both or
// neither of --radical and --parts, an empty value, several radicals, an argument too many.
std::optional<RadicalRequest> readRadicalCommand(const QCommandLineParser &parsed, QString *error);

// Writes what the request finds to out, or a message to err. Returns the exit code: 0 found
// (an empty list included), 1 an unknown radical or part, or no radical index.
int printRadical(
    const RadicalIndex &index, const RadicalRequest &request, QTextStream &out, QTextStream &err);

// Runs the command under the application made for a mode without a display (see app/display.h):
// reads card.db beside the program. Returns the exit code.
int runRadicalCommand(const RadicalRequest &request);

} // namespace radical
