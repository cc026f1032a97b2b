// Natural breaks and holding reminders while the person is away or busy, in virtual time.
#include "support/Scenario.h"

#include <cmath>

namespace quillmere::testing {
namespace {

class Absence : public Scenario {
protected:
    // Not a first run; natural breaks (5 minutes) and holding while busy as given.
    void launchWith(bool naturalBreaks, bool holdWhenBusy) {
        storeSettings(true, true);
        platform.store().setBool(Cfg::NaturalBreaksKey, naturalBreaks);
        platform.store().setBool(Cfg::HoldWhenBusyKey, holdWhenBusy);
        launch();
        takeTrace();
    }
    sim::SimPresence& person() { return platform.person(); }
};

TEST_F(Absence, SourcesAreWatchedOnlyWhileTheirSettingIsOnAndSwitchingOffReleases) {
    launchWith(false, false);
    EXPECT_FALSE(person().isWatching());
    EXPECT_FALSE(platform.busy().isWatching());
    controller->cfg().set(Cfg::Parameter::naturalBreaks(true), true);
    controller->cfg().set(Cfg::Parameter::holdWhenBusy(true), true);
    settle();
    ASSERT_TRUE(person().isWatching() && platform.busy().isWatching());
    EXPECT_LT(person().idleThreshold(), 60); // shorter than the shortest break

    person().reportIdle();
    platform.busy().setState({true, false});
    advance(600);
    EXPECT_EQ(controller->state(), AppState::Reminding);
    controller->cfg().set(Cfg::Parameter::naturalBreaks(false), true);
    person().reportIdle(); // sent before the watch ended: stale
    settle();
    EXPECT_FALSE(person().isWatching());
    EXPECT_EQ(popups(), 0u); // still busy
    controller->cfg().set(Cfg::Parameter::holdWhenBusy(false), true);
    platform.busy().setState({true, false}); // stale as well
    settle();
    EXPECT_FALSE(platform.busy().isWatching());
    EXPECT_EQ(popups(), 1u);
    advance(600);
    EXPECT_EQ(popups(), 2u);
    EXPECT_EQ(item().title(), "11m"); // the absence ended with the watch
}

// One walk with natural breaks on: a short absence, a long one (a natural break), a locked
// screen; the second reminder is answered with Restart, each part starts a fresh interval.
TEST_F(Absence, ShortAbsenceHoldsTheReminderALongOneSettlesItAndALockIsAnAbsence) {
    launchWith(true, false);
    advance(580);
    person().reportIdle(); // no input since 550
    advance(40);
    EXPECT_EQ(controller->state(), AppState::Reminding);
    EXPECT_EQ(item().title(), "+20");
    EXPECT_EQ(item().color(), TitleColor::Red);
    EXPECT_TRUE(played().empty());
    EXPECT_EQ(popups(), 0u);

    answer(Snooze);
    person().reportActive(70);
    person().reportActive(2); // a later report: the reminder came once
    settle();
    EXPECT_EQ(played(), Strings{"beep"});
    EXPECT_EQ(popups(), 1u);

    // The snoozed reminder comes due during the next short absence and waits for it too.
    advance(20);
    person().reportIdle();
    advance(100);
    EXPECT_EQ(popups(), 1u);
    person().reportActive(130);
    settle();
    EXPECT_EQ(popups(), 2u);
    EXPECT_EQ(takeTrace(), (Strings{"Timing->Reminding", "Reminding->Timing"}));

    // A long absence is a natural break that settles the pending reminder.
    platform.speaker().clearPlayed();
    advance(500);
    person().reportIdle(); // away since 470
    advance(200);
    EXPECT_EQ(item().title(), "+1m");
    advance(70);
    EXPECT_EQ(item().title(), "break");
    EXPECT_EQ(item().color(), TitleColor::Default);

    advance(60);
    ::testing::internal::CaptureStdout();
    person().reportActive(360);
    settle();
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "Natural break of 6 minutes: reminder settled, fresh interval\n");
    EXPECT_EQ(takeTrace(), (Strings{"Timing->Reminding", "Reminding->Timing"}));
    EXPECT_TRUE(played().empty());
    EXPECT_EQ(popups(), 2u);
    EXPECT_DOUBLE_EQ(controller->countdown(), 600);

    // In the middle of an interval: a fresh one. Snoozed: settled as well.
    advance(100);
    person().reportActive(400); // an adapter that reports the input without the idle first
    settle();
    EXPECT_EQ(takeTrace(), Strings{"Timing->Timing"});
    answer(Snooze);
    advance(610);
    person().reportIdle();
    advance(400);
    person().reportActive(430);
    settle();
    EXPECT_EQ(takeTrace(), (Strings{"Timing->Reminding", "Reminding->Timing"}));
    EXPECT_EQ(popups(), 3u);

    // A locked screen is an absence at once until unlocked.
    platform.speaker().clearPlayed();
    advance(100);
    person().reportIdle(); // away since 70
    advance(120);
    person().setLocked(true);
    advance(60);
    person().reportActive(5); // input on the lock screen
    advance(90);
    EXPECT_EQ(takeTrace(), Strings{});
    person().setLocked(false); // away since the idle before the lock: 300 s
    settle();
    EXPECT_EQ(takeTrace(), Strings{"Timing->Timing"});

    // Locked just before the deadline: no reminder on the lock screen, one after unlocking.
    advance(590);
    person().setLocked(true);
    advance(20);
    EXPECT_EQ(popups(), 3u);
    person().setLocked(false);
    person().setLocked(false); // an unlock reported twice counts once
    settle();
    EXPECT_EQ(popups(), 4u);
    EXPECT_EQ(played(), Strings{"beep"});

    // Switched on while the screen is locked: away from the start.
    controller->cfg().set(Cfg::Parameter::naturalBreaks(false), true);
    settle();
    person().setLocked(true);
    controller->cfg().set(Cfg::Parameter::naturalBreaks(true), true);
    advance(600);
    EXPECT_EQ(popups(), 4u);
    person().setLocked(false);
    settle();
    EXPECT_EQ(popups(), 4u); // away all along: a natural break

    // An absence across a sleep is measured on the wall clock.
    platform.store().setBool(Cfg::RestartOnWakeKey, false);
    takeTrace();
    advance(100);
    person().reportIdle();
    platform.sleepAndWake(3600); // the deadline passes during the sleep
    settle();
    EXPECT_EQ(controller->state(), AppState::Reminding);
    person().reportActive(10); // the idle counter started again on resume
    settle();
    EXPECT_EQ(takeTrace(), (Strings{"Timing->Reminding", "Reminding->Timing"}));
    EXPECT_EQ(popups(), 4u);
    person().setLocked(true); // locked on suspend, unlocked after it
    platform.sleepAndWake(600);
    person().setLocked(false);
    settle();
    EXPECT_EQ(takeTrace(), Strings{"Timing->Timing"});

    // Reports no adapter could have measured tell nothing.
    person().reportActive(std::nan(""));
    person().reportActive(1e300);
    person().reportActive(-5);
    settle();
    EXPECT_EQ(takeTrace(), Strings{});
}

TEST_F(Absence, ReportsDuringAModalRunAreHandledInOrderAfterIt) {
    launchWith(true, true);
    answer(Snooze, {}, [&] {
        person().reportIdle();
        advance(400);
        person().reportActive(430);
        EXPECT_EQ(controller->state(), AppState::Reminding);
    });
    advance(600);
    EXPECT_EQ(takeTrace(), (Strings{"Timing->Reminding", "Reminding->Timing"}));
    EXPECT_EQ(armed(), "Timer");

    // Busy ends while the About window is open: the held reminder waits until it closes.
    platform.busy().setState({true, false});
    advance(600);
    aboutPanel().onNextRun([&](sim::SimPanel& panel) {
        platform.busy().setState({});
        advance(1);
        panel.press("OK");
    });
    menu().click(UXMenu::aboutTitle(platform.translator()));
    EXPECT_EQ(popups(), 1u);
    settle();
    EXPECT_EQ(popups(), 2u);

    controller.reset();
    EXPECT_FALSE(person().isWatching() || platform.busy().isWatching());
}

TEST_F(Absence, BusyHoldsTheReminderUntilFullScreenAndDoNotDisturbBothEnd) {
    platform.busy().setState({true, false}); // full screen before the program starts
    launchWith(false, true);
    advance(600);
    EXPECT_EQ(controller->state(), AppState::Reminding);
    EXPECT_EQ(item().color(), TitleColor::Red);
    platform.busy().setState({true, true});
    platform.busy().setState({false, true});
    advance(60);
    EXPECT_TRUE(played().empty());
    EXPECT_EQ(popups(), 0u);

    answer(Restart);
    platform.busy().setState({});
    settle();
    EXPECT_EQ(played(), Strings{"beep"});
    EXPECT_EQ(takeTrace(), (Strings{"Timing->Reminding", "Reminding->Timing"}));

    // A pause or a restart drops the held reminder: nothing comes when the busy time ends.
    for (const char* entry : {UXMenu::PauseHourTitle.source, UXMenu::RestartTitle.source}) {
        platform.busy().setState({true, false});
        advance(600);
        menu().click(entry);
        platform.busy().setState({});
        settle();
        EXPECT_EQ(popups(), 1u) << entry;
        menu().click(UXMenu::RestartTitle.source);
    }
    EXPECT_EQ(played(), Strings{"beep"});
    takeTrace();

    // Pop-ups off with auto-restart: the held reminder is the sound, then the next interval.
    platform.store().setBool(Cfg::PopupAlertsKey, false);
    platform.busy().setState({false, true});
    advance(600);
    EXPECT_EQ(controller->state(), AppState::Reminding);
    platform.busy().setState({});
    settle();
    EXPECT_EQ(played(), (Strings{"beep", "beep"}));
    EXPECT_EQ(takeTrace(), (Strings{"Timing->Reminding", "Reminding->Timing"}));
}

} // namespace
} // namespace quillmere::testing
