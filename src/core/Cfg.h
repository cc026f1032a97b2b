#pragma once

#include "platform/Clock.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace quillmere {

class BuildInfo;
class DefaultsStore;
class Events;

// The persistent settings, with their defaults and the first-run rule. Keeps no copy of any
// setting: every read goes to the defaults store, every write is stored first, then published.
class Cfg {
public:
    // The application's display name.
    static constexpr const char* Name = "Quillmere Timer";

    // The alert sound; the raw value is the persisted form, the label and the resource name.
    enum class Sound { Sonar, Bowl, System, Whistle };
    static constexpr std::array<Sound, 4> allSounds{Sound::Sonar, Sound::Bowl, Sound::System,
                                                    Sound::Whistle};
    static std::string_view rawValue(Sound sound);
    // Exact, case-sensitive match of a raw value; none for anything else.
    static std::optional<Sound> soundFromRawValue(std::string_view raw);

    // One changed setting with its new value.
    class Parameter {
    public:
        enum class Kind {
            AlertSound,
            AutoRestart,
            Mute,
            PopupAlerts,
            RestartOnWake,
            ShowCountdown,
            ShowTimeInIcon,
            TimerInterval,
            NaturalBreaks,
            AwayMinutes,
            HoldWhenBusy,
            NotifyWhenNoPopup
        };

        static Parameter alertSound(Sound sound) { return {Kind::AlertSound, sound}; }
        static Parameter autoRestart(bool on) { return {Kind::AutoRestart, on}; }
        static Parameter mute(bool on) { return {Kind::Mute, on}; }
        static Parameter popupAlerts(bool on) { return {Kind::PopupAlerts, on}; }
        static Parameter restartOnWake(bool on) { return {Kind::RestartOnWake, on}; }
        static Parameter showCountdown(bool on) { return {Kind::ShowCountdown, on}; }
        static Parameter showTimeInIcon(bool on) { return {Kind::ShowTimeInIcon, on}; }
        static Parameter timerInterval(double seconds) { return {Kind::TimerInterval, seconds}; }
        static Parameter naturalBreaks(bool on) { return {Kind::NaturalBreaks, on}; }
        static Parameter awayMinutes(std::int64_t minutes) { return {Kind::AwayMinutes, minutes}; }
        static Parameter holdWhenBusy(bool on) { return {Kind::HoldWhenBusy, on}; }
        static Parameter notifyWhenNoPopup(bool on) { return {Kind::NotifyWhenNoPopup, on}; }

        Kind kind() const { return kind_; }
        // The persisted key.
        std::string_view key() const;
        // The carried value; valid only for the matching kinds.
        Sound sound() const { return std::get<Sound>(value_); }
        bool flag() const { return std::get<bool>(value_); }
        double seconds() const { return std::get<double>(value_); }
        std::int64_t minutes() const { return std::get<std::int64_t>(value_); }

        friend bool operator==(const Parameter&, const Parameter&) = default;

    private:
        using Value = std::variant<Sound, bool, double, std::int64_t>;
        Parameter(Kind kind, Value value)
            : kind_(kind)
            , value_(value) {}

        Kind kind_;
        Value value_;
    };

    // Persisted keys. "ResartOnWake" is spelled as stored settings have it.
    static constexpr const char* VersionKey = "Version";
    static constexpr const char* TimerIntervalKey = "TimerInterval";
    static constexpr const char* AlertSoundKey = "AlertSound";
    static constexpr const char* MuteKey = "Mute";
    static constexpr const char* PopupAlertsKey = "PopupAlerts";
    static constexpr const char* AutoRestartKey = "AutoRestart";
    static constexpr const char* RestartOnWakeKey = "ResartOnWake";
    static constexpr const char* ShowCountdownKey = "ShowCountdown";
    static constexpr const char* ShowTimeInIconKey = "ShowTimeInIcon";
    // Settings beyond the described ones, all off (or at their default) until the user sets them.
    static constexpr const char* NaturalBreaksKey = "NaturalBreaks";
    static constexpr const char* AwayMinutesKey = "AwayMinutes";
    static constexpr const char* HoldWhenBusyKey = "HoldWhenBusy";
    static constexpr const char* NotifyWhenNoPopupKey = "NotifyWhenNoPopup";
    // The end of a pause, wall-clock seconds since the epoch.
    static constexpr const char* PausedUntilKey = "PausedUntil";

    static constexpr double DefaultTimerInterval = 600;
    static constexpr double TestTimerInterval = 30;
    static constexpr double MaximumTimerInterval = 7200;
    static constexpr double ReminderInterval = 60;
    static constexpr double TestReminderInterval = 5;
    static constexpr std::int64_t DefaultAwayMinutes = 5;
    static constexpr std::int64_t MinimumAwayMinutes = 1;
    static constexpr std::int64_t MaximumAwayMinutes = 60;
    // The longest pause the menu offers is until the next morning; a stored end further ahead
    // than this was not written by us and is ignored.
    static constexpr double LongestPause = 48 * 3600;

    Cfg(bool isTest, Events& events, const BuildInfo& buildInfo, DefaultsStore& store);

    bool isTest() const { return isTest_; }
    const BuildInfo& buildInfo() const { return buildInfo_; }

    // The work interval in seconds.
    double timerInterval() const;
    // The delay before a snoozed reminder comes back.
    double reminderInterval() const;
    // Whether this process is the application's first run; decided once per process.
    bool isFirstRun();
    bool isMuted() const;
    bool popups();
    bool autoRestart();
    bool restartOnWake();
    bool showCountdown();
    // "ShowTimeInIcon" as stored; absent, the desktop's default.
    bool showTimeInIcon() const;
    // The default of "ShowTimeInIcon": on where the desktop shows no title beside the icon.
    void setTimeInIconDefault(bool on) { timeInIconDefault_ = on; }
    Sound sound() const;
    // Whether an absence of awayMinutes() counts as a break.
    bool naturalBreaks() const;
    // Whole minutes, 1 to 60; anything else stored reads as the default.
    std::int64_t awayMinutes() const;
    // Whether a due reminder waits while a full-screen window or do-not-disturb is on.
    bool holdWhenBusy() const;
    // Whether a reminder with pop-ups off also comes as a desktop notification.
    bool notifyWhenNoPopup() const;
    // The stored end of a pause, if it lies after `now` and no more than LongestPause ahead.
    std::optional<WallTime> pausedUntil(WallTime now) const;

    // Stores the parameter's value, then publishes it when `publish` is true.
    void set(const Parameter& parameter, bool publish);
    // Stores and publishes an interval of 0 < seconds <= 7200; refuses anything else.
    bool setTimerInterval(double seconds);
    // Inverts "Mute"; returns the new value.
    bool toggleMute();
    // Inverts "PopupAlerts"; returns the value read back.
    bool togglePopups();
    // Stores pop-ups off and publishes it.
    void disablePopups();
    // Stores and publishes whole minutes of 1 to 60; refuses anything else.
    bool setAwayMinutes(std::int64_t minutes);
    // Stores the end of a pause, or no pause; nothing is published (the state change tells it).
    void setPausedUntil(std::optional<WallTime> end);

private:
    bool firstRunFlag(const char* key);

    std::optional<bool> firstRun_;
    bool timeInIconDefault_ = false;
    bool isTest_;
    Events& events_;
    const BuildInfo& buildInfo_;
    DefaultsStore& store_;
};

} // namespace quillmere
