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
    QDir().mkpath(QFileInfo(m_lock.fileName()).absolutePath());
    if (m_lock.tryLock(0))
        return true;
    return m_lock.error() != QLockFile::LockFailedError;
}

QString SingleInstance::defaultLockDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}
