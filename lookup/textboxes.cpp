#include "textboxes.h"

#include <QKeyEvent>
#include <QMouseEvent>

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
    if (text != toPlainText())
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
