// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// What one start of the program is asked to do, read from its arguments before the window
// system is touched, so that help, version and errors need no display. A new mode of the program
// is a new Action here, with its options described in commandline.cpp.
struct StartRequest {
    enum class Action {
        OpenWindow, // the window (or the running copy's), showing typed when that is not empty
        ShowHelp, // the usage on the standard output, status 0
        ShowVersion, // the name and version on the standard output, status 0
        Refuse, // error on the standard error, status 1
    };
    Action action = Action::OpenWindow;
    QString typed; // OpenWindow: the text shown as if typed into the input box
    QString error; // Refuse: what is wrong with the command line, one line
};

// Reads the arguments (the first is the program). Qt's own window-system options (-platform,
// -display, -style ...) are let through for QApplication to take.
StartRequest readCommandLine(const QStringList &arguments);

// Answers a request that needs no window (help, version, refusal): prints it and returns the
// exit status. Needs a QCoreApplication, whose name and version it prints.
int answerWithoutWindow(const StartRequest &request);

// Text from outside (an argument, a hand-over from a later start) made fit for the input box:
// characters that were no valid UTF-8 (decoded as U+FFFD) and control characters dropped.
QString typedText(const QString &text);
