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

using P = Cfg::Parameter;
using S = std::string;

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

class CfgTest : public testing::Test {
protected:
    CfgTest() {
        events.subscribe([this](const P& p) { published.push_back(p); });
    }

    Cfg launch(bool isTest = false) { return Cfg(isTest, events, buildInfo, store); }

    sim::SimDefaultsStore store;
    Events events;
    BuildInfo buildInfo{"b", "d", "1.2.3"};
    std::vector<P> published;
};

TEST_F(CfgTest, FirstRunStoresTheFlagDefaultsWhereNothingIsStoredAndLaterRunsNever) {
    Cfg cfg = launch();
    EXPECT_TRUE(store.values().empty()) << "construction touches no storage";
    EXPECT_TRUE(cfg.isFirstRun());
    EXPECT_TRUE(cfg.isFirstRun()) << "decided once for the whole process";
    EXPECT_EQ(store.stringValue(Cfg::VersionKey), "1.2.3");
    cfg.set(P::autoRestart(false), true); // a toggle during the first run wins over the default
    EXPECT_TRUE(cfg.popups() && cfg.restartOnWake() && cfg.showCountdown());
    EXPECT_FALSE(cfg.autoRestart());
    EXPECT_EQ(store.values().size(), 5u) << "no default stored for Mute or AlertSound";

    const BuildInfo newer("b2", "d2", "2.0");
    Cfg next(false, events, newer, store);
    EXPECT_TRUE(next.popups());
    EXPECT_FALSE(next.autoRestart());
    EXPECT_FALSE(next.isFirstRun());
    EXPECT_EQ(store.stringValue(Cfg::VersionKey), "2.0");
}

TEST_F(CfgTest, TimerIntervalIsValidatedStoredAsGivenAndReadAsWholeSeconds) {
    Cfg cfg = launch();
    for (double refused : {0.0, 7200.5, NaN}) {
        EXPECT_FALSE(cfg.setTimerInterval(refused)) << refused;
    }
    EXPECT_TRUE(published.empty());
    EXPECT_FALSE(store.contains(Cfg::TimerIntervalKey));
    EXPECT_TRUE(cfg.setTimerInterval(7200));
    EXPECT_EQ(cfg.timerInterval(), 7200);
    EXPECT_TRUE(cfg.setTimerInterval(0.5));
    EXPECT_EQ(store.doubleValue(Cfg::TimerIntervalKey), 0.5);
    EXPECT_EQ(cfg.timerInterval(), 600) << "below a second reads as the default";
    EXPECT_EQ(published, (std::vector<P>{P::timerInterval(7200), P::timerInterval(0.5)}));

    // Hand-edited values; a Boolean reads as the number 1, like any typed read.
    for (const auto& [value, expected] : std::vector<std::pair<StoredValue, double>>{
             {S("900.7"), 900}, {NaN, 600}, {1e300, 600}, {-60.0, 600}, {true, 1}}) {
        store.put(Cfg::TimerIntervalKey, value);
        EXPECT_EQ(cfg.timerInterval(), expected) << stored::asString(value);
    }

    Cfg test = launch(true);
    EXPECT_EQ(test.timerInterval(), 30);
    EXPECT_EQ(test.reminderInterval(), 5);
}

TEST_F(CfgTest, SoundIsAnExactNameAndRestartOnWakeKeepsItsStoredSpelling) {
    store.put(Cfg::VersionKey, std::int64_t{3}); // any stored version: a later run
    Cfg cfg = launch();
    for (const auto& [value, expected] :
         std::vector<std::pair<StoredValue, Cfg::Sound>>{{S("Whistle"), Cfg::Sound::Whistle},
                                                         {S("sonar"), Cfg::Sound::System},
                                                         {std::int64_t{1}, Cfg::Sound::System}}) {
        store.put(Cfg::AlertSoundKey, value);
        EXPECT_EQ(cfg.sound(), expected) << stored::asString(value);
    }
    cfg.set(P::alertSound(Cfg::Sound::Bowl), false);
    EXPECT_EQ(*store.find(Cfg::AlertSoundKey), StoredValue{S("Bowl")});

    store.put("RestartOnWake", true);
    EXPECT_FALSE(cfg.restartOnWake());
    cfg.set(P::restartOnWake(true), false);
    EXPECT_EQ(*store.find("ResartOnWake"), StoredValue{true});
}

TEST_F(CfgTest, AwayMinutesAreWholeMinutesFromOneToSixty) {
    Cfg cfg = launch();
    EXPECT_EQ(cfg.awayMinutes(), 5);
    for (double unreadable : {0.0, 61.0}) {
        store.put(Cfg::AwayMinutesKey, unreadable);
        EXPECT_EQ(cfg.awayMinutes(), 5);
    }
    EXPECT_FALSE(cfg.setAwayMinutes(0));
    EXPECT_FALSE(cfg.setAwayMinutes(61));
    EXPECT_TRUE(published.empty());
    EXPECT_TRUE(cfg.setAwayMinutes(60));
    EXPECT_EQ(cfg.awayMinutes(), 60);
    EXPECT_TRUE(cfg.setAwayMinutes(1));
    EXPECT_EQ(cfg.awayMinutes(), 1);
    EXPECT_EQ(published, (std::vector<P>{P::awayMinutes(60), P::awayMinutes(1)}));
}

// The typed reads every store applies to hand-edited values: NaN and numbers beyond 64 bits
// must read as 0, never reach an undefined conversion.
TEST(StoredValueTest, TypedConversions) {
    struct Row {
        StoredValue value;
        bool asBool;
        std::int64_t asInteger;
        double asDouble; // NaN: expect NaN
    };
    // clang-format off
    const std::vector<Row> rows = {
        {true, true, 1, 1},         {std::int64_t{-7}, true, -7, -7}, {-1.5, true, -1, -1.5},
        {NaN, false, 0, NaN},       {1e300, true, 0, 1e300},          {S(" 42 "), true, 42, 42},
        {S("+5"), true, 5, 5},      {S("+-5"), false, 0, 0},          {S("12abc"), false, 0, 0},
        {S(""), false, 0, 0},       {S("YES"), true, 0, 0},           {S("0"), false, 0, 0},
        {S("nan"), false, 0, NaN}};
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE(stored::asString(r.value));
        EXPECT_EQ(stored::asBool(r.value), r.asBool);
        EXPECT_EQ(stored::asInteger(r.value), r.asInteger);
        const double read = stored::asDouble(r.value);
        EXPECT_TRUE(std::isnan(r.asDouble) ? std::isnan(read) : read == r.asDouble);
    }
}

} // namespace
} // namespace quillmere
