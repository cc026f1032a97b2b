// Pausing from the menu: no reminders until the pause ends by itself or is resumed; the pause
// is stored and outlives the process.
#include "support/Scenario.h"

#include <cstdlib>
#include <ctime>

namespace quillmere::testing {
namespace {

constexpr double Start = sim::SimRunLoop::StartWallSeconds;

class Pause : public Scenario {
protected:
    double storedEnd() { return platform.store().doubleValue(Cfg::PausedUntilKey); }
    bool resumeShown() { return !menu().find(UXMenu::ResumeTitle.source)->isHidden(); }
};

TEST_F(Pause, PauseHoldsEveryReminderAndEndsByItselfWithAFreshInterval) {
    launch();
    answer(Snooze);
    advance(600); // a snoozed reminder is pending when the pause begins
    takeTrace();
    EXPECT_FALSE(resumeShown());
    EXPECT_TRUE(menu().click(UXMenu::PauseHalfHourTitle.source));
    EXPECT_EQ(takeTrace(), (Strings{"ui PauseHalfHour", "Reminding->Paused"}));
    EXPECT_TRUE(resumeShown());
    EXPECT_DOUBLE_EQ(storedEnd(), Start + 600 + 1800);
    EXPECT_EQ(item().title(), "\u201631m");
    EXPECT_EQ(item().color(), TitleColor::Default);
    EXPECT_EQ(item().imageName(), "Quillmere.png");
    EXPECT_DOUBLE_EQ(item().elapsedFraction(), 0); // the reminder's full ring empties

    // A saved interval and a wake wait for the end of the pause; its wall-clock end holds.
    ASSERT_TRUE(controller->cfg().setTimerInterval(120));
    platform.sleepAndWake(1000);
    advance(799);
    EXPECT_EQ(controller->state(), AppState::Paused);
    EXPECT_EQ(item().title(), "\u20161");
    EXPECT_EQ(popups(), 1u);
    advance(1);
    EXPECT_EQ(takeTrace(), (Strings{"TimerInterval=120", "Paused->Timing"}));
    EXPECT_DOUBLE_EQ(controller->countdown(), 120);
    EXPECT_DOUBLE_EQ(storedEnd(), 0);
    EXPECT_FALSE(resumeShown());
    EXPECT_EQ(popups(), 1u);
}

TEST_F(Pause, StoredPauseOutlivesTheProcessUnlessAbsurdAndResumeOrRestartEndsIt) {
    platform.store().setDouble(Cfg::PausedUntilKey, Start + Cfg::LongestPause); // the longest
    launch();
    EXPECT_EQ(takeTrace(), Strings{"Init->Paused"});
    EXPECT_TRUE(resumeShown());
    EXPECT_DOUBLE_EQ(controller->countdown(), Cfg::LongestPause);

    for (const StoredValue& end :
         {StoredValue{Start}, StoredValue{Start + 3 * 86400.0}, StoredValue{std::string("nan")},
          StoredValue{std::string("inf")}, StoredValue{std::string("garbage")}}) {
        platform.store().put(Cfg::PausedUntilKey, end);
        launch();
        EXPECT_EQ(takeTrace(), Strings{"Init->Timing"});
    }

    // The last launch: resume or restart ends a pause; another entry sets a new end.
    menu().click(UXMenu::PauseHourTitle.source);
    EXPECT_DOUBLE_EQ(controller->countdown(), 3600);
    advance(3000);
    menu().click(UXMenu::PauseHalfHourTitle.source);
    EXPECT_DOUBLE_EQ(controller->countdown(), 1800);
    takeTrace();
    menu().click(UXMenu::ResumeTitle.source);
    EXPECT_EQ(takeTrace(), (Strings{"ui Resume", "Paused->Timing"}));
    EXPECT_DOUBLE_EQ(storedEnd(), 0);
    menu().find(UXMenu::ResumeTitle.source)->setHidden(false);
    menu().click(UXMenu::ResumeTitle.source); // a stale click while not paused changes nothing
    EXPECT_EQ(takeTrace(), Strings{"ui Resume"});

    menu().click(UXMenu::PauseHourTitle.source);
    menu().click(UXMenu::RestartTitle.source);
    EXPECT_EQ(controller->state(), AppState::Timing);
    EXPECT_DOUBLE_EQ(storedEnd(), 0);
}

TEST_F(Pause, UntilTomorrowEndsAtTheNextLocalSixOClock) {
    const char* previous = std::getenv("TZ");
    const std::string saved = previous != nullptr ? previous : "";
    const auto setZone = [](const char* zone) {
        zone != nullptr ? ::setenv("TZ", zone, 1) : ::unsetenv("TZ");
        ::tzset();
    };
    setZone("XYZ-1"); // one hour east of UTC: the sim starts at 01:00 local time
    launch();
    menu().click(UXMenu::PauseUntilMorningTitle.source);
    EXPECT_DOUBLE_EQ(controller->countdown(), 5 * 3600);
    advance(5 * 3600); // 06:00: the pause has just ended; the next morning is a day away
    EXPECT_EQ(controller->state(), AppState::Timing);
    menu().click(UXMenu::PauseUntilMorningTitle.source);
    EXPECT_DOUBLE_EQ(controller->countdown(), 24 * 3600);
    EXPECT_EQ(item().title(), "\u2016>24h");
    setZone(previous != nullptr ? saved.c_str() : nullptr);
}

} // namespace
} // namespace quillmere::testing
