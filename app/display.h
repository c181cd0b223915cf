// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcessEnvironment>
#include <QStringList>

#include <any>

// How a start of the program gets a display, or does without one.

struct CommandMode;

// Runs a mode that needs no display (the sheets, the card, any mode like them) with its request,
// read from the arguments before Qt saw them (so that --title and the like stay the mode's):
// makes a QGuiApplication on the offscreen platform, whatever QT_QPA_PLATFORM says, without a
// runtime folder or a platform theme of the desktop's, and returns the mode's exit status.
int runDisplayFree(const CommandMode &mode, const std::any &request, char *program);

// The arguments as QCoreApplication decodes them, before any application object exists.
QStringList argumentsOf(int argc, char *argv[]);

// For a start that shows a window: whether a display can be had. False where the platform is
// the desktop's (X11 or Wayland, chosen or by default) and no DISPLAY or WAYLAND_DISPLAY names
// one; any other platform (offscreen, vnc ...) is taken at its word.
bool displayNamed(const QStringList &arguments,
    const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());

// The one line printed when a window start has no display.
QString noDisplayMessage();

// While an object of this lives, a fatal message from Qt (as when the display named cannot be
// reached and no platform plugin starts) prints noDisplayMessage() and ends the program with
// status 1 instead of aborting with Qt's own text; the platform's warnings are kept back.
class NoDisplayGuard {
public:
    NoDisplayGuard();
    ~NoDisplayGuard();
    NoDisplayGuard(const NoDisplayGuard &) = delete;
    NoDisplayGuard &operator=(const NoDisplayGuard &) = delete;
};
