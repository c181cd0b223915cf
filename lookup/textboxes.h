#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>

// Text5: the single-line input box. It adds the Click and KeyUp events, which fire after the box
// has handled the mouse or key itself, so a handler sees the caret where the user left it.
class InputBox : public QLineEdit
{
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

signals:
    void clicked();
    void keyReleased();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
};

// Text6: the multi-line result box, with Click and KeyUp as for the input box, and a text
// assignment that, like a text box's, raises no change when the text stays the same.
class ResultBox : public QPlainTextEdit
{
    Q_OBJECT
public:
    using QPlainTextEdit::QPlainTextEdit;

    QString text() const { return toPlainText(); }
    // Writes the text only when it differs, so textChanged fires exactly when the text changes.
    void setText(const QString &text);

signals:
    void clicked();
    void keyReleased();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
};
