#pragma once

#include "core/AppState.h"
#include "core/UXAbout.h"
#include "core/UXSettings.h"

#include <functional>
#include <memory>

namespace quillmere {

class Events;
class Menu;
class MenuItem;

// The status menu: About, Restart timer, the pause entries, Mute, Popup reminders, Settings, Quit.
class UXMenu {
public:
    static constexpr const char* RestartTitle = "Restart timer";
    static constexpr const char* PauseHalfHourTitle = "Pause for 30 minutes";
    static constexpr const char* PauseHourTitle = "Pause for 1 hour";
    static constexpr const char* PauseUntilMorningTitle = "Pause until tomorrow";
    static constexpr const char* ResumeTitle = "Resume";
    static constexpr const char* MuteTitle = "Mute";
    static constexpr const char* PopupsTitle = "Popup reminders";
    static constexpr const char* SettingsTitle = "Settings";
    static constexpr const char* QuitTitle = "Quit";
    static std::string aboutTitle();

    UXMenu(Cfg& cfg, const BuildInfo& buildInfo, UXAudio& audio, Events& events,
           std::function<AppState()> state, AppIcon& icon, Platform& platform);
    UXMenu(const UXMenu&) = delete;
    UXMenu& operator=(const UXMenu&) = delete;

    Menu& main() { return *main_; }
    UXSettings& settings() { return settings_; }
    UXAbout& about() { return about_; }

    // The six actions.
    void aboutAction();
    void restartAction();
    void toggleMute(MenuItem& sender);
    void togglePopup(MenuItem& sender);
    void runSettingsModal();
    void terminateAction();

private:
    void initMain(Platform& platform);
    // Refreshes the Mute check mark and shows "Resume" only while paused.
    void updateMain();

    UXAudio& audio_;
    Cfg& cfg_;
    Events& events_;
    std::function<AppState()> state_;
    // Both windows are built up front, hidden, and reused for every opening.
    UXSettings settings_;
    UXAbout about_;
    std::unique_ptr<Menu> main_;
};

} // namespace quillmere
