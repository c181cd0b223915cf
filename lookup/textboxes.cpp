// SPDX-License-Identifier: GPL-3.0-or-later
#include "textboxes.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextCursor>

namespace {

// A click is a left-button release over the box; a held key repeats its presses but releases once.
bool isClick(const QMouseEvent *event, const QWidget *area)
{
    return event->button() == Qt::LeftButton && area->rect().contains(event->position().toPoint());
}

} // namespace

InputBox::InputBox(QWidget *parent)
    : QLineEdit(parent)
{
    // an edit removes at most the old text and inserts at most the new one
    connect(this, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_undoWeight += m_length + text.size();
        m_length = text.size();
    });
}

bool InputBox::event(QEvent *event)
{
    const bool handled = QLineEdit::event(event);
    if (m_undoWeight > undoBudget) {
        m_undoWeight = 0; // first: the assignment below sends events of its own
        // assigning the same text forgets the history and raises no change
        const int cursor = cursorPosition();
        const int start = selectionStart();
        const int length = int(selectedText().size());
        setText(text());
        if (start < 0)
            setCursorPosition(cursor);
        else if (cursor == start)
            setSelection(start + length, -length);
        else
            setSelection(start, length);
    }
    return handled;
}

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
    connect(document(), &QTextDocument::contentsChange, this, [this](int, int removed, int added) {
        if (document()->isUndoRedoEnabled())
            m_undoWeight += removed + added;
    });
}

bool ResultBox::canInsertFromMimeData(const QMimeData *source) const
{
    return source && source->hasText() && QPlainTextEdit::canInsertFromMimeData(source);
}

void ResultBox::insertFromMimeData(const QMimeData *source)
{
    if (!source || !source->hasText())
        return;
    const QTextCursor cursor = textCursor();
    const qsizetype kept
        = document()->characterCount() - 1 - (cursor.selectionEnd() - cursor.selectionStart());
    const qsizetype room = maximumLength - kept;
    QString text = source->text();
    if (text.size() <= room) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    text.truncate(qMax<qsizetype>(room, 0));
    if (!text.isEmpty() && text.back().isHighSurrogate())
        text.chop(1);
    if (text.isEmpty())
        return;
    QMimeData cut;
    cut.setText(text);
    QPlainTextEdit::insertFromMimeData(&cut);
}

bool ResultBox::event(QEvent *event)
{
    const bool handled = QPlainTextEdit::event(event);
    keepUndoWithinBudget();
    return handled;
}

// mouse presses, releases and drops come to the viewport
bool ResultBox::viewportEvent(QEvent *event)
{
    const bool handled = QPlainTextEdit::viewportEvent(event);
    keepUndoWithinBudget();
    return handled;
}

void ResultBox::keepUndoWithinBudget()
{
    if (m_undoWeight <= undoBudget)
        return;
    // The document keeps every removed character in its text buffer while undo is on, and
    // switching undo off frees the history but not that buffer: only a new content does. The
    // same text again is no change, so the box's own signals (textChanged) stay quiet.
    const QSignalBlocker quiet(this);
    const QTextCursor before = textCursor();
    const int scrolled = verticalScrollBar()->value();
    setPlainText(toPlainText());
    QTextCursor caret(document());
    caret.setPosition(before.anchor());
    caret.setPosition(before.position(), QTextCursor::KeepAnchor);
    setTextCursor(caret);
    verticalScrollBar()->setValue(scrolled);
    m_undoWeight = 0; // after the new content, which counts as a change of its own
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
