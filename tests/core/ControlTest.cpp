// Commands from other programs (the command line, D-Bus) and what those that follow the timer
// are told.
#include "support/Scenario.h"

namespace quillmere::testing {
namespace {

using Kind = RemoteReply::Kind;

class Control : public Scenario {
protected:
    RemoteReply send(Strings words) { return platform.remote().send(words); }
    std::string status(Strings words = {"status", "--json"}) { return send(words).text; }
};

TEST_F(Control, CommandsDoWhatTheMenuItemsDo) {
    storeSettings(true, true);
    launch();
    takeTrace();
    EXPECT_EQ(send({"pause"}).kind, Kind::Done);
    EXPECT_EQ(takeTrace(), (Strings{"ui PauseHalfHour", "Timing->Paused"}));
    EXPECT_EQ(send({"pause", "1440"}).kind, Kind::Done);
    EXPECT_DOUBLE_EQ(controller->countdown(), 1440 * 60);
    send({"pause", "1"});
    EXPECT_EQ(takeTrace(), (Strings{"Paused->Paused", "Paused->Paused"}));
    EXPECT_EQ(status(), R"({"state":"Paused","title":"‖2m","seconds_left":60,"muted":false,)"
                        R"("paused":true})");
    EXPECT_EQ(status({"status"}), "2m left, paused");
    send({"resume"});
    send({"restart"});
    send({"mute"});
    EXPECT_EQ(status({"status"}), "11m left, muted");
    EXPECT_TRUE(menu().find(UXMenu::MuteTitle.source)->state()); // the menu follows
    send({"unmute"});
    send({"unmute"});
    EXPECT_EQ(takeTrace(), (Strings{"ui Resume", "Paused->Timing", "ui Restart", "Timing->Timing",
                                    "Mute=on", "Mute=off", "Mute=off"}));
    EXPECT_FALSE(controller->cfg().isMuted());
    EXPECT_EQ(send({"watch"}).kind, Kind::Watch);
    EXPECT_EQ(send({"watch"}).text, "11m");
}

TEST_F(Control, AMalformedCommandIsRefusedAndChangesNothing) {
    launch();
    takeTrace();
    for (const Strings& words :
         {Strings{}, Strings{"frobnicate"}, Strings{"Pause"}, Strings{"pause", "0"},
          Strings{"pause", "1441"}, Strings{"pause", "-5"}, Strings{"pause", "5m"},
          Strings{"pause", ""}, Strings{"pause", "99999999999999999999"},
          Strings{"pause", "1", "2"}, Strings{"status", "--xml"},
          Strings{"status", "--json", "--json"}, Strings{"restart", "now"}}) {
        const RemoteReply reply = send(words);
        EXPECT_EQ(reply.kind, Kind::Refused) << ::testing::PrintToString(words);
        EXPECT_FALSE(reply.text.empty());
    }
    EXPECT_EQ(takeTrace(), Strings{});
    EXPECT_EQ(controller->state(), AppState::Timing);
}

TEST_F(Control, FollowersHearOfEveryChangeButTheTimeLeftAlone) {
    launch();
    advance(1);
    // The first a follower hears is everything.
    const auto first = platform.remote().takePublished();
    ASSERT_FALSE(first.empty());
    const RemoteControl::Changes everything = first.front().changes;
    EXPECT_TRUE(everything.state && everything.title && everything.muted && everything.paused);
    advance(57); // 542 s left: still "10m"
    EXPECT_TRUE(platform.remote().takePublished().empty());
    advance(3);
    auto published = platform.remote().takePublished();
    ASSERT_EQ(published.size(), 1u);
    EXPECT_EQ(published[0].status.title, "9m");
    EXPECT_EQ(published[0].status.secondsLeft, 539);
    const RemoteControl::Changes titleOnly = published[0].changes;
    EXPECT_TRUE(titleOnly.title && !titleOnly.state && !titleOnly.muted && !titleOnly.paused);

    send({"mute"});
    published = platform.remote().takePublished();
    ASSERT_EQ(published.size(), 1u);
    EXPECT_TRUE(published[0].status.muted && published[0].changes.muted);
    EXPECT_FALSE(published[0].changes.title || published[0].changes.state);

    send({"pause", "10"});
    published = platform.remote().takePublished();
    ASSERT_FALSE(published.empty());
    const RemoteControl::Changes all = published.back().changes;
    EXPECT_TRUE(all.state && all.title && all.paused && !all.muted);
    EXPECT_EQ(published.back().status.state, "Paused");

    controller.reset(); // the timer ends: its ways in close
    EXPECT_FALSE(platform.remote().isStarted());
}

// The JSON status escapes what a translated title may hold, and counts past the deadline in
// whole seconds.
TEST_F(Control, TheJsonStatusEscapesATranslatedTitleAndCountsPastTheDeadline) {
    storeSettings(false, false);
    platform.store().setBool(Cfg::NaturalBreaksKey, true);
    platform.language().setLanguage([](const char*, const char* source) {
        return std::string(source) == "break" ? std::string("\"b\\r \x01k\"") : source;
    });
    launch();
    platform.person().reportIdle();
    advance(600);
    EXPECT_EQ(status(), R"({"state":"Reminding","title":"\"b\\r \u0001k\"","seconds_left":0,)"
                        R"("muted":false,"paused":false})");
    platform.person().reportActive(600); // a natural break: a fresh interval
    advance(630.5);
    EXPECT_EQ(status(), R"({"state":"Reminding","title":"+30","seconds_left":-30,"muted":false,)"
                        R"("paused":false})");
    EXPECT_EQ(status({"status"}), "Break due 30s ago");
    EXPECT_DOUBLE_EQ(item().elapsedFraction(), 1); // the icon's ring is full
}

} // namespace
} // namespace quillmere::testing
