#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QSocketNotifier;

namespace quillmere::qt {

class LocalSocket;

// Listens on a local (Unix domain) stream socket that only this user may connect to.
class LocalServer : public QObject {
    Q_OBJECT

public:
    LocalServer();
    // Stops listening and removes the socket file.
    ~LocalServer() override;

    // Listens at `path`, replacing a socket file an earlier run left there. False when the path
    // is too long for a socket or the folder refuses it.
    bool listen(const QString& path);
    bool isListening() const { return fd_ >= 0; }
    QString path() const { return path_; }

    // The next waiting connection, for the caller to own; null when none waits or enough were
    // taken in this turn of the loop. The server tells of more only once this has returned null.
    LocalSocket* nextPendingConnection();

signals:
    void newConnection();

private:
    void close();

    int fd_ = -1;
    int takenThisTurn_ = 0;
    QString path_;
    std::unique_ptr<QSocketNotifier> pending_;
};

} // namespace quillmere::qt
