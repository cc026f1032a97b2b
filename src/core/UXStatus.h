#pragma once

#include "core/AppState.h"
#include "platform/Font.h"
#include "platform/Translator.h"

#include <functional>
#include <memory>
#include <string>

namespace quillmere {

class AppIcon;
class BuildInfo;
class Cfg;
class Events;
class Platform;
class StatusItem;
class Timer;
class UXAudio;
class UXMenu;

// The one item in the status area: the state's icon and the countdown title, refreshed once a
// second and at once on every event. It also tells the item its tooltip, the part of the
// interval that is gone and whether the icon carries the time; how to show them is the item's.
class UXStatus {
public:
    static constexpr const char* TimerIcon = "Quillmere.png";
    static constexpr const char* ReminderIcon = "QuillmereGrey.png";
    static constexpr double StatusBarItemWidth = 50;
    static constexpr double IconWidth = 16;
    static constexpr double IconHeight = 26;
    static constexpr double UpdateInterval = 1;
    static constexpr Font TitleFont{true, 12, Font::Weight::Regular};
    // Before the time left while paused.
    static constexpr const char* PausedMark = "\u2016";
    // The title while an absence already counts as a natural break.
    //: The item's short title while time away counts as a break
    static constexpr Text BreakTitle = translatable("UXStatus", "break");
    // The tooltip's texts.
    static constexpr Text OnBreakTip = translatable("UXStatus", "On a break");
    //: %1 is a short time: 10m, 4s or >1h
    static constexpr Text LeftTip = translatable("UXStatus", "%1 left");
    //: %1 is a short time: 10m, 4s or >1h
    static constexpr Text PausedTip = translatable("UXStatus", "%1 left, paused");
    //: %1 is a short time: 10m, 4s or >1h
    static constexpr Text DueTip = translatable("UXStatus", "Break due %1 ago");
    //: %1 is the rest of the tooltip
    static constexpr Text MutedTip = translatable("UXStatus", "%1, muted");

    // Subscribes to the three event lists; creates nothing on screen yet.
    UXStatus(Cfg& cfg, UXAudio& audio, const BuildInfo& buildInfo, Events& events,
             std::function<AppState()> state, std::function<double()> remainingTime, AppIcon& icon,
             Platform& platform);
    ~UXStatus();
    UXStatus(const UXStatus&) = delete;
    UXStatus& operator=(const UXStatus&) = delete;

    // Creates the menu and the item, sets the first icon, starts the refresh timer.
    void start();
    // "update": refreshes icon and title; nothing while the controller is in Init.
    void update();
    void updateIcon();
    // Shows the named image; never in test mode.
    void setIcon(const std::string& name);
    void startUpdateTimer(double seconds);
    // Tells whether the person is away long enough for a natural break (none: never).
    void setOnBreak(std::function<bool()> onBreak) { onBreak_ = std::move(onBreak); }
    struct Texts {
        std::string title;
        std::string toolTip;
    };
    // Called after every refresh of the item with what it shows, for those that follow it.
    using RefreshObserver = std::function<void(double remaining, const Texts& shown)>;
    void setOnRefresh(RefreshObserver onRefresh) { onRefresh_ = std::move(onRefresh); }
    // The title and the tooltip's text a refresh shows with `remaining` seconds left.
    Texts texts(double remaining) const;

    UXMenu* menu() { return menu_.get(); }
    StatusItem* statusBarItem() { return statusBarItem_.get(); }

private:
    void updateTitle(double remaining, const Texts& shown);
    // The tooltip's text: the time left, or since the break was due, then what changes its
    // meaning ("paused", "muted").
    std::string toolTip(double remaining, const std::string& title) const;
    double elapsedFraction(double remaining) const;
    // The time left, the time since the deadline, the pause left, or that a break counts.
    std::string titleText(double remaining) const;

    Cfg& cfg_;
    UXAudio& audio_;
    const BuildInfo& buildInfo_;
    Events& events_;
    std::function<AppState()> state_;
    std::function<double()> remainingTime_;
    std::function<bool()> onBreak_;
    RefreshObserver onRefresh_;
    AppIcon& icon_;
    Platform& platform_;
    std::unique_ptr<UXMenu> menu_;
    std::unique_ptr<StatusItem> statusBarItem_;
    std::shared_ptr<Timer> updateTimer_;
    // The title the ring's part was last told with; cleared when the state changes.
    std::string ringTitle_;
};

} // namespace quillmere
