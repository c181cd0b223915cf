#include "form1.h"
#include "qttranslation.h"
#include "singleinstance.h"
#include "urlopener.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zibrin"));
    installQtChineseTranslation(app);

    // A second copy ends at once, silently, leaving the running one alone.
    SingleInstance instance(SingleInstance::defaultLockDirectory(), QCoreApplication::applicationFilePath());
    if (!instance.isFirst())
        return 0;

    DesktopUrlOpener urlOpener;
    Form1 window(QCoreApplication::applicationDirPath(), urlOpener);
    QObject::connect(&window, &Form1::list2Failed, &window, [&window](const QString &message) {
        QMessageBox::critical(&window, QStringLiteral("Zibrin - 启动错误"), message);
        QCoreApplication::exit(1);
    });
    // The start-up benchmark's hook: with ZIBRIN_QUIT_AFTER_STARTUP set, end once start-up is complete.
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
