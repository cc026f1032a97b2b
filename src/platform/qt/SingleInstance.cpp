#include "platform/qt/SingleInstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace quillmere::qt {

namespace {
constexpr int ConnectTimeoutMs = 500;
} // namespace

SingleInstance::SingleInstance(const QString& folder, const QString& name)
    : socketPath_(QDir(folder).filePath(name + ".socket"))
    , lock_(QDir(folder).filePath(name + ".lock")) {
    // Only a dead holder makes a lock stale, however old it is.
    lock_.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() {
    if (server_) {
        server_->close();
    }
}

QString SingleInstance::runtimeFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return folder.isEmpty() ? QDir::tempPath() : folder;
}

bool SingleInstance::acquire() {
    if (lock_.tryLock(0)) {
        return listen();
    }
    if (anotherAnswers()) {
        return false;
    }
    // The holder is alive but does not answer (a reused process id, a run that hangs in its
    // start-up): the lock does not count.
    lock_.removeStaleLockFile();
    return lock_.tryLock(0) && listen();
}

bool SingleInstance::anotherAnswers() const {
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    return socket.waitForConnected(ConnectTimeoutMs);
}

bool SingleInstance::listen() {
    // A socket file left by a crashed run would make listening fail.
    QLocalServer::removeServer(socketPath_);
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // Still the one instance when listening fails: the lock is what counts.
    server_->listen(socketPath_);
    return true;
}

} // namespace quillmere::qt
