// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;
class QTimer;

// One running copy per executable and user: a lock file in the user's runtime directory, named
// after a hash of the executable's canonical path. Beside it, the running copy listens on a local
// socket of the same name (owner only), over which a later start hands over what it was asked to
// show before it ends: one line of UTF-8 text, answered with "ok".
//
// The socket takes any process of the user: at most maxConnections are open at once (the others
// wait in the kernel's queue, not in open files), each for requestTimeoutMs at most, and a server
// that stops (Qt closes it for good when accept() fails) or whose socket file goes is made anew.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // How long a later start waits for the running copy to take its request.
    static constexpr int handOverTimeoutMs = 1000;
    // Connections served at once, and how long one may take to send its line.
    static constexpr int maxConnections = 8;
    static constexpr int requestTimeoutMs = 1000;
    // How often the running copy checks that its server still listens.
    static constexpr int serverCheckMs = 1000;

    SingleInstance(
        const QString &lockDirectory, const QString &executablePath, QObject *parent = nullptr);
    ~SingleInstance() override;

    // Takes the lock unless another running copy holds it, and keeps it until destruction. A lock
    // that cannot be made at all (no runtime directory, no permission) lets the program run.
    bool isFirst();

    QString lockFileName() const { return m_lock.fileName(); }
    QString socketName() const; // the full path of the socket, beside the lock

    // The first copy: listens for the requests of later starts (handedOver). A socket file left
    // by a copy that was killed is removed first: holding the lock, no other copy can be using it.
    // False where the socket cannot be made; the program then runs without it.
    bool listen();
    bool isListening() const;

    // A later start: hands typed (possibly empty) to the running copy. True when it answered
    // within handOverTimeoutMs.
    bool handOver(const QString &typed) const;

    // The user's runtime directory; without a usable one, the folder zibrin in the user's cache
    // folder (made private on first use), never the current folder.
    static QString defaultLockDirectory();

signals:
    // A later start asked for the window, showing typed when that is not empty.
    void handedOver(const QString &typed);

private:
    void readRequest(QLocalSocket *socket);
    void takeConnections();
    void checkServer();

    QLockFile m_lock;
    QLocalServer *m_server = nullptr; // while listening; a child
    int m_open = 0; // connections taken and not yet ended
    QTimer *m_check = nullptr; // checkServer, while listening
};
