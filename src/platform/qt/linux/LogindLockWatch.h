#pragma once

#include "platform/Presence.h"

#include <QDBusConnection>
#include <QObject>
#include <QVariantMap>

#include <memory>

class QDBusServiceWatcher;

namespace quillmere::qt {

// Screen locks as logind tells them on the system bus, for this login session: the session's
// Lock and Unlock signals and its LockedHint property (which the screen locker keeps). Follows
// logind restarting. Tells nothing about idle.
class LogindLockWatch : public QObject, public Presence {
    Q_OBJECT

public:
    explicit LogindLockWatch(QDBusConnection systemBus = QDBusConnection::systemBus());
    ~LogindLockWatch() override;

    std::string source() const override { return "logind"; }
    void watch(double idleSeconds, Observer observer) override;
    void unwatch() override;
    bool isScreenLocked() const override { return locked_; }

private slots:
    void onLock();
    void onUnlock();
    void onPropertiesChanged(const QString& interface, const QVariantMap& changed,
                             const QStringList& invalidated);

private:
    void findSession();
    void followSession(const QString& path);
    void forgetSession();
    void readLockedHint();
    void setLocked(bool locked);

    QDBusConnection bus_;
    std::unique_ptr<QDBusServiceWatcher> owner_;
    Observer observer_;
    QString sessionPath_;
    bool watching_ = false;
    bool locked_ = false;
    unsigned generation_ = 0;
};

} // namespace quillmere::qt
