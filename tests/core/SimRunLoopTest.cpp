// The simulated run loop's ordering and modal rules, which every scenario test relies on.
#include "platform/sim/SimRunLoop.h"
#include "platform/sim/SimPanel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace quillmere::sim {
namespace {

using Strings = std::vector<std::string>;

struct SimRunLoopTest : ::testing::Test {
    SimRunLoop loop;
    Strings fired;

    std::shared_ptr<Timer> schedule(double seconds, const std::string& name, bool repeats = false) {
        return loop.scheduleTimer(seconds, repeats, name, {},
                                  [this](Timer& timer) { fired.push_back(timer.name()); });
    }
};

TEST_F(SimRunLoopTest, FiresInDeadlineOrderWithTiesInCreationOrder) {
    schedule(2, "b");
    schedule(1, "a");
    schedule(2, "c");
    const auto cancelled = schedule(1.5, "cancelled");
    cancelled->invalidate();
    loop.advanceSeconds(1.999);
    EXPECT_EQ(fired, Strings{"a"});
    loop.advanceSeconds(0.001);
    EXPECT_EQ(fired, (Strings{"a", "b", "c"}));
    EXPECT_DOUBLE_EQ(loop.now().time_since_epoch().count(), SimRunLoop::StartWallSeconds + 2);
}

TEST_F(SimRunLoopTest, OneShotIsValidOnlyUntilItsCallbackReturns) {
    bool validDuringCallback = false;
    const auto timer = loop.scheduleTimer(
        1, false, "once", {}, [&](Timer& self) { validDuringCallback = self.isValid(); });
    loop.advanceSeconds(5);
    EXPECT_TRUE(validDuringCallback);
    EXPECT_FALSE(timer->isValid());
}

TEST_F(SimRunLoopTest, ModalRunHoldsTimersThenEachFiresOnce) {
    schedule(1, "tick", true);
    schedule(3, "deadline");
    loop.runModalSession([&] { loop.advanceSeconds(10); });
    EXPECT_TRUE(fired.empty());
    loop.runUntilIdle();
    EXPECT_EQ(fired, (Strings{"tick", "deadline"}));
    loop.advanceSeconds(1);
    EXPECT_EQ(fired.size(), 3u); // the repeating timer stays on its one-second grid
}

TEST_F(SimRunLoopTest, PanelLeftOpenByItsScriptIsClosedAndCounted) {
    SimPanel panel;
    int closes = 0;
    panel.setWillClose([&] {
        ++closes;
        loop.stopModal();
    });
    loop.runModalForWindow(panel);
    EXPECT_EQ(loop.unclosedModalRuns(), 1);
    panel.onNextRun([](SimPanel& shown) { shown.close(); });
    loop.runModalForWindow(panel);
    EXPECT_EQ(loop.unclosedModalRuns(), 1);
    EXPECT_EQ(closes, 2);
}

TEST_F(SimRunLoopTest, SuspendMovesWallAndBootClocksOnly) {
    schedule(10, "deadline");
    loop.suspend(std::chrono::seconds(60));
    loop.runUntilIdle();
    EXPECT_TRUE(fired.empty());
    EXPECT_EQ(loop.monotonicNow(), std::chrono::nanoseconds{0});
    EXPECT_EQ(loop.boottimeNow(), std::chrono::seconds(60));
}

TEST_F(SimRunLoopTest, AbsurdIntervalsNeitherOverflowNorSpin) {
    schedule(std::nan(""), "nan");
    schedule(-5, "negative");
    schedule(1e300, "far");
    const auto spin = schedule(0, "spin", true);
    loop.advanceSeconds(0.001);
    EXPECT_EQ(std::count(fired.begin(), fired.end(), "spin"), 10);
    EXPECT_EQ(fired.at(0), "nan");
    EXPECT_EQ(fired.at(1), "negative");
    spin->invalidate();
    loop.advanceSeconds(1e300);
    EXPECT_EQ(fired.back(), "far");
}

} // namespace
} // namespace quillmere::sim
