#pragma once

#include "lookupcontroller.h"

class InputBox;
class QComboBox;
class QWidget;
class RecordStore;
class ResultBox;
class TableSearch;
class TextCell;

namespace tables {
enum class Segment;
}

// Stroke-code input and search: bian, the stroke drop-downs, the code box, the segment searches
// of the stroke-code table and the input help.
class StrokeSearch
{
public:
    struct Controls
    {
        QComboBox *Combo1 = nullptr;
        QComboBox *Combo2 = nullptr;
        QComboBox *Combo3 = nullptr;
        QComboBox *Combo4 = nullptr;
        QComboBox *Combo5 = nullptr;
        TextCell *Text4 = nullptr;
        TextCell *Text2bhw = nullptr;
        TextCell *Text2bh = nullptr;
        QString *Label20 = nullptr;
        ResultBox *Text6 = nullptr;
        InputBox *Text5 = nullptr;
        RecordControls record;
        TableSearch *search = nullptr; // search position, Label1bh, Label2bh
        RecordStore *Data1 = nullptr;
        QWidget *window = nullptr; // owner of the help box
    };

    explicit StrokeSearch(const Controls &controls);

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

private:
    // The segment search of Command41..Command45: the key is the code in Text2bhw.
    void searchSegment(tables::Segment segment);

    Controls c;
};
