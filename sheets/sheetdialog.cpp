// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheetdialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace sheets {

SheetDialog::SheetDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("SheetDialog"));
    setWindowTitle(QStringLiteral("练字帖"));
    const SheetOptions defaults;

    const auto name = [](QWidget &widget, const char *objectName) {
        widget.setObjectName(QLatin1String(objectName));
    };
    name(sheetKind, "sheetKind");
    sheetKind.addItems({ QStringLiteral("生字"), QStringLiteral("看拼音写词语") });
    name(characters, "characters");
    characters.setMaxLength(4 * maxInputLength); // more is cut by the controller, which says so
    characters.setPlaceholderText(QStringLiteral("输入或粘贴汉字"));
    name(missing, "missing");
    missing.setWordWrap(true);
    missing.setStyleSheet(QStringLiteral("color: #b00000"));
    name(grid, "grid");
    grid.addItems({ QStringLiteral("田字格"), QStringLiteral("米字格"), QStringLiteral("方格") });
    grid.setCurrentIndex(int(defaults.grid));
    name(cellSize, "cellSize");
    cellSize.setRange(minCellMm, maxCellMm);
    cellSize.setSuffix(QStringLiteral(" mm"));
    cellSize.setValue(defaults.cellMm);
    for (QLabel *note : { &cellSizeNote, &saved }) {
        note->setWordWrap(true);
        note->setTextFormat(Qt::PlainText);
        note->hide();
    }
    name(cellSizeNote, "cellSizeNote");
    cellSizeNote.setStyleSheet(QStringLiteral("color: #b00000"));
    name(saved, "saved");
    saved.setTextInteractionFlags(Qt::TextSelectableByMouse);
    name(tracing, "tracing");
    tracing.setRange(0, maxTracing);
    tracing.setValue(defaults.tracing);
    name(extraRows, "extraRows");
    extraRows.setRange(0, maxExtraRows);
    extraRows.setValue(defaults.extraRows);
    name(pinyin, "pinyin");
    pinyin.setText(QStringLiteral("注拼音"));
    pinyin.setChecked(defaults.pinyin);
    name(title, "title");
    title.setMaxLength(maxTitleLength);
    title.setText(defaults.title);
    name(paper, "paper");
    paper.addItems({ QStringLiteral("A4"), QStringLiteral("A5"), QStringLiteral("Letter") });
    paper.setCurrentIndex(int(defaults.paper));
    name(landscape, "landscape");
    landscape.setText(QStringLiteral("横向"));
    landscape.setChecked(defaults.landscape);
    const auto check = [&](QCheckBox &box, const char *objectName, const QString &text, bool on) {
        name(box, objectName);
        box.setText(text);
        box.setChecked(on);
    };
    check(model, "model", QStringLiteral("第一格印范字"), defaults.model);
    check(strokeNames, "strokeNames", QStringLiteral("笔画名称"), defaults.strokeNames);
    check(info, "info", QStringLiteral("部首、结构、笔画和组词"), defaults.info);
    name(words, "words");
    words.setRange(0, maxWords);
    words.setValue(defaults.words);
    name(tracingColour, "tracingColour");
    tracingColour.addItems({ QStringLiteral("浅灰"), QStringLiteral("浅红") });
    tracingColour.setCurrentIndex(int(defaults.tracingColour));
    check(keepRepeats, "keepRepeats", QStringLiteral("保留重复的字"), defaults.keepRepeats);
    check(classField, "classField", QStringLiteral("班级栏"), defaults.classField);
    check(answers, "answers", QStringLiteral("最后一页印答案"), DictationOptions().answers);
    name(preview, "preview");
    preview.setMinimumSize(420, 520);
    name(printButton, "printButton");
    printButton.setText(QStringLiteral("打印…"));
    printButton.setShortcut(QKeySequence::Print);
    name(saveButton, "saveButton");
    saveButton.setText(QStringLiteral("保存为 PDF…"));
    saveButton.setShortcut(QKeySequence::Save);
    name(closeButton, "closeButton");
    closeButton.setText(QStringLiteral("关闭"));

    auto *form = new QFormLayout;
    m_form = form;
    form->addRow(QStringLiteral("字帖："), &sheetKind);
    form->addRow(QStringLiteral("汉字："), &characters);
    form->addRow(QString(), &missing);
    form->addRow(QStringLiteral("格子："), &grid);
    form->addRow(QStringLiteral("格子大小："), &cellSize);
    form->addRow(QString(), &cellSizeNote);
    form->addRow(QStringLiteral("描红个数："), &tracing);
    form->addRow(QStringLiteral("描红颜色："), &tracingColour);
    form->addRow(QStringLiteral("空行："), &extraRows);
    form->addRow(QString(), &pinyin);
    form->addRow(QString(), &model);
    form->addRow(QString(), &strokeNames);
    form->addRow(QString(), &info);
    form->addRow(QStringLiteral("组词个数："), &words);
    form->addRow(QString(), &keepRepeats);
    form->addRow(QString(), &answers);
    form->addRow(QStringLiteral("标题："), &title);
    form->addRow(QString(), &classField);
    form->addRow(QStringLiteral("纸张："), &paper);
    form->addRow(QString(), &landscape);
    showSheetKind();

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(&printButton);
    buttons->addWidget(&saveButton);
    buttons->addStretch();
    buttons->addWidget(&closeButton);

    auto *left = new QVBoxLayout;
    left->addLayout(form);
    left->addStretch();
    left->addWidget(&saved);
    left->addLayout(buttons);

    auto *top = new QHBoxLayout(this);
    top->addLayout(left);
    top->addWidget(&preview, 1);
    connect(&closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

SheetOptions SheetDialog::options() const
{
    SheetOptions out;
    out.grid = Grid(std::clamp(grid.currentIndex(), 0, 2));
    out.cellMm = cellSize.value();
    out.tracing = tracing.value();
    out.extraRows = extraRows.value();
    out.pinyin = pinyin.isChecked();
    out.title = title.text();
    out.paper = Paper(std::clamp(paper.currentIndex(), 0, 2));
    out.landscape = landscape.isChecked();
    out.model = model.isChecked();
    out.strokeNames = strokeNames.isChecked();
    out.info = info.isChecked();
    out.words = words.value();
    out.tracingColour = TracingColour(std::clamp(tracingColour.currentIndex(), 0, 1));
    out.keepRepeats = keepRepeats.isChecked();
    out.classField = classField.isChecked();
    return out;
}

DictationOptions SheetDialog::dictationOptions() const
{
    DictationOptions out;
    out.grid = Grid(std::clamp(grid.currentIndex(), 0, 2));
    out.cellMm = cellSize.value();
    out.paper = Paper(std::clamp(paper.currentIndex(), 0, 2));
    out.landscape = landscape.isChecked();
    out.title = title.text();
    out.classField = classField.isChecked();
    out.answers = answers.isChecked();
    return out;
}

void SheetDialog::showSheetKind()
{
    const bool dictation = isDictation();
    form()
        ->labelForField(&characters)
        ->setProperty("text", dictation ? QStringLiteral("词语：") : QStringLiteral("汉字："));
    characters.setPlaceholderText(dictation
            ? QStringLiteral("输入或粘贴词语，用空格或标点隔开")
            : QStringLiteral("输入或粘贴汉字；多音字可在后面写读音，如 长(cháng)"));
    for (QWidget *practiceOnly : std::initializer_list<QWidget *> { &tracing, &tracingColour,
             &extraRows, &pinyin, &model, &strokeNames, &info, &words, &keepRepeats })
        form()->setRowVisible(practiceOnly, !dictation);
    form()->setRowVisible(&answers, dictation);
}

} // namespace sheets
