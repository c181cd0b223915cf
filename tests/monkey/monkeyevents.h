// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <Qt>

// The monkey's events as plain data, so that a run can be written down, replayed on a fresh window
// and shrunk. Positions are not stored as positions: a and b are random numbers that the replay
// turns into a caret position or a list index on the state it finds (a mod (count + 1), snapped to
// a character boundary), so that every event still means something after others were removed.
namespace monkey {

enum class Action {
    Type, // key presses and releases for each code unit of text (QTest::keyClicks)
    Commit, // text committed by an input method
    Assign, // the text assigned to Text5 in one go; an edit field's whole text pasted over
    Key, // caret at a, then one key with modifiers pressed and released
    Click, // left click at caret position a; with Shift it extends the selection
    DoubleClick, // left double click at caret position a
    Drag, // left button pressed at position a, moved to b, released there
    Pick, // item a mod count picked from the list
    Press, // a mouse button pressed and released over a link label
    Tick, // the timer fires once, if it is running
    Idle, // the posted events are handled (layout, repaint requests)
    Paint, // the whole window is drawn
    Clipboard, // another program puts text on the clipboard, or empties it (no text)
    Draw, // on the handwriting pad (opened first): drawing of kind key (DrawKind), from seed a
};

// What a Draw event does on the pad.
enum DrawKind {
    RandomStroke, // 2 to 12 points, some outside the writing area
    Scribble, // one stroke back and forth, 10 to 60 turns
    LongStroke, // a random walk of 500 to 5,000 points
    Taps, // 1 to 60 one-point strokes
    TakeBack, // 退一笔
    Clear, // 重写
    DrawKinds
};

enum class Target {
    None,
    Text5,
    Text6,
    Combo1,
    Combo2,
    Combo3,
    Combo4,
    Combo5,
    Combo6,
    Label1,
    Label5,
    Label6,
    Label13,
    Timer1,
    Timer3,
    Pad,
};

struct Event {
    Action action = Action::Idle;
    Target target = Target::None;
    QString text = QString();
    int key = 0;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    Qt::MouseButton button = Qt::NoButton;
    quint32 a = 0;
    quint32 b = 0;

    bool operator==(const Event &) const = default;
};

QString actionName(Action action);
QString targetName(Target target);

// One event per line: "action target key modifiers button a b text", the text as UTF-16 code
// units in hexadecimal ("-" when empty), so that lone surrogates and control characters survive.
QString toLine(const Event &event);
// Returns false for a line that is not an event.
bool fromLine(const QString &line, Event *event);
QString toText(const QList<Event> &events);
QList<Event> fromText(const QString &text, QString *error = nullptr);

// The text quoted for a reader: printable characters as they are, everything else as \u{XXXX}.
QString quoted(const QString &text);
// A reader's line: "type \"中\" into Text5", "key Shift+Left in Text6 (caret seed 7)", ...
QString describe(const Event &event);

// count events from the seed; the same seed always gives the same list.
QList<Event> generate(quint32 seed, int count);

} // namespace monkey
