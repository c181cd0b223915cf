// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "recordcontrols.h"

#include <QFont>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class InputBox;
class QImage;
class QLabel;
class QTimer;
class RecordStore;
class ResultBox;
struct CharacterRecord;

// Character lookup and display: the handlers of the input box, the result box, the stroke count,
// the picture and the frame timer, and the binding of the current record to its controls. It
// connects those controls' events itself. Every road ends here: the searches and the handwriting
// hand their candidates over, and only this shows them.
class LookupController : public QObject {
    Q_OBJECT
public:
    struct Controls {
        InputBox *Text5 = nullptr; // the input box: a character typed or pasted is looked up
        ResultBox *Text6 = nullptr; // the result box: the candidates, each followed by a space
        RecordControls record; // shown or hidden together by the display steps
        QLabel *Label4 = nullptr; // notice "数据库里没有此字符的笔划图", beneath Picture1
        QString *Label10 = nullptr; // current character, bound to hz (Label2kk is the same string)
        const QString *Text1 = nullptr; // the characters with an animation page (LIST2.txt)
        QImage *Image5 = nullptr; // the frame picture chosen for the current stroke count
        const QImage *Image2 = nullptr; // frame picture of 24 cells, for every other stroke count
        const QImage *Image25 = nullptr; // frame picture of 25 cells
        const QImage *Image26 = nullptr; // frame picture of 26 cells
        const QImage *Image30 = nullptr; // frame picture of 30 cells
        QTimer *Timer1 = nullptr; // one-shot, 11 ms: the frame step after a new picture
        RecordStore *Data1 = nullptr; // the record store; its current record is bound
    };

    // Binds the store's current record to Label10, Label7, Label3 and Picture1.
    explicit LookupController(const Controls &controls, QObject *parent = nullptr);

    // Where Label3 takes its text from from now on, instead of the record's PY.
    void setPinyinShown(std::function<QString(const CharacterRecord &)> pinyinShown);

    void Text5_Change();
    void Text5_Click();
    void Text5_KeyUp();
    void Text6_Change();
    void Text6_Click();
    void Text6_KeyUp();
    void Label7_Change();
    void Picture1_Change();
    void Timer1_Timer();

    // What the window shows of a lookup, to be put back later: the handwriting pad's state
    // before its first stroke.
    struct Display {
        QString resultBox; // Text6
        QString character; // the current record's
        bool recordShown = false;
        bool noticeShown = false; // Label4
    };
    Display display() const;
    // The result box, current record, record controls and notice as they were; no frame step
    // runs unless the record is shown.
    void restoreDisplay(const Display &display);

    // FindFirst on the character, then record shown or hidden by NoMatch.
    void characterLookup(const QString &character);
    // Text from outside the window (a later start's hand-over, a pick in another window) shown as
    // if typed into Text5: it replaces the box's text, and its last character is looked up even
    // when the box held the same text. An empty text changes nothing.
    void showTyped(const QString &text);

    // What the roads hand over. The searches have listed their candidates in the result box
    // themselves, its change handling running at each write; the handwriting's list is written
    // here. Then the first candidate is found:
    // - a stroke search and the handwriting: FindFirst, then record shown without switching
    //   Timer1 on (a new picture's own change starts the frame step) or record hidden;
    // - a syllable entry: FindFirst alone; the record controls stay as the result box's change
    //   handling left them.
    void firstCandidateLookup(const QString &character);
    void firstCandidateFind(const QString &character);
    // The candidates into the result box, each followed by a space (an empty list empties it),
    // then the first one's firstCandidateLookup.
    void showCandidates(const QStringList &candidates);

private:
    // The display steps. Record shown: Picture1 visible, Timer1 on, then the headings, values and
    // links but Label13, which the frame step decides. Record hidden: all ten controls hidden.
    void recordShown();
    void recordHidden();
    // Record shown without switching Timer1 on: a new picture's own change handling starts the
    // frame step (the result box's change handling, and a road's first candidate after its find).
    void recordShownWithoutFrameStep();

    void showCurrentRecord();
    // Label23, Label2, Label9, Label3, Label6, Label1, Label7 and Label24 shown, in this order.
    void showRecordLabels();

    // Label3 in its own font, or wrapped in a smaller one where it would cross Frame1's edge.
    void fitPinyin();

    Controls c;
    std::function<QString(const CharacterRecord &)> m_pinyinShown; // see setPinyinShown
    QFont m_pinyinFont; // Label3's font as the window set it
};
