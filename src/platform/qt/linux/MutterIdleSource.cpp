#include "platform/qt/linux/MutterIdleSource.h"

#include "platform/qt/linux/DBusReply.h"
#include "platform/qt/linux/IdleThreshold.h"

#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>

namespace quillmere::qt {

namespace {

const QString Service = QStringLiteral("org.gnome.Mutter.IdleMonitor");
const QString Path = QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core");
const QString Interface = QStringLiteral("org.gnome.Mutter.IdleMonitor");

} // namespace

MutterIdleSource::MutterIdleSource(QDBusConnection sessionBus)
    : bus_(std::move(sessionBus)) {}

MutterIdleSource::~MutterIdleSource() {
    unwatch();
}

std::unique_ptr<MutterIdleSource> MutterIdleSource::create(QDBusConnection sessionBus) {
    if (!sessionBus.isConnected() || !sessionBus.interface()->isServiceRegistered(Service)) {
        return nullptr;
    }
    return std::make_unique<MutterIdleSource>(std::move(sessionBus));
}

void MutterIdleSource::watch(double idleSeconds, Observer observer) {
    unwatch();
    observer_ = std::move(observer);
    threshold_ = idleThreshold(idleSeconds);
    watching_ = true;
    // The monitor sends WatchFired to the client that added the watch.
    bus_.connect(Service, Path, Interface, QStringLiteral("WatchFired"), this,
                 SLOT(onWatchFired(uint)));
    owner_ = std::make_unique<QDBusServiceWatcher>(Service, bus_,
                                                   QDBusServiceWatcher::WatchForOwnerChange);
    connect(owner_.get(), &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) {
                onOwnerChanged(newOwner);
            });
    addWatch(false);
}

void MutterIdleSource::unwatch() {
    if (!watching_) {
        return;
    }
    watching_ = false;
    ++watchGeneration_;
    owner_.reset();
    bus_.disconnect(Service, Path, Interface, QStringLiteral("WatchFired"), this,
                    SLOT(onWatchFired(uint)));
    removeWatch(idleWatch_);
    removeWatch(activeWatch_);
    idle_ = false;
    observer_ = {};
}

void MutterIdleSource::onOwnerChanged(const QString& newOwner) {
    // A restarted compositor knows none of our watches: add the one the state needs again.
    ++ownerGeneration_;
    idleWatch_ = 0;
    activeWatch_ = 0;
    if (!newOwner.isEmpty()) {
        if (idle_) {
            addWatch(true);
        }
        addWatch(false);
    }
}

void MutterIdleSource::addWatch(bool userActive) {
    const QDBusMessage call =
        userActive ? methodCall(Service, Path, Interface, QStringLiteral("AddUserActiveWatch"))
                   : methodCall(Service, Path, Interface, QStringLiteral("AddIdleWatch"),
                                {QVariant::fromValue<qulonglong>(threshold_.count())});
    callAsync(bus_, call, this,
              [this, userActive, watchGeneration = watchGeneration_,
               ownerGeneration = ownerGeneration_](const QDBusMessage& reply) {
                  auto id = firstArgument<uint>(reply);
                  if (!id || *id == 0 || ownerGeneration != ownerGeneration_) {
                      return;
                  }
                  if (watchGeneration != watchGeneration_) {
                      removeWatch(*id); // added for a watch that has ended since
                      return;
                  }
                  uint& slot = userActive ? activeWatch_ : idleWatch_;
                  removeWatch(slot);
                  slot = *id;
              });
}

void MutterIdleSource::removeWatch(uint& id) {
    if (id != 0) {
        bus_.asyncCall(methodCall(Service, Path, Interface, QStringLiteral("RemoveWatch"), {id}));
        id = 0;
    }
}

void MutterIdleSource::onWatchFired(uint id) {
    if (!watching_ || id == 0) {
        return;
    }
    if (id == idleWatch_ && !idle_) {
        idle_ = true;
        idleSince_.start();
        addWatch(true);
        // A copy: the observer may end or replace this watch while it runs.
        if (const auto report = observer_.idle) {
            report();
        }
    } else if (id == activeWatch_ && idle_) {
        activeWatch_ = 0; // a user-active watch fires once
        idle_ = false;
        const double away =
            std::chrono::duration<double>(threshold_).count() + idleSince_.elapsed() / 1000.0;
        if (const auto report = observer_.active) {
            report(away);
        }
    }
}

} // namespace quillmere::qt
