#include "core/Events.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillmere {
namespace {

using Trace = std::vector<std::string>;

TEST(EventsTest, SubscribersAreCalledInRegistrationOrderOncePerSubscription) {
    Events events;
    Trace trace;
    events.subscribe([&](UIAction) { trace.push_back("first"); });
    const Events::UIActionSubscriber twice = [&](UIAction) { trace.push_back("twice"); };
    events.subscribe(twice);
    events.subscribe([&](UIAction) { trace.push_back("last"); });
    events.subscribe(twice);

    events.publish(Event::uiAction(UIAction::Restart));
    EXPECT_EQ(trace, (Trace{"first", "twice", "last", "twice"}));
    events.publish(Event::uiAction(UIAction::Terminate));
    EXPECT_EQ(trace.size(), 8u);
}

TEST(EventsTest, EachKindReachesOnlyItsOwnListWithItsPayload) {
    Events events;
    events.publish(Event::cfgChange(Cfg::Parameter::mute(true))); // nobody listens yet
    events.publish(Event::appStateChange(AppState::Init, AppState::Timing));
    std::vector<Cfg::Parameter> parameters;
    std::vector<UIAction> actions;
    std::vector<std::pair<AppState, AppState>> changes;
    events.subscribe([&](const Cfg::Parameter& p) { parameters.push_back(p); });
    events.subscribe([&](UIAction a) { actions.push_back(a); });
    events.subscribe([&](AppState from, AppState to) { changes.emplace_back(from, to); });

    events.publish(Event::uiAction(UIAction::CountdownChange));
    EXPECT_TRUE(parameters.empty());
    EXPECT_TRUE(changes.empty());
    events.publish(Event::cfgChange(Cfg::Parameter::timerInterval(900)));
    // A restart while timing: old and new state are equal and still delivered.
    events.publish(Event::appStateChange(AppState::Timing, AppState::Timing));

    EXPECT_EQ(actions, std::vector<UIAction>{UIAction::CountdownChange});
    ASSERT_EQ(parameters.size(), 1u);
    EXPECT_EQ(parameters[0], Cfg::Parameter::timerInterval(900));
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], std::make_pair(AppState::Timing, AppState::Timing));
}

TEST(EventsTest, NestedPublishIsDeliveredCompletelyBeforeTheOuterDeliveryGoesOn) {
    Events events;
    Trace trace;
    events.subscribe([&](UIAction a) {
        trace.push_back(a == UIAction::Restart ? "ui1 restart" : "ui1 other");
        if (a == UIAction::Restart) {
            events.publish(Event::appStateChange(AppState::Timing, AppState::Timing));
            // Re-entrant on the same list as well.
            events.publish(Event::uiAction(UIAction::CountdownChange));
        }
    });
    events.subscribe([&](UIAction) { trace.push_back("ui2"); });
    events.subscribe([&](AppState, AppState) { trace.push_back("state1"); });
    events.subscribe([&](AppState, AppState) { trace.push_back("state2"); });

    events.publish(Event::uiAction(UIAction::Restart));
    EXPECT_EQ(trace, (Trace{"ui1 restart", "state1", "state2", "ui1 other", "ui2", "ui2"}));
}

TEST(EventsTest, SubscriberAddedDuringDeliveryHearsOnlyLaterEvents) {
    Events events;
    Trace trace;
    int added = 0;
    events.subscribe([&](const Cfg::Parameter&) {
        trace.push_back("outer");
        // Enough subscriptions to make the list grow while it is being delivered.
        for (; added < 16; ++added) {
            events.subscribe([&trace](const Cfg::Parameter&) { trace.push_back("late"); });
        }
    });
    events.subscribe([&](const Cfg::Parameter&) { trace.push_back("second"); });

    events.publish(Event::cfgChange(Cfg::Parameter::mute(true)));
    EXPECT_EQ(trace, (Trace{"outer", "second"}));
    trace.clear();
    events.publish(Event::cfgChange(Cfg::Parameter::mute(false)));
    EXPECT_EQ(trace.size(), 18u);
    EXPECT_EQ(trace[2], "late");
}

} // namespace
} // namespace quillmere
