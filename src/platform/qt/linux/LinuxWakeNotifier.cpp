#include "platform/qt/linux/LinuxWakeNotifier.h"

#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>

#include <time.h>

namespace quillmere::qt {

namespace {

const QString Logind = QStringLiteral("org.freedesktop.login1");

std::chrono::nanoseconds readClock(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

} // namespace

LinuxWakeNotifier::LinuxWakeNotifier(QDBusConnection systemBus, SleepClock sleptSoFar)
    : sleepClock_(std::move(sleptSoFar))
    , lastGap_(sleepClock_()) {
    clockCheck_.setTimerType(Qt::VeryCoarseTimer);
    clockCheck_.setInterval(CheckInterval);
    connect(&clockCheck_, &QTimer::timeout, this, &LinuxWakeNotifier::checkClocks);
    // The clocks tell until logind is known to be there: a system bus may run without it.
    setLogindPresent(false);
    if (!systemBus.isConnected() || systemBus.interface() == nullptr) {
        return;
    }
    systemBus.connect(Logind, "/org/freedesktop/login1", "org.freedesktop.login1.Manager",
                      "PrepareForSleep", this, SLOT(onPrepareForSleep(bool)));
    auto* owner =
        new QDBusServiceWatcher(Logind, systemBus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(owner, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) {
                ownerHeard_ = true;
                setLogindPresent(!newOwner.isEmpty());
            });
    // Asked without waiting: a slow system bus must not hold up the start.
    auto* answer = new QDBusPendingCallWatcher(
        systemBus.interface()->asyncCall(QStringLiteral("NameHasOwner"), Logind), this);
    connect(answer, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* call) {
                const QDBusPendingReply<bool> reply = *call;
                if (!ownerHeard_ && reply.isValid()) {
                    setLogindPresent(reply.value());
                }
                call->deleteLater();
            });
}

void LinuxWakeNotifier::setLogindPresent(bool present) {
    usesLogind_ = present;
    if (present) {
        clockCheck_.stop();
    } else if (!clockCheck_.isActive()) {
        lastGap_ = sleepClock_(); // a sleep logind told of is not told again
        clockCheck_.start();
    }
}

std::chrono::nanoseconds LinuxWakeNotifier::sleptSoFar() {
    return readClock(CLOCK_BOOTTIME) - readClock(CLOCK_MONOTONIC);
}

bool LinuxWakeNotifier::checkClocks() {
    const std::chrono::nanoseconds gap = sleepClock_();
    const bool slept = gap - lastGap_ >= SleepThreshold;
    lastGap_ = gap;
    if (slept) {
        notifyWake();
    }
    return slept;
}

void LinuxWakeNotifier::onPrepareForSleep(bool start) {
    if (!start) {
        notifyWake();
    }
}

void LinuxWakeNotifier::addWakeObserver(std::string name, std::function<void()> observer) {
    observers_.emplace_back(std::move(name), std::move(observer));
}

void LinuxWakeNotifier::removeWakeObserver(const std::string& name) {
    std::erase_if(observers_, [&](const auto& entry) { return entry.first == name; });
}

void LinuxWakeNotifier::notifyWake() {
    const auto snapshot = observers_;
    for (const auto& [name, observer] : snapshot) {
        observer();
    }
}

} // namespace quillmere::qt
