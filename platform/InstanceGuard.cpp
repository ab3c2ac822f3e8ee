#include "platform/InstanceGuard.h"

#include "platform/ZelvoPaths.h"

#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

#include <algorithm>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
constexpr qint64 kMaxRequest = 1024;
}

InstanceGuard::InstanceGuard(const std::string& name, QObject* parent) : QObject(parent), m_name(name) {}

InstanceGuard::~InstanceGuard() {
    if (m_server) {
        m_server->close();  // removes the socket file
        delete m_server;
    }
    if (m_lockFd >= 0) ::close(m_lockFd);  // releases the lock
}

std::string InstanceGuard::SocketPath() const { return ZelvoPaths::RunDir() + "/" + m_name; }
std::string InstanceGuard::LockPath() const { return ZelvoPaths::RunDir() + "/" + m_name + ".lock"; }

InstanceGuard::Result InstanceGuard::Acquire() {
    if (Held()) return Result::Acquired;
    if (!ZelvoPaths::MakeDirs(ZelvoPaths::RunDir())) return Result::Failed;
    const int fd = ::open(LockPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return Result::Failed;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool busy = errno == EWOULDBLOCK;
        ::close(fd);
        return busy ? Result::AlreadyRunning : Result::Failed;
    }
    // The lock is ours, so any socket file left is from a run that ended without cleaning up.
    const QString socketPath = QString::fromStdString(SocketPath());
    QLocalServer::removeServer(socketPath);
    m_lockFd = fd;
    auto* server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(socketPath)) {
        // The lock alone still keeps a second start out; only its requests cannot reach us.
        delete server;
        return Result::Acquired;
    }
    connect(server, &QLocalServer::newConnection, this, &InstanceGuard::OnNewConnection);
    m_server = server;
    return Result::Acquired;
}

void InstanceGuard::OnNewConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        auto drain = [this, socket] {
            while (socket->canReadLine()) {
                const QByteArray line = socket->readLine(kMaxRequest).trimmed();
                if (!line.isEmpty()) emit RequestReceived(QString::fromUtf8(line));
            }
            // A peer that sends an endless line is cut off rather than buffered.
            if (socket->bytesAvailable() > kMaxRequest) socket->abort();
        };
        connect(socket, &QLocalSocket::readyRead, this, drain);
        connect(socket, &QLocalSocket::disconnected, this, [socket, drain] {
            drain();
            socket->deleteLater();
        });
        if (socket->bytesAvailable() > 0) drain();
    }
}

bool InstanceGuard::SendRequest(const std::string& request, int timeoutMs) const {
    const QString socketPath = QString::fromStdString(SocketPath());
    QElapsedTimer clock;
    clock.start();
    // The running instance may be between taking its lock and listening: try again briefly.
    while (true) {
        QLocalSocket socket;
        socket.connectToServer(socketPath);
        if (socket.waitForConnected(std::max(1, timeoutMs - static_cast<int>(clock.elapsed())))) {
            socket.write(QByteArray::fromStdString(request) + '\n');
            const bool written = socket.waitForBytesWritten(std::max(1, timeoutMs - static_cast<int>(clock.elapsed())));
            socket.disconnectFromServer();
            if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(200);
            return written || socket.bytesToWrite() == 0;
        }
        if (clock.elapsed() >= timeoutMs) return false;
        QThread::msleep(50);
    }
}
