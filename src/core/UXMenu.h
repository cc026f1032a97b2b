#pragma once

#include "core/AppState.h"
#include "core/UXAbout.h"
#include "core/UXSettings.h"
#include "platform/Translator.h"

#include <functional>
#include <memory>

namespace quillmere {

class Events;
class Menu;
class MenuItem;

// The status menu: About, Restart timer, the pause entries, Mute, Popup reminders, Settings, Quit.
class UXMenu {
public:
    //: %1 is the program's name
    static constexpr Text AboutTitle = translatable("UXMenu", "About %1");
    static constexpr Text RestartTitle = translatable("UXMenu", "Restart timer");
    static constexpr Text PauseHalfHourTitle = translatable("UXMenu", "Pause for 30 minutes");
    static constexpr Text PauseHourTitle = translatable("UXMenu", "Pause for 1 hour");
    static constexpr Text PauseUntilMorningTitle = translatable("UXMenu", "Pause until tomorrow");
    static constexpr Text ResumeTitle = translatable("UXMenu", "Resume");
    //: Silences the alert sound (a check mark shows it is on)
    static constexpr Text MuteTitle = translatable("UXMenu", "Mute");
    static constexpr Text PopupsTitle = translatable("UXMenu", "Popup reminders");
    static constexpr Text SettingsTitle = translatable("UXMenu", "Settings");
    static constexpr Text QuitTitle = translatable("UXMenu", "Quit");
    // "About Quillmere Timer" in the user's language.
    static std::string aboutTitle(const Translator& translator);

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
    const Translator& translator_;
    std::function<AppState()> state_;
    // Both windows are built up front, hidden, and reused for every opening.
    UXSettings settings_;
    UXAbout about_;
    std::unique_ptr<Menu> main_;
};

} // namespace quillmere
