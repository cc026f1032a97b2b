// The reminder as a desktop notification while pop-ups are off, in virtual time.
#include "support/Scenario.h"

namespace quillmere::testing {
namespace {

using Strings = std::vector<std::string>;

class Notification : public Scenario {
protected:
    // Pop-ups off, the notification setting as given; the first interval runs.
    void launchWith(bool notify, bool autoRestart) {
        storeSettings(false, autoRestart);
        platform.store().setBool(Cfg::NotifyWhenNoPopupKey, notify);
        launch();
        takeTrace();
    }
    sim::SimNotifications& notices() { return platform.notices(); }
};

TEST_F(Notification, OffByDefaultAndNeverInsteadOfThePopup) {
    storeSettings(false, false);
    launch();
    advance(600);
    EXPECT_EQ(played(), Strings{"beep"});
    EXPECT_TRUE(notices().shown().empty());

    controller->cfg().set(Cfg::Parameter::notifyWhenNoPopup(true), true);
    controller->cfg().togglePopups();
    menu().click(UXMenu::RestartTitle);
    advance(600);
    EXPECT_EQ(platform.alerts().shown().size(), 1u);
    EXPECT_TRUE(notices().shown().empty());
}

TEST_F(Notification, ButtonsAnswerTheWaitingReminderAsThePopupsDo) {
    launchWith(true, false);
    advance(600);
    EXPECT_EQ(played(), Strings{"beep"});
    ASSERT_EQ(notices().shown().size(), 1u);
    EXPECT_EQ(notices().shown()[0].title, "Quillmere Timer");
    EXPECT_EQ(notices().shown()[0].body, "Look around. Take a breath. Stretch.");
    EXPECT_EQ(notices().shown()[0].buttons, (Strings{"Restart", "Snooze"}));

    notices().invoke("snooze");
    EXPECT_EQ(controller->state(), AppState::Reminding);
    EXPECT_EQ(armed(), "Reminder");
    advance(60);
    EXPECT_EQ(played(), (Strings{"beep", "beep"}));
    ASSERT_EQ(notices().shown().size(), 2u);
    EXPECT_DOUBLE_EQ(controller->countdown(), -60); // the deadline stayed

    takeTrace();
    notices().invoke("restart");
    EXPECT_EQ(takeTrace(), Strings{"Reminding->Timing"});
    EXPECT_DOUBLE_EQ(controller->countdown(), 600);
    EXPECT_EQ(notices().closes(), 0); // answered: nothing left to withdraw

    advance(600);
    notices().invoke("default"); // a click on the body answers nothing
    EXPECT_EQ(controller->state(), AppState::Reminding);
    EXPECT_EQ(armed(), "none");
}

TEST_F(Notification, WithAutoRestartItOnlyTellsAndStaysUp) {
    launchWith(true, true);
    advance(600);
    EXPECT_EQ(takeTrace(), (Strings{"Timing->Reminding", "Reminding->Timing"}));
    ASSERT_EQ(notices().shown().size(), 1u);
    EXPECT_TRUE(notices().shown()[0].buttons.empty());
    EXPECT_TRUE(notices().isShowing());
    menu().click(UXMenu::RestartTitle);
    EXPECT_EQ(notices().closes(), 0);
}

TEST_F(Notification, SettledOtherwiseItIsWithdrawnAndALateAnswerDoesNothing) {
    launchWith(true, false);
    advance(600);
    const auto late = notices().handlers();
    ASSERT_TRUE(late.has_value());
    menu().click(UXMenu::RestartTitle);
    EXPECT_EQ(notices().closes(), 1);
    takeTrace();
    late->invoked("snooze"); // crossed the withdrawal on its way
    late->invoked("restart");
    EXPECT_TRUE(takeTrace().empty());
    EXPECT_EQ(armed(), "Timer");

    advance(600);
    menu().click(UXMenu::PauseHourTitle);
    EXPECT_EQ(notices().closes(), 2);

    // Dismissed by the person: a later restart has nothing to withdraw.
    menu().click(UXMenu::ResumeTitle);
    advance(600);
    notices().dismiss();
    EXPECT_EQ(controller->state(), AppState::Reminding);
    menu().click(UXMenu::RestartTitle);
    EXPECT_EQ(notices().closes(), 2);
}

} // namespace
} // namespace quillmere::testing
