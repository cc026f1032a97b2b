#include "core/App.h"

#include "core/Log.h"
#include "platform/Platform.h"
#include "platform/WholeNumber.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <string>

namespace quillmere {

std::unique_ptr<App> app;

namespace {

constexpr double HalfHour = 1800;
constexpr double Hour = 3600;
constexpr int MorningHour = 6;
// Lets mktime decide whether daylight saving time is in force at 06:00 that day.
constexpr int DaylightSavingUnknown = -1;

BuildInfo loadBuildInfo(bool isTest, const Resources& resources) {
    if (isTest) {
        return BuildInfo("test", "test", "test");
    }
    return BuildInfo::fromResourceFile(resources, "BuildInfo");
}

// Log lines reach the system log from the first one on (the sound loader may write one).
Platform& withLogger(Platform& platform) {
    Log::setLogger(&platform.systemLog());
    return platform;
}

} // namespace

bool App::isTestInvocation(int argc, const char* const argv[]) {
    return argc == 2 && argv != nullptr && argv[1] != nullptr &&
           std::strcmp(argv[1], TestArgument) == 0;
}

int App::main(Platform& platform, bool isTest) {
    app = std::make_unique<App>(isTest, platform);
    return platform.application().run([] { app->applicationDidFinishLaunching(); });
}

App::App(bool isTest, Platform& platform)
    : platform_(withLogger(platform))
    , buildInfo_(loadBuildInfo(isTest, platform.resources()))
    , icon_(platform.resources())
    , cfg_(isTest, events_, buildInfo_, platform.defaults())
    , audio_(cfg_, platform.audio(), platform.resources())
    , popup_(cfg_, platform.application(), platform.createAlert(), platform.translator())
    , notification_(platform.notifications(), platform.translator(),
                    [this](UXNotification::Answer answer) { onNotificationAnswer(answer); })
    , attention_(cfg_, platform,
                 {[this] { onReleased(); }, [this](double away) { onNaturalBreak(away); }})
    , systemTimerDeadline_(platform.clock().now())
    , status_(std::make_unique<UXStatus>(
          cfg_, audio_, cfg_.buildInfo(), events_, [this] { return state_; },
          [this] { return countdown(); }, icon_, platform)) {
    status_->setOnBreak([this] { return attention_.onBreak(); });
    control_ = std::make_unique<UXControl>(
        cfg_, events_, *status_, [this] { return state_; }, [this] { return countdown(); },
        [this](double seconds) {
            pause(platform_.clock().now() + std::chrono::duration<double>(seconds));
        },
        platform.remoteControls());
}

App::~App() {
    platform_.wakeNotifier().removeWakeObserver(WakeEntryPoint);
    if (systemTimer_) {
        systemTimer_->invalidate();
    }
    // Commands, the status item's timer and its subscriptions refer to this controller: end
    // them first.
    control_.reset();
    status_.reset();
    Log::setLogger(nullptr);
}

void App::applicationDidFinishLaunching() {
    initialize();
}

void App::initialize() {
    events_.subscribe(Events::CfgChangeSubscriber(
        [this](const Cfg::Parameter& parameter) { onCfgChange(parameter); }));
    events_.subscribe(Events::UIActionSubscriber([this](UIAction action) { onUIAction(action); }));
    status_->start();
    platform_.wakeNotifier().addWakeObserver(WakeEntryPoint, [this] { didWakeFromSleep(); });
    attention_.start();
    // A pause stored by an earlier run goes on; otherwise the first interval starts.
    if (const std::optional<WallTime> until = cfg_.pausedUntil(platform_.clock().now())) {
        pause(*until);
    } else {
        restart();
    }
    // Commands from other programs come once there is a state to act on.
    control_->start();
}

void App::notify() {
    audio_.playNotification();
    if (!cfg_.popups()) {
        // With auto restart the next interval starts at once: the notification only tells.
        if (cfg_.notifyWhenNoPopup()) {
            notification_.show(!cfg_.autoRestart());
        }
        return;
    }
    const UXPopup::Result result = popup_.runModal();
    if (result == UXPopup::Result::Restart) {
        restart();
    } else if (state_ == State::Reminding) {
        // The deadline stays: the count-up keeps growing from the end of the interval.
        time(cfg_.reminderInterval(), TimerType::Reminder);
    }
}

void App::restart() {
    if (state_ == State::Paused) {
        cfg_.setPausedUntil(std::nullopt);
    }
    held_.reset();
    notification_.withdraw();
    time(cfg_.timerInterval(), TimerType::Timer);
    const State old = state_;
    state_ = State::Timing;
    events_.publish(Event::appStateChange(old, State::Timing));
}

void App::terminate() {
    platform_.application().terminate();
}

void App::reminderFired() {
    if (state_ != State::Reminding || holdBack(TimerType::Reminder)) {
        return;
    }
    if (cfg_.popups() || !cfg_.autoRestart()) {
        notify();
    } else {
        restart();
    }
}

void App::timerFired() {
    if (state_ != State::Timing) {
        return;
    }
    state_ = State::Reminding;
    events_.publish(Event::appStateChange(State::Timing, State::Reminding));
    remind();
}

void App::remind() {
    if (holdBack(TimerType::Timer)) {
        return;
    }
    notify();
    // The popup, when shown, has decided what comes next; read the settings again after it.
    if (cfg_.popups()) {
        return;
    }
    if (cfg_.autoRestart()) {
        restart();
    }
}

bool App::holdBack(TimerType type) {
    if (!attention_.holdsReminders()) {
        return false;
    }
    // The title counts up as usual; sound and popup come when nothing holds them any more.
    held_ = type;
    return true;
}

void App::onReleased() {
    if (!held_) {
        return;
    }
    const TimerType type = *held_;
    held_.reset();
    if (type == TimerType::Timer) {
        remind();
    } else {
        reminderFired();
    }
}

void App::onNaturalBreak(double awaySeconds) {
    // A pause runs to its own end.
    if (state_ == State::Paused) {
        return;
    }
    // Whole minutes; seconds only for the short breaks of test mode.
    const bool inMinutes = awaySeconds >= 60;
    const std::string length =
        std::to_string(
            truncatedToInt64(inMinutes ? awaySeconds / 60 : awaySeconds).value_or(std::int64_t{})) +
        (inMinutes ? " minutes" : " seconds");
    Log::error("Natural break of " + length + ": " +
               (state_ == State::Reminding ? "reminder settled, " : "") + "fresh interval");
    restart();
}

void App::onNotificationAnswer(UXNotification::Answer answer) {
    // Every way out of Reminding withdraws the notification, so an answer always finds the
    // reminder pending.
    if (answer == UXNotification::Answer::Restart) {
        restart();
    } else {
        time(cfg_.reminderInterval(), TimerType::Reminder);
    }
}

void App::pause(WallTime until) {
    cfg_.setPausedUntil(until);
    held_.reset();
    notification_.withdraw();
    time((until - platform_.clock().now()).count(), TimerType::Pause);
    const State old = state_;
    state_ = State::Paused;
    events_.publish(Event::appStateChange(old, State::Paused));
}

WallTime App::nextMorning(WallTime now) {
    const std::time_t today =
        truncatedToInt64(now.time_since_epoch().count()).value_or(std::time_t{});
    // The core runs on one thread, so the shared result of localtime is safe here.
    const std::tm* found = std::localtime(&today);
    if (found == nullptr) {
        return now; // a clock beyond the calendar: no pause rather than a wrong one
    }
    std::tm local = *found;
    local.tm_hour = MorningHour;
    local.tm_min = 0;
    local.tm_sec = 0;
    local.tm_isdst = DaylightSavingUnknown;
    std::time_t morning = std::mktime(&local);
    if (morning <= today) {
        local.tm_mday += 1;
        local.tm_hour = MorningHour;
        local.tm_isdst = DaylightSavingUnknown;
        morning = std::mktime(&local);
    }
    return WallTime(std::chrono::duration<double>(static_cast<double>(morning)));
}

void App::time(double interval, TimerType type) {
    // A pause has its end as the deadline too: the time left shows in the title.
    if (type != TimerType::Reminder) {
        systemTimerDeadline_ = platform_.clock().now() + std::chrono::duration<double>(interval);
    }
    schedule(interval, type);
}

void App::schedule(double interval, TimerType type) {
    if (systemTimer_) {
        systemTimer_->invalidate();
    }
    systemTimer_ = platform_.runLoop().scheduleTimer(interval, false, TimerEntryPoint, type,
                                                     [this](Timer& fired) { timeExpired(fired); });
}

void App::timeExpired(Timer& fired) {
    // A stale callback (an older or invalidated timer) must not end a fresh interval.
    if (!systemTimer_ || &fired != systemTimer_.get() || !systemTimer_->isValid()) {
        return;
    }
    const TimerType* type = std::any_cast<TimerType>(&fired.userInfo());
    if (type == nullptr) {
        return;
    }
    switch (*type) {
    case TimerType::Timer:
        timerFired();
        break;
    case TimerType::Reminder:
        reminderFired();
        break;
    case TimerType::Pause:
        restart();
        break;
    }
}

void App::onCfgChange(const Cfg::Parameter& parameter) {
    switch (parameter.kind()) {
    case Cfg::Parameter::Kind::TimerInterval:
        // While paused the new interval waits for the end of the pause.
        if (state_ != State::Paused) {
            restart();
        }
        break;
    case Cfg::Parameter::Kind::NaturalBreaks:
    case Cfg::Parameter::Kind::HoldWhenBusy:
        attention_.settingsChanged();
        break;
    default:
        break;
    }
}

void App::onUIAction(UIAction action) {
    switch (action) {
    case UIAction::CountdownChange:
        break;
    case UIAction::Restart:
        restart();
        break;
    case UIAction::Terminate:
        terminate();
        break;
    case UIAction::PauseHalfHour:
        pause(platform_.clock().now() + std::chrono::duration<double>(HalfHour));
        break;
    case UIAction::PauseHour:
        pause(platform_.clock().now() + std::chrono::duration<double>(Hour));
        break;
    case UIAction::PauseUntilMorning:
        pause(nextMorning(platform_.clock().now()));
        break;
    case UIAction::Resume:
        if (state_ == State::Paused) {
            restart();
        }
        break;
    }
}

double App::countdown() const {
    return (systemTimerDeadline_ - platform_.clock().now()).count();
}

void App::didWakeFromSleep() {
    // A pause keeps its wall-clock end whatever the settings; its timer waited on a clock that
    // stood still, so it is armed again for what is left (at once when the end has passed).
    if (state_ == State::Paused) {
        schedule(std::max(0.0, countdown()), TimerType::Pause);
        return;
    }
    if (cfg_.restartOnWake()) {
        restart();
        return;
    }
    // Restart after sleep is off: the interval keeps its wall-clock deadline. The timer waited
    // on a clock that stood still during sleep, so it is armed again for what is left, at once
    // when the deadline passed. A pending reminder is left as it is.
    if (state_ == State::Timing) {
        schedule(std::max(0.0, countdown()), TimerType::Timer);
    }
}

} // namespace quillmere
