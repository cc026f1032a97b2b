#include "platform/sim/SimRunLoop.h"

#include "platform/Duration.h"
#include "platform/sim/SimPanel.h"

#include <algorithm>
#include <stdexcept>

namespace quillmere::sim {

namespace {
// A repeating timer never fires more often than this, as on real platforms.
constexpr std::chrono::nanoseconds MinimumRepeatInterval{100'000};
// A guard against a test that would otherwise spin for ever.
constexpr int MaximumFiringsPerAdvance = 1'000'000;
} // namespace

class SimRunLoop::SimTimer : public Timer {
public:
    SimTimer(std::string name, std::any userInfo, TimerCallback callback, bool repeats,
             Nanoseconds interval, Nanoseconds deadline, std::uint64_t sequence)
        : name_(std::move(name))
        , userInfo_(std::move(userInfo))
        , callback_(std::move(callback))
        , repeats_(repeats)
        , interval_(interval)
        , deadline_(deadline)
        , sequence_(sequence) {}

    void invalidate() override { valid_ = false; }
    bool isValid() const override { return valid_; }
    const std::any& userInfo() const override { return userInfo_; }
    const std::string& name() const override { return name_; }

    std::string name_;
    std::any userInfo_;
    TimerCallback callback_;
    bool repeats_;
    Nanoseconds interval_;
    Nanoseconds deadline_;
    std::uint64_t sequence_;
    bool valid_ = true;
};

SimRunLoop::SimRunLoop()
    : wall_(std::chrono::duration<double>(StartWallSeconds)) {}

SimRunLoop::~SimRunLoop() = default;

std::shared_ptr<Timer> SimRunLoop::scheduleTimer(double intervalSeconds, bool repeats,
                                                 std::string name, std::any userInfo,
                                                 TimerCallback callback) {
    Nanoseconds interval = saturatingNanoseconds(intervalSeconds);
    if (repeats) {
        interval = std::max(interval, MinimumRepeatInterval);
    }
    auto timer = std::make_shared<SimTimer>(std::move(name), std::move(userInfo),
                                            std::move(callback), repeats, interval,
                                            saturatingAdd(monotonic_, interval), nextSequence_++);
    prune();
    timers_.push_back(timer);
    return timer;
}

void SimRunLoop::prune() {
    std::erase_if(timers_, [](const std::shared_ptr<SimTimer>& t) { return !t->valid_; });
}

SimRunLoop::SimTimer* SimRunLoop::nextDue(Nanoseconds until) const {
    SimTimer* best = nullptr;
    for (const auto& timer : timers_) {
        if (!timer->valid_ || timer->deadline_ > until) {
            continue;
        }
        if (best == nullptr || timer->deadline_ < best->deadline_ ||
            (timer->deadline_ == best->deadline_ && timer->sequence_ < best->sequence_)) {
            best = timer.get();
        }
    }
    return best;
}

void SimRunLoop::moveClocksTo(Nanoseconds monotonic) {
    if (monotonic <= monotonic_) {
        return;
    }
    const Nanoseconds step = monotonic - monotonic_;
    monotonic_ = monotonic;
    boottime_ += step;
    wall_ += std::chrono::duration<double>(step);
}

void SimRunLoop::advance(Nanoseconds duration) {
    const Nanoseconds target = saturatingAdd(monotonic_, std::max(duration, Nanoseconds{0}));
    for (int firings = 0; modalDepth_ == 0; ++firings) {
        if (firings > MaximumFiringsPerAdvance) {
            throw std::runtime_error("timers keep firing without time passing");
        }
        // A modal session inside a callback may have moved the clocks past the target.
        SimTimer* due = nextDue(std::max(target, monotonic_));
        if (due == nullptr) {
            break;
        }
        moveClocksTo(due->deadline_);
        std::shared_ptr<SimTimer> keep;
        for (const auto& timer : timers_) {
            if (timer.get() == due) {
                keep = timer;
            }
        }
        if (keep->repeats_) {
            // The next firing stays on the timer's grid; firings missed while held are dropped.
            const auto missed = (monotonic_ - keep->deadline_) / keep->interval_;
            keep->deadline_ = saturatingAdd(keep->deadline_, keep->interval_ * (missed + 1));
        }
        firings_.push_back(keep->name_ + "@" +
                           std::to_string(std::chrono::duration<double>(monotonic_).count()));
        keep->callback_(*keep);
        if (!keep->repeats_) {
            keep->valid_ = false;
        }
        prune();
    }
    moveClocksTo(target);
}

void SimRunLoop::advanceSeconds(double seconds) {
    advance(saturatingNanoseconds(seconds));
}

void SimRunLoop::suspend(Nanoseconds duration) {
    boottime_ += duration;
    wall_ += std::chrono::duration<double>(duration);
}

void SimRunLoop::runModalForWindow(Panel& panel) {
    ++modalDepth_;
    stopRequested_.push_back(0);
    auto& simPanel = dynamic_cast<SimPanel&>(panel);
    simPanel.present();
    if (stopRequested_.back() == 0) {
        // Its script left the window open: a real loop would wait for ever. Close it instead
        // and let the test see that it happened.
        ++unclosedModalRuns_;
        simPanel.close();
    }
    stopRequested_.pop_back();
    --modalDepth_;
}

void SimRunLoop::stopModal() {
    if (!stopRequested_.empty()) {
        stopRequested_.back() = 1;
    }
}

std::size_t SimRunLoop::validTimerCount(const std::string& name) const {
    return static_cast<std::size_t>(
        std::count_if(timers_.begin(), timers_.end(),
                      [&](const auto& t) { return t->valid_ && t->name_ == name; }));
}

} // namespace quillmere::sim
