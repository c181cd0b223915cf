// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheetdialog.h"

#include "sheetoptions.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace sheets {

SheetDialog::SheetDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("SheetDialog"));
    setWindowTitle(QStringLiteral("练字帖"));
    const SheetSettings defaults;

    const auto name = [](QWidget &widget, const char *objectName) {
        widget.setObjectName(QLatin1String(objectName));
    };
    // each control's range, choices, text and default from the sheets' option table
    const auto number = [&](QSpinBox &box, const char *objectName, const char *option) {
        const SheetOption &o = sheetOption(option);
        name(box, objectName);
        box.setRange(o.low, o.high);
        box.setValue(o.get(defaults).toInt());
    };
    const auto choice = [&](QComboBox &box, const char *objectName, const char *option) {
        const SheetOption &o = sheetOption(option);
        name(box, objectName);
        box.addItems(o.valueLabels);
        box.setCurrentIndex(o.get(defaults).toInt());
    };
    const auto check = [&](QCheckBox &box, const char *objectName, const char *option) {
        const SheetOption &o = sheetOption(option);
        name(box, objectName);
        box.setText(o.label);
        box.setChecked(o.get(defaults).toBool());
    };
    name(sheetKind, "sheetKind");
    sheetKind.addItems({ QStringLiteral("生字"), QStringLiteral("看拼音写词语") });
    name(characters, "characters");
    characters.setMaxLength(4 * maxInputLength); // more is cut by the controller, which says so
    characters.setPlaceholderText(QStringLiteral("输入或粘贴汉字"));
    name(missing, "missing");
    missing.setWordWrap(true);
    missing.setStyleSheet(QStringLiteral("color: #b00000"));
    choice(grid, "grid", "grid");
    number(cellSize, "cellSize", "cell");
    cellSize.setSuffix(QStringLiteral(" mm"));
    for (QLabel *note : { &cellSizeNote, &saved }) {
        note->setWordWrap(true);
        note->setTextFormat(Qt::PlainText);
        note->hide();
    }
    name(cellSizeNote, "cellSizeNote");
    cellSizeNote.setStyleSheet(QStringLiteral("color: #b00000"));
    name(saved, "saved");
    saved.setTextInteractionFlags(Qt::TextSelectableByMouse);
    number(tracing, "tracing", "tracing");
    number(extraRows, "extraRows", "rows");
    check(pinyin, "pinyin", "no-pinyin");
    name(title, "title");
    title.setMaxLength(sheetOption("title").high);
    title.setText(sheetOption("title").get(defaults).toString());
    choice(paper, "paper", "paper");
    check(landscape, "landscape", "landscape");
    check(model, "model", "no-model");
    check(strokeNames, "strokeNames", "no-stroke-names");
    check(info, "info", "no-info");
    number(words, "words", "words");
    choice(tracingColour, "tracingColour", "tracing-colour");
    check(keepRepeats, "keepRepeats", "keep-repeats");
    check(classField, "classField", "no-class-field");
    check(answers, "answers", "answers");
    check(wordsFromCard, "wordsFromCard", "words-from-card");
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

    const auto labelOf
        = [](const char *option) { return sheetOption(option).label + QStringLiteral("："); };
    auto *form = new QFormLayout;
    m_form = form;
    form->addRow(QStringLiteral("字帖："), &sheetKind);
    form->addRow(QStringLiteral("汉字："), &characters);
    form->addRow(QString(), &wordsFromCard);
    form->addRow(QString(), &missing);
    form->addRow(labelOf("grid"), &grid);
    form->addRow(labelOf("cell"), &cellSize);
    form->addRow(QString(), &cellSizeNote);
    form->addRow(labelOf("tracing"), &tracing);
    form->addRow(labelOf("tracing-colour"), &tracingColour);
    form->addRow(labelOf("rows"), &extraRows);
    form->addRow(QString(), &pinyin);
    form->addRow(QString(), &model);
    form->addRow(QString(), &strokeNames);
    form->addRow(QString(), &info);
    form->addRow(labelOf("words"), &words);
    form->addRow(QString(), &keepRepeats);
    form->addRow(QString(), &answers);
    form->addRow(labelOf("title"), &title);
    form->addRow(QString(), &classField);
    form->addRow(labelOf("paper"), &paper);
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
            ? QStringLiteral("输入或粘贴词语，用空格或标点隔开；或勾选下面一项，输入汉字")
            : QStringLiteral("输入或粘贴汉字；多音字可在后面写读音，如 长(cháng)"));
    for (QWidget *practiceOnly : std::initializer_list<QWidget *> { &tracing, &tracingColour,
             &extraRows, &pinyin, &model, &strokeNames, &info, &words, &keepRepeats })
        form()->setRowVisible(practiceOnly, !dictation);
    form()->setRowVisible(&answers, dictation);
    form()->setRowVisible(&wordsFromCard, dictation);
}

} // namespace sheets
