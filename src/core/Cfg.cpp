#include "core/Cfg.h"

#include "core/BuildInfo.h"
#include "core/Events.h"
#include "platform/DefaultsStore.h"

namespace quillmere {

std::string_view Cfg::rawValue(Sound sound) {
    switch (sound) {
    case Sound::Sonar:
        return "Sonar";
    case Sound::Bowl:
        return "Bowl";
    case Sound::System:
        return "System";
    case Sound::Whistle:
        return "Whistle";
    }
    return "System";
}

std::optional<Cfg::Sound> Cfg::soundFromRawValue(std::string_view raw) {
    for (Sound sound : allSounds) {
        if (rawValue(sound) == raw) {
            return sound;
        }
    }
    return std::nullopt;
}

std::string_view Cfg::Parameter::key() const {
    switch (kind_) {
    case Kind::AlertSound:
        return AlertSoundKey;
    case Kind::AutoRestart:
        return AutoRestartKey;
    case Kind::Mute:
        return MuteKey;
    case Kind::PopupAlerts:
        return PopupAlertsKey;
    case Kind::RestartOnWake:
        return RestartOnWakeKey;
    case Kind::ShowCountdown:
        return ShowCountdownKey;
    case Kind::ShowTimeInIcon:
        return ShowTimeInIconKey;
    case Kind::TimerInterval:
        return TimerIntervalKey;
    case Kind::NaturalBreaks:
        return NaturalBreaksKey;
    case Kind::AwayMinutes:
        return AwayMinutesKey;
    case Kind::HoldWhenBusy:
        return HoldWhenBusyKey;
    case Kind::NotifyWhenNoPopup:
        return NotifyWhenNoPopupKey;
    }
    return {};
}

Cfg::Cfg(bool isTest, Events& events, const BuildInfo& buildInfo, DefaultsStore& store)
    : isTest_(isTest)
    , events_(events)
    , buildInfo_(buildInfo)
    , store_(store) {}

double Cfg::timerInterval() const {
    if (isTest_) {
        return TestTimerInterval;
    }
    // Whole seconds. Below one second (nothing stored, garbage, or a hand-edited negative value)
    // falls back to the default: a negative interval would end every interval at once.
    const std::int64_t seconds = store_.integerValue(TimerIntervalKey);
    if (seconds < 1) {
        return DefaultTimerInterval;
    }
    return static_cast<double>(seconds);
}

double Cfg::reminderInterval() const {
    return isTest_ ? TestReminderInterval : ReminderInterval;
}

bool Cfg::isFirstRun() {
    if (!firstRun_) {
        firstRun_ = !store_.stringValue(VersionKey).has_value();
        store_.setString(VersionKey, buildInfo_.version());
    }
    return *firstRun_;
}

bool Cfg::isMuted() const {
    return store_.boolValue(MuteKey);
}

bool Cfg::firstRunFlag(const char* key) {
    // On the first run the default is stored once, only where nothing is stored yet, so a value
    // written during the first run (a toggle, the popup's check box, a save) is what reads return.
    if (isFirstRun() && !store_.contains(key)) {
        store_.setBool(key, true);
    }
    return store_.boolValue(key);
}

bool Cfg::popups() {
    return firstRunFlag(PopupAlertsKey);
}
bool Cfg::autoRestart() {
    return firstRunFlag(AutoRestartKey);
}
bool Cfg::restartOnWake() {
    return firstRunFlag(RestartOnWakeKey);
}
bool Cfg::showCountdown() {
    return firstRunFlag(ShowCountdownKey);
}

bool Cfg::showTimeInIcon() const {
    // Not a first-run flag: absent keeps following the desktop, also after a change of desktop.
    return store_.contains(ShowTimeInIconKey) ? store_.boolValue(ShowTimeInIconKey)
                                              : timeInIconDefault_;
}

Cfg::Sound Cfg::sound() const {
    const std::optional<std::string> stored = store_.stringValue(AlertSoundKey);
    return soundFromRawValue(stored.value_or("System")).value_or(Sound::System);
}

bool Cfg::naturalBreaks() const {
    return store_.boolValue(NaturalBreaksKey);
}

std::int64_t Cfg::awayMinutes() const {
    const std::int64_t minutes = store_.integerValue(AwayMinutesKey);
    if (minutes < MinimumAwayMinutes || minutes > MaximumAwayMinutes) {
        return DefaultAwayMinutes;
    }
    return minutes;
}

bool Cfg::holdWhenBusy() const {
    return store_.boolValue(HoldWhenBusyKey);
}

bool Cfg::notifyWhenNoPopup() const {
    return store_.boolValue(NotifyWhenNoPopupKey);
}

std::optional<WallTime> Cfg::pausedUntil(WallTime now) const {
    if (!store_.contains(PausedUntilKey)) {
        return std::nullopt;
    }
    const WallTime end{std::chrono::duration<double>(store_.doubleValue(PausedUntilKey))};
    // Written so that NaN fails both comparisons: a past, absurd or unreadable end is no pause.
    if (!(end > now && end - now <= std::chrono::duration<double>(LongestPause))) {
        return std::nullopt;
    }
    return end;
}

void Cfg::set(const Parameter& parameter, bool publish) {
    const std::string key{parameter.key()};
    switch (parameter.kind()) {
    case Parameter::Kind::AlertSound:
        store_.setString(key, std::string{rawValue(parameter.sound())});
        break;
    case Parameter::Kind::TimerInterval:
        store_.setDouble(key, parameter.seconds());
        break;
    case Parameter::Kind::AwayMinutes:
        store_.setDouble(key, static_cast<double>(parameter.minutes()));
        break;
    default:
        store_.setBool(key, parameter.flag());
        break;
    }
    if (publish) {
        events_.publish(Event::cfgChange(parameter));
    }
}

bool Cfg::setTimerInterval(double seconds) {
    // Written so that NaN fails both comparisons and is refused.
    if (!(seconds > 0 && seconds <= MaximumTimerInterval)) {
        return false;
    }
    set(Parameter::timerInterval(seconds), true);
    return true;
}

bool Cfg::toggleMute() {
    const bool muted = !store_.boolValue(MuteKey);
    set(Parameter::mute(muted), true);
    return muted;
}

bool Cfg::togglePopups() {
    const bool enabled = !popups();
    set(Parameter::popupAlerts(enabled), true);
    return popups();
}

void Cfg::disablePopups() {
    set(Parameter::popupAlerts(false), true);
}

bool Cfg::setAwayMinutes(std::int64_t minutes) {
    if (minutes < MinimumAwayMinutes || minutes > MaximumAwayMinutes) {
        return false;
    }
    set(Parameter::awayMinutes(minutes), true);
    return true;
}

void Cfg::setPausedUntil(std::optional<WallTime> end) {
    // No pause is stored as 0, a time long past, which reads back as no pause.
    store_.setDouble(PausedUntilKey, end ? end->time_since_epoch().count() : 0);
}

} // namespace quillmere
