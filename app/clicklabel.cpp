#include "clicklabel.h"

#include <QMouseEvent>

#include <utility>

// The press is accepted, so the release comes back to this label.
void ClickLabel::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    emit pressed(event->button());
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (std::exchange(m_inDoubleClick, false))
        return;
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

// Qt's default would take the second press for another press, and its release for another click.
void ClickLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    m_inDoubleClick = true;
}
