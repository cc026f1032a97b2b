#pragma once

#include "platform/Presence.h"

#include <QDBusConnection>
#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>

class QDBusMessage;
class QDBusServiceWatcher;

namespace quillmere::qt {

// A screen saver on the session bus. Its ActiveChanged signal (the screen locked or blanked)
// counts as locked. Where it answers the idle time (KDE's does, in milliseconds, on X11), that is
// the idle source of last resort: the interface has no idle alarm, so it is asked once when the
// threshold could first be reached and, only while the person is away, every few seconds.
// Idle and lock are each followed only for an observer that takes them.
class ScreenSaverSource : public QObject, public Presence {
    Q_OBJECT

public:
    struct Interface {
        QString service;
        QStringList paths; // the first that answers
        QString interface;
    };
    static Interface freedesktop();
    static Interface gnome();

    static constexpr std::chrono::milliseconds AwayCheckInterval{2000};

    ScreenSaverSource(QDBusConnection sessionBus, Interface screenSaver,
                      std::chrono::milliseconds awayCheckInterval = AwayCheckInterval);
    ~ScreenSaverSource() override;

    // An idle source where the freedesktop screen saver answers its idle time, else null.
    static std::unique_ptr<ScreenSaverSource>
    createIdleSource(QDBusConnection sessionBus = QDBusConnection::sessionBus());

    std::string source() const override { return "ScreenSaver"; }
    void watch(double idleSeconds, Observer observer) override;
    void unwatch() override;
    bool isScreenLocked() const override { return active_; }

private slots:
    void onActiveChanged(bool active);

private:
    bool wantsIdle() const;
    void call(const QString& method, std::function<void(const QDBusMessage&)> done, int path = 0);
    void checkIdle();
    void onIdleTime(const QDBusMessage& reply);
    void checkAgainIn(std::chrono::milliseconds delay);
    void setActive(bool active);

    QDBusConnection bus_;
    Interface screenSaver_;
    std::chrono::milliseconds awayCheckInterval_;
    std::unique_ptr<QDBusServiceWatcher> owner_;
    Observer observer_;
    std::chrono::milliseconds threshold_{};
    bool watching_ = false;
    bool active_ = false;
    bool idle_ = false;
    bool checking_ = false;
    unsigned generation_ = 0;
    // The idle time at the last check, and when that was.
    std::chrono::milliseconds lastIdle_{};
    QElapsedTimer lastCheck_;
    QTimer nextCheck_;
};

} // namespace quillmere::qt
