// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dictationlayout.h"
#include "sheetlayout.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <span>

// The options of the two sheets, each described once: its command-line name, the dialog's label,
// its range or values, and where it goes in the options (whose initialisers are the defaults).
// The dialog, the command line and its --help all read this table.
namespace sheets {

// Everything chosen for a sheet, in the dialog or on the command line.
struct SheetSettings {
    SheetOptions practice;
    DictationOptions dictation;
    bool wordsFromCard = false; // dictation: each character's first word on its card
};

enum class SheetKinds { Practice = 1, Dictation = 2, Both = 3 };

struct SheetOption {
    enum class Kind {
        Number, // a whole number within [low, high]
        Choice, // one of values (the command line's) or valueLabels (the dialog's), as an index
        On, // a switch, on by default: the command-line name turns it off (--no-model)
        Off, // a switch, off by default: the command-line name turns it on (--keep-repeats)
        Text, // up to high characters
    };
    Kind kind;
    const char *name; // on the command line, without the dashes
    const char *valueName; // --help's name of the value; empty for a switch
    QString label; // the dialog's
    QString help; // --help's: what it does, in Chinese and English
    SheetKinds sheets;
    int low = 0;
    int high = 0;
    QStringList values; // Choice: a value's other spellings after a '|' ("grey|gray")
    QStringList valueLabels; // Choice
    QVariant (*get)(const SheetSettings &) = nullptr;
    void (*set)(SheetSettings &, const QVariant &) = nullptr;
    // The dictation sheet's value where it differs (the title), else nullptr.
    QVariant (*getDictation)(const SheetSettings &) = nullptr;

    bool forPractice() const { return int(sheets) & int(SheetKinds::Practice); }
    bool forDictation() const { return int(sheets) & int(SheetKinds::Dictation); }
    // The value of a Choice as the command line writes it ("grey").
    QString choiceName(int index) const { return values.value(index).section(u'|', 0, 0); }
    // --help's line: help, range and default.
    QString helpText() const;
    // A value from the command line as the option takes it, or an invalid QVariant with *error
    // saying why. A switch takes no value: read(QString()) gives its value when named.
    QVariant read(const QString &text, QString *error) const;
};

std::span<const SheetOption> sheetOptionTable();

// The option of that command-line name; it must be in the table.
const SheetOption &sheetOption(const char *name);

} // namespace sheets
