// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QListWidget>
#include <QString>
#include <QStringList>

// A list of items under headings, laid out left to right and wrapped: each heading takes a line
// of its own and cannot be chosen, the arrows skip it.
class HeadedList : public QListWidget {
    Q_OBJECT
public:
    struct Group {
        QString heading;
        QStringList items;
        QStringList toolTips {}; // one per item, or none
    };

    explicit HeadedList(QWidget *parent = nullptr);
    void setGroups(const QList<Group> &groups);
    QStringList itemTexts() const; // the items without the headings, in order

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void fitHeadings();
};

// The dialog "部首检字", non-modal: a field for parts (focused on opening), the radical table
// grouped by stroke count with each radical's attached forms beside it, and the characters found.
// Choosing a radical (click or arrows) lists its characters; Enter or a double click on a radical
// adds it to the parts; Enter in the field goes to the characters; Enter or a double click on a
// character asks to show it. Esc closes. It only shows; its controller looks up.
class RadicalDialog : public QDialog {
    Q_OBJECT
public:
    explicit RadicalDialog(const QFont &font, QWidget *parent = nullptr);

    void setRadicals(const QList<HeadedList::Group> &groups);
    // The characters found, under headings; notice: what the list is, or why it is empty.
    void showCharacters(const QList<HeadedList::Group> &groups, const QString &notice);

    QLabel partsLabel { this }; // prompt "部件：" of parts
    QLineEdit parts { this }; // the parts typed, pasted or picked
    HeadedList radicals { this }; // the radical table
    HeadedList characters { this }; // the characters found
    QLabel notice { this }; // what the characters are, or why there are none

signals:
    void partsEdited(const QString &text);
    void radicalChosen(const QString &form);
    void characterChosen(const QString &character);

protected:
    void showEvent(QShowEvent *event) override;
};
