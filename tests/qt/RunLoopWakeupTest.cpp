// The run loop's repeating timer wakes the program once per firing, whatever Qt's timer slack.
#include "platform/qt/QtRunLoop.h"

#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

namespace quillmere::qt {
namespace {

TEST(QtRunLoopWakeupTest, ARepeatingTimerWakesOncePerFiring) {
    QtRunLoop loop;
    int fired = 0;
    QEventLoop events;
    loop.scheduleTimer(0.2, true, "update", {}, [&](Timer&) {
        if (++fired == 6) {
            events.quit();
        }
    });
    QTimer::singleShot(10000, &events, &QEventLoop::quit);
    events.exec();
    EXPECT_EQ(fired, 6);
    EXPECT_EQ(loop.timerWakeups(), fired);
}

} // namespace
} // namespace quillmere::qt
