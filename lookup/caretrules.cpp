// SPDX-License-Identifier: GPL-3.0-or-later
#include "caretrules.h"

namespace caretrules {

namespace {

qsizetype characterLength(const QString &text, qsizetype start)
{
    if (start < 0 || start >= text.size())
        return 0;
    if (text.at(start).isHighSurrogate() && start + 1 < text.size()
        && text.at(start + 1).isLowSurrogate())
        return 2;
    return 1;
}

bool isOnlyWhiteSpace(const QString &text)
{
    for (QChar c : text) {
        if (!c.isSpace())
            return false;
    }
    return true;
}

// Not what a user means to look up when it ends a text: white space and punctuation.
bool isTrailing(QChar c)
{
    return c.isSpace() || c.isPunct();
}

} // namespace

QString characterBefore(const QString &text, qsizetype end)
{
    if (end <= 0 || end > text.size())
        return QString();
    qsizetype start = end - 1;
    if (text.at(start).isLowSurrogate() && start > 0 && text.at(start - 1).isHighSurrogate())
        --start;
    return text.mid(start, end - start);
}

QString characterAfter(const QString &text, qsizetype start)
{
    return text.mid(start, characterLength(text, start));
}

QString inputBoxChangeCharacter(const QString &text)
{
    if (isOnlyWhiteSpace(text))
        return QString();
    qsizetype end = text.size();
    while (end > 0 && isTrailing(text.at(end - 1)))
        --end;
    if (end == 0) { // punctuation alone: its last mark
        end = text.size();
        while (text.at(end - 1).isSpace())
            --end;
    }
    return characterBefore(text, end);
}

QString inputBoxCaretCharacter(const QString &text, qsizetype caret)
{
    if (text.isEmpty())
        return QString();
    if (caret >= text.size())
        return inputBoxChangeCharacter(text);
    return characterAfter(text, qMax<qsizetype>(caret, 0));
}

QString resultBoxKeyCharacter(const QString &text, qsizetype caret)
{
    return characterBefore(text, qMin(caret, text.size()));
}

Selection resultBoxClickSelection(const QString &text, Selection selection)
{
    if (selection.length == 0)
        selection.length = characterLength(text, selection.start);
    if (text.mid(selection.start, selection.length) == QLatin1String(" ")) {
        if (selection.start == 0)
            return { 0, 0 };
        const QString before = characterBefore(text, selection.start);
        selection.start -= before.size();
        selection.length = before.size();
    }
    return selection;
}

} // namespace caretrules
