// SPDX-License-Identifier: GPL-3.0-or-later
#include "handwritingpad.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTabletEvent>
#include <QTouchEvent>

namespace handwriting {

WritingArea::WritingArea(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("writingArea"));
    setAccessibleName(QStringLiteral("书写区"));
    setAttribute(Qt::WA_AcceptTouchEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
}

bool WritingArea::takeBackStroke()
{
    if (m_ink.isEmpty())
        return false;
    m_ink.removeLast();
    m_writing = false;
    update();
    return true;
}

void WritingArea::clear()
{
    m_ink.clear();
    m_writing = false;
    update();
}

void WritingArea::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);

    // the guide: the border, the middle cross and the two diagonals, light and dashed inside
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(QColor(230, 180, 180), 1));
    painter.drawRect(box);
    painter.setPen(QPen(QColor(235, 200, 200), 1, Qt::DashLine));
    painter.drawLine(QPointF(box.center().x(), box.top()), QPointF(box.center().x(), box.bottom()));
    painter.drawLine(QPointF(box.left(), box.center().y()), QPointF(box.right(), box.center().y()));
    painter.drawLine(box.topLeft(), box.bottomRight());
    painter.drawLine(box.topRight(), box.bottomLeft());

    painter.setRenderHint(QPainter::Antialiasing);
    const qreal penWidth = std::max(3.0, width() / 60.0);
    painter.setPen(QPen(Qt::black, penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const Stroke &stroke : std::as_const(m_ink)) {
        if (stroke.size() == 1) {
            painter.drawPoint(stroke.first());
            continue;
        }
        QPainterPath path(stroke.first());
        for (qsizetype i = 1; i < stroke.size(); ++i)
            path.lineTo(stroke[i]);
        painter.drawPath(path);
    }
}

void WritingArea::penDown(const QPointF &at)
{
    m_ink.append(Stroke { at });
    m_writing = true;
    update();
}

void WritingArea::penMoved(const QPointF &at)
{
    if (!m_writing || m_ink.last().last() == at)
        return;
    m_ink.last().append(at);
    update();
}

void WritingArea::penUp(const QPointF &at)
{
    if (!m_writing)
        return;
    penMoved(at);
    m_writing = false;
    emit strokeFinished();
}

void WritingArea::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        penDown(event->position());
}

void WritingArea::mouseMoveEvent(QMouseEvent *event)
{
    penMoved(event->position());
}

void WritingArea::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        penUp(event->position());
}

// Accepted, so that no mouse events are made from the pen's.
void WritingArea::tabletEvent(QTabletEvent *event)
{
    switch (event->type()) {
    case QEvent::TabletPress:
        penDown(event->position());
        break;
    case QEvent::TabletMove:
        penMoved(event->position());
        break;
    case QEvent::TabletRelease:
        penUp(event->position());
        break;
    default:
        return;
    }
    event->accept();
}

// One finger writes; further fingers are ignored. Accepted touch events make no mouse events.
bool WritingArea::event(QEvent *event)
{
    if (!isEnabled())
        return QWidget::event(event);
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd: {
        const auto *touch = static_cast<QTouchEvent *>(event);
        if (touch->points().isEmpty())
            return true;
        const QEventPoint &point = touch->points().first();
        if (event->type() == QEvent::TouchBegin)
            penDown(point.position());
        else if (event->type() == QEvent::TouchUpdate)
            penMoved(point.position());
        else
            penUp(point.position());
        event->accept();
        return true;
    }
    case QEvent::TouchCancel:
        if (m_writing) {
            m_ink.removeLast();
            m_writing = false;
            update();
        }
        return true;
    default:
        return QWidget::event(event);
    }
}

HandwritingPad::HandwritingPad(int side, QWidget *parent)
    : QWidget(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("handwritingPad"));
    setWindowTitle(QStringLiteral("手写输入"));
    writingArea.setFixedSize(side, side);
    takeBackButton.setObjectName(QStringLiteral("takeBackButton"));
    takeBackButton.setText(QStringLiteral("退一笔"));
    clearButton.setObjectName(QStringLiteral("clearButton"));
    clearButton.setText(QStringLiteral("重写"));
    modelMissing.setObjectName(QStringLiteral("modelMissing"));
    modelMissing.setText(QStringLiteral("手写识别模型未安装"));
    modelMissing.setTextFormat(Qt::PlainText);
    modelMissing.hide();
    inkNote.setObjectName(QStringLiteral("inkNote"));
    inkNote.setTextFormat(Qt::PlainText);
    inkNote.setAlignment(Qt::AlignCenter);
    inkNote.setAttribute(Qt::WA_TransparentForMouseEvents);
    inkNote.setStyleSheet(QStringLiteral("color: rgb(200, 0, 0);"));
    inkNote.hide();
    layOut();
}

void HandwritingPad::showVerdict(InkVerdict verdict)
{
    switch (verdict) {
    case InkVerdict::Readable:
        inkNote.hide();
        return;
    case InkVerdict::WildStroke:
        inkNote.setText(QStringLiteral("无法识别，请重写"));
        break;
    case InkVerdict::TooManyStrokes:
        inkNote.setText(QStringLiteral("笔画太多，请退一笔或重写"));
        break;
    }
    const int height = inkNote.sizeHint().height() + 4;
    inkNote.setGeometry(0, writingArea.height() - height - 2, writingArea.width(), height);
    inkNote.show();
    inkNote.raise();
}

void HandwritingPad::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Cancel))
        close();
    else
        QWidget::keyPressEvent(event);
}

void HandwritingPad::setRecognizerAvailable(bool available)
{
    modelMissing.setVisible(!available);
    for (QWidget *control :
        std::initializer_list<QWidget *> { &writingArea, &takeBackButton, &clearButton })
        control->setEnabled(available);
    layOut();
}

// The square at the top left; the two buttons below it, side by side and as wide together; the
// notice, when shown, below them.
void HandwritingPad::layOut()
{
    const int side = writingArea.width();
    const int buttonHeight = takeBackButton.sizeHint().height();
    writingArea.move(0, 0);
    takeBackButton.setGeometry(0, side, side / 2, buttonHeight);
    clearButton.setGeometry(side / 2, side, side - side / 2, buttonHeight);
    int height = side + buttonHeight;
    if (!modelMissing.isHidden()) {
        modelMissing.setGeometry(0, height, side, modelMissing.sizeHint().height() + 4);
        height += modelMissing.height();
    }
    setFixedSize(side, height);
}

} // namespace handwriting
