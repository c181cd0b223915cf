// SPDX-License-Identifier: GPL-3.0-or-later
#include "simplecombo.h"

#include <QKeyEvent>

SimpleCombo::SimpleCombo(QWidget *parent)
    : QWidget(parent)
{
    setFocusProxy(&m_edit);
    setFocusPolicy(Qt::StrongFocus);
    // The list is reached with the mouse or with the arrow keys of the edit field, as the
    // control has one tab stop.
    m_list.setFocusPolicy(Qt::NoFocus);
    m_list.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_edit.installEventFilter(this);

    connect(&m_edit, &QLineEdit::textChanged, this, [this](const QString &text) {
        highlightMatch(text);
        emit editTextChanged(text);
    });
    connect(&m_list, &QListWidget::itemClicked, this,
        [this](QListWidgetItem *item) { pick(m_list.row(item)); });
}

QString SimpleCombo::itemText(int index) const
{
    const QListWidgetItem *item = m_list.item(index);
    return item ? item->text() : QString();
}

bool SimpleCombo::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_edit && event->type() == QEvent::KeyPress && m_list.count() > 0) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        const int page = qMax(1, m_list.height() / qMax(1, m_list.sizeHintForRow(0)) - 1);
        const int current = m_list.currentRow();
        int row = -1;
        switch (key) {
        case Qt::Key_Up:
            row = current < 0 ? 0 : current - 1;
            break;
        case Qt::Key_Down:
            row = current + 1;
            break;
        case Qt::Key_PageUp:
            row = current - page;
            break;
        case Qt::Key_PageDown:
            row = current < 0 ? page : current + page;
            break;
        default:
            return false;
        }
        row = qBound(0, row, m_list.count() - 1);
        if (row != current)
            pick(row);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void SimpleCombo::resizeEvent(QResizeEvent *)
{
    const int editHeight = m_edit.sizeHint().height();
    m_edit.setGeometry(0, 0, width(), editHeight);
    m_list.setGeometry(0, editHeight, width(), qMax(0, height() - editHeight));
}

void SimpleCombo::pick(int row)
{
    const QListWidgetItem *item = m_list.item(row);
    if (!item)
        return;
    m_list.setCurrentRow(row);
    m_edit.setText(item->text());
    m_edit.selectAll();
    emit activated(row);
}

// Typing moves the list to the first item that starts with the typed text, as the system's simple
// combo box does; nothing is picked by it.
void SimpleCombo::highlightMatch(const QString &text)
{
    if (text.isEmpty())
        return;
    for (int row = 0; row < m_list.count(); ++row) {
        if (m_list.item(row)->text().startsWith(text, Qt::CaseInsensitive)) {
            const QSignalBlocker blocker(&m_list);
            m_list.setCurrentRow(row);
            m_list.scrollToItem(m_list.item(row), QAbstractItemView::PositionAtTop);
            return;
        }
    }
}
