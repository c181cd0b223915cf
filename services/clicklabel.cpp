// SPDX-License-Identifier: GPL-3.0-or-later
#include "clicklabel.h"

#include <QFontMetricsF>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// The height from the top of the text to below its underline, as QPainter draws it: the line's
// centre lies the underline position, rounded up, and half a pixel below the baseline.
int underlinedHeight(const QFont &font)
{
    const QFontMetricsF metrics(font);
    return int(std::ceil(
        metrics.ascent() + std::ceil(metrics.underlinePos()) + 0.5 + metrics.lineWidth() / 2));
}

} // namespace

ClickLabel::ClickLabel(QWidget *parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

QSize ClickLabel::sizeHint() const
{
    QSize size = QLabel::sizeHint();
    if (font().underline()) {
        const QMargins margins = contentsMargins();
        size.setHeight(std::max(size.height(),
            underlinedHeight(font()) + margins.top() + margins.bottom() + 2 * margin()));
    }
    return size;
}

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
