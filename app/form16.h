// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "clicklabel.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>

class UrlOpener;

// Form16: the About dialog, modal and topmost, with the maker's links.
class Form16 : public QDialog {
    Q_OBJECT
public:
    explicit Form16(UrlOpener &urlOpener, QWidget *parent = nullptr);

    QLabel Image1 { this }; // the banner, stretched to its box
    QLabel Label1 { this };
    QLabel Label2 { this };
    ClickLabel Label6 { this }; // web site
    QLabel Label3 { this };
    ClickLabel Label5 { this }; // e-mail
    QLabel Label4 { this };
    QLabel Label8 { this };
    ClickLabel Label7 { this }; // download page
    QWidget Line1_0 { this }; // the etched separator: grey line
    QWidget Line1_1 { this }; // and white line below it
    QPushButton Command1 { this };

    void Command1_Click();
    void Label5_Click();
    void Label6_Click();
    void Label7_Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void load();

    UrlOpener &m_urlOpener;
};
