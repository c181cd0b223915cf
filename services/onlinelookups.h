// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class ClickLabel;
class PictureBox;
class UrlOpener;

// Online lookups: the three link labels that open web pages about the current character; their
// clicks are connected here.
class OnlineLookups : public QObject {
    Q_OBJECT
public:
    struct Controls {
        ClickLabel *Label13 = nullptr; // link "笔顺动画、读音": the animation page
        ClickLabel *Label5 = nullptr; // link "在线查询笔顺（可手写输入)": the query page
        ClickLabel *Label6 = nullptr; // link "读音、释义等": the dictionary page
        const QString *Label10 = nullptr; // current character, bound to hz
        const QString *Label2kk = nullptr; // current character, bound to hz
        const PictureBox *Picture1 = nullptr; // its visibility: is a record shown
        UrlOpener *opener = nullptr; // opens the pages
        QString strokeOrderBase; // see strokeOrderBaseAddress
    };

    explicit OnlineLookups(const Controls &controls, QObject *parent = nullptr);

    void Label13_Click();
    void Label5_Click();
    void Label6_Click();

private:
    Controls c;
};
