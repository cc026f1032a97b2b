#include "platform/qt/linux/ScreenSaverSource.h"

#include "platform/qt/linux/DBusReply.h"
#include "platform/qt/linux/IdleThreshold.h"

#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>

namespace quillmere::qt {

namespace {

const QString ActiveChanged = QStringLiteral("ActiveChanged");
const QString GetSessionIdleTime = QStringLiteral("GetSessionIdleTime");

// Rounding and the bus's latency between two readings of the idle time.
constexpr std::chrono::milliseconds Slack{1000};

std::chrono::milliseconds since(const QElapsedTimer& timer) {
    return std::chrono::milliseconds(timer.elapsed());
}

} // namespace

ScreenSaverSource::Interface ScreenSaverSource::freedesktop() {
    // KDE serves the same object at a short path too.
    return {QStringLiteral("org.freedesktop.ScreenSaver"),
            {QStringLiteral("/org/freedesktop/ScreenSaver"), QStringLiteral("/ScreenSaver")},
            QStringLiteral("org.freedesktop.ScreenSaver")};
}

ScreenSaverSource::Interface ScreenSaverSource::gnome() {
    return {QStringLiteral("org.gnome.ScreenSaver"),
            {QStringLiteral("/org/gnome/ScreenSaver")},
            QStringLiteral("org.gnome.ScreenSaver")};
}

ScreenSaverSource::ScreenSaverSource(QDBusConnection sessionBus, Interface screenSaver,
                                     std::chrono::milliseconds awayCheckInterval)
    : bus_(std::move(sessionBus))
    , screenSaver_(std::move(screenSaver))
    , awayCheckInterval_(awayCheckInterval) {
    nextCheck_.setSingleShot(true);
    connect(&nextCheck_, &QTimer::timeout, this, &ScreenSaverSource::checkIdle);
}

ScreenSaverSource::~ScreenSaverSource() {
    unwatch();
}

std::unique_ptr<ScreenSaverSource> ScreenSaverSource::createIdleSource(QDBusConnection sessionBus) {
    const Interface screenSaver = freedesktop();
    if (!sessionBus.isConnected() ||
        !sessionBus.interface()->isServiceRegistered(screenSaver.service)) {
        return nullptr;
    }
    // Only a screen saver that tells the idle time can be an idle source (KDE's on Wayland and
    // GNOME's inhibition-only stand-in cannot).
    constexpr int TimeoutMs = 1000;
    const QDBusMessage reply =
        sessionBus.call(methodCall(screenSaver.service, screenSaver.paths.constFirst(),
                                   screenSaver.interface, GetSessionIdleTime),
                        QDBus::Block, TimeoutMs);
    if (!firstArgument<uint>(reply)) {
        return nullptr;
    }
    return std::make_unique<ScreenSaverSource>(std::move(sessionBus), screenSaver);
}

bool ScreenSaverSource::wantsIdle() const {
    return watching_ && (observer_.idle || observer_.active);
}

void ScreenSaverSource::watch(double idleSeconds, Observer observer) {
    unwatch();
    observer_ = std::move(observer);
    threshold_ = idleThreshold(idleSeconds);
    watching_ = true;
    owner_ = std::make_unique<QDBusServiceWatcher>(screenSaver_.service, bus_,
                                                   QDBusServiceWatcher::WatchForOwnerChange);
    connect(owner_.get(), &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) {
                // A screen saver that went away covers no screen; a new one is asked afresh.
                setActive(false);
                if (!newOwner.isEmpty()) {
                    call(QStringLiteral("GetActive"), [this](const QDBusMessage& reply) {
                        setActive(firstArgument<bool>(reply).value_or(false));
                    });
                    if (wantsIdle() && !checking_) {
                        nextCheck_.stop();
                        checkIdle();
                    }
                }
            });
    if (observer_.lockChanged) {
        // Any path: the signal comes from whichever the screen saver serves.
        bus_.connect(screenSaver_.service, QString(), screenSaver_.interface, ActiveChanged, this,
                     SLOT(onActiveChanged(bool)));
        call(QStringLiteral("GetActive"), [this](const QDBusMessage& reply) {
            setActive(firstArgument<bool>(reply).value_or(false));
        });
    }
    if (wantsIdle()) {
        checkIdle();
    }
}

void ScreenSaverSource::unwatch() {
    if (!watching_) {
        return;
    }
    watching_ = false;
    ++generation_;
    owner_.reset();
    nextCheck_.stop();
    if (observer_.lockChanged) {
        bus_.disconnect(screenSaver_.service, QString(), screenSaver_.interface, ActiveChanged,
                        this, SLOT(onActiveChanged(bool)));
    }
    observer_ = {};
    active_ = false;
    idle_ = false;
    checking_ = false;
}

void ScreenSaverSource::call(const QString& method, std::function<void(const QDBusMessage&)> done,
                             int path) {
    const QDBusMessage message = methodCall(screenSaver_.service, screenSaver_.paths.at(path),
                                            screenSaver_.interface, method);
    callAsync(bus_, message, this,
              [this, method, path, done = std::move(done),
               generation = generation_](const QDBusMessage& reply) {
                  if (generation != generation_) {
                      return;
                  }
                  if (reply.type() == QDBusMessage::ErrorMessage &&
                      path + 1 < screenSaver_.paths.size()) {
                      call(method, done, path + 1);
                      return;
                  }
                  done(reply);
              });
}

void ScreenSaverSource::onActiveChanged(bool active) {
    if (!watching_) {
        return;
    }
    // The screen saver stopping is likely the person back: ask now rather than at the next check.
    if (!active && idle_ && wantsIdle() && !checking_) {
        nextCheck_.stop();
        checkIdle();
    }
    setActive(active);
}

void ScreenSaverSource::setActive(bool active) {
    if (active == active_ || !watching_) {
        return;
    }
    active_ = active;
    if (const auto report = observer_.lockChanged) {
        report(active);
    }
}

void ScreenSaverSource::checkIdle() {
    checking_ = true;
    call(GetSessionIdleTime, [this](const QDBusMessage& reply) { onIdleTime(reply); });
}

void ScreenSaverSource::checkAgainIn(std::chrono::milliseconds delay) {
    nextCheck_.start(std::max(delay, std::chrono::milliseconds(1)));
}

void ScreenSaverSource::onIdleTime(const QDBusMessage& reply) {
    checking_ = false;
    const auto answer = firstArgument<uint>(reply);
    if (!answer || !wantsIdle()) {
        return; // no idle time here: stop asking until the screen saver restarts
    }
    const std::chrono::milliseconds idleNow(*answer);
    if (!idle_) {
        if (idleNow < threshold_) {
            checkAgainIn(threshold_ - idleNow);
            return;
        }
        idle_ = true;
        lastIdle_ = idleNow;
        lastCheck_.start();
        checkAgainIn(awayCheckInterval_);
        if (const auto report = observer_.idle) {
            report();
        }
        return;
    }
    // Input since the last check shows as an idle time shorter than it would have grown to.
    const std::chrono::milliseconds expected = lastIdle_ + since(lastCheck_);
    if (idleNow >= threshold_ && idleNow + Slack >= expected) {
        lastIdle_ = idleNow;
        lastCheck_.start();
        checkAgainIn(awayCheckInterval_);
        return;
    }
    idle_ = false;
    const std::chrono::milliseconds away = std::max(expected - idleNow, threshold_);
    checkAgainIn(threshold_ - std::min(idleNow, threshold_));
    if (const auto report = observer_.active) {
        report(std::chrono::duration<double>(away).count());
    }
}

} // namespace quillmere::qt
