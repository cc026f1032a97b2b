#include "core/UXStatus.h"

#include "core/Events.h"
#include "core/UXMenu.h"
#include "core/UXTime.h"
#include "platform/Platform.h"

#include <algorithm>
#include <string_view>

namespace quillmere {

UXStatus::UXStatus(Cfg& cfg, UXAudio& audio, const BuildInfo& buildInfo, Events& events,
                   std::function<AppState()> state, std::function<double()> remainingTime,
                   AppIcon& icon, Platform& platform)
    : cfg_(cfg)
    , audio_(audio)
    , buildInfo_(buildInfo)
    , events_(events)
    , state_(std::move(state))
    , remainingTime_(std::move(remainingTime))
    , icon_(icon)
    , platform_(platform) {
    events_.subscribe(Events::AppStateChangeSubscriber([this](AppState, AppState) {
        ringTitle_.clear();
        update();
    }));
    events_.subscribe(Events::CfgChangeSubscriber([this](const Cfg::Parameter&) { update(); }));
    events_.subscribe(Events::UIActionSubscriber([this](UIAction) { update(); }));
}

UXStatus::~UXStatus() {
    if (updateTimer_) {
        updateTimer_->invalidate();
    }
}

void UXStatus::start() {
    menu_ = std::make_unique<UXMenu>(cfg_, buildInfo_, audio_, events_, state_, icon_, platform_);
    statusBarItem_ = platform_.createStatusItem(StatusBarItemWidth);
    cfg_.setTimeInIconDefault(statusBarItem_->titleHiddenByDesktop());
    statusBarItem_->setMenu(menu_->main());
    setIcon(TimerIcon);
    startUpdateTimer(UpdateInterval);
}

void UXStatus::update() {
    // Before start() there is no item; in Init the item keeps its first icon and no title.
    if (!statusBarItem_ || state_() == AppState::Init) {
        return;
    }
    updateIcon();
    // Worked out once a refresh, for the item and for those that follow it.
    const double remaining = remainingTime_();
    const Texts shown = texts(remaining);
    updateTitle(remaining, shown);
    if (onRefresh_) {
        onRefresh_(remaining, shown);
    }
}

void UXStatus::updateIcon() {
    switch (state_()) {
    case AppState::Timing:
    case AppState::Paused:
        setIcon(TimerIcon);
        break;
    case AppState::Reminding:
        setIcon(ReminderIcon);
        break;
    case AppState::Init:
        break;
    }
}

std::string UXStatus::titleText(double remaining) const {
    if (state_() == AppState::Paused) {
        return PausedMark + UXTime::countdown(std::max(0.0, remaining));
    }
    if (onBreak_ && onBreak_()) {
        return platform_.translator()(BreakTitle);
    }
    return remaining >= 0 ? UXTime::countdown(remaining) : UXTime::countup(-remaining);
}

UXStatus::Texts UXStatus::texts(double remaining) const {
    std::string title = titleText(remaining);
    std::string tip = toolTip(remaining, title);
    return {std::move(title), std::move(tip)};
}

void UXStatus::updateTitle(double remaining, const Texts& shown) {
    const auto& [text, tip] = shown;
    // The tooltip always tells the time, the one place it stays with the countdown off.
    statusBarItem_->setToolTip(tip);
    // With the countdown off the last title stays as it is; it is not cleared.
    if (!cfg_.showCountdown()) {
        return;
    }
    const bool red =
        (state_() == AppState::Reminding && text != platform_.translator()(BreakTitle)) ||
        text == "0";
    // The time in the icon is the title's: told first, so the item draws once per refresh.
    statusBarItem_->setTimeInIcon(cfg_.showTimeInIcon());
    // The ring moves with the title and with each change of state (a restart): every new picture
    // in a tray costs the process a wake-up, and the title changes once a minute.
    if (text != ringTitle_) {
        ringTitle_ = text;
        statusBarItem_->setElapsedFraction(elapsedFraction(remaining));
    }
    statusBarItem_->setTitle(text, TitleFont, red ? TitleColor::Red : TitleColor::Default);
}

double UXStatus::elapsedFraction(double remaining) const {
    switch (state_()) {
    case AppState::Reminding:
        return 1;
    case AppState::Paused:
        return 0;
    default:
        break;
    }
    const double gone = 1 - remaining / cfg_.timerInterval();
    // Written so that NaN lands on 0.
    return gone > 0 ? std::min(gone, 1.0) : 0;
}

std::string UXStatus::toolTip(double remaining, const std::string& title) const {
    // The bare seconds of the title read as seconds here, where there is room for the unit.
    const auto unit = [](std::string value) {
        return !value.empty() && value.back() >= '0' && value.back() <= '9' ? value + "s" : value;
    };
    const bool paused = state_() == AppState::Paused;
    const Translator& translator = platform_.translator();
    std::string text;
    if (title == translator(BreakTitle)) {
        text = translator(OnBreakTip);
    } else if (paused) {
        text = translator(PausedTip, unit(title.substr(std::string_view(PausedMark).size())));
    } else {
        // The count-up's "+" is what "ago" says.
        text = remaining >= 0 ? translator(LeftTip, unit(title))
                              : translator(DueTip, unit(title.substr(1)));
    }
    if (cfg_.isMuted()) {
        text = translator(MutedTip, text);
    }
    return text;
}

void UXStatus::setIcon(const std::string& name) {
    if (cfg_.isTest()) {
        return;
    }
    statusBarItem_->setImage(platform_.resources().image(name));
    if (statusBarItem_->hasImage()) {
        statusBarItem_->setImageSize(IconWidth, IconHeight);
    }
}

void UXStatus::startUpdateTimer(double seconds) {
    updateTimer_ = platform_.runLoop().scheduleTimer(seconds, true, "update", {},
                                                     [this](Timer&) { update(); });
}

} // namespace quillmere
