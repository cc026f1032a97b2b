#pragma once

#include "platform/BusyMonitor.h"
#include "platform/Clock.h"

#include <deque>
#include <functional>
#include <memory>
#include <optional>

namespace quillmere {

class Cfg;
class Platform;
class Presence;
class RunLoop;
class Timer;

// Decides from what the desktop reports whether the person can be reminded now: not while away
// (with natural breaks on), not while a full-screen window or do-not-disturb is on (with hold
// when busy on). Coming back after an absence of the set length is a natural break. A source is
// watched only while the setting that needs it is on. Reports are handled from a zero-delay
// run-loop timer: during a modal run (the reminder, Settings, About) they wait like timers and
// are handled in order once it has ended.
class Attention {
public:
    // No input for this long and the person counts as away. Shorter than the shortest break
    // (a minute), so that every break is seen as an absence before it counts.
    static constexpr double IdleThreshold = 30;
    // In test mode, where the interval is half a minute, absences are as short: two seconds of
    // no input is away, and a minute of break length lasts five seconds.
    static constexpr double TestIdleThreshold = 2;
    static constexpr double TestMinute = 5;
    // The name of the timer that hands the reports on.
    static constexpr const char* EntryPoint = "presenceChanged";

    struct Handlers {
        // Nothing holds reminders back after a report (a held one may come now).
        std::function<void()> released;
        // The person came back after a natural break of `awaySeconds`.
        std::function<void(double awaySeconds)> naturalBreak;
    };

    Attention(Cfg& cfg, Platform& platform, Handlers handlers);
    ~Attention();
    Attention(const Attention&) = delete;
    Attention& operator=(const Attention&) = delete;

    // Watches what the settings ask for.
    void start();
    // A setting that decides what is watched has changed.
    void settingsChanged();
    // Whether a due reminder waits now.
    bool holdsReminders() const;
    // Away for at least the break length, and not back yet.
    bool onBreak() const;

private:
    struct Report {
        enum class Kind { Idle, Active, Locked, Unlocked, Busy, Settings };
        Kind kind;
        WallTime at;
        double idleSeconds = 0;
        BusyMonitor::State busy{};
    };

    void post(Report report);
    void handlePending();
    void handle(const Report& report);
    void watch();
    void goAway(WallTime since);
    void comeBack(WallTime at);
    double breakSeconds() const;
    double idleThreshold() const;

    Cfg& cfg_;
    Presence& presence_;
    BusyMonitor& busyMonitor_;
    RunLoop& runLoop_;
    const Clock& clock_;
    Handlers handlers_;
    bool watchingPresence_ = false;
    bool watchingBusy_ = false;
    bool idle_ = false;
    bool locked_ = false;
    std::optional<WallTime> awaySince_;
    BusyMonitor::State busy_{};
    std::deque<Report> pending_;
    std::shared_ptr<Timer> handOn_;
};

} // namespace quillmere
