// SPDX-License-Identifier: GPL-3.0-or-later
#include "singleinstance.h"

#include "applog.h"

#include "commandline.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>

namespace {

QString lockPath(const QString &lockDirectory, const QString &executablePath)
{
    const QFileInfo info(executablePath);
    const QString canonical
        = info.canonicalFilePath().isEmpty() ? info.absoluteFilePath() : info.canonicalFilePath();
    const QByteArray hash
        = QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha256);
    return QDir(lockDirectory)
        .filePath(QStringLiteral("zibrin-%1.lock").arg(QString::fromLatin1(hash.toHex().left(16))));
}

// The longest request taken: the input box's own limit of 32767 characters, three bytes each in
// UTF-8 at most, and the line end. A longer one is cut off unread.
constexpr qint64 maxRequestBytes = 3 * 32767 + 1;

} // namespace

SingleInstance::SingleInstance(
    const QString &lockDirectory, const QString &executablePath, QObject *parent)
    : QObject(parent)
    , m_lock(lockPath(lockDirectory, executablePath))
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
    if (m_lock.error() == QLockFile::LockFailedError)
        return false;
    qCWarning(appLog) << "single instance: cannot make the lock" << m_lock.fileName()
                      << "; running without it";
    return true;
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::socketName() const
{
    QString name = m_lock.fileName();
    name.chop(int(qstrlen(".lock")));
    return name + QStringLiteral(".socket");
}

bool SingleInstance::listen()
{
    if (m_server)
        return true;
    auto *server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    // connections beyond these wait in the kernel's queue, which refuses more when full
    server->setMaxPendingConnections(1);
    QLocalServer::removeServer(socketName());
    if (!server->listen(socketName())) {
        qCWarning(appLog) << "single instance: cannot listen on" << socketName()
                          << server->errorString();
        delete server;
        return false;
    }
    m_server = server;
    connect(server, &QLocalServer::newConnection, this, &SingleInstance::takeConnections);
    if (!m_check) {
        m_check = new QTimer(this);
        m_check->setInterval(serverCheckMs);
        connect(m_check, &QTimer::timeout, this, &SingleInstance::checkServer);
        m_check->start();
    }
    return true;
}

bool SingleInstance::isListening() const
{
    return m_server && m_server->isListening();
}

void SingleInstance::takeConnections()
{
    while (m_server && m_open < maxConnections) {
        QLocalSocket *socket = m_server->nextPendingConnection();
        if (!socket)
            return;
        ++m_open;
        connect(socket, &QObject::destroyed, this, [this] {
            --m_open;
            takeConnections();
        });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
        QTimer::singleShot(requestTimeoutMs, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
        readRequest(socket);
    }
}

void SingleInstance::checkServer()
{
    if (m_server && m_server->isListening() && QFileInfo::exists(socketName()))
        return;
    qCWarning(appLog) << "single instance: the server stopped"
                      << (m_server ? m_server->errorString() : QString()) << "; listening anew";
    if (m_server) {
        m_server->close();
        m_server->deleteLater();
        m_server = nullptr;
    }
    listen();
}

void SingleInstance::readRequest(QLocalSocket *socket)
{
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > maxRequestBytes)
            socket->abort();
        return;
    }
    const QByteArray line = socket->readLine(maxRequestBytes + 1);
    socket->write("ok\n");
    socket->disconnectFromServer();
    emit handedOver(typedText(QString::fromUtf8(line.chopped(line.endsWith('\n') ? 1 : 0))));
}

bool SingleInstance::handOver(const QString &typed) const
{
    const QDeadlineTimer deadline(handOverTimeoutMs);
    QLocalSocket socket;
    socket.connectToServer(socketName());
    if (!socket.waitForConnected(int(deadline.remainingTime()))) {
        qCWarning(appLog) << "single instance: cannot reach the running copy at" << socketName()
                          << socket.errorString();
        return false;
    }
    // no line end inside: control characters are not taken from outside
    QByteArray request = typedText(typed).left(32767).toUtf8();
    request.append('\n');
    socket.write(request);
    while (!socket.canReadLine()) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(int(deadline.remainingTime()))) {
            qCWarning(appLog) << "single instance: the running copy did not answer"
                              << socket.errorString();
            return false;
        }
    }
    return socket.readLine().startsWith("ok");
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
