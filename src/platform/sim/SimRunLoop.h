#pragma once

#include "platform/Clock.h"
#include "platform/RunLoop.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quillmere::sim {

// Virtual time and a run loop driven by it. Tests advance the clocks; due timers fire in deadline
// order, ties in creation order. While a modal run is active no timer fires; a timer that came due
// meanwhile fires once when the loop next runs after it.
class SimRunLoop : public RunLoop, public Clock {
public:
    using Nanoseconds = std::chrono::nanoseconds;

    // A fixed start, so that runs are reproducible: 2026-12-01 00:00:00 UTC.
    static constexpr double StartWallSeconds = 1796083200.0;

    SimRunLoop();
    ~SimRunLoop() override;

    // Clock.
    WallTime now() const override { return wall_; }
    // The monotonic clock timers wait on; it stands still during a suspend.
    Nanoseconds monotonicNow() const { return monotonic_; }
    // The boot-time clock; it runs on during a suspend.
    Nanoseconds boottimeNow() const { return boottime_; }

    // Moves all clocks forward by `duration`, firing what comes due (unless a modal run is active).
    void advance(Nanoseconds duration);
    void advanceSeconds(double seconds);
    // Fires what is due now.
    void runUntilIdle() { advance(Nanoseconds{0}); }
    // The computer sleeps for `duration`: wall and boot-time clocks move, the monotonic does not.
    void suspend(Nanoseconds duration);

    // RunLoop.
    std::shared_ptr<Timer> scheduleTimer(double intervalSeconds, bool repeats, std::string name,
                                         std::any userInfo, TimerCallback callback) override;
    void runModalForWindow(Panel& panel) override;
    void stopModal() override;

    // Runs `body` as a modal session (what an alert does while it waits for its answer).
    template <typename Body> void runModalSession(Body&& body) {
        ++modalDepth_;
        body();
        --modalDepth_;
    }

    bool inModalRun() const override { return modalDepth_ > 0; }
    void orderFrontModalWindow() override { ++modalWindowFrontOrders_; }

    int modalDepth() const { return modalDepth_; }
    // How often the window of a modal run was brought to the front.
    int modalWindowFrontOrders() const { return modalWindowFrontOrders_; }
    // Modal runs on a panel that its script left open (the sim closed them itself).
    int unclosedModalRuns() const { return unclosedModalRuns_; }
    // Valid timers, by name.
    std::size_t validTimerCount(const std::string& name) const;
    // Every firing so far, as "name@seconds-since-start".
    const std::vector<std::string>& firings() const { return firings_; }

private:
    class SimTimer;

    SimTimer* nextDue(Nanoseconds until) const;
    void moveClocksTo(Nanoseconds monotonic);
    void prune();

    WallTime wall_;
    Nanoseconds monotonic_{0};
    Nanoseconds boottime_{0};
    std::uint64_t nextSequence_ = 0;
    int modalDepth_ = 0;
    std::vector<int> stopRequested_;
    int unclosedModalRuns_ = 0;
    int modalWindowFrontOrders_ = 0;
    std::vector<std::shared_ptr<SimTimer>> timers_;
    std::vector<std::string> firings_;
};

} // namespace quillmere::sim
