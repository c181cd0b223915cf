// SPDX-License-Identifier: GPL-3.0-or-later
#include "monkeyevents.h"

#include "segments.h"
#include "syllables.h"

#include <QKeySequence>
#include <QRandomGenerator>
#include <QStringList>

#include <array>

namespace monkey {

namespace {

struct Named {
    Action action;
    const char *name;
};

constexpr std::array<Named, 14> actionNames { {
    { Action::Type, "type" },
    { Action::Commit, "commit" },
    { Action::Assign, "assign" },
    { Action::Key, "key" },
    { Action::Click, "click" },
    { Action::DoubleClick, "doubleclick" },
    { Action::Drag, "drag" },
    { Action::Pick, "pick" },
    { Action::Press, "press" },
    { Action::Tick, "tick" },
    { Action::Idle, "idle" },
    { Action::Paint, "paint" },
    { Action::Clipboard, "clipboard" },
    { Action::Draw, "draw" },
} };

constexpr std::array<const char *, 16> targetNames {
    "-",
    "Text5",
    "Text6",
    "Combo1",
    "Combo2",
    "Combo3",
    "Combo4",
    "Combo5",
    "Combo6",
    "Label1",
    "Label5",
    "Label6",
    "Label13",
    "Timer1",
    "Timer3",
    "Pad",
};

// The characters of the built-in tables (one code unit each), so that most lookups hit a record.
const QString &tableCharacters()
{
    static const QString characters = [] {
        QString out;
        for (int s = 0; s < 5; ++s) {
            const QStringList rows
                = tables::segmentText(tables::Segment(s)).split(QStringLiteral("\r\n"));
            for (const QString &row : rows) {
                if (row.size() == 6)
                    out.append(row.at(0));
            }
        }
        return out;
    }();
    return characters;
}

const QString strokeSymbols = QStringLiteral("一丨丿丶乙");
const QString latin
    = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
const QString punctuation
    = QStringLiteral("'\"`\\%_;,.-()[]{}<>?!@#$&*+=/|~^:。、，“”「」‘’（）—…");
const QString blanks = QStringLiteral(" \t\u3000\u00a0\n\r");

// Characters that text handling gets wrong most often: outside the BMP, lone surrogates, format
// and combining characters, right-to-left letters, NUL, the non-characters.
const QStringList &oddCharacters()
{
    static const QStringList odd = {
        QStringLiteral("😀"),
        QStringLiteral("🀄"),
        QStringLiteral("𠀀"),
        QStringLiteral("𪚥"),
        QStringLiteral("👍🏽"),
        QStringLiteral("👨‍👩‍👧"),
        QString(QChar(0xD800)),
        QString(QChar(0xDC00)),
        QString(QChar(0xFFFF)),
        QString(QChar(0xFEFF)),
        QString(QChar(0x200D)),
        QStringLiteral("e\u0301"),
        QStringLiteral("ع"),
        QStringLiteral("ש"),
        QString(QChar(0)),
        QStringLiteral("ａ"),
        QString(QChar(0xFFFD)),
        QString(QChar(0x7F)),
        QString(QChar(0x1B)),
        QStringLiteral("國"),
    };
    return odd;
}

class Generator {
public:
    explicit Generator(quint32 seed)
        : m_random(seed)
    {
    }

    Event next();

private:
    int below(int n) { return int(m_random.bounded(quint32(n))); }
    bool chance(int percent) { return below(100) < percent; }
    quint32 any() { return m_random.generate(); }
    QChar pickChar(const QString &from) { return from.at(below(int(from.size()))); }

    QString character();
    QString text();
    QString syllableText();
    QString strokeText();
    Target comboTarget() { return Target(int(Target::Combo1) + below(5)); }
    Event keyEvent(Target target);

    QRandomGenerator m_random;
};

QString Generator::character()
{
    const int kind = below(100);
    if (kind < 35)
        return pickChar(tableCharacters());
    if (kind < 45)
        return pickChar(strokeSymbols);
    if (kind < 53)
        return QString(QChar(0x4E00 + below(0x9FFF - 0x4E00 + 1))); // any unified ideograph
    if (kind < 66)
        return pickChar(latin);
    if (kind < 75)
        return pickChar(punctuation);
    if (kind < 84)
        return pickChar(blanks);
    if (kind < 94)
        return oddCharacters().at(below(int(oddCharacters().size())));
    return syllables::all().at(below(int(syllables::all().size())));
}

QString Generator::text()
{
    const int roll = below(100);
    const int length = roll < 50 ? 1
        : roll < 80              ? 2 + below(2)
        : roll < 95              ? 4 + below(9)
                                 : 13 + below(28);
    QString out;
    for (int i = 0; i < length; ++i)
        out += character();
    return out;
}

QString Generator::syllableText()
{
    const int roll = below(100);
    QString s = syllables::all().at(below(int(syllables::all().size())));
    if (roll < 55)
        return s;
    if (roll < 65)
        return s.left(1 + below(int(s.size())));
    if (roll < 72)
        return s.toUpper();
    if (roll < 80)
        return QStringLiteral(" ") + s + QString(below(3), u' ');
    if (roll < 86)
        return s + syllables::all().at(below(int(syllables::all().size()))); // too long, mostly
    if (roll < 90)
        return QString(1 + below(3), u' ');
    return text();
}

QString Generator::strokeText()
{
    const int roll = below(100);
    if (roll < 55)
        return QString(pickChar(strokeSymbols));
    if (roll < 65)
        return QStringLiteral(" ");
    if (roll < 70)
        return QString();
    if (roll < 78)
        return QString(pickChar(strokeSymbols)) + pickChar(strokeSymbols);
    if (roll < 84)
        return QString::number(below(6));
    return text();
}

// Keys that open nothing modal and no popup: no F4 or Alt+arrow (the drop-down list), no menu key.
Event Generator::keyEvent(Target target)
{
    static const std::array<std::pair<int, Qt::KeyboardModifiers>, 42> keys { {
        { Qt::Key_Left, {} },
        { Qt::Key_Right, {} },
        { Qt::Key_Up, {} },
        { Qt::Key_Down, {} },
        { Qt::Key_Home, {} },
        { Qt::Key_End, {} },
        { Qt::Key_PageUp, {} },
        { Qt::Key_PageDown, {} },
        { Qt::Key_Backspace, {} },
        { Qt::Key_Delete, {} },
        { Qt::Key_Return, {} },
        { Qt::Key_Enter, {} },
        { Qt::Key_Escape, {} },
        { Qt::Key_Tab, {} },
        { Qt::Key_Backtab, Qt::ShiftModifier },
        { Qt::Key_Space, {} },
        { Qt::Key_Insert, {} },
        { Qt::Key_Shift, {} },
        { Qt::Key_Control, {} },
        { Qt::Key_F1, {} },
        { Qt::Key_Left, Qt::ShiftModifier },
        { Qt::Key_Right, Qt::ShiftModifier },
        { Qt::Key_Home, Qt::ShiftModifier },
        { Qt::Key_End, Qt::ShiftModifier },
        { Qt::Key_Up, Qt::ShiftModifier },
        { Qt::Key_Down, Qt::ShiftModifier },
        { Qt::Key_A, Qt::ControlModifier },
        { Qt::Key_C, Qt::ControlModifier },
        { Qt::Key_X, Qt::ControlModifier },
        { Qt::Key_V, Qt::ControlModifier },
        { Qt::Key_V, Qt::ControlModifier },
        { Qt::Key_Z, Qt::ControlModifier },
        { Qt::Key_Y, Qt::ControlModifier },
        { Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier },
        { Qt::Key_Left, Qt::ControlModifier },
        { Qt::Key_Right, Qt::ControlModifier },
        { Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier },
        { Qt::Key_Backspace, Qt::ControlModifier },
        { Qt::Key_Delete, Qt::ControlModifier },
        { Qt::Key_Insert, Qt::ShiftModifier },
        { Qt::Key_Home, Qt::ControlModifier },
        { Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier },
    } };
    const auto &[key, modifiers] = keys.at(below(int(keys.size())));
    Event e { .action = Action::Key, .target = target, .key = key, .modifiers = modifiers };
    e.a = any();
    e.b = chance(30) ? any() : e.a; // sometimes a selection from b to a first
    return e;
}

Event Generator::next()
{
    // the handwriting pad: mostly strokes, now and then a scribble, a long stroke or many taps
    if (chance(4)) {
        static const int kinds[] = { RandomStroke, RandomStroke, RandomStroke, RandomStroke,
            RandomStroke, Scribble, LongStroke, Taps, TakeBack, TakeBack, Clear };
        return { .action = Action::Draw,
            .target = Target::Pad,
            .key = kinds[below(int(std::size(kinds)))],
            .a = any() };
    }
    const int roll = below(1000);
    Event e;
    e.a = any();
    e.b = any();
    // the input box
    if (roll < 110)
        return { .action = Action::Type, .target = Target::Text5, .text = text() };
    if (roll < 160)
        return { .action = Action::Assign, .target = Target::Text5, .text = text() };
    if (roll < 185)
        return { .action = Action::Commit, .target = Target::Text5, .text = text() };
    if (roll < 260)
        return keyEvent(Target::Text5);
    if (roll < 315) {
        e.action = Action::Click;
        e.target = Target::Text5;
        e.modifiers = chance(25) ? Qt::ShiftModifier : Qt::NoModifier;
        return e;
    }
    if (roll < 335) {
        e.action = below(2) ? Action::Drag : Action::DoubleClick;
        e.target = Target::Text5;
        return e;
    }
    // the result box
    if (roll < 350)
        return { .action = Action::Type, .target = Target::Text6, .text = text() };
    if (roll < 420)
        return keyEvent(Target::Text6);
    if (roll < 500) {
        e.action = Action::Click;
        e.target = Target::Text6;
        e.modifiers = chance(25) ? Qt::ShiftModifier : Qt::NoModifier;
        return e;
    }
    if (roll < 535) {
        e.action = below(3) ? Action::Drag : Action::DoubleClick;
        e.target = Target::Text6;
        return e;
    }
    // the stroke drop-downs
    if (roll < 665) {
        e.action = Action::Pick;
        e.target = comboTarget();
        return e;
    }
    if (roll < 705)
        return { .action = Action::Type, .target = comboTarget(), .text = strokeText() };
    if (roll < 735)
        return { .action = Action::Assign, .target = comboTarget(), .text = strokeText() };
    if (roll < 745)
        return { .action = Action::Commit, .target = comboTarget(), .text = strokeText() };
    if (roll < 770)
        return keyEvent(comboTarget());
    // the pinyin list
    if (roll < 820)
        return { .action = Action::Type, .target = Target::Combo6, .text = syllableText() };
    if (roll < 840)
        return { .action = Action::Assign, .target = Target::Combo6, .text = syllableText() };
    if (roll < 848)
        return { .action = Action::Commit, .target = Target::Combo6, .text = syllableText() };
    if (roll < 885) {
        e.action = Action::Pick;
        e.target = Target::Combo6;
        return e;
    }
    if (roll < 905)
        return keyEvent(Target::Combo6);
    // the copy link and the web links
    if (roll < 935) {
        static const Qt::MouseButton buttons[]
            = { Qt::LeftButton, Qt::RightButton, Qt::MiddleButton };
        return { .action = Action::Press, .target = Target::Label1, .button = buttons[below(3)] };
    }
    if (roll < 960) {
        static const Target links[] = { Target::Label5, Target::Label6, Target::Label13 };
        return { .action = Action::Press,
            .target = links[below(3)],
            .button = chance(85) ? Qt::LeftButton : Qt::RightButton };
    }
    // time and the rest of the desktop
    if (roll < 985)
        return { .action = Action::Tick, .target = chance(80) ? Target::Timer1 : Target::Timer3 };
    if (roll < 992)
        return { .action = Action::Idle };
    if (roll < 995)
        return { .action = Action::Paint };
    // an empty text: the clipboard is emptied, as when the program that copied has ended
    return { .action = Action::Clipboard, .text = chance(40) ? QString() : text() };
}

} // namespace

QString actionName(Action action)
{
    for (const Named &n : actionNames) {
        if (n.action == action)
            return QLatin1String(n.name);
    }
    return QStringLiteral("?");
}

QString targetName(Target target)
{
    return QLatin1String(targetNames.at(size_t(target)));
}

QString toLine(const Event &event)
{
    QString hex;
    for (QChar c : event.text)
        hex += QStringLiteral("%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    return QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8")
        .arg(actionName(event.action), targetName(event.target))
        .arg(event.key)
        .arg(int(event.modifiers.toInt()))
        .arg(int(event.button))
        .arg(event.a)
        .arg(event.b)
        .arg(hex.isEmpty() ? QStringLiteral("-") : hex);
}

bool fromLine(const QString &line, Event *event)
{
    const QStringList f = line.split(u' ');
    if (f.size() != 8)
        return false;
    Event e;
    bool known = false;
    for (const Named &n : actionNames) {
        if (f[0] == QLatin1String(n.name)) {
            e.action = n.action;
            known = true;
        }
    }
    const auto target = std::find(targetNames.begin(), targetNames.end(), f[1]);
    if (!known || target == targetNames.end())
        return false;
    e.target = Target(target - targetNames.begin());
    bool ok[5] = {};
    e.key = f[2].toInt(&ok[0]);
    e.modifiers = Qt::KeyboardModifiers(f[3].toInt(&ok[1]));
    e.button = Qt::MouseButton(f[4].toInt(&ok[2]));
    e.a = f[5].toUInt(&ok[3]);
    e.b = f[6].toUInt(&ok[4]);
    if (!(ok[0] && ok[1] && ok[2] && ok[3] && ok[4]))
        return false;
    if (f[7] != QLatin1String("-")) {
        if (f[7].size() % 4 != 0)
            return false;
        for (qsizetype i = 0; i < f[7].size(); i += 4) {
            bool hexOk = false;
            e.text.append(QChar(char16_t(f[7].mid(i, 4).toUShort(&hexOk, 16))));
            if (!hexOk)
                return false;
        }
    }
    *event = e;
    return true;
}

QString toText(const QList<Event> &events)
{
    QString out;
    for (const Event &e : events)
        out += toLine(e) + u'\n';
    return out;
}

QList<Event> fromText(const QString &text, QString *error)
{
    QList<Event> events;
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        Event e;
        if (!fromLine(line, &e)) {
            if (error)
                *error = QStringLiteral("line %1 is not an event: %2").arg(i + 1).arg(line);
            return {};
        }
        events.append(e);
    }
    return events;
}

QString quoted(const QString &text)
{
    QString out = QStringLiteral("\"");
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out += text.mid(i, 2);
            ++i;
        } else if (c == u'"' || c == u'\\') {
            out += u'\\';
            out += c;
        } else if (c.isPrint() && !c.isSurrogate() && c != u'\u3000' && c != u'\u00a0') {
            out += c;
        } else {
            out += QStringLiteral("\\u{%1}").arg(
                QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0'));
        }
    }
    return out + u'"';
}

QString describe(const Event &e)
{
    const QString target = targetName(e.target);
    switch (e.action) {
    case Action::Type:
        return QStringLiteral("type %1 into %2 (key presses)").arg(quoted(e.text), target);
    case Action::Commit:
        return QStringLiteral("commit %1 into %2 (input method)").arg(quoted(e.text), target);
    case Action::Assign:
        return QStringLiteral("assign %1 to %2 (paste)").arg(quoted(e.text), target);
    case Action::Key: {
        const QString key = QKeySequence(QKeyCombination(e.modifiers, Qt::Key(e.key))).toString();
        return QStringLiteral("key %1 in %2 (caret seed %3, anchor seed %4)")
            .arg(key, target)
            .arg(e.a)
            .arg(e.b);
    }
    case Action::Click:
        return QStringLiteral("%1click %2 (caret seed %3)")
            .arg(e.modifiers & Qt::ShiftModifier ? QStringLiteral("shift-") : QString(), target)
            .arg(e.a);
    case Action::DoubleClick:
        return QStringLiteral("double-click %1 (caret seed %2)").arg(target).arg(e.a);
    case Action::Drag:
        return QStringLiteral("drag in %1 (from seed %2 to seed %3)").arg(target).arg(e.a).arg(e.b);
    case Action::Pick:
        return QStringLiteral("pick from %1 (item seed %2)").arg(target).arg(e.a);
    case Action::Press: {
        const char *button = e.button == Qt::LeftButton ? "left"
            : e.button == Qt::RightButton               ? "right"
                                                        : "middle";
        return QStringLiteral("%1 click on %2").arg(QLatin1String(button), target);
    }
    case Action::Tick:
        return QStringLiteral("tick of %1").arg(target);
    case Action::Idle:
        return QStringLiteral("posted events handled");
    case Action::Paint:
        return QStringLiteral("window painted");
    case Action::Clipboard:
        return e.text.isEmpty() ? QStringLiteral("clipboard emptied (its owner gone)")
                                : QStringLiteral("clipboard set to %1").arg(quoted(e.text));
    case Action::Draw: {
        static const char *const kinds[]
            = { "a random stroke", "a scribble", "a long stroke", "taps", "退一笔", "重写" };
        const char *kind = e.key >= 0 && e.key < DrawKinds ? kinds[e.key] : "nothing";
        return QStringLiteral("on the pad: %1 (seed %2)").arg(QString::fromUtf8(kind)).arg(e.a);
    }
    }
    return QStringLiteral("?");
}

QList<Event> generate(quint32 seed, int count)
{
    Generator generator(seed);
    QList<Event> events;
    events.reserve(count);
    for (int i = 0; i < count; ++i)
        events.append(generator.next());
    return events;
}

} // namespace monkey
