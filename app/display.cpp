// SPDX-License-Identifier: GPL-3.0-or-later
#include "display.h"

#include "commandline.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QtMessageHandler previousHandler = nullptr;

void fatalMeansNoDisplay(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "zibrin: %s\n", qPrintable(noDisplayMessage()));
        std::fflush(stderr);
        std::_Exit(1);
    }
    // qt.qpa.xcb: could not connect to display ... : said once, by the line above
    if (context.category && std::strncmp(context.category, "qt.qpa", 6) == 0)
        return;
    if (previousHandler)
        previousHandler(type, context, text);
}

// The platform Qt will use: -platform among the arguments, else QT_QPA_PLATFORM.
QString chosenPlatform(const QStringList &arguments, const QProcessEnvironment &environment)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--"))
            break;
        if (argument == QLatin1String("-platform") || argument == QLatin1String("--platform"))
            return arguments.value(i + 1);
        for (const char *prefix : { "-platform=", "--platform=" }) {
            if (argument.startsWith(QLatin1String(prefix)))
                return argument.mid(qsizetype(std::strlen(prefix)));
        }
    }
    return environment.value(QStringLiteral("QT_QPA_PLATFORM"));
}

// A folder of the user's that only the user can enter, as Qt wants a runtime folder to be.
bool isPrivateFolder(const QString &path)
{
    struct stat info { };
    return !path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &info) == 0
        && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & 0777) == 0700;
}

} // namespace

QStringList argumentsOf(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments += QString::fromLocal8Bit(argv[i]);
    return arguments;
}

int runDisplayFree(const CommandMode &mode, const std::any &request, char *program)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // a desktop's theme plugin may reach for the session bus and the runtime folder
    qunsetenv("QT_QPA_PLATFORMTHEME");
    // QGuiApplication looks into the runtime folder (for a sandbox's flatpak-info) and, where
    // XDG_RUNTIME_DIR names no private folder of the user's, makes $TMPDIR/runtime-$USER and
    // says so: a private temporary folder stands in, removed at the end
    std::optional<QTemporaryDir> runtime;
    if (!isPrivateFolder(qEnvironmentVariable("XDG_RUNTIME_DIR"))) {
        runtime.emplace();
        if (runtime->isValid())
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime->path()));
    }
    // only the program's name: the arguments are the mode's, read already
    int qtArgc = 1;
    char *qtArgv[] = { program, nullptr };
    QGuiApplication app(qtArgc, qtArgv);
    QCoreApplication::setApplicationName(QStringLiteral("Zibrin"));
    return mode.run(request);
}

bool displayNamed(const QStringList &arguments, const QProcessEnvironment &environment)
{
    const QString platform = chosenPlatform(arguments, environment);
    const bool x11 = !environment.value(QStringLiteral("DISPLAY")).isEmpty();
    const bool wayland = !environment.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty();
    if (platform.isEmpty())
        return x11 || wayland;
    // "xcb;wayland": the first that starts; "xcb:option": the name before the colon
    for (const QString &choice : platform.split(u';', Qt::SkipEmptyParts)) {
        const QString name = choice.section(u':', 0, 0).trimmed();
        if (name == QLatin1String("xcb")) {
            if (x11)
                return true;
        } else if (name.startsWith(QLatin1String("wayland"))) {
            if (wayland)
                return true;
        } else {
            return true;
        }
    }
    return false;
}

QString noDisplayMessage()
{
    return QStringLiteral("没有可用的图形显示，无法打开窗口 / no display to open the window on "
                          "(DISPLAY and WAYLAND_DISPLAY are not set or cannot be reached)");
}

NoDisplayGuard::NoDisplayGuard()
{
    previousHandler = qInstallMessageHandler(fatalMeansNoDisplay);
}

NoDisplayGuard::~NoDisplayGuard()
{
    qInstallMessageHandler(previousHandler);
    previousHandler = nullptr;
}
