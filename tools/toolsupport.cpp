// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolsupport.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

// Info and above: the tools' messages are for whoever runs the build.
Q_LOGGING_CATEGORY(toolsLog, "zibrin.tools", QtInfoMsg)

namespace toolsupport {

namespace {

const char *toolName = "tool";
QtMessageHandler otherMessages = nullptr;

void writeToolMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (qstrcmp(context.category, toolsLog().categoryName()) != 0) {
        if (otherMessages)
            otherMessages(type, context, message);
        return;
    }
    std::fprintf(stderr, "%s: %s\n", toolName, qPrintable(message));
}

// Removes a file, a symbolic link or a folder with its contents; nothing where there is none.
void removeAny(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir() && !info.isSymLink())
        QDir(path).removeRecursively();
    else if (info.exists() || info.isSymLink())
        QFile::remove(path);
}

} // namespace

void setToolName(const char *name)
{
    toolName = name;
    otherMessages = qInstallMessageHandler(writeToolMessage);
}

void report(const QString &text)
{
    qCWarning(toolsLog).noquote() << text;
}

void fail(const QString &text)
{
    report(text);
    std::exit(1);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    return file.readAll();
}

bool parseCommandLine(QCommandLineParser &parser, const QString &description,
    const QList<QCommandLineOption> &options, const QList<QCommandLineOption> &required)
{
    parser.setApplicationDescription(description);
    parser.addHelpOption();
    parser.addOptions(options);
    parser.process(*QCoreApplication::instance());
    bool complete = true;
    QStringList names;
    for (const QCommandLineOption &option : required) {
        complete = complete && parser.isSet(option);
        names.append(QStringLiteral("--") + option.names().first());
    }
    if (complete)
        return true;
    const QString last = names.takeLast();
    report(names.isEmpty()
            ? last + QStringLiteral(" is required")
            : QStringLiteral("%1 and %2 are required").arg(names.join(QStringLiteral(", ")), last));
    return false;
}

bool writeBytes(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size()
        && file.flush())
        return true;
    report(QStringLiteral("cannot write %1: %2").arg(fileName, file.errorString()));
    return false;
}

bool replaceOutput(const QString &output, const std::function<bool(const QString &partial)> &make)
{
    const QString partial = output + QStringLiteral(".part");
    removeAny(partial);
    if (!make(partial)) {
        removeAny(partial);
        return false;
    }
    // a rename replaces a file, never a folder or the folder a link names
    const QFileInfo old(output);
    if (old.isSymLink() || old.isDir())
        removeAny(output);
    std::error_code error;
    std::filesystem::rename(
        QFile::encodeName(partial).toStdString(), QFile::encodeName(output).toStdString(), error);
    if (error) {
        report(QStringLiteral("cannot rename %1 to %2: %3")
                   .arg(partial, output, QString::fromStdString(error.message())));
        removeAny(partial);
        return false;
    }
    return true;
}

bool replaceFile(const QString &fileName, const QByteArray &bytes)
{
    return replaceOutput(
        fileName, [&bytes](const QString &partial) { return writeBytes(partial, bytes); });
}

} // namespace toolsupport
