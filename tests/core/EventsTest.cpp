#include "core/Events.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillmere {
namespace {

using Trace = std::vector<std::string>;

// A nested publish is delivered completely before the outer delivery goes on; a subscriber added
// during a delivery (enough of them to make the list grow) hears only later events. A restart
// while timing, from a state to itself, is still delivered.
TEST(EventsTest, PublishAndSubscribeFromInsideADelivery) {
    Events events;
    Trace trace;
    events.subscribe([&](UIAction a) {
        trace.push_back(a == UIAction::Restart ? "ui1 restart" : "ui1 other");
        if (a == UIAction::Restart) {
            events.publish(Event::appStateChange(AppState::Timing, AppState::Timing));
            events.publish(Event::uiAction(UIAction::CountdownChange));
            for (int i = 0; i < 16; ++i) {
                events.subscribe([&](UIAction) { trace.push_back("late"); });
            }
        }
    });
    events.subscribe([&](UIAction) { trace.push_back("ui2"); });
    events.subscribe([&](AppState, AppState) { trace.push_back("state"); });

    events.publish(Event::uiAction(UIAction::Restart));
    EXPECT_EQ(trace, (Trace{"ui1 restart", "state", "ui1 other", "ui2", "ui2"}));
    trace.clear();
    events.publish(Event::uiAction(UIAction::CountdownChange));
    EXPECT_EQ(trace.size(), 18u);
    EXPECT_EQ(trace[2], "late");
}

} // namespace
} // namespace quillmere
