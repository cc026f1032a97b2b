#include "platform/qt/SingleInstance.h"

#include "platform/qt/LocalServer.h"
#include "platform/qt/LocalSocket.h"
#include "platform/qt/OsIntegration.h"

#include <QDir>

#include <cstdio>

namespace quillmere::qt {

namespace {
constexpr int ConnectTimeoutMs = 500;
} // namespace

SingleInstance::SingleInstance(const QString& folder, const QString& name)
    : folder_(folder)
    , socketPath_(socketPath(folder, name))
    , lock_(QDir(folder).filePath(name + ".lock")) {
    // Only a dead holder makes a lock stale, however old it is.
    lock_.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

LocalServer* SingleInstance::server() const {
    return server_ && server_->isListening() ? server_.get() : nullptr;
}

QString SingleInstance::runtimeFolder() {
    return privateRuntimeFolder();
}

QString SingleInstance::socketPath(const QString& folder, const QString& name) {
    return QDir(folder).filePath(name + ".socket");
}

bool SingleInstance::acquire() {
    // Elsewhere another user could plant the lock first and keep the program from starting.
    if (!isPrivateFolder(folder_)) {
        std::fprintf(stderr,
                     "No private folder for the single-instance lock (%s); "
                     "not checking for another running instance\n",
                     qPrintable(folder_.isEmpty() ? QStringLiteral("none") : folder_));
        return true;
    }
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
    return LocalSocket::connectTo(socketPath_, ConnectTimeoutMs) != nullptr;
}

bool SingleInstance::listen() {
    // Listening replaces a socket file left by a crashed run.
    server_ = std::make_unique<LocalServer>();
    // Still the one instance when listening fails: the lock is what counts.
    server_->listen(socketPath_);
    return true;
}

} // namespace quillmere::qt
