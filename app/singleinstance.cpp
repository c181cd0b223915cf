#include "singleinstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString lockPath(const QString &lockDirectory, const QString &executablePath)
{
    const QFileInfo info(executablePath);
    const QString canonical = info.canonicalFilePath().isEmpty() ? info.absoluteFilePath()
                                                                 : info.canonicalFilePath();
    const QByteArray hash = QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha256);
    return QDir(lockDirectory).filePath(QStringLiteral("zibrin-%1.lock")
                                            .arg(QString::fromLatin1(hash.toHex().left(16))));
}

} // namespace

SingleInstance::SingleInstance(const QString &lockDirectory, const QString &executablePath)
    : m_lock(lockPath(lockDirectory, executablePath))
{
    // A lock is stale only when its process is gone, never by age: the first copy may run for days.
    m_lock.setStaleLockTime(0);
}

bool SingleInstance::isFirst()
{
    const QString directory = QFileInfo(m_lock.fileName()).absolutePath();
    if (!QFileInfo(directory).isDir()) {
        // a folder of the user's own: others must not be able to hold the lock
        const QFileInfo parent(QFileInfo(directory).absolutePath());
        QDir().mkpath(parent.absoluteFilePath());
        QDir().mkdir(
            directory, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    if (m_lock.tryLock(0))
        return true;
    return m_lock.error() != QLockFile::LockFailedError;
}

QString SingleInstance::defaultLockDirectory()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return runtime;
    // Without a runtime folder (XDG_RUNTIME_DIR unset, and Qt's own fallback not a usable folder)
    // an empty path would put the lock into the current folder, so that starts from two folders
    // both ran: the user's cache folder is the same wherever the program is started.
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
        + QStringLiteral("/zibrin");
}
