#include "support/Scenario.h"

#include "core/UXAudio.h"

#include <atomic>

#include <unistd.h>

namespace quillmere::testing {

namespace {

std::filesystem::path freshFolder() {
    static std::atomic<int> counter{0};
    const auto path =
        std::filesystem::temp_directory_path() /
        ("quillmere-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    return path;
}

} // namespace

std::string describe(AppState state) {
    static const char* const names[] = {"Init", "Timing", "Reminding", "Paused"};
    return names[static_cast<int>(state)];
}

std::string describe(UIAction action) {
    static const char* const names[] = {"CountdownChange", "Restart",   "Terminate",
                                        "PauseHalfHour",   "PauseHour", "PauseUntilMorning",
                                        "Resume"};
    return names[static_cast<int>(action)];
}

std::string describe(const Cfg::Parameter& parameter) {
    std::string text(parameter.key());
    switch (parameter.kind()) {
    case Cfg::Parameter::Kind::AlertSound:
        return text + "=" + std::string(Cfg::rawValue(parameter.sound()));
    case Cfg::Parameter::Kind::TimerInterval:
        return text + "=" + std::to_string(static_cast<long long>(parameter.seconds()));
    case Cfg::Parameter::Kind::AwayMinutes:
        return text + "=" + std::to_string(parameter.minutes());
    default:
        return text + "=" + (parameter.flag() ? "on" : "off");
    }
}

Scenario::Scenario()
    : folder(freshFolder())
    , platform(folder) {
    platform.files().writeFile("BuildInfo.txt", "Version=1.0.0\nBuild=42\nDate=2026-12-01\n");
    for (const char* sound : {"Sonar", "Bowl", "Whistle"}) {
        platform.files().writeFile(std::string(sound) + "." + UXAudio::SoundExtension, "pcm");
    }
    platform.files().addImage("Quillmere.png", 64, 64);
    platform.files().addImage("QuillmereGrey.png", 64, 64);
}

Scenario::~Scenario() {
    controller.reset();
    std::error_code error;
    std::filesystem::remove_all(folder, error);
}

void Scenario::construct(bool isTest) {
    controller = std::make_unique<App>(isTest, platform);
    Events& events = controller->events();
    events.subscribe(Events::AppStateChangeSubscriber([this](AppState from, AppState to) {
        trace.push_back(describe(from) + "->" + describe(to));
    }));
    events.subscribe(Events::CfgChangeSubscriber(
        [this](const Cfg::Parameter& parameter) { trace.push_back(describe(parameter)); }));
    events.subscribe(Events::UIActionSubscriber(
        [this](UIAction action) { trace.push_back("ui " + describe(action)); }));
}

void Scenario::launch(bool isTest) {
    construct(isTest);
    platform.app().run([this] { controller->applicationDidFinishLaunching(); });
}

void Scenario::storeSettings(bool popups, bool autoRestart, bool restartOnWake) {
    platform.store().setString(Cfg::VersionKey, "0.9");
    platform.store().setBool(Cfg::PopupAlertsKey, popups);
    platform.store().setBool(Cfg::AutoRestartKey, autoRestart);
    platform.store().setBool(Cfg::RestartOnWakeKey, restartOnWake);
    platform.store().setBool(Cfg::ShowCountdownKey, true);
}

sim::SimPanel& Scenario::settingsPanel() {
    return dynamic_cast<sim::SimPanel&>(controller->status().menu()->settings().window());
}

sim::SimPanel& Scenario::aboutPanel() {
    return dynamic_cast<sim::SimPanel&>(controller->status().menu()->about().window());
}

std::string Scenario::armed() const {
    const std::shared_ptr<Timer>& timer = controller->systemTimer();
    if (!timer || !timer->isValid()) {
        return "none";
    }
    const auto* type = std::any_cast<AppTimerType>(&timer->userInfo());
    static const char* const names[] = {"Timer", "Reminder", "Pause"};
    return type == nullptr ? "untyped" : names[static_cast<int>(*type)];
}

} // namespace quillmere::testing
