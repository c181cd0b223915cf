// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dictationlayout.h"
#include "sheetlayout.h"
#include "sheetpreview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace sheets {

// The dialog "练字帖": the sheet's characters and options beside a live preview, with print and
// save buttons. It builds and lays out its controls, set to the defaults; the controller wires
// them.
class SheetDialog : public QDialog {
    Q_OBJECT
public:
    explicit SheetDialog(QWidget *parent = nullptr);

    QComboBox sheetKind { this }; // 生字 (the practice sheet), 看拼音写词语 (dictation)
    QLineEdit characters { this }; // typed or pasted; the controller keeps maxInputLength; the
                                   // words of the dictation sheet
    QCheckBox wordsFromCard { this }; // dictation: each character's first word on its card
    QLabel missing { this }; // names the characters left out, and says when the text was cut
    QComboBox grid { this }; // 田字格, 米字格, 方格, in the order of Grid
    QSpinBox cellSize { this }; // mm
    QLabel cellSizeNote { this }; // marks a typed size out of range
    QSpinBox tracing { this }; // grey copies per character
    QSpinBox extraRows { this }; // empty rows after each character
    QCheckBox pinyin { this };
    QLineEdit title { this }; // up to maxTitleLength characters
    QComboBox paper { this }; // A4, A5, Letter, in the order of Paper
    QCheckBox landscape { this };
    QCheckBox model { this }; // 范字 in the first cell
    QCheckBox strokeNames { this }; // 笔画名称 in the stroke-order cells
    QCheckBox info { this }; // 部首 · 结构 · 笔画 and 组词
    QSpinBox words { this }; // 组词 per character
    QComboBox tracingColour { this }; // 浅灰, 浅红, in the order of TracingColour
    QCheckBox keepRepeats { this }; // 保留重复的字
    QCheckBox classField { this }; // 班级 in the header
    QCheckBox answers { this }; // the dictation sheet's answer page
    SheetPreview preview { this }; // drawn on a thread of its own
    QPushButton printButton { this }; // "打印…" (Ctrl+P): the system's print dialog
    QPushButton saveButton { this }; // "保存为 PDF…" (Ctrl+S)
    QPushButton closeButton { this };
    QLabel saved { this }; // names the file last written

    // The options as the controls show them.
    SheetOptions options() const;
    DictationOptions dictationOptions() const;
    bool isDictation() const { return sheetKind.currentIndex() == 1; }

    // Shows the controls of the sheet chosen, hides the others.
    void showSheetKind();

private:
    QFormLayout *form() const { return m_form; }
    QFormLayout *m_form = nullptr; // the fields' layout, owned by the dialog's layout
};

} // namespace sheets
