// barewindow: the baseline of the start-up benchmark. A bare Qt window that starts as the program
// does (an 11 ms timer started before the window is shown) and ends at that timer's first tick,
// printing the same "startup complete" line as the program's benchmark hook.

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("barewindow"));
    window.resize(685, 431); // the size of the program's window at 96 dpi

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
