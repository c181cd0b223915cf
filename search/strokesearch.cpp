// SPDX-License-Identifier: GPL-3.0-or-later
#include "strokesearch.h"

#include "caretrules.h"
#include "segments.h"
#include "strokecode.h"
#include "tablesearch.h"
#include "textboxes.h"
#include "textcell.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QIcon>
#include <QLineEdit>
#include <QMessageBox>
#include <QTextCursor>

StrokeSearch::StrokeSearch(const Controls &controls, QObject *parent)
    : QObject(parent)
    , c(controls)
{
    // A typed edit and a pick from the list; a text set by the program raises neither.
    connect(c.Combo1->lineEdit(), &QLineEdit::textEdited, this, &StrokeSearch::Combo1_Change);
    connect(c.Combo2->lineEdit(), &QLineEdit::textEdited, this, &StrokeSearch::Combo2_Change);
    connect(c.Combo3->lineEdit(), &QLineEdit::textEdited, this, &StrokeSearch::Combo3_Change);
    connect(c.Combo4->lineEdit(), &QLineEdit::textEdited, this, &StrokeSearch::Combo4_Change);
    connect(c.Combo5->lineEdit(), &QLineEdit::textEdited, this, &StrokeSearch::Combo5_Change);
    connect(c.Combo1, &QComboBox::activated, this, &StrokeSearch::Combo1_Click);
    connect(c.Combo2, &QComboBox::activated, this, &StrokeSearch::Combo2_Click);
    connect(c.Combo3, &QComboBox::activated, this, &StrokeSearch::Combo3_Click);
    connect(c.Combo4, &QComboBox::activated, this, &StrokeSearch::Combo4_Click);
    connect(c.Combo5, &QComboBox::activated, this, &StrokeSearch::Combo5_Click);
    connect(c.Text2bhw, &TextCell::changed, this, &StrokeSearch::Text2bhw_Change);
    connect(c.Command8, &QAbstractButton::clicked, this, &StrokeSearch::Command8_Click);
}

void StrokeSearch::bian()
{
    // The code is built in Text4 from the five texts; only an exact stroke symbol counts.
    c.Text4->setText(strokeCode({ c.Combo1->currentText(), c.Combo2->currentText(),
        c.Combo3->currentText(), c.Combo4->currentText(), c.Combo5->currentText() }));
    // A new code runs Text2bhw_Change, search included, before this returns; the same code runs
    // nothing and the result box keeps its list.
    c.Text2bhw->setText(c.Text4->text());

    if (c.Text6->text().isEmpty())
        return;
    // The first candidate is taken whole: a character outside the BMP, which only the user's own
    // typing can put at the start of the result box, is not cut in half.
    const QString first = caretrules::characterAfter(c.Text6->text(), 0);
    emit firstCandidate(first);

    // The caret right after the first candidate, ready for the next one to be clicked.
    c.Text6->setFocus(Qt::OtherFocusReason);
    QTextCursor caret = c.Text6->textCursor();
    caret.setPosition(int(first.size()));
    c.Text6->setTextCursor(caret);
}

void StrokeSearch::Combo1_Change()
{
    bian();
}

void StrokeSearch::Combo2_Change()
{
    bian();
}

void StrokeSearch::Combo3_Change()
{
    bian();
}

void StrokeSearch::Combo4_Change()
{
    bian();
}

void StrokeSearch::Combo5_Change()
{
    bian();
}

void StrokeSearch::Combo1_Click()
{
    bian();
}

void StrokeSearch::Combo2_Click()
{
    bian();
}

void StrokeSearch::Combo3_Click()
{
    bian();
}

void StrokeSearch::Combo4_Click()
{
    bian();
}

void StrokeSearch::Combo5_Click()
{
    bian();
}

// A code that begins with "0" (no first stroke) searches nothing: the result box keeps its list.
void StrokeSearch::Text2bhw_Change()
{
    const std::optional<tables::Segment> segment = strokeCodeSegment(c.Text2bhw->text());
    if (!segment)
        return;
    switch (*segment) {
    case tables::Segment::Text1bh1w:
        Command41_Click();
        break;
    case tables::Segment::Text1bh2w:
        Command42_Click();
        break;
    case tables::Segment::Text1bh3w:
        Command43_Click();
        break;
    case tables::Segment::Text1bh4w:
        Command44_Click();
        break;
    case tables::Segment::Text1bh5w:
        Command45_Click();
        break;
    default:
        break;
    }
}

void StrokeSearch::Command41_Click()
{
    searchSegment(tables::Segment::Text1bh1w);
}

void StrokeSearch::Command42_Click()
{
    searchSegment(tables::Segment::Text1bh2w);
}

void StrokeSearch::Command43_Click()
{
    searchSegment(tables::Segment::Text1bh3w);
}

void StrokeSearch::Command44_Click()
{
    searchSegment(tables::Segment::Text1bh4w);
}

void StrokeSearch::Command45_Click()
{
    searchSegment(tables::Segment::Text1bh5w);
}

void StrokeSearch::searchSegment(tables::Segment segment)
{
    // every candidate's assignment runs the change handling; the list is laid out once, at the end
    const ResultBox::Batch oneLayout(*c.Text6);
    segmentSearch(
        *c.search, tables::segmentText(segment), [this] { return c.Text2bhw->text(); },
        [this] { return c.Text6->text(); },
        [this](const QString &text) { c.Text6->setText(text); });
}

// The help text breaks its lines with LF CR pairs.
void StrokeSearch::Command8_Click()
{
    c.Text5->setFocus(Qt::OtherFocusReason);
    QMessageBox help(QMessageBox::NoIcon, QStringLiteral("笔画输入提示！"),
        QStringLiteral(
            "笔画输入方法是：汉字第一笔画＋第二笔画＋第三笔画＋第四笔画＋最后一笔画；\n\r\n\r"
            "例如，你要输入“峰”字，用鼠标选择输入“丨”“乙”“丨”“丿”“丨”\n\r\n\r"
            "注意，乙笔画代表所有的“折”笔画！\n\r"),
        QMessageBox::Ok, c.window);
    help.setTextFormat(Qt::PlainText);
    help.button(QMessageBox::Ok)
        ->setIcon(QIcon()); // the button's text alone, as the box has no icon
    help.exec();
}
