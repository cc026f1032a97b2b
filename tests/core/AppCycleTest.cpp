// The controller's timer cycle, driven in virtual time on the simulated desktop.
#include "support/Scenario.h"

#include "core/Log.h"

namespace quillmere::testing {
namespace {

class AppCycle : public Scenario {};

TEST_F(AppCycle, TestModeIsExactlyOneArgumentMinusTestAndRunsInSeconds) {
    // As a process gets them: a null after the last.
    const char* words[] = {"quillmere-timer", "-test", nullptr};
    const char* three[] = {"quillmere-timer", "-test", "-test", nullptr};
    const char* other[] = {"quillmere-timer", "-Test", nullptr};
    EXPECT_TRUE(App::isTestInvocation(2, words));
    EXPECT_FALSE(App::isTestInvocation(1, words));
    EXPECT_FALSE(App::isTestInvocation(3, three));
    EXPECT_FALSE(App::isTestInvocation(2, other));

    launch(true);
    const BuildInfo& build = controller->buildInfo();
    EXPECT_EQ((Strings{build.version(), build.build(), build.date()}), Strings(3, "test"));
    EXPECT_EQ(platform.store().stringValue(Cfg::VersionKey), "test");
    EXPECT_DOUBLE_EQ(controller->countdown(), 30);
    answer(Snooze);
    advance(30);
    EXPECT_EQ(popups(), 1u);
    advance(5); // the test-mode snooze; answered Restart by default
    EXPECT_EQ(popups(), 2u);
    advance(29.5);
    EXPECT_EQ(controller->state(), AppState::Timing);
}

TEST_F(AppCycle, RestartAnswerStartsTheNextIntervalAfterThePopupAndItsSound) {
    launch();
    takeTrace();
    answer(Restart, {}, [&] { EXPECT_EQ(played(), Strings{"beep"}); }); // before the answer
    advance(600);
    EXPECT_EQ(takeTrace(), (Strings{"Timing->Reminding", "Reminding->Timing"}));
    EXPECT_EQ(platform.app().activations(), 1);
    const sim::ShownAlert& shown = platform.alerts().shown().at(0);
    EXPECT_EQ(shown.style, AlertStyle::Informational);
    EXPECT_EQ(shown.buttons, (Strings{"Restart", "Snooze"}));
    EXPECT_TRUE(shown.showsSuppressionButton);
    EXPECT_DOUBLE_EQ(controller->countdown(), 600);
}

// Snooze repeats the reminder without moving the deadline; ticking the box in the popup
// restarts when auto-restart is on.
TEST_F(AppCycle, SnoozeRepeatsTheReminderAndDisablingPopupsInThePopupRestarts) {
    launch();
    takeTrace();
    answer(Snooze);
    advance(600);
    EXPECT_EQ(armed(), "Reminder");
    advance(59);
    EXPECT_DOUBLE_EQ(controller->countdown(), -59);
    EXPECT_EQ(popups(), 1u);

    answer(Snooze);
    advance(1);
    EXPECT_EQ(popups(), 2u);
    EXPECT_EQ(played(), (Strings{"beep", "beep"}));
    EXPECT_EQ(takeTrace(), Strings{"Timing->Reminding"}); // a reminder publishes nothing
    EXPECT_DOUBLE_EQ(controller->countdown(), -60);

    // Snoozed, then pop-ups off with auto-restart: the next interval, without a sound.
    platform.store().setBool(Cfg::PopupAlertsKey, false);
    advance(60);
    EXPECT_EQ(takeTrace(), Strings{"Reminding->Timing"});
    EXPECT_EQ(played(), (Strings{"beep", "beep"}));

    // Snooze with the box ticked: the snooze armed a moment before is replaced by a restart.
    platform.store().setBool(Cfg::PopupAlertsKey, true);
    answer(Snooze, true);
    advance(600);
    EXPECT_EQ(takeTrace(), (Strings{"Timing->Reminding", "PopupAlerts=off", "Reminding->Timing"}));
    EXPECT_FALSE(platform.store().boolValue(Cfg::PopupAlertsKey));
    EXPECT_EQ(armed(), "Timer");
    EXPECT_EQ(platform.loop().validTimerCount(App::TimerEntryPoint), 1u);

    // Restart with the box ticked: two restarts in a row.
    controller->cfg().togglePopups();
    takeTrace();
    answer(Restart); // the box is still ticked
    advance(600);
    EXPECT_EQ(platform.alerts().shown().back().suppressionStateShown, true);
    EXPECT_EQ(takeTrace(), (Strings{"Timing->Reminding", "PopupAlerts=off", "Reminding->Timing",
                                    "Timing->Timing"}));
}

// Restarts from the menu and from a save, a stale timer's callback, Quit and the end.
TEST_F(AppCycle, RestartsPublishTheirChangeAndStaleTimersQuitAndTheEndLeaveNothing) {
    launch();
    advance(100);
    takeTrace();
    menu().click(UXMenu::RestartTitle.source);
    EXPECT_EQ(takeTrace(), (Strings{"ui Restart", "Timing->Timing"}));
    EXPECT_DOUBLE_EQ(controller->countdown(), 600);

    // Any other setting leaves the armed timer alone; every accepted interval restarts.
    const std::shared_ptr<Timer> stale = controller->systemTimer();
    controller->cfg().set(Cfg::Parameter::alertSound(Cfg::Sound::Bowl), true);
    menu().click(UXMenu::MuteTitle.source);
    menu().click(UXMenu::PopupsTitle.source);
    EXPECT_EQ(controller->systemTimer(), stale);
    advance(50);
    ASSERT_TRUE(controller->cfg().setTimerInterval(600));
    EXPECT_NE(controller->systemTimer(), stale);
    EXPECT_EQ(takeTrace(), (Strings{"AlertSound=Bowl", "Mute=on", "PopupAlerts=off",
                                    "TimerInterval=600", "Timing->Timing"}));

    controller->timeExpired(*stale);
    controller->timeExpired(*controller->systemTimer()); // current and valid: it counts
    EXPECT_EQ(takeTrace(), (Strings{"Timing->Reminding", "Reminding->Timing"}));
    controller->systemTimer()->invalidate();
    controller->timeExpired(*controller->systemTimer());
    EXPECT_TRUE(takeTrace().empty());

    const auto stored = platform.store().values();
    menu().click(UXMenu::QuitTitle.source);
    EXPECT_EQ(platform.app().terminations(), 1);
    EXPECT_EQ(platform.store().values(), stored); // Quit touches no setting
    controller.reset();
    EXPECT_EQ(platform.wake().observerCount(), 0u);
    EXPECT_EQ(platform.loop().validTimerCount(App::TimerEntryPoint), 0u);
    ::testing::internal::CaptureStdout();
    Log::error("after the end");
    ::testing::internal::GetCapturedStdout();
    EXPECT_TRUE(platform.log().entries().empty());

    EXPECT_EQ(App::main(platform, false), 0); // the process entry runs the controller it built
    ASSERT_TRUE(app && app->state() == AppState::Timing);
    app.reset();
}

TEST_F(AppCycle, WakeKeepsTheDeadlineWithRestartAfterSleepOffAndRestartsWithItOn) {
    storeSettings(true, true, false);
    launch();
    takeTrace();
    advance(100);
    platform.sleepAndWake(200); // the monotonic clock stood still for 200 s
    EXPECT_TRUE(takeTrace().empty());
    EXPECT_DOUBLE_EQ(controller->countdown(), 300);
    advance(299);
    EXPECT_EQ(controller->state(), AppState::Timing);
    advance(1);
    EXPECT_EQ(controller->state(), AppState::Timing); // answered Restart by default
    EXPECT_EQ(takeTrace(), (Strings{"Timing->Reminding", "Reminding->Timing"}));

    // The deadline passed during sleep: the reminder comes at once, counted from the deadline.
    answer(Snooze);
    platform.sleepAndWake(700);
    settle();
    EXPECT_EQ(controller->state(), AppState::Reminding);
    EXPECT_DOUBLE_EQ(controller->countdown(), -100);

    // While reminding, a wake changes nothing.
    takeTrace();
    platform.sleepAndWake(30);
    EXPECT_TRUE(takeTrace().empty());
    EXPECT_EQ(armed(), "Reminder");

    // Restart after sleep on: a wake ends the reminder, or restarts the interval.
    platform.store().setBool(Cfg::RestartOnWakeKey, true);
    platform.sleepAndWake(3000);
    EXPECT_EQ(takeTrace(), Strings{"Reminding->Timing"});
    platform.sleepAndWake(10);
    EXPECT_EQ(takeTrace(), Strings{"Timing->Timing"});
    EXPECT_DOUBLE_EQ(controller->countdown(), 600);
}

} // namespace
} // namespace quillmere::testing
