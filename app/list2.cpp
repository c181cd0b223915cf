// SPDX-License-Identifier: GPL-3.0-or-later
#include "list2.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace list2 {

std::optional<QString> firstItem(const QByteArray &gbkBytes)
{
    // GBK's trail bytes start at 0x40, so no character hides a quote, comma, CR or LF byte.
    QStringDecoder decoder("GBK");
    const QString text = decoder(gbkBytes);

    qsizetype at = 0;
    while (at < text.size() && (text.at(at) == u' ' || text.at(at) == u'\t'))
        ++at;
    if (at == text.size())
        return std::nullopt;

    if (text.at(at) == u'"') {
        const qsizetype end = text.indexOf(u'"', at + 1);
        return text.mid(at + 1, end < 0 ? -1 : end - at - 1);
    }
    qsizetype end = at;
    while (
        end < text.size() && text.at(end) != u',' && text.at(end) != u'\r' && text.at(end) != u'\n')
        ++end;
    return text.mid(at, end - at);
}

Result readFile(const QString &path)
{
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.exists())
        return { QString(), QStringLiteral("找不到文件 %1。").arg(shown) };
    // Without O_NONBLOCK, opening a named pipe waits for a writer for ever. Only a regular file is
    // read: a device (a link to /dev/zero) or a pipe never ends.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return { QString(),
            QStringLiteral("无法打开文件 %1：%2")
                .arg(shown, QString::fromLocal8Bit(std::strerror(errno))) };
    struct stat status = {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return { QString(), QStringLiteral("无法打开文件 %1：不是普通文件。").arg(shown) };
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return { QString(), QStringLiteral("无法打开文件 %1：%2").arg(shown, file.errorString()) };
    }
    // The item ends on the first line; GBK has no LF byte inside a character.
    const std::optional<QString> item = firstItem(file.readLine(maximumReadBytes));
    if (!item)
        return { QString(),
            QStringLiteral("读取文件 %1 时超出了文件末尾：文件是空的。").arg(shown) };
    return { *item, QString() };
}

} // namespace list2
