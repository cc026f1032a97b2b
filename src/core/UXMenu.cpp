#include "core/UXMenu.h"

#include "core/Events.h"
#include "platform/Menu.h"
#include "platform/Platform.h"

namespace quillmere {

std::string UXMenu::aboutTitle(const Translator& translator) {
    return translator(AboutTitle, Cfg::Name);
}

UXMenu::UXMenu(Cfg& cfg, const BuildInfo& buildInfo, UXAudio& audio, Events& events,
               std::function<AppState()> state, AppIcon& icon, Platform& platform)
    : audio_(audio)
    , cfg_(cfg)
    , events_(events)
    , translator_(platform.translator())
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
    menu.addItem(aboutTitle(translator_), "aboutAction:", "", [this](MenuItem&) { aboutAction(); });
    menu.addSeparator();
    menu.addItem(translator_(RestartTitle), "restartAction:", "r",
                 [this](MenuItem&) { restartAction(); });
    // Pausing belongs with restarting. A pause entry chosen while paused sets a new end.
    const auto publish = [this](UIAction action) {
        return [this, action](MenuItem&) { events_.publish(Event::uiAction(action)); };
    };
    menu.addItem(translator_(PauseHalfHourTitle), "pauseHalfHourAction:", "",
                 publish(UIAction::PauseHalfHour));
    menu.addItem(translator_(PauseHourTitle), "pauseHourAction:", "", publish(UIAction::PauseHour));
    menu.addItem(translator_(PauseUntilMorningTitle), "pauseUntilMorningAction:", "",
                 publish(UIAction::PauseUntilMorning));
    // Shown only while paused; the menu is built before the first interval or pause begins.
    menu.addItem(translator_(ResumeTitle), "resumeAction:", "", publish(UIAction::Resume))
        .setHidden(true);
    MenuItem& mute = menu.addItem(translator_(MuteTitle), "toggleMuteWithSender:", "",
                                  [this](MenuItem& sender) { toggleMute(sender); });
    mute.setState(cfg_.isMuted());
    MenuItem& popups = menu.addItem(translator_(PopupsTitle), "togglePopupWithSender:", "",
                                    [this](MenuItem& sender) { togglePopup(sender); });
    popups.setState(cfg_.popups());
    menu.addItem(translator_(SettingsTitle), "runSettingsModal:", "s",
                 [this](MenuItem&) { runSettingsModal(); });
    menu.addSeparator();
    menu.addItem(translator_(QuitTitle), "terminateAction:", "q",
                 [this](MenuItem&) { terminateAction(); });
}

void UXMenu::updateMain() {
    if (MenuItem* mute = main_->itemWithTitle(translator_(MuteTitle))) {
        mute->setState(cfg_.isMuted());
    }
    if (MenuItem* resume = main_->itemWithTitle(translator_(ResumeTitle))) {
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
