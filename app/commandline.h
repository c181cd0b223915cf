// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <any>
#include <memory>
#include <optional>
#include <span>

// The program's one reader of its arguments. It runs before the window system is touched, so
// that help, version and errors need no display, and yields what this start is to do: the
// window (with a character to show), or one of the modes that need no display (a sheet, the
// card ...), with the mode's own request already read from the arguments.
//
// A new mode is one entry in programModes() (commandline.cpp): the options that ask for it,
// its other options and its description for --help, a reader that turns the parsed arguments
// into the mode's request, and the runner that takes that request.

// A mode that needs no display.
struct CommandMode {
    QStringList triggers; // the options that ask for the mode, without dashes ("card")
    QString hint; // after an error: where the options are listed
    QString (*description)(); // --help's heading, with examples
    QList<QCommandLineOption> (*options)(); // every option of the mode, its triggers among them
    // The mode's request from the parsed arguments, or an empty std::any with *error saying
    // what is wrong (a value out of range, an argument too many ...).
    std::any (*read)(const QCommandLineParser &parsed, QString *error);
    // Runs the request under the application made for a mode without a display (see
    // app/display.h); returns the exit status.
    int (*run)(const std::any &request);
};

// Makes a mode's reader and runner of functions over its own request type.
template<typename Request, std::optional<Request> (*Read)(const QCommandLineParser &, QString *)>
std::any readMode(const QCommandLineParser &parsed, QString *error)
{
    std::optional<Request> request = Read(parsed, error);
    return request ? std::any(std::move(*request)) : std::any();
}
template<typename Request, int (*Run)(const Request &)> int runMode(const std::any &request)
{
    return Run(std::any_cast<const Request &>(request));
}

// The modes of the program, in the order --help lists them.
std::span<const CommandMode> programModes();

// What one start of the program is asked to do.
struct StartRequest {
    enum class Action {
        OpenWindow, // the window (or the running copy's), showing typed when that is not empty
        RunMode, // mode runs command without a display
        ShowHelp, // the usage on the standard output (mode's alone where mode is set), status 0
        ShowVersion, // the name and version on the standard output, status 0
        Refuse, // error on the standard error (with mode's hint where mode is set), status 1
    };
    Action action = Action::OpenWindow;
    const CommandMode *mode = nullptr; // the mode asked for, or nullptr for the window
    std::any command; // RunMode: the mode's request, for its runner
    QString typed; // OpenWindow: the text shown as if typed into the input box
    QString error; // Refuse: what is wrong with the command line, one line
};

// Reads the arguments (the first is the program). A mode is asked for by its trigger anywhere
// among them (alone or as --trigger=value) and then reads all of them; otherwise the window's
// options are read, and Qt's own window-system options (-platform, -display, -style ...) are let
// through for QApplication to take.
StartRequest readCommandLine(
    const QStringList &arguments, std::span<const CommandMode> modes = programModes());

// Answers a request that needs no window (help, version, refusal): prints it and returns the
// exit status. Needs a QCoreApplication, whose name and version it prints.
int answerWithoutWindow(
    const StartRequest &request, std::span<const CommandMode> modes = programModes());

// Text from outside (an argument, a hand-over from a later start) made fit for the input box:
// characters that were no valid UTF-8 (decoded as U+FFFD) and control characters dropped.
QString typedText(const QString &text);
