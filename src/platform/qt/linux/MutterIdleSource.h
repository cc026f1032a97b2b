#pragma once

#include "platform/Presence.h"

#include <QDBusConnection>
#include <QElapsedTimer>
#include <QObject>

#include <chrono>
#include <memory>

class QDBusServiceWatcher;

namespace quillmere::qt {

// Idle and back from GNOME's compositor (on X11 and Wayland alike): an idle watch for the
// threshold and, once it fired, a one-shot user-active watch, both on the session bus. Follows
// the compositor restarting. Screen locks come from elsewhere.
class MutterIdleSource : public QObject, public Presence {
    Q_OBJECT

public:
    explicit MutterIdleSource(QDBusConnection sessionBus = QDBusConnection::sessionBus());
    ~MutterIdleSource() override;

    // A source where the idle monitor's name has an owner (only the bus is asked), else null.
    static std::unique_ptr<MutterIdleSource>
    create(QDBusConnection sessionBus = QDBusConnection::sessionBus());

    std::string source() const override { return "GNOME"; }
    void watch(double idleSeconds, Observer observer) override;
    void unwatch() override;
    bool isScreenLocked() const override { return false; }

private slots:
    void onWatchFired(uint id);

private:
    void onOwnerChanged(const QString& newOwner);
    void addWatch(bool userActive);
    void removeWatch(uint& id);

    QDBusConnection bus_;
    std::unique_ptr<QDBusServiceWatcher> owner_;
    Observer observer_;
    std::chrono::milliseconds threshold_{};
    bool watching_ = false;
    bool idle_ = false;
    uint idleWatch_ = 0;
    uint activeWatch_ = 0;
    // Replies to an earlier watch() or from an earlier owner are stale when they arrive.
    unsigned watchGeneration_ = 0;
    unsigned ownerGeneration_ = 0;
    QElapsedTimer idleSince_;
};

} // namespace quillmere::qt
