// The run loop's repeating timer wakes the program once per firing, whatever Qt's timer slack.
#include "platform/qt/QtRunLoop.h"

#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

namespace quillmere::qt {
namespace {

using namespace std::chrono_literals;

// Two ticks of the once-a-second refresh: each one wake-up, each on a whole second of the
// monotonic clock, where Qt's coarse timers wake the program anyway.
TEST(QtRunLoopWakeupTest, ASecondTimerWakesOncePerTickOnTheWholeSecond) {
    QtRunLoop loop;
    std::vector<std::chrono::nanoseconds> ticks;
    QEventLoop events;
    loop.scheduleTimer(1.0, true, "update", {}, [&](Timer&) {
        ticks.push_back(std::chrono::steady_clock::now().time_since_epoch() % 1s);
        if (ticks.size() == 2) {
            events.quit();
        }
    });
    QTimer::singleShot(10000, &events, &QEventLoop::quit);
    events.exec();
    ASSERT_EQ(ticks.size(), 2u);
    EXPECT_EQ(loop.timerWakeups(), 2);
    for (const auto fraction : ticks) {
        // Late by scheduling only, or early by a coarse timer's slack.
        EXPECT_TRUE(fraction < 400ms || fraction > 950ms) << fraction.count() << " ns past";
    }
}

} // namespace
} // namespace quillmere::qt
