// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QCommandLineOption>
#include <QList>
#include <QLoggingCategory>
#include <QString>

#include <functional>

class QCommandLineParser;

// zibrin.tools: what the data tools report (a file they cannot read, a line they reject). On by
// default, written to stderr as "tool: message".
Q_DECLARE_LOGGING_CATEGORY(toolsLog)

// What the data tools (datagen, photogen, pagegen, makelist2) share: their messages, their
// command lines and the way they replace an output.
namespace toolsupport {

// Names the tool in its messages and sends zibrin.tools to stderr as "name: message". Call once,
// after the application object is made.
void setToolName(const char *name);

// One message of the tool on zibrin.tools.
void report(const QString &text);
// The message, then the end of the tool with status 1.
[[noreturn]] void fail(const QString &text);
// The whole file; fails the tool with the reason when it cannot be read.
QByteArray readFile(const QString &path);

// Adds the options and --help to parser and parses the command line (--help prints and exits).
// Returns false after reporting "--a, --b and --c are required" when one of required is missing.
bool parseCommandLine(QCommandLineParser &parser, const QString &description,
    const QList<QCommandLineOption> &options, const QList<QCommandLineOption> &required);

// Writes the bytes to the file, truncating it; reports and returns false on failure.
bool writeBytes(const QString &fileName, const QByteArray &bytes);

// Makes output through OUTPUT.part beside it: make writes the file or folder it is given, which
// is then renamed over output. A failed make or rename leaves output as it was and no .part.
bool replaceOutput(const QString &output, const std::function<bool(const QString &partial)> &make);

// replaceOutput for a file of these bytes.
bool replaceFile(const QString &fileName, const QByteArray &bytes);

} // namespace toolsupport
