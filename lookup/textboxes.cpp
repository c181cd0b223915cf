#include "textboxes.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextCursor>

namespace {

// A click is a left-button release over the box; a held key repeats its presses but releases once.
bool isClick(const QMouseEvent *event, const QWidget *area)
{
    return event->button() == Qt::LeftButton && area->rect().contains(event->position().toPoint());
}

} // namespace

void InputBox::mouseReleaseEvent(QMouseEvent *event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (isClick(event, this))
        emit clicked();
}

void InputBox::keyReleaseEvent(QKeyEvent *event)
{
    QLineEdit::keyReleaseEvent(event);
    if (!event->isAutoRepeat())
        emit keyReleased();
}

void ResultBox::setText(const QString &text)
{
    const QString current = toPlainText();
    if (text == current)
        return;
    // The searches grow the list one character at a time: appending lays out only the new text,
    // where replacing it all would lay out the whole list again at every step.
    if (!current.isEmpty() && text.startsWith(current)) {
        // as a replacement does, this leaves no undo history and the caret at the start
        document()->setUndoRedoEnabled(false);
        QTextCursor end(document());
        end.movePosition(QTextCursor::End);
        end.insertText(text.mid(current.size()));
        document()->setUndoRedoEnabled(true);
        setTextCursor(QTextCursor(document()));
        return;
    }
    setPlainText(text);
}

void ResultBox::mouseReleaseEvent(QMouseEvent *event)
{
    QPlainTextEdit::mouseReleaseEvent(event);
    if (isClick(event, viewport()))
        emit clicked();
}

void ResultBox::keyReleaseEvent(QKeyEvent *event)
{
    QPlainTextEdit::keyReleaseEvent(event);
    if (!event->isAutoRepeat())
        emit keyReleased();
}
