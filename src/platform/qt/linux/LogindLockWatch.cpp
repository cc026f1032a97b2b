#include "platform/qt/linux/LogindLockWatch.h"

#include "platform/qt/linux/DBusReply.h"

#include <QDBusObjectPath>
#include <QDBusServiceWatcher>

namespace quillmere::qt {

namespace {

const QString Service = QStringLiteral("org.freedesktop.login1");
const QString ManagerPath = QStringLiteral("/org/freedesktop/login1");
const QString Manager = QStringLiteral("org.freedesktop.login1.Manager");
const QString Session = QStringLiteral("org.freedesktop.login1.Session");
const QString Properties = QStringLiteral("org.freedesktop.DBus.Properties");
// This process's session, or else the user's graphical one (for a program started by the
// user's service manager rather than inside the session).
const QString AutoSessionPath = QStringLiteral("/org/freedesktop/login1/session/auto");
const QString LockedHint = QStringLiteral("LockedHint");

} // namespace

LogindLockWatch::LogindLockWatch(QDBusConnection systemBus)
    : bus_(std::move(systemBus)) {}

LogindLockWatch::~LogindLockWatch() {
    unwatch();
}

void LogindLockWatch::watch(double, Observer observer) {
    unwatch();
    observer_ = std::move(observer);
    watching_ = true;
    if (!bus_.isConnected()) {
        return;
    }
    owner_ = std::make_unique<QDBusServiceWatcher>(Service, bus_,
                                                   QDBusServiceWatcher::WatchForOwnerChange);
    connect(owner_.get(), &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) {
                // A restarted logind keeps the sessions and their hints: read them again.
                forgetSession();
                if (!newOwner.isEmpty()) {
                    findSession();
                }
            });
    findSession();
}

void LogindLockWatch::unwatch() {
    if (!watching_) {
        return;
    }
    watching_ = false;
    owner_.reset();
    forgetSession();
    observer_ = {};
    locked_ = false;
}

void LogindLockWatch::findSession() {
    // The signals come from the session's own path, not the "auto" alias: look it up by its id.
    callAsync(bus_, propertyGet(Service, AutoSessionPath, Session, QStringLiteral("Id")), this,
              [this, generation = generation_](const QDBusMessage& reply) {
                  const auto id = propertyValue<QString>(reply);
                  if (generation != generation_ || !id || id->isEmpty()) {
                      return;
                  }
                  callAsync(bus_,
                            methodCall(Service, ManagerPath, Manager, QStringLiteral("GetSession"),
                                       {*id}),
                            this, [this, generation](const QDBusMessage& reply) {
                                const auto path = firstArgument<QDBusObjectPath>(reply);
                                if (generation == generation_ && path) {
                                    followSession(path->path());
                                }
                            });
              });
}

void LogindLockWatch::followSession(const QString& path) {
    sessionPath_ = path;
    bus_.connect(Service, path, Session, QStringLiteral("Lock"), this, SLOT(onLock()));
    bus_.connect(Service, path, Session, QStringLiteral("Unlock"), this, SLOT(onUnlock()));
    bus_.connect(Service, path, Properties, QStringLiteral("PropertiesChanged"), this,
                 SLOT(onPropertiesChanged(QString, QVariantMap, QStringList)));
    readLockedHint();
}

void LogindLockWatch::forgetSession() {
    ++generation_;
    if (sessionPath_.isEmpty()) {
        return;
    }
    bus_.disconnect(Service, sessionPath_, Session, QStringLiteral("Lock"), this, SLOT(onLock()));
    bus_.disconnect(Service, sessionPath_, Session, QStringLiteral("Unlock"), this,
                    SLOT(onUnlock()));
    bus_.disconnect(Service, sessionPath_, Properties, QStringLiteral("PropertiesChanged"), this,
                    SLOT(onPropertiesChanged(QString, QVariantMap, QStringList)));
    sessionPath_.clear();
}

void LogindLockWatch::readLockedHint() {
    callAsync(bus_, propertyGet(Service, sessionPath_, Session, LockedHint), this,
              [this, generation = generation_](const QDBusMessage& reply) {
                  const auto locked = propertyValue<bool>(reply);
                  if (generation == generation_ && locked) {
                      setLocked(*locked);
                  }
              });
}

void LogindLockWatch::onLock() {
    setLocked(true);
}

void LogindLockWatch::onUnlock() {
    setLocked(false);
}

void LogindLockWatch::onPropertiesChanged(const QString& interface, const QVariantMap& changed,
                                          const QStringList& invalidated) {
    if (interface != Session) {
        return;
    }
    if (const auto hint = changed.find(LockedHint); hint != changed.end()) {
        if (const auto locked = variantValue<bool>(*hint)) {
            setLocked(*locked);
        }
    } else if (invalidated.contains(LockedHint)) {
        readLockedHint();
    }
}

void LogindLockWatch::setLocked(bool locked) {
    if (locked == locked_ || !watching_) {
        return;
    }
    locked_ = locked;
    if (const auto report = observer_.lockChanged) {
        report(locked);
    }
}

} // namespace quillmere::qt
