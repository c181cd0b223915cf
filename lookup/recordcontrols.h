// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class PictureBox;
class QLabel;

// The record controls: the picture and the labels of Frame1 that a lookup shows or hides
// together. The lookup controller's display steps are their one owner.
struct RecordControls {
    PictureBox *Picture1 = nullptr; // the stroke-order picture, bound to photo
    QLabel *Label23 = nullptr; // heading "〖拼音〗"
    QLabel *Label2 = nullptr; // heading "〖百度查询〗"
    QLabel *Label9 = nullptr; // heading "〖笔画〗"
    QLabel *Label3 = nullptr; // the pinyin, bound to PY
    QLabel *Label6 = nullptr; // link "读音、释义等": the dictionary page
    QLabel *Label1 = nullptr; // link "< 复制笔画图": copies the picture
    QLabel *Label13 = nullptr; // link "笔顺动画、读音": the animation page (frame step decides)
    QLabel *Label7 = nullptr; // the stroke count, bound to BH
    QLabel *Label24 = nullptr; // link "字卡": the character card
};
