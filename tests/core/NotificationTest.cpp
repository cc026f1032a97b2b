// The reminder as a desktop notification while pop-ups are off, in virtual time.
#include "support/Scenario.h"

namespace quillmere::testing {
namespace {

class Notification : public Scenario {
protected:
    // Pop-ups off; the first interval runs.
    void launchWith(bool notify, bool autoRestart) {
        storeSettings(false, autoRestart);
        platform.store().setBool(Cfg::NotifyWhenNoPopupKey, notify);
        launch();
        takeTrace();
    }
};

TEST_F(Notification, OffByDefaultOnlyTellsWithAutoRestartAndNeverComesWithThePopup) {
    launchWith(false, true);
    advance(600);
    EXPECT_TRUE(platform.notices().shown().empty());
    openSettings([](sim::SimPanel& panel) {
        EXPECT_TRUE(panel.setToggle("Notify without pop-up", true));
        panel.press("OK");
    });
    advance(600);
    ASSERT_EQ(platform.notices().shown().size(), 1u);
    EXPECT_TRUE(platform.notices().shown()[0].buttons.empty());
    EXPECT_EQ(platform.notices().closes(), 0); // the restart that follows leaves it up
    controller->cfg().togglePopups();
    advance(600);
    EXPECT_EQ(popups(), 1u);
    EXPECT_EQ(platform.notices().shown().size(), 1u);
}

TEST_F(Notification, ButtonsAnswerTheWaitingReminderAndASettledOneIsWithdrawn) {
    launchWith(true, false);
    advance(600);
    ASSERT_EQ(platform.notices().shown().size(), 1u);
    EXPECT_EQ(platform.notices().shown()[0],
              (sim::SimNotifications::Shown{"Quillmere Timer",
                                            "Look around. Take a breath. Stretch.",
                                            {"Restart", "Snooze"}}));
    platform.notices().invoke("snooze");
    EXPECT_EQ(armed(), "Reminder");
    advance(60);
    EXPECT_EQ(platform.notices().shown().size(), 2u);
    takeTrace();
    platform.notices().invoke("restart");
    EXPECT_EQ(takeTrace(), Strings{"Reminding->Timing"});
    advance(600);
    platform.notices().invoke("default"); // a click on the body answers nothing
    EXPECT_EQ(armed(), "none");
    EXPECT_EQ(platform.notices().closes(), 0); // each was answered: nothing to withdraw

    // Settled otherwise, the one still up is withdrawn and a late answer does nothing.
    menu().click(UXMenu::RestartTitle.source); // the clicked one is gone: nothing to withdraw
    EXPECT_EQ(platform.notices().closes(), 0);
    advance(600);
    const auto late = platform.notices().handlers();
    ASSERT_TRUE(late.has_value());
    menu().click(UXMenu::RestartTitle.source);
    EXPECT_EQ(platform.notices().closes(), 1);
    takeTrace();
    late->invoked("snooze"); // crossed the withdrawal on its way
    late->invoked("restart");
    EXPECT_TRUE(takeTrace().empty());
    EXPECT_EQ(armed(), "Timer");
    advance(600);
    menu().click(UXMenu::PauseHourTitle.source);
    EXPECT_EQ(platform.notices().closes(), 2);
    // Dismissed by the person: a later restart has nothing to withdraw.
    menu().click(UXMenu::ResumeTitle.source);
    advance(600);
    platform.notices().dismiss();
    menu().click(UXMenu::RestartTitle.source);
    EXPECT_EQ(platform.notices().closes(), 2);
}

} // namespace
} // namespace quillmere::testing
