// What the status item and its menu show, and what the menu's items do.
#include "support/Scenario.h"

namespace quillmere::testing {
namespace {

class StatusMenu : public Scenario {};

TEST_F(StatusMenu, BeforeTheFirstRestartOnlyTheTimerIconShows) {
    construct();
    controller->status().start();
    advance(5);
    controller->events().publish(Event::uiAction(UIAction::CountdownChange));
    EXPECT_EQ(item().imageName(), "Quillmere.png");
    EXPECT_EQ(item().titleSets(), 0);
    EXPECT_TRUE(menu().find(UXMenu::ResumeTitle.source)->isHidden());
    EXPECT_DOUBLE_EQ(item().length(), 50);
    EXPECT_DOUBLE_EQ(item().imageWidth(), 16);
    EXPECT_DOUBLE_EQ(item().imageHeight(), 26);
}

// Every event refreshes the title and icon at once; the icon turns grey while reminding.
TEST_F(StatusMenu, EveryEventRefreshesAndTheIconTurnsGreyWhileReminding) {
    launch();
    advance(0.5);
    const int titles = item().titleSets(), images = item().imageSets();
    controller->events().publish(Event::uiAction(UIAction::CountdownChange));
    EXPECT_EQ(item().titleSets(), titles + 1);
    EXPECT_EQ(item().imageSets(), images + 1);
    answer(Snooze);
    advance(600);
    EXPECT_EQ(item().imageName(), "QuillmereGrey.png");
    EXPECT_EQ(item().color(), TitleColor::Red);
}

TEST_F(StatusMenu, MenuHasTheSixItemsInOrderWithThePauseEntriesBesideRestart) {
    launch();
    Strings rows;
    for (const auto& entry : menu().items()) {
        rows.push_back(entry->isSeparator() ? "---"
                                            : entry->title() + "|" + entry->actionName() + "|" +
                                                  entry->keyEquivalent() + "|" +
                                                  (entry->isEnabled() ? "on" : "off") +
                                                  (entry->isHidden() ? "|hidden" : ""));
    }
    EXPECT_EQ(rows,
              (Strings{"About Quillmere Timer|aboutAction:||on", "---",
                       "Restart timer|restartAction:|r|on",
                       "Pause for 30 minutes|pauseHalfHourAction:||on",
                       "Pause for 1 hour|pauseHourAction:||on",
                       "Pause until tomorrow|pauseUntilMorningAction:||on",
                       "Resume|resumeAction:||on|hidden", "Mute|toggleMuteWithSender:||on",
                       "Popup reminders|togglePopupWithSender:||on",
                       "Settings|runSettingsModal:|s|on", "---", "Quit|terminateAction:|q|on"}));
}

TEST_F(StatusMenu, TooltipTellsTheTimeEvenWithTheCountdownOffAndSaysMuted) {
    platform.store().setString(Cfg::VersionKey, "0.9"); // not a first run: every flag reads off
    launch();
    EXPECT_EQ(item().imageName(), "Quillmere.png");
    advance(1);
    EXPECT_EQ(item().toolTip(), "10m left");
    EXPECT_EQ(item().titleSets(), 0);
    menu().click(UXMenu::MuteTitle.source);
    EXPECT_EQ(item().toolTip(), "10m left, muted");
    advance(590);
    EXPECT_EQ(item().toolTip(), "9s left, muted");
    advance(9); // the deadline: the last second's "0", as in the title
    EXPECT_EQ(item().toolTip(), "0s left, muted");
    advance(30);
    EXPECT_EQ(item().toolTip(), "Break due 30s ago, muted");
    menu().click(UXMenu::MuteTitle.source);
    advance(60);
    EXPECT_EQ(item().toolTip(), "Break due 1m ago");
    // The countdown switched on shows the title; switched off, the last title stays.
    platform.store().setBool(Cfg::ShowCountdownKey, true);
    advance(1);
    EXPECT_EQ(item().title(), "+1m");
    platform.store().setBool(Cfg::ShowCountdownKey, false);
    advance(120);
    EXPECT_EQ(item().title(), "+1m");
}

TEST_F(StatusMenu, IconCarriesTheTimeWhereTheDesktopHidesTitlesUnlessTheUserSaysOtherwise) {
    storeSettings(false, false);
    platform.hideTitles();
    launch();
    EXPECT_DOUBLE_EQ(item().elapsedFraction(), 0);
    advance(300);
    EXPECT_TRUE(item().timeInIcon());
    // The ring moves with the title: as of "6m", until "5m" comes at 301 s.
    EXPECT_DOUBLE_EQ(item().elapsedFraction(), 241.0 / 600);
    advance(1);
    EXPECT_DOUBLE_EQ(item().elapsedFraction(), 301.0 / 600);

    // Settings shows the desktop's default; OK without touching it stores nothing.
    openSettings([](sim::SimPanel& panel) {
        EXPECT_TRUE(panel.control(SettingsView::TimeInIconLabel.source)->boolValue());
        panel.press("OK");
    });
    EXPECT_FALSE(platform.store().contains(Cfg::ShowTimeInIconKey));
    takeTrace();
    openSettings([](sim::SimPanel& panel) {
        EXPECT_TRUE(panel.setToggle(SettingsView::TimeInIconLabel.source, false));
        panel.press("OK");
    });
    EXPECT_EQ(takeTrace(), (Strings{"AlertSound=System", "ResartOnWake=on", "AutoRestart=off",
                                    "ShowTimeInIcon=off", "TimerInterval=600", "Timing->Timing"}));
    EXPECT_FALSE(item().timeInIcon());

    // Past the deadline the whole interval is gone.
    advance(630);
    EXPECT_EQ(controller->state(), AppState::Reminding);
    EXPECT_DOUBLE_EQ(item().elapsedFraction(), 1);
}

TEST_F(StatusMenu, SoundsLoadOnceAndFallBackToTheBeep) {
    platform.files().removeFile("Whistle.wav");
    platform.files().writeFile("Bowl.wav", ""); // present but unreadable
    ::testing::internal::CaptureStdout();
    launch();
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "Failed to initialize custom audio: Could not find sound file for Bowl\n"
              "Failed to initialize custom audio: Invalid URL to audio file\n");
    ASSERT_EQ(platform.log().entries().size(), 2u);
    EXPECT_EQ(platform.log().entries()[1].category, "QuillmereLog");

    UXAudio audio(controller->cfg(), platform.audio(), platform.resources());
    platform.speaker().clearPlayed();
    for (Cfg::Sound sound : Cfg::allSounds) {
        audio.play(sound);
    }
    EXPECT_EQ(played(), (Strings{"Sonar", "beep", "beep", "beep"}));

    // Muted silences the alert, not the preview; an unknown stored sound is the beep.
    platform.speaker().clearPlayed();
    platform.store().setString(Cfg::AlertSoundKey, "Sonar");
    audio.playNotification();
    platform.store().setString(Cfg::AlertSoundKey, "sonar");
    audio.playNotification();
    platform.store().setBool(Cfg::MuteKey, true);
    audio.playNotification();
    audio.play(Cfg::Sound::Sonar);
    EXPECT_EQ(played(), (Strings{"Sonar", "beep", "Sonar"}));
}

} // namespace
} // namespace quillmere::testing
