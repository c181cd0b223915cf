#include "textboxes.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>

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

ResultBox::ResultBox(QWidget *parent)
    : QPlainTextEdit(parent)
{
    // Connected first, so the text is current when the other handlers of the change run.
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_assigning)
            m_text = toPlainText();
    });
}

void ResultBox::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    if (m_batches > 0)
        m_documentBehind = true;
    else
        documentFollows();
    m_assigning = true;
    emit textChanged();
    m_assigning = false;
}

void ResultBox::documentFollows()
{
    m_documentBehind = false;
    m_assigning = true;
    {
        const QSignalBlocker quiet(this);
        setPlainText(m_text);
    }
    m_assigning = false;
}

ResultBox::Batch::Batch(ResultBox &box)
    : m_box(box)
{
    ++m_box.m_batches;
}

ResultBox::Batch::~Batch()
{
    if (--m_box.m_batches == 0 && m_box.m_documentBehind)
        m_box.documentFollows();
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
