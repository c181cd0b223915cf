// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

// A label with the mouse events of the link labels: MouseDown (any button, on the press) and
// Click (a left-button press and release over the label). The second press of a double click
// raises neither: a double click is one MouseDown and one Click, not two.
//
// Its caption stands at the top, and with an underlined font the label is sized to include the
// underline, which lies below the font's descent in some fonts and sizes.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget *parent = nullptr);

    QSize sizeHint() const override;

signals:
    void pressed(Qt::MouseButton button);
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    bool m_inDoubleClick = false; // between the second press of a double click and its release
};
