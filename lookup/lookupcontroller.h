// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "recordcontrols.h"

#include <QFont>
#include <QObject>
#include <QString>

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
// connects those controls' events itself.
class LookupController : public QObject {
    Q_OBJECT
public:
    struct Controls {
        InputBox *Text5 = nullptr; // the input box: a character typed or pasted is looked up
        ResultBox *Text6 = nullptr; // the result box: the candidates, each followed by a space
        RecordControls record; // shown or hidden together by the display steps
        QLabel *Label4 = nullptr; // notice "数据库里没有此字符的笔划图", beneath Picture1
        QString *Label10 = nullptr; // current character, bound to hz
        QString *Label2kk = nullptr; // current character, bound to hz
        const QString *Text1 = nullptr; // the characters with an animation page (LIST2.txt)
        QImage *Image5 = nullptr; // the frame picture chosen for the current stroke count
        const QImage *Image2 = nullptr; // frame picture of 24 cells, for every other stroke count
        const QImage *Image25 = nullptr; // frame picture of 25 cells
        const QImage *Image26 = nullptr; // frame picture of 26 cells
        const QImage *Image30 = nullptr; // frame picture of 30 cells
        QTimer *Timer1 = nullptr; // one-shot, 11 ms: the frame step after a new picture
        RecordStore *Data1 = nullptr; // the record store; its current record is bound
    };

    // Binds the store's current record to Label10, Label2kk, Label7, Label3 and Picture1.
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

    // The display steps. Record shown: Picture1 visible, Timer1 on, then the headings, values and
    // links but Label13, which the frame step decides. Record hidden: all ten controls hidden.
    void recordShown();
    void recordHidden();
    // Record shown without switching Timer1 on: a new picture's own change handling starts the
    // frame step (the result box's change handling, and bian after its find).
    void recordShownWithoutFrameStep();
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
    // The same for the first candidate of a list just written into the result box, whose change
    // handling has shown the record controls already: record shown without switching Timer1 on
    // (a new picture's own change starts the frame step), or hidden.
    void firstCandidateLookup(const QString &character);

private:
    void showCurrentRecord();
    // Label23, Label2, Label9, Label3, Label6, Label1, Label7 and Label24 shown, in this order.
    void showRecordLabels();

    // Label3 in its own font, or wrapped in a smaller one where it would cross Frame1's edge.
    void fitPinyin();

    Controls c;
    std::function<QString(const CharacterRecord &)> m_pinyinShown; // see setPinyinShown
    QFont m_pinyinFont; // Label3's font as the window set it
};
