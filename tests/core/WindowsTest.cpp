// The Settings and About windows, run modally through their host on the simulated desktop.
#include "support/Scenario.h"

#include <algorithm>

namespace quillmere::testing {
namespace {

using sim::SimPanel;

class Windows : public Scenario {};

// One form through four openings: refusals, a save in order, the last save shown, the absence
// rows, both kinds of Return, and a sound preview while muted.
TEST_F(Windows, SettingsFormStartsFromTheStoreRefusesBadInputAndSavesInOrder) {
    launch();
    bool restartedBeforeClose = false;
    openSettings([&](SimPanel& panel) {
        EXPECT_EQ(panel.control("Interval in minutes")->intValue(), 10);
        EXPECT_EQ(panel.control("Interval in minutes")->text, "600");
        EXPECT_EQ(panel.control("Reminder sound")->selectedIndex(), 2u); // System
        EXPECT_EQ(panel.control("Reminder sound")->choices,
                  (Strings{"Sonar", "Bowl", "System", "Whistle"}));
        EXPECT_TRUE(panel.control("Restart after sleep")->boolValue());
        EXPECT_TRUE(panel.control("Auto restart timer")->boolValue());
        EXPECT_TRUE(panel.control("Auto restart timer")->disabled); // pop-ups are on
        for (std::int64_t minutes :
             {std::int64_t{121}, std::int64_t{0}, std::int64_t{-5}, INT64_MAX, INT64_MIN}) {
            takeTrace();
            panel.setNumber("Interval in minutes", minutes);
            panel.press("OK");
            EXPECT_TRUE(panel.isOnScreen()) << minutes;
            EXPECT_EQ(takeTrace(),
                      (Strings{"AlertSound=System", "ResartOnWake=on", "AutoRestart=on"}));
            EXPECT_EQ(panel.control("Interval in minutes")->intValue(), minutes);
        }
        EXPECT_FALSE(panel.setToggle("Auto restart timer", false));
        EXPECT_TRUE(panel.setToggle("Restart after sleep", false));
        EXPECT_TRUE(panel.pick("Reminder sound", "Bowl"));
        EXPECT_TRUE(panel.setNumber("Interval in minutes", 120));
        advance(100);
        takeTrace();
        controller->events().subscribe(Events::AppStateChangeSubscriber(
            [&](AppState, AppState) { restartedBeforeClose = panel.isOnScreen(); }));
        EXPECT_TRUE(panel.press("OK"));
        EXPECT_FALSE(panel.isOnScreen());
    });
    EXPECT_EQ(takeTrace(), (Strings{"AlertSound=Bowl", "ResartOnWake=off", "AutoRestart=on",
                                    "TimerInterval=7200", "Timing->Timing"}));
    EXPECT_TRUE(restartedBeforeClose);
    EXPECT_DOUBLE_EQ(controller->countdown(), 7200);
    EXPECT_DOUBLE_EQ(platform.store().doubleValue(Cfg::TimerIntervalKey), 7200);
    EXPECT_FALSE(platform.store().boolValue(Cfg::RestartOnWakeKey));
    EXPECT_EQ(platform.loop().unclosedModalRuns(), 0);
    ASSERT_EQ(popups(), 5u);
    const sim::ShownAlert refusal = platform.alerts().shown().front();
    EXPECT_EQ(refusal.style, AlertStyle::Warning);
    EXPECT_EQ(refusal.messageText, "Oops");
    EXPECT_EQ(refusal.informativeText, "Invalid interval");
    EXPECT_TRUE(refusal.buttons.empty());

    // The next opening shows the last save, not a fresh read of the store.
    platform.store().setString(Cfg::AlertSoundKey, "Whistle");
    openSettings([&](SimPanel& panel) {
        EXPECT_EQ(panel.control("Reminder sound")->selectedIndex(), 1u);
        EXPECT_EQ(panel.control("Interval in minutes")->text, "7200");
        EXPECT_FALSE(panel.control("Natural breaks")->boolValue());
        EXPECT_EQ(panel.control("Natural breaks", ViewNode::Kind::NumberField)->intValue(), 5);
        EXPECT_FALSE(panel.control("Hold when busy")->boolValue());
        const Strings texts = panel.texts();
        EXPECT_EQ(std::count(texts.begin(), texts.end(), SettingsView::NoPresenceSource.source), 0);
        EXPECT_EQ(panel.render().children.front().children.size(), 2u); // logo and name
        using K = ViewNode::Kind; // a click gives each field, the picker and OK the keyboard
        EXPECT_EQ(panel.focusableKinds(),
                  (std::vector<K>{K::NumberField, K::NumberField, K::Picker, K::Button}));
        EXPECT_TRUE(panel.setToggle("Natural breaks", true));
        EXPECT_TRUE(panel.setNumber("Natural breaks", 61));
        EXPECT_TRUE(panel.setToggle("Hold when busy", true));
        EXPECT_TRUE(panel.pressReturn()); // Return outside a field presses OK
        EXPECT_TRUE(panel.isOnScreen());
        EXPECT_EQ(takeTrace(), (Strings{"AlertSound=Bowl", "ResartOnWake=off", "AutoRestart=on",
                                        "NaturalBreaks=on", "HoldWhenBusy=on", "TimerInterval=7200",
                                        "Timing->Timing"}));
        panel.setNumber("Natural breaks", 12);
        EXPECT_TRUE(panel.submit("Interval in minutes")); // Return in the field saves
        EXPECT_EQ(takeTrace(), (Strings{"AlertSound=Bowl", "ResartOnWake=off", "AutoRestart=on",
                                        "AwayMinutes=12", "TimerInterval=7200", "Timing->Timing"}));
    });
    EXPECT_FALSE(settingsPanel().isOnScreen());
    EXPECT_EQ(platform.alerts().shown().back().informativeText, "Invalid minutes away (1 to 60)");
    EXPECT_EQ(controller->cfg().awayMinutes(), 12);

    menu().click(UXMenu::MuteTitle.source);
    openSettings([](SimPanel& panel) {
        panel.pick("Reminder sound", "Whistle");
        panel.pick("Reminder sound", "Whistle"); // already selected: plays nothing
        panel.pick("Reminder sound", "System");
        panel.press("OK");
    });
    EXPECT_EQ(played(), (Strings{"Bowl", "Whistle", "beep"})); // Bowl before the mute
    EXPECT_EQ(platform.store().stringValue(Cfg::AlertSoundKey), "System");
    // The same panel each time, centred, brought to the front, its content hidden between runs.
    EXPECT_EQ(settingsPanel().centerCount(), 3);
    EXPECT_EQ(platform.app().activations(), 3);
    EXPECT_TRUE(settingsPanel().contentHidden());
}

// The autostart record is the desktop's: the switch shows it afresh at each opening, OK writes
// only a change, and a record that can't be changed is told, with the switch showing the truth.
TEST_F(Windows, StartAtLoginFollowsTheDesktopsRecordAndTellsWhenItCantChangeIt) {
    launch();
    platform.login().setRecord(true); // by the desktop's own tool
    openSettings([](SimPanel& panel) {
        EXPECT_TRUE(panel.control("Start at login")->boolValue());
        EXPECT_FALSE(panel.setToggle("Notify without pop-up", true)); // pop-ups are on
        panel.press("OK");
    });
    EXPECT_EQ(platform.login().writes(), 0);
    openSettings([](SimPanel& panel) {
        EXPECT_TRUE(panel.setToggle("Start at login", false));
        panel.press("OK");
    });
    EXPECT_FALSE(platform.login().isEnabled());
    platform.login().setWritable(false);
    openSettings([](SimPanel& panel) {
        panel.setToggle("Start at login", true);
        panel.press("OK");
        EXPECT_FALSE(panel.control("Start at login")->boolValue());
        panel.press("OK");
        EXPECT_FALSE(panel.isOnScreen());
    });
    EXPECT_EQ(platform.alerts().shown().at(0).informativeText,
              SettingsView::StartAtLoginFailure.source);
}

// In test mode, with no presence or busy source: absence rows disabled with a note.
TEST_F(Windows, TestModeFormStartsAtZeroMinutesWithoutLogoAndAbsenceRowsNeedASource) {
    platform.person().setSource("");
    platform.busy().setSource("");
    launch(true);
    openSettings([](SimPanel& panel) {
        EXPECT_EQ(panel.control("Interval in minutes")->intValue(), 0);
        EXPECT_EQ(panel.control("Interval in minutes")->text, "30");
        EXPECT_EQ(panel.render().children.front().children.size(), 1u); // the name column only
        EXPECT_FALSE(panel.setToggle("Natural breaks", true));
        EXPECT_FALSE(panel.setNumber("Natural breaks", 10));
        EXPECT_FALSE(panel.setToggle("Hold when busy", true));
        const Strings texts = panel.texts();
        EXPECT_EQ(std::count(texts.begin(), texts.end(), SettingsView::NoPresenceSource.source), 1);
        EXPECT_EQ(std::count(texts.begin(), texts.end(), SettingsView::NoBusySource.source), 1);
        panel.press("OK");
        EXPECT_TRUE(panel.isOnScreen());
        panel.setNumber("Interval in minutes", 2);
        panel.press("OK");
    });
    EXPECT_FALSE(settingsPanel().isOnScreen());
    EXPECT_EQ(platform.alerts().shown().back().messageText, "Oops");
    EXPECT_FALSE(platform.store().contains(Cfg::NaturalBreaksKey));
}

// The status menu stays usable while a window runs (a host draws it over D-Bus): a window never
// starts over another modal run, the other items act at once, and no run is left open.
TEST_F(Windows, MenuWhileAWindowRunsStartsNoSecondRunAndTheOtherItemsActAtOnce) {
    launch();
    openSettings([&](SimPanel& panel) {
        menu().click(
            UXMenu::SettingsTitle.source); // again: a second activation, or the window is behind
        menu().click(UXMenu::aboutTitle(platform.translator()));
        EXPECT_EQ(platform.loop().modalWindowFrontOrders(), 2);
        takeTrace();
        menu().click(UXMenu::MuteTitle.source);
        menu().click(UXMenu::PopupsTitle.source);
        menu().click(UXMenu::RestartTitle.source);
        menu().click(UXMenu::QuitTitle.source);
        EXPECT_EQ(takeTrace(), (Strings{"Mute=on", "PopupAlerts=off", "ui Restart",
                                        "Timing->Timing", "ui Terminate"}));
        EXPECT_TRUE(panel.press("OK"));
    });
    EXPECT_EQ(settingsPanel().presentCount(), 1);
    EXPECT_EQ(aboutPanel().presentCount(), 0);
    EXPECT_EQ(platform.loop().unclosedModalRuns(), 0);
    EXPECT_FALSE(platform.loop().inModalRun());
    EXPECT_EQ(platform.app().terminations(), 1);

    // The reminder is a modal run too: it must be answered before a window opens.
    answer(Restart, {}, [this] {
        menu().click(UXMenu::SettingsTitle.source);
        menu().click(UXMenu::aboutTitle(platform.translator()));
    });
    menu().click(UXMenu::PopupsTitle.source);
    advance(600);
    EXPECT_EQ(settingsPanel().presentCount(), 1);
    EXPECT_EQ(aboutPanel().presentCount(), 0);
    EXPECT_EQ(platform.loop().modalWindowFrontOrders(), 4);
    EXPECT_EQ(platform.loop().unclosedModalRuns(), 0);
    EXPECT_DOUBLE_EQ(controller->countdown(), 600); // the answer's restart, timers running

    // Timers wait while a window is open and fire once after it closes.
    aboutPanel().onNextRun([&](SimPanel& panel) {
        advance(900); // the user reads the About window past the deadline
        EXPECT_EQ(controller->state(), AppState::Timing);
        panel.press("OK");
    });
    const auto firingsBefore = platform.loop().firings().size();
    menu().click(UXMenu::aboutTitle(platform.translator()));
    EXPECT_EQ(platform.loop().firings().size(), firingsBefore);
    answer(Snooze);
    settle();
    EXPECT_EQ(controller->state(), AppState::Reminding);
    EXPECT_EQ(platform.loop().firings().size(), firingsBefore + 2); // "update" and the interval
    EXPECT_EQ(item().title(), "+5m");
}

TEST_F(Windows, AboutShowsTheBuildAndItsLinksOrUnknownWithoutThem) {
    platform.files().addImage("Quillmere.png", 200, 100);
    launch();
    SimPanel& panel = aboutPanel();
    EXPECT_TRUE(panel.titleHidden());
    EXPECT_EQ(panel.texts(),
              (Strings{"Quillmere Timer", "2026-12-01", "Version: 1.0.0", "Build: 42",
                       "[License](https://quillmere.org/license.txt)",
                       "© 2026 [Quillmere](https://quillmere.org)",
                       "[Support](https://quillmere.org/donate) development", "OK"}));
    const ViewNode logo = panel.render().children.front().children.front();
    ASSERT_EQ(logo.kind, ViewNode::Kind::Image);
    EXPECT_DOUBLE_EQ(*logo.frame->width, 100);
    EXPECT_DOUBLE_EQ(*logo.frame->height, 50);
    panel.onNextRun([](SimPanel& shown) { shown.press("OK"); });
    menu().click(UXMenu::aboutTitle(platform.translator()));
    EXPECT_FALSE(panel.isOnScreen());
    EXPECT_EQ(platform.loop().unclosedModalRuns(), 0);

    // A picture with no width or no height must not divide by zero; one pixel is a picture.
    const std::tuple<double, double, std::size_t> sizes[] = {{0, 22, 1}, {22, 0, 1}, {1, 1, 2}};
    for (const auto& [width, height, topRowItems] : sizes) {
        platform.files().addImage("Quillmere.png", width, height);
        launch();
        EXPECT_EQ(aboutPanel().render().children.front().children.size(), topRowItems);
    }
    platform.files().addImage("Quillmere.png", 0, 0);
    platform.files().writeFile("BuildInfo.txt", "Version=\nBuild=\n");
    launch();
    const Strings texts = aboutPanel().texts();
    EXPECT_EQ(aboutPanel().render().children.front().children.size(), 1u);
    EXPECT_EQ(texts.at(1), "UNKNOWN");
    EXPECT_EQ(texts.at(2), "Version: UNKNOWN");
    launch(true);
    EXPECT_EQ(aboutPanel().texts().at(2), "Version: test");
    EXPECT_EQ(aboutPanel().render().children.front().children.size(), 1u);
}

} // namespace
} // namespace quillmere::testing
