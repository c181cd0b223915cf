// SPDX-License-Identifier: GPL-3.0-or-later
// barewindow: the baselines of the start-up benchmark. A bare Qt window that starts as the program
// does (an 11 ms timer started before the window is shown) and ends at that timer's first tick,
// printing the same "startup complete" line as the program's benchmark hook.
//
//   barewindow [--cjk-label | --same-fonts]
//
// With --cjk-label the window shows one label of Chinese text in the program's font family list:
// the cost of loading a CJK font, which the program cannot avoid either. With --same-fonts it
// shows one label in each of the fonts that the program's window sets on its controls at start
// (Form1::setUpControls), each with one of the captions written in it there: the cost of every
// size and weight being loaded and laid out.

#include "fonts.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

namespace {

struct Caption {
    const char *text;
    QFont font;
};

// The fonts of the program's window at start, with a caption or text that shows in each.
std::vector<Caption> windowCaptions()
{
    QFont unhinted = songti(13.5); // the result box's
    unhinted.setHintingPreference(QFont::PreferNoHinting);
    return {
        { "在线查询笔顺（可手写输入)", songti(9) },
        { "读音、释义等", songti(9, false, true) },
        { "输入查询汉字:", songti(10.5) },
        { "〖笔画〗", songti(10.5, true) },
        { "汉字", songti(12) },
        { "汉字笔顺", unhinted },
        { "汉字信息", songti(5.25) },
        { "Label7", songti(13.5, true) },
        { "Label3", songti(18) },
        { "数据库里没有此字符的笔划图", songti(15) },
    };
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("barewindow"));
    window.resize(685, 431); // the size of the program's window at 96 dpi

    std::optional<QLabel> label;
    if (QCoreApplication::arguments().contains(QStringLiteral("--cjk-label"))) {
        label.emplace(QStringLiteral("输入查询汉字:"), &window);
        label->setFont(songti(12));
        label->move(20, 20);
        label->adjustSize();
    }
    std::vector<std::unique_ptr<QLabel>> captions;
    if (QCoreApplication::arguments().contains(QStringLiteral("--same-fonts"))) {
        int top = 10;
        for (const Caption &caption : windowCaptions()) {
            auto &shown = captions.emplace_back(
                std::make_unique<QLabel>(QString::fromUtf8(caption.text), &window));
            shown->setFont(caption.font);
            shown->move(20, top);
            shown->adjustSize();
            top += shown->height() + 4;
        }
    }

    QTimer firstTick;
    firstTick.setSingleShot(true);
    firstTick.setInterval(11);
    QObject::connect(&firstTick, &QTimer::timeout, &window, [] {
        std::fputs("startup complete\n", stdout);
        std::fflush(stdout);
        QCoreApplication::quit();
    });
    firstTick.start();

    window.show();
    return app.exec();
}
