#include "form1.h"
#include "qttranslation.h"
#include "sheetcommand.h"
#include "singleinstance.h"
#include "urlopener.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>

#include <cstdio>
#include <cstring>

namespace {

// The command line: the program takes no arguments of its own but --help and --version.
// QCommandLineParser::process prints the help, the version or an error and ends the program.
void processCommandLine(const QCoreApplication &app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Zibrin 查汉字：笔顺图、笔画数、拼音，按笔画或拼音查字。\n"
                                                    "Looks up simplified Chinese characters."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.process(app);
}

// Whether the arguments ask for the help or the version, which are answered before the window
// system is touched, so that they work without a display.
bool asksForHelpOrVersion(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        for (const char *option : {"-h", "--help", "--help-all", "-?", "-v", "--version"}) {
            if (std::strcmp(argv[i], option) == 0)
                return true;
        }
    }
    return false;
}

void nameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("Zibrin"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZIBRIN_VERSION));
}

} // namespace

int main(int argc, char *argv[])
{
    // the practice sheet from the command line: no window, no display needed
    if (sheets::asksForPracticeSheet(argc, argv))
        return sheets::runPracticeSheetCommand(argc, argv);
    if (asksForHelpOrVersion(argc, argv)) {
        QCoreApplication core(argc, argv);
        nameApplication();
        processCommandLine(core);
        return 0;
    }
    QApplication app(argc, argv);
    nameApplication();
    // Qt's own options (-platform, -display ...) have been taken out; anything left is an error.
    processCommandLine(app);
    installQtChineseTranslation(app);
    // the menu entry's id, so that the desktop matches the window to it
    QGuiApplication::setDesktopFileName(QStringLiteral("org.zibrin.Zibrin"));

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
