// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QTextStream;

// The character card from the command line:
//   zibrin --card 峰 [--json]
// It needs no display and reads card.db beside the program.
namespace card {

class CardStore;

struct CardCommand {
    QString characters; // each character gets its card, spaces left out
    bool json = false; // --json: one object, or a list of them for several characters
    bool help = false; // --help: print the options only
};

// The command's arguments (the program's name first), or nullopt with *error saying what is
// wrong: an unknown option, no character, an argument besides --card's.
std::optional<CardCommand> parseCardCommand(const QStringList &arguments, QString *error);

// The options as --help lists them.
QString cardCommandHelp();

// The option that asks for the command.
inline constexpr char cardOption[] = "--card";

// Writes the card of every character to out, a message for each one without a card to err.
// Returns the exit code: 0 every character had its card, 1 one at least had none.
int printCards(
    const CardStore &store, const CardCommand &command, QTextStream &out, QTextStream &err);

// Runs the command with the program's arguments, under the application made for a mode without a
// display (see app/display.h). Returns the exit code (1 with a message on standard error for a
// command line it cannot read or a character without a card).
int runCardCommand(const QStringList &arguments);

} // namespace card
