#include "clicklabel.h"

#include <QMouseEvent>

// The press is accepted, so the release comes back to this label.
void ClickLabel::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    emit pressed(event->button());
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}
