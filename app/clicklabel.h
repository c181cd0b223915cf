#pragma once

#include <QLabel>

// A label with the mouse events of the link labels: MouseDown (any button, on the press) and
// Click (a left-button press and release over the label).
class ClickLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void pressed(Qt::MouseButton button);
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};
