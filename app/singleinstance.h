#pragma once

#include <QLockFile>
#include <QString>

// One running copy per executable and user: a lock file in the user's runtime directory, named
// after a hash of the executable's canonical path.
class SingleInstance
{
public:
    SingleInstance(const QString &lockDirectory, const QString &executablePath);

    // Takes the lock unless another running copy holds it, and keeps it until destruction. A lock
    // that cannot be made at all (no runtime directory, no permission) lets the program run.
    bool isFirst();

    QString lockFileName() const { return m_lock.fileName(); }

    // The user's runtime directory; without a usable one, the folder zibrin in the user's cache
    // folder (made private on first use), never the current folder.
    static QString defaultLockDirectory();

private:
    QLockFile m_lock;
};
