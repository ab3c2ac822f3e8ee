#pragma once
// One running program per user: a local socket named after the instance marker, under the run
// folder. Taking the instance and creating its socket is one step under an exclusive lock on a
// lock file held for the life of the process, so two quick starts can never both run, and a socket
// left by a crashed run (whose lock died with it) is replaced. A later start talks to the running
// one over the socket: it sends one request line, for example to show the main window.
#include <QObject>
#include <QString>

#include <memory>
#include <string>

class QLocalServer;

class InstanceGuard : public QObject {
    Q_OBJECT
public:
    enum class Result { Acquired, AlreadyRunning, Failed };

    explicit InstanceGuard(const std::string& name, QObject* parent = nullptr);
    ~InstanceGuard() override;

    // Takes the instance: locks, removes a stale socket, listens. AlreadyRunning when another
    // process holds it; Failed when the run folder or the lock cannot be made. When only the
    // socket cannot be made the instance is still taken, without requests (Listening false).
    Result Acquire();
    bool Held() const { return m_lockFd >= 0; }
    bool Listening() const { return m_server != nullptr; }

    // From a later start: sends one request line to the running instance. False when no
    // instance answers within the time given.
    bool SendRequest(const std::string& request, int timeoutMs = 2000) const;

    std::string SocketPath() const;
    std::string LockPath() const;

signals:
    // A request line from a later start (without its line end), on the owning thread.
    void RequestReceived(const QString& request);

private:
    void OnNewConnection();

    std::string m_name;
    int m_lockFd = -1;
    QLocalServer* m_server = nullptr;
};
