// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>

// Form16: the About dialog, modal and topmost: the program's name, version and licence, and the
// sources of its data with their licences.
class Form16 : public QDialog {
    Q_OBJECT
public:
    explicit Form16(QWidget *parent = nullptr);

    QLabel Image1 { this }; // the banner, stretched to its box
    QLabel Label1 { this }; // name and version
    QLabel Label2 { this }; // the licence
    QLabel Label3 { this }; // "数据来源："
    QLabel Label4 { this }; // the data sources, one a line
    QWidget Line1_0 { this }; // the etched separator: grey line
    QWidget Line1_1 { this }; // and white line below it
    QPushButton Command1 { this };

    void Command1_Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void load();
};
