// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandline.h"
#include "tests.h"

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
};

int runCommandLineTests(int argc, char *argv[])
{
    CommandLineTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_commandline.moc"
