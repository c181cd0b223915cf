// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QString;
class RecordStore;
class ResultBox;
class SimpleCombo;
class TableSearch;
class TextCell;

namespace tables {
enum class Segment;
}

// Pinyin input and search: the syllable entry of Combo6, the key box and the segment searches of
// the pinyin table. It connects the events of Combo6 and the key box itself.
class PinyinSearch : public QObject {
    Q_OBJECT
public:
    struct Controls {
        SimpleCombo *Combo6 = nullptr; // syllable entry: edit field and list
        TextCell *Text2bh = nullptr; // hidden: the pinyin key, the syllable padded to six
        QString *Label20 = nullptr; // search mode: "2" here; "1" keeps Text2bh from searching
        ResultBox *Text6 = nullptr; // the result box the search fills
        TableSearch *search = nullptr; // search position, Label1bh, Label2bh
        RecordStore *Data1 = nullptr; // the record store: the first candidate's record
    };

    explicit PinyinSearch(const Controls &controls, QObject *parent = nullptr);

    void Combo6_Change();
    void Combo6_Click();
    void Text2bh_Change();
    void Command88bh1_Click();
    void Command88bh2_Click();
    void Command88bh3_Click();
    void Command88bh4_Click();
    void Command88bh5_Click();

private:
    // Change and Click of Combo6 alike: the key from the syllable, then the first candidate's
    // record.
    void syllableEntry();
    // The segment search of Command88bh1..Command88bh5: the key is the whole text of Text2bh.
    void searchSegment(tables::Segment segment);

    Controls c;
};
