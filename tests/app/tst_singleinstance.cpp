// SPDX-License-Identifier: GPL-3.0-or-later
#include "singleinstance.h"
#include "tests.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <cstring>
#include <optional>
#include <thread>

#include <fcntl.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// A socket file bound and then left without a listener, as a copy killed while listening leaves it.
void leaveStaleSocket(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    QVERIFY(size_t(name.size()) < sizeof address.sun_path);
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    QVERIFY(fd >= 0);
    QCOMPARE(::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
    QCOMPARE(::listen(fd, 1), 0);
    ::close(fd);
    QVERIFY(QFileInfo::exists(path));
}

// A connection to the socket that sends nothing, as a process of the user's may hold many; -1
// where the kernel's queue refuses it.
int silentConnection(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
    if (fd >= 0
        && ::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

int openFiles()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size());
}

// A later start's hand-over on a thread of its own, while this thread runs the first copy's events.
bool handOverFromAnotherThread(const SingleInstance &later, const QString &typed)
{
    std::atomic<int> answered = -1;
    std::thread thread([&] { answered = later.handOver(typed) ? 1 : 0; });
    while (answered == -1)
        QTest::qWait(10);
    thread.join();
    return answered == 1;
}

} // namespace

// One running copy per executable and user.
class SingleInstanceTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_dir.emplace();
        QVERIFY(m_dir->isValid());
    }

    void secondCopyIsRefusedUntilTheFirstEnds()
    {
        const QString exe = QStringLiteral("/opt/zibrin/zibrin");
        std::optional<SingleInstance> first;
        first.emplace(m_dir->path(), exe);
        QVERIFY(first->isFirst());
        SingleInstance second(m_dir->path(), exe);
        QVERIFY(!second.isFirst());
        first.reset();
        SingleInstance third(m_dir->path(), exe);
        QVERIFY(third.isFirst());
    }

    void otherExecutablesRunSideBySide()
    {
        SingleInstance first(m_dir->path(), QStringLiteral("/opt/zibrin/zibrin"));
        SingleInstance copy(m_dir->path(), QStringLiteral("/tmp/elsewhere/zibrin"));
        QVERIFY(first.isFirst());
        QVERIFY(copy.isFirst());
        QVERIFY(first.lockFileName() != copy.lockFileName());
    }

    // The same executable reached through a symbolic link is the same program.
    void symbolicLinkIsTheSameExecutable()
    {
        const QString exe = m_dir->filePath(QStringLiteral("zibrin"));
        const QString link = m_dir->filePath(QStringLiteral("link-to-zibrin"));
        QFile file(exe);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(QFile::link(exe, link));
        SingleInstance first(m_dir->path(), exe);
        SingleInstance second(m_dir->path(), link);
        QVERIFY(first.isFirst());
        QVERIFY(!second.isFirst());
    }

    // A copy that has been running for an hour still holds its lock.
    void oldLockOfALiveCopyHolds()
    {
        const QString exe = QStringLiteral("/opt/zibrin/zibrin");
        SingleInstance first(m_dir->path(), exe);
        QVERIFY(first.isFirst());
        QFile lock(first.lockFileName());
        QVERIFY(lock.open(QIODevice::ReadWrite));
        QVERIFY(lock.setFileTime(
            QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
        lock.close();
        SingleInstance second(m_dir->path(), exe);
        QVERIFY(!second.isFirst());
    }

    // The lock of a copy that died without cleaning up does not keep the program from starting.
    void lockOfADeadCopyIsTaken()
    {
        QProcess finished;
        finished.start(QStringLiteral("true"), {});
        QVERIFY(finished.waitForStarted());
        const qint64 deadPid = finished.processId();
        QVERIFY(finished.waitForFinished());

        const QString exe = QStringLiteral("/opt/zibrin/zibrin");
        SingleInstance probe(m_dir->path(), exe);
        const QString lockName = probe.lockFileName();
        QFile lock(lockName);
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(QByteArray::number(deadPid) + "\nzibrin\n" + QSysInfo::machineHostName().toUtf8()
            + "\n");
        lock.close();
        QVERIFY(probe.isFirst());
    }

    // A copy that was killed left its socket: the next start listens all the same, owner only,
    // and takes the request of the start after it.
    void socketOfAKilledCopyIsReplaced()
    {
        const QString exe = QStringLiteral("/opt/zibrin/zibrin");
        SingleInstance first(m_dir->path(), exe);
        leaveStaleSocket(first.socketName());
        QVERIFY(first.isFirst());
        QVERIFY(first.listen());
        QCOMPARE(QFileInfo(first.socketName()).permissions()
                & (QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
                    | QFile::WriteOther | QFile::ExeOther),
            QFileDevice::Permissions());
        QSignalSpy handedOver(&first, &SingleInstance::handedOver);

        SingleInstance second(m_dir->path(), exe);
        QVERIFY(!second.isFirst());
        std::atomic<int> answered = -1;
        // the later start waits for the answer; meanwhile this thread runs the first copy's events
        std::thread later([&] { answered = second.handOver(QStringLiteral("峰\n")) ? 1 : 0; });
        QTRY_VERIFY(answered != -1);
        later.join();
        QCOMPARE(answered.load(), 1);
        QCOMPARE(handedOver.count(), 1);
        QCOMPARE(handedOver.at(0).at(0).toString(), QStringLiteral("峰"));
    }

    // A running copy that takes no events (busy, hung) does not hold the later start: it gives up.
    void runningCopyThatDoesNotAnswer()
    {
        const QString exe = QStringLiteral("/opt/zibrin/zibrin");
        SingleInstance first(m_dir->path(), exe);
        QVERIFY(first.isFirst());
        QVERIFY(first.listen());
        const SingleInstance second(m_dir->path(), exe);
        QVERIFY(!second.handOver(QStringLiteral("峰")));
    }

    // A process of the user's that opens many connections and sends nothing holds at most a few
    // of the running copy's files, and only for a moment; once it lets go, later starts are
    // heard again.
    void manySilentConnections()
    {
        const QString exe = QStringLiteral("/opt/zibrin/zibrin");
        SingleInstance first(m_dir->path(), exe);
        QVERIFY(first.isFirst());
        QVERIFY(first.listen());
        const int before = openFiles();
        QList<int> silent;
        for (int i = 0; i < 1100; ++i) {
            const int fd = silentConnection(first.socketName());
            if (fd >= 0)
                silent.append(fd);
        }
        const auto closeThem = qScopeGuard([&] {
            for (const int fd : silent)
                ::close(fd);
        });
        QVERIFY(!silent.isEmpty());
        QTest::qWait(300);
        QVERIFY(first.isListening());
        const int serverSide = openFiles() - before - int(silent.size());
        QVERIFY2(serverSide <= SingleInstance::maxConnections + 4,
            qPrintable(QStringLiteral("%1 files held for %2 silent connections")
                           .arg(serverSide)
                           .arg(silent.size())));
        for (const int fd : silent)
            ::close(fd);
        silent.clear();

        QSignalSpy handedOver(&first, &SingleInstance::handedOver);
        const SingleInstance later(m_dir->path(), exe);
        QVERIFY(handOverFromAnotherThread(later, QStringLiteral("峰")));
        QCOMPARE(handedOver.count(), 1);
    }

    // A server that stopped (as Qt's does for good when accept() fails) is made anew.
    void serverThatFailedIsRestarted()
    {
        const QString exe = QStringLiteral("/opt/zibrin/zibrin");
        SingleInstance first(m_dir->path(), exe);
        QVERIFY(first.isFirst());
        QVERIFY(first.listen());
        auto *server = first.findChild<QLocalServer *>();
        QVERIFY(server);
        server->close();
        QVERIFY(!first.isListening());
        QVERIFY(!QFileInfo::exists(first.socketName()));
        QTRY_VERIFY_WITH_TIMEOUT(first.isListening(), 3 * SingleInstance::serverCheckMs);
        QSignalSpy handedOver(&first, &SingleInstance::handedOver);
        const SingleInstance later(m_dir->path(), exe);
        QVERIFY(handOverFromAnotherThread(later, QStringLiteral("峰")));
        QCOMPARE(handedOver.count(), 1);
    }

    // Without a usable runtime directory the program runs rather than refusing to start.
    void unusableDirectoryLetsTheProgramRun()
    {
        const QString notADirectory = m_dir->filePath(QStringLiteral("file"));
        QFile file(notADirectory);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        SingleInstance instance(
            notADirectory + QStringLiteral("/run"), QStringLiteral("/opt/zibrin/zibrin"));
        QVERIFY(instance.isFirst());
    }

    // Without XDG_RUNTIME_DIR and with Qt's fallback (runtime-<user> in the temporary folder) not
    // a folder, the lock goes to a private folder of the user's, the same from every current
    // folder: a start from another folder is still a second copy.
    void withoutARuntimeFolderTheLockIsPrivateAndFixed()
    {
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        const QByteArray tmp = qgetenv("TMPDIR");
        const QByteArray cache = qgetenv("XDG_CACHE_HOME");
        const QString currentFolder = QDir::currentPath();
        const auto restore = qScopeGuard([&] {
            for (const auto &[name, value] : { std::pair { "XDG_RUNTIME_DIR", runtime },
                     std::pair { "TMPDIR", tmp }, std::pair { "XDG_CACHE_HOME", cache } }) {
                if (value.isNull())
                    qunsetenv(name);
                else
                    qputenv(name, value);
            }
            QDir::setCurrent(currentFolder);
        });
        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("tmp")));
        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("start1")));
        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("start2")));
        const passwd *user = ::getpwuid(::geteuid());
        QVERIFY(user);
        QFile notAFolder(m_dir->filePath(
            QStringLiteral("tmp/runtime-") + QString::fromLocal8Bit(user->pw_name)));
        QVERIFY(notAFolder.open(QIODevice::WriteOnly));
        notAFolder.close();
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", QFile::encodeName(m_dir->filePath(QStringLiteral("tmp"))));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(m_dir->filePath(QStringLiteral("cache"))));

        const QString exe = QStringLiteral("/opt/zibrin/zibrin");
        QVERIFY(QDir::setCurrent(m_dir->filePath(QStringLiteral("start1"))));
        SingleInstance first(SingleInstance::defaultLockDirectory(), exe);
        QVERIFY(first.isFirst());
        QVERIFY(QDir::setCurrent(m_dir->filePath(QStringLiteral("start2"))));
        SingleInstance second(SingleInstance::defaultLockDirectory(), exe);
        QVERIFY(!second.isFirst());

        const QFileInfo folder(QFileInfo(first.lockFileName()).absolutePath());
        QCOMPARE(folder.absoluteFilePath(), m_dir->filePath(QStringLiteral("cache/zibrin")));
        QCOMPARE(folder.permissions()
                & (QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
                    | QFile::WriteOther | QFile::ExeOther),
            QFileDevice::Permissions());
        QVERIFY(QDir(m_dir->filePath(QStringLiteral("start1"))).isEmpty());
        QVERIFY(QDir(m_dir->filePath(QStringLiteral("start2"))).isEmpty());
    }

private:
    std::optional<QTemporaryDir> m_dir;
};

int runSingleInstanceTests(int argc, char *argv[])
{
    SingleInstanceTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_singleinstance.moc"
