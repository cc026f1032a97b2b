#pragma once

#include "core/Cfg.h"
#include "platform/Panel.h"
#include "platform/Translator.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace quillmere {

class Alert;
class AppIcon;
class Application;
class Autostart;
class BusyMonitor;
class Presence;
class UXAudio;

// The Settings form: a working copy of the interval (in minutes), the two restart options, the
// notification without pop-ups, the alert sound, natural breaks with their minutes away, holding
// while busy and starting at login, saved on OK in a fixed order. Nothing is stored while the
// user edits.
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

    static constexpr Text IntervalLabel = translatable("SettingsView", "Interval in minutes");
    static constexpr Text RestartOnWakeLabel = translatable("SettingsView", "Restart after sleep");
    static constexpr Text AutoRestartLabel = translatable("SettingsView", "Auto restart timer");
    //: Sends a desktop notification when the reminder window is switched off
    static constexpr Text NotifyLabel = translatable("SettingsView", "Notify without pop-up");
    static constexpr Text TimeInIconLabel =
        translatable("SettingsView", "Show the time in the icon");
    static constexpr Text SoundLabel = translatable("SettingsView", "Reminder sound");
    //: Counts time away from the computer as a break
    static constexpr Text NaturalBreaksLabel = translatable("SettingsView", "Natural breaks");
    //: After the minutes away that count as a break
    static constexpr Text AwayMinutesUnit = translatable("SettingsView", "min");
    //: Holds reminders back during full screen or do-not-disturb
    static constexpr Text HoldWhenBusyLabel = translatable("SettingsView", "Hold when busy");
    static constexpr Text StartAtLoginLabel = translatable("SettingsView", "Start at login");
    static constexpr Text NoPresenceSource =
        translatable("SettingsView", "No idle or lock source on this desktop");
    static constexpr Text NoBusySource =
        translatable("SettingsView", "No full-screen or do-not-disturb source here");
    static constexpr Text OkButton = translatable("SettingsView", "OK");
    static constexpr Text RefusalMessage = translatable("SettingsView", "Oops");
    static constexpr Text RefusalInformative = translatable("SettingsView", "Invalid interval");
    static constexpr Text AwayRefusalInformative =
        translatable("SettingsView", "Invalid minutes away (1 to 60)");
    static constexpr Text StartAtLoginFailure =
        translatable("SettingsView", "Start at login could not be changed");
    // The sounds' names as the picker shows them; the stored value is always the raw one.
    static Text soundName(Cfg::Sound sound);

    // Reads the working copy from the store once.
    SettingsView(Cfg& cfg, UXAudio& audio, AppIcon& icon, Application& application,
                 AlertFactory makeAlert, const Presence& presence, const BusyMonitor& busyMonitor,
                 Autostart& autostart, const Translator& translator);

    ViewNode body() override;
    // Called by the window host before each opening: start at login shows the desktop's record
    // as it is now, since the desktop's own tools change it too.
    void windowWillOpen();

    // The working copy.
    std::int64_t timerIntervalMinutes() const { return timerIntervalMinutes_; }
    Cfg::Sound selectedSound() const { return selectedSound_; }
    bool restartOnWake() const { return restartOnWake_; }
    bool autoRestart() const { return autoRestart_; }
    bool naturalBreaks() const { return naturalBreaks_; }
    std::int64_t awayMinutes() const { return awayMinutes_; }
    bool holdWhenBusy() const { return holdWhenBusy_; }
    bool notifyWhenNoPopup() const { return notifyWhenNoPopup_; }
    bool startAtLogin() const { return startAtLogin_; }

    // Set by the window host: closes the window.
    std::function<void()> _done = [] {};

private:
    void selectSound(Cfg::Sound sound);
    // Saves the form: sound, restart-on-wake, auto-restart, what changed of the absence
    // settings, then the interval; closes the window when everything is accepted, else shows the
    // first refusal.
    void update();
    ViewNode header();
    // The rows of the settings beyond the described ones, each with its note when disabled.
    void addAbsenceRows(std::vector<ViewNode>& rows);
    // Stores what changed of them; false when the minutes away are refused.
    bool saveAbsenceSettings();
    // Changes start at login where the switch differs from the record; false when that failed.
    bool applyStartAtLogin();
    void refuse(const Text& informative);

    std::int64_t timerIntervalMinutes_;
    Cfg::Sound selectedSound_;
    bool restartOnWake_;
    bool autoRestart_;
    // Set once the user flips the switch; until then it shows the stored or desktop's value.
    std::optional<bool> showTimeInIcon_;
    bool naturalBreaks_;
    std::int64_t awayMinutes_;
    bool holdWhenBusy_;
    bool notifyWhenNoPopup_;
    bool startAtLogin_ = false;
    Cfg* cfg_;
    UXAudio* audio_;
    AppIcon* icon_;
    Application* application_;
    AlertFactory makeAlert_;
    const Presence* presence_;
    const BusyMonitor* busyMonitor_;
    Autostart* autostart_;
    const Translator* translator_;
};

} // namespace quillmere
