// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
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
};

// --help's heading, with an example.
QString cardCommandDescription();

// The command's options, --card among them.
QList<QCommandLineOption> cardCommandOptions();

// The command from the parsed arguments, or nullopt with *error saying what is wrong: no
// character, too many, an argument besides --card's.
std::optional<CardCommand> readCardCommand(const QCommandLineParser &parsed, QString *error);

// Writes the card of every character to out, a message for each one without a card to err.
// Returns the exit code: 0 every character had its card, 1 one at least had none.
int printCards(
    const CardStore &store, const CardCommand &command, QTextStream &out, QTextStream &err);

// Runs the command under the application made for a mode without a display (see app/display.h):
// reads card.db beside the program. Returns the exit code (1 with a message on standard error
// for unreadable card data or a character without a card).
int runCardCommand(const CardCommand &command);

} // namespace card
