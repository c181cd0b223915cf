// SPDX-License-Identifier: GPL-3.0-or-later
#include "outputfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sheets {

namespace {

// Written to the file in pieces of this size; the PDF writer's many small writes are gathered.
constexpr qsizetype bufferBytes = 64 * 1024;
// As the kernel's own limit of symbolic links followed in one path.
constexpr int maxLinksFollowed = 40;

QString parentOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash <= 0 ? QStringLiteral("/") : path.left(slash);
}

// The absolute path without resolving "..": a link's ".." is the kernel's, not the text's.
QString absoluteOf(const QString &path)
{
    return path.startsWith(u'/') ? path : QDir::currentPath() + u'/' + path;
}

QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("是文件夹");
    if (S_ISFIFO(mode))
        return QStringLiteral("是命名管道");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("是设备文件");
    if (S_ISSOCK(mode))
        return QStringLiteral("是套接字");
    return QStringLiteral("不是普通文件");
}

bool sameFile(const struct stat &a, const QString &path)
{
    struct stat b { };
    return ::stat(QFile::encodeName(path).constData(), &b) == 0 && a.st_dev == b.st_dev
        && a.st_ino == b.st_ino;
}

} // namespace

QString errnoText(int error)
{
    switch (error) {
    case ENOSPC:
        return QStringLiteral("磁盘空间不足");
    case EDQUOT:
        return QStringLiteral("超出了磁盘配额");
    case EFBIG:
        return QStringLiteral("文件超出了允许的大小");
    case EACCES:
    case EPERM:
        return QStringLiteral("没有权限");
    case ENOENT:
        return QStringLiteral("文件夹不存在");
    case ENOTDIR:
        return QStringLiteral("路径中有一项不是文件夹");
    case EISDIR:
        return QStringLiteral("是文件夹");
    case EROFS:
        return QStringLiteral("文件系统是只读的");
    case ENAMETOOLONG:
        return QStringLiteral("文件名太长");
    case ELOOP:
        return QStringLiteral("符号链接太多");
    case EIO:
        return QStringLiteral("读写设备出错");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("文件正被使用");
    case EXDEV:
        return QStringLiteral("不能跨文件系统替换");
    case EPIPE:
        return QStringLiteral("接收输出的程序已经结束");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("打开的文件太多");
    default:
        return QStringLiteral("系统错误（errno %1）").arg(error);
    }
}

QString visibleText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        switch (u) {
        case u'\n':
            out += QLatin1String("\\n");
            continue;
        case u'\t':
            out += QLatin1String("\\t");
            continue;
        case u'\r':
            out += QLatin1String("\\r");
            continue;
        case 0x1b:
            out += QLatin1String("\\e");
            continue;
        case u'\\':
            out += QLatin1String("\\\\");
            continue;
        default:
            break;
        }
        const bool hidden = c.category() == QChar::Other_Control || u == 0x2028 || u == 0x2029
            || (u >= 0x202a && u <= 0x202e) || (u >= 0x2066 && u <= 0x2069) || u == 0x200e
            || u == 0x200f || u == 0x061c;
        if (!hidden)
            out += c;
        else if (u < 0x100)
            out += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
        else
            out += QStringLiteral("\\u%1").arg(u, 4, 16, QLatin1Char('0'));
    }
    return out;
}

OutputFile::OutputFile(const QString &programFolder, QObject *parent)
    : QIODevice(parent)
    , m_programFolder(programFolder)
{
}

OutputFile::~OutputFile()
{
    removeTemporary();
}

void OutputFile::fail(const QString &reason)
{
    if (!m_failed) {
        m_failed = true;
        m_error = QStringLiteral("无法写入“%1”：%2").arg(visibleText(m_requested), reason);
    }
}

void OutputFile::failWithErrno(int error)
{
    fail(errnoText(error));
}

bool OutputFile::openFor(const QString &path)
{
    m_requested = path;
    m_failed = false;
    m_error.clear();
    if (path == QLatin1String("-")) {
        if (::isatty(STDOUT_FILENO)) {
            fail(QStringLiteral("标准输出是终端；请把它重定向到文件或管道"));
            return false;
        }
        m_fd = STDOUT_FILENO;
        m_target = path;
        return QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

    // Follow the links of the last part of the path one by one, as the kernel would, refusing
    // one that fs.protected_symlinks refuses: in a sticky folder others can write to, a link is
    // followed only when it belongs to the follower or to the folder's owner.
    QString current = absoluteOf(path);
    struct stat existing { };
    bool exists = false;
    for (int links = 0;; ++links) {
        if (links > maxLinksFollowed) {
            failWithErrno(ELOOP);
            return false;
        }
        const QByteArray encoded = QFile::encodeName(current);
        struct stat info { };
        if (::lstat(encoded.constData(), &info) != 0) {
            if (errno != ENOENT) {
                failWithErrno(errno);
                return false;
            }
            break; // a new file
        }
        if (!S_ISLNK(info.st_mode)) {
            if (!S_ISREG(info.st_mode)) {
                fail(kindOf(info.st_mode) + QStringLiteral("，不是普通文件，不会替换它"));
                return false;
            }
            existing = info;
            exists = true;
            break;
        }
        const QString folder = parentOf(current);
        struct stat folderInfo { };
        if (::stat(QFile::encodeName(folder).constData(), &folderInfo) != 0) {
            failWithErrno(errno);
            return false;
        }
        const bool shared = (folderInfo.st_mode & S_ISVTX) && (folderInfo.st_mode & S_IWOTH);
        if (shared && info.st_uid != ::geteuid() && info.st_uid != folderInfo.st_uid) {
            fail(QStringLiteral(
                "它是别人放在共享文件夹里的符号链接，写入会替换链接指向的文件，所以不写"));
            return false;
        }
        QByteArray destination(qsizetype(info.st_size > 0 ? info.st_size : PATH_MAX) + 1, '\0');
        const ssize_t length
            = ::readlink(encoded.constData(), destination.data(), size_t(destination.size()));
        if (length < 0 || length >= destination.size()) {
            failWithErrno(length < 0 ? errno : ENAMETOOLONG);
            return false;
        }
        destination.truncate(length);
        const QString next = QFile::decodeName(destination);
        current = next.startsWith(u'/') ? next : folder + u'/' + next;
    }

    // the program's own data: Photo.mdb, LIST2.txt, the character cards, the licences of the font
    // and of the cards, the program, pages
    if (!m_programFolder.isEmpty()) {
        const QString program = QFileInfo(m_programFolder).canonicalFilePath();
        const QString folder = QFileInfo(parentOf(current)).canonicalFilePath();
        const QString name = current.mid(current.lastIndexOf(u'/') + 1);
        const QString pages
            = QFileInfo(m_programFolder + QStringLiteral("/strokeorder")).canonicalFilePath();
        bool own = false;
        for (const char *file :
            { "Photo.mdb", "LIST2.txt", "card.db", "ARPHICPL.TXT", "CC-BY-SA-4.0.txt", "zibrin" }) {
            const QString ownFile = m_programFolder + u'/' + QLatin1String(file);
            own = own || (exists && sameFile(existing, ownFile))
                || (!program.isEmpty() && folder == program && name == QLatin1String(file));
        }
        own = own
            || (!pages.isEmpty() && !folder.isEmpty()
                && (folder == pages || folder.startsWith(pages + u'/')));
        if (own) {
            fail(QStringLiteral("这是 Zibrin 自己的数据文件，不能覆盖"));
            return false;
        }
    }

    m_target = current;
    QByteArray pattern = QFile::encodeName(parentOf(current)) + "/."
        + QFile::encodeName(current.mid(current.lastIndexOf(u'/') + 1)) + ".XXXXXX";
    m_fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (m_fd < 0) {
        failWithErrno(errno);
        return false;
    }
    m_temporary = pattern;
    // the permissions of the file replaced, or those of a new file under the umask
    mode_t mode = 0;
    if (exists) {
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(m_fd, mode);
    return QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 OutputFile::readData(char *, qint64)
{
    return -1;
}

qint64 OutputFile::writeData(const char *data, qint64 size)
{
    if (m_failed || m_fd < 0)
        return -1;
    m_buffer.append(data, size);
    if (m_buffer.size() >= bufferBytes && !flushBuffer())
        return -1;
    return size;
}

bool OutputFile::flushBuffer()
{
    const char *data = m_buffer.constData();
    qsizetype left = m_buffer.size();
    while (left > 0) {
        const ssize_t written = ::write(m_fd, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            failWithErrno(errno);
            m_buffer.clear();
            return false;
        }
        data += written;
        left -= written;
    }
    m_buffer.clear();
    return true;
}

bool OutputFile::commit()
{
    if (m_fd < 0)
        return false;
    const bool standardOutput = m_temporary.isEmpty();
    bool ok = !m_failed && flushBuffer();
    if (ok && !standardOutput && ::fsync(m_fd) != 0) {
        failWithErrno(errno);
        ok = false;
    }
    if (!standardOutput) {
        if (::close(m_fd) != 0 && ok) {
            failWithErrno(errno);
            ok = false;
        }
        m_fd = -1;
    }
    QIODevice::close();
    if (!ok) {
        removeTemporary();
        return false;
    }
    if (standardOutput)
        return true;
    if (::rename(m_temporary.constData(), QFile::encodeName(m_target).constData()) != 0) {
        failWithErrno(errno);
        removeTemporary();
        return false;
    }
    m_temporary.clear();
    return true;
}

void OutputFile::cancel()
{
    m_buffer.clear();
    QIODevice::close();
    removeTemporary();
}

void OutputFile::removeTemporary()
{
    if (m_temporary.isEmpty())
        return;
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    ::unlink(m_temporary.constData());
    m_temporary.clear();
}

} // namespace sheets
