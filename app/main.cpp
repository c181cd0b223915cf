// SPDX-License-Identifier: GPL-3.0-or-later
#include "aboutinfo.h"
#include "commandline.h"
#include "display.h"
#include "form1.h"
#include "qttranslation.h"
#include "singleinstance.h"
#include "urlopener.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <optional>

namespace {

void nameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("Zibrin"));
    QCoreApplication::setApplicationVersion(aboutinfo::version());
}

} // namespace

int main(int argc, char *argv[])
{
    // every message of the log on standard error as the program's own: "zibrin: ..."
    qSetMessagePattern(QStringLiteral("zibrin: %{message}"));
    // read before the window system is touched: help, version, errors and the modes without a
    // window (a sheet, the card: see programModes()) need no display
    const StartRequest request = readCommandLine(argumentsOf(argc, argv));
    if (request.action == StartRequest::Action::RunMode)
        return runDisplayFree(*request.mode, request.command, argv[0]);
    nameApplication();
    if (request.action != StartRequest::Action::OpenWindow) {
        QCoreApplication core(argc, argv);
        return answerWithoutWindow(request);
    }
    if (!displayNamed(argumentsOf(argc, argv))) {
        std::fprintf(stderr, "zibrin: %s\n", qPrintable(noDisplayMessage()));
        return 1;
    }
    std::optional<NoDisplayGuard> noDisplay;
    noDisplay.emplace();
    QApplication app(argc, argv);
    noDisplay.reset();
    installQtChineseTranslation(app);
    // the menu entry's id, so that the desktop matches the window to it
    QGuiApplication::setDesktopFileName(QStringLiteral("org.zibrin.Zibrin"));

    // A second copy hands its request to the running one, which comes forward, and ends at once.
    SingleInstance instance(
        SingleInstance::defaultLockDirectory(), QCoreApplication::applicationFilePath());
    if (!instance.isFirst()) {
        if (instance.handOver(request.typed))
            return 0;
        // Gone since (its lock is free now): this start is the running copy. Otherwise it runs
        // but does not take the request, and the user is told rather than left without a window.
        if (!instance.isFirst()) {
            std::fputs(
                "zibrin: Zibrin 正在运行，但没有应答 / Zibrin is running but does not answer\n",
                stderr);
            return 1;
        }
    }
    instance.listen();

    DesktopUrlOpener urlOpener;
    Form1 window(QCoreApplication::applicationDirPath(), urlOpener);
    QObject::connect(&window, &Form1::list2Failed, &window, [&window](const QString &message) {
        QMessageBox::critical(&window, QStringLiteral("Zibrin - 启动错误"), message);
        QCoreApplication::exit(1);
    });
    QObject::connect(
        &instance, &SingleInstance::handedOver, &window, [&window](const QString &typed) {
            window.bringForward();
            window.showTyped(typed);
        });
    // once LIST2.txt is read, so that the lookup knows the characters with an animation page
    QObject::connect(&window, &Form1::startupCompleted, &window,
        [&window, typed = request.typed] { window.showTyped(typed); });
    // The start-up benchmark's hook: with ZIBRIN_QUIT_AFTER_STARTUP set, end once start-up is
    // complete.
    if (qEnvironmentVariableIsSet("ZIBRIN_QUIT_AFTER_STARTUP")) {
        QObject::connect(&window, &Form1::startupCompleted, &window, [] {
            std::fputs("startup complete\n", stdout);
            std::fflush(stdout);
            QCoreApplication::quit();
        });
    }
    window.show();
    return app.exec();
}
