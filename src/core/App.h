#pragma once

#include "core/AppIcon.h"
#include "core/AppState.h"
#include "core/Attention.h"
#include "core/BuildInfo.h"
#include "core/Cfg.h"
#include "core/Events.h"
#include "core/UXAudio.h"
#include "core/UXControl.h"
#include "core/UXNotification.h"
#include "core/UXPopup.h"
#include "core/UXStatus.h"
#include "platform/Clock.h"

#include <memory>
#include <optional>

namespace quillmere {

class Platform;
class Timer;

// The application controller: owns every long-lived part and runs the timer cycle
// Init -> Timing -> Reminding -> Timing ...
class App {
public:
    using State = AppState;
    using TimerType = AppTimerType;
    using Icon = AppIcon;

    // The one argument that selects test mode.
    static constexpr const char* TestArgument = "-test";
    static constexpr const char* TimerEntryPoint = "timeExpiredWithFired:";
    static constexpr const char* WakeEntryPoint = "didWakeFromSleep";

    // Test mode: exactly one argument, and it is "-test".
    static bool isTestInvocation(int argc, const char* const argv[]);
    // The process entry: builds the controller into `app` and runs the application's main loop.
    static int main(Platform& platform, bool isTest);

    // Builds everything the controller owns; starts nothing.
    App(bool isTest, Platform& platform);
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // The application object's launch callback.
    void applicationDidFinishLaunching();
    // Subscribes, starts the status item, watches for wake and starts the first interval.
    void initialize();
    // Sound, then the popup when pop-ups are on, else the notification when that is on.
    void notify();
    // A fresh work interval; enters Timing and publishes the change.
    void restart();
    void terminate();
    void reminderFired();
    void timerFired();
    // Arms the one timer; a Timer-type timer also sets the deadline.
    void time(double interval, TimerType type);
    // "timeExpiredWithFired:": the callback of every armed timer.
    void timeExpired(Timer& fired);
    void onCfgChange(const Cfg::Parameter& parameter);
    void onUIAction(UIAction action);
    // Seconds to the deadline; negative after it.
    double countdown() const;
    // "didWakeFromSleep".
    void didWakeFromSleep();
    // No reminders until `until`; stored, so that the pause outlives the process.
    void pause(WallTime until);
    // The first local 06:00 after `now`: the end of a pause until tomorrow.
    static WallTime nextMorning(WallTime now);

    State state() const { return state_; }
    Cfg& cfg() { return cfg_; }
    Events& events() { return events_; }
    const BuildInfo& buildInfo() const { return buildInfo_; }
    UXStatus& status() { return *status_; }
    const std::shared_ptr<Timer>& systemTimer() const { return systemTimer_; }
    WallTime systemTimerDeadline() const { return systemTimerDeadline_; }
    Attention& attention() { return attention_; }
    UXControl& control() { return *control_; }

private:
    // Schedules the one timer without touching the deadline.
    void schedule(double interval, TimerType type);
    // The reminder at the end of an interval: sound, popup, and what the settings say follows.
    void remind();
    // True when the person can't be reminded now: the fire of `type` waits for release.
    bool holdBack(TimerType type);
    void onReleased();
    void onNaturalBreak(double awaySeconds);
    // "Restart" or "Snooze" chosen on the reminder's notification.
    void onNotificationAnswer(UXNotification::Answer answer);

    Platform& platform_;
    State state_ = State::Init;
    std::shared_ptr<Timer> systemTimer_;
    Events events_;
    BuildInfo buildInfo_;
    Icon icon_;
    Cfg cfg_;
    UXAudio audio_;
    UXPopup popup_;
    UXNotification notification_;
    Attention attention_;
    // The fire that came while reminders were held back.
    std::optional<TimerType> held_;
    WallTime systemTimerDeadline_;
    std::unique_ptr<UXStatus> status_;
    std::unique_ptr<UXControl> control_;
};

// The one application controller of the process, set by App::main.
extern std::unique_ptr<App> app;

} // namespace quillmere
