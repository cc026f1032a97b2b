#pragma once

#include "core/Cfg.h"
#include "platform/Panel.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace quillmere {

class Alert;
class AppIcon;
class Application;
class UXAudio;

// The Settings form: a working copy of the interval (in minutes), the two restart options and
// the alert sound, saved on OK in a fixed order. Nothing is stored while the user edits.
class SettingsView : public HostedView {
public:
    using AlertFactory = std::function<std::unique_ptr<Alert>()>;

    // Layout, in points.
    static constexpr double LabelWidth = 140;
    static constexpr double ControlWidth = 100;
    static constexpr double ControlLeadingPadding = 20;
    static constexpr double LogoHeight = 50;
    static constexpr double LogoTrailingPadding = 12;
    static constexpr double IntervalFieldWidth = 30;
    static constexpr double ButtonLabelPadding = 5;
    static constexpr double BottomPadding = 10;
    static constexpr double TrailingPadding = 10;

    static constexpr const char* IntervalLabel = "Interval in minutes";
    static constexpr const char* RestartOnWakeLabel = "Restart after sleep";
    static constexpr const char* AutoRestartLabel = "Auto restart timer";
    static constexpr const char* TimeInIconLabel = "Show the time in the icon";
    static constexpr const char* SoundLabel = "Reminder sound";
    static constexpr const char* OkButton = "OK";
    static constexpr const char* RefusalMessage = "Oops";
    static constexpr const char* RefusalInformative = "Invalid interval";

    // Reads the working copy from the store once.
    SettingsView(Cfg& cfg, UXAudio& audio, AppIcon& icon, Application& application,
                 AlertFactory makeAlert);

    ViewNode body() override;

    // The working copy.
    std::int64_t timerIntervalMinutes() const { return timerIntervalMinutes_; }
    Cfg::Sound selectedSound() const { return selectedSound_; }
    bool restartOnWake() const { return restartOnWake_; }
    bool autoRestart() const { return autoRestart_; }

    // Set by the window host: closes the window.
    std::function<void()> _done = [] {};

private:
    void selectSound(Cfg::Sound sound);
    // Saves the form: sound, restart-on-wake, auto-restart, then the interval; closes the
    // window when the interval is accepted, else shows the refusal.
    void update();
    ViewNode header();

    std::int64_t timerIntervalMinutes_;
    Cfg::Sound selectedSound_;
    bool restartOnWake_;
    bool autoRestart_;
    // Set once the user flips the switch; until then it shows the stored or desktop's value.
    std::optional<bool> showTimeInIcon_;
    Cfg* cfg_;
    UXAudio* audio_;
    AppIcon* icon_;
    Application* application_;
    AlertFactory makeAlert_;
};

} // namespace quillmere
