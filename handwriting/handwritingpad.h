// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "recognizer.h"

#include <QLabel>
#include <QPushButton>
#include <QWidget>

class QKeyEvent;
class QTabletEvent;

namespace handwriting {

// The writing area: a white square with a light 米字格 guide that takes strokes from the mouse, a
// tablet pen or a finger and draws the ink as it is written.
class WritingArea : public QWidget {
    Q_OBJECT
public:
    explicit WritingArea(QWidget *parent = nullptr);

    const Ink &ink() const { return m_ink; }
    // Removes the last stroke; returns whether there was one.
    bool takeBackStroke();
    void clear();

signals:
    // A stroke has ended (pen up) and is the last of ink().
    void strokeFinished();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void tabletEvent(QTabletEvent *event) override;
    bool event(QEvent *event) override;

private:
    void penDown(const QPointF &at);
    void penMoved(const QPointF &at);
    void penUp(const QPointF &at);

    Ink m_ink;
    bool m_writing = false;
};

// The pad "手写输入": a tool window with the writing area and, below it, the buttons "退一笔" (take
// back the last stroke) and "重写" (clear); without a recogniser one line says the model is
// missing and the area takes no ink. Over the foot of the area a note says when the ink cannot be
// recognised. Esc closes it, its ink kept.
class HandwritingPad : public QWidget {
    Q_OBJECT
public:
    // side: the writing area's side in pixels.
    HandwritingPad(int side, QWidget *parent);

    void setRecognizerAvailable(bool available);
    // The note for ink that is not readable: "无法识别，请重写" for a wild stroke,
    // "笔画太多，请退一笔或重写" past the most strokes; none for readable ink.
    void showVerdict(InkVerdict verdict);

    WritingArea writingArea { this };
    QPushButton takeBackButton { this };
    QPushButton clearButton { this };
    QLabel modelMissing { this };
    QLabel inkNote { this }; // over the writing area, transparent to the pen

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void layOut();
};

} // namespace handwriting
