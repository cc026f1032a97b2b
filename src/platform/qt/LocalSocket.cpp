#include "platform/qt/LocalSocket.h"

#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace quillmere::qt {

LocalSocket::LocalSocket(int fd, QObject* parent)
    : QObject(parent)
    , fd_(fd)
    , readable_(std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read))
    , writable_(std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Write)) {
    writable_->setEnabled(false);
    connect(readable_.get(), &QSocketNotifier::activated, this, &LocalSocket::readMore);
    connect(writable_.get(), &QSocketNotifier::activated, this, &LocalSocket::writeMore);
}

LocalSocket::~LocalSocket() {
    // The notifiers go before their descriptor closes.
    readable_.reset();
    writable_.reset();
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool LocalSocket::toAddress(const QString& path, sockaddr_un& address) {
    const QByteArray name = QFile::encodeName(path);
    address = sockaddr_un{};
    address.sun_family = AF_UNIX;
    // Room is left for the closing NUL.
    if (name.isEmpty() || static_cast<std::size_t>(name.size()) >= sizeof address.sun_path) {
        return false;
    }
    std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
    return true;
}

std::unique_ptr<LocalSocket> LocalSocket::connectTo(const QString& path, int timeoutMs) {
    sockaddr_un address;
    if (!toAddress(path, address)) {
        return nullptr;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return nullptr;
    }
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
            return std::make_unique<LocalSocket>(fd);
        }
        // A full queue is a listener that is busy, not one that is gone.
        const bool busy = errno == EAGAIN || errno == EINTR;
        if (!busy || waited.elapsed() >= timeoutMs) {
            ::close(fd);
            return nullptr;
        }
        QThread::msleep(10);
    }
}

void LocalSocket::setReadBufferSize(qint64 size) {
    readLimit_ = std::max<qint64>(size, 0);
    if (readable_) {
        readable_->setEnabled(wantsToRead());
    }
}

bool LocalSocket::wantsToRead() const {
    return fd_ >= 0 && (readLimit_ == 0 || readBuffer_.size() < readLimit_);
}

QByteArray LocalSocket::read(qint64 size) {
    const QByteArray taken = readBuffer_.left(size);
    readBuffer_.remove(0, taken.size());
    if (readable_) {
        readable_->setEnabled(wantsToRead());
    }
    return taken;
}

bool LocalSocket::receive() {
    char chunk[4096];
    while (wantsToRead()) {
        const qint64 room = readLimit_ == 0
                                ? qint64{sizeof chunk}
                                : std::min<qint64>(sizeof chunk, readLimit_ - readBuffer_.size());
        const ssize_t got = ::recv(fd_, chunk, static_cast<std::size_t>(room), MSG_DONTWAIT);
        if (got > 0) {
            readBuffer_.append(chunk, got);
        } else if (got < 0 && errno == EINTR) {
            continue;
        } else {
            // 0: the other end closed; an error other than "nothing yet" ends the connection too.
            return got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
        }
    }
    return false;
}

void LocalSocket::readWaiting() {
    // The end, if it is there, stays to be seen again by the loop.
    static_cast<void>(receive());
    if (readable_) {
        readable_->setEnabled(wantsToRead());
    }
}

void LocalSocket::readMore() {
    const qsizetype before = readBuffer_.size();
    const bool ended = receive();
    if (readable_) {
        readable_->setEnabled(wantsToRead());
    }
    // A handler may end this connection, or delete it.
    const QPointer<LocalSocket> alive(this);
    if (readBuffer_.size() > before) {
        emit readyRead();
    }
    if (ended && alive) {
        abort();
    }
}

void LocalSocket::write(const QByteArray& data) {
    if (fd_ < 0) {
        return;
    }
    writeBuffer_ += data;
    writeMore();
}

void LocalSocket::writeMore() {
    while (!writeBuffer_.isEmpty()) {
        const ssize_t sent =
            ::send(fd_, writeBuffer_.constData(), static_cast<std::size_t>(writeBuffer_.size()),
                   MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent > 0) {
            writeBuffer_.remove(0, sent);
        } else if (sent < 0 && errno == EINTR) {
            continue;
        } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            break;
        } else {
            // The other end is gone. Callers expect the connection to stay until the loop runs.
            writeBuffer_.clear();
            writable_->setEnabled(false);
            QTimer::singleShot(0, this, &LocalSocket::abort);
            return;
        }
    }
    writable_->setEnabled(!writeBuffer_.isEmpty());
    if (writeBuffer_.isEmpty() && closeWhenSent_) {
        abort();
    }
}

void LocalSocket::disconnectFromServer() {
    closeWhenSent_ = true;
    if (fd_ >= 0 && writeBuffer_.isEmpty()) {
        abort();
    }
}

void LocalSocket::abort() {
    if (fd_ < 0) {
        return;
    }
    readable_.reset();
    writable_.reset();
    ::close(fd_);
    fd_ = -1;
    writeBuffer_.clear();
    emit disconnected();
}

bool LocalSocket::waitForReadyRead(int timeoutMs) {
    QElapsedTimer waited;
    waited.start();
    const qsizetype before = readBuffer_.size();
    while (wantsToRead() && readBuffer_.size() == before) {
        const int left =
            timeoutMs < 0 ? -1 : std::max<int>(0, timeoutMs - static_cast<int>(waited.elapsed()));
        pollfd watched{fd_, static_cast<short>(POLLIN | (writeBuffer_.isEmpty() ? 0 : POLLOUT)), 0};
        const int ready = ::poll(&watched, 1, left);
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            return false;
        }
        if ((watched.revents & POLLOUT) != 0) {
            writeMore();
        }
        if ((watched.revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
            readMore();
        }
    }
    return readBuffer_.size() > before;
}

} // namespace quillmere::qt
