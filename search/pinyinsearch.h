// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class ResultBox;
class SimpleCombo;
class TableSearch;
class TextCell;

namespace tables {
enum class Segment;
}

// Pinyin input and search: the syllable entry of Combo6, the key box and the segment searches of
// the pinyin table. It connects the events of Combo6 and the key box itself, writes the
// search-mode flag Label20 and hands on the first candidate of a syllable entry (firstCandidate).
class PinyinSearch : public QObject {
    Q_OBJECT
public:
    struct Controls {
        SimpleCombo *Combo6 = nullptr; // syllable entry: edit field and list
        TextCell *Text2bh = nullptr; // hidden: the pinyin key, the syllable padded to six
        QString *Label20 = nullptr; // search mode: "2" syllable entry, "1" stroke candidate
        ResultBox *Text6 = nullptr; // the result box the search fills
        TableSearch *search = nullptr; // search position, Label1bh, Label2bh
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

    // A stroke search's first candidate goes into the key box, the flag set to "1": the key box
    // holds a character then, and writing it searches nothing.
    void takeStrokeCandidate(const QString &character);

signals:
    // A syllable entry leaves a list in the result box, new or kept: its first character, to be
    // found in the record store.
    void firstCandidate(const QString &character);

private:
    // Change and Click of Combo6 alike: the key from the syllable, then the first candidate's
    // record.
    void syllableEntry();
    // The segment search of Command88bh1..Command88bh5: the key is the whole text of Text2bh.
    void searchSegment(tables::Segment segment);

    Controls c;
    bool m_takingStrokeCandidate = false; // within takeStrokeCandidate: the key is no syllable
};
