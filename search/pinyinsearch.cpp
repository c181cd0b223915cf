// SPDX-License-Identifier: GPL-3.0-or-later
#include "pinyinsearch.h"

#include "caretrules.h"

#include "pinyinkey.h"
#include "segments.h"
#include "simplecombo.h"
#include "tablesearch.h"
#include "textboxes.h"
#include "textcell.h"

#include <QLineEdit>
#include <QScopedValueRollback>

PinyinSearch::PinyinSearch(const Controls &controls, QObject *parent)
    : QObject(parent)
    , c(controls)
{
    connect(c.Combo6->lineEdit(), &QLineEdit::textEdited, this, &PinyinSearch::Combo6_Change);
    connect(c.Combo6, &SimpleCombo::activated, this, &PinyinSearch::Combo6_Click);
    connect(c.Text2bh, &TextCell::changed, this, &PinyinSearch::Text2bh_Change);
}

void PinyinSearch::Combo6_Change()
{
    syllableEntry();
}

void PinyinSearch::Combo6_Click()
{
    syllableEntry();
}

// A text of spaces only is no entry and changes nothing. A syllable longer than six letters keeps
// the last key; either way the first candidate listed is looked up again.
void PinyinSearch::syllableEntry()
{
    const QString text = c.Combo6->currentText();
    if (syllableFromComboText(text).isEmpty())
        return;
    *c.Label20 = QStringLiteral("2");
    // A new key runs Text2bh_Change, search included, before this goes on.
    if (const std::optional<QString> key = pinyinKey(text))
        c.Text2bh->setText(*key);
    const QString result = c.Text6->text();
    if (!result.isEmpty())
        emit firstCandidate(caretrules::characterAfter(result, 0));
}

void PinyinSearch::takeStrokeCandidate(const QString &character)
{
    *c.Label20 = QStringLiteral("1");
    const QScopedValueRollback taking(m_takingStrokeCandidate, true);
    c.Text2bh->setText(character);
}

// The group is chosen by the key's first character as it stands, case-sensitively.
void PinyinSearch::Text2bh_Change()
{
    if (m_takingStrokeCandidate || syllableFromComboText(c.Text2bh->text()).isEmpty())
        return;
    const std::optional<tables::Segment> segment = pinyinKeySegment(c.Text2bh->text());
    if (!segment)
        return;
    switch (*segment) {
    case tables::Segment::Text1bh1:
        Command88bh1_Click();
        break;
    case tables::Segment::Text1bh2:
        Command88bh2_Click();
        break;
    case tables::Segment::Text1bh3:
        Command88bh3_Click();
        break;
    case tables::Segment::Text1bh4:
        Command88bh4_Click();
        break;
    case tables::Segment::Text1bh5:
        Command88bh5_Click();
        break;
    default:
        break;
    }
}

void PinyinSearch::Command88bh1_Click()
{
    searchSegment(tables::Segment::Text1bh1);
}

void PinyinSearch::Command88bh2_Click()
{
    searchSegment(tables::Segment::Text1bh2);
}

void PinyinSearch::Command88bh3_Click()
{
    searchSegment(tables::Segment::Text1bh3);
}

void PinyinSearch::Command88bh4_Click()
{
    searchSegment(tables::Segment::Text1bh4);
}

void PinyinSearch::Command88bh5_Click()
{
    searchSegment(tables::Segment::Text1bh5);
}

void PinyinSearch::searchSegment(tables::Segment segment)
{
    // every candidate's assignment runs the change handling; the list is laid out once, at the end
    const ResultBox::Batch oneLayout(*c.Text6);
    segmentSearch(
        *c.search, tables::segmentText(segment), [this] { return c.Text2bh->text(); },
        [this] { return c.Text6->text(); },
        [this](const QString &text) { c.Text6->setText(text); });
}
