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
//
// The text is held as a string, and each assignment raises textChanged() at once with text()
// already the new text. The document (what is shown, the caret, the selection) follows at the
// assignment, or once at the end of a Batch: a search that writes its list one candidate at a
// time then lays the list out once, not at every candidate. What the user types goes into the
// document and from there into the text before textChanged() is raised.
class ResultBox : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit ResultBox(QWidget *parent = nullptr);

    const QString &text() const { return m_text; }
    // Writes the text only when it differs, so textChanged fires exactly when the text changes.
    // Like a replacement of the whole text, it leaves no undo history and the caret at the start.
    void setText(const QString &text);

    // While one lives, assignments change the text and raise their change at once, but the
    // document follows only when the last one ends. Nothing may read the document meanwhile.
    class Batch
    {
    public:
        explicit Batch(ResultBox &box);
        ~Batch();
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

    private:
        ResultBox &m_box;
    };

signals:
    void clicked();
    void keyReleased();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    // The document takes the text, without raising a change of its own.
    void documentFollows();

    QString m_text;
    int m_batches = 0;          // Batches alive
    bool m_documentBehind = false; // an assignment in a Batch has not reached the document yet
    bool m_assigning = false;   // the document is taking the text: not the user's typing
};
