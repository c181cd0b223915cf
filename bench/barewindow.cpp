// barewindow: the baselines of the start-up benchmark. A bare Qt window that starts as the program
// does (an 11 ms timer started before the window is shown) and ends at that timer's first tick,
// printing the same "startup complete" line as the program's benchmark hook.
//
//   barewindow [--cjk-label]
//
// With --cjk-label the window shows one label of Chinese text in the program's font family list:
// the cost of loading a CJK font, which the program cannot avoid either.

#include "fonts.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <optional>

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
