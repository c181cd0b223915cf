// SPDX-License-Identifier: GPL-3.0-or-later
#include "radicaldialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

// Headings are told apart from items by this role.
constexpr int headingRole = Qt::UserRole + 1;

bool isHeading(const QListWidgetItem *item)
{
    return item && item->data(headingRole).toBool();
}

} // namespace

HeadedList::HeadedList(QWidget *parent)
    : QListWidget(parent)
{
    setViewMode(QListView::ListMode);
    setFlow(QListView::LeftToRight);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setSpacing(2);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void HeadedList::setGroups(const QList<Group> &groups)
{
    setUpdatesEnabled(false);
    clear();
    QFont headingFont = font();
    headingFont.setPointSizeF(font().pointSizeF() * 0.6);
    const QFontMetrics metrics(font());
    const QSize itemSize(metrics.height() + 8, metrics.height() + 6);
    for (const Group &group : groups) {
        auto *heading = new QListWidgetItem(group.heading, this);
        heading->setData(headingRole, true);
        heading->setFlags(Qt::NoItemFlags);
        heading->setFont(headingFont);
        heading->setForeground(palette().color(QPalette::Active, QPalette::WindowText));
        for (qsizetype i = 0; i < group.items.size(); ++i) {
            auto *item = new QListWidgetItem(group.items[i], this);
            item->setTextAlignment(Qt::AlignCenter);
            item->setSizeHint(itemSize);
            if (i < group.toolTips.size())
                item->setToolTip(group.toolTips[i]);
        }
    }
    fitHeadings();
    setUpdatesEnabled(true);
    for (int row = 0; row < count(); ++row) {
        if (!isHeading(item(row))) {
            setCurrentRow(row, QItemSelectionModel::NoUpdate);
            break;
        }
    }
    scrollToTop();
}

QStringList HeadedList::itemTexts() const
{
    QStringList texts;
    for (int row = 0; row < count(); ++row) {
        if (!isHeading(item(row)))
            texts.append(item(row)->text());
    }
    return texts;
}

void HeadedList::resizeEvent(QResizeEvent *event)
{
    QListWidget::resizeEvent(event);
    fitHeadings();
}

// A heading as wide as the list, so that it takes its own line.
void HeadedList::fitHeadings()
{
    const int width = std::max(40, viewport()->width() - 2 * spacing() - 4);
    const int height = QFontMetrics(font()).height() * 2 / 3 + 6;
    for (int row = 0; row < count(); ++row) {
        if (isHeading(item(row)))
            item(row)->setSizeHint(QSize(width, height));
    }
}

RadicalDialog::RadicalDialog(const QFont &font, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("RadicalDialog"));
    setWindowTitle(QStringLiteral("部首检字"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose, false);

    partsLabel.setText(QStringLiteral("部件："));
    partsLabel.setBuddy(&parts);
    parts.setObjectName(QStringLiteral("parts"));
    parts.setFont(font);
    parts.setPlaceholderText(QStringLiteral("输入一个或几个部件，如 木目"));
    parts.setToolTip(QStringLiteral("含有所有这些部件的字，笔画少的在前；回车到字表"));
    parts.setAccessibleName(QStringLiteral("部件"));
    parts.setClearButtonEnabled(true);

    radicals.setObjectName(QStringLiteral("radicals"));
    radicals.setFont(font);
    radicals.setAccessibleName(QStringLiteral("部首表"));
    radicals.setToolTip(QStringLiteral("选部首列出它的字；回车或双击把它加到部件里"));
    characters.setObjectName(QStringLiteral("characters"));
    characters.setFont(font);
    characters.setAccessibleName(QStringLiteral("查到的字"));
    characters.setToolTip(QStringLiteral("回车或双击在主窗口显示这个字"));
    notice.setObjectName(QStringLiteral("notice"));
    notice.setWordWrap(true);

    auto *top = new QHBoxLayout;
    top->addWidget(&partsLabel);
    top->addWidget(&parts, 1);
    auto *lists = new QHBoxLayout;
    lists->addWidget(&radicals, 1);
    lists->addWidget(&characters, 1);
    auto *all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(lists, 1);
    all->addWidget(&notice);
    setTabOrder(&parts, &radicals);
    setTabOrder(&radicals, &characters);
    const int em = QFontMetrics(font).height();
    resize(20 * em, 18 * em);

    connect(&parts, &QLineEdit::textEdited, this, &RadicalDialog::partsEdited);
    // Enter in the field goes to the characters found (the dialog has no default button)
    connect(&parts, &QLineEdit::returnPressed, this, [this] {
        if (characters.count() > 0)
            characters.setFocus(Qt::OtherFocusReason);
    });
    connect(&radicals, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *current) {
        if (current && !isHeading(current) && radicals.hasFocus())
            emit radicalChosen(current->text());
    });
    connect(&radicals, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        if (!isHeading(item))
            emit radicalChosen(item->text());
    });
    connect(&radicals, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) {
        if (isHeading(item) || parts.text().contains(item->text()))
            return;
        parts.setText(parts.text() + item->text());
        emit partsEdited(parts.text());
    });
    connect(&characters, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) {
        if (!isHeading(item))
            emit characterChosen(item->text());
    });
}

void RadicalDialog::setRadicals(const QList<HeadedList::Group> &groups)
{
    radicals.setGroups(groups);
}

void RadicalDialog::showCharacters(const QList<HeadedList::Group> &groups, const QString &text)
{
    characters.setGroups(groups);
    if (QListWidgetItem *current = characters.currentItem())
        current->setSelected(true);
    notice.setText(text);
}

void RadicalDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    parts.setFocus(Qt::OtherFocusReason);
    parts.selectAll();
}
