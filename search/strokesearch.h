// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class InputBox;
class QAbstractButton;
class QComboBox;
class QWidget;
class ResultBox;
class TableSearch;
class TextCell;

namespace tables {
enum class Segment;
}

// Stroke-code input and search: bian, the stroke drop-downs, the code box, the segment searches
// of the stroke-code table and the input help. It connects the events of the drop-downs, the code
// box and the help button itself. It lists the candidates in the result box and hands on the
// first one (firstCandidate); the pinyin key box and the record display are other controllers'.
class StrokeSearch : public QObject {
    Q_OBJECT
public:
    struct Controls {
        QComboBox *Combo1 = nullptr; // first stroke: 一 丨 丿 丶 乙
        QComboBox *Combo2 = nullptr; // second stroke: the five, then a blank " "
        QComboBox *Combo3 = nullptr; // third stroke, as Combo2
        QComboBox *Combo4 = nullptr; // fourth stroke, as Combo2
        QComboBox *Combo5 = nullptr; // last stroke, as Combo2
        TextCell *Text4 = nullptr; // hidden: where bian builds the code from the five texts
        TextCell *Text2bhw = nullptr; // hidden: the stroke code, five digits; its change searches
        ResultBox *Text6 = nullptr; // the result box the search fills
        InputBox *Text5 = nullptr; // the input box: takes the focus while the help is shown
        TableSearch *search = nullptr; // search position, Label1bh, Label2bh
        QWidget *window = nullptr; // owner of the help box
        QAbstractButton *Command8 = nullptr; // "?": shows the input help
    };

    // The drop-downs must be editable already: their edit fields' edits are connected.
    explicit StrokeSearch(const Controls &controls, QObject *parent = nullptr);

    void bian();

    void Combo1_Change();
    void Combo2_Change();
    void Combo3_Change();
    void Combo4_Change();
    void Combo5_Change();
    void Combo1_Click();
    void Combo2_Click();
    void Combo3_Click();
    void Combo4_Click();
    void Combo5_Click();
    void Text2bhw_Change();
    void Command41_Click();
    void Command42_Click();
    void Command43_Click();
    void Command44_Click();
    void Command45_Click();
    void Command8_Click();

signals:
    // bian ends with a list in the result box, new or kept: its first character, taken whole, to
    // be shown. The focus and caret move into the result box once this has been handled.
    void firstCandidate(const QString &character);

private:
    // The segment search of Command41..Command45: the key is the code in Text2bhw.
    void searchSegment(tables::Segment segment);

    Controls c;
};
