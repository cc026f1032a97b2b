// The controller's timer cycle, driven in virtual time on the simulated desktop.
#include "support/Scenario.h"

#include "core/Log.h"

namespace quillmere::testing {
namespace {

using Strings = std::vector<std::string>;
constexpr int Restart = Alert::FirstButtonReturn;
constexpr int Snooze = Alert::FirstButtonReturn + 1;

class AppCycle : public Scenario {};

TEST_F(AppCycle, LaunchPublishesOneStateChangeAndArmsTheFirstInterval) {
    construct();
    // The status item hears the change before anyone subscribed later: it has its title by then.
    int titlesWhenHeard = -1;
    controller->events().subscribe(Events::AppStateChangeSubscriber(
        [&](AppState, AppState) { titlesWhenHeard = platform.statusItem()->titleSets(); }));
    EXPECT_EQ(controller->state(), AppState::Init);
    platform.app().run([&] { controller->applicationDidFinishLaunching(); });

    EXPECT_EQ(takeTrace(), Strings{"Init->Timing"});
    EXPECT_EQ(titlesWhenHeard, 1);
    EXPECT_EQ(controller->state(), AppState::Timing);
    EXPECT_EQ(armed(), "Timer");
    EXPECT_DOUBLE_EQ(controller->countdown(), 600);
    EXPECT_EQ(item().title(), "11m");
    EXPECT_EQ(platform.wake().observerCount(), 1u);
}

TEST_F(AppCycle, TestModeIsExactlyOneArgumentMinusTest) {
    const char* alone[] = {"quillmere-timer", "-test"};
    const char* none[] = {"quillmere-timer"};
    const char* extra[] = {"quillmere-timer", "-test", "-test"};
    const char* other[] = {"quillmere-timer", "-Test"};
    EXPECT_TRUE(App::isTestInvocation(2, alone));
    EXPECT_FALSE(App::isTestInvocation(1, none));
    EXPECT_FALSE(App::isTestInvocation(3, extra));
    EXPECT_FALSE(App::isTestInvocation(2, other));

    launch(true);
    EXPECT_EQ(controller->buildInfo().version(), "test");
    EXPECT_EQ(controller->buildInfo().build(), "test");
    EXPECT_EQ(controller->buildInfo().date(), "test");
    EXPECT_EQ(platform.store().stringValue(Cfg::VersionKey), "test");
    EXPECT_DOUBLE_EQ(controller->countdown(), 30);
    advance(30);
    ASSERT_EQ(platform.alerts().shown().size(), 1u); // answered Restart by default
    advance(29.5);
    EXPECT_EQ(controller->state(), AppState::Timing);
}

TEST_F(AppCycle, ProcessEntryRunsTheControllerItBuilt) {
    EXPECT_EQ(App::main(platform, false), 0);
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(app->state(), AppState::Timing);
    app.reset();
}

TEST_F(AppCycle, RestartAnswerStartsTheNextInterval) {
    launch();
    takeTrace();
    platform.alerts().answerNext({Restart, std::nullopt, {}});
    advance(600);
    EXPECT_EQ(takeTrace(), (Strings{"Timing->Reminding", "Reminding->Timing"}));
    EXPECT_EQ(played(), Strings{"beep"});
    EXPECT_EQ(platform.app().activations(), 1);
    const sim::ShownAlert& shown = platform.alerts().shown().at(0);
    EXPECT_EQ(shown.style, AlertStyle::Informational);
    EXPECT_EQ(shown.messageText, "Quillmere Timer");
    EXPECT_EQ(shown.informativeText, "Look around. Take a breath. Stretch.");
    EXPECT_EQ(shown.buttons, (Strings{"Restart", "Snooze"}));
    EXPECT_TRUE(shown.showsSuppressionButton);
    EXPECT_EQ(shown.suppressionTitle, "Disable popup notifications");
    EXPECT_FALSE(shown.suppressionStateShown);
    EXPECT_DOUBLE_EQ(controller->countdown(), 600);
}

TEST_F(AppCycle, SnoozeRepeatsTheReminderWithoutMovingTheDeadline) {
    launch();
    takeTrace();
    platform.alerts().answerNext({Snooze, std::nullopt, {}});
    advance(600);
    EXPECT_EQ(controller->state(), AppState::Reminding);
    EXPECT_EQ(armed(), "Reminder");
    advance(59);
    EXPECT_DOUBLE_EQ(controller->countdown(), -59);
    EXPECT_EQ(platform.alerts().shown().size(), 1u);

    platform.alerts().answerNext({Snooze, std::nullopt, {}});
    advance(1);
    EXPECT_EQ(platform.alerts().shown().size(), 2u);
    EXPECT_EQ(played(), (Strings{"beep", "beep"}));
    EXPECT_EQ(takeTrace(), Strings{"Timing->Reminding"}); // a reminder publishes nothing
    EXPECT_DOUBLE_EQ(controller->countdown(), -60);
}

TEST_F(AppCycle, DisablingPopupsInThePopupRestartsWhenAutoRestartIsOn) {
    launch();
    takeTrace();
    // Snooze with the box ticked: the snooze armed a moment before is replaced by a restart.
    platform.alerts().answerNext({Snooze, true, {}});
    advance(600);
    EXPECT_EQ(takeTrace(), (Strings{"Timing->Reminding", "PopupAlerts=off", "Reminding->Timing"}));
    EXPECT_FALSE(platform.store().boolValue(Cfg::PopupAlertsKey));
    EXPECT_EQ(armed(), "Timer");
    EXPECT_EQ(platform.loop().validTimerCount(App::TimerEntryPoint), 1u);

    // Restart with the box ticked: two restarts in a row.
    controller->cfg().togglePopups();
    takeTrace();
    platform.alerts().answerNext({Restart, std::nullopt, {}}); // the box is still ticked
    advance(600);
    EXPECT_EQ(platform.alerts().shown().back().suppressionStateShown, true);
    EXPECT_EQ(takeTrace(), (Strings{"Timing->Reminding", "PopupAlerts=off", "Reminding->Timing",
                                    "Timing->Timing"}));
}

TEST_F(AppCycle, WithoutPopupsAutoRestartDecidesWhatFollows) {
    storeSettings(false, true);
    launch();
    takeTrace();
    advance(600);
    EXPECT_EQ(takeTrace(), (Strings{"Timing->Reminding", "Reminding->Timing"}));
    EXPECT_EQ(played(), Strings{"beep"});
    EXPECT_TRUE(platform.alerts().shown().empty());

    platform.store().setBool(Cfg::AutoRestartKey, false);
    advance(600);
    EXPECT_EQ(controller->state(), AppState::Reminding);
    EXPECT_EQ(armed(), "none");
    advance(3600);
    EXPECT_DOUBLE_EQ(controller->countdown(), -3600);
    EXPECT_EQ(played().size(), 2u);
    EXPECT_TRUE(menu().click(UXMenu::RestartTitle.source));
    EXPECT_EQ(takeTrace(), (Strings{"Timing->Reminding", "ui Restart", "Reminding->Timing"}));
}

TEST_F(AppCycle, SnoozedReminderRestartsOncePopupsAreOffWithAutoRestart) {
    launch();
    platform.alerts().answerNext({Snooze, std::nullopt, {}});
    advance(600);
    platform.store().setBool(Cfg::PopupAlertsKey, false);
    takeTrace();
    advance(60);
    EXPECT_EQ(takeTrace(), Strings{"Reminding->Timing"});
    EXPECT_EQ(played(), Strings{"beep"});
}

TEST_F(AppCycle, MutedPlaysNothingAndChangesNothingElse) {
    launch();
    menu().click(UXMenu::MuteTitle.source);
    takeTrace();
    advance(600);
    EXPECT_TRUE(played().empty());
    EXPECT_EQ(takeTrace(), (Strings{"Timing->Reminding", "Reminding->Timing"}));
}

TEST_F(AppCycle, RestartsFromMenuAndSavePublishTheirChange) {
    launch();
    advance(100);
    takeTrace();
    menu().click(UXMenu::RestartTitle.source);
    EXPECT_EQ(takeTrace(), (Strings{"ui Restart", "Timing->Timing"}));
    EXPECT_DOUBLE_EQ(controller->countdown(), 600);

    // Any other setting leaves the armed timer alone; every accepted interval restarts.
    const std::shared_ptr<Timer> before = controller->systemTimer();
    controller->cfg().set(Cfg::Parameter::alertSound(Cfg::Sound::Bowl), true);
    menu().click(UXMenu::MuteTitle.source);
    menu().click(UXMenu::PopupsTitle.source);
    EXPECT_EQ(controller->systemTimer(), before);
    advance(50);
    ASSERT_TRUE(controller->cfg().setTimerInterval(600));
    EXPECT_NE(controller->systemTimer(), before);
    EXPECT_EQ(takeTrace(), (Strings{"AlertSound=Bowl", "Mute=on", "PopupAlerts=off",
                                    "TimerInterval=600", "Timing->Timing"}));
}

TEST_F(AppCycle, StaleTimerCallbackIsIgnored) {
    launch();
    const std::shared_ptr<Timer> stale = controller->systemTimer();
    advance(300);
    controller->restart();
    takeTrace();
    controller->timeExpired(*stale);
    controller->timeExpired(*controller->systemTimer()); // current and valid: it counts
    EXPECT_EQ(takeTrace(), (Strings{"Timing->Reminding", "Reminding->Timing"}));
    controller->systemTimer()->invalidate();
    controller->timeExpired(*controller->systemTimer());
    EXPECT_TRUE(takeTrace().empty());
}

TEST_F(AppCycle, QuitTerminatesAndTouchesNoSetting) {
    launch();
    const auto stored = platform.store().values();
    menu().click(UXMenu::QuitTitle.source);
    EXPECT_EQ(platform.app().terminations(), 1);
    EXPECT_EQ(platform.store().values(), stored);
}

TEST_F(AppCycle, WakeRestartsWhenRestartAfterSleepIsOn) {
    storeSettings(true, true, true);
    launch();
    platform.alerts().answerNext({Snooze, std::nullopt, {}});
    advance(600);
    takeTrace();
    platform.sleepAndWake(3000);
    EXPECT_EQ(takeTrace(), Strings{"Reminding->Timing"});
    platform.sleepAndWake(10);
    EXPECT_EQ(takeTrace(), Strings{"Timing->Timing"});
    EXPECT_DOUBLE_EQ(controller->countdown(), 600);
}

TEST_F(AppCycle, WakeKeepsTheWallClockDeadlineWhenRestartAfterSleepIsOff) {
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
    platform.alerts().answerNext({Snooze, std::nullopt, {}});
    platform.sleepAndWake(700);
    platform.loop().runUntilIdle();
    EXPECT_EQ(controller->state(), AppState::Reminding);
    EXPECT_DOUBLE_EQ(controller->countdown(), -100);

    // While reminding, a wake changes nothing.
    takeTrace();
    platform.sleepAndWake(30);
    EXPECT_TRUE(takeTrace().empty());
    EXPECT_EQ(armed(), "Reminder");
}

TEST_F(AppCycle, EndingTheControllerLeavesNothingOfItRunning) {
    launch();
    controller.reset();
    EXPECT_EQ(platform.wake().observerCount(), 0u);
    EXPECT_EQ(platform.loop().validTimerCount(App::TimerEntryPoint), 0u);
    ::testing::internal::CaptureStdout();
    Log::error("after the end");
    ::testing::internal::GetCapturedStdout();
    EXPECT_TRUE(platform.log().entries().empty());
}

} // namespace
} // namespace quillmere::testing
