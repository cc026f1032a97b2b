#include "core/UXMenu.h"

#include "core/Events.h"
#include "platform/Menu.h"
#include "platform/Platform.h"

namespace quillmere {

std::string UXMenu::aboutTitle() {
    return std::string("About ") + Cfg::Name;
}

UXMenu::UXMenu(Cfg& cfg, const BuildInfo& buildInfo, UXAudio& audio, Events& events,
               std::function<AppState()> state, AppIcon& icon, Platform& platform)
    : audio_(audio)
    , cfg_(cfg)
    , events_(events)
    , state_(std::move(state))
    , settings_(cfg, audio, icon, platform)
    , about_(cfg, buildInfo, icon, platform) {
    initMain(platform);
    events_.subscribe(
        Events::AppStateChangeSubscriber([this](AppState, AppState) { updateMain(); }));
    events_.subscribe(Events::CfgChangeSubscriber([this](const Cfg::Parameter&) { updateMain(); }));
}

void UXMenu::initMain(Platform& platform) {
    main_ = platform.createMenu();
    Menu& menu = *main_;
    // Every item is enabled: each has an action this menu carries out.
    menu.addItem(aboutTitle(), "aboutAction:", "", [this](MenuItem&) { aboutAction(); });
    menu.addSeparator();
    menu.addItem(RestartTitle, "restartAction:", "r", [this](MenuItem&) { restartAction(); });
    // Pausing belongs with restarting. A pause entry chosen while paused sets a new end.
    const auto publish = [this](UIAction action) {
        return [this, action](MenuItem&) { events_.publish(Event::uiAction(action)); };
    };
    menu.addItem(PauseHalfHourTitle, "pauseHalfHourAction:", "", publish(UIAction::PauseHalfHour));
    menu.addItem(PauseHourTitle, "pauseHourAction:", "", publish(UIAction::PauseHour));
    menu.addItem(PauseUntilMorningTitle, "pauseUntilMorningAction:", "",
                 publish(UIAction::PauseUntilMorning));
    // Shown only while paused; the menu is built before the first interval or pause begins.
    menu.addItem(ResumeTitle, "resumeAction:", "", publish(UIAction::Resume)).setHidden(true);
    MenuItem& mute = menu.addItem(MuteTitle, "toggleMuteWithSender:", "",
                                  [this](MenuItem& sender) { toggleMute(sender); });
    mute.setState(cfg_.isMuted());
    MenuItem& popups = menu.addItem(PopupsTitle, "togglePopupWithSender:", "",
                                    [this](MenuItem& sender) { togglePopup(sender); });
    popups.setState(cfg_.popups());
    menu.addItem(SettingsTitle, "runSettingsModal:", "s",
                 [this](MenuItem&) { runSettingsModal(); });
    menu.addSeparator();
    menu.addItem(QuitTitle, "terminateAction:", "q", [this](MenuItem&) { terminateAction(); });
}

void UXMenu::updateMain() {
    if (MenuItem* mute = main_->itemWithTitle(MuteTitle)) {
        mute->setState(cfg_.isMuted());
    }
    if (MenuItem* resume = main_->itemWithTitle(ResumeTitle)) {
        resume->setHidden(state_() != AppState::Paused);
    }
}

void UXMenu::aboutAction() {
    about_.runModal([] {});
}

void UXMenu::restartAction() {
    events_.publish(Event::uiAction(UIAction::Restart));
}

void UXMenu::toggleMute(MenuItem& sender) {
    sender.setState(cfg_.toggleMute());
}

void UXMenu::togglePopup(MenuItem& sender) {
    sender.setState(cfg_.togglePopups());
}

void UXMenu::runSettingsModal() {
    settings_.runModal([this] { updateMain(); });
}

void UXMenu::terminateAction() {
    events_.publish(Event::uiAction(UIAction::Terminate));
}

} // namespace quillmere
