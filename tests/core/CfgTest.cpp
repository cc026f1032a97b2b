#include "core/Cfg.h"

#include "core/BuildInfo.h"
#include "core/Events.h"
#include "platform/StoredValue.h"
#include "platform/sim/SimServices.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace quillmere {
namespace {

using sim::SimDefaultsStore;
using P = Cfg::Parameter;
using S = std::string;

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

class CfgTest : public testing::Test {
protected:
    CfgTest() {
        events.subscribe([this](const P& p) { published.push_back(p); });
    }

    Cfg launch(bool isTest = false) { return Cfg(isTest, events, buildInfo, store); }
    // A store left behind by an earlier run.
    void markLaunchedBefore() { store.put(Cfg::VersionKey, S("1.0")); }

    SimDefaultsStore store;
    Events events;
    BuildInfo buildInfo{"b", "d", "1.2.3"};
    std::vector<P> published;
};

TEST_F(CfgTest, FirstRunStoresVersionAndFlagDefaultsThenNextLaunchReadsWhatIsStored) {
    Cfg cfg = launch();
    EXPECT_TRUE(store.values().empty()) << "construction touches no storage";
    EXPECT_TRUE(cfg.isFirstRun());
    EXPECT_EQ(store.stringValue(Cfg::VersionKey), "1.2.3");
    EXPECT_TRUE(cfg.isFirstRun()) << "decided once for the whole process";

    using Flag = bool (Cfg::*)();
    for (const auto& [flag, key] : {std::pair<Flag, const char*>{&Cfg::popups, "PopupAlerts"},
                                    {&Cfg::autoRestart, "AutoRestart"},
                                    {&Cfg::restartOnWake, "ResartOnWake"},
                                    {&Cfg::showCountdown, "ShowCountdown"}}) {
        EXPECT_TRUE((cfg.*flag)()) << key;
        EXPECT_TRUE(store.find(key) && *store.find(key) == StoredValue{true}) << key;
    }
    EXPECT_FALSE(cfg.isMuted());
    EXPECT_EQ(cfg.sound(), Cfg::Sound::System);
    EXPECT_EQ(cfg.timerInterval(), 600);
    EXPECT_EQ(cfg.reminderInterval(), 60);
    EXPECT_EQ(store.values().size(), 5u) << "no default stored for Mute or AlertSound";
    EXPECT_TRUE(published.empty());

    store.put(Cfg::AutoRestartKey, false);
    const BuildInfo newer("b2", "d2", "2.0");
    Cfg next(false, events, newer, store);
    EXPECT_TRUE(next.popups());
    EXPECT_FALSE(next.autoRestart());
    EXPECT_FALSE(next.isFirstRun());
    EXPECT_EQ(store.stringValue(Cfg::VersionKey), "2.0");
}

TEST_F(CfgTest, LaterRunNeverStoresDefaultsAndAnyStoredVersionCountsAsPresent) {
    store.put(Cfg::VersionKey, std::int64_t{3});
    Cfg cfg = launch();
    EXPECT_FALSE(cfg.showCountdown());
    EXPECT_FALSE(cfg.popups());
    EXPECT_FALSE(cfg.isFirstRun());
    EXPECT_EQ(store.values().size(), 1u);
    EXPECT_EQ(store.stringValue(Cfg::VersionKey), "1.2.3");
}

TEST_F(CfgTest, ValueStoredDuringFirstRunWinsOverTheDefault) {
    Cfg cfg = launch();
    cfg.set(P::autoRestart(false), true); // before anything decided the first run
    EXPECT_TRUE(cfg.isFirstRun());
    EXPECT_FALSE(cfg.autoRestart());

    EXPECT_FALSE(cfg.togglePopups());
    EXPECT_FALSE(cfg.popups());
    EXPECT_TRUE(cfg.togglePopups());
    cfg.disablePopups();
    EXPECT_FALSE(cfg.popups());

    cfg.set(P::restartOnWake(false), false);
    EXPECT_FALSE(cfg.restartOnWake());
    EXPECT_EQ(published, (std::vector<P>{P::autoRestart(false), P::popupAlerts(false),
                                         P::popupAlerts(true), P::popupAlerts(false)}));
}

TEST_F(CfgTest, TimerIntervalIsValidatedAndReadAsWholeSeconds) {
    Cfg cfg = launch();
    ASSERT_TRUE(cfg.setTimerInterval(900));
    published.clear();
    for (double refused : {0.0, -0.0, -60.0, 7200.5, NaN, Inf, -Inf}) {
        SCOPED_TRACE(refused);
        EXPECT_FALSE(cfg.setTimerInterval(refused));
        EXPECT_EQ(store.doubleValue(Cfg::TimerIntervalKey), 900);
    }
    EXPECT_TRUE(published.empty());

    for (const auto& [seconds, reads] : {std::pair{60.0, 60.0}, {7200.0, 7200.0}, {0.5, 600.0}}) {
        SCOPED_TRACE(seconds);
        published.clear();
        EXPECT_TRUE(cfg.setTimerInterval(seconds));
        EXPECT_EQ(cfg.timerInterval(), reads);
        EXPECT_EQ(store.doubleValue(Cfg::TimerIntervalKey), seconds);
        EXPECT_EQ(published, std::vector<P>{P::timerInterval(seconds)});
    }
}

TEST_F(CfgTest, TestModeShortensOnlyTheIntervals) {
    Cfg cfg = launch(true);
    EXPECT_TRUE(cfg.setTimerInterval(900));
    EXPECT_EQ(cfg.timerInterval(), 30);
    EXPECT_EQ(cfg.reminderInterval(), 5);
    EXPECT_EQ(store.doubleValue(Cfg::TimerIntervalKey), 900);
    EXPECT_EQ(published, std::vector<P>{P::timerInterval(900)});
}

TEST_F(CfgTest, HandEditedTimerIntervalFallsBackToTheDefault) {
    markLaunchedBefore();
    Cfg cfg = launch();
    // A Boolean reads as the number 1, like any typed read.
    // clang-format off
    const std::vector<std::pair<StoredValue, double>> cases = {
        {S("600"), 600}, {S("900.7"), 900}, {S("garbage"), 600}, {1e300, 600}, {NaN, 600},
        {-60.0, 600},    {0.999, 600},      {std::int64_t{1800}, 1800},        {true, 1}};
    // clang-format on
    for (const auto& [value, expected] : cases) {
        SCOPED_TRACE(stored::asString(value));
        store.put(Cfg::TimerIntervalKey, value);
        EXPECT_EQ(cfg.timerInterval(), expected);
    }
}

TEST_F(CfgTest, HandEditedFlagsAndSoundUseTheTypedReads) {
    markLaunchedBefore();
    Cfg cfg = launch();
    const std::vector<std::pair<StoredValue, bool>> flags = {
        {S("garbage"), false},    {S("true"), true},       {S(""), false},
        {std::int64_t{0}, false}, {std::int64_t{1}, true}, {NaN, false},
    };
    for (const auto& [value, expected] : flags) {
        SCOPED_TRACE(stored::asString(value));
        store.put(Cfg::MuteKey, value);
        store.put(Cfg::AutoRestartKey, value);
        EXPECT_EQ(cfg.isMuted(), expected);
        EXPECT_EQ(cfg.autoRestart(), expected);
    }

    const std::vector<std::pair<StoredValue, Cfg::Sound>> sounds = {
        {S("Sonar"), Cfg::Sound::Sonar},    {S("Whistle"), Cfg::Sound::Whistle},
        {S("sonar"), Cfg::Sound::System},   {S("Bowl "), Cfg::Sound::System},
        {S("garbage"), Cfg::Sound::System}, {std::int64_t{1}, Cfg::Sound::System},
    };
    for (const auto& [value, expected] : sounds) {
        SCOPED_TRACE(stored::asString(value));
        store.put(Cfg::AlertSoundKey, value);
        EXPECT_EQ(cfg.sound(), expected);
    }
    cfg.set(P::alertSound(Cfg::Sound::Bowl), false);
    EXPECT_EQ(*store.find(Cfg::AlertSoundKey), StoredValue{S("Bowl")});

    // Restart-on-wake lives under "ResartOnWake", as stored settings spell it.
    store.put("RestartOnWake", true);
    EXPECT_FALSE(cfg.restartOnWake());
    cfg.set(P::restartOnWake(true), false);
    EXPECT_EQ(*store.find("ResartOnWake"), StoredValue{true});
    EXPECT_TRUE(cfg.restartOnWake());
}

TEST_F(CfgTest, WritersStoreBeforeTheyPublish) {
    Cfg cfg = launch();
    std::vector<bool> mutedSeen, popupsSeen;
    events.subscribe([&](const P& p) {
        if (p.kind() == P::Kind::Mute) {
            mutedSeen.push_back(cfg.isMuted());
        } else if (p.kind() == P::Kind::PopupAlerts) {
            popupsSeen.push_back(cfg.popups());
        }
    });
    EXPECT_TRUE(cfg.toggleMute());
    EXPECT_FALSE(cfg.toggleMute());
    cfg.togglePopups();
    cfg.disablePopups();
    EXPECT_EQ(mutedSeen, (std::vector<bool>{true, false}));
    EXPECT_EQ(popupsSeen, (std::vector<bool>{false, false}));
    EXPECT_EQ(published, (std::vector<P>{P::mute(true), P::mute(false), P::popupAlerts(false),
                                         P::popupAlerts(false)}));
}

TEST_F(CfgTest, AbsenceSettingsDefaultOffAndFallBackWhenUnreadable) {
    Cfg cfg = launch();
    EXPECT_FALSE(cfg.naturalBreaks());
    EXPECT_EQ(cfg.awayMinutes(), 5);
    EXPECT_FALSE(cfg.holdWhenBusy());
    for (const StoredValue& minutes : {StoredValue{S("garbage")}, StoredValue{0.0},
                                       StoredValue{61.0}, StoredValue{NaN}, StoredValue{-3.0}}) {
        store.put(Cfg::AwayMinutesKey, minutes);
        EXPECT_EQ(cfg.awayMinutes(), 5);
    }
    store.put(Cfg::AwayMinutesKey, S("60"));
    EXPECT_EQ(cfg.awayMinutes(), 60);

    // Whole minutes from 1 to 60 are stored and published; anything else is refused untouched.
    EXPECT_FALSE(cfg.setAwayMinutes(0));
    EXPECT_FALSE(cfg.setAwayMinutes(61));
    EXPECT_TRUE(published.empty());
    EXPECT_TRUE(cfg.setAwayMinutes(60));
    EXPECT_TRUE(cfg.setAwayMinutes(1));
    EXPECT_EQ(cfg.awayMinutes(), 1);
    EXPECT_EQ(published, (std::vector<P>{P::awayMinutes(60), P::awayMinutes(1)}));
}

TEST(StoredValueTest, TypedConversions) {
    struct Row {
        StoredValue value;
        bool asBool;
        std::int64_t asInteger;
        double asDouble; // NaN: expect NaN
        const char* asString;
    };
    // clang-format off
    const std::vector<Row> rows = {
        {true, true, 1, 1, "1"},                   {false, false, 0, 0, "0"},
        {std::int64_t{-7}, true, -7, -7, "-7"},    {0.5, true, 0, 0.5, "0.5"},
        {-1.5, true, -1, -1.5, "-1.5"},            {NaN, false, 0, NaN, "nan"},
        {1e300, true, 0, 1e300, "1e+300"},         {-1e300, true, 0, -1e300, "-1e+300"},
        {Inf, true, 0, Inf, "inf"},                {-Inf, true, 0, -Inf, "-inf"},
        {9223372036854775808.0, true, 0, 9223372036854775808.0, "9223372036854775808"},
        {S(" 42 "), true, 42, 42, " 42 "},         {S("+5"), true, 5, 5, "+5"},
        {S("-2.9"), true, -2, -2.9, "-2.9"},       {S("0x10"), false, 0, 0, "0x10"},
        {S("+-5"), false, 0, 0, "+-5"},            {S("12abc"), false, 0, 0, "12abc"},
        {S(""), false, 0, 0, ""},                  {S("YES"), true, 0, 0, "YES"},
        {S("0"), false, 0, 0, "0"},                {S("1e300"), true, 0, 1e300, "1e300"},
        {S("nan"), false, 0, NaN, "nan"}};
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE(S("value ") + r.asString);
        EXPECT_EQ(stored::asBool(r.value), r.asBool);
        EXPECT_EQ(stored::asInteger(r.value), r.asInteger);
        if (std::isnan(r.asDouble)) {
            EXPECT_TRUE(std::isnan(stored::asDouble(r.value)));
        } else {
            EXPECT_EQ(stored::asDouble(r.value), r.asDouble);
        }
        EXPECT_EQ(stored::asString(r.value), r.asString);
    }
}

} // namespace
} // namespace quillmere
