// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cardcontroller.h"
#include "clicklabel.h"
#include "handwritingcontroller.h"
#include "layout.h"
#include "lookupcontroller.h"
#include "onlinelookups.h"
#include "picturebox.h"
#include "picturecopy.h"
#include "pinyinsearch.h"
#include "radicalcontroller.h"
#include "recordstore.h"
#include "sheetcontroller.h"
#include "simplecombo.h"
#include "strokesearch.h"
#include "tablesearch.h"
#include "textboxes.h"
#include "textcell.h"

#include <QComboBox>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QTimer>
#include <QWidget>

class Form16;
class UrlOpener;

// Form1: the main window. It builds, lays out and owns every control and the controllers of the
// subsystems, which connect the events of the controls they handle; it joins the searches' and
// the handwriting's candidates to the lookup, starts up and opens the About dialog.
//
// The controls keep their own names as member and object names. Hidden working controls are
// plain members: text cells for the code and key boxes, strings for captions and Text1, the table
// search for the search position and the captions Label1bh and Label2bh. The ten segments are
// tables::segmentText; the hidden buttons are handler calls.
class Form1 : public QWidget {
    Q_OBJECT
public:
    // programDirectory holds Photo.mdb and LIST2.txt.
    Form1(const QString &programDirectory, UrlOpener &urlOpener, QWidget *parent = nullptr);
    ~Form1() override;

    // Backdrops, drawn behind all other controls.
    QLabel Image1 { this }; // white card behind the pinyin column
    QLabel Image6 { this }; // white card behind the stroke row, the result box and Frame1

    // The top row.
    QPushButton Command2 { this }; // "关于": opens the About dialog
    QLabel Label15 { this }; // prompt "输入查询汉字:" of Text5
    InputBox Text5 { this }; // the input box: the character to look up
    ClickLabel Label5 { this }; // link "在线查询笔顺（可手写输入)": the online stroke-order query
    QWidget Line2 { this }; // the underline of Label5

    // The pinyin column and the stroke row.
    SimpleCombo Combo6 { this }; // syllable entry: an edit field over the always-open list of 400
    QLabel Label22 { this }; // prompt "笔画输入：" of the stroke row
    QComboBox Combo1 { this }; // first stroke: 一 丨 丿 丶 乙
    QComboBox Combo2 { this }; // second stroke: the five, then a blank " "
    QComboBox Combo3 { this }; // third stroke, as Combo2
    QComboBox Combo4 { this }; // fourth stroke, as Combo2
    QComboBox Combo5 { this }; // last stroke, as Combo2
    QPushButton Command8 { this }; // "?": the stroke input help
    QPushButton Command9 { this }; // "手写": opens the handwriting pad
    QPushButton Command10 { this }; // "字帖": opens the practice-sheet dialog
    QPushButton Command11 { this }; // "部首": opens the radical index 部首检字 (Ctrl+R too)
    ResultBox Text6 { this }; // the result box: the candidates, each followed by a space

    // The panel and the information column; Picture1 lies above the labels it overlaps.
    QFrame Frame1 { this }; // the panel of the record: picture and information column
    QWidget Line1 { &Frame1 }; // grey line between the picture and the column
    QLabel Label9 { &Frame1 }; // heading "〖笔画〗"; its width sets the layout
    QLabel Label7 { &Frame1 }; // the stroke count, bound to BH; its change chooses the frame
    QLabel Label23 { &Frame1 }; // heading "〖拼音〗"
    QLabel Label3 { &Frame1 }; // the pinyin, bound to PY
    QLabel Label2 { &Frame1 }; // heading "〖百度查询〗"
    ClickLabel Label6 { &Frame1 }; // link "读音、释义等": the dictionary page
    ClickLabel Label1 { &Frame1 }; // link "< 复制笔画图": copies the picture, with frame or without
    ClickLabel Label13 {
        &Frame1
    }; // link "笔顺动画、读音": the animation page, for LIST2.txt's characters
    ClickLabel Label24 { &Frame1 }; // link "字卡": opens the character card (Ctrl+I too)
    QLabel Label4 { &Frame1 }; // notice "数据库里没有此字符的笔划图", beneath Picture1
    PictureBox Picture1 { &Frame1 }; // the stroke-order picture, bound to photo, frame ANDed in
    QLabel &Label8 = Picture1.Label8; // the clipboard notice, inside Picture1

    // Hidden working controls.
    QString Text1; // the first item of LIST2.txt: the characters with an animation page
    TextCell Text2bh { QStringLiteral("Text2bh"), this }; // pinyin key, or bian's first candidate
    TextCell Text2bhw { QStringLiteral("Text2bhw"), this }; // the stroke code, five digits
    TextCell Text4 { QStringLiteral("Text4"), this }; // where bian builds the stroke code
    // search mode: "Label20" until the first search; "1" after a stroke search that found some
    // (then Text2bh takes the first candidate and searches nothing), "2" after a syllable entry
    QString Label20 = QStringLiteral("Label20"); // search mode: "Label20", "1" stroke, "2" pinyin
    QString Label10 = QStringLiteral("Label10"); // current character, bound to hz
    QString &Label2kk = Label10; // the current character under the name the dictionary link reads
    TableSearch tableSearch; // the search position, Label1bh, Label2bh
    QImage Image5; // the frame picture for the current stroke count
    const QImage Image2; // frame picture of 24 cells, for every stroke count but 25, 26, 30
    const QImage Image25; // frame picture of 25 cells
    const QImage Image26; // frame picture of 26 cells
    const QImage Image30; // frame picture of 30 cells
    RecordStore Data1 { this }; // the record store over Photo.mdb; its current record is bound
    QTimer Timer1 { this }; // one-shot, 11 ms: the frame step after a new picture
    QTimer Timer2 { this }; // one-shot, 11 ms after creation: start-up completion
    QTimer Timer3 { this }; // 2555 ms: ends the clipboard notice Label8

    // Positions and sizes of the layout arithmetic (twips), and the scale the window is built at;
    // before the handlers, which keep a pointer into the layout.
    layout::Layout windowLayout; // twips, from Label9's measured width
    layout::TwipsScale twips; // twips to pixels at the screen's logical dpi

    // The window and its controls are set up before the controllers are made, as each controller
    // connects the events of the controls it handles when it is constructed.
    const bool controlsSetUp = [this] {
        setUpWindow();
        setUpControls();
        return true;
    }();

    // The subsystems' handlers.
    LookupController lookup; // Text5, Text6, the record display and the frame step
    StrokeSearch strokeSearch; // Combo1..Combo5, bian, Text2bhw, Command41..45, Command8
    PinyinSearch pinyinSearch; // Combo6, Text2bh, Command88bh1..5
    PictureCopy pictureCopy; // Label1 and Timer3
    OnlineLookups onlineLookups; // Label5, Label6, Label13
    handwriting::HandwritingController handwriting; // Command9 and the handwriting pad
    sheets::SheetController sheet; // Command10 and the practice-sheet dialog
    card::CardController characterCard; // Label24, Ctrl+I, the card window and the panel's readings
    radical::RadicalController radicalIndex; // Command11, Ctrl+R and the dialog 部首检字

    void Timer2_Timer();
    void Command2_Click();

    // A later start of the program asked for the window: un-minimised, raised and activated (a
    // modal dialog open over it too).
    void bringForward();
    // Text handed in from outside (the command line) shown as if typed into Text5 (see
    // LookupController::showTyped).
    void showTyped(const QString &text);

    // The controls that take the focus, in tab order.
    QList<QWidget *> tabOrder();

signals:
    // LIST2.txt could not be read at start-up completion; the message names the file and the
    // failure. The program shows it and ends.
    void list2Failed(const QString &message);
    // Start-up completion has run to its end: the lists are full and LIST2.txt is read.
    void startupCompleted();

protected:
    void showEvent(QShowEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void setUpWindow();
    void setUpControls();
    void layOut();
    void fillStrokeLists();
    void fitOuterSize();

    QString m_programDirectory; // holds Photo.mdb and LIST2.txt
    Form16 *m_about = nullptr; // created on first use, owned as a child
    bool m_shownOnce = false; // the outer size is fitted at the first showing only
};
