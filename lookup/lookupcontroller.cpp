// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookupcontroller.h"

#include "picturebox.h"
#include "recordstore.h"

#include "caretrules.h"
#include "framegeometry.h"
#include "textboxes.h"

#include <QFontMetrics>
#include <QLabel>
#include <QTextCursor>
#include <QTimer>

#include <algorithm>

namespace {

// The caret position p as the rules count it: the start of a selection, else the cursor.
qsizetype caretOf(const QLineEdit &box)
{
    return box.hasSelectedText() ? box.selectionStart() : box.cursorPosition();
}

} // namespace

LookupController::LookupController(const Controls &controls, QObject *parent)
    : QObject(parent)
    , c(controls)
    , m_pinyinFont(controls.record.Label3->font())
{
    connect(c.Data1, &RecordStore::currentChanged, this, &LookupController::showCurrentRecord);
    connect(c.Text5, &QLineEdit::textChanged, this, &LookupController::Text5_Change);
    connect(c.Text5, &InputBox::clicked, this, &LookupController::Text5_Click);
    connect(c.Text5, &InputBox::keyReleased, this, &LookupController::Text5_KeyUp);
    connect(c.Text6, &QPlainTextEdit::textChanged, this, &LookupController::Text6_Change);
    connect(c.Text6, &ResultBox::clicked, this, &LookupController::Text6_Click);
    connect(c.Text6, &ResultBox::keyReleased, this, &LookupController::Text6_KeyUp);
    // Label7's change comes with the record binding, in showCurrentRecord.
    connect(c.record.Picture1, &PictureBox::changed, this, &LookupController::Picture1_Change);
    connect(c.Timer1, &QTimer::timeout, this, &LookupController::Timer1_Timer);
}

// The bound controls take the new record in field order; each runs its change handling before the
// next is written: Label7's when its caption changes, Picture1's (through its changed signal) for
// every picture delivered.
void LookupController::showCurrentRecord()
{
    const CharacterRecord &record = c.Data1->current();
    *c.Label10 = record.hz;
    QLabel *strokeCount = c.record.Label7;
    if (strokeCount->text() != record.BH) {
        strokeCount->setText(record.BH);
        strokeCount->adjustSize();
        Label7_Change();
    }
    c.record.Label3->setText(m_pinyinShown ? m_pinyinShown(record) : record.PY);
    fitPinyin();
    // the strokes are read only where a sharp picture is drawn from them (device pixel ratio > 1)
    c.record.Picture1->setPhoto(
        record.photo, [store = c.Data1, hz = record.hz] { return store->outline(hz); },
        framegeometry::frameForStrokeCount(record.BH));
}

void LookupController::setPinyinShown(std::function<QString(const CharacterRecord &)> pinyinShown)
{
    m_pinyinShown = std::move(pinyinShown);
}

// Several readings may need more room than the column has beside the picture: the text then
// wraps between readings, in the largest font, from Label3's own down to 9 points, with which it
// fits above the heading that follows (Label2).
void LookupController::fitPinyin()
{
    QLabel *label = c.record.Label3;
    label->setWordWrap(false);
    label->setFont(m_pinyinFont);
    label->adjustSize();
    const QWidget *panel = label->parentWidget();
    const int width = panel ? panel->width() - label->x() - 4 : label->width();
    if (label->width() <= width)
        return;
    const int height = std::max(1, c.record.Label2->y() - label->y() - 2);
    QFont font = m_pinyinFont;
    QRect needed;
    do {
        font.setPointSizeF(font.pointSizeF() - 1);
        needed = QFontMetrics(font, label)
                     .boundingRect(QRect(0, 0, width, 4 * height), Qt::TextWordWrap, label->text());
    } while ((needed.width() > width || needed.height() > height) && font.pointSizeF() > 9);
    label->setFont(font);
    label->setWordWrap(true);
    label->resize(width, std::min(needed.height() + 1, height));
}

void LookupController::Text5_Change()
{
    const QString character = caretrules::inputBoxChangeCharacter(c.Text5->text());
    if (!character.isEmpty())
        characterLookup(character);
}

void LookupController::Text5_Click()
{
    const QString text = c.Text5->text();
    if (caretrules::inputBoxChangeCharacter(text).isEmpty()) // empty or only spaces
        return;
    characterLookup(caretrules::inputBoxCaretCharacter(text, caretOf(*c.Text5)));
}

void LookupController::Text5_KeyUp()
{
    const QString text = c.Text5->text();
    if (text.isEmpty())
        return;
    characterLookup(caretrules::inputBoxCaretCharacter(text, caretOf(*c.Text5)));
}

void LookupController::Text6_Change()
{
    const bool empty = c.Text6->text().isEmpty();
    c.Text6->setToolTip(empty ? QString() : QStringLiteral("点击汉字得到笔画，拼音信息。"));
    if (empty) {
        recordHidden();
        return;
    }
    recordShownWithoutFrameStep();
}

void LookupController::Text6_Click()
{
    const QString text = c.Text6->text();
    if (text.isEmpty())
        return;
    QTextCursor cursor = c.Text6->textCursor();
    const caretrules::Selection selection = caretrules::resultBoxClickSelection(
        text, { cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart() });
    cursor.setPosition(int(selection.start));
    cursor.setPosition(int(selection.start + selection.length), QTextCursor::KeepAnchor);
    c.Text6->setTextCursor(cursor);

    const QString selected = text.mid(selection.start, selection.length);
    if (!selected.isEmpty() && selected == caretrules::characterAfter(text, selection.start))
        c.Data1->FindFirst(selected);
    // without a new find this shows what the last find of any handler left
    if (c.Data1->NoMatch())
        recordHidden();
    else
        recordShown();
}

void LookupController::Text6_KeyUp()
{
    const QString character
        = caretrules::resultBoxKeyCharacter(c.Text6->text(), c.Text6->textCursor().position());
    if (!character.isEmpty())
        characterLookup(character);
}

void LookupController::Label7_Change()
{
    switch (framegeometry::frameForStrokeCount(c.record.Label7->text())) {
    case framegeometry::Frame::Cells30:
        *c.Image5 = *c.Image30;
        break;
    case framegeometry::Frame::Cells25:
        *c.Image5 = *c.Image25;
        break;
    case framegeometry::Frame::Cells26:
        *c.Image5 = *c.Image26;
        break;
    case framegeometry::Frame::Cells24:
        *c.Image5 = *c.Image2;
        break;
    }
}

void LookupController::Picture1_Change()
{
    if (!c.record.Picture1->isHidden())
        c.Timer1->start();
}

void LookupController::Timer1_Timer()
{
    PictureBox *picture = c.record.Picture1;
    picture->andCombine(*c.Image5);
    c.Label4->show();
    if (picture->isHidden())
        c.record.Label13->hide();
    else
        c.record.Label13->setVisible(c.Text1->contains(*c.Label10));
    c.Timer1->stop();
}

void LookupController::recordShown()
{
    c.record.Picture1->show();
    c.Timer1->start();
    showRecordLabels();
}

void LookupController::recordShownWithoutFrameStep()
{
    c.record.Picture1->show();
    showRecordLabels();
}

void LookupController::recordHidden()
{
    const RecordControls &r = c.record;
    for (QWidget *control : std::initializer_list<QWidget *> { r.Picture1, r.Label23, r.Label2,
             r.Label9, r.Label3, r.Label6, r.Label1, r.Label13, r.Label7, r.Label24 })
        control->hide();
}

LookupController::Display LookupController::display() const
{
    return { c.Text6->text(), c.Data1->current().hz, !c.record.Picture1->isHidden(),
        !c.Label4->isHidden() };
}

void LookupController::restoreDisplay(const Display &display)
{
    c.Timer1->stop();
    c.Text6->setText(display.resultBox);
    c.Data1->FindFirst(display.character);
    if (display.recordShown && !c.Data1->NoMatch()) {
        recordShown();
    } else {
        recordHidden();
        c.Timer1->stop();
    }
    c.Label4->setVisible(display.noticeShown);
}

void LookupController::characterLookup(const QString &character)
{
    c.Data1->FindFirst(character);
    if (c.Data1->NoMatch())
        recordHidden();
    else
        recordShown();
}

void LookupController::showTyped(const QString &text)
{
    if (text.isEmpty())
        return;
    c.Text5->clear();
    c.Text5->setText(text);
}

void LookupController::firstCandidateLookup(const QString &character)
{
    c.Data1->FindFirst(character);
    if (c.Data1->NoMatch())
        recordHidden();
    else
        recordShownWithoutFrameStep();
}

void LookupController::firstCandidateFind(const QString &character)
{
    c.Data1->FindFirst(character);
}

void LookupController::showCandidates(const QStringList &candidates)
{
    QString list;
    for (const QString &candidate : candidates)
        list += candidate + QLatin1Char(' ');
    // The result box's change handling shows or hides the record controls for the new list.
    c.Text6->setText(list);
    if (!candidates.isEmpty())
        firstCandidateLookup(candidates.first());
}

void LookupController::showRecordLabels()
{
    const RecordControls &r = c.record;
    for (QLabel *label :
        { r.Label23, r.Label2, r.Label9, r.Label3, r.Label6, r.Label1, r.Label7, r.Label24 })
        label->show();
}
