#include "core/App.h"

#include "core/Log.h"
#include "platform/Platform.h"

#include <algorithm>
#include <cstring>

namespace quillmere {

std::unique_ptr<App> app;

namespace {

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
    , popup_(cfg_, platform.application(), platform.createAlert())
    , systemTimerDeadline_(platform.clock().now())
    , status_(std::make_unique<UXStatus>(
          cfg_, audio_, cfg_.buildInfo(), events_, [this] { return state_; },
          [this] { return countdown(); }, icon_, platform)) {}

App::~App() {
    platform_.wakeNotifier().removeWakeObserver(WakeEntryPoint);
    if (systemTimer_) {
        systemTimer_->invalidate();
    }
    // The status item's timer and subscriptions refer to this controller: end them first.
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
    restart();
}

void App::notify() {
    audio_.playNotification();
    if (!cfg_.popups()) {
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
    time(cfg_.timerInterval(), TimerType::Timer);
    const State old = state_;
    state_ = State::Timing;
    events_.publish(Event::appStateChange(old, State::Timing));
}

void App::terminate() {
    platform_.application().terminate();
}

void App::reminderFired() {
    if (state_ != State::Reminding) {
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
    notify();
    // The popup, when shown, has decided what comes next; read the settings again after it.
    if (cfg_.popups()) {
        return;
    }
    if (cfg_.autoRestart()) {
        restart();
    }
}

void App::time(double interval, TimerType type) {
    if (type == TimerType::Timer) {
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
    if (*type == TimerType::Timer) {
        timerFired();
    } else {
        reminderFired();
    }
}

void App::onCfgChange(const Cfg::Parameter& parameter) {
    if (parameter.kind() == Cfg::Parameter::Kind::TimerInterval) {
        restart();
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
    }
}

double App::countdown() const {
    return (systemTimerDeadline_ - platform_.clock().now()).count();
}

void App::didWakeFromSleep() {
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
