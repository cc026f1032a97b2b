#include "platform/qt/LocalServer.h"

#include "platform/qt/LocalSocket.h"

#include <QFile>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace quillmere::qt {

namespace {

// Out of descriptors or memory: try again after a while rather than at once, forever.
constexpr int RetryAfterMs = 1000;
// Taken per turn of the loop: connections that ended in between are cleared away before more
// come, so a burst does not count as a crowd.
constexpr int MaxPerTurn = 32;

} // namespace

LocalServer::LocalServer() = default;

LocalServer::~LocalServer() {
    close();
}

bool LocalServer::listen(const QString& path) {
    close();
    sockaddr_un address;
    if (!LocalSocket::toAddress(path, address)) {
        return false;
    }
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    ::unlink(name.constData());
    // Owner only: connecting needs write permission on the socket file.
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::chmod(name.constData(), S_IRUSR | S_IWUSR) != 0 || ::listen(fd, SOMAXCONN) != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    path_ = path;
    pending_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(pending_.get(), &QSocketNotifier::activated, this, [this] {
        // Quiet until the queue has been emptied: nobody may be taking connections yet.
        pending_->setEnabled(false);
        takenThisTurn_ = 0;
        emit newConnection();
    });
    return true;
}

LocalSocket* LocalServer::nextPendingConnection() {
    if (fd_ < 0) {
        return nullptr;
    }
    if (takenThisTurn_ >= MaxPerTurn) {
        pending_->setEnabled(true);
        return nullptr;
    }
    for (;;) {
        const int client = ::accept4(fd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (client >= 0) {
            // What a client sent before it was taken is there at once: in a burst of
            // connections, those with a request are not mistaken for silent ones.
            ++takenThisTurn_;
            auto* socket = new LocalSocket(client);
            socket->readWaiting();
            return socket;
        }
        if (errno == EINTR || errno == ECONNABORTED) {
            continue;
        }
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            pending_->setEnabled(true);
        } else {
            QTimer::singleShot(RetryAfterMs, pending_.get(),
                               [this] { pending_->setEnabled(true); });
        }
        return nullptr;
    }
}

void LocalServer::close() {
    if (fd_ < 0) {
        return;
    }
    pending_.reset();
    ::close(fd_);
    fd_ = -1;
    ::unlink(QFile::encodeName(path_).constData());
    path_.clear();
}

} // namespace quillmere::qt
