#pragma once

#include <QObject>

class InputBox;
class PictureBox;
class QImage;
class QLabel;
class QString;
class QTimer;
class RecordStore;
class ResultBox;

// The record controls: the picture and the labels that a lookup shows or hides together.
struct RecordControls
{
    PictureBox *Picture1 = nullptr;
    QLabel *Label23 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label9 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label13 = nullptr;
    QLabel *Label7 = nullptr;
};

// Character lookup and display: the handlers of the input box, the result box, the stroke count,
// the picture and the frame timer, and the binding of the current record to its controls.
class LookupController : public QObject
{
    Q_OBJECT
public:
    struct Controls
    {
        InputBox *Text5 = nullptr;
        ResultBox *Text6 = nullptr;
        RecordControls record;
        QLabel *Label4 = nullptr;
        QString *Label10 = nullptr;  // bound to hz
        QString *Label2kk = nullptr; // bound to hz
        const QString *Text1 = nullptr;
        QImage *Image5 = nullptr;
        const QImage *Image2 = nullptr;
        const QImage *Image25 = nullptr;
        const QImage *Image26 = nullptr;
        const QImage *Image30 = nullptr;
        QTimer *Timer1 = nullptr;
        RecordStore *Data1 = nullptr;
    };

    // Binds the store's current record to Label10, Label2kk, Label7, Label3 and Picture1.
    explicit LookupController(const Controls &controls, QObject *parent = nullptr);

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
    // links but Label13, which the frame step decides. Record hidden: all nine controls hidden.
    void recordShown();
    void recordHidden();
    // FindFirst on the character, then record shown or hidden by NoMatch.
    void characterLookup(const QString &character);

private:
    void showCurrentRecord();
    // Label23, Label2, Label9, Label3, Label6, Label1 and Label7 shown, in this order.
    void showRecordLabels();

    Controls c;
};
