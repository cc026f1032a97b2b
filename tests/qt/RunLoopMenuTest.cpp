// The Qt run loop's timers, its modal rule and its wake-ups, and the status menu, on real Qt
// objects.
#include "PrivateBus.h"
#include "platform/qt/QtMenu.h"
#include "platform/qt/QtRunLoop.h"

#include <QAction>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>
#include <vector>

namespace quillmere::qt {
namespace {

using namespace std::chrono_literals;
using testing::waitUntil;
using Strings = std::vector<std::string>;

TEST(QtRunLoopTest, TimersFireInOrderAndModalRunsHoldThemUntilAfter) {
    QtRunLoop loop;
    Strings fired;
    bool firedInsideModal = false;
    const auto record = [&](Timer& timer) {
        fired.push_back(timer.name());
        firedInsideModal = firedInsideModal || loop.inModalRun();
    };
    loop.scheduleTimer(0.02, false, "late", {}, record);
    loop.scheduleTimer(0.005, false, "early", {}, record);
    loop.scheduleTimer(0.001, false, "cancelled", {}, record)->invalidate();
    loop.scheduleTimer(std::nan(""), false, "nan", {}, record); // as soon as it can
    const auto farAway = loop.scheduleTimer(1e300, false, "far", {}, record);
    ASSERT_TRUE(waitUntil([&] { return fired.size() == 3; }));
    EXPECT_EQ(fired, (Strings{"nan", "early", "late"}));
    EXPECT_TRUE(farAway->isValid());

    fired.clear();
    loop.scheduleTimer(0.005, true, "update", {}, record);
    loop.scheduleTimer(0.01, false, "deadline", {}, record);
    {
        // A nested loop, as a dialog's exec runs it, well past both deadlines.
        QtRunLoop::ModalScope modal(loop);
        QEventLoop nested;
        QTimer::singleShot(50ms, &nested, &QEventLoop::quit);
        nested.exec();
    }
    EXPECT_TRUE(fired.empty()); // not inside the code that ran the modal loop either
    // Runs what leaving the modal run posted, then stops.
    QEventLoop settle;
    QTimer::singleShot(0, &settle, &QEventLoop::quit);
    settle.exec();
    EXPECT_EQ(fired, (Strings{"update", "deadline"})) << "each held timer fires once";
    EXPECT_FALSE(firedInsideModal);
}

// Items carry their actions and check marks; a hidden item ignores a late click.
TEST(QtMenuTest, ItemsCarryTheirActionsAndChecks) {
    QtMenu menu;
    MenuItem& mute = menu.addItem("Mute", "toggleMuteWithSender:", "",
                                  [&](MenuItem& sender) { sender.setState(!sender.state()); });
    QAction* muteAction = menu.menu()->actions().at(0);
    muteAction->trigger();
    EXPECT_TRUE(muteAction->isChecked());
    mute.setHidden(true);
    menu.items().at(0)->trigger();
    EXPECT_TRUE(mute.state());
}

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
