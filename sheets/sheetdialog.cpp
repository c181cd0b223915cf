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
    form->addRow(QStringLiteral("汉字："), &characters);
    form->addRow(QString(), &missing);
    form->addRow(QStringLiteral("格子："), &grid);
    form->addRow(QStringLiteral("格子大小："), &cellSize);
    form->addRow(QString(), &cellSizeNote);
    form->addRow(QStringLiteral("描红个数："), &tracing);
    form->addRow(QStringLiteral("空行："), &extraRows);
    form->addRow(QString(), &pinyin);
    form->addRow(QStringLiteral("标题："), &title);
    form->addRow(QStringLiteral("纸张："), &paper);
    form->addRow(QString(), &landscape);

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
    return out;
}

} // namespace sheets
