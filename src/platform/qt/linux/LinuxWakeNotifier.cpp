#include "platform/qt/linux/LinuxWakeNotifier.h"

#include <time.h>

namespace quillmere::qt {

namespace {

std::chrono::nanoseconds readClock(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

} // namespace

LinuxWakeNotifier::LinuxWakeNotifier(QDBusConnection systemBus, SleepClock sleptSoFar)
    : sleepClock_(std::move(sleptSoFar))
    , lastGap_(sleepClock_()) {
    if (systemBus.isConnected()) {
        usesLogind_ = systemBus.connect("org.freedesktop.login1", "/org/freedesktop/login1",
                                        "org.freedesktop.login1.Manager", "PrepareForSleep", this,
                                        SLOT(onPrepareForSleep(bool)));
    }
    if (!usesLogind_) {
        clockCheck_.setTimerType(Qt::VeryCoarseTimer);
        clockCheck_.setInterval(CheckInterval);
        connect(&clockCheck_, &QTimer::timeout, this, &LinuxWakeNotifier::checkClocks);
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
