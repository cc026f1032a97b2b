#pragma once

#include "platform/WakeNotifier.h"

#include <QDBusConnection>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace quillmere::qt {

// Tells when the computer woke: logind's PrepareForSleep(false) on the system bus; whenever
// logind is not on it (no system bus, or nobody owns logind's name), a jump between the
// boot-time clock (which runs during a suspend) and the monotonic clock (which does not),
// checked on a coarse timer, once per sleep. Follows logind coming and going.
class LinuxWakeNotifier : public QObject, public WakeNotifier {
    Q_OBJECT

public:
    // A gap growth of at least this much between two checks means the machine slept.
    static constexpr std::chrono::seconds SleepThreshold{3};
    static constexpr std::chrono::seconds CheckInterval{5};

    // How long the machine has slept since it booted: the boot-time minus the monotonic clock.
    using SleepClock = std::function<std::chrono::nanoseconds()>;

    explicit LinuxWakeNotifier(QDBusConnection systemBus = QDBusConnection::systemBus(),
                               SleepClock sleptSoFar = &LinuxWakeNotifier::sleptSoFar);

    void addWakeObserver(std::string name, std::function<void()> observer) override;
    void removeWakeObserver(const std::string& name) override;

    // Whether logind's signal is what tells us (else the clock check does).
    bool usesLogind() const { return usesLogind_; }
    // Whether the clocks are checked on the timer.
    bool checksClocks() const { return clockCheck_.isActive(); }
    // Checks the clocks now; true when they show a sleep since the last check.
    bool checkClocks();
    // The boot-time minus monotonic gap now.
    static std::chrono::nanoseconds sleptSoFar();

private slots:
    void onPrepareForSleep(bool start);

private:
    void setLogindPresent(bool present);
    void notifyWake();

    SleepClock sleepClock_;
    bool usesLogind_ = false;
    // A change of owner was heard: it is newer than the answer to the first question.
    bool ownerHeard_ = false;
    std::chrono::nanoseconds lastGap_;
    QTimer clockCheck_;
    std::vector<std::pair<std::string, std::function<void()>>> observers_;
};

} // namespace quillmere::qt
