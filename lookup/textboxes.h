// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>

// Text5: the single-line input box. It adds the Click and KeyUp events, which fire after the box
// has handled the mouse or key itself, so a handler sees the caret where the user left it.
//
// The box takes at most 32,767 characters (QLineEdit's limit). Its undo history keeps a step for
// every character removed or inserted and is never freed by Qt, so repeated large pastes would
// grow it without end: once it may hold more than undoBudget characters it is forgotten.
class InputBox : public QLineEdit {
    Q_OBJECT
public:
    static constexpr qsizetype undoBudget = 4 * 32767;

    explicit InputBox(QWidget *parent = nullptr);

signals:
    void clicked();
    void keyReleased();

protected:
    bool event(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    qsizetype m_length = 0; // the text's length after its last change
    qsizetype m_undoWeight = 0; // at least the characters the undo history holds
};

// Text6: the multi-line result box, with Click and KeyUp as for the input box, and a text
// assignment that, like a text box's, raises no change when the text stays the same.
//
// The text is held as a string, and each assignment raises textChanged() at once with text()
// already the new text. The document (what is shown, the caret, the selection) follows at the
// assignment, or once at the end of a Batch: a search that writes its list one candidate at a
// time then lays the list out once, not at every candidate. What the user types goes into the
// document and from there into the text before textChanged() is raised.
//
// A paste or drop takes text only (an empty clipboard, or one whose owner has gone, offers no
// format at all, which Qt's own handling does not survive) and no more than keeps the box within
// maximumLength characters. The undo history is forgotten once it may hold more than undoBudget
// characters.
class ResultBox : public QPlainTextEdit {
    Q_OBJECT
public:
    static constexpr qsizetype maximumLength = 65535;
    static constexpr qsizetype undoBudget = 4 * maximumLength;

    explicit ResultBox(QWidget *parent = nullptr);

    const QString &text() const { return m_text; }
    // Writes the text only when it differs, so textChanged fires exactly when the text changes.
    // Like a replacement of the whole text, it leaves no undo history and the caret at the start.
    void setText(const QString &text);

    // While one lives, assignments change the text and raise their change at once, but the
    // document follows only when the last one ends. Nothing may read the document meanwhile.
    class Batch {
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
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
    bool event(QEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    // The document takes the text, without raising a change of its own.
    void documentFollows();
    void keepUndoWithinBudget();

    QString m_text;
    int m_batches = 0; // Batches alive
    bool m_documentBehind = false; // an assignment in a Batch has not reached the document yet
    bool m_assigning = false; // the document is taking the text: not the user's typing
    qsizetype m_undoWeight = 0; // at least the characters the undo history holds
};
