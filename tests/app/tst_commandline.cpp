// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandline.h"
#include "display.h"
#include "tests.h"

#include <QProcess>
#include <QTest>

Q_DECLARE_METATYPE(StartRequest::Action)

// The command line, read before the window system is touched.
class CommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void request_data()
    {
        using Action = StartRequest::Action;
        QTest::addColumn<QStringList>("arguments"); // after the program's name
        QTest::addColumn<Action>("action");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("error");

        QTest::newRow("nothing") << QStringList {} << Action::OpenWindow << ""
                                 << "";
        QTest::newRow("a character") << QStringList { "峰" } << Action::OpenWindow << "峰"
                                     << "";
        QTest::newRow("longer text as typed")
            << QStringList { "山峰" } << Action::OpenWindow << "山峰"
            << "";
        QTest::newRow("control characters dropped")
            << QStringList { "\t山\n峰\x7f" } << Action::OpenWindow << "山峰"
            << "";
        QTest::newRow("invalid UTF-8 dropped")
            << QStringList { QString::fromLocal8Bit("\xff\xc3峰\xe5\xb3") } << Action::OpenWindow
            << "峰"
            << "";
        QTest::newRow("only control characters")
            << QStringList { "\x1b" } << Action::OpenWindow << ""
            << "";
        QTest::newRow("after --") << QStringList { "--", "-峰" } << Action::OpenWindow << "-峰"
                                  << "";
        QTest::newRow("Qt's options are Qt's") << QStringList { "-platform", "offscreen",
            "--style=Fusion", "-reverse", "峰", "-display", ":1" }
                                               << Action::OpenWindow << "峰"
                                               << "";
        QTest::newRow("--help") << QStringList { "--help" } << Action::ShowHelp << ""
                                << "";
        QTest::newRow("-h beside a character")
            << QStringList { "峰", "-h" } << Action::ShowHelp << ""
            << "";
        QTest::newRow("--version") << QStringList { "--version" } << Action::ShowVersion << ""
                                   << "";
        QTest::newRow("unknown long option") << QStringList { "--bogus" } << Action::Refuse << ""
                                             << "Unknown option 'bogus'.";
        QTest::newRow("unknown short option") << QStringList { "峰", "-x" } << Action::Refuse << ""
                                              << "Unknown option 'x'.";
        QTest::newRow("Qt's option name with a value that is no option of Qt's")
            << QStringList { "--platforms=x" } << Action::Refuse << ""
            << "Unknown option 'platforms'.";
        QTest::newRow("two characters") << QStringList { "山", "峰" } << Action::Refuse << ""
                                        << "Too many arguments: one character to look up, or none.";
        // a mode reads all the arguments, and its own reader refuses what it cannot take
        QTest::newRow("card: no value") << QStringList { "--card" } << Action::Refuse << ""
                                        << "Missing value after '--card'.";
        QTest::newRow("card: only spaces")
            << QStringList { "--card", "  " } << Action::Refuse << ""
            << "--card 后面缺少汉字 / --card needs one character or more";
        QTest::newRow("card: unknown option")
            << QStringList { "--card", "峰", "--xml" } << Action::Refuse << ""
            << "Unknown option 'xml'.";
        QTest::newRow("card: a second argument")
            << QStringList { "--card", "峰", "山" } << Action::Refuse << ""
            << "多余的参数 / unexpected argument: 山";
    }

    void request()
    {
        QFETCH(QStringList, arguments);
        QFETCH(StartRequest::Action, action);
        QFETCH(QString, typed);
        QFETCH(QString, error);
        const StartRequest request
            = readCommandLine(QStringList { "/opt/zibrin/zibrin" } + arguments);
        QCOMPARE(request.action, action);
        QCOMPARE(request.typed, typed);
        QCOMPARE(request.error, error);
    }

    // A window start needs the desktop's display, unless another platform is chosen.
    void displayNamed_data()
    {
        QTest::addColumn<QStringList>("arguments"); // after the program's name
        QTest::addColumn<QStringList>("environment"); // NAME=value
        QTest::addColumn<bool>("named");
        QTest::newRow("nothing set") << QStringList {} << QStringList {} << false;
        QTest::newRow("X11") << QStringList { "峰" } << QStringList { "DISPLAY=:0" } << true;
        QTest::newRow("Wayland") << QStringList {} << QStringList { "WAYLAND_DISPLAY=wayland-0" }
                                 << true;
        QTest::newRow("xcb chosen, only Wayland there")
            << QStringList {} << QStringList { "QT_QPA_PLATFORM=xcb", "WAYLAND_DISPLAY=wayland-0" }
            << false;
        QTest::newRow("wayland or xcb, X11 there")
            << QStringList {} << QStringList { "QT_QPA_PLATFORM=wayland;xcb", "DISPLAY=:0" }
            << true;
        QTest::newRow("offscreen chosen")
            << QStringList {} << QStringList { "QT_QPA_PLATFORM=offscreen" } << true;
        QTest::newRow("-platform over the variable")
            << QStringList { "-platform", "vnc" } << QStringList { "QT_QPA_PLATFORM=xcb" } << true;
        QTest::newRow("empty DISPLAY") << QStringList {} << QStringList { "DISPLAY=" } << false;
    }
    void displayNamed()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, environment);
        QFETCH(bool, named);
        QProcessEnvironment env;
        for (const QString &variable : environment)
            env.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
        QCOMPARE(::displayNamed(QStringList { "/opt/zibrin/zibrin" } + arguments, env), named);
    }

    // The program itself, asked for a window: without a display, or with one that cannot be
    // reached, one line and status 1 (not Qt's abort).
    void windowWithoutADisplay_data()
    {
        QTest::addColumn<QString>("display");
        QTest::newRow("none") << QString();
        QTest::newRow("unreachable") << QStringLiteral(":97");
    }
    void windowWithoutADisplay()
    {
        QFETCH(QString, display);
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
            env.remove(QLatin1String(name));
        if (!display.isEmpty())
            env.insert(QStringLiteral("DISPLAY"), display);
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(ZIBRIN_BUILD_DIR "/zibrin"), { QStringLiteral("abc") });
        QVERIFY(program.waitForFinished(30000));
        const QString err = QString::fromUtf8(program.readAllStandardError());
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 1);
        QCOMPARE(err, QStringLiteral("zibrin: %1\n").arg(noDisplayMessage()));
    }
};

int runCommandLineTests(int argc, char *argv[])
{
    CommandLineTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_commandline.moc"
