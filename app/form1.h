#pragma once

#include "clicklabel.h"
#include "layout.h"
#include "lookupcontroller.h"
#include "onlinelookups.h"
#include "picturebox.h"
#include "picturecopy.h"
#include "pinyinsearch.h"
#include "recordstore.h"
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

// Form1: the main window. It owns every control, lays them out, starts up and routes each control
// event to the handler of its subsystem.
//
// The controls keep their own names as member and object names. Hidden working controls are
// plain members: text cells for the code and key boxes, strings for captions and Text1, the table
// search for the search position and the captions Label1bh and Label2bh. The ten segments are
// tables::segmentText; the hidden buttons are handler calls.
class Form1 : public QWidget
{
    Q_OBJECT
public:
    // programDirectory holds Photo.mdb and LIST2.txt.
    Form1(const QString &programDirectory, UrlOpener &urlOpener, QWidget *parent = nullptr);
    ~Form1() override;

    // Backdrops, drawn behind all other controls.
    QLabel Image1{this};
    QLabel Image6{this};

    // The top row.
    QPushButton Command2{this};
    QLabel Label15{this};
    InputBox Text5{this};
    ClickLabel Label5{this};
    QWidget Line2{this};

    // The pinyin column and the stroke row.
    SimpleCombo Combo6{this};
    QLabel Label22{this};
    QComboBox Combo1{this};
    QComboBox Combo2{this};
    QComboBox Combo3{this};
    QComboBox Combo4{this};
    QComboBox Combo5{this};
    QPushButton Command8{this};
    ResultBox Text6{this};

    // The panel and the information column; Picture1 lies above the labels it overlaps.
    QFrame Frame1{this};
    QWidget Line1{&Frame1};
    QLabel Label9{&Frame1};
    QLabel Label7{&Frame1}; // bound to BH
    QLabel Label23{&Frame1};
    QLabel Label3{&Frame1}; // bound to PY
    QLabel Label2{&Frame1};
    ClickLabel Label6{&Frame1};
    ClickLabel Label1{&Frame1};
    ClickLabel Label13{&Frame1};
    QLabel Label4{&Frame1};
    PictureBox Picture1{&Frame1}; // bound to photo
    QLabel &Label8 = Picture1.Label8;

    // Hidden working controls.
    QString Text1; // the first item of LIST2.txt
    TextCell Text2bh{QStringLiteral("Text2bh"), this};
    TextCell Text2bhw{QStringLiteral("Text2bhw"), this};
    TextCell Text4{QStringLiteral("Text4"), this};
    QString Label20 = QStringLiteral("Label20");
    QString Label10 = QStringLiteral("Label10");   // bound to hz
    QString Label2kk = QStringLiteral("Label2kk"); // bound to hz
    TableSearch tableSearch;                        // the search position, Label1bh, Label2bh
    QImage Image5;                                  // the frame picture for the current stroke count
    const QImage Image2;
    const QImage Image25;
    const QImage Image26;
    const QImage Image30;
    RecordStore Data1{this};
    QTimer Timer1{this};
    QTimer Timer2{this};
    QTimer Timer3{this};

    // Positions and sizes of the layout arithmetic (twips), and the scale the window is built at;
    // before the handlers, which keep a pointer into the layout.
    layout::Layout windowLayout;
    layout::TwipsScale twips;

    // The subsystems' handlers.
    LookupController lookup;
    StrokeSearch strokeSearch;
    PinyinSearch pinyinSearch;
    PictureCopy pictureCopy;
    OnlineLookups onlineLookups;

    void Timer2_Timer();
    void Command2_Click();

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
    void wireEvents();
    void layOut();
    void fillStrokeLists();
    void fitOuterSize();

    QString m_programDirectory;
    UrlOpener &m_urlOpener;
    Form16 *m_about = nullptr; // created on first use, owned as a child
    bool m_shownOnce = false;
};
